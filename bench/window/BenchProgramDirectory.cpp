#include "bench/window/BenchProgramDirectory.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

#include "bench/synth/SyntheticDataFile.h"
#include "platform/EngineLibrary.h"

namespace fs = std::filesystem;

bool SynthesiseDataFileOnce(const fs::path& dataFile, long long messages) {
  if (fs::exists(dataFile)) {
    return false;
  }
  std::printf("Synthesising %lld messages into %s ...\n", messages, dataFile.c_str());
  std::fflush(stdout);
  TSyntheticSummary summary;
  std::string error;
  if (!WriteSyntheticDataFile(dataFile.string(), messages, {}, summary, error)) {
    std::fprintf(stderr, "synthesis failed: %s\n", error.c_str());
    std::exit(1);
  }
  return true;
}

TBenchProgramDirectory::TBenchProgramDirectory(const fs::path& dataFile) {
  const fs::path engine = fs::path(Platform::ProgramDirectory()) / Platform::kSqlite3LibraryName;
  Directory = fs::temp_directory_path() / ("tolvane-window-bench-" + std::to_string(getpid()));
  fs::create_directories(Directory);
  fs::copy_file(engine, Directory / Platform::kSqlite3LibraryName);
  fs::copy_file(dataFile, DataFile());
  Override.emplace(Directory.string());
}

TBenchProgramDirectory::~TBenchProgramDirectory() {
  Override.reset();
  std::error_code ignored;
  fs::remove_all(Directory, ignored);
}
