// The search statement, character for character, from criteria as the user types them.
#include "search/SearchStatement.h"

#include <gtest/gtest.h>

namespace {

const QStringList PrefixList = {QString(), QStringLiteral("ORA"), QStringLiteral("TNS"),
                                QStringLiteral("SP2")};

QString Statement(const TSearchCriteria& criteria, const QString& limit = QStringLiteral("500")) {
  return BuildSearchStatement(PrepareCriteria(criteria), limit);
}

TSearchCriteria CodeOnly(const QString& code) {
  TSearchCriteria criteria;
  criteria.Code = code;
  return criteria;
}

}  // namespace

TEST(SearchStatement, ExactCodeWithPrefixGivesTheFixedStatement) {
  TSearchCriteria criteria = CodeOnly(QStringLiteral("00942"));
  criteria.Prefix = QStringLiteral("ORA");
  EXPECT_EQ(Statement(criteria).toStdString(),
            "SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, "
            "prefix p, version v WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk = p.pref_pk   "
            "AND  p.pref_name = 'ORA'   AND  e.e_code = '00942' ORDER  BY v.vers_name, "
            "p.pref_name, e.e_code  LIMIT 500");
}

TEST(SearchStatement, EveryCriterionGivesEveryPiece) {
  TSearchCriteria criteria = CodeOnly(QStringLiteral("942"));
  criteria.Version = QStringLiteral("10.2");
  criteria.Message = QStringLiteral("table");
  criteria.Comment = QStringLiteral("my");
  EXPECT_EQ(Statement(criteria).toStdString(),
            "SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message FROM   error e, "
            "prefix p, version v , usr_comment c WHERE  e.vers_fk = v.vers_pk   AND  e.pref_fk "
            "= p.pref_pk   AND  e.e_pk = c.e_fk   AND  v.vers_name = '10.2'   AND  e.e_code "
            "LIKE '%942%'   AND  Upper(e.e_message) LIKE '%TABLE%'   AND  Upper(c.commentary) "
            "LIKE '%MY%' ORDER  BY v.vers_name, p.pref_name, e.e_code  LIMIT 500");
}

TEST(SearchStatement, TypedPrefixGivesTheSameStatementAsAChosenOne) {
  const auto split = SplitPrefixFromCode(QStringLiteral("ora-00942"), PrefixList);
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(split->PrefixIndex, 1);
  TSearchCriteria typed = CodeOnly(split->Code);
  typed.Prefix = split->Prefix;
  TSearchCriteria chosen = CodeOnly(QStringLiteral("00942"));
  chosen.Prefix = QStringLiteral("ORA");
  EXPECT_EQ(Statement(typed), Statement(chosen));
}

TEST(SearchStatement, CriteriaArePresentOnlyWithANonBlankEdit) {
  EXPECT_FALSE(HasSearchCriteria(PrepareCriteria({})));
  TSearchCriteria blanks;
  blanks.Version = QStringLiteral("10.2");
  blanks.Prefix = QStringLiteral("ORA");
  blanks.Code = QStringLiteral("  ");
  blanks.Message = QStringLiteral("\t \n");
  blanks.Comment = QString(QChar(1)) + QChar(32);
  EXPECT_FALSE(HasSearchCriteria(PrepareCriteria(blanks)));
  EXPECT_TRUE(HasSearchCriteria(PrepareCriteria(CodeOnly(QStringLiteral(" 9 ")))));
  TSearchCriteria comment;
  comment.Comment = QStringLiteral("x");
  EXPECT_TRUE(HasSearchCriteria(PrepareCriteria(comment)));
}

TEST(SearchStatement, BlankCommentStillJoinsTheComments) {
  TSearchCriteria criteria = CodeOnly(QStringLiteral("942"));
  criteria.Comment = QStringLiteral("  ");
  const QString sql = Statement(criteria);
  EXPECT_TRUE(sql.contains(QStringLiteral("version v , usr_comment c WHERE")));
  EXPECT_TRUE(sql.contains(QStringLiteral("  AND  e.e_pk = c.e_fk ")));
  EXPECT_TRUE(sql.contains(QStringLiteral("Upper(c.commentary) LIKE '%  %' ")));
}

TEST(SearchStatement, OnlyAPreparedCodeOfFiveCharactersIsComparedExactly) {
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("  942"))).contains("e.e_code = '  942' "));
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("009%2"))).contains("e.e_code = '009%2' "));
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("09%2"))).contains("e.e_code LIKE '%09%2%' "));
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("009421"))).contains("LIKE '%009421%' "));
  // The length is taken after quote doubling.
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("00'9"))).contains("e.e_code = '00''9' "));
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("0'942"))).contains("LIKE '%0''942%' "));
}

TEST(SearchStatement, CodeKeepsItsCaseWordsAreUpperCased) {
  TSearchCriteria criteria = CodeOnly(QStringLiteral("ab"));
  criteria.Message = QStringLiteral("don't");
  criteria.Comment = QStringLiteral("caf\u00e9 it's");
  const QString sql = Statement(criteria);
  EXPECT_TRUE(sql.contains(QStringLiteral("e.e_code LIKE '%ab%' ")));
  EXPECT_TRUE(sql.contains(QStringLiteral("Upper(e.e_message) LIKE '%DON''T%' ")));
  EXPECT_TRUE(sql.contains(QStringLiteral("Upper(c.commentary) LIKE '%CAF\u00c9 IT''S%' ")));
}

