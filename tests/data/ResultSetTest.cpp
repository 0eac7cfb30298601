#include "data/ResultSet.h"

#include <gtest/gtest.h>

#include "data/LiteDb.h"

namespace {

// A result as a statement leaves it: columns "id", "name", "note"; the note of row 1 is NULL.
class ResultSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* column : {"id", "name", "note"}) {
      Result.MutableFields().Add(column);
    }
    for (const auto& [id, name, note] : {std::tuple{"007", "Grüße", "x"}, {"12abc", "", ""}}) {
      TResultRow& row = Result.AppendRow(3);
      row.Append(id, false);
      row.Append(name, false);
      row.Append(note, id[0] == '1');
    }
    Result.ColCount = 3;
    Result.HasResult = true;
  }

  TResultSet Result{"default", nullptr};
};

TEST_F(ResultSetTest, FieldsByPositionAndNameMissingOnesReadAsNull) {
  TResultRow& row = Result.Row(0);
  EXPECT_EQ(row.Field(1).AsWideString(), u"Grüße");
  EXPECT_EQ(row.Field(std::int64_t{0}).AsInteger(), 7);
  EXPECT_EQ(row.Field("name").Value, "Grüße");
  EXPECT_EQ(&row.Field(0), &row.Field("note"));  // every call refills the same cell
  EXPECT_EQ(row.Field(0).Value, "007");
  EXPECT_TRUE(row.Field("missing").IsNull);
  for (const auto& [r, f] : {std::pair{1, 2}, {0, 3}, {0, -1}, {-1, 0}, {2, 0}, {1000, 0}}) {
    const TResultCell& cell = Result.Row(r).Field(f);
    EXPECT_TRUE(cell.IsNull) << r << "," << f;
    EXPECT_EQ(cell.AsWideString(), u"");
    EXPECT_EQ(cell.AsInteger(), 0);
  }
}

TEST(ResultCell, AsIntegerReadsOnlyWhole32BitDecimals) {
  const auto read = [](const char* text) {
    TResultCell cell;
    cell.Value = text;
    cell.IsNull = false;
    return cell.AsInteger();
  };
  EXPECT_EQ(read("007"), 7);
  EXPECT_EQ(read("+5"), 5);
  EXPECT_EQ(read("-2147483648"), INT32_MIN);
  EXPECT_EQ(read("2147483647"), INT32_MAX);
  for (const char* text : {"12abc", "2147483648", "99999999999", "+-5", " 5", "1.5", ""}) {
    EXPECT_EQ(read(text), 0) << text;
  }
}

TEST_F(ResultSetTest, RenderingsAndClear) {
  EXPECT_EQ(Result.ResultAsText(), "007\tGrüße\tx\r\n12abc\t\t\r\n");
  Result.Clear();
  EXPECT_EQ(Result.RowCount, 0);
  EXPECT_TRUE(Result.Fields().Empty());
  EXPECT_TRUE(Result.Row(0).Field(0).IsNull);
}

TEST(ResultRegistry, ClearResultsStartsAnEmptyDefaultResult) {
  TLiteDB db;
  db.SetResultSet("other");
  db.CurrentResult().AppendRow(1).Append("1", false);
  db.ClearResults();
  EXPECT_EQ(db.ResultSetName(), "default");
  EXPECT_EQ(db.RowCount(), 0);
  db.SetResultSet("other");
  EXPECT_EQ(db.RowCount(), 0);  // the old "other" went with ClearResults
}

}  // namespace
