#include "server/elements/column_rounding.h"

#include <charconv>
#include <cmath>
#include <string>

#include "platform/numeric_text.h"

namespace plamor {

namespace {

// True when the shortest decimal that reads back as `value` has at most 15
// significant digits and at most `digits` decimals. Such a decimal is what the
// 15-digit rounding of the value gives (the double lies closer to it than half
// a unit of the 15th digit), rounding it to `digits` decimals leaves it
// unchanged, and reading it back gives the value again.
bool KeepsItsValue(double value, std::int32_t digits) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  if (result.ec != std::errc()) return false;
  const char* p = buffer;
  if (*p == '-') ++p;
  int significant = 0;
  for (; p != result.ptr && *p != 'e'; ++p) significant += (*p >= '0' && *p <= '9');
  if (p == result.ptr) return false;
  ++p;  // the exponent: a sign, then its digits
  const bool negative = *p == '-';
  int exponent = 0;
  std::from_chars(p + 1, result.ptr, exponent);
  if (negative) exponent = -exponent;
  const int decimals = significant - 1 - exponent;
  return significant <= 15 && decimals <= digits;
}


// When value * 10^digits comes out as an integer n below 2^40, the text is n
// with the point moved by `digits`: value lies within 2^-13 of n / 10^digits
// in units of the last column, its 15-digit form within a further 0.005
// (value is below 10^(13 - digits)), so rounding to `digits` decimals gives n
// itself; and reading that text back is the correctly rounded n / 10^digits.
bool ScaledToInteger(double value, std::int32_t digits, double& result) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (digits > 22) return false;
  const double power = kPowers[digits];
  const double scaled = value * power;
  if (!(std::fabs(scaled) < 0x1p40) || std::trunc(scaled) != scaled) return false;
  result = scaled == 0 ? 0.0 : scaled / power;
  return true;
}

}  // namespace

std::string RoundToColumns(double value, std::int32_t digits) {
  return numtext::Format(value, numtext::DecimalsPattern(digits));
}

double RoundToColumnsByText(double value, std::int32_t digits) {
  const std::string text = RoundToColumns(value, digits);
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

double RoundToColumnsValue(double value, std::int32_t digits) {
  if (value == 0) return 0.0;  // also -0, which the text writes without its sign
  if (double result; ScaledToInteger(value, digits, result)) return result;
  if (KeepsItsValue(value, digits)) return value;
  return RoundToColumnsByText(value, digits);
}

}  // namespace plamor
