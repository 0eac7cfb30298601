#include "data/ResultSet.h"

#include <gtest/gtest.h>

#include "data/LiteDb.h"

namespace {

// A result as a statement leaves it: columns "id", "name", "note"; the note of row 1 is NULL.
TEST(ResultSet, FieldsByPositionAndNameMissingOnesReadAsNull) {
  TResultSet result{"default", nullptr};
  for (const char* column : {"id", "name", "note"}) {
    result.MutableFields().Add(column);
  }
  for (const auto& [id, name, note] : {std::tuple{"007", "Grüße", "x"}, {"12abc", "", ""}}) {
    TResultRow& added = result.AppendRow(3);
    added.Append(id, false);
    added.Append(name, false);
    added.Append(note, id[0] == '1');
  }
  result.ColCount = 3;
  result.HasResult = true;
  TResultRow& row = result.Row(0);
  EXPECT_EQ(row.Field(1).AsWideString(), u"Grüße");
  EXPECT_EQ(row.Field(std::int64_t{0}).AsInteger(), 7);
  // Each field is a value of its own: reading another one changes none read before.
  const TResultCell name = row.Field("name");
  const TResultCell id = row.Field(0);
  EXPECT_EQ(row.Field("note").Value, "x");
  EXPECT_EQ(name.Value + "|" + id.Value, "Grüße|007");
  EXPECT_TRUE(row.Field("missing").IsNull);
  EXPECT_EQ(result.ResultAsText(), "007\tGrüße\tx\r\n12abc\t\t\r\n");
  for (const auto& [r, f] : {std::pair{1, 2}, {0, 3}, {0, -1}, {-1, 0}, {2, 0}, {1000, 0}}) {
    const TResultCell cell = result.Row(r).Field(f);
    EXPECT_TRUE(cell.IsNull) << r << "," << f;
    EXPECT_EQ(cell.AsWideString(), u"");
    EXPECT_EQ(cell.AsInteger(), 0);
  }
}

TEST(ResultCell, AsIntegerReadsOnlyWhole32BitDecimals) {
  const auto read = [](const char* text) { return TResultCell{text, false}.AsInteger(); };
  EXPECT_EQ(read("007") + read("+5"), 12);
  EXPECT_EQ(read("-2147483648"), INT32_MIN);
  EXPECT_EQ(read("2147483647"), INT32_MAX);
  for (const char* text : {"12abc", "2147483648", "99999999999", "+-5", " 5", "1.5", ""}) {
    EXPECT_EQ(read(text), 0) << text;
  }
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
