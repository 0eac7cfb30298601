#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/CommDialogCaptions.h"
#include "app/InterfaceLanguage.h"
#include "app/SettingsStore.h"
#include "data/LiteDb.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"

// Readable failure messages for caption comparisons.
void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

const std::string kLookupEnglishOracleVersion =
    "SELECT int_text FROM   language_en len, language_int lint WHERE  lang_fk = lang_pk   AND  "
    "en_text = 'Oracle version'   AND  lang_abr = 'DE'";

// A data file with German translations for most captions, and a few traps: "Find" translated
// twice, the group caption stored without its surrounding spaces, "About" only in French.
TCatalogue GermanCatalogue(const std::string& interfaceLang) {
  TCatalogue catalogue = SmallCatalogue();
  catalogue.Settings.emplace_back("interface_lang", interfaceLang);
  catalogue.Translations["DE"] = {{"Find", "Suchen"},
                                  {"Find", "Finden"},
                                  {"Search criteria", "Suchkriterien"},
                                  {"Oracle version", "Oracle-Version"},
                                  {"Error prefix", "Fehlerpräfix"},
                                  {"Error Code", "Fehlercode"},
                                  {"Error Message", "Fehlermeldung"},
                                  {"My Comment", "Mein Kommentar"},
                                  {"Version", "Ausgabe"},
                                  {"Code", "Kennung"},
                                  {"Message", "Meldung"},
                                  {"Add/Edit Comment", "Kommentar bearbeiten"},
                                  {"Copy to clipboard", "In die Zwischenablage"},
                                  {"Delete", "Löschen"},
                                  {"Cancel", "Abbrechen"},
                                  {"Save", "Speichern"}};
  catalogue.Translations["FR"] = {{"About", "À propos"}};
  return catalogue;
}

// What the slots show for GermanCatalogue("DE").
std::vector<QString> GermanCaptions() {
  return {"Find",
          " Search criteria ",
          "Oracle-Version",
          "Fehlerpräfix",
          "Fehlercode",
          "Fehlermeldung",
          "Mein Kommentar",
          "About",
          "Ausgabe",
          "Kennung",
          "Meldung",
          "Kommentar bearbeiten",
          "In die Zwischenablage",
          "Löschen",
          "Abbrechen",
          "Speichern"};
}

class InterfaceLanguageTest : public ::testing::Test {
 protected:
  // Builds the data file, opens it and starts recording every statement run on it.
  void Open(const TCatalogue& catalogue) {
    Directory.WriteDataFile(catalogue);
    ASSERT_TRUE(DB.Use(Directory.DataFile()));
    DB.UniCode = true;
    DB.OnBeforeQuery = [this](TSQLDB&, std::string& sql) { Statements.push_back(sql); };
  }

  // Slots over Captions, starting from the English captions; the last three are the comment
  // editor's, as the main window passes them.
  std::vector<TCaptionSlot> Slots() {
    std::vector<TCaptionSlot> slotList;
    for (std::size_t i = 0; i < 13; ++i) {
      slotList.push_back({Captions[i], [this, i](const QString& text) { Captions[i] = text; }});
    }
    for (TCaptionSlot& slot : CommDialogCaptionSlots(CommCaptions)) {
      slotList.push_back(std::move(slot));
    }
    return slotList;
  }

  std::vector<QString> Shown() const {
    std::vector<QString> shown(Captions.begin(), Captions.begin() + 13);
    shown.insert(shown.end(), {CommCaptions.Delete, CommCaptions.Cancel, CommCaptions.Save});
    return shown;
  }

  int CountStatements(const std::string& part) const {
    int count = 0;
    for (const std::string& sql : Statements) {
      count += sql.find(part) != std::string::npos ? 1 : 0;
    }
    return count;
  }

