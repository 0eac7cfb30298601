#include "details/ReadTxt.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Steps worked out by hand: sum of digit^position, square root, minus the digit sum, rounded,
// last decimal digit; every stepth character changes places with the one before it.
TEST(ReadTxtTest, SwapsAtTheStepOfTheCodeAndUndoesItself) {
  const std::tuple<const char*, std::u16string, std::u16string> cases[] = {
      {"00942", u"abcdefghijklmnop", u"abcdegfhijklnmop"},  // sqrt(1017) - 15 = 16.89: 7
      {"0734", u"abcdefghi", u"abdcefhgi"},                 // sqrt(332) - 14 = 4.22: 4
      {"9", u"abcdef", u"abcdfe"},                          // sqrt(9) - 9 = -6: 6, not the sign
      {"00000", u"unchanged text", u"unchanged text"},      // step 0
      {"01017", u"unchanged text", u"unchanged text"},      // sqrt(16809) - 9 = 120.65: 1
      {"00942", u"abcdef", u"abcdef"},                      // shorter than the step
      {"00942", u"abcdefg", u"abcdegf"},                    // exactly one step
      {"00942", u"", u""},
      {"0094A", u"some cause", u""},  // not all digits: empty
      {" 0942", u"some cause", u""},
      {"", u"some cause", u""},
      // Positions count UTF-16 units: step 4 splits the surrogate pair at positions 3-4.
      {"0734", u"ab\U0001F600cd", {u'a', u'b', 0xDE00, 0xD83D, u'c', u'd'}},
  };
  for (const auto& [code, text, expected] : cases) {
    EXPECT_EQ(ReadTxt(code, text), expected) << code;
  }
  EXPECT_LT(static_cast<unsigned>(SwapStep("99999999999999999999999999")), 10u);  // defined
  // Applying it twice gives the text back.
  const std::u16string text = u"The statement named a t\u00e4ble that is missing, \U0001F600.";
  for (const char* code : {"00942", "12154", "0734", "9", "28000", "1", "99999"}) {
    EXPECT_EQ(ReadTxt(code, ReadTxt(code, text)), text) << code;
  }
}

}  // namespace
