#include "tools/mkdb/DataFileCheck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "app/StartUpRules.h"
#include "data/LiteDb.h"
#include "data/Utf8Text.h"
#include "details/ReadTxt.h"
#include "tools/mkdb/DataFileSchema.h"
#include "tools/mkdb/Utf8Path.h"

namespace {

using TSeverity = TCheckFinding::TSeverity;

constexpr std::size_t kShownIntegrityFindings = 20;
constexpr int kTextRowsPerRead = 20000;
constexpr std::size_t kShownExamples = 5;
constexpr std::size_t kLongestShownCode = 5;  // the result list keeps five characters

const char* const kWindowMisbehaves = " (the window would misbehave)";
const char* const kCommentLost = " (a comment could be lost)";

// The first column of every row, or nothing when the statement fails.
std::optional<std::vector<std::string>> FirstColumn(TLiteDB& db, const std::string& sql) {
  if (!db.Query(sql)) {
    return std::nullopt;
  }
  std::vector<std::string> values;
  for (std::int32_t row = 0; row < db.RowCount(); ++row) {
    values.push_back(db.Row(row).Field(0).Value);
  }
  db.ClearResults();
  return values;
}

std::vector<std::string> ColumnsOf(TLiteDB& db, const std::string& table) {
  return FirstColumn(db, "SELECT name FROM pragma_table_info('" + table + "')")
      .value_or(std::vector<std::string>());
}

class TChecker {
 public:
  TChecker(TLiteDB& db, TCheckReport& report) : DB(db), Report(report) {}

  void Run() {
    Integrity();
    Schema();
    if (!HasTable("error") || !HasTable("version") || !HasTable("prefix")) {
      return;  // the rest reads those tables
    }
    Settings();
    Content();
    Comments();
    Counts();
    if (!DB.DefensiveMode()) {
      Add(TSeverity::Engine,
          "engine: defensive mode is not available in the engine beside this program, so SQL "
          "could damage a file's structure");
    }
  }

 private:
  void Add(TSeverity severity, std::string text) {
    Report.Findings.push_back({severity, std::move(text)});
  }

  // The first column of every row; the statement's error is a finding of its own.
  std::vector<std::string> Column(const std::string& sql) {
    std::optional<std::vector<std::string>> values = FirstColumn(DB, sql);
    if (!values) {
      Add(TSeverity::Damaged, "engine: " + DB.GetErrorMessage() + " in: " + sql);
      return {};
    }
    return std::move(*values);
  }

  std::int64_t Count(const std::string& sql) {
    const std::vector<std::string> values = Column(sql);
    std::int64_t count = 0;
    if (!values.empty()) {
      std::from_chars(values[0].data(), values[0].data() + values[0].size(), count);
    }
    return count;
  }

  bool HasTable(const std::string& name) const { return Tables.count(name) != 0; }

  void Integrity() {
    const std::optional<std::vector<std::string>> found = FirstColumn(DB, "PRAGMA integrity_check");
    if (!found) {  // damage that stops the check itself
      Add(TSeverity::Damaged, "integrity: " + DB.GetErrorMessage() + kWindowMisbehaves);
      return;
    }
    const std::vector<std::string>& lines = *found;
    if (lines.size() == 1 && lines[0] == "ok") {
      return;
    }
    for (std::size_t at = 0; at < lines.size() && at < kShownIntegrityFindings; ++at) {
      Add(TSeverity::Damaged, "integrity: " + lines[at] + kWindowMisbehaves);
    }
    if (lines.size() > kShownIntegrityFindings) {
      Add(TSeverity::Damaged, "integrity: and " +
                                  std::to_string(lines.size() - kShownIntegrityFindings) +
                                  " more such findings");
    }
  }

