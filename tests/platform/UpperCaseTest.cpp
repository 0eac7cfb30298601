#include "platform/UpperCase.h"

#include <gtest/gtest.h>

namespace {

using Platform::UpperCaseWide;

TEST(UpperCaseTest, LettersOfSeveralScriptsAreUpperCased) {
  EXPECT_EQ(UpperCaseWide(u"ora-00942 tns"), u"ORA-00942 TNS");
  EXPECT_EQ(UpperCaseWide(u"\u00e5\u00f6\u00ff"), u"\u00c5\u00d6\u0178");    // åöÿ
  EXPECT_EQ(UpperCaseWide(u"\u03b1\u03c9 \u0436"), u"\u0391\u03a9 \u0416");  // Greek, Cyrillic
  EXPECT_EQ(UpperCaseWide(u"\u01c6"), u"\u01c4");                            // ǆ -> Ǆ
}

// Upper-casing must not change the length: callers upper-case a copy of the text and
// compare positions in it with the original.
TEST(UpperCaseTest, LengthNeverChanges) {
  EXPECT_EQ(UpperCaseWide(u"stra\u00dfe"), u"STRA\u00dfE");  // ß has no one-character capital
  EXPECT_EQ(UpperCaseWide(u"\ufb01"), u"\ufb01");            // ﬁ ligature likewise
  EXPECT_EQ(UpperCaseWide(u"\u0149"), u"\u0149");            // ŉ likewise
  EXPECT_EQ(UpperCaseWide(u""), u"");
}

TEST(UpperCaseTest, NonLettersAndCapitalsStayAsTheyAre) {
  const std::u16string text = u"0123456789 %_'\"\\\t\n.,;-+ ABC \u00c5 \u20ac \u4e2d";
  EXPECT_EQ(UpperCaseWide(text), text);
  EXPECT_EQ(UpperCaseWide(std::u16string(u"a\0b", 3)), std::u16string(u"A\0B", 3));
}

TEST(UpperCaseTest, SurrogatesStayInPlace) {
  // Lone halves and an emoji pair come back as they were; the letters beside them change.
  EXPECT_EQ(UpperCaseWide(u"a\xD83D"
                          u"b"),
            u"A\xD83D"
            u"B");
  EXPECT_EQ(UpperCaseWide(u"a\xDE00"
                          u"b"),
            u"A\xDE00"
            u"B");
  EXPECT_EQ(UpperCaseWide(u"x\U0001F600y"), u"X\U0001F600Y");
}

#ifndef _WIN32
// Here a pair is upper-cased as one code point (Deseret small long i -> capital), and stays
// a pair. Windows upper-cases code unit by code unit, leaving pairs alone.
TEST(UpperCaseTest, SupplementaryLettersAreUpperCasedAsPairs) {
  EXPECT_EQ(UpperCaseWide(u"\U00010428z"), u"\U00010400Z");
}
#endif

}  // namespace
