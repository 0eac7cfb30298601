// Vetting data files from elsewhere: a clean file, then one fault each, then all at once;
// each fault found and named, the right exit code, the file left as it was.
#include "tools/mkdb/DataFileCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "data/LiteDb.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/DataFileBuilder.h"

namespace {

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Enough messages that the file has many pages, one of which a fault can overwrite.
TCatalogue CheckedCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"ORA", "Server"}, {"SP2", "SQL*Plus"}};
  TCatalogueVersion version{"19c", {}};
  for (int code = 1; code <= 400; ++code) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05d", code);
    version.Messages["ORA"].push_back(
        {digits, "message " + std::string(digits), "cause of " + std::string(digits), "action"});
  }
  // Characters beyond the Basic Multilingual Plane, which the scrambling splits and joins.
  version.Messages["ORA"][8].Cause =
      "\xF0\x9F\x98\x80 a\xF0\x9F\x93\xA6"
      "b \xF0\xA0\x80\x8B";
  version.Messages["SP2"] = {{"0310", "unable to open file", "Missing.", "Check."}};
  catalogue.Versions = {version};
  return catalogue;
}

struct TFault {
  const char* Name;
  const char* Sql;  // run on the file; empty for none
  bool OverwritePage = false;
};

const TFault kFaults[] = {
    {"a page overwritten", "", true},
    {"a view and a trigger",
     "CREATE VIEW v AS SELECT 1; CREATE TRIGGER t AFTER INSERT ON usr_comment BEGIN "
     "DELETE FROM usr_comment; END"},
    {"an orphan comment", "INSERT INTO usr_comment VALUES (999999, 'lost note', '')"},
    {"a duplicate message",
     "INSERT INTO error (vers_fk, pref_fk, e_code, e_message) SELECT vers_fk, pref_fk, e_code, "
     "e_message FROM error WHERE e_code = '00042'"},
    {"a six-digit code",
     "INSERT INTO error (vers_fk, pref_fk, e_code, e_message) SELECT vers_fk, pref_fk, "
     "'123456', 'long' FROM error LIMIT 1"},
    {"a text that does not unscramble", "%unscramble"},
    {"too new a file", "UPDATE sys_data SET value = '21' WHERE param = 'min_req_exe_vers'"},
    {"a version key the window cannot read",
     "UPDATE sys_data SET value = '+-5' WHERE param = 'min_req_exe_vers'"},
};

// What the report must say for each fault.
const char* const kFound[] = {
    "integrity: ",
    "schema: extra trigger t: CREATE TRIGGER t AFTER INSERT ON usr_comment",
    "content: 1 comments whose message does not exist, e.g. 'lost note' (a comment could be lost)",
    "content: 1 version, prefix and code pairs held by more than one message, e.g. 19c ORA-00042",
    "content: 1 codes the window cannot show (longer than five or not digits), e.g. '123456'",
    "content: 1 cause or action texts that do not unscramble to valid text",
    "sys_data: min_req_exe_vers 21 needs a newer program",
    "sys_data: min_req_exe_vers is \"+-5\", no number: the window refuses the file as broken",
};

class DataFileCheckTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(BuildDataFile(File.string(), CheckedCatalogue(), error)) << error;
  }

  void Apply(const TFault& fault) {
    if (fault.OverwritePage) {
      const std::uintmax_t size = std::filesystem::file_size(File);
      std::fstream file(File, std::ios::binary | std::ios::in | std::ios::out);
      file.seekp(static_cast<std::streamoff>(size / 2));
      const std::string garbage(4096, '\x55');
      file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
      return;
    }
    TLiteDB db;
    ASSERT_TRUE(db.Use(File.string()));
    if (std::string(fault.Sql) == "%unscramble") {
      // Stored by another tool without scrambling: unscrambling splits the emoji.
      ASSERT_TRUE(db.FormatQuery(u"UPDATE error SET e_cause = %s WHERE e_code = '00007'",
                                 {TSqlArg::WideString(u"ab\U0001F600def")}));
      return;
    }
    ASSERT_TRUE(db.Query(fault.Sql)) << db.GetErrorMessage();
  }

  // The report, checking that the file is left as it was.
  std::pair<TCheckReport, std::string> Check() {
    const std::string before = FileBytes(File);
    TCheckReport report = CheckDataFile(File.string());
    EXPECT_EQ(FileBytes(File), before);
    return {report, FormatCheckReport(File.string(), report)};
  }

  TTempFolder Folder;
  std::filesystem::path File = Folder.Path() / "colleague.db";
};

TEST_F(DataFileCheckTest, ACleanFileIsSound) {
  const auto [report, text] = Check();
  EXPECT_TRUE(report.IsDataFile);
  EXPECT_TRUE(report.Findings.empty()) << text;
  EXPECT_NE(text.find("counts: 1 versions, 2 prefixes, 401 messages, 0 comments"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("sys_data: max_fetch_rows (none): a search lists at most 500 rows"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" is sound\n"), std::string::npos);
}

TEST_F(DataFileCheckTest, EachFaultIsFoundAndNamed) {
  static_assert(std::size(kFaults) == std::size(kFound));
  for (std::size_t fault = 0; fault < std::size(kFaults); ++fault) {
    SetUp();
    Apply(kFaults[fault]);
    const auto [report, text] = Check();
    EXPECT_TRUE(report.IsDataFile) << kFaults[fault].Name;
    EXPECT_FALSE(report.Findings.empty()) << kFaults[fault].Name;
    EXPECT_NE(text.find(kFound[fault]), std::string::npos) << kFaults[fault].Name << "\n" << text;
    if (!kFaults[fault].OverwritePage) {
      for (std::size_t other = 0; other < std::size(kFound); ++other) {
        if (other != fault) {
          EXPECT_EQ(text.find(kFound[other]), std::string::npos)
              << kFaults[fault].Name << " also reports " << kFound[other];
        }
      }
    }
  }
}

TEST_F(DataFileCheckTest, AllFaultsAtOnceMostSeriousFirst) {
  // All but the last, which rewrites the setting the one before it sets.
  for (std::size_t fault = 1; fault + 1 < std::size(kFaults); ++fault) {
    Apply(kFaults[fault]);
  }
  Apply(kFaults[0]);  // the page last: the statements above need a sound file
  const auto [report, text] = Check();
  ASSERT_FALSE(report.Findings.empty());
  EXPECT_EQ(text.find("integrity: "), 0u) << text;
  for (std::size_t fault = 1; fault < std::size(kFound); ++fault) {
    // A damaged page may hide some content; the schema and settings are still read.
    if (fault == 1 || fault == 6) {
      EXPECT_NE(text.find(kFound[fault]), std::string::npos) << kFound[fault] << "\n" << text;
    }
  }
  EXPECT_LT(text.find("schema: "), text.find("sys_data: min_req"));
}

TEST_F(DataFileCheckTest, WhatIsNoDataFileAtAll) {
  EXPECT_FALSE(CheckDataFile((Folder.Path() / "none.db").string()).IsDataFile);
  EXPECT_FALSE(std::filesystem::exists(Folder.Path() / "none.db"));
  Folder.Write("notes.txt", "ORA-00942 is about a missing table\n");
  const TCheckReport text = CheckDataFile((Folder.Path() / "notes.txt").string());
  EXPECT_FALSE(text.IsDataFile);
  EXPECT_NE(FormatCheckReport("notes.txt", text).find("verdict: notes.txt is no data file"),
            std::string::npos);
}

}  // namespace
