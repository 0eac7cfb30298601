// Vetting data files from elsewhere: a clean file, then one fault each, then all at once;
// each fault found and named, and the file left as it was.
#include "tools/mkdb/check/DataFileCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data/LiteDb.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextCases.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"

namespace {

// Each fault: the statement that makes it (or a page overwritten, or a text stored without
// scrambling) and what the report must say about it.
const struct {
  const char* Sql;
  std::string_view Found;
} kFaults[] = {
    {"%page", "integrity: "},
    {"CREATE VIEW v AS SELECT 1; CREATE TRIGGER t AFTER INSERT ON usr_comment BEGIN "
     "DELETE FROM usr_comment; END",
     "schema: extra trigger t: CREATE TRIGGER t AFTER INSERT ON usr_comment BEGIN DELETE FROM "
     "usr_comment; END (the window would misbehave)\nschema: extra view v: CREATE VIEW v AS SELECT "
     "1"},
    {"INSERT INTO usr_comment VALUES (999999, 'lost note', '')",
     "content: 1 comments whose message does not exist, e.g. 'lost note' (a comment could be "
     "lost)"},
    {"INSERT INTO error (vers_fk, pref_fk, e_code, e_message) SELECT vers_fk, pref_fk, e_code, "
     "e_message FROM error WHERE e_code = '00042'",
     "content: 1 version, prefix and code pairs held by more than one message, e.g. 19c ORA-00042"},
    {"INSERT INTO error (vers_fk, pref_fk, e_code, e_message) SELECT vers_fk, pref_fk, "
     "'123456', 'long' FROM error LIMIT 1",
     "content: 1 codes the window cannot show (longer than five or not digits), e.g. '123456'"},
    {"%unscramble", "content: 1 cause or action texts that do not unscramble to valid text"},
    {"UPDATE sys_data SET value = '21' WHERE param = 'min_req_exe_vers'",
     "sys_data: min_req_exe_vers 21 needs a newer program"},
    {"UPDATE sys_data SET value = '+-5' WHERE param = 'min_req_exe_vers'",
     "sys_data: min_req_exe_vers is \"+-5\", no number: the window refuses the file as broken"},
};

class DataFileCheckTest : public testing::Test {
 protected:
  // Enough messages that the file has many pages, one of which a fault can overwrite.
  void SetUp() override {
    TCatalogue catalogue;
    catalogue.Prefixes = {{"ORA", "Server"}, {"SP2", "SQL*Plus"}};
    TCatalogueVersion version{"19c", {}};
    for (int code = 1; code <= 400; ++code) {
      const std::string digits = std::to_string(100000 + code).substr(1);
      version.Messages["ORA"].push_back(
          {digits, "message " + digits, "cause of " + digits, "action"});
    }
    // Characters beyond the Basic Multilingual Plane, which the scrambling splits and joins.
    version.Messages["ORA"][8].Cause = "\U0001F600 a\U0001F4E6b \U0002000B";
    version.Messages["SP2"] = {{"0310", "unable to open file", "Missing.", "Check."}};
    catalogue.Versions = {version};
    std::string error;
    ASSERT_TRUE(BuildDataFile(File.string(), catalogue, error)) << error;
  }

  void Apply(const char* sql) {
    if (std::string(sql) == "%page") {
      std::fstream file(File, std::ios::binary | std::ios::in | std::ios::out);
      file.seekp(static_cast<std::streamoff>(std::filesystem::file_size(File) / 2));
      file << std::string(4096, '\x55');
      return;
    }
    TLiteDB db;
    ASSERT_TRUE(db.Use(File.string()));
    if (std::string(sql) == "%unscramble") {
      // Stored by another tool without scrambling: unscrambling splits the emoji.
      ASSERT_TRUE(db.FormatQuery(u"UPDATE error SET e_cause = %s WHERE e_code = '00007'",
                                 {TSqlArg::WideString(u"ab\U0001F600def")}));
      return;
    }
    ASSERT_TRUE(db.Query(sql)) << db.GetErrorMessage();
  }

  // The report and its text, checking that the file is left as it was.
  std::pair<TCheckReport, std::string> Check() {
    const std::string before = FileBytes(File);
    TCheckReport report = CheckDataFile(File.string());
    EXPECT_EQ(FileBytes(File), before);
    return {report, FormatCheckReport(File.string(), report)};
  }

  TTempFolder Folder;
  std::filesystem::path File = Folder.Path() / "colleague.db";
};

// A clean file is sound; each fault alone is found and named, and but for the damaged page
// nothing else is reported.
TEST_F(DataFileCheckTest, EachFaultIsFoundAndNamed) {
  const auto [clean, sound] = Check();
  EXPECT_TRUE(clean.IsDataFile && clean.Findings.empty()) << sound;
  for (const char* fact :
       {"counts: 1 versions, 2 prefixes, 401 messages, 0 comments",
        "sys_data: max_fetch_rows (none): a search lists at most 500 rows", " is sound\n"}) {
    EXPECT_TRUE(Contains(sound, fact));
  }
  for (const auto& fault : kFaults) {
    SetUp();
    Apply(fault.Sql);
    const auto [report, text] = Check();
    EXPECT_TRUE(report.IsDataFile) << fault.Found;
    EXPECT_TRUE(Contains(text, fault.Found));
    if (&fault != &kFaults[0]) {  // one finding a line of Found
      EXPECT_EQ(report.Findings.size(), 1 + std::size_t(std::ranges::count(fault.Found, '\n')))
          << text;
    }
  }
}

TEST_F(DataFileCheckTest, AllFaultsAtOnceMostSeriousFirst) {
  // All but the last, which rewrites the setting the one before it sets; the page last, as
  // the statements need a sound file.
  for (std::size_t fault = 1; fault + 1 < std::size(kFaults); ++fault) {
    Apply(kFaults[fault].Sql);
  }
  Apply(kFaults[0].Sql);
  const auto [report, text] = Check();
  // A damaged page may hide some content; the schema and settings are still read.
  EXPECT_EQ(text.find("integrity: "), 0u) << text;
  EXPECT_LT(text.find(kFaults[1].Found), text.find(kFaults[6].Found)) << text;
  EXPECT_TRUE(Contains(text, kFaults[6].Found));
}

// No file at all is none, and is not created; nor is a text file.
TEST_F(DataFileCheckTest, WhatIsNoDataFileAtAll) {
  EXPECT_FALSE(CheckDataFile(Folder.File("none.db")).IsDataFile);
  EXPECT_FALSE(std::filesystem::exists(Folder.Path() / "none.db"));
  const std::string notes = Folder.Write("notes.txt", "ORA-00942 is about a missing table\n");
  EXPECT_TRUE(Contains(FormatCheckReport("notes.txt", CheckDataFile(notes)),
                       "verdict: notes.txt is no data file"));
}

}  // namespace
