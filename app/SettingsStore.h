#pragma once
// The program's settings, kept as key/value rows in the data file's sys_data table. Reads and
// writes run through the connection's formatted statements (keys and values are quoted there,
// never pasted into SQL). A failing statement is reported through the user seam and asks the
// program to end, because a data file whose settings cannot be read or written is not one the
// program can trust.

#include <QString>

class TSQLDB;
class TUserShell;

class TSettingsStore {
public:
  TSettingsStore(TSQLDB& db, TUserShell& shell) : DB(db), Shell(shell) {}

  // The stored text for the key, or empty text when the key has no row.
  QString LoadParam(const QString& key);
  // Update-then-insert inside one transaction.
  void SaveParam(const QString& key, const QString& value);

private:
  TSQLDB& DB;
  TUserShell& Shell;
};
