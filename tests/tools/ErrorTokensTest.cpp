// Error tokens found in text of any shape, fed in pieces of every size.
#include "tools/oerr/ErrorTokens.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// "PREFIX-DIGITS@LINE" for each token of `text`, fed `piece` bytes at a time.
std::vector<std::string> Tokens(std::string_view text, std::size_t piece = 1 << 16) {
  std::vector<std::string> found;
  TErrorTokenScanner scanner(
      {"ORA", "TNS", "PLS", "SQL*LOADER", "LOADER"}, [&found](const TErrorToken& token) {
        found.push_back(token.Prefix + "-" + token.Digits + "@" + std::to_string(token.Line));
      });
  for (std::size_t at = 0; at < text.size(); at += piece) {
    scanner.Feed(text.substr(at, piece));
  }
  scanner.Finish();
  return found;
}

using TList = std::vector<std::string>;

TEST(ErrorTokensTest, TokensStandAloneInAnyCase) {
  const struct {
    const char* Text;
    TList Expected;
  } cases[] = {
      {"ORA-00942: table or view does not exist", {"ORA-00942@1"}},
      {"ora-942 and Tns-12541:", {"ORA-942@1", "TNS-12541@1"}},
      {"(ORA-1).\"PLS-00201\",[TNS-12560]", {"ORA-1@1", "PLS-00201@1", "TNS-12560@1"}},
      {"XORA-1 ORA-123abc ORA- ORA-x ORA_1 _ORA-1 ORA-1_ 9ORA-1 ORA-12.5", {"ORA-12@1"}},
      {"ends with ORA-00600", {"ORA-00600@1"}},
      {"\xc3\xa9ORA-1 ORA-2\xc3\xa9 \xe9ORA-3 ORA-4", {"ORA-4@1"}},  // letters beyond ASCII
      {"unknown FOO-1, known LOADER-2 and SQL*Loader-00100", {"LOADER-2@1", "SQL*LOADER-00100@1"}},
      {"2026-12-07 10:00:01 ORA-01555", {"ORA-01555@1"}},
      {"a\nb\r\nORA-1\n\n  TNS-2\nORA-3", {"ORA-1@3", "TNS-2@5", "ORA-3@6"}},
      {"ORA-1-ORA-2--ORA-3", {"ORA-1@1", "ORA-2@1", "ORA-3@1"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Tokens(c.Text), c.Expected) << c.Text;
    for (const std::size_t piece : {1u, 2u, 3u, 7u}) {
      EXPECT_EQ(Tokens(c.Text, piece), c.Expected) << c.Text << " in pieces of " << piece;
    }
  }
}

TEST(ErrorTokensTest, NulBytesLongRunsAndHugeNumbersStayBounded) {
  std::string text("ORA-1\0ORA-2\0", 12);
  text += std::string(100000, 'A') + "-1 ";      // a word far longer than any prefix
  text += "ORA-" + std::string(41, '7') + " ";   // a number, not a code
  text += "ORA-" + std::string(40, '7') + "\n";  // the longest code still taken
  text += std::string(200000, '-') + "TNS-5";    // dashes only, then a token at the end
  const TList expected = {"ORA-1@1", "ORA-2@1", "ORA-" + std::string(40, '7') + "@1", "TNS-5@2"};
  for (const std::size_t piece : {1u, 5u, 4096u, 1u << 20}) {
    EXPECT_EQ(Tokens(text, piece), expected) << piece;
  }
}

// Random text of token-like pieces, fed whole and in random pieces, finds the same tokens.
TEST(ErrorTokensTest, PiecesNeverChangeWhatIsFound) {
  std::mt19937 random(20261207);
  const char* parts[] = {"ORA", "ora", "-",          "1",    "00942", "x", " ",
                         "\n",  "*",   "SQL*Loader", "\xc3", "TNS",   "_", ":"};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int part = 0; part < 60; ++part) {
      text += parts[random() % std::size(parts)];
    }
    const TList whole = Tokens(text);
    EXPECT_EQ(Tokens(text, 1 + random() % 9), whole) << text;
  }
}

}  // namespace
