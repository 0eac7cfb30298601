#include "tools/mkdb/check/DataFileCheck.h"

#include <algorithm>

#include "platform/Files.h"
#include "tools/cli/ToolDataFile.h"
#include "tools/mkdb/check/Checker.h"

TCheckReport CheckDataFile(const std::string& path, std::chrono::milliseconds wait) {
  TCheckReport report;
  TToolDataFile file(path, {true, wait, kExitUnusable});
  if (!file.Check()) {
    report.Failure = file.OpenFailure();
    return report;
  }
  if (!Platform::ReadFileHead(file.Path(), 16)
           .starts_with(std::string_view("SQLite format 3", 16))) {
    report.Failure = {kExitUnusable, path + ": not a database, or unreadable"};
    return report;
  }
  if (!file.Open()) {
    report.Failure = file.OpenFailure();
    return report;
  }
  report.IsDataFile = true;
  TLiteDB& db = file.Db();
  // Whatever engine is beside the tool: the file's views and triggers may call nothing that
  // has side effects while it is checked.
  db.Query("PRAGMA trusted_schema=OFF");
  db.ClearResults();
  Check::TChecker(db, report).Run();
  if (file.Locked()) {  // what was read while it was held says nothing about the file
    report = {};
    report.Failure = file.Failure("");
    return report;
  }
  std::stable_sort(
      report.Findings.begin(), report.Findings.end(),
      [](const TCheckFinding& a, const TCheckFinding& b) { return a.Severity < b.Severity; });
  return report;
}

std::string FormatCheckReport(const std::string& path, const TCheckReport& report) {
  std::string out;
  for (const TCheckFinding& finding : report.Findings) {
    out += finding.Text + "\n";
  }
  for (const std::string& fact : report.Facts) {
    out += fact + "\n";
  }
  if (!report.IsDataFile) {
    out += "verdict: " + path + " is no data file\n";
  } else if (report.Findings.empty()) {
    out += "verdict: " + path + " is sound\n";
  } else {
    out += "verdict: " + path + " has " + std::to_string(report.Findings.size()) +
           (report.Findings.size() == 1 ? " problem\n" : " problems\n");
  }
  return out;
}
