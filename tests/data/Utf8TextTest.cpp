#include "data/Utf8Text.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// One to three bytes per UTF-16 unit: a surrogate pair becomes two three-byte forms, a lone
// half one; decoding gives the same units back.
TEST(Utf8Text, EncodesEachUtf16UnitAndDecodesBack) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"\u007F", "\x7F"},
      {u"\u0080", "\xC2\x80"},
      {u"\u07FF", "\xDF\xBF"},
      {u"\u0800", "\xE0\xA0\x80"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {std::u16string(1, u'\0'), std::string(1, '\0')},
      {{0xD83D, 0xDE00}, "\xED\xA0\xBD\xED\xB8\x80"},
      {{u'a', 0xDC00, u'b'}, "a\355\260\200b"},  // octal: the letters after stay letters
      {u"Grüße, Ölfeld €", "Grüße, Ölfeld €"}};
  for (const auto& [wide, utf8] : cases) {
    EXPECT_EQ(UTF8Encode(wide), utf8);
    EXPECT_EQ(UTF8Decode(utf8), wide) << utf8;
  }
  // Malformed input never fails.
  const std::pair<std::string, std::u16string> malformed[] = {
      {"\xE0\x9F\xBF", u"\u07FF"},  // over-long forms are read; octal escapes below
      {"\xC0\x80", std::u16string(1, u'\0')},
      {"a\360\237\230\200b", u"a b"},  // a four-byte form is one space
      // A lone continuation byte swallows the bytes after it (1 + its run of 1-bits from bit 5).
      {"\200AB", u" B"},
      {"\3771234567890", u" 890"},
      // Missing or wrong continuations count as zero bits; the A is consumed.
      {"\xC3\x41", u"\u00C0"},
      {"\xE2", u"\u2000"}};
  for (const auto& [utf8, wide] : malformed) {
    EXPECT_EQ(UTF8Decode(utf8), wide) << utf8;
  }
}

// File names keep every character; what is not UTF-8 becomes U+FFFD rather than another name.
TEST(Utf8Text, ExactConversionsKeepCharactersBeyondSixteenBits) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"Tools \U0001F4E6 \U0002000B/x.db", u"Tools \U0001F4E6 \U0002000B/x.db"},
      {"Grüße \u65E5\uFFFF", u"Grüße \u65E5\uFFFF"},
      {"\xC3\x41", u"\uFFFDA"},         // a missing continuation takes nothing after it
      {"\xC0\x80", u"\uFFFD"},          // over-long
      {"\xED\xA0\xBD", u"\uFFFD"},      // an encoded surrogate half
      {"\xF4\x90\x80\x80", u"\uFFFD"},  // beyond U+10FFFF
      {"a\xF0\x9F", u"a\uFFFD"}};       // cut short
  for (const auto& [utf8, wide] : cases) {
    EXPECT_EQ(Utf8ToUtf16Exact(utf8), wide) << utf8;
  }
  std::string encoded;
  AppendUtf16AsUtf8Exact(u"Grüße \U0001F4E6 \u65E5", encoded);
  EXPECT_EQ(encoded, "Grüße \xF0\x9F\x93\xA6 \xE6\x97\xA5");
  encoded.clear();
  AppendUtf16AsUtf8Exact(std::u16string{u'a', 0xDC00, u'b', 0xD83D}, encoded);
  EXPECT_EQ(encoded,
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");  // lone halves
}

}  // namespace