  // The builder's schema, made in a scratch file of its own, against this one's.
  void Schema() {
    std::map<std::string, std::set<std::string>> expected;  // table -> columns
    std::set<std::string> expectedObjects;                  // "type name"
    ReadBuilderSchema(expected, expectedObjects);
    if (!DB.Query("SELECT type, name, COALESCE(sql, ''), tbl_name FROM sqlite_schema "
                  "WHERE name NOT LIKE 'sqlite_%' ORDER BY type, name")) {
      Add(TSeverity::Damaged, "schema: cannot be read: " + DB.GetErrorMessage());
      return;
    }
    std::vector<std::array<std::string, 3>> objects;
    for (std::int32_t row = 0; row < DB.RowCount(); ++row) {
      TResultRow& r = DB.Row(row);
      std::array<std::string, 3> object;
      for (int field = 0; field < 3; ++field) {
        object[static_cast<std::size_t>(field)] = r.Field(field).Value;
      }
      objects.push_back(std::move(object));
    }
    DB.ClearResults();
    for (const auto& [type, name, sql] : objects) {
      if (type == "table") {
        Tables.insert(name);
      }
      if (expectedObjects.count(type + " " + name) == 0) {
        // Views and triggers run on their own when the window reads or writes.
        Add(TSeverity::Schema, "schema: extra " + type + " " + name + ": " + sql +
                                   (type == "trigger" || type == "view" ? kWindowMisbehaves : ""));
      }
    }
    for (const auto& [table, columns] : expected) {
      if (!HasTable(table)) {
        Add(TSeverity::Schema, "schema: table " + table + " is missing" + kWindowMisbehaves);
        continue;
      }
      std::set<std::string> present;
      for (const std::string& column : ColumnsOf(DB, table)) {
        present.insert(column);
      }
      for (const std::string& column : columns) {
        if (present.count(column) == 0) {
          Add(TSeverity::Schema,
              "schema: column " + table + "." + column + " is missing" + kWindowMisbehaves);
        }
      }
    }
  }

  static void ReadBuilderSchema(std::map<std::string, std::set<std::string>>& tables,
                                std::set<std::string>& objects) {
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() /
        ("tolvane-check-schema-" + std::to_string(std::random_device()()) + ".db");
    {
      TLiteDB schema;
      if (schema.Use(Utf8Path(scratch)) && schema.Query(std::string(kCreateTablesSql)) &&
          schema.Query(std::string(kCreateIndexesSql)) &&
          schema.Query("SELECT type, name FROM sqlite_schema WHERE name NOT LIKE 'sqlite_%'")) {
        std::vector<std::pair<std::string, std::string>> names;
        for (std::int32_t row = 0; row < schema.RowCount(); ++row) {
          // One cell serves every field of a row: each value is copied before the next.
          std::string type = schema.Row(row).Field(0).Value;
          names.emplace_back(std::move(type), schema.Row(row).Field(1).Value);
        }
        for (const auto& [type, name] : names) {
          objects.insert(type + " " + name);
          if (type == "table") {
            for (const std::string& column : ColumnsOf(schema, name)) {
              tables[name].insert(column);
            }
          }
        }
      }
    }
    std::error_code ignored;
    std::filesystem::remove(scratch, ignored);
  }

  std::optional<std::string> Setting(const std::string& key) {
    const std::vector<std::string> values =
        Column("SELECT value FROM sys_data WHERE param = '" + key + "' ORDER BY rowid LIMIT 1");
    return values.empty() ? std::nullopt : std::optional<std::string>(values[0]);
  }

