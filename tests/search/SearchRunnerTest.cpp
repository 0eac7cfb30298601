// Running search and prefix-description statements on a real data file.
#include "search/SearchRunner.h"

#include <gtest/gtest.h>

#include "data/passqlite.h"
#include "platform/AnsiText.h"
#include "search/PrefixDescription.h"
#include "search/SearchStatement.h"
#include "tests/search/TypedCriteria.h"
#include "tests/support/ProgramDirectory.h"

namespace {

class SearchRunnerTest : public ::testing::Test {
 protected:
  void Open(const TCatalogue& catalogue) {
    Directory.WriteDataFile(catalogue);
    DB.UniCode = true;
    DB.UnicodeUpper = true;  // as the window's connection
    ASSERT_TRUE(DB.Use(Directory.DataFile()));
    DB.OnBeforeQuery = [this](TSQLDB&, std::string&) { ++Statements; };
  }

  TSearchOutcome Search(const TTypedCriteria& typed, const std::u16string& limit = u"500") {
    return RunSearchStatement(DB, BuildSearchStatement(PrepareCriteria(Criteria(typed)), limit));
  }

  TTempProgramDirectory Directory;
  TLiteDB DB;
  int Statements = 0;
};

TEST_F(SearchRunnerTest, RowsComeBackInOrderAndWordsMatchInAnyLetterCase) {
  Open(SmallCatalogue());
  const TSearchOutcome outcome = Search({"", "ORA", "0", "", ""});
  ASSERT_TRUE(outcome.Ok) << outcome.ErrorText.toStdString();
  std::string listed;
  for (const TResData& record : outcome.Records) {
    listed += record.vers + " " + record.pref + "-" + record.code + ", ";
  }
  EXPECT_EQ(listed,
            "10.2 ORA-00942, 10.2 ORA-01017, 11.2 ORA-00942, 11.2 ORA-01017, "
            "11.2 ORA-28000, ");
  EXPECT_EQ(outcome.Records[4].msg, "the account is locked");
  EXPECT_NE(outcome.Records[0].pk, outcome.Records[2].pk);
  EXPECT_EQ(DB.RowCount(), 0);  // the result is released
  EXPECT_EQ(Search({"", "", "", "TaBlE", ""}).Records.size(), 2u);
  EXPECT_EQ(Search({"", "", "", "TaBlE", ""}, u"1").Records.size(), 1u);

  // Letters beyond ASCII match in any letter case, in comments and messages alike.
  ASSERT_TRUE(DB.Query(
      "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, 'Prüfen Sie die Größe "
      "der Tabelle', current_timestamp FROM error WHERE e_code='00942';"
      "UPDATE error SET e_message='объект не существует' WHERE e_code='01017'"));
  for (const char* words : {"prüfen", "PRÜFEN", "größe der tab", "% die GRÖ%"}) {
    EXPECT_EQ(Search({"", "", "", "", words}).Records.size(), 2u) << words;
  }
  EXPECT_EQ(Search({"", "", "", "ОБЪЕКТ Не", ""}).Records.size(), 2u);
}

TEST_F(SearchRunnerTest, ShortFieldsAreCutAtWholeCharacters) {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"PREFIX\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc", ""}};
  TCatalogueVersion version{std::string(250, 'v') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", {}};
  version.Messages[catalogue.Prefixes[0].Name] = {
      {"12\u00df\u00df\u00df\u00df", std::string(400, 'm') + " \u00e4", "c", "a"}};
  catalogue.Versions = {version};
  Open(catalogue);
  const TSearchOutcome outcome = Search({"", "", "12", "", ""});
  ASSERT_EQ(outcome.Records.size(), 1u);
  const TResData& record = outcome.Records[0];
  EXPECT_EQ(record.vers,
            std::string(250, 'v') + Platform::WideToAnsi(u"\u00e9\u00e9\u00e9\u00e9\u00e9"));
  EXPECT_EQ(record.pref, Platform::WideToAnsi(u"PREFIX\u00c4\u00d6\u00dc\u00e4"));
  EXPECT_EQ(record.code, Platform::WideToAnsi(u"12\u00df\u00df\u00df"));
  EXPECT_EQ(record.msg.size(), 402);
  // A character outside the basic plane is one character of four bytes.
  EXPECT_EQ(ToAnsiField(u"1234\U0001F600x", 5), Platform::WideToAnsi(u"1234\U0001F600"));
}

TEST_F(SearchRunnerTest, PrefixDescriptionNeedsExactlyOneRow) {
  TCatalogue catalogue = SmallCatalogue();
  catalogue.Prefixes.push_back({"IMP", ""});
  catalogue.Prefixes.push_back({"EXP", ""});
  Open(catalogue);
  ASSERT_TRUE(
      DB.Query("UPDATE prefix SET pref_desc = NULL WHERE pref_name = 'EXP'; "
               "INSERT INTO prefix (pref_name, pref_desc) VALUES ('ORA', 'again')"));
  Statements = 0;
  EXPECT_EQ(PrefixDescriptionText(DB, QString()), std::nullopt);
  EXPECT_EQ(Statements, 0);
  EXPECT_EQ(PrefixDescriptionText(DB, "TNS"), "Prefix description:\n\rOracle Net transport");
  EXPECT_EQ(PrefixDescriptionText(DB, "IMP"), "Prefix description:\n\r");  // empty text
  EXPECT_EQ(PrefixDescriptionText(DB, "EXP"), "Prefix description:\n\r");  // NULL
  EXPECT_EQ(PrefixDescriptionText(DB, "XYZ"), std::nullopt);
  EXPECT_EQ(PrefixDescriptionText(DB, "ORA"), std::nullopt);  // two rows
  ASSERT_TRUE(DB.Query("DROP TABLE prefix"));
  EXPECT_EQ(PrefixDescriptionText(DB, "TNS"), std::nullopt);
}

}  // namespace
