#pragma once
// Turning the search criteria into the one SELECT statement the search runs. Plain functions
// on the data layer's UTF-16 text, without any interface library, so that every statement
// shape can be checked directly and the terminal lookup builds the same one.

#include <optional>
#include <string>
#include <vector>

// The criteria as the controls hold them when the search starts.
struct TSearchCriteria {
  std::u16string Version;  // text of the selected version entry; empty = any version
  std::u16string Prefix;   // text of the selected prefix entry; empty = any prefix
  std::u16string Code;     // code edit, as typed
  std::u16string Message;  // message words, as typed
  std::u16string Comment;  // comment words, as typed
};

// Every apostrophe doubled, everything else unchanged.
std::u16string EscapeQuotes(const std::u16string& text);

// Removes every character below 33 (blanks and control characters) from both ends.
std::u16string TrimBelow33(const std::u16string& text);

// A listed prefix split out of a typed code such as "ora-00942".
struct TPrefixSplit {
  int PrefixIndex = -1;   // the matching entry of the prefix list
  std::u16string Prefix;  // the part before the first "-", trimmed and upper-cased
  std::u16string Code;    // the part after it, trimmed (apostrophes as typed)
};

// The split when the text before the first "-" of `typedCode`, trimmed and upper-cased,
// equals an entry of `prefixEntries` (letter case ignored); otherwise nothing. A code that
// begins with "-" (nothing before it after trimming) is never split.
std::optional<TPrefixSplit> SplitPrefixFromCode(const std::u16string& typedCode,
                                                const std::vector<std::u16string>& prefixEntries);

// The criteria prepared for the statement: code, message and comment quoted (message and
// comment upper-cased first), version and prefix quoted too so that no name from the data
// file can break the statement.
struct TPreparedCriteria {
  std::u16string Version;
  std::u16string Prefix;
  std::u16string Code;
  std::u16string Message;
  std::u16string Comment;
};

TPreparedCriteria PrepareCriteria(const TSearchCriteria& criteria);

// False when code, message and comment are all empty after trimming.
bool HasSearchCriteria(const TPreparedCriteria& prepared);

// The statement, piece by piece, ending in " LIMIT " and `maxFetchRows`.
std::u16string BuildSearchStatement(const TPreparedCriteria& prepared,
                                    const std::u16string& maxFetchRows);