  void Settings() {
    if (!HasTable("sys_data")) {
      return;
    }
    const std::optional<std::string> format = Setting("min_req_exe_vers");
    // The window's own rules, on the text as the window reads it.
    const std::optional<int> required = StoredInteger(Utf8ToUtf16Exact(format.value_or("")));
    if (!required) {
      Add(TSeverity::Refused, "sys_data: min_req_exe_vers is \"" + format.value_or("") +
                                  "\", no number: the window refuses the file as broken");
    } else if (CompatibilityProblem(Utf8ToUtf16Exact(*format))) {
      Add(TSeverity::Refused, "sys_data: min_req_exe_vers " + std::to_string(*required) +
                                  " needs a newer program than this one (" +
                                  std::to_string(kExeVersion) + "): the window refuses the file");
    } else {
      Report.Facts.push_back("sys_data: min_req_exe_vers " + std::to_string(*required) +
                             ": this program can use the file");
    }
    const std::optional<std::string> limit = Setting("max_fetch_rows");
    const std::string used =
        Utf16ToUtf8Exact(RowLimitFromSetting(Utf8ToUtf16Exact(limit.value_or(""))));
    Report.Facts.push_back("sys_data: max_fetch_rows " +
                           (limit ? "\"" + *limit + "\"" : std::string("(none)")) +
                           ": a search lists at most " + used + " rows");
    const std::string language = Setting("interface_lang").value_or("");
    Report.Facts.push_back("sys_data: interface_lang " +
                           (language.empty() || language == "EN"
                                ? std::string("English")
                                : "\"" + language +
                                      "\": captions translated where the file has "
                                      "them"));
    for (const char* key : {"last_err_vers", "last_err_pref", "last_err_code"}) {
      if (const std::optional<std::string> value = Setting(key)) {
        Report.Facts.push_back(std::string("sys_data: ") + key + " \"" + *value +
                               "\": restored at start");
      }
    }
  }

  void Examples(TSeverity severity, const std::string& what, const std::string& sql,
                const std::string& consequence) {
    const std::vector<std::string> rows = Column(sql);
    if (rows.empty()) {
      return;
    }
    std::string text = "content: " + std::to_string(rows.size()) + " " + what + ", e.g.";
    for (std::size_t at = 0; at < rows.size() && at < kShownExamples; ++at) {
      text += (at == 0 ? " " : ", ") + rows[at];
    }
    Add(severity, text + consequence);
  }

  void Content() {
    Examples(TSeverity::Content, "messages of a version that does not exist",
             "SELECT e_pk FROM error WHERE vers_fk NOT IN (SELECT vers_pk FROM version)",
             kWindowMisbehaves);
    Examples(TSeverity::Content, "messages of a prefix that does not exist",
             "SELECT e_pk FROM error WHERE pref_fk NOT IN (SELECT pref_pk FROM prefix)",
             kWindowMisbehaves);
    Examples(TSeverity::Content, "codes the window cannot show (longer than five or not digits)",
             "SELECT quote(e_code) FROM error WHERE length(e_code) > " +
                 std::to_string(kLongestShownCode) + " OR e_code GLOB '*[^0-9]*' OR e_code = ''",
             kWindowMisbehaves);
    Examples(TSeverity::Content, "version, prefix and code pairs held by more than one message",
             "SELECT v.vers_name || ' ' || p.pref_name || '-' || e.e_code FROM error e "
             "LEFT JOIN version v ON v.vers_pk = e.vers_fk LEFT JOIN prefix p ON "
             "p.pref_pk = e.pref_fk GROUP BY e.vers_fk, e.pref_fk, e.e_code HAVING COUNT(*) > 1",
             " (the window would show one code twice, and a comment may land on either)");
    Texts();
  }

