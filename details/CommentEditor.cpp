#include "details/CommentEditor.h"

#include <exception>
#include <new>
#include <optional>

#include "app/QtText.h"
#include "data/SqlDb.h"
#include "data/Transaction.h"
#include "platform/AnsiText.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

QString FromAnsi(const std::string& text) {
  return ToQString(Platform::AnsiToWide(text));
}

// "ERROR (Com): " + what failed + why.
QString Failure(const QString& what, const QString& reason) {
  return QStringLiteral("ERROR (Com): ") + what + reason;
}

// The engine's text for the failed statement; the layer's own text when the engine has none
// (no file open).
QString FailureText(const QString& what, TSQLDB& db) {
  std::string text = db.GetErrorMessage();
  if (text.empty()) {
    text = db.CurrentResult().ErrorText;
  }
  return Failure(what, FromAnsi(text));
}

// Every stored row of the message's comment, each whole, whatever its length: the editor
// opens with any text it could have saved.
bool ReadComments(TSQLDB& db, std::int32_t key) {
  const TFetchMemoryLimitScope wholeComments(db, TSQLDB::kLargestFetchMemoryLimit);
  return db.FormatQuery(u"SELECT commentary, lastdate FROM usr_comment WHERE e_fk=%d",
                        {TSqlArg::Integer(key)});
}

// Each write returns the message to show when it failed, and leaves the file as it was then.
// The failure text is taken before the transaction's rollback replaces the connection's error.
std::optional<QString> Save(TSQLDB& db, std::int32_t key, const QString& text,
                            const QString& what) {
  const TSqlArg keyArg = TSqlArg::Integer(key);
  const TSqlArg textArg = TSqlArg::WideString(ToWide(text));
  TTransaction transaction(db);
  if (!transaction.Began() ||
      !db.FormatQuery(
          u"UPDATE usr_comment SET commentary=%s, lastdate=current_timestamp WHERE e_fk=%d",
          {textArg, keyArg})) {
    return FailureText(what, db);
  }
  if (db.RowsAffected() == 0 &&
      !db.FormatQuery(u"INSERT INTO usr_comment (e_fk,commentary,lastdate) VALUES "
                      u"(%d,%s,current_timestamp)",
                      {keyArg, textArg})) {
    return FailureText(what, db);
  }
  if (!transaction.Commit()) {
    return FailureText(what, db);
  }
  return std::nullopt;
}

std::optional<QString> Delete(TSQLDB& db, std::int32_t key, const QString& what) {
  TTransaction transaction(db);
  if (!transaction.Began() ||
      !db.FormatQuery(u"DELETE FROM usr_comment WHERE e_fk=%d", {TSqlArg::Integer(key)}) ||
      !transaction.Commit()) {
    return FailureText(what, db);
  }
  return std::nullopt;
}

// A write that throws (memory that ran out, a handler of the connection) has been rolled back
// by its transaction; it is a failure like any other and is reported with its reason.
std::optional<QString> Write(TSQLDB& db, std::int32_t key, const TCommentDialogAnswer& answer) {
  const bool save = answer.Result == TResult::Save;
  const QString what = save ? QStringLiteral("The comment was not saved: ")
                            : QStringLiteral("The comment was not deleted: ");
  try {
    return save ? Save(db, key, answer.Text, what) : Delete(db, key, what);
  } catch (const std::bad_alloc&) {
    return Failure(what, QStringLiteral("out of memory"));
  } catch (const std::exception& error) {
    return Failure(what, QString::fromLocal8Bit(error.what()));
  } catch (...) {
    return Failure(what, QStringLiteral("an unexpected error"));
  }
}

}  // namespace

void RunCommentEditor(TSQLDB& db, TUserShell& shell, const TResData& record,
                      const TCommDialogCaptions& captions, const QString& commentCaption) {
  if (!ReadComments(db, record.pk)) {
    shell.ShowMessage(FailureText(QStringLiteral("The comment could not be read: "), db));
    return;
  }
  TCommentDialogRequest request{
      QStringLiteral("My comment on: ") + TResultModel::RowIdentity(record),
      {},
      captions.Save,
      captions.Cancel,
      captions.Delete,
      commentCaption};
  // Several stored rows are not one comment: the editor starts empty and Save rewrites all.
  if (db.RowCount() == 1) {
    request.Text = ToQString(db.Row(0).Field(0).AsWideString());
  }
  const QString confirmation = QStringLiteral("Delete comment for ") +
                               TResultModel::RowIdentity(record) +
                               QStringLiteral("\n\rAre You sure?");
  for (;;) {
    const TCommentDialogAnswer answer = shell.EditComment(request);
    if (answer.Result == TResult::Cancel ||
        (answer.Result == TResult::Delete && !shell.Confirm(confirmation))) {
      return;
    }
    const std::optional<QString> failure = Write(db, record.pk, answer);
    if (!failure) {
      return;
    }
    shell.ShowMessage(*failure);
    request.Text = answer.Text;  // what the user typed is not lost
  }
}
