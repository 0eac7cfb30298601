#include <charconv>

#include "app/StartUpRules.h"
#include "data/Utf8Text.h"
#include "details/ReadTxt.h"
#include "tools/mkdb/check/Checker.h"

namespace Check {

namespace {

constexpr int kTextRowsPerRead = 20000;
const char* const kCommentLost = " (a comment could be lost)";

}  // namespace
std::optional<std::string> TChecker::Setting(const std::string& key) {
  const std::vector<std::string> values =
      Column("SELECT value FROM sys_data WHERE param = '" + key + "' ORDER BY rowid LIMIT 1");
  return values.empty() ? std::nullopt : std::optional<std::string>(values[0]);
}

void TChecker::Settings() {
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

void TChecker::Examples(TSeverity severity, const std::string& what, const std::string& sql,
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

void TChecker::Content() {
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

void TChecker::Texts() {
  std::int64_t bad = 0;
  std::vector<std::string> examples;
  for (std::string last = "-9223372036854775808";;) {
    if (!DB.QueryW(UTF8Decode("SELECT e_pk, e_code, e_cause, e_action FROM error WHERE e_pk > " +
                              last + " ORDER BY e_pk LIMIT " + std::to_string(kTextRowsPerRead)))) {
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

bool TChecker::Unscrambles(const std::string& code, const std::u16string& stored) {
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

void TChecker::Comments() {
  if (!HasTable("usr_comment")) {
    return;
  }
  Examples(TSeverity::Comments, "comments whose message does not exist",
           "SELECT quote(commentary) FROM usr_comment WHERE e_fk NOT IN (SELECT e_pk FROM "
           "error)",
           kCommentLost);
}

void TChecker::Counts() {
  Report.Facts.push_back(
      "counts: " + std::to_string(Count("SELECT COUNT(*) FROM version")) + " versions, " +
      std::to_string(Count("SELECT COUNT(*) FROM prefix")) + " prefixes, " +
      std::to_string(Count("SELECT COUNT(*) FROM error")) + " messages, " +
      std::to_string(HasTable("usr_comment") ? Count("SELECT COUNT(*) FROM usr_comment") : 0) +
      " comments");
}

}  // namespace Check