  TTempProgramDirectory Directory;
  TLiteDB DB;
  TScriptedShell Shell;
  TSettingsStore Settings{DB, Shell};
  std::vector<std::string> Statements;
  std::vector<QString> Captions = EnglishGuiCaptions();
  TCommDialogCaptions CommCaptions;
};

TEST_F(InterfaceLanguageTest, EnglishOrNoLanguageRunsNoLookup) {
  for (const char* lang : {"", "EN"}) {
    SCOPED_TRACE(lang);
    Open(GermanCatalogue(lang));
    SetGuiLang(DB, Settings, Slots());
    EXPECT_EQ(CountStatements("language_"), 0);
    EXPECT_EQ(CountStatements("BEGIN"), 0);
    EXPECT_EQ(Shown(), EnglishGuiCaptions());
    DB.Close();
    Statements.clear();
  }
}

TEST_F(InterfaceLanguageTest, AbsentSettingMeansEnglish) {
  Open(SmallCatalogue());
  SetGuiLang(DB, Settings, Slots());
  EXPECT_EQ(CountStatements("language_"), 0);
  EXPECT_EQ(Shown(), EnglishGuiCaptions());
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(InterfaceLanguageTest, LowerCaseEnIsAnotherLanguage) {
  TCatalogue catalogue = GermanCatalogue("en");
  catalogue.Translations["EN"] = {{"Find", "Search"}};
  Open(catalogue);
  SetGuiLang(DB, Settings, Slots());
  EXPECT_EQ(CountStatements("lang_abr = 'en'"), 16);
  EXPECT_EQ(Shown(), EnglishGuiCaptions());
}

TEST_F(InterfaceLanguageTest, TranslatesEachCaptionInOneTransaction) {
  Open(GermanCatalogue("DE"));
  SetGuiLang(DB, Settings, Slots());
  EXPECT_EQ(Shown(), GermanCaptions());

  // Statements after reading the setting: BEGIN, one lookup per caption in order, COMMIT.
  ASSERT_GE(Statements.size(), 18u);
  const std::vector<std::string> run(Statements.end() - 18, Statements.end());
  EXPECT_EQ(run.front(), "BEGIN");
  EXPECT_EQ(run.back(), "COMMIT");
  EXPECT_NE(run[1].find("en_text = 'Find'"), std::string::npos);
  EXPECT_EQ(run[3], kLookupEnglishOracleVersion);
  EXPECT_NE(run[16].find("en_text = 'Save'"), std::string::npos);
}

TEST_F(InterfaceLanguageTest, QuotesInCaptionsCannotBreakTheLookup) {
  TCatalogue catalogue = GermanCatalogue("DE");
  catalogue.Translations["DE"].emplace_back("Don't", "Nicht");
  Open(catalogue);
  EXPECT_EQ(GetLangTxt(DB, "DE", "Don't"), "Nicht");
  EXPECT_EQ(GetLangTxt(DB, "D'E", "Find"), "Find");
}

TEST_F(InterfaceLanguageTest, MissingTranslationTablesAreSilent) {
  Open(GermanCatalogue("DE"));
  ASSERT_TRUE(DB.Query("DROP TABLE language_int; DROP TABLE language_en;"));
  SetGuiLang(DB, Settings, Slots());
  EXPECT_EQ(Shown(), EnglishGuiCaptions());
  EXPECT_EQ(CountStatements("COMMIT"), 1);
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(InterfaceLanguageTest, ExceptionRollsBackAndKeepsEarlierTranslations) {
  Open(GermanCatalogue("DE"));
  std::vector<TCaptionSlot> slotList = Slots();
  slotList[3].Apply = [](const QString&) { throw std::runtime_error("caption refused"); };
  EXPECT_NO_THROW(SetGuiLang(DB, Settings, slotList));
  std::vector<QString> expected = EnglishGuiCaptions();
  expected[2] = GermanCaptions()[2];
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(Statements.back(), "ROLLBACK");
  EXPECT_EQ(CountStatements("COMMIT"), 0);
}

}  // namespace
