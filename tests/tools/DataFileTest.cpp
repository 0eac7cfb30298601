#include <gtest/gtest.h>

#include <tuple>

#include "data/LiteDb.h"
#include "details/ReadTxt.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/DataFileBuilder.h"

namespace {

// Version and prefix names deliberately out of alphabetical order: the program lists them in
// the order the engine returns them, which must be the catalogue's.
TCatalogue TestCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"TNS", "Net layer"}, {"ORA", "Database server's core"}};
  TCatalogueVersion v11{"11.2", {}};
  v11.Messages["ORA"] = {
      {"00942", "table or view does not exist", "It isn't there.\nOr hidden.", "Check it."},
      {"01017", "invalid username/password", std::nullopt, ""}};
  v11.Messages["TNS"] = {{"12154", "could not resolve the alias",
                          "\xF0\x9F\x98\x80 No naming method knew it.",
                          "Fix the alias \\ or the 'names'."}};
  TCatalogueVersion v9{"9.2", {}};
  v9.Messages["ORA"] = {{"00942", "table or view does not exist", "Older cause.", "Older."}};
  catalogue.Versions = {v11, v9};
  catalogue.Settings = {{"max_fetch_rows", "700"}, {"interface_lang", "DE"}};
  catalogue.Translations["DE"] = {{" Search criteria ", " Suchkriterien "}, {"Find", "Suchen"}};
  catalogue.Translations["FR"] = {{"Find", "Chercher"}};
  return catalogue;
}

class DataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(BuildDataFile(Path(), TestCatalogue(), error)) << error;
    DB.UniCode = true;
    ASSERT_TRUE(DB.Use(Path()));
  }

  std::string Path() const { return (Folder.Path() / "tolv2_msg.db").string(); }

  // Runs the statement and returns its rows, fields separated by "|".
  std::vector<std::string> Rows(const std::u16string& format, std::initializer_list<TSqlArg> args) {
    EXPECT_TRUE(DB.FormatQuery(format, args)) << DB.GetErrorMessage();
    std::vector<std::string> rows;
    for (std::int32_t i = 0; i < DB.RowCount(); ++i) {
      std::string row;
      for (std::int32_t f = 0; f < DB.Row(i).Count(); ++f) {
        row += (f ? "|" : "") + DB.Row(i).Field(f).Value;
      }
      rows.push_back(row);
    }
    return rows;
  }
  using TRows = std::vector<std::string>;

  std::int32_t KeyOf(const char* version, const char* code) {
    const TRows rows = Rows(
        u"SELECT e_pk FROM error e, version v WHERE e.vers_fk = v.vers_pk AND v.vers_name = %s "
        u"AND e.e_code = %s",
        {TSqlArg::AnsiString(version), TSqlArg::AnsiString(code)});
    EXPECT_EQ(rows.size(), 1u);
    return rows.empty() ? 0 : std::stoi(rows[0]);
  }

  TTempFolder Folder;
  TLiteDB DB;
};

TEST_F(DataFileTest, ListsAndSettingsAnswerInCatalogueOrder) {
  EXPECT_EQ(Rows(u"SELECT vers_name FROM version", {}), (TRows{"11.2", "9.2"}));
  EXPECT_EQ(Rows(u"SELECT pref_name, pref_desc FROM prefix", {}),
            (TRows{"TNS|Net layer", "ORA|Database server's core"}));
  EXPECT_EQ(Rows(u"SELECT pref_desc FROM prefix WHERE pref_name=%s", {TSqlArg::WideString(u"ORA")}),
            TRows{"Database server's core"});
  const auto setting = [this](const char16_t* key) {
    return Rows(u"SELECT value FROM sys_data WHERE param=%s", {TSqlArg::WideString(key)});
  };
  EXPECT_EQ(setting(u"min_req_exe_vers"), TRows{"20"});
  EXPECT_EQ(setting(u"max_fetch_rows"), TRows{"700"});
  EXPECT_EQ(setting(u"interface_lang"), TRows{"DE"});
  EXPECT_EQ(setting(u"last_err_vers"), TRows{});  // the program saves it
}

