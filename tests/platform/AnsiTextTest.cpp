#include "platform/AnsiText.h"

#include <gtest/gtest.h>

namespace {

using namespace Platform;

TEST(AnsiTextTest, AsciiEmptyAndNulRoundTrip) {
  for (const std::string& text :
       {std::string(), std::string("ORA-00942 %_'\\"), std::string("a\0b", 3)}) {
    const std::u16string wide(text.begin(), text.end());
    EXPECT_EQ(WideToAnsi(wide), text);
    EXPECT_EQ(AnsiToWide(text), wide);
  }
}

#ifndef _WIN32
// Here the "ANSI code page" is UTF-8, so every character survives the round trip.
TEST(AnsiTextUtf8Test, EveryLengthRoundTripsBrokenTextGetsReplacements) {
  const std::u16string wide = u"A\u00e9\u07ff\u0800\u20ac\uffff\U00010000\U0001F600\U0010FFFF";
  const std::string utf8 =
      "A\xc3\xa9\xdf\xbf\xe0\xa0\x80\xe2\x82\xac\xef\xbf\xbf\xf0\x90\x80\x80\xf0\x9f\x98\x80"
      "\xf4\x8f\xbf\xbf";
  EXPECT_EQ(WideToAnsi(wide), utf8);
  EXPECT_EQ(AnsiToWide(utf8), wide);
  // Lone or reversed surrogates become question marks.
  EXPECT_EQ(WideToAnsi(u"a\xDE00\xD83D"), "a??");
  EXPECT_EQ(WideToAnsi(u"\xD83D\xD83D\xDE00"), "?\xf0\x9f\x98\x80");
  // Each broken sequence gives one U+FFFD for its longest valid start; the byte that broke it
  // is read afresh (octal escapes, so the letters after them stay letters).
  const std::pair<std::string, std::u16string> broken[] = {
      {"\200x", u"\uFFFDx"},                               // stray continuation
      {"\303A", u"\uFFFDA"},                               // continuation missing
      {"\342\202A", u"\uFFFDA"},                           // cut short
      {"ab\xe2\x82", u"ab\uFFFD"},                         // cut short by the end
      {"\xc0\x80", u"\uFFFD\uFFFD"},                       // over-long NUL
      {"\xe0\x9f\xbf", u"\uFFFD\uFFFD\uFFFD"},             // over-long U+07FF
      {"\xed\xa0\xbd", u"\uFFFD\uFFFD\uFFFD"},             // encoded surrogate
      {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}};  // past U+10FFFF
  for (const auto& [bytes, text] : broken) {
    EXPECT_EQ(AnsiToWide(bytes), text) << bytes;
  }
}
#endif

}  // namespace
