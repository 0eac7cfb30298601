// QueryW fetching 100,000 rows of message text, against the bare engine loop on the same
// file and statement. Prints the ratio of the two; the layer aims at no more than 1.3.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "bench/support/EngineAlone.h"
#include "data/LiteDb.h"

namespace {

constexpr int kRows = 100000;
const std::u16string kStatement = u"SELECT id, code, text FROM msg";

// About sixty characters a row, some of them outside ASCII.
const char* const kFillStatement =
    "BEGIN;"
    "CREATE TABLE msg (id INTEGER PRIMARY KEY, code TEXT, text TEXT);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)"
    " INSERT INTO msg SELECT i, printf('%05d', i % 100000), CASE i % 4"
    "  WHEN 0 THEN printf('table or view %d does not exist in the schema given', i)"
    "  WHEN 1 THEN printf('Tabelle %d für Benutzer „Müller“ ist nicht vorhanden', i)"
    "  WHEN 2 THEN printf('could not resolve the connect identifier #%d specified', i)"
    "  ELSE printf('la valeur %d dépasse la précision autorisée pour la colonne', i) END"
    " FROM n;"
    "COMMIT;";

struct TBenchFile {
  TBenchFile() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    Path = (std::filesystem::temp_directory_path() / ("tolvane-bench-" + std::to_string(stamp)))
               .string();
    TLiteDB db;
    if (!db.Use(Path) || !db.Query(kFillStatement)) {
      std::fprintf(stderr, "cannot build %s: %s\n", Path.c_str(), db.GetErrorMessage().c_str());
      std::exit(1);
    }
  }
  ~TBenchFile() { std::filesystem::remove(Path); }
  std::string Path;
};

void LayerQueryW(benchmark::State& state, const std::string& path) {
  TLiteDB db;
  db.UniCode = true;
  db.Use(path);
  for (auto _ : state) {
    if (!db.QueryW(kStatement) || db.RowCount() != kRows) {
      state.SkipWithError("QueryW failed");
      break;
    }
    db.ClearResults();
  }
}

void BareLoop(benchmark::State& state, const std::string& path) {
  TEngineAlone engine(path);
  for (auto _ : state) {
    std::uint64_t checksum = 0;
    if (engine.Run(kStatement, checksum) != kRows) {
      state.SkipWithError("bare loop failed");
      break;
    }
    benchmark::DoNotOptimize(checksum);
  }
}

// The same loop keeping every value as wide text, what a caller without the layer would do.
void BareLoopKeeping(benchmark::State& state, const std::string& path) {
  TEngineAlone engine(path);
  for (auto _ : state) {
    std::uint64_t checksum = 0;
    std::vector<std::u16string> kept;
    if (engine.Run(kStatement, checksum, &kept) != kRows) {
      state.SkipWithError("bare loop failed");
      break;
    }
    benchmark::DoNotOptimize(kept.data());
  }
}

// Keeps each benchmark's time per iteration for the ratio.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        Times[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const TBenchFile file;
  benchmark::RegisterBenchmark("BareLoop", BareLoop, file.Path)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BareLoopKeeping", BareLoopKeeping, file.Path)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LayerQueryW", LayerQueryW, file.Path)
      ->Unit(benchmark::kMillisecond);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // CPU time: the figures stay comparable on a machine busy with other work.
  const double layer = reporter.Times["LayerQueryW"];
  if (layer > 0 && reporter.Times["BareLoop"] > 0) {
    std::printf("QueryW / bare loop: %.2f (target <= 1.3)\n", layer / reporter.Times["BareLoop"]);
  }
  if (layer > 0 && reporter.Times["BareLoopKeeping"] > 0) {
    std::printf("QueryW / bare loop keeping the values: %.2f\n",
                layer / reporter.Times["BareLoopKeeping"]);
  }
  return 0;
}
