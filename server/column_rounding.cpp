#include "server/column_rounding.h"

#include <charconv>
#include <string>

#include "server/common.h"

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

}  // namespace

double RoundToColumnsByText(double value, std::int32_t digits) {
  const std::string text = RoundToColumns(value, digits);
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

double RoundToColumnsValue(double value, std::int32_t digits) {
  if (value == 0) return 0.0;  // also -0, which the text writes without its sign
  if (KeepsItsValue(value, digits)) return value;
  return RoundToColumnsByText(value, digits);
}

}  // namespace plamor
