#include "RatioReporter.h"

#include <cstdio>

namespace {

const std::string OursSuffix = "/tolvane";
const std::string EngineSuffix = "/engine";

}  // namespace

void TRatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
      const double toMillis = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      // Processor time, not wall time: on a shared machine the wall clock mostly measures
      // the neighbours. The cached data file leaves little waiting for the disk.
      // Of several repetitions the fastest counts: the neighbours only ever add time.
      const double millis = run.GetAdjustedCPUTime() * toMillis;
      const auto [entry, added] = Millis.try_emplace(run.run_name.function_name, millis);
      if (!added && millis < entry->second) {
        entry->second = millis;
      }
    }
  }
  ConsoleReporter::ReportRuns(runs);
}

double TRatioReporter::Milliseconds(const std::string& name) const {
  const auto found = Millis.find(name);
  return found == Millis.end() ? -1.0 : found->second;
}

bool TRatioReporter::PrintRatios(double targetRatio) const {
  bool withinTarget = true;
  std::printf("\nEnd to end against the engine alone (target <= %.2f):\n", targetRatio);
  for (const auto& [name, ours] : Millis) {
    if (name.size() <= OursSuffix.size() ||
        name.compare(name.size() - OursSuffix.size(), OursSuffix.size(), OursSuffix) != 0) {
      continue;
    }
    const std::string base = name.substr(0, name.size() - OursSuffix.size());
    const double engine = Milliseconds(base + EngineSuffix);
    if (engine <= 0) {
      continue;
    }
    const double ratio = ours / engine;
    withinTarget = withinTarget && ratio <= targetRatio;
    std::printf("  %-24s %9.3f ms / %9.3f ms = %.3f %s\n", base.c_str(), ours, engine, ratio,
                ratio <= targetRatio ? "ok" : "OVER TARGET");
  }
  return withinTarget;
}
