#pragma once
// The data file as the terminal lookup opens it: --db FILE, or tolv2_msg.db beside the
// program; read-only, with the window's own start-up checks and their texts, and with the
// program's upper-casing, so that words beyond ASCII match as they do in the window.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/cli/Command.h"
#include "tools/cli/ToolDataFile.h"

// The options of every lookup command that choose the data file and the version.
extern const TOption kReleaseOption;
extern const TOption kDataFileOption;

class TOerrDataFile {
 public:
  // Reads --db, --release and --wait.
  explicit TOerrDataFile(const TArguments& arguments);

  // Opens the file and reads what start-up reads; checks that the version --release names is
  // there. False after saying why on `context` (the exit code is then Exit()).
  bool Open(const TToolContext& context);
  int Exit() const { return ExitCode; }

  TToolDataFile& File() { return *Opened; }
  const std::vector<std::string>& Versions() const { return VersionNames; }  // UTF-8
  const std::vector<std::string>& Prefixes() const { return PrefixNames; }
  const std::string& RowLimit() const { return Limit; }  // as the window limits a search
  const std::optional<std::string>& Release() const { return ReleaseName; }

 private:
  bool ReadStartUp(std::vector<std::string>& problems);

  std::unique_ptr<TToolDataFile> Opened;
  std::optional<std::string> ReleaseName;
  std::vector<std::string> VersionNames;
  std::vector<std::string> PrefixNames;
  std::string Limit;
  int ExitCode = 0;
};
