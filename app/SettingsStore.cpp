#include "app/SettingsStore.h"

#include "app/NoticeSink.h"
#include "data/passql.h"
#include "platform/AnsiText.h"

std::u16string TSettingsStore::LoadParam(const std::u16string& key) {
  if (!DB.FormatQuery(u"SELECT value FROM sys_data WHERE param=%s", {TSqlArg::WideString(key)})) {
    Fail(u"ERROR (LP): ");
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
  // Without an open file BEGIN fails and so do both statements, each reported.
  TTransaction transaction(DB);
  bool written = true;
  if (!DB.FormatQuery(u"UPDATE sys_data SET value=%s WHERE param=%s", {valueArg, keyArg})) {
    Fail(u"ERROR (SPu): ");
    written = false;
  }
  // A failed update changed no row either: the insert is still tried, and reported.
  if (DB.RowsAffected() == 0 &&
      !DB.FormatQuery(u"INSERT INTO sys_data (param, value) VALUES (%s, %s)", {keyArg, valueArg})) {
    Fail(u"ERROR (SPi): ");
    written = false;
  }
  // Half a save is not committed: a key inserted beside the row whose update failed would
  // be a second row for it.
  if (written && !transaction.Commit()) {
    Fail(u"ERROR (SPc): ");
  }
}

// The connection's error text is 8-bit (ANSI); the prefix is plain ASCII.
void TSettingsStore::Fail(const std::u16string& prefix) {
  Notices.Notify(prefix + Platform::AnsiToWide(DB.GetErrorMessage()));
  Notices.RequestTermination();
}
