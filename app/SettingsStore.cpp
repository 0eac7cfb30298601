#include "app/SettingsStore.h"

#include "app/NoticeSink.h"
#include "data/passql.h"
#include "platform/AnsiText.h"

namespace {

// The connection's error text is 8-bit (ANSI); the prefix is plain ASCII.
std::u16string FailureText(std::u16string prefix, TSQLDB& db) {
  return prefix + Platform::AnsiToWide(db.GetErrorMessage());
}

}  // namespace

std::u16string TSettingsStore::LoadParam(const std::u16string& key) {
  if (!DB.FormatQuery(u"SELECT value FROM sys_data WHERE param=%s", {TSqlArg::WideString(key)})) {
    Notices.Notify(FailureText(u"ERROR (LP): ", DB));
    Notices.RequestTermination();
    // A statement refused while no file is open leaves the previous rows in place; they
    // must not be read as this key's value.
    return {};
  }
  if (DB.RowCount() > 0) {
    return DB.Row(0).Field(0).AsWideString();
  }
  return {};
}

void TSettingsStore::SaveParam(const std::u16string& key, const std::u16string& value) {
  const TSqlArg keyArg = TSqlArg::WideString(key);
  const TSqlArg valueArg = TSqlArg::WideString(value);
  DB.StartTransaction();
  if (!DB.FormatQuery(u"UPDATE sys_data SET value=%s WHERE param=%s", {valueArg, keyArg})) {
    Notices.Notify(FailureText(u"ERROR (SPu): ", DB));
    Notices.RequestTermination();
  }
  if (DB.RowsAffected() == 0 &&
      !DB.FormatQuery(u"INSERT INTO sys_data (param, value) VALUES (%s, %s)", {keyArg, valueArg})) {
    Notices.Notify(FailureText(u"ERROR (SPi): ", DB));
    Notices.RequestTermination();
  }
  // No rollback on failure: whatever succeeded stays written.
  DB.Commit();
}
