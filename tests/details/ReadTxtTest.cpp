#include "details/ReadTxt.h"

#include <gtest/gtest.h>

namespace {

// Steps worked out by hand from the rule: sum of digit^position, square root, minus the digit
// sum, rounded, last decimal digit.
TEST(SwapStepTest, HandComputedCodes) {
  EXPECT_EQ(SwapStep("00942"), 7);  // sqrt(0+0+729+256+32) - 15 = 16.89
  EXPECT_EQ(SwapStep("12154"), 8);  // sqrt(1+4+1+625+1024) - 13 = 27.68
  EXPECT_EQ(SwapStep("0734"), 4);   // sqrt(0+49+27+256) - 14 = 4.22
  EXPECT_EQ(SwapStep("01017"), 1);  // sqrt(0+1+0+1+16807) - 9 = 120.65
  EXPECT_EQ(SwapStep("00000"), 0);
  EXPECT_EQ(SwapStep("9"), 6);  // sqrt(9) - 9 = -6: the digit, not the sign
}

TEST(SwapStepTest, CodesThatAreNotAllDigits) {
  EXPECT_EQ(SwapStep(""), -1);
  EXPECT_EQ(SwapStep("0094A"), -1);
  EXPECT_EQ(SwapStep(" 0942"), -1);
  EXPECT_EQ(SwapStep("-942"), -1);
}

TEST(SwapStepTest, VeryLongCodesStayDefined) {
  const int step = SwapStep("99999999999999999999999999");
  EXPECT_GE(step, 0);
  EXPECT_LE(step, 9);
}

TEST(ReadTxtTest, SwapsEveryStepthPairWithItsPredecessor) {
  // Step 7: positions (6,7) and (13,14) exchange.
  EXPECT_EQ(ReadTxt("00942", u"abcdefghijklmnop"), u"abcdegfhijklnmop");
  // Step 4.
  EXPECT_EQ(ReadTxt("0734", u"abcdefghi"), u"abdcefhgi");
  // Step 6 from a negative difference.
  EXPECT_EQ(ReadTxt("9", u"abcdef"), u"abcdfe");
}

TEST(ReadTxtTest, StepZeroOrOneLeavesTheTextAlone) {
  EXPECT_EQ(ReadTxt("00000", u"unchanged text"), u"unchanged text");
  EXPECT_EQ(ReadTxt("01017", u"unchanged text"), u"unchanged text");
}

TEST(ReadTxtTest, TextShorterThanTheStepIsUnchanged) {
  EXPECT_EQ(ReadTxt("00942", u"abcdef"), u"abcdef");
  EXPECT_EQ(ReadTxt("00942", u"abcdefg"), u"abcdegf");  // exactly one step long
  EXPECT_EQ(ReadTxt("00942", u""), u"");
}

TEST(ReadTxtTest, CodeWithLettersOrEmptyGivesEmptyText) {
  EXPECT_EQ(ReadTxt("ORA01", u"some cause"), u"");
  EXPECT_EQ(ReadTxt("", u"some cause"), u"");
}

TEST(ReadTxtTest, ApplyingTwiceGivesTheTextBack) {
  const std::u16string text = u"The statement named a t\u00e4ble that is missing, \u65e5\u672c.";
  for (const char* code : {"00942", "12154", "0734", "9", "28000", "1", "99999"}) {
    const std::u16string once = ReadTxt(code, text);
    EXPECT_EQ(ReadTxt(code, once), text) << code;
  }
}

TEST(ReadTxtTest, PositionsCountUtf16CodeUnits) {
  // A surrogate pair is two positions: with step 4 the pair at positions 3-4 is split.
  const std::u16string text = u"ab\U0001F600cd";
  const std::u16string scrambled = ReadTxt("0734", text);
  EXPECT_EQ(scrambled[2], text[3]);
  EXPECT_EQ(scrambled[3], text[2]);
}

}  // namespace
