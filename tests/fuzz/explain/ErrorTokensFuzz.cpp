// Arbitrary bytes through the error-token scanner, whole and cut into pieces at sizes taken
// from the input itself: both must find the same tokens.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/oerr/ErrorTokens.h"

namespace {

std::vector<std::string> Tokens(std::string_view text, std::size_t piece) {
  std::vector<std::string> found;
  TErrorTokenScanner scanner(
      {"ORA", "TNS", "SQL*LOADER", "O2F", "X"}, [&found](const TErrorToken& token) {
        found.push_back(token.Prefix + '-' + token.Digits + '@' + std::to_string(token.Line));
      });
  for (std::size_t at = 0; at < text.size(); at += piece) {
    scanner.Feed(text.substr(at, piece));
  }
  scanner.Finish();
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::size_t piece = 1 + data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (Tokens(text, text.size() + 1) != Tokens(text, piece)) {
    std::abort();
  }
  return 0;
}
