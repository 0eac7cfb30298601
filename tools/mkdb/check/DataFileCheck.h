#pragma once
// Vetting a data file that came from elsewhere, read-only: the engine's own integrity check,
// the schema against the one the builder writes, the settings the window reads, and the
// content that would make the window misbehave or a comment be lost. The file is never
// written, so it is safe to check a file that the window has open.

#include <chrono>
#include <string>
#include <vector>

#include "tools/cli/ExitCode.h"

struct TCheckFinding {
  // Most serious first.
  enum class TSeverity { Damaged, Schema, Refused, Content, Comments, Engine };
  TSeverity Severity;
  std::string Text;
};

struct TCheckReport {
  bool IsDataFile = false;  // false: missing, not a database, unreadable, or held throughout
  TFailure Failure;         // why not (exit code 3, or 4 when another program held it)
  std::vector<TCheckFinding> Findings;  // in order of severity
  std::vector<std::string> Facts;       // the settings as the window would use them, counts
};

// `path`: relative to the working folder. Waits at most `wait` for another program's lock.
TCheckReport CheckDataFile(const std::string& path,
                           std::chrono::milliseconds wait = std::chrono::seconds(5));

// The report as plain lines: one finding a line, then the facts, then the verdict.
std::string FormatCheckReport(const std::string& path, const TCheckReport& report);