TEST_F(DataFileTest, CaptionLookupFindsOneTranslationPerLanguage) {
  const char16_t* lookup =
      u"SELECT int_text FROM   language_en len, language_int lint WHERE  lang_fk = lang_pk   "
      u"AND  en_text = %s   AND  lang_abr = %s";
  EXPECT_EQ(Rows(lookup, {TSqlArg::WideString(u" Search criteria "), TSqlArg::AnsiString("DE")}),
            TRows{" Suchkriterien "});
  EXPECT_EQ(Rows(lookup, {TSqlArg::WideString(u"Find"), TSqlArg::AnsiString("FR")}),
            TRows{"Chercher"});
  EXPECT_EQ(Rows(lookup, {TSqlArg::WideString(u"Search criteria"), TSqlArg::AnsiString("DE")}),
            TRows{});
}

TEST_F(DataFileTest, SearchStatementShapesFindTheMessages) {
  const std::u16string head =
      u"SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, prefix "
      u"p, version v ";
  const std::u16string join = u"WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk = p.pref_pk ";
  const std::u16string tail = u"ORDER  BY v.vers_name, p.pref_name, e.e_code  LIMIT 500";
  const auto codes = [&](const std::u16string& conditions, const std::u16string& from = u"") {
    TRows found;
    for (const std::string& row : Rows(head + from + join + conditions + tail, {})) {
      found.push_back(row.substr(row.find('|') + 1));
    }
    return found;
  };
  const std::string missing = "table or view does not exist";
  EXPECT_EQ(codes(u"  AND  p.pref_name = 'ORA'   AND  e.e_code = '00942' "),
            (TRows{"11.2|ORA|00942|" + missing, "9.2|ORA|00942|" + missing}));
  EXPECT_EQ(codes(u"  AND  v.vers_name = '11.2'   AND  e.e_code LIKE '%1%' "),
            (TRows{"11.2|ORA|01017|invalid username/password",
                   "11.2|TNS|12154|could not resolve the alias"}));
  EXPECT_EQ(codes(u"  AND  Upper(e.e_message) LIKE '%ALIAS%' ").size(), 1u);
  // The comment join: no comments yet, then one.
  const std::u16string commentJoin =
      u"  AND  e.e_pk = c.e_fk   AND  Upper(c.commentary) LIKE '%MY%' ";
  EXPECT_TRUE(codes(commentJoin, u", usr_comment c ").empty());
  Rows(u"INSERT INTO usr_comment (e_fk,commentary,lastdate) VALUES (%d,%s,current_timestamp)",
       {TSqlArg::Integer(KeyOf("9.2", "00942")), TSqlArg::WideString(u"my note")});
  EXPECT_EQ(codes(commentJoin, u", usr_comment c "), TRows{"9.2|ORA|00942|" + missing});
}

TEST_F(DataFileTest, ReadTxtOfTheStoredTextsGivesTheCatalogueBack) {
  for (const auto& [version, code, cause, action] :
       {std::tuple{"11.2", "00942", u"It isn't there.\nOr hidden.", u"Check it."},
        std::tuple{"11.2", "12154", u"\U0001F600 No naming method knew it.",
                   u"Fix the alias \\ or the 'names'."},
        std::tuple{"9.2", "00942", u"Older cause.", u"Older."}}) {
    ASSERT_TRUE(DB.FormatQuery(u"SELECT e_cause, e_action FROM error WHERE e_pk=%d",
                               {TSqlArg::Integer(KeyOf(version, code))}));
    EXPECT_EQ(ReadTxt(code, DB.Row(0).Field(0).AsWideString()), cause);
    EXPECT_EQ(ReadTxt(code, DB.Row(0).Field(1).AsWideString()), action);
  }
  // No cause at all stays NULL; an empty action stays empty.
  ASSERT_TRUE(DB.FormatQuery(u"SELECT e_cause, e_action FROM error WHERE e_pk=%d",
                             {TSqlArg::Integer(KeyOf("11.2", "01017"))}));
  EXPECT_TRUE(DB.Row(0).Field(0).IsNull);
  EXPECT_FALSE(DB.Row(0).Field(1).IsNull);
}

}  // namespace
