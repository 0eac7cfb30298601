// The terminal lookup as a user runs it, whole processes from start to exit, on the
// million-message synthetic file:
//  - a lookup by facility and code against the sqlite3 shell running the same statement in
//    one process start;
//  - explain on a 200 MB log (a token every 40 lines, 2,000 distinct codes, lines up to
//    10,000 characters) against grep -c -E for the same token pattern, and its peak memory.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/support/ChildProcess.h"
#include "bench/support/SyntheticFile.h"
#include "data/LiteDb.h"
#include "platform/ProgramDirectory.h"
#include "tools/oerr/MessageLookup.h"

namespace {

constexpr int kLookupRuns = 25;
constexpr int kExplainRuns = 3;
constexpr double kLookupTargetRatio = 1.5;
constexpr double kLookupTargetMillis = 20;
constexpr double kExplainTargetRatio = 1.5;
constexpr double kExplainTargetMegabytes = 64;
constexpr std::uintmax_t kLogBytes = 200'000'000;
constexpr int kDistinctCodes = 2000;
constexpr int kLinesPerToken = 40;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median time of `runs` runs; negative when a run failed.
double MedianMillis(const std::vector<std::string>& command, const std::string& output, int runs,
                    long* peakKilobytes = nullptr) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const TChildRun result = RunChild(command, output);
    if (!result.Ok || result.ExitCode > 1) {  // grep -c says 1 when it counts nothing
      std::fprintf(stderr, "%s failed (%d)\n", command[0].c_str(), result.ExitCode);
      return -1;
    }
    times.push_back(result.Milliseconds);
    if (peakKilobytes != nullptr) {
      *peakKilobytes = std::max(*peakKilobytes, result.PeakKilobytes);
    }
  }
  return Median(times);
}

struct TCode {
  std::string Prefix;
  std::string Code;
};

std::vector<TCode> SomeCodes(const std::string& dataFile, std::vector<std::string>& prefixes) {
  TLiteDB db;
  db.ReadOnly = true;
  std::vector<TCode> codes;
  if (!db.Use(dataFile) ||
      // Cheap on memory: the kernel counts this process's own peak in a child's.
      !db.Query("PRAGMA mmap_size=0; PRAGMA cache_size=-2048") ||
      !db.Query("SELECT p.pref_name, e.e_code FROM error e, prefix p WHERE e.pref_fk = p.pref_pk "
                "AND e.e_pk % 97 = 0 GROUP BY p.pref_name, e.e_code LIMIT " +
                std::to_string(kDistinctCodes))) {
    return codes;
  }
  for (std::int32_t row = 0; row < db.RowCount(); ++row) {
    codes.push_back({db.Row(row).Field(0).Value, db.Row(row).Field(1).Value});
  }
  if (db.Query("SELECT pref_name FROM prefix")) {
    for (std::int32_t row = 0; row < db.RowCount(); ++row) {
      prefixes.push_back(db.Row(row).Field(0).Value);
    }
  }
  return codes;
}

// Log-like lines of words and numbers, most short, one in a hundred up to 10,000 characters.
bool EnsureLog(const std::string& path, const std::vector<TCode>& codes) {
  if (std::filesystem::exists(path) && std::filesystem::file_size(path) >= kLogBytes) {
    return true;
  }
  std::fprintf(stderr, "writing %s ...\n", path.c_str());
  std::ofstream log(path, std::ios::binary | std::ios::trunc);
  std::mt19937 random(42);
  const char* words[] = {"2026-12-07", "10:41:07.118", "session", "pid=31337",
                         "ERROR",      "at",           "ksedmp",  "(CONNECT_DATA=(SID=orcl))",
                         "*",          "establish",    "0",       "status",
                         "tns",        "ora",          "x-ray",   "dump-file",
                         "INFO",       "thread"};
  std::uintmax_t written = 0;
  for (long line = 1; written < kLogBytes; ++line) {
    std::string text;
    const std::size_t length = random() % 100 == 0 ? 10'000 : 40 + random() % 160;
    while (text.size() < length) {
      text += words[random() % std::size(words)];
      text += ' ';
    }
    if (line % kLinesPerToken == 0) {
      const TCode& code = codes[random() % codes.size()];
      text += code.Prefix + "-" + code.Code + ": message follows";
    }
    text += '\n';
    log << text;
    written += text.size();
  }
  return static_cast<bool>(log);
}

std::string Pattern(const std::vector<std::string>& prefixes) {
  std::string names;
  for (const std::string& prefix : prefixes) {
    names += (names.empty() ? "" : "|") + prefix;
  }
  return "(^|[^A-Za-z0-9_])(" + names + ")-[0-9]+([^A-Za-z0-9_]|$)";
}

const char* Verdict(bool met) {
  return met ? "ok" : "OVER TARGET";
}

}  // namespace

int main() {
  const std::string folder = Platform::ProgramDirectory();
  const std::string dataFile = folder + "oerr-bench-1m.db";
  const std::string oerr = TOLVANE_OERR;
  if (!EnsureSyntheticDataFile(dataFile)) {
    return 1;
  }
  std::vector<std::string> prefixes;
  const std::vector<TCode> codes = SomeCodes(dataFile, prefixes);
  if (codes.empty()) {
    std::fprintf(stderr, "no codes in %s\n", dataFile.c_str());
    return 1;
  }

  const TCode& one = codes.front();
  // Output into a file: GNU grep stops at its first match when it writes to /dev/null.
  const std::string output = folder + "oerr-bench-output.txt";
  const double ours =
      MedianMillis({oerr, "--db", dataFile, one.Prefix, one.Code}, output, kLookupRuns);
  const double shell = MedianMillis(
      {"sqlite3", "-readonly", dataFile, LookupStatement(one.Prefix, one.Code, std::nullopt)},
      output, kLookupRuns);
  std::printf(
      "Lookup %s-%s, whole process: tolvane-oerr %.1f ms, sqlite3 %.1f ms: %.2f "
      "(target <= %.1f and < %.0f ms) %s\n",
      one.Prefix.c_str(), one.Code.c_str(), ours, shell, ours / shell, kLookupTargetRatio,
      kLookupTargetMillis,
      Verdict(ours > 0 && ours / shell <= kLookupTargetRatio && ours < kLookupTargetMillis));

  const std::string log = folder + "oerr-bench-200mb.log";
  if (!EnsureLog(log, codes)) {
    std::fprintf(stderr, "cannot write %s\n", log.c_str());
    return 1;
  }
  long peak = 0;
  const double explain =
      MedianMillis({oerr, "--db", dataFile, "explain", log}, output, kExplainRuns, &peak);
  const double grep =
      MedianMillis({"grep", "-c", "-E", Pattern(prefixes), log}, output, kExplainRuns);
  const double megabytes = static_cast<double>(peak) / 1024.0;
  rusage self{};
  getrusage(RUSAGE_SELF, &self);
  std::printf(
      "Explain of a 200 MB log: tolvane-oerr %.0f ms, grep -c -E %.0f ms: %.2f "
      "(target <= %.1f) %s\n",
      explain, grep, explain / grep, kExplainTargetRatio,
      Verdict(explain > 0 && explain / grep <= kExplainTargetRatio));
  std::printf(
      "Explain's peak memory: %.1f MB (target < %.0f MB) %s; the kernel counts this "
      "benchmark's own peak, %.1f MB, in it\n",
      megabytes, kExplainTargetMegabytes, Verdict(megabytes < kExplainTargetMegabytes),
      static_cast<double>(self.ru_maxrss) / 1024.0);
  return 0;
}
