#include "platform/AnsiText.h"

#include <gtest/gtest.h>

namespace {

using namespace Platform;

TEST(AnsiTextTest, AsciiAndEmptyTextRoundTrip) {
  EXPECT_EQ(WideToAnsi(u""), "");
  EXPECT_EQ(AnsiToWide(""), u"");
  EXPECT_EQ(WideToAnsi(u"ORA-00942 %_'\\"), "ORA-00942 %_'\\");
  EXPECT_EQ(AnsiToWide("ORA-00942 %_'\\"), u"ORA-00942 %_'\\");
}

TEST(AnsiTextTest, EmbeddedNulIsKept) {
  EXPECT_EQ(WideToAnsi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

#ifndef _WIN32
// Here the "ANSI code page" is UTF-8, so every character survives the round trip.

TEST(AnsiTextUtf8Test, EveryEncodedLengthRoundTrips) {
  const std::u16string wide = u"A\u00e9\u07ff\u0800\u20ac\uffff\U00010000\U0001F600\U0010FFFF";
  const std::string utf8 =
      "A\xc3\xa9\xdf\xbf\xe0\xa0\x80\xe2\x82\xac\xef\xbf\xbf\xf0\x90\x80\x80\xf0\x9f\x98\x80"
      "\xf4\x8f\xbf\xbf";
  EXPECT_EQ(WideToAnsi(wide), utf8);
  EXPECT_EQ(AnsiToWide(utf8), wide);
}

TEST(AnsiTextUtf8Test, LoneSurrogatesBecomeQuestionMarks) {
  EXPECT_EQ(WideToAnsi(u"a\xD83D"), "a?");
  EXPECT_EQ(WideToAnsi(u"\xDE00"
                       u"b"),
            "?b");
  EXPECT_EQ(WideToAnsi(u"\xDE00\xD83D"), "??");  // reversed pair
  EXPECT_EQ(WideToAnsi(u"\xD83D\xD83D\xDE00"), "?\xf0\x9f\x98\x80");
}

// Each broken sequence gives one U+FFFD for its longest valid start; the byte that broke it
// is read afresh, so following text is never swallowed.
TEST(AnsiTextUtf8Test, MalformedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(AnsiToWide("\x80x"), u"\uFFFDx");  // stray continuation
  EXPECT_EQ(AnsiToWide("\xc3"
                       "A"),
            u"\uFFFDA");  // continuation missing
  EXPECT_EQ(AnsiToWide("\xe2\x82"
                       "A"),
            u"\uFFFDA");                                         // three-byte form cut short
  EXPECT_EQ(AnsiToWide("ab\xe2\x82"), u"ab\uFFFD");              // cut short by the end
  EXPECT_EQ(AnsiToWide("\xc0\x80"), u"\uFFFD\uFFFD");            // over-long NUL
  EXPECT_EQ(AnsiToWide("\xe0\x9f\xbf"), u"\uFFFD\uFFFD\uFFFD");  // over-long U+07FF
  EXPECT_EQ(AnsiToWide("\xed\xa0\xbd"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(AnsiToWide("\xf4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(AnsiToWide("\xff\xfe"), u"\uFFFD\uFFFD");
}
#endif

}  // namespace
