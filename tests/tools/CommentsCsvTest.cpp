#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/mkdb/CommentsCsv.h"

namespace {

using TRecords = std::vector<TCommentRecord>;

const std::string kHeader = "version,prefix,code,comment,lastdate\r\n";

// Texts that need quoting, and texts that must stay exactly as they are although they do not.
TRecords Awkward() {
  return {{"11.2", "ORA", "00942", "it's \"quoted\", twice", "2024-01-02 10:00:00"},
          {"11.2", "ORA", "01017", "line one\r\nline two\nline three\rend", ""},
          {"9.2", "TNS", "12154", "\ttab  \U0001F600 \xE4\xB8\xAD ", "2024-05-06 07:08:09"},
          {"9.2", "SP2", "0042", "", ""},
          {"", "", "", "\"", ","}};
}

TRecords Parsed(const std::string& csv, std::string& error) {
  TRecords records;
  EXPECT_TRUE(ParseCommentsCsv(csv, "c.csv", records, error)) << error;
  for (TCommentRecord& record : records) {
    record.Line = 0;
  }
  return records;
}

TEST(CommentsCsv, QuotesOnlyWhereNeededAndEndsRecordsWithCrLf) {
  const TRecords records = {{"11.2", "ORA", "00942", "a, \"b\"\nc", "2024"},
                            {"9.2", "ORA", "00001", "plain\ttext", ""}};
  EXPECT_EQ(CommentsCsv(records), kHeader +
                                      "11.2,ORA,00942,\"a, \"\"b\"\"\nc\",2024\r\n"
                                      "9.2,ORA,00001,plain\ttext,\r\n");
  EXPECT_EQ(CommentsCsv({}), kHeader);
}

TEST(CommentsCsv, WrittenRecordsReadBackByteForByte) {
  std::string error;
  EXPECT_EQ(Parsed(CommentsCsv(Awkward()), error), Awkward());
}

// What spreadsheets and checkouts do to a file: a byte order mark, LF line ends, no final
// line end, quotes around fields that need none. The lines of the records are where they start.
TEST(CommentsCsv, ReadsTheVariantsOtherProgramsWrite) {
  const TRecords expected = {{"11.2", "ORA", "00942", "x\ny", "d"}, {"9.2", "ORA", "1", "z", ""}};
  for (const std::string& csv :
       {std::string("\xEF\xBB\xBF") + kHeader + "11.2,ORA,00942,\"x\ny\",d\r\n9.2,ORA,1,z,\r\n",
        std::string(
            "version,prefix,code,comment,lastdate\n11.2,ORA,00942,\"x\ny\",d\n9.2,ORA,1,z,"),
        std::string(
            "\"version\",prefix,code,comment,\"lastdate\"\r\n\"11.2\",ORA,00942,\"x\ny\",\"d\"\r\n"
            "9.2,\"ORA\",1,z,\"\"\r\n")}) {
    std::string error;
    TRecords records;
    ASSERT_TRUE(ParseCommentsCsv(csv, "c.csv", records, error)) << error << "\n" << csv;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Line, 2u);
    EXPECT_EQ(records[1].Line, 4u);  // the comment of line 2 spans two lines
    for (TCommentRecord& record : records) {
      record.Line = 0;
    }
    EXPECT_EQ(records, expected);
  }
}

TEST(CommentsCsv, BadInputNamesTheFileAndLine) {
  const std::string row = "11.2,ORA,00942,text,d\r\n";
  const struct {
    std::string Csv;
    std::string Error;
  } cases[] = {
      {"", "c.csv:1: the header row is missing"},
      {"version,prefix,code,comment\r\n",
       "c.csv:1: the header row is not version,prefix,code,comment,lastdate"},
      {"Version,prefix,code,comment,lastdate\r\n" + row,
       "c.csv:1: the header row is not version,prefix,code,comment,lastdate"},
      {kHeader + row + "11.2,ORA,00942,text\r\n", "c.csv:3: 4 field(s) where a comment has 5"},
      {kHeader + row + "11.2,ORA,00942,text,d,extra\r\n",
       "c.csv:3: 6 field(s) where a comment has 5"},
      {kHeader + row + "\r\n", "c.csv:3: 1 field(s) where a comment has 5"},
      {kHeader + row + "11.2,ORA,00942,\"never closed,d\r\nmore\r\n",
       "c.csv:3: a quoted field that is never closed"},
      {kHeader + "11.2,ORA,00942,\"closed\"early,d\r\n",
       "c.csv:2: text after the closing double quote of a field"},
      {kHeader + "11.2,ORA,00942,in\"side,d\r\n",
       "c.csv:2: a double quote inside a field that does not start with one"},
      {kHeader + "11.2,ORA,00942,a\rb,d\r\n",
       "c.csv:2: a carriage return outside quotes that does not end the line"},
      {kHeader + row + "11.2,ORA,00942,\"x\ny\",\xC3\x28\r\n", "c.csv:4: not UTF-8 text"},
      {kHeader + "11.2,ORA,00942,\xED\xA0\x80,d\r\n", "c.csv:2: not UTF-8 text"},  // a surrogate
      {kHeader + "11.2,ORA,00942,\xC0\xAF,d\r\n", "c.csv:2: not UTF-8 text"},      // overlong
      {kHeader + std::string("11.2,ORA,00942,a\0b,d\r\n", 22), "c.csv:2: NUL character"},
  };
  for (const auto& [csv, expected] : cases) {
    TRecords records{{"left", "over", "", "", ""}};
    std::string error;
    EXPECT_FALSE(ParseCommentsCsv(csv, "c.csv", records, error)) << csv;
    EXPECT_EQ(error, expected) << csv;
    EXPECT_TRUE(records.empty());
  }
}

}  // namespace
