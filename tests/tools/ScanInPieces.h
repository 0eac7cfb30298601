#pragma once
// The error tokens of `text` as "PREFIX-DIGITS@LINE", fed to the scanner `piece` bytes at a
// time. Qt-free, for the unit tests and the fuzz target alike.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/oerr/ErrorTokens.h"

inline std::vector<std::string> ScanInPieces(const std::set<std::string>& prefixes,
                                             std::string_view text, std::size_t piece) {
  std::vector<std::string> found;
  TErrorTokenScanner scanner(prefixes, [&found](const TErrorToken& token) {
    found.push_back(token.Prefix + '-' + token.Digits + '@' + std::to_string(token.Line));
  });
  for (std::size_t at = 0; at < text.size(); at += piece) {
    scanner.Feed(text.substr(at, piece));
  }
  scanner.Finish();
  return found;
}
