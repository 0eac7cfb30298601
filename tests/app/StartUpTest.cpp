// What start-up reads from real data files: settings, compatibility, row limit, restored
// criteria, interface language. The failures that stop start-up are checked in tests/ui.
#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/InterfaceLanguage.h"
#include "app/ProgramFiles.h"
#include "app/QtText.h"
#include "app/SettingsStore.h"
#include "data/passqlite.h"
#include "tests/app/DataFileEdits.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"

namespace {

// German translations with traps: "Find" translated twice, the group caption stored without
// its surrounding spaces, "About" only in French. A null `lang` leaves the setting out.
TCatalogue GermanCatalogue(const char* lang) {
  TCatalogue catalogue = WithSetting(SmallCatalogue(), "interface_lang", lang);
  catalogue.Translations["DE"] = {{"Find", "Suchen"},           {"Find", "Finden"},
                                  {"Search criteria", "Suche"}, {"Oracle version", "Ausgabe"},
                                  {"Save", "Speichern"},        {"Don't", "Nicht"}};
  catalogue.Translations["FR"] = {{"About", "À propos"}};
  catalogue.Translations["EN"] = {{"Find", "Search"}};
  return catalogue;
}

class StartUpTest : public ::testing::Test {
 protected:
  // Builds the data file, runs `change` on it, opens it and records statements, messages and
  // captions afresh.
  void Open(const TCatalogue& catalogue, const std::string& change = {}) {
    DB.Close();
    Dir.WriteDataFile(catalogue);
    ASSERT_TRUE(change.empty() || ChangeDataFile(Dir.DataFile(), change));
    DB.UniCode = true;
    ASSERT_TRUE(DB.Use(Dir.DataFile()));
    DB.OnBeforeQuery = [this](TSQLDB&, std::string& sql) { Statements.push_back(sql); };
    Statements.clear();
    Shell.Messages.clear();
    Shell.TerminationRequests = 0;
    Captions = EnglishGuiCaptions();
  }

  // Start-up on a data file where `key` holds `value`, or is absent when `value` is null.
  TStartUpState StartWith(const std::string& key, const char* value,
                          const TCatalogue& catalogue = SmallCatalogue()) {
    Open(WithSetting(catalogue, key, value),
         value ? "" : "DELETE FROM sys_data WHERE param='" + key + "'");
    return LoadStartUpState(DB, DataFilePath(), Store, Shell);
  }

  // "rows:values" for `key`, values in row order joined by "|"; "~" for a NULL.
  QString Stored(const std::string& key) {
    const std::string select = "SELECT count(*) || ':' || group_concat(ifnull(value, '~'), '|')";
    EXPECT_TRUE(DB.Query(select + " FROM sys_data WHERE param='" + key + "'"));
    return ToQString(DB.Row(0).Field(0).AsWideString());
  }

  // Sets the interface language over slots holding the English captions; slot `throwing`
  // throws instead of taking its text.
  void SetLanguage(std::size_t throwing = 99) {
    std::vector<TCaptionSlot> slotList;
    for (std::size_t i = 0; i < Captions.size(); ++i) {
      slotList.push_back({Captions[i], [this, i, throwing](const QString& text) {
                            Captions[i] = i == throwing ? throw std::runtime_error("no") : text;
                          }});
    }
    SetGuiLang(DB, Store, slotList);
  }

