#pragma once
// The program's settings, kept as key/value rows in the data file's sys_data table. Reads and
// writes run through the connection's formatted statements (keys and values are quoted there,
// never pasted into SQL). A failing statement (the COMMIT of a save included) is reported as a
// notice and asks the program to end, because a data file whose settings cannot be read or
// written is not one the program can trust; a save that failed is rolled back.

#include <string>

class TSQLDB;
class TNoticeSink;

class TSettingsStore {
 public:
  TSettingsStore(TSQLDB& db, TNoticeSink& notices) : DB(db), Notices(notices) {}

  // The stored text for the key, or empty text when the key has no row.
  std::u16string LoadParam(const std::u16string& key);
  // Update-then-insert inside one transaction, committed only when both succeeded.
  void SaveParam(const std::u16string& key, const std::u16string& value);

 private:
  // Reports the failed statement after `prefix` and asks the program to end.
  void Fail(const std::u16string& prefix);

  TSQLDB& DB;
  TNoticeSink& Notices;
};
