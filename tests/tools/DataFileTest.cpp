#include <gtest/gtest.h>

#include <iterator>
#include <tuple>

#include "data/LiteDb.h"
#include "details/ReadTxt.h"
#include "tests/support/QueryRows.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextCases.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"
#include "tools/mkdb/catalogue/VersionImport.h"

namespace {

using TRows = std::vector<std::string>;
constexpr std::chrono::milliseconds kWait{5000};

std::ptrdiff_t FilesIn(const std::filesystem::path& folder) {
  using TIterator = std::filesystem::directory_iterator;
  return std::distance(TIterator(folder), TIterator());
}

// Version and prefix names deliberately out of alphabetical order: the program lists them in
// the order the engine returns them, which must be the catalogue's.
TCatalogue TestCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"TNS", "Net layer"}, {"ORA", "Server's core"}};
  TCatalogueVersion v11{"11.2", {}};
  v11.Messages["ORA"] = {
      {"00942", "table or view does not exist", "It isn't there.\nOr hidden.", "Check it."},
      {"01017", "invalid username/password", std::nullopt, ""}};
  v11.Messages["TNS"] = {{"12154", "could not resolve the alias",
                          "\xF0\x9F\x98\x80 No naming method knew it.",
                          "Fix the alias \\ or the 'names'."}};
  catalogue.Versions = {
      v11,
      {"9.2", {{"ORA", {{"00942", "table or view does not exist", "Older cause.", "Older."}}}}}};
  catalogue.Settings = {{"max_fetch_rows", "700"}};
  return catalogue;
}

class DataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(BuildDataFile(Path, TestCatalogue(), error)) << error;
    DB.UniCode = true;
    ASSERT_TRUE(DB.Use(Path));
  }

  TTempFolder Folder;
  const std::string Path = Folder.File("tolv2_msg.db");
  TLiteDB DB;
};

// The stored texts read back as the program reads them: unscrambled by ReadTxt, a cause that
// is none stays NULL and an empty action empty. What the program's own statements find in a
// built file is in the tests of start-up, search and details.
TEST_F(DataFileTest, StoredTextsReadBackAsCatalogued) {
  for (const auto& [code, cause, action] :
       {std::tuple{"00942", u"It isn't there.\nOr hidden.", u"Check it."},
        std::tuple{"12154", u"\U0001F600 No naming method knew it.",
                   u"Fix the alias \\ or the 'names'."},
        std::tuple{"01017", u"", u""}}) {
    ASSERT_TRUE(DB.FormatQuery(
        u"SELECT e_cause, e_action FROM error JOIN version ON vers_pk = vers_fk WHERE "
        u"vers_name = '11.2' AND e_code = %s",
        {TSqlArg::AnsiString(code)}));
    EXPECT_EQ(ReadTxt(code, DB.Row(0).Field(0).AsWideString()), cause);
    EXPECT_EQ(ReadTxt(code, DB.Row(0).Field(1).AsWideString()), action);
    EXPECT_EQ(DB.Row(0).Field(0).IsNull, *cause == u'\0');
    EXPECT_FALSE(DB.Row(0).Field(1).IsNull);
  }
}

// `add` from an Oracle home: to the built file, then to a new one; never a version twice.
TEST_F(DataFileTest, AddExtendsOrCreatesAFileAndFailuresLeaveTheOldFile) {
  TTempFolder home;
  // A facility without a message file brings no prefix; one the file has keeps its description.
  home.Write("network/mesg/tnsus.msg", "12154, 0, \"alias\"\n");
  TOracleHomeVersion broken, read;
  std::vector<std::string> warnings;
  std::string error;
  EXPECT_FALSE(ReadOracleHome(home.Path(), "12.1", broken, warnings, error));
  EXPECT_TRUE(Contains(error, "facility.lis: no such file"));
  home.Write("lib/facility.lis", "tns:network:*:New\nxyz:none:*:X\nsql:sqlplus:*:SQL*Plus\n");
  home.Write("sqlplus/mesg/sqlus.msg", "// *Cause: early\n");
  EXPECT_FALSE(ReadOracleHome(home.Path(), "12.1", broken, warnings, error));
  EXPECT_TRUE(Contains(error, "sqlus.msg:1: a \"//\" line before any message"));
  home.Write("sqlplus/mesg/sqlus.msg", "0734, 0, \"m\"\n// *Cause: dropped\n");
  ASSERT_TRUE(ReadOracleHome(home.Path(), "12.1", read, warnings, error)) << error;
  DB.Close();
  TImportSummary summary;
  TFailure failure;
  ASSERT_TRUE(AddVersionToDataFile(Path, read, kWait, nullptr, summary, failure)) << failure.Text;
  EXPECT_EQ(summary.NewPrefixes, 1);
  EXPECT_EQ(summary.Messages, 2);
  // A failed add or build leaves the old file and no temporary file beside it.
  const std::string before = FileBytes(Path);
  EXPECT_FALSE(AddVersionToDataFile(Path, read, kWait, nullptr, summary, failure));
  EXPECT_TRUE(Contains(failure.Text, "already has version \"12.1\""));
  TCatalogue unlisted = TestCatalogue(), split = TestCatalogue();
  unlisted.Versions[0].Messages["PLS"] = {{"00001", "two", "c", "a"}};
  // Step 4 would exchange the two halves of the emoji's surrogate pair.
  split.Versions[0].Messages["ORA"] = {{"0734", "m", "ab\xF0\x9F\x98\x80", "a"}};
  for (const auto& [path, catalogue, expected] :
       {std::tuple{Path, unlisted, "unlisted prefix \"PLS\""},
        std::tuple{Path, split, "message 0734"},
        std::tuple{(Folder.Path() / "no" / "x.db").string(), TestCatalogue(), "does not exist"}}) {
    EXPECT_FALSE(BuildDataFile(path, catalogue, error));
    EXPECT_TRUE(Contains(error, expected));
  }
  EXPECT_EQ(FileBytes(Path), before);
  EXPECT_EQ(FilesIn(Folder.Path()), 1);

  ASSERT_TRUE(DB.Use(Path));
  EXPECT_EQ(QueryRows(DB, "SELECT vers_name FROM version"), (TRows{"11.2", "9.2", "12.1"}));
  EXPECT_EQ(QueryRows(DB, "SELECT pref_name, pref_desc FROM prefix"),
            (TRows{"TNS|Net layer", "ORA|Server's core", "SQL|SQL*Plus"}));
  EXPECT_EQ(QueryRows(DB, "SELECT count(*) FROM error"), TRows{"6"});
  EXPECT_EQ(QueryRows(DB, "SELECT count(*), max(value) FROM sys_data WHERE param LIKE 'm%'"),
            TRows{"2|700"});  // the settings kept, none twice
  // A new file, in a folder whose name goes beyond the 16-bit range, under its own name.
  const auto folder = Folder.Path() / std::filesystem::path(u8"Tools \U0001F4E6 \U0002000B");
  std::filesystem::create_directories(folder);
  const std::string created = Utf8(folder / "tolv2_msg.db");
  ASSERT_TRUE(AddVersionToDataFile(created, read, kWait, nullptr, summary, failure))
      << failure.Text;
  EXPECT_EQ(FilesIn(folder), 1);
  ASSERT_TRUE(DB.Use(created));
  EXPECT_EQ(QueryRows(DB, "SELECT pref_name, pref_desc FROM prefix"),
            (TRows{"TNS|New", "SQL|SQL*Plus"}));
}

}  // namespace
