#include "platform/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plamor::numtext;

TEST(NumericText, BasicFormHasBlankOrSignAndNoLeadingZero) {
  EXPECT_EQ(Str(0.5), " .5");
  EXPECT_EQ(Str(-0.5), "-.5");
  EXPECT_EQ(Str(12), " 12");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(-0.0), " 0");
  EXPECT_EQ(Str(1e20), " 1E+20");
  EXPECT_EQ(Str(-1.5e-7), "-1.5E-07");
  EXPECT_EQ(Str(0.0001), " .0001");
  EXPECT_EQ(Str(0.00001), " 1E-05");
  EXPECT_EQ(Str(123456789012345.0), " 123456789012345");
  EXPECT_EQ(Str(1e15), " 1E+15");
  EXPECT_EQ(Str(0.1 + 0.2), " .3");  // 15 significant digits hide the binary residue
  EXPECT_EQ(Str(2.0 / 3.0), " .666666666666667");
  EXPECT_EQ(Str(90), " 90");
}

TEST(NumericText, PlainAndDefaultForms) {
  EXPECT_EQ(PlainStr(0.5), ".5");
  EXPECT_EQ(PlainStr(-0.5), "-.5");
  EXPECT_EQ(PlainStr(12), "12");
  EXPECT_EQ(CStr(0.5), "0.5");
  EXPECT_EQ(CStr(-0.25), "-0.25");
  EXPECT_EQ(CStr(100), "100");
}

TEST(NumericText, PatternsRoundHalfAwayFromZeroOnFifteenDigits) {
  EXPECT_EQ(Format(1.005, "0.00"), "1.01");
  EXPECT_EQ(Format(2.5, "0"), "3");
  EXPECT_EQ(Format(-2.5, "0"), "-3");
  EXPECT_EQ(Format(1.23456, "0.00"), "1.23");
  EXPECT_EQ(Format(0.5, "0.0000"), "0.5000");
  EXPECT_EQ(Format(-0.5, "0.0000"), "-0.5000");
  EXPECT_EQ(Format(-0.00001, "0.0000"), "0.0000");
  EXPECT_EQ(Format(99.99995, "0.0000"), "100.0000");
  EXPECT_EQ(Format(1e20, "0.0000"), "100000000000000000000.0000");
  EXPECT_EQ(Format(7, "000"), "007");
  EXPECT_EQ(Format(128, "000"), "128");
  EXPECT_EQ(Format(12.345, "###0.00"), "12.35");
  EXPECT_EQ(Format(-0.5, "###0.00"), "-0.50");
  EXPECT_EQ(Format(12345.6, "###0"), "12346");
  EXPECT_EQ(Format(0.25, "##0.0"), "0.3");
  EXPECT_EQ(Format(1.5, "##0.00"), "1.50");
  EXPECT_EQ(Format(1.4285714, "0.0"), "1.4");
  EXPECT_EQ(Format(100, "0.000"), "100.000");
  EXPECT_EQ(Format(0.0005, "0.000"), "0.001");
  EXPECT_EQ(Format(1.5, "0."), "2.");
  EXPECT_EQ(Format(123456.123456789, "0.000000"), "123456.123457");
  EXPECT_EQ(DecimalsPattern(0), "0");
  EXPECT_EQ(DecimalsPattern(3), "0.000");
}

TEST(NumericText, Percent) {
  EXPECT_EQ(FormatPercent(0.45), "45.00%");
  EXPECT_EQ(FormatPercent(1), "100.00%");
  EXPECT_EQ(FormatPercent(0.123456), "12.35%");
}

TEST(NumericText, IntegerConversionRoundsHalfToEvenAndOverflows) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(3.5), 4);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(-0.4), 0);
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_EQ(ToInt16(-32768.5), -32768);
  EXPECT_THROW(ToInt16(32767.5), std::overflow_error);
  EXPECT_THROW(ToInt16(-32769), std::overflow_error);
  EXPECT_THROW(ToInt16(std::nan("")), std::overflow_error);
  EXPECT_EQ(ToInt32(16383.5), 16384);
  EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
  EXPECT_THROW(ToInt32(2147483648.0), std::overflow_error);
}

TEST(NumericText, ValReadsTheLeadingNumber) {
  EXPECT_EQ(Val("12.5abc"), 12.5);
  EXPECT_EQ(Val("  1 2 3"), 123);
  EXPECT_EQ(Val("\t-4.25\n"), -4.25);
  EXPECT_EQ(Val("- 4"), -4);
  EXPECT_EQ(Val("1,5"), 1);
  EXPECT_EQ(Val(".5"), 0.5);
  EXPECT_EQ(Val("1.2.3"), 1.2);
  EXPECT_EQ(Val("1E3x"), 1000);
  EXPECT_EQ(Val("2D2"), 200);
  EXPECT_EQ(Val("1E"), 1);
  EXPECT_EQ(Val("&HFF"), 255);
  EXPECT_EQ(Val("&HFFFF"), -1);
  EXPECT_EQ(Val("&O17"), 15);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("-"), 0);
  EXPECT_EQ(Val("9999"), 9999);
  EXPECT_TRUE(std::isinf(Val("1E999")));
}

TEST(NumericText, LeadingNumberKnowsNoRadixForms) {
  EXPECT_EQ(LeadingNumber("&H2"), 0);
  EXPECT_EQ(LeadingNumber("&O17"), 0);
  EXPECT_EQ(LeadingNumber(" 1 2.5x"), 12.5);
  EXPECT_EQ(LeadingNumber("-3E2"), -300);
  EXPECT_EQ(LeadingNumber("x1"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
}

TEST(NumericText, IsNumericAcceptsWholeNumbersOnly) {
  EXPECT_TRUE(IsNumeric("12"));
  EXPECT_TRUE(IsNumeric(" -1.5 "));
  EXPECT_TRUE(IsNumeric("1E-3"));
  EXPECT_TRUE(IsNumeric(".5"));
  EXPECT_TRUE(IsNumeric("&H1F"));
  EXPECT_FALSE(IsNumeric(""));
  EXPECT_FALSE(IsNumeric("  "));
  EXPECT_FALSE(IsNumeric("12a"));
  EXPECT_FALSE(IsNumeric("."));
  EXPECT_FALSE(IsNumeric("1E"));
  EXPECT_FALSE(IsNumeric("red"));
}