TEST(SearchStatement, NamesWithAnApostropheCannotBreakTheStatement) {
  TSearchCriteria criteria = CodeOnly(QStringLiteral("1"));
  criteria.Version = QStringLiteral("O'Neil 1");
  criteria.Prefix = QStringLiteral("X'Y");
  const QString sql = Statement(criteria);
  EXPECT_TRUE(sql.contains(QStringLiteral("p.pref_name = 'X''Y' ")));
  EXPECT_TRUE(sql.contains(QStringLiteral("v.vers_name = 'O''Neil 1' ")));
}

TEST(SearchStatement, RowLimitIsAppendedAsItStands) {
  EXPECT_TRUE(Statement(CodeOnly("1"), QStringLiteral("0")).endsWith(" e.e_code  LIMIT 0"));
  EXPECT_TRUE(Statement(CodeOnly("1"), QString()).endsWith(" e.e_code  LIMIT "));
}

TEST(SearchStatement, EscapeAndTrimHelpers) {
  EXPECT_EQ(EscapeQuotes(QString()), QString());
  EXPECT_EQ(EscapeQuotes(QStringLiteral("''a'")), QStringLiteral("''''a''"));
  EXPECT_EQ(TrimBelow33(QString(QChar(31)) + QStringLiteral(" a b\t\r\n")), QStringLiteral("a b"));
  EXPECT_EQ(TrimBelow33(QStringLiteral(" \t ")), QString());
  // Only characters below 33 go: a no-break space stays.
  EXPECT_EQ(TrimBelow33(QStringLiteral("\u00a0x ")), QStringLiteral("\u00a0x"));
}

TEST(PrefixSplit, OnlyTheFirstDashOfAListedPrefixSplits) {
  const auto nested = SplitPrefixFromCode(QStringLiteral("ORA-12-3"), PrefixList);
  ASSERT_TRUE(nested.has_value());
  EXPECT_EQ(nested->Prefix, QStringLiteral("ORA"));
  EXPECT_EQ(nested->Code, QStringLiteral("12-3"));

  const auto spaced = SplitPrefixFromCode(QStringLiteral(" ora - 942 "), PrefixList);
  ASSERT_TRUE(spaced.has_value());
  EXPECT_EQ(spaced->Prefix, QStringLiteral("ORA"));
  EXPECT_EQ(spaced->Code, QStringLiteral("942"));
  EXPECT_TRUE(Statement(CodeOnly(spaced->Code)).contains("e.e_code LIKE '%942%' "));

  const auto sp2 = SplitPrefixFromCode(QStringLiteral("sp2-0734"), PrefixList);
  ASSERT_TRUE(sp2.has_value());
  EXPECT_EQ(sp2->PrefixIndex, 3);
  EXPECT_EQ(sp2->Code, QStringLiteral("0734"));
}

TEST(PrefixSplit, LetterCaseIsIgnoredBeyondAsciiToo) {
  const QStringList entries = {QString(), QStringLiteral("\u00c4Bc")};
  const auto split = SplitPrefixFromCode(QStringLiteral("\u00e4bC-7"), entries);
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(split->PrefixIndex, 1);
  EXPECT_EQ(split->Prefix, QStringLiteral("\u00c4BC"));
  EXPECT_FALSE(SplitPrefixFromCode(QStringLiteral("abc-7"), entries).has_value());
}

TEST(PrefixSplit, UnlistedOrMissingPrefixLeavesTheCodeAlone) {
  EXPECT_FALSE(SplitPrefixFromCode(QStringLiteral("XYZ-1"), PrefixList).has_value());
  // Unsplit, the code keeps its dash; at five characters it is still a whole code.
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("XYZ-1"))).contains("e.e_code = 'XYZ-1' "));
  EXPECT_TRUE(Statement(CodeOnly(QStringLiteral("XYZ-12"))).contains("LIKE '%XYZ-12%' "));
  EXPECT_FALSE(SplitPrefixFromCode(QStringLiteral("00942"), PrefixList).has_value());
  EXPECT_FALSE(SplitPrefixFromCode(QStringLiteral("-942"), PrefixList).has_value());
  EXPECT_FALSE(SplitPrefixFromCode(QStringLiteral(" -942"), PrefixList).has_value());
  EXPECT_FALSE(SplitPrefixFromCode(QStringLiteral("OR-1"), PrefixList).has_value());
}

TEST(PrefixSplit, PrefixWithDashOnlySearchesThePrefixAlone) {
  const auto split = SplitPrefixFromCode(QStringLiteral("ORA-"), PrefixList);
  ASSERT_TRUE(split.has_value());
  EXPECT_TRUE(split->Code.isEmpty());
  TSearchCriteria criteria = CodeOnly(split->Code);
  criteria.Prefix = split->Prefix;
  const QString sql = Statement(criteria);
  EXPECT_TRUE(sql.contains(QStringLiteral("p.pref_name = 'ORA' ")));
  EXPECT_FALSE(sql.contains(QStringLiteral("e.e_code =")));
  EXPECT_FALSE(sql.contains(QStringLiteral("e.e_code LIKE")));
}

TEST(PrefixSplit, ApostropheInTheCodeIsKeptAsTyped) {
  const auto split = SplitPrefixFromCode(QStringLiteral("TNS-1'2"), PrefixList);
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(split->Code, QStringLiteral("1'2"));
  EXPECT_TRUE(Statement(CodeOnly(split->Code)).contains("LIKE '%1''2%' "));
}
