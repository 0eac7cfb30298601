#pragma once
// Turning the search criteria into the one SELECT statement the search runs. Plain functions
// without widgets, so that every statement shape can be checked directly.

#include <QString>
#include <QStringList>
#include <optional>

// The criteria as the controls hold them when the search starts.
struct TSearchCriteria {
  QString Version;  // text of the selected version entry; empty = any version
  QString Prefix;   // text of the selected prefix entry; empty = any prefix
  QString Code;     // code edit, as typed
  QString Message;  // message words, as typed
  QString Comment;  // comment words, as typed
};

// Every apostrophe doubled, everything else unchanged.
QString EscapeQuotes(const QString& text);

// Removes every character below 33 (blanks and control characters) from both ends.
QString TrimBelow33(const QString& text);

// A listed prefix split out of a typed code such as "ora-00942".
struct TPrefixSplit {
  int PrefixIndex = -1;  // the matching entry of the prefix list
  QString Prefix;        // the part before the first "-", trimmed and upper-cased
  QString Code;          // the part after it, trimmed (apostrophes as typed)
};

// The split when the text before the first "-" of `typedCode`, trimmed and upper-cased,
// equals an entry of `prefixEntries` (letter case ignored); otherwise nothing. A code that
// begins with "-" (nothing before it after trimming) is never split.
std::optional<TPrefixSplit> SplitPrefixFromCode(const QString& typedCode,
                                                const QStringList& prefixEntries);

// The criteria prepared for the statement: code, message and comment quoted (message and
// comment upper-cased first), version and prefix quoted too so that no name from the data
// file can break the statement.
struct TPreparedCriteria {
  QString Version;
  QString Prefix;
  QString Code;
  QString Message;
  QString Comment;
};

TPreparedCriteria PrepareCriteria(const TSearchCriteria& criteria);

// False when code, message and comment are all empty after trimming.
bool HasSearchCriteria(const TPreparedCriteria& prepared);

// The statement, piece by piece, ending in " LIMIT " and `maxFetchRows`.
QString BuildSearchStatement(const TPreparedCriteria& prepared, const QString& maxFetchRows);
