// Error tokens found in text of any shape, fed in pieces of several sizes; the fuzz target
// ErrorTokensFuzz checks arbitrary bytes in arbitrary pieces.
#include <gtest/gtest.h>

#include "tests/tools/ScanInPieces.h"

namespace {

using TList = std::vector<std::string>;

TList Tokens(std::string_view text, std::size_t piece) {
  return ScanInPieces({"ORA", "TNS", "PLS", "SQL*LOADER", "LOADER"}, text, piece);
}

TEST(ErrorTokensTest, TokensStandAloneInAnyCase) {
  const struct {
    const char* Text;
    TList Expected;
  } cases[] = {
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
    for (const std::size_t piece : {1u, 2u, 3u, 7u, 1u << 16}) {
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

}  // namespace