  // Cause and action, read in slices by key so that a million messages stay small in memory,
  // through the engine's UTF-16 calls as the window reads them.
  void Texts() {
    std::int64_t bad = 0;
    std::vector<std::string> examples;
    for (std::string last = "-9223372036854775808";;) {
      if (!DB.QueryW(UTF8Decode("SELECT e_pk, e_code, e_cause, e_action FROM error WHERE e_pk > " +
                                last + " ORDER BY e_pk LIMIT " +
                                std::to_string(kTextRowsPerRead)))) {
        Add(TSeverity::Damaged, "content: the texts cannot be read: " + DB.GetErrorMessage());
        return;
      }
      const std::int32_t rows = DB.RowCount();
      for (std::int32_t at = 0; at < rows; ++at) {
        TResultRow& row = DB.Row(at);
        const std::string key = row.Field(0).Value;
        const std::string code = row.Field(1).Value.substr(0, kLongestShownCode);
        for (int field = 2; field <= 3; ++field) {
          const TResultCell cell = row.Field(field);
          if (!cell.IsNull && !cell.Value.empty() && !Unscrambles(code, cell.AsWideString())) {
            ++bad;
            if (examples.size() < kShownExamples) {
              examples.push_back(key);
            }
          }
        }
        last = key;
      }
      DB.ClearResults();
      if (rows < kTextRowsPerRead) {
        break;
      }
    }
    if (bad > 0) {
      std::string text = "content: " + std::to_string(bad) +
                         " cause or action texts that do not unscramble to valid text, e.g. "
                         "of messages";
      for (const std::string& key : examples) {
        text += " " + key;
      }
      Add(TSeverity::Content, text + kWindowMisbehaves);
    }
  }

  // The text unscrambles by the code to text in which every surrogate half has its partner:
  // the scrambling swaps code units, so a text stored without it splits characters beyond
  // the Basic Multilingual Plane. A code of other characters than digits unscrambles nothing.
  static bool Unscrambles(const std::string& code, const std::u16string& stored) {
    const std::u16string text = ReadTxt(code, stored);
    if (text.empty()) {
      return false;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
      const char16_t unit = text[at];
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        if (at + 1 >= text.size() || text[at + 1] < 0xDC00 || text[at + 1] > 0xDFFF) {
          return false;
        }
        ++at;
      } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
        return false;
      }
    }
    return true;
  }

  void Comments() {
    if (!HasTable("usr_comment")) {
      return;
    }
    Examples(TSeverity::Comments, "comments whose message does not exist",
             "SELECT quote(commentary) FROM usr_comment WHERE e_fk NOT IN (SELECT e_pk FROM "
             "error)",
             kCommentLost);
  }

  void Counts() {
    Report.Facts.push_back(
        "counts: " + std::to_string(Count("SELECT COUNT(*) FROM version")) + " versions, " +
        std::to_string(Count("SELECT COUNT(*) FROM prefix")) + " prefixes, " +
        std::to_string(Count("SELECT COUNT(*) FROM error")) + " messages, " +
        std::to_string(HasTable("usr_comment") ? Count("SELECT COUNT(*) FROM usr_comment") : 0) +
        " comments");
  }

  TLiteDB& DB;
  TCheckReport& Report;
  std::set<std::string> Tables;
};

// The first bytes of every SQLite 3 file.
bool HasDatabaseHeader(const std::filesystem::path& file) {
  static constexpr char kHeader[] = "SQLite format 3";
  char start[sizeof kHeader] = {};
  std::ifstream in(file, std::ios::binary);
  return in.read(start, sizeof start) && std::equal(start, start + sizeof kHeader, kHeader);
}

}  // namespace

TCheckReport CheckDataFile(const std::string& path) {
  TCheckReport report;
  const std::filesystem::path file = PathFromUtf8(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    report.Findings.push_back({TSeverity::Damaged, "no such data file"});
    return report;
  }
  if (!HasDatabaseHeader(file)) {
    report.Findings.push_back({TSeverity::Damaged, "not a database, or unreadable"});
    return report;
  }
  TLiteDB db;
  db.ReadOnly = true;
  db.UniCode = true;
  // The data layer would look for a bare name beside the program.
  if (!db.Use(Utf8Path(std::filesystem::absolute(file)))) {
    report.Findings.push_back(
        {TSeverity::Damaged, "cannot be opened: " + db.CurrentResult().ErrorText});
    return report;
  }
  report.IsDataFile = true;
  // Whatever engine is beside the tool: the file's views and triggers may call nothing that
  // has side effects while it is checked.
  db.Query("PRAGMA trusted_schema=OFF");
  db.ClearResults();
  TChecker(db, report).Run();
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