  TTempProgramDirectory Dir;
  TLiteDB DB;
  TScriptedShell Shell;
  TSettingsStore Store{DB, Shell};
  std::vector<std::string> Statements;
  std::vector<QString> Captions = EnglishGuiCaptions();
};

TEST_F(StartUpTest, SavingUpdatesOrInsertsAndKeepsAnyText) {
  Open(SmallCatalogue(),
       "INSERT INTO sys_data VALUES ('last_err_pref', 'ORA'), ('last_err_pref', 'TNS')");
  EXPECT_EQ(Store.LoadParam(u"last_err_pref"), u"ORA");  // the first of two rows
  Store.SaveParam(u"last_err_pref", u"SP2");
  EXPECT_EQ(Stored("last_err_pref"), "2:SP2|SP2");
  Store.SaveParam(u"last_err_vers", u"10.2");
  Store.SaveParam(u"last_err_vers", u"");
  EXPECT_EQ(Stored("last_err_vers"), "1:");  // text, not NULL
  const std::u16string quoted = u"O'X 'x'' \u00e9\u4e2d";
  Store.SaveParam(u"it's", quoted);
  EXPECT_EQ(Store.LoadParam(u"it's"), quoted);
  EXPECT_EQ(Store.LoadParam(u"last_err_code"), u"");
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(StartUpTest, SettingFailuresAreReportedAndAskToEnd) {
  // A connection that may not write, whoever runs the test (root ignores file modes).
  Open(SmallCatalogue());
  ASSERT_TRUE(DB.Query("PRAGMA query_only = ON"));
  Store.SaveParam(u"last_err_code", u"942");
  ASSERT_EQ(Shell.Messages.size(), 2);
  EXPECT_TRUE(Shell.Messages[0].startsWith("ERROR (SPu): "));
  EXPECT_TRUE(Shell.Messages[1].startsWith("ERROR (SPi): "));
  EXPECT_GT(Shell.Messages[1].size(), QString("ERROR (SPi): ").size());
  // The failed update of a present key changed no row, so the insert was tried too.
  Store.SaveParam(u"max_fetch_rows", u"10");
  EXPECT_EQ(Shell.Messages.size(), 4);
  EXPECT_EQ(Store.LoadParam(u"max_fetch_rows"), u"500");  // kept, and reads go on

  // A COMMIT the engine refuses (a deferred foreign key, here through a trigger) is reported
  // and leaves nothing written, nor a transaction open.
  ASSERT_TRUE(DB.Query(
      "PRAGMA query_only = OFF; PRAGMA foreign_keys = ON; CREATE TABLE parent (id INTEGER "
      "PRIMARY KEY); CREATE TABLE child (p REFERENCES parent (id) DEFERRABLE INITIALLY "
      "DEFERRED); CREATE TRIGGER t AFTER INSERT ON sys_data BEGIN INSERT INTO child VALUES "
      "(1); END"));
  Store.SaveParam(u"added_key", u"10.2");
  EXPECT_EQ(Shell.Messages.last(), "ERROR (SPc): FOREIGN KEY constraint failed");
  EXPECT_EQ(Stored("added_key"), "");  // no row
  EXPECT_TRUE(DB.Query("BEGIN; ROLLBACK"));

  ASSERT_TRUE(DB.Query("DROP TABLE sys_data"));
  EXPECT_EQ(Store.LoadParam(u"min_req_exe_vers"), u"");
  EXPECT_TRUE(Shell.Messages.last().startsWith("ERROR (LP): "));
  EXPECT_TRUE(Shell.Messages.last().contains("sys_data"));
  EXPECT_EQ(Shell.TerminationRequests, 6);  // one for each message

  // A closed connection never hands back the rows of its last result.
  ASSERT_TRUE(DB.Query("SELECT vers_name FROM version"));
  DB.Close();
  EXPECT_EQ(Store.LoadParam(u"min_req_exe_vers"), u"");
  EXPECT_EQ(Shell.Messages.last(), "ERROR (LP): ");
}

// The compatibility outcomes are MainFormQTest's.
TEST_F(StartUpTest, RowLimitComesFromTheDataFile) {
  // Read as an int: blanks around it and one sign pass, anything else does not, nor do
  // fullwidth digits.
  const std::pair<const char*, const char*> limits[] = {
      {nullptr, "500"},        {"1001", "1000"},
      {"1000", "1000"},        {"0", "0"},
      {"0200", "200"},         {" \t12\r\n", "12"},
      {"+12", "12"},           {"+-5", "500"},
      {"- 5", "500"},          {"1 2", "500"},
      {"12abc", "500"},        {"+", "500"},
      {"\uff11\uff12", "500"}, {"-2147483648", "-2147483648"},
      {"-2147483649", "500"},  {"2147483648", "500"}};
  for (const auto& [stored, limit] : limits) {
    EXPECT_EQ(StartWith("max_fetch_rows", stored).MaxFetchRows, limit) << stored;
  }
}

TEST_F(StartUpTest, ListsAndRestoredCriteriaIgnoreLetterCaseAndDropVanishedEntries) {
  TCatalogue catalogue = WithSetting(SmallCatalogue(), "last_err_pref", "tns");
  const TStartUpState state =
      StartWith("last_err_code", "O'X%", WithSetting(catalogue, "last_err_vers", "9.2"));
  ASSERT_EQ(state.Stage, TStartUpState::TStage::Ready);
  EXPECT_EQ(state.Prefixes->Selected, 2);
  EXPECT_EQ(state.Versions->Selected, 0);
  EXPECT_EQ(state.Code, "O'X%");
}

TEST_F(StartUpTest, EnglishStaysWithoutLanguageOrTranslation) {
  for (const char* lang : {static_cast<const char*>(nullptr), "", "EN"}) {
    SCOPED_TRACE(lang ? lang : "absent");
    Open(GermanCatalogue(lang));
    SetLanguage();
    EXPECT_EQ(Statements.size(), 1u);  // the setting read
    EXPECT_EQ(Captions, EnglishGuiCaptions());
  }
  // Lower-case "en" is another language: looked up, found in no row, English stays.
  Open(GermanCatalogue("en"));
  SetLanguage();
  ASSERT_EQ(Statements.size(), 19u);
  EXPECT_NE(Statements[17].find("lang_abr = 'en'"), std::string::npos);
  EXPECT_EQ(Captions, EnglishGuiCaptions());
  // Failing lookups are silent and keep English.
  Open(GermanCatalogue("DE"), "DROP TABLE language_int; DROP TABLE language_en");
  SetLanguage();
  EXPECT_EQ(Captions, EnglishGuiCaptions());
  EXPECT_EQ(Statements.back(), "COMMIT");
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(StartUpTest, LanguageTranslatesEachCaptionInOrderInOneTransaction) {
  Open(GermanCatalogue("DE"));
  SetLanguage();
  std::vector<QString> expected = EnglishGuiCaptions();
  expected[2] = "Ausgabe";
  expected[15] = "Speichern";
  EXPECT_EQ(Captions, expected);
  // The setting read, BEGIN, one lookup per caption, COMMIT.
  ASSERT_EQ(Statements.size(), 19u);
  EXPECT_EQ(Statements[1] + Statements[18], "BEGINCOMMIT");
  EXPECT_EQ(GetLangTxt(DB, "DE", "Don't"), "Nicht");
  EXPECT_EQ(GetLangTxt(DB, "D'E", "Find"), "Find");

  // A slot that throws rolls back and keeps the captions set before it.
  Open(GermanCatalogue("DE"));
  EXPECT_NO_THROW(SetLanguage(3));
  expected[15] = "Save";
  EXPECT_EQ(Captions, expected);
  // The setting read, BEGIN, four lookups, ROLLBACK.
  EXPECT_EQ(Statements.size(), 7u);
  EXPECT_EQ(Statements.back(), "ROLLBACK");
}

}  // namespace
