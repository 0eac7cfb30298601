#include "bench/support/SyntheticFile.h"

#include <cstdio>
#include <filesystem>

#include "tools/mkdb/SyntheticDataFile.h"

bool EnsureSyntheticDataFile(const std::string& path, std::int64_t messages) {
  if (std::filesystem::exists(path)) {
    return true;
  }
  std::fprintf(stderr, "building %s ...\n", path.c_str());
  TSyntheticSummary summary;
  std::string error;
  if (!WriteSyntheticDataFile(path, messages, {}, summary, error)) {
    std::fprintf(stderr, "data file not built: %s\n", error.c_str());
    return false;
  }
  return true;
}
