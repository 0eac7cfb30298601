#include "details/DetailLoader.h"

#include <gtest/gtest.h>

#include "tests/details/qt/DetailFixture.h"

namespace {

const QString kCommentHeading = QStringLiteral("Mein Kommentar");

QStringList Texts(const std::vector<TDetData>& rows) {
  QStringList texts;
  for (const TDetData& row : rows) {
    texts.append(row.Text);
  }
  return texts;
}

// A catalogue with the messages the edge cases need beside the usual ones.
TCatalogue EdgeCatalogue() {
  TCatalogue catalogue = SmallCatalogue();
  auto& messages = catalogue.Versions[0].Messages["ORA"];
  messages.push_back({"00600", "internal error code", std::nullopt, std::nullopt});
  messages.push_back({"0060A", "a code with a letter", "some cause", "some action"});
  return catalogue;
}

class DetailLoaderTest : public ::testing::Test {
 protected:
  TDetailFixture Data{EdgeCatalogue()};
  TResData Table = Data.Record("10.2", "ORA", "00942");
};

TEST_F(DetailLoaderTest, SixRowsWithUnscrambledCauseAndAction) {
  // The stored text really is scrambled, so showing it plain proves the unscrambling.
  Data.Run("SELECT e_cause FROM error WHERE e_pk=" + std::to_string(Table.pk));
  ASSERT_NE(Data.DB.Row(0).Field(0).Value,
            "The statement named a table or view that is missing or not visible to you.");

  const TDetailLoad load = LoadDetails(Data.DB, Table, kCommentHeading);
  EXPECT_TRUE(load.Error.isEmpty());
  EXPECT_EQ(Texts(load.Rows),
            QStringList({"ORA-00942", "table or view does not exist", "Cause",
                         "The statement named a table or view that is missing or not visible "
                         "to you.",
                         "Action",
                         "Check the spelling, the owner and your privileges on the "
                         "object."}));
  for (std::size_t row = 0; row < load.Rows.size(); ++row) {
    EXPECT_EQ(load.Rows[row].Heading, row % 2 == 0) << row;
  }
}

TEST_F(DetailLoaderTest, CommentAddsItsHeadingAndBody) {
  Data.AddComment(Table.pk, "check the synonym first");
  const TDetailLoad load = LoadDetails(Data.DB, Table, kCommentHeading);
  ASSERT_EQ(load.Rows.size(), 8u);
  EXPECT_TRUE(load.Rows[6].Heading);
  EXPECT_EQ(load.Rows[6].Text, kCommentHeading);
  EXPECT_FALSE(load.Rows[7].Heading);
  EXPECT_EQ(load.Rows[7].Text, "check the synonym first");
}

TEST_F(DetailLoaderTest, EmptyCommentShowsNoCommentRows) {
  Data.AddComment(Table.pk, "");
  EXPECT_EQ(LoadDetails(Data.DB, Table, kCommentHeading).Rows.size(), 6u);
}

TEST_F(DetailLoaderTest, FirstOfTwoCommentRowsIsShown) {
  Data.AddComment(Table.pk, "first");
  Data.AddComment(Table.pk, "second");
  const TDetailLoad load = LoadDetails(Data.DB, Table, kCommentHeading);
  ASSERT_EQ(load.Rows.size(), 8u);
  EXPECT_EQ(load.Rows[7].Text, "first");
}

TEST_F(DetailLoaderTest, NullCauseAndActionGiveEmptyBodies) {
  const TDetailLoad load =
      LoadDetails(Data.DB, Data.Record("10.2", "ORA", "00600"), kCommentHeading);
  EXPECT_EQ(Texts(load.Rows),
            QStringList({"ORA-00600", "internal error code", "Cause", "", "Action", ""}));
}

TEST_F(DetailLoaderTest, CodeWithLetterGivesEmptyCauseAndAction) {
  const TResData record = Data.Record("10.2", "ORA", "0060A");
  Data.Run("UPDATE error SET e_cause='stored cause', e_action='stored action' WHERE e_pk=" +
           std::to_string(record.pk));
  const TDetailLoad load = LoadDetails(Data.DB, record, kCommentHeading);
  EXPECT_EQ(Texts(load.Rows),
            QStringList({"ORA-0060A", "a code with a letter", "Cause", "", "Action", ""}));
}

TEST_F(DetailLoaderTest, VanishedMessageGivesNothingAndNoError) {
  TResData gone = Table;
  gone.pk = 999999;
  const TDetailLoad load = LoadDetails(Data.DB, gone, kCommentHeading);
  EXPECT_TRUE(load.Rows.empty());
  EXPECT_TRUE(load.Error.isEmpty());
}

TEST_F(DetailLoaderTest, FailingCauseQueryIsReportedWithoutRows) {
  Data.Run("DROP TABLE error");
  const TDetailLoad load = LoadDetails(Data.DB, Table, kCommentHeading);
  EXPECT_TRUE(load.Rows.empty());
  EXPECT_EQ(load.Error, "ERROR (Det): no such table: error");
}

TEST_F(DetailLoaderTest, FailingCommentQueryDropsCauseAndActionToo) {
  Data.Run("DROP TABLE usr_comment");
  const TDetailLoad load = LoadDetails(Data.DB, Table, kCommentHeading);
  EXPECT_TRUE(load.Rows.empty());
  EXPECT_EQ(load.Error, "ERROR (Com): no such table: usr_comment");
}

}  // namespace
