// Windows only: the ANSI code page is a real 8-bit code page here (1252 under wine's default
// locale), so conversions can lose characters.
#include "platform/AnsiText.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace Platform;

class WinAnsiTextTest : public testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1252) {
      GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    }
  }
};

TEST_F(WinAnsiTextTest, WesternCharactersConvertBothWays) {
  const std::u16string wide = u"\u00e9t\u00e9 \u20ac5 \u00ff";  // été €5 ÿ
  const std::string ansi =
      "\xe9t\xe9 \x80"
      "5 \xff";
  EXPECT_EQ(WideToAnsi(wide), ansi);
  EXPECT_EQ(AnsiToWide(ansi), wide);
  std::string all;  // every byte from the space up maps to a character
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    all += static_cast<char>(byte);
  }
  EXPECT_EQ(AnsiToWide(all).size(), all.size());
}

TEST_F(WinAnsiTextTest, CharactersTheCodePageLacksAreReplacedOnlyInEightBitText) {
  const std::u16string wide = u"a\u0416b\U0001F600c";  // Cyrillic and an emoji
  const std::string ansi = WideToAnsi(wide);
  EXPECT_EQ(ansi.front(), 'a');
  EXPECT_EQ(ansi.back(), 'c');
  EXPECT_EQ(ansi.find('\x16'), std::string::npos);
  EXPECT_NE(ansi.find('?'), std::string::npos);
  EXPECT_NE(AnsiToWide(ansi), wide);
  // No look-alikes: a fullwidth digit is no digit, a fullwidth apostrophe no apostrophe.
  EXPECT_EQ(WideToAnsi(u"\uff11\uff07\u0430"), "???");
}

}  // namespace
