#pragma once
// A program directory for the window benchmark: the engine and the large data file copied in
// from the build folder, where the data file is synthesised once and then reused.

#include <filesystem>
#include <optional>

#include "platform/ProgramDirectory.h"

class TBenchProgramDirectory {
 public:
  // The program directory is the staged one while the object lives.
  explicit TBenchProgramDirectory(const std::filesystem::path& dataFile);
  ~TBenchProgramDirectory();
  TBenchProgramDirectory(const TBenchProgramDirectory&) = delete;
  TBenchProgramDirectory& operator=(const TBenchProgramDirectory&) = delete;

  std::filesystem::path DataFile() const { return Directory / "tolv2_msg.db"; }

 private:
  std::filesystem::path Directory;
  std::optional<Platform::TProgramDirectoryOverride> Override;
};

// Synthesises `dataFile` with `messages` messages unless it exists; true when it did.
bool SynthesiseDataFileOnce(const std::filesystem::path& dataFile, long long messages);
