#pragma once
// Console output as usual, and afterwards the ratio of each measured case to its baseline
// (a benchmark named "<case>/engine" is the baseline of "<case>/tolvane"), against a target.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  // Plain columns: the figures mostly end up in logs, where colour codes are noise.
  TRatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints one line per case; returns false when a ratio is past `targetRatio`.
  bool PrintRatios(double targetRatio) const;
  // Processor time of one iteration of a benchmark in milliseconds (the best repetition), or a
  // negative value when it did not run.
  double Milliseconds(const std::string& name) const;

 private:
  std::map<std::string, double> Millis;
};
