#include "details/DetailLoader.h"

#include "app/QtText.h"
#include "data/SqlDb.h"
#include "details/ReadTxt.h"
#include "platform/AnsiText.h"

namespace {

QString FromAnsi(const std::string& text) {
  return ToQString(Platform::AnsiToWide(text));
}

QString Failure(const char* prefix, TSQLDB& db) {
  return QLatin1String(prefix) + FromAnsi(db.GetErrorMessage());
}

// The user's own text, of whatever length the engine holds, is read whole: the view shows a
// long one in part, and the copy takes it all.
bool ReadComment(TSQLDB& db, const TSqlArg& key) {
  const TFetchMemoryLimitScope wholeComment(db, TSQLDB::kLargestFetchMemoryLimit);
  return db.FormatQuery(u"SELECT commentary FROM usr_comment WHERE e_fk=%d LIMIT 1", {key});
}

}  // namespace

TDetailLoad LoadDetails(TSQLDB& db, const TResData& record, const QString& commentHeading) {
  const TSqlArg key = TSqlArg::Integer(record.pk);
  if (!db.FormatQuery(u"SELECT e_cause, e_action FROM error WHERE e_pk=%d", {key})) {
    return {{}, Failure("ERROR (Det): ", db)};
  }
  if (db.RowCount() == 0) {
    return {};
  }
  // Copied at once: the next statement releases the row.
  const std::u16string cause = db.Row(0).Field(0).AsWideString();
  const std::u16string action = db.Row(0).Field(1).AsWideString();

  if (!ReadComment(db, key)) {
    return {{}, Failure("ERROR (Com): ", db)};
  }
  const QString comment =
      db.RowCount() > 0 ? ToQString(db.Row(0).Field(0).AsWideString()) : QString();

  TDetailLoad load;
  load.Rows = {{true, FromAnsi(record.pref) + u'-' + FromAnsi(record.code)},
               {false, record.msg},
               {true, QStringLiteral("Cause")},
               {false, ToQString(ReadTxt(record.code, cause))},
               {true, QStringLiteral("Action")},
               {false, ToQString(ReadTxt(record.code, action))}};
  if (!comment.isEmpty()) {
    load.Rows.push_back({true, commentHeading});
    load.Rows.push_back({false, comment});
  }
  return load;
}
