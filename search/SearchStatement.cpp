#include "search/SearchStatement.h"

#include "app/QtText.h"
#include "platform/UpperCase.h"

namespace {

QString UpperCased(const QString& text) {
  return ToQString(Platform::UpperCaseWide(ToWide(text)));
}

// Whether `entry` upper-cased equals `upper`. Upper-casing goes character by character and
// keeps the length; ASCII letters, which every listed prefix uses, need no copy.
bool EqualsUpperCased(const QString& entry, const QString& upper) {
  if (entry.size() != upper.size()) {
    return false;
  }
  for (qsizetype i = 0; i < entry.size(); ++i) {
    const char16_t unit = entry.at(i).unicode();
    if (unit >= 0x80) {
      return UpperCased(entry) == upper;
    }
    const char16_t upperUnit = unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit;
    if (upperUnit != upper.at(i).unicode()) {
      return false;
    }
  }
  return true;
}

bool IsBelow33(QChar c) {
  return c.unicode() < 33;
}

}  // namespace

QString EscapeQuotes(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QLatin1String("''"));
  return quoted;
}

QString TrimBelow33(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && IsBelow33(text.at(first))) {
    ++first;
  }
  while (last > first && IsBelow33(text.at(last - 1))) {
    --last;
  }
  return text.mid(first, last - first);
}

std::optional<TPrefixSplit> SplitPrefixFromCode(const QString& typedCode,
                                                const QStringList& prefixEntries) {
  const qsizetype dash = typedCode.indexOf(QLatin1Char('-'));
  if (dash < 0) {
    return std::nullopt;
  }
  const QString prefix = UpperCased(TrimBelow33(typedCode.left(dash)));
  // A code that begins with "-" names no prefix: it is searched for as typed, dash included.
  if (prefix.isEmpty()) {
    return std::nullopt;
  }
  for (int i = 0; i < prefixEntries.size(); ++i) {
    if (EqualsUpperCased(prefixEntries.at(i), prefix)) {
      return TPrefixSplit{i, prefix, TrimBelow33(typedCode.mid(dash + 1))};
    }
  }
  return std::nullopt;
}

TPreparedCriteria PrepareCriteria(const TSearchCriteria& criteria) {
  return TPreparedCriteria{EscapeQuotes(criteria.Version), EscapeQuotes(criteria.Prefix),
                           EscapeQuotes(criteria.Code), EscapeQuotes(UpperCased(criteria.Message)),
                           EscapeQuotes(UpperCased(criteria.Comment))};
}

bool HasSearchCriteria(const TPreparedCriteria& prepared) {
  return !TrimBelow33(prepared.Code).isEmpty() || !TrimBelow33(prepared.Message).isEmpty() ||
         !TrimBelow33(prepared.Comment).isEmpty();
}

QString BuildSearchStatement(const TPreparedCriteria& prepared, const QString& maxFetchRows) {
  // A value counts as present when it has any character at all: blanks are searched for too.
  const bool withComment = !prepared.Comment.isEmpty();
  QString sql = QStringLiteral(
      "SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message "
      "FROM   error e, prefix p, version v ");
  if (withComment) {
    sql += QStringLiteral(", usr_comment c ");
  }
  sql += QStringLiteral("WHERE  e.vers_fk = v.vers_pk ");
  sql += QStringLiteral("  AND  e.pref_fk = p.pref_pk ");
  if (withComment) {
    sql += QStringLiteral("  AND  e.e_pk = c.e_fk ");
  }
  if (!prepared.Prefix.isEmpty()) {
    sql += QStringLiteral("  AND  p.pref_name = '") + prepared.Prefix + QStringLiteral("' ");
  }
  if (!prepared.Version.isEmpty()) {
    sql += QStringLiteral("  AND  v.vers_name = '") + prepared.Version + QStringLiteral("' ");
  }
  // Five characters is a whole code: compared exactly, so "%" and "_" in it are literal.
  if (prepared.Code.size() == 5) {
    sql += QStringLiteral("  AND  e.e_code = '") + prepared.Code + QStringLiteral("' ");
  } else if (!prepared.Code.isEmpty()) {
    sql += QStringLiteral("  AND  e.e_code LIKE '%") + prepared.Code + QStringLiteral("%' ");
  }
  if (!prepared.Message.isEmpty()) {
    sql += QStringLiteral("  AND  Upper(e.e_message) LIKE '%") + prepared.Message +
           QStringLiteral("%' ");
  }
  if (withComment) {
    sql += QStringLiteral("  AND  Upper(c.commentary) LIKE '%") + prepared.Comment +
           QStringLiteral("%' ");
  }
  sql += QStringLiteral("ORDER  BY v.vers_name, p.pref_name, e.e_code ");
  sql += QStringLiteral(" LIMIT ") + maxFetchRows;
  return sql;
}
