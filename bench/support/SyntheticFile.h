#pragma once
// The million-message data file the benchmarks measure on, built once where it is asked for:
// the same count always gives the same file, so an existing one is taken as it is.

#include <cstdint>
#include <string>

// False, with the reason on standard error, when the file could not be built.
bool EnsureSyntheticDataFile(const std::string& path, std::int64_t messages = 1'000'000);
