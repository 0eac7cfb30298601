#include "data/FormatSql.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TArgs = std::vector<TSqlArg>;

// The wide statement as UTF-16, or "<failed>".
std::u16string Wide(std::string_view format, const TArgs& args) {
  return FormatSQL(format, args).value_or(u"<failed>");
}

TEST(FormatSql, QuotesTextAsSqlLiteralsDoublingOnlyApostrophes) {
  EXPECT_EQ(Wide("param=%s", {TSqlArg::WideString(u"O'X")}), u"param='O''X'");
  EXPECT_EQ(Wide("%s", {TSqlArg::WideString(u"a\\b")}), u"'a\\b'");
  EXPECT_EQ(Wide("%s", {TSqlArg::WideString(u"")}), u"''");
  EXPECT_EQ(Wide("%s", {TSqlArg::AnsiString("it's")}), u"'it''s'");
  EXPECT_EQ(Wide("%S", {TSqlArg::WideString(u"line\nbreak\"%'")}), u"'line\nbreak\"%'''");
  EXPECT_EQ(Wide("%s", {TSqlArg::WideChar(u'\'')}), u"''''");
  EXPECT_EQ(Wide("%w", {TSqlArg::ShortString("Gr\xC3\xBC\xC3\x9F")}), u"'Grüß'");
}

TEST(FormatSql, WritesNumbersAndFlagsUnquoted) {
  EXPECT_EQ(Wide("e_pk=%d", {TSqlArg::Integer(-42)}), u"e_pk=-42");
  EXPECT_EQ(Wide("%d%%", {TSqlArg::Integer(5)}), u"5%");
  EXPECT_EQ(Wide("%i", {TSqlArg::Int64(-9007199254740993)}), u"-9007199254740993");
  EXPECT_EQ(Wide("%b,%B", {TSqlArg::Boolean(true), TSqlArg::Boolean(false)}), u"1,0");
  EXPECT_EQ(Wide("%f", {TSqlArg::Extended(1.5L)}), u"1.5");
  EXPECT_EQ(Wide("%s %z", {TSqlArg::Currency(-12345), TSqlArg::Currency(20000)}), u"'-1.2345' '2'");
}

TEST(FormatSql, RawLetters) {
  EXPECT_EQ(Wide("%q", {TSqlArg::WideString(u"O'X")}), u"'O'X'");
  EXPECT_EQ(Wide("%x", {TSqlArg::AnsiString("a\"b'c\\d")}), u"a\\\"b\\'c\\\\d");
  EXPECT_EQ(Wide("%x", {TSqlArg::AnsiString(std::string("n\0\x14", 3))}), u"n\\0\\\x14");
  EXPECT_EQ(Wide("%a", {TSqlArg::WideString(u"O'X")}), u"O'X");
}

TEST(FormatSql, FailsWhenLetterAndArgumentDoNotMatch) {
  EXPECT_FALSE(FormatSQL("%d", TArgs{TSqlArg::WideString(u"1")}));
  EXPECT_FALSE(FormatSQL("%s", TArgs{TSqlArg::Integer(1)}));
  EXPECT_FALSE(FormatSQL("%5d", TArgs{TSqlArg::Integer(1)}));
  EXPECT_FALSE(FormatSQL("%x", TArgs{TSqlArg::WideString(u"a")}));
  EXPECT_FALSE(FormatSQL("%s", TArgs{TSqlArg::Unsupported(TSqlArg::TKind::Pointer)}));
  EXPECT_FALSE(FormatSQL("value %", TArgs{TSqlArg::Integer(1)}));
  EXPECT_FALSE(FormatSQL("100%%", TArgs{TSqlArg::Integer(1)}));
  // More arguments than placeholders: the caller passed something it did not mean to.
  EXPECT_FALSE(FormatSQL("%d", TArgs{TSqlArg::Integer(1), TSqlArg::Integer(2)}));
}

TEST(FormatSql, LeavesPlaceholdersAfterTheLastArgument) {
  EXPECT_EQ(Wide("%s and %s, 100%%", {TSqlArg::WideString(u"a")}), u"'a' and %s, 100%");
  EXPECT_EQ(Wide("100%% %s %d", {}), u"100% %s %d");
  EXPECT_EQ(Wide("%%%%%d", {TSqlArg::Integer(7)}), u"%%7");
}

TEST(FormatSql, KeepsNonAsciiTextInBothModes) {
  const TArgs args = {TSqlArg::WideString(u"Ökonom €")};
  EXPECT_EQ(Wide("WHERE x=%s -- Größe", args), u"WHERE x='Ökonom €' -- Größe");
  EXPECT_EQ(FormatSQLUtf8("WHERE x=%s -- Größe", args).value_or("<failed>"),
            "WHERE x='Ökonom €' -- Größe");
  EXPECT_EQ(FormatSQLUtf8("%s", TArgs{TSqlArg::AnsiString("it's")}).value_or(""), "'it''s'");
}

}  // namespace
