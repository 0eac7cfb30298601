#include "platform/UpperCase.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// The length never changes: callers upper-case a copy of the text and compare positions in it
// with the original.
TEST(UpperCaseTest, LettersChangeInPlaceEverythingElseStays) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"ora-00942 %_'\"\\\t.;+ tns ABC \u00c5 \u20ac \u4e2d",
       u"ORA-00942 %_'\"\\\t.;+ TNS ABC \u00c5 \u20ac \u4e2d"},
      {u"\u00e5\u00f6\u00ff \u03b1\u03c9 \u0436 \u01c6",
       u"\u00c5\u00d6\u0178 \u0391\u03a9 \u0416 \u01c4"},
      {u"stra\u00dfe \ufb01 \u0149", u"STRA\u00dfE \ufb01 \u0149"},  // capitals longer than one
      {std::u16string(u"a\0b", 3), std::u16string(u"A\0B", 3)},
      {u"", u""},
      {u"a\xD83Dx\xDE00y\U0001F600z", u"A\xD83DX\xDE00Y\U0001F600Z"},  // lone halves, emoji
#ifndef _WIN32
      // A pair is upper-cased as one code point and stays a pair; Windows leaves pairs alone.
      {u"\U00010428z", u"\U00010400Z"},
#endif
  };
  for (const auto& [text, upper] : cases) {
    EXPECT_EQ(Platform::UpperCaseWide(text), upper);
  }
}

}  // namespace
