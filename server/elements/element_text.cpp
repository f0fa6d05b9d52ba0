#include "server/elements/element_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/numeric_text.h"
#include "server/elements/double_hex_key.h"
#include "server/types.h"

namespace plamor::element_text {

namespace {

void AppendHex(std::string& out, std::uint32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  for (char* p = buffer; p != result.ptr; ++p) {
    out += (*p >= 'a' && *p <= 'f') ? static_cast<char>(*p - 'a' + 'A') : *p;
  }
}

}  // namespace

void AppendHex16(std::string& out, std::int16_t value) {
  AppendHex(out, static_cast<std::uint16_t>(value));
}

void AppendHex32(std::string& out, std::int32_t value) {
  AppendHex(out, static_cast<std::uint32_t>(value));
}

void AppendDoubleKey(std::string& out, double value) { out += DoubleToHexKey(value); }

namespace {

// The number form of a value whose shortest decimal has at most 15
// significant digits and which is written without an exponent (0.1 <= |v| <
// 1e15): those digits are exactly the 15-digit form's, trailing zeros gone.
// False for every other value.
bool AppendShortNumber(std::string& out, double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 0.1 && magnitude < 1e15)) return false;
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
  if (result.ec != std::errc()) return false;
  const char* begin = buffer;
  if (*begin == '0') ++begin;  // "0.5" is written ".5"
  int significant = 0;
  bool started = false;
  for (const char* p = begin; p != result.ptr; ++p) {
    if (*p == '.') continue;
    started = started || *p != '0';
    significant += started;
  }
  if (significant > 15) return false;
  out += value < 0 ? '-' : ' ';
  out.append(begin, static_cast<std::size_t>(result.ptr - begin));
  return true;
}

}  // namespace

void AppendNumber(std::string& out, double value) {
  if (!AppendShortNumber(out, value)) out += numtext::Str(value);
}

void AppendSingle(std::string& out, float value) {
  // Seven significant digits of the single value, then the usual number form,
  // which writes the nearest double of that decimal with the same digits.
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(value));
  AppendNumber(out, std::strtod(buffer, nullptr));
}

std::int32_t PreviewStyle(std::int32_t style) {
  switch (style) {
    case ktpdash: return 1;
    case ktpdashdot: return 2;
    case ktpdashdotdot: return 3;
    default: return 0;
  }
}

}  // namespace plamor::element_text
