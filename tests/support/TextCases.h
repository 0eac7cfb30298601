#pragma once
// Cases written one to a line: the fields of a row separated by " | ", the words of a command
// line by single blanks, as a user types them; and what a text must contain.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

// `text` cut at each `separator`, leaving out empty pieces when `skipEmpty`.
inline std::vector<std::string> Split(std::string_view text, std::string_view separator,
                                      bool skipEmpty) {
  std::vector<std::string> pieces;
  for (std::size_t from = 0;; from += separator.size()) {
    const std::size_t at = text.find(separator, from);
    if (const std::string_view piece = text.substr(from, at - from); !skipEmpty || !piece.empty()) {
      pieces.emplace_back(piece);
    }
    if (at == text.npos) {
      return pieces;
    }
    from = at;
  }
}

inline std::vector<std::string> Fields(std::string_view row) {
  return Split(row, " | ", false);
}

inline std::vector<std::string> Words(std::string_view line) {
  return Split(line, " ", true);
}

// Whether `text` contains `part`; a failure shows both.
inline testing::AssertionResult Contains(std::string_view text, std::string_view part) {
  if (text.find(part) != text.npos) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
}
