#include "server/element_text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "platform/numeric_text.h"
#include "server/common.h"
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

void AppendNumber(std::string& out, double value) { out += numtext::Str(value); }

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
