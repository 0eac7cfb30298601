#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "data/LiteDb.h"
#include "search/PrefixDescription.h"
#include "tests/support/ProgramDirectory.h"

// Readable failure messages for text comparisons.
void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

class PrefixDescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TCatalogue catalogue = SmallCatalogue();
    catalogue.Prefixes.push_back({"IMP", ""});
    Directory.WriteDataFile(catalogue);
    ASSERT_TRUE(DB.Use(Directory.DataFile()));
    DB.UniCode = true;
    DB.OnBeforeQuery = [this](TSQLDB&, std::string&) { ++Statements; };
  }

  TTempProgramDirectory Directory;
  TLiteDB DB;
  int Statements = 0;
};

TEST_F(PrefixDescriptionTest, AnyPrefixEntryRunsNothing) {
  EXPECT_EQ(PrefixDescriptionText(DB, QString()), std::nullopt);
  EXPECT_EQ(Statements, 0);
}

TEST_F(PrefixDescriptionTest, DescriptionFollowsLineFeedThenCarriageReturn) {
  EXPECT_EQ(PrefixDescriptionText(DB, "TNS"), "Prefix description:\n\rOracle Net transport");
}

TEST_F(PrefixDescriptionTest, EmptyOrNullDescriptionShowsTheHeadingOnly) {
  EXPECT_EQ(PrefixDescriptionText(DB, "IMP"), "Prefix description:\n\r");
  ASSERT_TRUE(DB.Query("UPDATE prefix SET pref_desc = NULL WHERE pref_name = 'IMP'"));
  EXPECT_EQ(PrefixDescriptionText(DB, "IMP"), "Prefix description:\n\r");
}

TEST_F(PrefixDescriptionTest, NoSingleRowShowsNothing) {
  EXPECT_EQ(PrefixDescriptionText(DB, "XYZ"), std::nullopt);
  EXPECT_EQ(PrefixDescriptionText(DB, "O'RA"), std::nullopt);
  ASSERT_TRUE(DB.Query("INSERT INTO prefix (pref_name, pref_desc) VALUES ('ORA', 'again')"));
  EXPECT_EQ(PrefixDescriptionText(DB, "ORA"), std::nullopt);
}

TEST_F(PrefixDescriptionTest, FailingStatementShowsNothing) {
  ASSERT_TRUE(DB.Query("DROP TABLE prefix"));
  EXPECT_EQ(PrefixDescriptionText(DB, "ORA"), std::nullopt);
}

}  // namespace
