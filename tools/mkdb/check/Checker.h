#pragma once
// Internal to the check: the checker that runs every check of an open data file, its findings
// in the report in the order they are found. Its structure checks (the engine's integrity
// check, the schema) are in CheckerStructure.cpp, its content checks (settings, messages,
// texts, comments, counts) in CheckerContent.cpp.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/LiteDb.h"
#include "tools/mkdb/check/DataFileCheck.h"

namespace Check {

using TSeverity = TCheckFinding::TSeverity;

inline constexpr std::size_t kShownExamples = 5;
inline constexpr std::size_t kLongestShownCode = 5;  // the result list keeps five characters
inline constexpr const char* kWindowMisbehaves = " (the window would misbehave)";

// The first column of every row, or nothing when the statement fails.
std::optional<std::vector<std::string>> FirstColumn(TLiteDB& db, const std::string& sql);

class TChecker {
 public:
  TChecker(TLiteDB& db, TCheckReport& report) : DB(db), Report(report) {}

  void Run();

 private:
  void Add(TSeverity severity, std::string text);
  // The first column of every row; the statement's error is a finding of its own.
  std::vector<std::string> Column(const std::string& sql);
  std::int64_t Count(const std::string& sql);
  void Integrity();
  // The builder's schema, made in a scratch file of its own, against this one's.
  void Schema();
  static void ReadBuilderSchema(std::map<std::string, std::set<std::string>>& tables,
                                std::set<std::string>& objects);
  std::optional<std::string> Setting(const std::string& key);
  void Settings();
  void Examples(TSeverity severity, const std::string& what, const std::string& sql,
                const std::string& consequence);
  void Content();
  // Cause and action, read in slices by key so that a million messages stay small in memory,
  // through the engine's UTF-16 calls as the window reads them.
  void Texts();
  // The text unscrambles by the code to text in which every surrogate half has its partner:
  // the scrambling swaps code units, so a text stored without it splits characters beyond
  // the Basic Multilingual Plane. A code of other characters than digits unscrambles nothing.
  static bool Unscrambles(const std::string& code, const std::u16string& stored);
  void Comments();
  void Counts();
  bool HasTable(const std::string& name) const { return Tables.count(name) != 0; }

  TLiteDB& DB;
  TCheckReport& Report;
  std::set<std::string> Tables;
};

}  // namespace Check
