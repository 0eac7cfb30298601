#pragma once
// How the terminal lookup prints: the installations' own message-file layout, so that people
// and scripts that read `oerr` output read it unchanged, and one line per search match.
// Text is UTF-8; a width counts characters, and 0 means no wrapping (output into a pipe).

#include <cstddef>
#include <string>
#include <vector>

#include "tools/oerr/MessageLookup.h"

inline constexpr std::size_t kTerminalWidth = 80;

// `text` as lines of at most `width` characters after `lead` (the first line) or `follow`
// (the others), broken at blanks; a word longer than the room stands alone. Each line break
// of the text starts a new line.
std::vector<std::string> WrapText(const std::string& text, const std::string& lead,
                                  const std::string& follow, std::size_t width);

// The messages of one code, each in the layout
//   00942, 00000, "table or view does not exist"
//   // *Cause:  ...
//   // *Action: ...
//   // *My comment: ...   (only when there is one)
// and each text once: the versions whose code, message, cause and action agree share one
// entry, named on its heading line ("Versions 19c, 12.2"), and a version whose text differs
// has its own; entries are separated by a blank line. A comment belongs to one version's
// message and is labelled with its version in a shared entry ("// *My comment (19c): ...").
// A single message of a single version has no heading.
std::string FormatMessages(const std::vector<TFoundMessage>& messages, std::size_t width);

//   ORA-00942  10.2  table or view does not exist
std::string FormatMatch(const TFoundMessage& message, std::size_t width);
