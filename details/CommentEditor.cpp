#include "details/CommentEditor.h"

#include <optional>

#include "app/QtText.h"
#include "data/SqlDb.h"
#include "platform/AnsiText.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

QString FromAnsi(const std::string& text) {
  return ToQString(Platform::AnsiToWide(text));
}

// The engine's text for the failed statement; the layer's own text when the engine has none
// (no file open).
QString FailureText(const QString& what, TSQLDB& db) {
  std::string text = db.GetErrorMessage();
  if (text.empty()) {
    text = db.CurrentResult().ErrorText;
  }
  return QStringLiteral("ERROR (Com): ") + what + FromAnsi(text);
}

// Rolls back unless committed, also while an exception passes.
class TCommentTransaction {
 public:
  explicit TCommentTransaction(TSQLDB& db) : DB(db) { DB.StartTransaction(); }
  ~TCommentTransaction() {
    if (!Committed) {
      try {
        DB.Rollback();
      } catch (...) {  // a destructor must not throw; the write is lost either way
      }
    }
  }
  TCommentTransaction(const TCommentTransaction&) = delete;
  TCommentTransaction& operator=(const TCommentTransaction&) = delete;

  // COMMIT reports its outcome only through the current result.
  bool Commit() {
    DB.Commit();
    Committed = DB.CurrentResult().HasResult;
    return Committed;
  }

 private:
  TSQLDB& DB;
  bool Committed = false;
};

// Each write returns the message to show when the engine refused it. The failure text is
// taken before the rollback replaces the connection's error.
std::optional<QString> Save(TSQLDB& db, std::int32_t key, const QString& text) {
  const QString what = QStringLiteral("The comment was not saved: ");
  const TSqlArg keyArg = TSqlArg::Integer(key);
  const TSqlArg textArg = TSqlArg::WideString(ToWide(text));
  TCommentTransaction transaction(db);
  if (!db.FormatQuery(
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

std::optional<QString> Delete(TSQLDB& db, std::int32_t key) {
  const QString what = QStringLiteral("The comment was not deleted: ");
  TCommentTransaction transaction(db);
  if (!db.FormatQuery(u"DELETE FROM usr_comment WHERE e_fk=%d", {TSqlArg::Integer(key)}) ||
      !transaction.Commit()) {
    return FailureText(what, db);
  }
  return std::nullopt;
}

// An exception leaves the write rolled back and unreported.
std::optional<QString> Write(TSQLDB& db, std::int32_t key, const TCommentDialogAnswer& answer) {
  try {
    return answer.Result == TResult::Save ? Save(db, key, answer.Text) : Delete(db, key);
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace

void RunCommentEditor(TSQLDB& db, TUserShell& shell, const TResData& record,
                      const TCommDialogCaptions& captions, const QString& commentCaption) {
  if (!db.FormatQuery(u"SELECT commentary, lastdate FROM usr_comment WHERE e_fk=%d",
                      {TSqlArg::Integer(record.pk)})) {
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
