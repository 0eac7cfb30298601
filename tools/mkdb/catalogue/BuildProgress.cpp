#include "tools/mkdb/catalogue/BuildProgress.h"

#include <cstdio>

TProgressEvent ProgressPrinter(const TToolContext& context) {
  constexpr std::int64_t kEvery = 100000;
  return [&context, next = kEvery](std::int64_t written) mutable {
    if (written >= next) {
      context.Say(std::to_string(written) + " messages written");
      next = (written / kEvery + 1) * kEvery;
    }
  };
}

void PrintBuildSummary(const TToolContext& context, const std::string& out, std::int64_t versions,
                       std::int64_t prefixes, std::int64_t messages,
                       std::chrono::steady_clock::time_point started) {
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
  char took[32];
  std::snprintf(took, sizeof took, "%.1f", seconds.count());
  context.Say(out + ": " + std::to_string(versions) + " version(s), " + std::to_string(prefixes) +
              " prefix(es), " + std::to_string(messages) + " message(s) written in " + took + " s");
}
