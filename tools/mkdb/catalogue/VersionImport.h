#pragma once
// Adding the messages of one Oracle version to a data file: to a copy of an existing file
// (its versions, prefixes, messages, comments and settings kept), or to a new file when there
// is none. Prefixes new to the file are appended with the description the import gives them.
// As with every write of the builder, the target changes only when everything succeeded. An
// existing file is copied while no other program may write it, waiting at most `wait` for one
// that holds it.

#include <chrono>
#include <cstdint>
#include <string>

#include "tools/cli/ExitCode.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"
#include "tools/mkdb/catalogue/OracleHome.h"

struct TImportSummary {
  std::int64_t NewPrefixes = 0;
  std::int64_t Messages = 0;
};

// `path`: relative to the working folder. Returns false with `failure` when the file already
// has a version of that name, is not a data file, is held by another program (exit code 4),
// or cannot be written.
bool AddVersionToDataFile(const std::string& path, const TOracleHomeVersion& imported,
                          std::chrono::milliseconds wait, const TProgressEvent& progress,
                          TImportSummary& summary, TFailure& failure);
