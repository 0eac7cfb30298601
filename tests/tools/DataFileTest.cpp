#include <gtest/gtest.h>

#include <iterator>
#include <tuple>

#include "data/LiteDb.h"
#include "details/ReadTxt.h"
#include "tests/support/TempFolder.h"
#include "tools/cli/Paths.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"
#include "tools/mkdb/catalogue/VersionImport.h"

namespace {

using TRows = std::vector<std::string>;
constexpr std::chrono::milliseconds kWait{5000};
TSqlArg W(const char16_t* text) {
  return TSqlArg::WideString(text);
}

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
  catalogue.Settings = {{"max_fetch_rows", "700"}, {"interface_lang", "DE"}};
  catalogue.Translations["DE"] = {{" Search criteria ", " Suchkriterien "}, {"Find", "Suchen"}};
  catalogue.Translations["FR"] = {{"Find", "Chercher"}};
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

  // Runs the statement and returns its rows, fields separated by "|".
  TRows Rows(const std::u16string& format, const std::vector<TSqlArg>& args = {}) {
    EXPECT_TRUE(DB.FormatQuery(format, args)) << DB.GetErrorMessage();
    TRows rows;
    for (std::int32_t i = 0; i < DB.RowCount(); ++i) {
      std::string row;
      for (std::int32_t f = 0; f < DB.Row(i).Count(); ++f) {
        row += (f ? "|" : "") + DB.Row(i).Field(f).Value;
      }
      rows.push_back(row);
    }
    return rows;
  }

  TTempFolder Folder;
  const std::string Path = (Folder.Path() / "tolv2_msg.db").string();
  TLiteDB DB;
};

