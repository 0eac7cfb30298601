#include "data/Utf8Text.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<unsigned> values) {
  std::string bytes;
  for (unsigned value : values) {
    bytes += static_cast<char>(value);
  }
  return bytes;
}

TEST(Utf8Encode, UsesOneTwoOrThreeBytesAtTheBoundaries) {
  EXPECT_EQ(UTF8Encode(u"\u007F"), Bytes({0x7F}));
  EXPECT_EQ(UTF8Encode(u"\u0080"), Bytes({0xC2, 0x80}));
  EXPECT_EQ(UTF8Encode(u"\u07FF"), Bytes({0xDF, 0xBF}));
  EXPECT_EQ(UTF8Encode(u"\u0800"), Bytes({0xE0, 0xA0, 0x80}));
  EXPECT_EQ(UTF8Encode(u"\uFFFF"), Bytes({0xEF, 0xBF, 0xBF}));
  EXPECT_EQ(UTF8Encode(std::u16string(1, u'\0')), std::string(1, '\0'));
}

TEST(Utf8Encode, SurrogatePairBecomesTwoThreeByteFormsThatDecodeBack) {
  const std::u16string pair = {0xD83D, 0xDE00};
  const std::string encoded = UTF8Encode(pair);
  EXPECT_EQ(encoded, Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}));
  EXPECT_EQ(UTF8Decode(encoded), pair);
  const std::u16string lone = {u'a', 0xDC00, u'b'};
  EXPECT_EQ(UTF8Decode(UTF8Encode(lone)), lone);
}

TEST(Utf8Decode, ReadsWellFormedAndOverlongForms) {
  EXPECT_EQ(UTF8Decode("Grüße, Ölfeld €"), u"Grüße, Ölfeld €");
  EXPECT_EQ(UTF8Decode(Bytes({0xE0, 0x9F, 0xBF})), u"\u07FF");
  EXPECT_EQ(UTF8Decode(Bytes({0xC0, 0x80})), std::u16string(1, u'\0'));
}

TEST(Utf8Decode, TurnsFourByteFormsAndStrayBytesIntoOneSpace) {
  EXPECT_EQ(UTF8Decode(Bytes({0xF0, 0x9F, 0x98, 0x80})), u" ");
  EXPECT_EQ(UTF8Decode("a" + Bytes({0xF0, 0x9F, 0x98, 0x80}) + "b"), u"a b");
  // A lone continuation byte swallows the byte after it (2 + its run of 1-bits from bit 5).
  EXPECT_EQ(UTF8Decode(Bytes({0x80}) + "AB"), u" B");
  EXPECT_EQ(UTF8Decode(Bytes({0xA0}) + "ABC"), u" C");
  EXPECT_EQ(UTF8Decode(Bytes({0xFF}) + "1234567890"), u" 890");
}

TEST(Utf8Decode, TreatsMissingOrWrongContinuationsAsZeroBits) {
  EXPECT_EQ(UTF8Decode(Bytes({0xC3, 0x41})), u"\u00C0");  // the A is consumed
  EXPECT_EQ(UTF8Decode(Bytes({0xC3})), u"\u00C0");        // truncated at the end
  EXPECT_EQ(UTF8Decode(Bytes({0xE2, 0x82})), u"\u2080");
  EXPECT_EQ(UTF8Decode(Bytes({0xE2})), u"\u2000");
}

TEST(Utf8Decode, NeverGivesMoreCharactersThanBytes) {
  for (unsigned first = 0; first < 256; ++first) {
    for (unsigned second : {0x00u, 0x41u, 0x80u, 0xBFu, 0xC3u, 0xFFu}) {
      const std::string input = Bytes({first, second, first});
      EXPECT_LE(UTF8Decode(input).size(), input.size()) << first << " " << second;
    }
  }
}

}  // namespace
