#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <random>
#include <system_error>

#include "tools/cli/Paths.h"
#include "tools/mkdb/catalogue/DataFileSchema.h"
#include "tools/mkdb/check/Checker.h"

namespace Check {

namespace {

constexpr std::size_t kShownIntegrityFindings = 20;

std::vector<std::string> ColumnsOf(TLiteDB& db, const std::string& table) {
  return FirstColumn(db, "SELECT name FROM pragma_table_info('" + table + "')")
      .value_or(std::vector<std::string>());
}

}  // namespace

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

void TChecker::Run() {
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

void TChecker::Add(TSeverity severity, std::string text) {
  Report.Findings.push_back({severity, std::move(text)});
}

std::vector<std::string> TChecker::Column(const std::string& sql) {
  std::optional<std::vector<std::string>> values = FirstColumn(DB, sql);
  if (!values) {
    Add(TSeverity::Damaged, "engine: " + DB.GetErrorMessage() + " in: " + sql);
    return {};
  }
  return std::move(*values);
}

std::int64_t TChecker::Count(const std::string& sql) {
  const std::vector<std::string> values = Column(sql);
  std::int64_t count = 0;
  if (!values.empty()) {
    std::from_chars(values[0].data(), values[0].data() + values[0].size(), count);
  }
  return count;
}

void TChecker::Integrity() {
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

void TChecker::Schema() {
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

void TChecker::ReadBuilderSchema(std::map<std::string, std::set<std::string>>& tables,
                                 std::set<std::string>& objects) {
  const std::string scratchName =
      "tolvane-check-schema-" + std::to_string(std::random_device()()) + ".db";
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  // Without a temporary folder, the working folder serves; a bare name would be the program's.
  const std::string scratch =
      error ? PathFromArgument(scratchName) : Utf8Path(folder / PathFromUtf8(scratchName));
  {
    TLiteDB schema;
    if (schema.Use(scratch) && schema.Query(std::string(kCreateTablesSql)) &&
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
  std::filesystem::remove(PathFromUtf8(scratch), error);
}

}  // namespace Check
