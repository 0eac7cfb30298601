// The search statement, character for character, from criteria as the user types them.
#include "search/SearchStatement.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/search/TypedCriteria.h"
#include "tests/support/TextCases.h"

namespace {

const std::vector<std::u16string> kPrefixes = {u"", u"ORA", u"TNS", u"SP2"};

std::string Statement(const TTypedCriteria& typed) {
  return Utf16ToUtf8Exact(BuildSearchStatement(PrepareCriteria(Criteria(typed)), u"500"));
}

bool HasCriteria(const TTypedCriteria& typed) {
  return HasSearchCriteria(PrepareCriteria(Criteria(typed)));
}

TEST(SearchStatement, TheDocumentedExamplesGiveExactlyTheirStatements) {
  EXPECT_EQ(Statement({"", "ORA", "00942", "", ""}),
            "SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, "
            "prefix p, version v WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk = p.pref_pk   "
            "AND  p.pref_name = 'ORA'   AND  e.e_code = '00942' ORDER  BY v.vers_name, "
            "p.pref_name, e.e_code  LIMIT 500");
  EXPECT_EQ(Statement({"10.2", "", "942", "table", "my"}),
            "SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, "
            "prefix p, version v , usr_comment c WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk "
            "= p.pref_pk   AND  e.e_pk = c.e_fk   AND  v.vers_name = '10.2'   AND  e.e_code "
            "LIKE '%942%'   AND  Upper(e.e_message) LIKE '%TABLE%'   AND  Upper(c.commentary) "
            "LIKE '%MY%' ORDER  BY v.vers_name, p.pref_name, e.e_code  LIMIT 500");
}

TEST(SearchStatement, CriteriaNeedANonBlankEditAndABlankCommentStillJoins) {
  EXPECT_FALSE(HasCriteria({"10.2", "ORA", "  ", "\t \n", "\x01 "}));
  EXPECT_TRUE(HasCriteria({"", "", " 9 ", "", ""}));
  EXPECT_TRUE(HasCriteria({"", "", "", "", "x"}));
  const std::string sql = Statement({"", "", "942", "", "  "});
  EXPECT_TRUE(Contains(sql, "e.e_pk = c.e_fk ") && Contains(sql, "commentary) LIKE '%  %' "));
}

// A listed prefix typed in front of the code is split off at the first dash.
TEST(SearchStatement, TypedPrefixSplitsOffAtTheFirstDash) {
  // Typed, the prefix's index or -1 for no split, the code left.
  const std::tuple<const char*, int, const char*> cases[] = {
      {"ora-00942", 1, "00942"}, {"ORA-12-3", 1, "12-3"}, {" ora - 942 ", 1, "942"},
      {"sp2-0734", 3, "0734"},   {"TNS-1'2", 2, "1'2"},   {"ORA-", 1, ""},
      {"XYZ-1", -1, ""},         {"00942", -1, ""},       {" -942", -1, ""},
      {"OR-1", -1, ""}};
  for (const auto& [typed, index, code] : cases) {
    const auto split = SplitPrefixFromCode(Utf8ToUtf16Exact(typed), kPrefixes);
    ASSERT_EQ(split ? split->PrefixIndex : -1, index) << typed;
    if (split) {
      EXPECT_EQ(split->Prefix, kPrefixes[index]);
      EXPECT_EQ(Utf16ToUtf8Exact(split->Code), code) << typed;
    }
  }
  // "ORA-" searches the prefix alone.
  const std::string sql = Statement({"", "ORA", "", "", ""});
  EXPECT_TRUE(Contains(sql, "p.pref_name = 'ORA' ") && !Contains(sql, "AND  e.e_code"));
}

TEST(SearchStatement, OnlyAQuotedCodeOfFiveCharactersIsExactAndApostrophesAreDoubled) {
  const std::pair<const char*, const char*> cases[] = {
      {"  942", "e.e_code = '  942' "},      {"009%2", "e.e_code = '009%2' "},
      {"XYZ-1", "e.e_code = 'XYZ-1' "},      {"00'9", "e.e_code = '00''9' "},
      {"09%2", "e.e_code LIKE '%09%2%' "},   {"009421", "e.e_code LIKE '%009421%' "},
      {"0'942", "e.e_code LIKE '%0''942%' "}};
  for (const auto& [code, part] : cases) {
    EXPECT_TRUE(Contains(Statement({"", "", code, "", ""}), part));
  }
  // Words are upper-cased too.
  const std::string sql = Statement({"O'Neil 1", "X'Y", "1", "don't", "caf\u00e9 it's"});
  for (const char* part :
       {"v.vers_name = 'O''Neil 1' ", "p.pref_name = 'X''Y' ",
        "Upper(e.e_message) LIKE '%DON''T%' ", "Upper(c.commentary) LIKE '%CAF\u00c9 IT''S%' "}) {
    EXPECT_TRUE(Contains(sql, part));
  }
}

}  // namespace
