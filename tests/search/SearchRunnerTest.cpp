// Running search statements on a real data file and turning the rows into records.
#include "search/SearchRunner.h"

#include <gtest/gtest.h>

#include "data/passqlite.h"
#include "platform/AnsiText.h"
#include "search/SearchStatement.h"
#include "tests/support/ProgramDirectory.h"

namespace {

class SearchRunnerTest : public ::testing::Test {
 protected:
  void Open(const TCatalogue& catalogue) {
    Directory.WriteDataFile(catalogue);
    DB.UniCode = true;
    ASSERT_TRUE(DB.Use(Directory.DataFile()));
  }

  TSearchOutcome Search(const TSearchCriteria& criteria,
                        const QString& limit = QStringLiteral("500")) {
    return RunSearchStatement(DB, BuildSearchStatement(PrepareCriteria(criteria), limit));
  }

  TTempProgramDirectory Directory;
  TLiteDB DB;
};

std::string CodeCell(const TResData& record) {
  return record.vers + " " + record.pref + "-" + record.code;
}

// One version and prefix whose names, code and message all exceed what the record holds.
TCatalogue OversizedCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"PREFIX\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc", "long and non-ASCII"}};
  TCatalogueVersion version{std::string(250, 'v') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", {}};
  version.Messages[catalogue.Prefixes[0].Name] = {
      {"12\u00df\u00df\u00df\u00df", std::string(400, 'm') + " \u00e4", "c", "a"}};
  catalogue.Versions = {version};
  catalogue.Settings = {{"min_req_exe_vers", "20"}};
  return catalogue;
}

}  // namespace

TEST_F(SearchRunnerTest, RowsComeBackInVersionPrefixCodeOrderAndTheResultIsReleased) {
  Open(SmallCatalogue());
  TSearchCriteria criteria;
  criteria.Prefix = QStringLiteral("ORA");
  criteria.Code = QStringLiteral("0");
  const TSearchOutcome outcome = Search(criteria);
  ASSERT_TRUE(outcome.Ok) << outcome.ErrorText.toStdString();
  ASSERT_EQ(outcome.Records.size(), 5u);
  const char* expected[] = {"10.2 ORA-00942", "10.2 ORA-01017", "11.2 ORA-00942", "11.2 ORA-01017",
                            "11.2 ORA-28000"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(CodeCell(outcome.Records[i]), expected[i]);
    EXPECT_GT(outcome.Records[i].pk, 0);
  }
  EXPECT_EQ(outcome.Records[4].msg, QStringLiteral("the account is locked"));
  EXPECT_NE(outcome.Records[0].pk, outcome.Records[2].pk);
  EXPECT_EQ(DB.RowCount(), 0);
}

TEST_F(SearchRunnerTest, WordsAreMatchedUpperCaseAndTheLimitHolds) {
  Open(SmallCatalogue());
  TSearchCriteria criteria;
  criteria.Message = QStringLiteral("TaBlE");
  EXPECT_EQ(Search(criteria).Records.size(), 2u);
  EXPECT_EQ(Search(criteria, QStringLiteral("1")).Records.size(), 1u);
  const TSearchOutcome none = Search(criteria, QStringLiteral("0"));
  EXPECT_TRUE(none.Ok);
  EXPECT_TRUE(none.Records.empty());
}

TEST_F(SearchRunnerTest, ExactCodeWithBlanksFindsNothing) {
  Open(SmallCatalogue());
  EXPECT_EQ(Search({{}, {}, QStringLiteral("00942"), {}, {}}).Records.size(), 2u);
  const TSearchOutcome blanks = Search({{}, {}, QStringLiteral("  942"), {}, {}});
  EXPECT_TRUE(blanks.Ok);
  EXPECT_TRUE(blanks.Records.empty());
}

TEST_F(SearchRunnerTest, FailureCarriesTheEngineText) {
  Open(SmallCatalogue());
  ASSERT_TRUE(DB.Query("DROP TABLE usr_comment"));
  const TSearchOutcome missing = Search({{}, {}, QStringLiteral("1"), {}, QStringLiteral("x")});
  EXPECT_FALSE(missing.Ok);
  EXPECT_TRUE(missing.Records.empty());
  EXPECT_TRUE(missing.ErrorText.contains(QStringLiteral("no such table: usr_comment")))
      << missing.ErrorText.toStdString();

  const TSearchOutcome noLimit = Search({{}, {}, QStringLiteral("1"), {}, {}}, QString());
  EXPECT_FALSE(noLimit.Ok);
  EXPECT_FALSE(noLimit.ErrorText.isEmpty());
}

TEST_F(SearchRunnerTest, ShortFieldsAreCutAtWholeCharacters) {
  Open(OversizedCatalogue());
  const TSearchOutcome outcome = Search({{}, {}, QStringLiteral("12"), {}, {}});
  ASSERT_TRUE(outcome.Ok) << outcome.ErrorText.toStdString();
  ASSERT_EQ(outcome.Records.size(), 1u);
  const TResData& record = outcome.Records[0];
  EXPECT_EQ(record.vers,
            std::string(250, 'v') + Platform::WideToAnsi(u"\u00e9\u00e9\u00e9\u00e9\u00e9"));
  EXPECT_EQ(record.pref, Platform::WideToAnsi(u"PREFIX\u00c4\u00d6\u00dc\u00e4"));
  EXPECT_EQ(record.code, Platform::WideToAnsi(u"12\u00df\u00df\u00df"));
  EXPECT_EQ(record.msg.size(), 402);
}

TEST(ToAnsiField, NeverSplitsACharacter) {
  EXPECT_EQ(ToAnsiField(u"", 5), "");
  EXPECT_EQ(ToAnsiField(u"abc", 5), "abc");
  EXPECT_EQ(ToAnsiField(u"abcdefg", 5), "abcde");
  // A character outside the basic plane is one character of four bytes.
  EXPECT_EQ(ToAnsiField(u"1234\U0001F600x", 5), Platform::WideToAnsi(u"1234\U0001F600"));
  EXPECT_EQ(ToAnsiField(u"\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac", 5),
            Platform::WideToAnsi(u"\u20ac\u20ac\u20ac\u20ac\u20ac"));
}

TEST(SearchStatusText, CountsOrSaysNotFound) {
  EXPECT_EQ(SearchStatusText(0), QStringLiteral("Not found"));
  EXPECT_EQ(SearchStatusText(1), QStringLiteral("Found 1 record(s)"));
  EXPECT_EQ(SearchStatusText(500), QStringLiteral("Found 500 record(s)"));
}
