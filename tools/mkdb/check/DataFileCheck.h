#pragma once
// Vetting a data file that came from elsewhere, read-only: the engine's own integrity check,
// the schema against the one the builder writes, the settings the window reads, and the
// content that would make the window misbehave or a comment be lost. The file is never
// written, so it is safe to check a file that the window has open.

#include <string>
#include <vector>

struct TCheckFinding {
  // Most serious first.
  enum class TSeverity { Damaged, Schema, Refused, Content, Comments, Engine };
  TSeverity Severity;
  std::string Text;
};

struct TCheckReport {
  bool IsDataFile = false;              // false: missing, not a database, unreadable
  std::vector<TCheckFinding> Findings;  // in order of severity
  std::vector<std::string> Facts;       // the settings as the window would use them, counts
};

TCheckReport CheckDataFile(const std::string& path);

// The report as plain lines: one finding a line, then the facts, then the verdict.
std::string FormatCheckReport(const std::string& path, const TCheckReport& report);
