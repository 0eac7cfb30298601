#pragma once
// The data-file half of the main window's first showing: the file checks, the compatibility
// check, the two pick lists with their restored selections, the restored code and the row
// limit. The window applies the outcome to its controls; everything said to the user on the
// way goes through the shell.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class TSQLDB;
class TSettingsStore;
class TUserShell;

// A pick list as start-up fills it: the empty entry (no restriction) first, then the names in
// the order the data file returns them.
struct TPickList {
  QStringList Entries;
  int Selected = 0;
};

struct TStartUpState {
  enum class TStage {
    FilesMissing,  // engine or data file missing, or the file did not open: group disabled
    ListsFailed,   // a list statement failed: group enabled, the rest not set
    Ready,
  };
  TStage Stage = TStage::FilesMissing;
  std::optional<TPickList> Versions;  // present once the version statement succeeded
  std::optional<TPickList> Prefixes;
  QString Code;          // the restored code criterion (Ready only)
  QString MaxFetchRows;  // the row limit for searches (Ready only)
};

// Opens `dataFile` (the window's is DataFilePath()) on `db` and reads everything start-up
// needs. A data file that needs a newer program, or whose version key is unreadable, is
// reported and asks for termination, but the reading goes on: the request takes effect once
// the window's handler has finished. Only reads: a connection set to read-only serves too.
TStartUpState LoadStartUpState(TSQLDB& db, const std::string& dataFile, TSettingsStore& settings,
                               TUserShell& shell);
