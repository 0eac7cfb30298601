#include "data/FormatSql.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using TArgs = std::vector<TSqlArg>;

TSqlArg W(std::u16string_view text) {
  return TSqlArg::WideString(std::u16string(text));
}

TEST(FormatSql, BuildsTheStatement) {
  const std::tuple<std::string_view, TArgs, std::u16string> cases[] = {
      // Text becomes a literal in apostrophes; only apostrophes are doubled.
      {"param=%s", {W(u"O'X")}, u"param='O''X'"},
      {"%s", {W(u"a\\b")}, u"'a\\b'"},
      {"%s", {W(u"")}, u"''"},
      {"%s", {TSqlArg::AnsiString("it's")}, u"'it''s'"},
      {"%S", {W(u"line\nbreak\"%'")}, u"'line\nbreak\"%'''"},
      {"%s", {TSqlArg::WideChar(u'\'')}, u"''''"},
      {"%w", {TSqlArg::ShortString("Gr\xC3\xBC\xC3\x9F")}, u"'Grüß'"},
      {"WHERE x=%s -- Größe", {W(u"Ökonom €")}, u"WHERE x='Ökonom €' -- Größe"},
      // Numbers and flags are written bare.
      {"e_pk=%d", {TSqlArg::Integer(-42)}, u"e_pk=-42"},
      {"%i", {TSqlArg::Int64(-9007199254740993)}, u"-9007199254740993"},
      {"%b,%B", {TSqlArg::Boolean(true), TSqlArg::Boolean(false)}, u"1,0"},
      {"%f", {TSqlArg::Extended(1.5L)}, u"1.5"},
      {"%s %z", {TSqlArg::Currency(-12345), TSqlArg::Currency(20000)}, u"'-1.2345' '2'"},
      // Raw letters: %q quotes without doubling, %x escapes with backslashes, %a inserts.
      {"%q", {W(u"O'X")}, u"'O'X'"},
      {"%x", {TSqlArg::AnsiString("a\"b'c\\d")}, u"a\\\"b\\'c\\\\d"},
      {"%x", {TSqlArg::AnsiString(std::string("n\0\x14", 3))}, u"n\\0\\\x14"},
      {"%a", {W(u"O'X")}, u"O'X"},
      // Placeholders after the last argument are left as they are.
      {"%s and %s, 100%%", {W(u"a")}, u"'a' and %s, 100%"},
      {"100%% %s %d", {}, u"100% %s %d"},
      {"%%%%%d", {TSqlArg::Integer(7)}, u"%%7"}};
  for (const auto& [format, args, expected] : cases) {
    EXPECT_EQ(FormatSQL(format, args).value_or(u"<failed>"), expected) << format;
  }
  EXPECT_EQ(FormatSQLUtf8("WHERE x=%s -- Größe", TArgs{W(u"Ökonom €")}).value_or(""),
            "WHERE x='Ökonom €' -- Größe");
}

TEST(FormatSql, FailsWhenLetterAndArgumentDoNotMatch) {
  const std::pair<std::string_view, TArgs> cases[] = {
      {"%d", {W(u"1")}},
      {"%s", {TSqlArg::Integer(1)}},
      {"%5d", {TSqlArg::Integer(1)}},
      {"%x", {W(u"a")}},
      {"%s", {TSqlArg::Unsupported(TSqlArg::TKind::Pointer)}},
      {"value %", {TSqlArg::Integer(1)}},
      {"100%%", {TSqlArg::Integer(1)}},
      {"%d", {TSqlArg::Integer(1), TSqlArg::Integer(2)}}};  // more arguments than placeholders
  for (const auto& [format, args] : cases) {
    EXPECT_FALSE(FormatSQL(format, args)) << format;
  }
}

}  // namespace
