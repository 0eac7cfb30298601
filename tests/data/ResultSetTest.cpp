#include "data/ResultSet.h"

#include <gtest/gtest.h>

#include "data/LiteDb.h"

namespace {

// A result as a statement leaves it: columns "id", "name", "note"; the note of row 1 is NULL.
class ResultSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Result.MutableFields().Add("id");
    Result.MutableFields().Add("name");
    Result.MutableFields().Add("note");
    AddRow("007", "Grüße", "x", false);
    AddRow("12abc", "", "", true);
    Result.ColCount = 3;
    Result.HasResult = true;
  }

  void AddRow(std::string id, std::string name, std::string note, bool noteIsNull) {
    TResultRow& row = Result.AppendRow(3);
    row.Append(std::move(id), false);
    row.Append(std::move(name), false);
    row.Append(std::move(note), noteIsNull);
  }

  TResultSet Result{"default", nullptr};
};

TEST_F(ResultSetTest, RowsOutOfRangeAreTheEmptyRow) {
  for (int i : {-1, 2, 1000}) {
    TResultCell& cell = Result.Row(i).Field(0);
    EXPECT_TRUE(cell.IsNull);
    EXPECT_EQ(cell.AsWideString(), u"");
    EXPECT_EQ(cell.AsInteger(), 0);
  }
  EXPECT_EQ(&Result.Row(-1), &Result.Row(2));
}

TEST_F(ResultSetTest, FieldsByPositionAndName) {
  TResultRow& row = Result.Row(0);
  EXPECT_EQ(row.Field(1).AsWideString(), u"Grüße");
  EXPECT_EQ(row.Field(std::int64_t{0}).AsInteger(), 7);
  EXPECT_EQ(row.Field("name").Value, "Grüße");
  EXPECT_TRUE(row.Field("missing").IsNull);
  EXPECT_TRUE(row.Field(3).IsNull);
  EXPECT_TRUE(row.Field(-1).IsNull);
  TResultCell& note = Result.Row(1).Field("note");
  EXPECT_TRUE(note.IsNull);
  EXPECT_EQ(note.AsWideString(), u"");
}

TEST_F(ResultSetTest, EveryFieldCallRefillsTheSameCell) {
  TResultRow& row = Result.Row(0);
  TResultCell& first = row.Field(0);
  TResultCell& second = row.Field(2);
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(first.Value, "x");
}

TEST_F(ResultSetTest, AsIntegerReadsOnlyWhole32BitDecimals) {
  const auto read = [](std::string text) {
    TResultCell cell;
    cell.Value = std::move(text);
    cell.IsNull = false;
    return cell.AsInteger();
  };
  EXPECT_EQ(read("007"), 7);
  EXPECT_EQ(read("12abc"), 0);
  EXPECT_EQ(read("-2147483648"), INT32_MIN);
  EXPECT_EQ(read("2147483647"), INT32_MAX);
  EXPECT_EQ(read("2147483648"), 0);
  EXPECT_EQ(read("99999999999"), 0);
  EXPECT_EQ(read("+5"), 5);
  EXPECT_EQ(read("+-5"), 0);
  EXPECT_EQ(read(" 5"), 0);
  EXPECT_EQ(read("1.5"), 0);
  EXPECT_EQ(read(""), 0);
}

TEST_F(ResultSetTest, ClearEmptiesRowsColumnsAndCounters) {
  Result.ErrorCode = 1;
  Result.ErrorText = "boom";
  Result.Clear();
  EXPECT_EQ(Result.RowCount, 0);
  EXPECT_TRUE(Result.Fields().Empty());
  EXPECT_EQ(Result.ErrorCode, 0);
  EXPECT_EQ(Result.ErrorText, "");
  EXPECT_TRUE(Result.Row(0).Field(0).IsNull);
}

TEST_F(ResultSetTest, Renderings) {
  EXPECT_EQ(Result.ResultAsText(), "007\tGrüße\tx\r\n12abc\t\t\r\n");
  EXPECT_EQ(Result.ResultAsCommaSeperated(),
            "\"007\", \"Grüße\", \"x\"\r\n\"12abc\", \"\", \"\"\r\n");
  Result.HasResult = false;
  EXPECT_EQ(Result.ResultAsText(), "");
  EXPECT_EQ(Result.ResultAsHTML(), "<!-- no result -->");
}

TEST(ResultRegistry, ClearResultsStartsAnEmptyDefaultResult) {
  TLiteDB db;
  db.SetResultSet("other");
  EXPECT_EQ(db.ResultSetName(), "other");
  db.CurrentResult().AppendRow(1).Append("1", false);
  db.ClearResults();
  EXPECT_EQ(db.ResultSetName(), "default");
  EXPECT_EQ(db.RowCount(), 0);
  db.SetResultSet("other");
  EXPECT_EQ(db.RowCount(), 0);  // the old "other" went with ClearResults
}

}  // namespace
