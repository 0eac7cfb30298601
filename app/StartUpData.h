#pragma once
// What start-up reads from the data file, without any interface library, so that the window
// and the terminal tools open a file by the same checks: the file checks, the compatibility
// check, the version and prefix names with their stored selections, the restored code and the
// row limit. Everything said to the user on the way is a notice.

#include <optional>
#include <string>
#include <vector>

class TNoticeSink;
class TSettingsStore;
class TSQLDB;

enum class TStartUpStage {
  FilesMissing,  // engine or data file missing, or the file did not open: group disabled
  ListsFailed,   // a list statement failed: group enabled, the rest not set
  Ready,
};

// The names a list statement returned, in the data file's order, and the stored criterion
// that selects one of them (as stored: matching it is the window's business).
struct TStartUpNames {
  std::vector<std::u16string> Names;
  std::u16string StoredSelection;
};

struct TStartUpData {
  TStartUpStage Stage = TStartUpStage::FilesMissing;
  std::optional<TStartUpNames> Versions;  // present once the version statement succeeded
  std::optional<TStartUpNames> Prefixes;
  std::u16string Code;          // the restored code criterion (Ready only)
  std::u16string MaxFetchRows;  // the row limit for searches (Ready only)
};

// Opens `dataFile` on `db` and reads everything start-up needs. A data file that needs a newer
// program, or whose version key is unreadable, is reported and asks for termination, but the
// reading goes on: the request takes effect once the running handler has finished. Only reads:
// a connection set to read-only serves too.
TStartUpData ReadStartUpData(TSQLDB& db, const std::string& dataFile, TSettingsStore& settings,
                             TNoticeSink& notices);
