#include "charts/field_reading.h"

#include <gtest/gtest.h>

#include "charts/host_error.h"

namespace plamor::charts {
namespace {

TEST(NextField, CutsFieldsAndQuotes) {
  std::string line = "12.5,\"AB\",,\"AB\"";
  EXPECT_EQ(NextField(line), "12.5");
  EXPECT_EQ(line, "\"AB\",,\"AB\"");
  EXPECT_EQ(NextField(line), "AB");  // quoted field followed by a comma loses its quotes
  EXPECT_EQ(NextField(line), "");
  EXPECT_EQ(NextField(line), "\"AB\"");  // the last field keeps them
  EXPECT_EQ(line, "");
  EXPECT_EQ(NextField(line), "");
  EXPECT_EQ(line, "");
}

TEST(NextField, LoneQuoteAndShortFields) {
  std::string line = "\",x";
  EXPECT_EQ(NextField(line), "\"");  // a single quote character stays as it is
  EXPECT_EQ(NextField(line), "x");
  line = "\"\",\"a\"b,";
  EXPECT_EQ(NextField(line), "");  // two quotes enclose an empty text
  EXPECT_EQ(NextField(line), "\"a\"b");  // not enclosed: the last character is no quote
}

TEST(Round2, NudgesHalvesAwayFromZero) {
  EXPECT_DOUBLE_EQ(Round2(1.005), 1.01);
  EXPECT_DOUBLE_EQ(Round2(-2.345), -2.35);
  EXPECT_DOUBLE_EQ(Round2(10.005), 10.01);
  EXPECT_DOUBLE_EQ(Round2(0), 0);
  EXPECT_DOUBLE_EQ(Round2(2.004), 2.0);
}

TEST(RoundHalfEven, ExactHalvesGoToEven) {
  EXPECT_DOUBLE_EQ(RoundHalfEven(5.25, 1), 5.2);
  EXPECT_DOUBLE_EQ(RoundHalfEven(0.125, 2), 0.12);
  EXPECT_DOUBLE_EQ(RoundHalfEven(-0.375, 2), -0.38);
}

TEST(FieldNumber, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(FieldNumber(" 1 2.5x"), 12.5);
  EXPECT_DOUBLE_EQ(FieldNumber("\t-3.25\n"), -3.25);
  EXPECT_DOUBLE_EQ(FieldNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(FieldNumber("&H2"), 0);  // no number at its start
  EXPECT_DOUBLE_EQ(FieldNumber("&O7"), 0);
  EXPECT_DOUBLE_EQ(FieldNumber(""), 0);
  EXPECT_DOUBLE_EQ(FieldNumber("1,5"), 1);  // the decimal point is always "."
  try {
    FieldNumber("1e400");
    FAIL() << "no overflow";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kOverflow);
  }
}

}  // namespace
}  // namespace plamor::charts
