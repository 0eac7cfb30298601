#pragma once
// The data-file half of the main window's first showing, as the window's controls take it:
// the two pick lists with their restored selections, the restored code and the row limit.
// The reading itself, and everything said to the user on the way, is ReadStartUpData's.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "app/StartUpData.h"

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
  using TStage = TStartUpStage;
  TStage Stage = TStage::FilesMissing;
  std::optional<TPickList> Versions;  // present once the version statement succeeded
  std::optional<TPickList> Prefixes;
  QString Code;          // the restored code criterion (Ready only)
  QString MaxFetchRows;  // the row limit for searches (Ready only)
};

// Opens `dataFile` (the window's is DataFilePath()) on `db` and reads everything start-up
// needs; see ReadStartUpData.
TStartUpState LoadStartUpState(TSQLDB& db, const std::string& dataFile, TSettingsStore& settings,
                               TUserShell& shell);
