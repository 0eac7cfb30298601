#pragma once
// What a command that writes a data file says on standard error while it works and when it
// is done.

#include <chrono>
#include <cstdint>
#include <string>

#include "tools/cli/Command.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"

// A line for every further hundred thousand messages, so that a large import shows life.
TProgressEvent ProgressPrinter(const TToolContext& context);

// "OUT: 3 version(s), 6 prefix(es), 640 message(s) written in 0.2 s".
void PrintBuildSummary(const TToolContext& context, const std::string& out, std::int64_t versions,
                       std::int64_t prefixes, std::int64_t messages,
                       std::chrono::steady_clock::time_point started);
