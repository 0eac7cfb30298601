#include "app/SettingsStore.h"

#include "app/QtText.h"
#include "app/UserShell.h"
#include "data/passql.h"
#include "platform/AnsiText.h"

namespace {

// The connection's error text is 8-bit (ANSI); the prefix is plain ASCII.
QString FailureText(const char* prefix, TSQLDB& db) {
  return QString::fromLatin1(prefix) + ToQString(Platform::AnsiToWide(db.GetErrorMessage()));
}

}  // namespace

QString TSettingsStore::LoadParam(const QString& key) {
  if (!DB.FormatQuery(u"SELECT value FROM sys_data WHERE param=%s",
                      {TSqlArg::WideString(ToWide(key))})) {
    Shell.ShowMessage(FailureText("ERROR (LP): ", DB));
    Shell.RequestTermination();
    // A statement refused while no file is open leaves the previous rows in place; they
    // must not be read as this key's value.
    return {};
  }
  if (DB.RowCount() > 0) {
    return ToQString(DB.Row(0).Field(0).AsWideString());
  }
  return {};
}

void TSettingsStore::SaveParam(const QString& key, const QString& value) {
  const TSqlArg keyArg = TSqlArg::WideString(ToWide(key));
  const TSqlArg valueArg = TSqlArg::WideString(ToWide(value));
  DB.StartTransaction();
  if (!DB.FormatQuery(u"UPDATE sys_data SET value=%s WHERE param=%s", {valueArg, keyArg})) {
    Shell.ShowMessage(FailureText("ERROR (SPu): ", DB));
    Shell.RequestTermination();
  }
  if (DB.RowsAffected() == 0 &&
      !DB.FormatQuery(u"INSERT INTO sys_data (param, value) VALUES (%s, %s)", {keyArg, valueArg})) {
    Shell.ShowMessage(FailureText("ERROR (SPi): ", DB));
    Shell.RequestTermination();
  }
  // No rollback on failure: whatever succeeded stays written.
  DB.Commit();
}
