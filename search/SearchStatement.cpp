#include "search/SearchStatement.h"

#include "platform/UpperCase.h"

namespace {

// Whether `entry` upper-cased equals `upper`. Upper-casing goes character by character and
// keeps the length; ASCII letters, which every listed prefix uses, need no copy.
bool EqualsUpperCased(const std::u16string& entry, const std::u16string& upper) {
  if (entry.size() != upper.size()) {
    return false;
  }
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const char16_t unit = entry[i];
    if (unit >= 0x80) {
      return Platform::UpperCaseWide(entry) == upper;
    }
    const char16_t upperUnit = unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit;
    if (upperUnit != upper[i]) {
      return false;
    }
  }
  return true;
}

bool IsBelow33(char16_t c) {
  return c < 33;
}

}  // namespace

std::u16string EscapeQuotes(const std::u16string& text) {
  std::u16string quoted;
  quoted.reserve(text.size());
  for (const char16_t c : text) {
    quoted += c;
    if (c == u'\'') {
      quoted += c;
    }
  }
  return quoted;
}

std::u16string TrimBelow33(const std::u16string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBelow33(text[first])) {
    ++first;
  }
  while (last > first && IsBelow33(text[last - 1])) {
    --last;
  }
  return text.substr(first, last - first);
}

std::optional<TPrefixSplit> SplitPrefixFromCode(const std::u16string& typedCode,
                                                const std::vector<std::u16string>& prefixEntries) {
  const std::size_t dash = typedCode.find(u'-');
  if (dash == std::u16string::npos) {
    return std::nullopt;
  }
  const std::u16string prefix = Platform::UpperCaseWide(TrimBelow33(typedCode.substr(0, dash)));
  // A code that begins with "-" names no prefix: it is searched for as typed, dash included.
  if (prefix.empty()) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < prefixEntries.size(); ++i) {
    if (EqualsUpperCased(prefixEntries[i], prefix)) {
      return TPrefixSplit{static_cast<int>(i), prefix, TrimBelow33(typedCode.substr(dash + 1))};
    }
  }
  return std::nullopt;
}

TPreparedCriteria PrepareCriteria(const TSearchCriteria& criteria) {
  return TPreparedCriteria{EscapeQuotes(criteria.Version), EscapeQuotes(criteria.Prefix),
                           EscapeQuotes(criteria.Code),
                           EscapeQuotes(Platform::UpperCaseWide(criteria.Message)),
                           EscapeQuotes(Platform::UpperCaseWide(criteria.Comment))};
}

bool HasSearchCriteria(const TPreparedCriteria& prepared) {
  return !TrimBelow33(prepared.Code).empty() || !TrimBelow33(prepared.Message).empty() ||
         !TrimBelow33(prepared.Comment).empty();
}

std::u16string BuildSearchStatement(const TPreparedCriteria& prepared,
                                    const std::u16string& maxFetchRows) {
  // A value counts as present when it has any character at all: blanks are searched for too.
  const bool withComment = !prepared.Comment.empty();
  std::u16string sql =
      u"SELECT e.e_pk, v.vers_name, p.pref_name, e.e_code, e.e_message "
      u"FROM   error e, prefix p, version v ";
  if (withComment) {
    sql += u", usr_comment c ";
  }
  sql += u"WHERE  e.vers_fk = v.vers_pk ";
  sql += u"  AND  e.pref_fk = p.pref_pk ";
  if (withComment) {
    sql += u"  AND  e.e_pk = c.e_fk ";
  }
  if (!prepared.Prefix.empty()) {
    sql += u"  AND  p.pref_name = '" + prepared.Prefix + u"' ";
  }
  if (!prepared.Version.empty()) {
    sql += u"  AND  v.vers_name = '" + prepared.Version + u"' ";
  }
  // Five characters is a whole code: compared exactly, so "%" and "_" in it are literal.
  if (prepared.Code.size() == 5) {
    sql += u"  AND  e.e_code = '" + prepared.Code + u"' ";
  } else if (!prepared.Code.empty()) {
    sql += u"  AND  e.e_code LIKE '%" + prepared.Code + u"%' ";
  }
  if (!prepared.Message.empty()) {
    sql += u"  AND  Upper(e.e_message) LIKE '%" + prepared.Message + u"%' ";
  }
  if (withComment) {
    sql += u"  AND  Upper(c.commentary) LIKE '%" + prepared.Comment + u"%' ";
  }
  sql += u"ORDER  BY v.vers_name, p.pref_name, e.e_code ";
  sql += u" LIMIT " + maxFetchRows;
  return sql;
}
