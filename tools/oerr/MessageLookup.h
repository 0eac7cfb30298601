#pragma once
// The lookups of the terminal tool on an open data file: a message by facility and code in
// every version, and the window's message-word and comment-word searches. Texts are UTF-8.

#include <optional>
#include <string>
#include <vector>

class TSQLDB;

struct TFoundMessage {
  std::string Version;
  std::string Prefix;
  std::string Code;
  std::string Message;
  std::optional<std::string> Cause;  // unscrambled; nullopt where the file stores NULL
  std::optional<std::string> Action;
  std::optional<std::string> Comment;  // the user's own, when there is one
};

struct TLookupOutcome {
  bool Ok = true;
  std::string Error;  // the engine's message when a statement failed
  std::vector<TFoundMessage> Messages;
};

// The stored prefix name that `facility` names in any letter case, or nothing.
std::optional<std::string> FindPrefix(const std::vector<std::string>& prefixes,
                                      const std::string& facility);

// The stored codes that a typed code of digits can stand for: padded with leading zeros to any
// width from its own up to ten ("942" finds "00942" and SQL*Plus's "0942"; "0942" finds
// "00942" too).
std::vector<std::string> CodeCandidates(const std::string& typed);

// The statement of LookUpMessages, as UTF-8 text.
std::string LookupStatement(const std::string& prefix, const std::string& code,
                            const std::optional<std::string>& version);

// Every message of `prefix` (a stored name) with one of the candidate codes, in the
// window's order (version name, prefix, code), with cause, action and comment.
TLookupOutcome LookUpMessages(TSQLDB& db, const std::string& prefix, const std::string& code,
                              const std::optional<std::string>& version);

// The window's search by message words (`comment` false) or by comment words, with its
// statement and row limit; cause and action are not read.
TLookupOutcome SearchMessages(TSQLDB& db, const std::string& words, bool comment,
                              const std::string& prefix, const std::optional<std::string>& version,
                              const std::string& rowLimit);