TEST_F(DataFileTest, BuiltFileAnswersTheProgramsStatements) {
  const std::u16string setting = u"SELECT value FROM sys_data WHERE param=%s";
  const std::u16string caption =
      u"SELECT int_text FROM   language_en len, language_int lint WHERE  lang_fk = lang_pk   "
      u"AND  en_text = %s   AND  lang_abr = %s";
  const std::tuple<std::u16string, std::vector<TSqlArg>, TRows> cases[] = {
      {setting, {W(u"min_req_exe_vers")}, {"20"}},
      {setting, {W(u"last_err_vers")}, {}},  // the program saves it
      {caption, {W(u" Search criteria "), TSqlArg::AnsiString("DE")}, {" Suchkriterien "}},
      {caption, {W(u"Find"), TSqlArg::AnsiString("FR")}, {"Chercher"}},
      {caption, {W(u"Search criteria"), TSqlArg::AnsiString("DE")}, {}}};
  for (const auto& [sql, args, expected] : cases) {
    EXPECT_EQ(Rows(sql, args), expected);
  }

  // The search statement's shapes find the messages.
  const auto codes = [&](const std::u16string& conditions, const std::u16string& from = u"") {
    return Rows(
        u"SELECT v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, prefix p, "
        u"version v " +
        from + u"WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk = p.pref_pk " + conditions +
        u"ORDER  BY v.vers_name, p.pref_name, e.e_code  LIMIT 500");
  };
  const std::string missing = "|ORA|00942|table or view does not exist";
  EXPECT_EQ(codes(u"  AND  p.pref_name = 'ORA'   AND  e.e_code = '00942' "),
            (TRows{"11.2" + missing, "9.2" + missing}));
  EXPECT_EQ(codes(u"  AND  v.vers_name = '11.2'   AND  e.e_code LIKE '%1%' "),
            (TRows{"11.2|ORA|01017|invalid username/password",
                   "11.2|TNS|12154|could not resolve the alias"}));
  // The comment join.
  Rows(
      u"INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, 'my note', "
      u"current_timestamp FROM error, version WHERE vers_fk = vers_pk AND vers_name = '9.2'");
  EXPECT_EQ(
      codes(u"  AND  e.e_pk = c.e_fk   AND  Upper(c.commentary) LIKE '%MY%' ", u", usr_comment c "),
      TRows{"9.2" + missing});

  // ReadTxt of the stored texts gives the catalogue back.
  for (const auto& [version, code, cause, action] :
       {std::tuple{"11.2", "00942", u"It isn't there.\nOr hidden.", u"Check it."},
        std::tuple{"11.2", "12154", u"\U0001F600 No naming method knew it.",
                   u"Fix the alias \\ or the 'names'."},
        std::tuple{"11.2", "01017", u"", u""}}) {
    ASSERT_TRUE(
        DB.FormatQuery(u"SELECT e_cause, e_action FROM error, version WHERE vers_fk = "
                       u"vers_pk AND vers_name = %s AND e_code = %s",
                       {TSqlArg::AnsiString(version), TSqlArg::AnsiString(code)}));
    EXPECT_EQ(ReadTxt(code, DB.Row(0).Field(0).AsWideString()), cause);
    EXPECT_EQ(ReadTxt(code, DB.Row(0).Field(1).AsWideString()), action);
    // No cause at all stays NULL; an empty action stays empty.
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
  EXPECT_NE(error.find("facility.lis: no such file"), std::string::npos) << error;
  home.Write("lib/facility.lis", "tns:network:*:New\nxyz:none:*:X\nsql:sqlplus:*:SQL*Plus\n");
  home.Write("sqlplus/mesg/sqlus.msg", "// *Cause: early\n");
  EXPECT_FALSE(ReadOracleHome(home.Path(), "12.1", broken, warnings, error));
  EXPECT_NE(error.find("sqlus.msg:1: a \"//\" line before any message"), std::string::npos);
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
  EXPECT_NE(failure.Text.find("already has version \"12.1\""), std::string::npos) << failure.Text;
  TCatalogue unlisted = TestCatalogue(), split = TestCatalogue();
  unlisted.Versions[0].Messages["PLS"] = {{"00001", "two", "c", "a"}};
  // Step 4 would exchange the two halves of the emoji's surrogate pair.
  split.Versions[0].Messages["ORA"] = {{"0734", "m", "ab\xF0\x9F\x98\x80", "a"}};
  for (const auto& [path, catalogue, expected] :
       {std::tuple{Path, unlisted, "unlisted prefix \"PLS\""},
        std::tuple{Path, split, "message 0734"},
        std::tuple{(Folder.Path() / "no" / "x.db").string(), TestCatalogue(), "does not exist"}}) {
    EXPECT_FALSE(BuildDataFile(path, catalogue, error));
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  }
  EXPECT_EQ(FileBytes(Path), before);
  EXPECT_EQ(FilesIn(Folder.Path()), 1);

  ASSERT_TRUE(DB.Use(Path));
  EXPECT_EQ(Rows(u"SELECT vers_name FROM version"), (TRows{"11.2", "9.2", "12.1"}));
  EXPECT_EQ(Rows(u"SELECT pref_name, pref_desc FROM prefix"),
            (TRows{"TNS|Net layer", "ORA|Server's core", "SQL|SQL*Plus"}));
  EXPECT_EQ(Rows(u"SELECT count(*) FROM error"), TRows{"6"});
  EXPECT_EQ(Rows(u"SELECT count(*), max(value) FROM sys_data WHERE param LIKE 'm%'"),
            TRows{"2|700"});  // the settings kept, none twice
  // A new file, in a folder whose name goes beyond the 16-bit range, under its own name.
  const auto folder = Folder.Path() / std::filesystem::path(u8"Tools \U0001F4E6 \U0002000B");
  std::filesystem::create_directories(folder);
  const std::string created = Utf8Path(folder / "tolv2_msg.db");
  ASSERT_TRUE(AddVersionToDataFile(created, read, kWait, nullptr, summary, failure))
      << failure.Text;
  EXPECT_EQ(FilesIn(folder), 1);
  ASSERT_TRUE(DB.Use(created));
  EXPECT_EQ(Rows(u"SELECT pref_name, pref_desc FROM prefix"), (TRows{"TNS|New", "SQL|SQL*Plus"}));
}

}  // namespace
