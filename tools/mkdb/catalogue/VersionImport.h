#pragma once
// Adding the messages of one Oracle version to a data file: to a copy of an existing file
// (its versions, prefixes, messages, comments and settings kept), or to a new file when there
// is none. Prefixes new to the file are appended with the description the import gives them.
// As with every write of the builder, the target changes only when everything succeeded.

#include <cstdint>
#include <string>

#include "tools/mkdb/DataFileBuilder.h"
#include "tools/mkdb/OracleHome.h"

struct TImportSummary {
  std::int64_t NewPrefixes = 0;
  std::int64_t Messages = 0;
};

// Returns false with `error` when the file already has a version of that name, is not a data
// file, or cannot be written.
bool AddVersionToDataFile(const std::string& path, const TOracleHomeVersion& imported,
                          const TProgressEvent& progress, TImportSummary& summary,
                          std::string& error);
