#pragma once
// A large, realistic data file for measurements: several versions, a few dozen prefixes,
// the same codes recurring from version to version as in Oracle's own releases. The same
// count always gives the same file.

#include <cstdint>
#include <string>

#include "tools/mkdb/catalogue/DataFileBuilder.h"

struct TSyntheticSummary {
  std::int64_t Versions = 0;
  std::int64_t Prefixes = 0;
  std::int64_t Messages = 0;
};

bool WriteSyntheticDataFile(const std::string& path, std::int64_t messageCount,
                            const TProgressEvent& progress, TSyntheticSummary& summary,
                            std::string& error);
