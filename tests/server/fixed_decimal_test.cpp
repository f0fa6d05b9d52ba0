// The fast "0.0000" text must be exactly the general digit-pattern form for
// every value: ties at the fifth decimal, values that 15 significant digits
// round onto a tie, every magnitude, signs, zero and non-finite values.
#include "server/formats/fixed_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "platform/numeric_text.h"

namespace plamor {
namespace {

void ExpectSameAsFormat(double v) {
  ASSERT_EQ(FormatFixed4(v), numtext::Format(v, "0.0000")) << std::hexfloat << v;
}

void ExpectSameAsFormat(double v, int decimals) {
  ASSERT_EQ(FormatFixed(v, decimals), numtext::Format(v, numtext::DecimalsPattern(decimals)))
      << std::hexfloat << v << " with " << decimals << " decimals";
}

TEST(FixedDecimal, KnownTexts) {
  EXPECT_EQ(FormatFixed4(-0.5), "-0.5000");
  EXPECT_EQ(FormatFixed4(1234.56789), "1234.5679");
  EXPECT_EQ(FormatFixed4(0), "0.0000");
  EXPECT_EQ(FormatFixed4(-0.0), "0.0000");
  EXPECT_EQ(FormatFixed4(-0.00004), "0.0000");   // rounds to zero: no minus sign
  EXPECT_EQ(FormatFixed4(1.00005), "1.0001");    // 1.000049999... to 15 digits is a tie, rounded up
  EXPECT_EQ(FormatFixed4(-2.00005), "-2.0001");
  EXPECT_EQ(FormatFixed4(99999.99999), "100000.0000");
  EXPECT_EQ(FormatFixed4(340), "340.0000");
}

TEST(FixedDecimal, SameAsFormatOnTiesAndEdges) {
  for (std::int64_t units = 0; units < 200000; ++units) {
    const double base = static_cast<double>(units) / 10000.0;
    for (double v : {base, base + 0.00005, base - 0.00005, base + 0.000049999, base + 0.0000500001}) {
      ExpectSameAsFormat(v);
      ExpectSameAsFormat(-v);
    }
  }
  for (int k = -5; k <= 12; ++k) {
    const double p = std::pow(10.0, k);
    for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), p * 9.99999999999999,
                     p * 1.00005, p * 0.99995, 1e11 - 0.00005, 99999999999.99995, 0.0001, 0.00005}) {
      ExpectSameAsFormat(v);
      ExpectSameAsFormat(-v);
    }
  }
  for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min(),
                   std::numeric_limits<double>::max(), 1e300, -1e-300}) {
    ExpectSameAsFormat(v);
  }
}

TEST(FixedDecimal, SameAsFormatOnRandomValues) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> exponent(-6.0, 13.0);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 1000000; ++i) {
    const double magnitude = std::pow(10.0, exponent(random));
    ExpectSameAsFormat((i & 1) ? -magnitude : magnitude);
    // Survey coordinates: a few decimals as hosts round them (RoundColum).
    const double rounded = std::round(magnitude * 1e6) / 1e6;
    ExpectSameAsFormat(rounded);
  }
  for (int i = 0; i < 200000; ++i) ExpectSameAsFormat(std::bit_cast<double>(bits(random)));
}

// Values whose 15th significant digit is followed by exactly one half: the
// odd multiples of 2^-(d+1), d being the decimals that 15 digits keep. The
// 15-digit rounding then goes to the even neighbour.
TEST(FixedDecimal, SameAsFormatOnExactTiesOfTheFifteenthDigit) {
  std::mt19937_64 random(7);
  for (int k = -4; k <= 10; ++k) {
    const int d = 14 - k;
    const double unit = std::ldexp(1.0, -(d + 1));
    const double low = std::pow(10.0, k) / unit;
    std::uniform_real_distribution<double> pick(low, low * 10);
    for (int i = 0; i < 20000; ++i) {
      const double m = std::floor(pick(random) / 2) * 2 + 1;  // odd
      ExpectSameAsFormat(m * unit);
      ExpectSameAsFormat(-m * unit);
    }
  }
}

// The standard text file takes 1 to 9 decimals (and 0 is allowed here).
TEST(FixedDecimal, SameAsFormatForEveryCountOfDecimals) {
  std::mt19937_64 random(99);
  std::uniform_real_distribution<double> exponent(-11.0, 16.0);
  for (int decimals = 0; decimals <= kMaxFixedDecimals; ++decimals) {
    for (int i = 0; i < 100000; ++i) {
      const double v = std::pow(10.0, exponent(random));
      ExpectSameAsFormat((i & 1) ? -v : v, decimals);
      ExpectSameAsFormat(std::round(v * 1000) / 1000, decimals);
    }
    const double unitStep = std::pow(10.0, -decimals);
    for (int i = 0; i < 20000; ++i) {
      const double tie = (i + 0.5) * unitStep;
      ExpectSameAsFormat(tie, decimals);
      ExpectSameAsFormat(-tie, decimals);
    }
    for (int k = -decimals; k <= 14 - decimals; ++k) {
      const int d = 14 - k;
      const double unit = std::ldexp(1.0, -(d + 1));
      const double low = std::pow(10.0, k) / unit;
      if (low * 10 > 9e15) continue;
      std::uniform_real_distribution<double> pick(low, low * 10);
      for (int i = 0; i < 2000; ++i) {
        const double m = std::floor(pick(random) / 2) * 2 + 1;
        ExpectSameAsFormat(m * unit, decimals);
      }
    }
  }
  EXPECT_EQ(FormatFixed(2.5, 0), "3");
  EXPECT_EQ(FormatFixed(-12.26, 1), "-12.3");
  EXPECT_EQ(FormatFixed(1.23456789012, 9), "1.234567890");
}

}  // namespace
}  // namespace plamor
