// Builds a synthetic data file (default 1,000,000 messages; the first argument changes it),
// prints the build rate, then the median times of the search's statement shapes with the
// builder's indexes and, on a copy without them, the same again with the ratios.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/datafile/SearchTimings.h"
#include "bench/synth/SyntheticDataFile.h"
#include "data/LiteDb.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  const long long messages = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const fs::path folder = fs::temp_directory_path() / "tolvane-datafile-bench";
  fs::create_directories(folder);
  const fs::path indexed = folder / "indexed.db";
  const fs::path bare = folder / "bare.db";

  const auto start = std::chrono::steady_clock::now();
  TSyntheticSummary summary;
  std::string error;
  if (!WriteSyntheticDataFile(indexed.string(), messages, nullptr, summary, error)) {
    std::fprintf(stderr, "build failed: %s\n", error.c_str());
    return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("build: %lld messages in %.1f s, %.0f messages/s, file %.0f MB\n",
              static_cast<long long>(summary.Messages), took.count(),
              static_cast<double>(summary.Messages) / took.count(),
              static_cast<double>(fs::file_size(indexed)) / 1e6);

  fs::copy_file(indexed, bare, fs::copy_options::overwrite_existing);
  double withIndexes = 0;
  double withoutIndexes = 0;
  {
    TLiteDB db(indexed.string());
    withIndexes = PrintSearchTimings(db, "indexed", 11);
  }
  {
    TLiteDB db(bare.string());
    db.Query(
        "DROP INDEX error_code; DROP INDEX error_order; DROP INDEX version_name; "
        "DROP INDEX prefix_name; DROP TABLE sqlite_stat1;");
    withoutIndexes = PrintSearchTimings(db, "no indexes", 3);
  }
  std::printf("sum of medians: %.1f ms indexed, %.1f ms without indexes (%.1fx)\n", withIndexes,
              withoutIndexes, withoutIndexes / withIndexes);
  fs::remove_all(folder);
  return 0;
}
