#pragma once
// A temporary program directory for start-up and data-file tests: the engine library is
// copied into it (as the build places it beside every executable), and while the object
// lives the program's directory is this one. Removed with everything in it at the end.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/ProgramDirectory.h"
#include "tools/mkdb/catalogue/Catalogue.h"

class TTempProgramDirectory {
 public:
  // `withEngine`: copy the engine library in (false stages a directory without it).
  // `suffix` ends the directory's name, e.g. with characters beyond the 16-bit range.
  explicit TTempProgramDirectory(bool withEngine = true, const std::u8string& suffix = {});
  ~TTempProgramDirectory();
  TTempProgramDirectory(const TTempProgramDirectory&) = delete;
  TTempProgramDirectory& operator=(const TTempProgramDirectory&) = delete;

  const std::filesystem::path& Path() const { return Directory; }
  // Full UTF-8 path of a file in the directory.
  std::string File(const std::string& name) const;
  // The data file's full path, "tolv2_msg.db" in this directory.
  std::string DataFile() const { return File("tolv2_msg.db"); }
  // Builds the data file from `catalogue` with the data-file builder; aborts the test run
  // with a message when building fails.
  void WriteDataFile(const TCatalogue& catalogue) const;

 private:
  std::filesystem::path Directory;
  std::optional<Platform::TProgramDirectoryOverride> Override;
};

// A small catalogue that most tests start from: two versions ("10.2", "11.2"), three
// prefixes (ORA, TNS, SP2 with descriptions), a few messages each with cause and action,
// min_req_exe_vers 20 and max_fetch_rows 500.
TCatalogue SmallCatalogue();
