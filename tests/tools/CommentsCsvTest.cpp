#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/mkdb/comments/CommentsCsv.h"

namespace {

using TRecords = std::vector<TCommentRecord>;

const std::string kHeader = "version,prefix,code,comment,lastdate\r\n";

// Only texts that need quoting are quoted, records end with CRLF, and all read back byte for
// byte (Line is not written: it is where a record starts). Read too is what spreadsheets and
// checkouts do to a file: a byte order mark, LF line ends, no final one, needless quotes.
TEST(CommentsCsv, QuotesOnlyWhereNeededAndReadsBackEveryByte) {
  const TRecords records = {
      {"11.2", "ORA", "00942", "it's \"quoted\", twice", "2024-01-02 10:00:00", 2},
      {"11.2", "ORA", "01017", "line one\r\nline two\nline three\rend", "", 3},
      {"9.2", "TNS", "12154", "\ttab  \U0001F600 \xE4\xB8\xAD ", "2024-05-06 07:08:09", 6},
      {"", "", "", "\"", ",", 7}};
  const std::string csv = CommentsCsv(records);
  EXPECT_EQ(csv, kHeader +
                     "11.2,ORA,00942,\"it's \"\"quoted\"\", twice\",2024-01-02 10:00:00\r\n"
                     "11.2,ORA,01017,\"line one\r\nline two\nline three\rend\",\r\n"
                     "9.2,TNS,12154,\ttab  \U0001F600 \xE4\xB8\xAD ,2024-05-06 07:08:09\r\n"
                     ",,,\"\"\"\",\",\"\r\n");
  EXPECT_EQ(CommentsCsv({}), kHeader);
  TRecords read;
  std::string error;
  ASSERT_TRUE(ParseCommentsCsv(csv, "c.csv", read, error)) << error;
  EXPECT_EQ(read, records);
  const std::string variant =
      "\xEF\xBB\xBF\"version\",prefix,code,comment,lastdate\n\"11.2\",ORA,00942,\"x\ny\",d\r\n9.2,"
      "\"ORA\",1,z,\"\"";
  ASSERT_TRUE(ParseCommentsCsv(variant, "c.csv", read, error)) << error;
  EXPECT_EQ(read,
            (TRecords{{"11.2", "ORA", "00942", "x\ny", "d", 2}, {"9.2", "ORA", "1", "z", "", 4}}));
}

// A refusal names the file and line and leaves no records.
TEST(CommentsCsv, BadInputNamesTheFileAndLine) {
  const std::string line2 = kHeader + "11.2,ORA,00942,";  // up to the comment of a record
  const std::string line3 = line2 + "text,d\r\n11.2,ORA,00942,";
  const std::string notHeader = "1: the header row is not version,prefix,code,comment,lastdate";
  const std::pair<std::string, std::string> cases[] = {
      {"", "1: the header row is missing"},
      {"\"version,prefix\",code,comment,lastdate\r\n", notHeader},
      {"Version,prefix,code,comment,lastdate\r\n11.2,ORA,00942,text,d\r\n", notHeader},
      {line3 + "text,d,extra\r\n", "3: 6 field(s) where a comment has 5"},
      {line2 + "text,d\r\n\r\n", "3: 1 field(s) where a comment has 5"},
      {line3 + "\"never\nclosed \"\",d\r\n", "3: a quoted field that is never closed"},
      {line2 + "\"closed\"early,d\r\n", "2: text after the closing double quote of a field"},
      {line2 + "in\"side,d\r\n", "2: a double quote inside a field that does not start with one"},
      {line2 + "a\rb,d\r\n", "2: a carriage return outside quotes that does not end the line"},
      {line3 + "\"x\ny\",\xC3\x28\r\n", "4: not UTF-8 text"},
      {line2 + "\xED\xA0\x80,d\r\n", "2: not UTF-8 text"},  // a surrogate
      {line2 + "\xC0\xAF,d\r\n", "2: not UTF-8 text"},      // overlong
      {line2 + std::string("a\0b,d\r\n", 7), "2: NUL character"}};
  for (const auto& [csv, expected] : cases) {
    TRecords records{{"left", "over", "", "", ""}};
    std::string error;
    EXPECT_FALSE(ParseCommentsCsv(csv, "c.csv", records, error)) << csv;
    EXPECT_EQ(error, "c.csv:" + expected) << csv;
    EXPECT_TRUE(records.empty()) << csv;
  }
}

}  // namespace
