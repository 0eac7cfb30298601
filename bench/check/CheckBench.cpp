// tolvane-mkdb check on the million-message synthetic file, against the engine's own
// integrity_check alone on the same file in the same run.
#include <chrono>
#include <cstdio>

#include "bench/support/EngineAlone.h"
#include "bench/support/SyntheticFile.h"
#include "platform/ProgramDirectory.h"
#include "tools/mkdb/check/DataFileCheck.h"

namespace {

constexpr double kTargetSeconds = 10;

template <typename TRun>
double Seconds(TRun run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  const std::string path = Platform::ProgramDirectory() + "check-bench-1m.db";
  if (!EnsureSyntheticDataFile(path)) {
    return 1;
  }
  bool engineOk = false;
  const double engine = Seconds([&] {
    TEngineAlone alone(path);
    std::uint64_t checksum = 0;
    engineOk = alone.Ok() && alone.Run(u"PRAGMA integrity_check", checksum) == 1;
  });
  TCheckReport report;
  const double check = Seconds([&] { report = CheckDataFile(path); });
  std::printf(
      "integrity_check alone %.2f s%s; tolvane-mkdb check %.2f s (%zu findings): %.2f, "
      "target < %.0f s %s\n",
      engine, engineOk ? "" : " (FAILED)", check, report.Findings.size(), check / engine,
      kTargetSeconds, check < kTargetSeconds ? "ok" : "OVER TARGET");
  return 0;
}
