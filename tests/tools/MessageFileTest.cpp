#include "tools/mkdb/catalogue/MessageFile.h"

#include <gtest/gtest.h>

namespace {

// The parser's error, empty when it succeeded.
std::string Parse(const std::string& content, TParsedMessages& parsed) {
  std::string error;
  const bool parsedWell = ParseMessageFile(content, "t.msg", parsed, error);
  EXPECT_EQ(parsedWell, error.empty()) << error;
  return error;
}

TEST(MessageFileTest, ReadsMessagesWithWrappedTagsAndSkipsCodesItCannotShow) {
  TParsedMessages parsed;
  ASSERT_EQ(Parse("/ a comment line\n"
                  "/\n"
                  "00942, 00000, \"table or view does not exist\"\n"
                  "// *Cause:  The named object is\n"
                  "//          missing.\n"
                  "//\n"
                  "//          Or it is not yours.\n"
                  "// *Action: Check the name.\n"
                  "// *Document: NO\n"
                  "// *Params: none\n"
                  "//\n"
                  "123456, 0, \"six digits\"\n"
                  "// *Cause: skipped with it\n"
                  "12A, 0, \"a letter\"\n"
                  "0734,12,\"unknown command \\\"%s\\\"\\nrest %d a\\\\b \\t c:\\\\dir\"\r\n"
                  "// *Comment: kept out\r\n"
                  "// *Action:\r\n",
                  parsed),
            "");
  ASSERT_EQ(parsed.Messages.size(), 2u);
  const TCatalogueMessage& first = parsed.Messages[0];
  EXPECT_EQ(first.Code, "00942");
  EXPECT_EQ(first.Text, "table or view does not exist");
  EXPECT_EQ(first.Cause, "The named object is missing.\nOr it is not yours.");
  EXPECT_EQ(first.Action, "Check the name.");
  const TCatalogueMessage& second = parsed.Messages[1];
  EXPECT_EQ(second.Code, "0734");
  EXPECT_EQ(second.Text, "unknown command \"%s\"\nrest %d a\\b \\t c:\\dir");
  EXPECT_FALSE(second.Cause.has_value());  // no *Cause: at all: NULL
  EXPECT_EQ(second.Action, "");            // an empty tag: empty text
  ASSERT_EQ(parsed.Warnings.size(), 2u);
  EXPECT_EQ(parsed.Warnings[0].substr(0, 10) + parsed.Warnings[1].substr(0, 10),
            "t.msg:12: t.msg:14: ");
}

TEST(MessageFileTest, BrokenInputNamesFileAndLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"00001, 0, \"no end\n", "t.msg:1: the closing quote is missing"},
      {"00001, x, \"t\"\n", "t.msg:1: the second field is not a number followed by a comma"},
      {"1 2, 0, \"t\"\n",
       "t.msg:1: the message code \"1 2\" holds characters other than letters and digits"},
      {"/ c\n// *Cause: x\n", "t.msg:2: a \"//\" line before any message"},
      {"1, 0, \"t\"\n// *Reason: x\n", "t.msg:2: unknown tag *Reason:"},
      {"1, 0, \"t\"\n// *Cause: x\n// *cause: y\n", "t.msg:3: a second *cause: for message 1"},
      {"1, 0, \"t\"\n2, 0, \"u\"\n01, 0, \"v\"\n1, 0, \"w\"\n",
       "t.msg:4: code 1 appears twice (first on line 1)"},
      {"", "t.msg: holds no message"},
      {"1, 0, \"ok\"\n2, 0, \"bad \xC3\x28\"\n", "t.msg:2: not UTF-8 text"},
      {std::string("1, 0, \"a\0b\"\n", 12), "t.msg:1: NUL character"}};
  for (const auto& [content, expected] : cases) {
    TParsedMessages parsed;
    EXPECT_EQ(Parse(content, parsed), expected);
  }
}

}  // namespace
