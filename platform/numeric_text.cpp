#include "platform/numeric_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace plamor::numtext {
namespace {

// The shortest text of |value| with up to 15 significant digits, switching to
// the exponent form below 1E-05 and from 1E+15 on ("1E+20", "1.5E-07").
std::string Significant15(double magnitude) {
  if (std::isnan(magnitude)) return "NaN";
  if (std::isinf(magnitude)) return "Inf";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", magnitude);
  return buf;
}

std::string SignedText(double value, bool blankBeforePositive, bool keepLeadingZero) {
  std::string digits = Significant15(std::fabs(value));
  if (!keepLeadingZero && digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  if (std::signbit(value) && value != 0) return "-" + digits;
  return blankBeforePositive ? " " + digits : digits;
}

// The decimal digits of |value| to 15 significant digits: digits before the
// point and after it, without sign.
struct DecimalDigits {
  std::string integer;   // may be empty (value below 1)
  std::string fraction;
};

DecimalDigits To15Digits(double magnitude) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.dddddddddddddde±XX
  std::string mantissa;
  mantissa += buf[0];
  mantissa.append(buf + 2, 14);
  int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  int pointAt = exponent + 1;  // digits before the point
  DecimalDigits d;
  if (pointAt <= 0) {
    d.fraction = std::string(static_cast<size_t>(-pointAt), '0') + mantissa;
  } else if (pointAt >= static_cast<int>(mantissa.size())) {
    d.integer = mantissa + std::string(static_cast<size_t>(pointAt) - mantissa.size(), '0');
  } else {
    d.integer = mantissa.substr(0, static_cast<size_t>(pointAt));
    d.fraction = mantissa.substr(static_cast<size_t>(pointAt));
  }
  return d;
}

// Adds one unit in the last place of the digit string; returns true on carry out.
bool Increment(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return false;
    }
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

std::string Str(double value) { return SignedText(value, true, false); }

std::string PlainStr(double value) { return SignedText(value, false, false); }

std::string CStr(double value) { return SignedText(value, false, true); }

std::string DecimalsPattern(int decimals) {
  if (decimals <= 0) return "0";
  return "0." + std::string(static_cast<size_t>(decimals), '0');
}

std::string Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return Significant15(value);
  const size_t point = pattern.find('.');
  const std::string_view intPattern = pattern.substr(0, point);
  const std::string_view decPattern =
      point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
  size_t minInteger = 0;
  for (char c : intPattern) minInteger += (c == '0');
  size_t mandatoryDecimals = 0;
  for (char c : decPattern) mandatoryDecimals += (c == '0');
  const size_t decimals = decPattern.size();

  DecimalDigits d = To15Digits(std::fabs(value));
  if (d.fraction.size() > decimals) {
    const bool roundUp = d.fraction[decimals] >= '5';
    d.fraction.resize(decimals);
    if (roundUp && Increment(d.fraction) && Increment(d.integer)) d.integer.insert(0, "1");
  } else {
    d.fraction.append(decimals - d.fraction.size(), '0');
  }
  while (d.fraction.size() > mandatoryDecimals && d.fraction.back() == '0') d.fraction.pop_back();

  size_t firstNonZero = d.integer.find_first_not_of('0');
  d.integer.erase(0, firstNonZero == std::string::npos ? d.integer.size() : firstNonZero);
  if (d.integer.size() < minInteger) d.integer.insert(0, minInteger - d.integer.size(), '0');

  const bool isZero = d.integer.find_first_not_of('0') == std::string::npos &&
                      d.fraction.find_first_not_of('0') == std::string::npos;
  std::string text = (value < 0 && !isZero) ? "-" : "";
  text += d.integer;
  if (point != std::string_view::npos) {
    text += '.';
    text += d.fraction;
  }
  return text;
}

std::string FormatPercent(double fraction) { return Format(fraction * 100.0, "0.00") + "%"; }

std::int16_t ToInt16(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= -32768.0 && r <= 32767.0)) throw std::overflow_error("overflow");
  return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw std::overflow_error("overflow");
  return static_cast<std::int32_t>(r);
}

namespace {

// Reads "&H..." or "&O..." (the text after blanks are removed). Up to four
// hexadecimal digits (six octal) are a 16-bit integer, more a 32-bit one,
// both read as signed.
double ReadRadixInteger(const std::string& s, size_t pos, int radix) {
  unsigned long long v = 0;
  size_t digits = 0;
  for (; pos < s.size(); ++pos) {
    int d;
    char c = s[pos];
    if (c >= '0' && c <= '9') d = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else break;
    if (d >= radix) break;
    v = v * radix + d;
    if (++digits > 22) break;
  }
  if (v <= 0xFFFF && (radix == 16 ? digits <= 4 : digits <= 6)) return static_cast<std::int16_t>(v);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::string WithoutBlanks(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!IsBlank(c)) s += c;
  return s;
}

// The leading decimal number of a text without blanks, or 0.
double LeadingDecimal(const std::string& s) {
  std::string number;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool anyDigit = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') number += s[i++], anyDigit = true;
  if (i < s.size() && s[i] == '.') {
    number += s[i++];
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') number += s[i++], anyDigit = true;
  }
  if (!anyDigit) return 0.0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    size_t firstDigit = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') exponent += s[j++];
    if (j > firstDigit) number += exponent;
  }
  if (number[0] == '+') number.erase(0, 1);
  double v = 0.0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), v);
  if (result.ec == std::errc::result_out_of_range) {
    return std::strtod(number.c_str(), nullptr);  // gives ±HUGE_VAL or 0, as the magnitude says
  }
  return v;
}

}  // namespace

double Val(std::string_view text) {
  const std::string s = WithoutBlanks(text);
  if (s.size() >= 2 && s[0] == '&') {
    const char r = s[1];
    if (r == 'H' || r == 'h') return ReadRadixInteger(s, 2, 16);
    if (r == 'O' || r == 'o') return ReadRadixInteger(s, 2, 8);
  }
  return LeadingDecimal(s);
}

double LeadingNumber(std::string_view text) { return LeadingDecimal(WithoutBlanks(text)); }

bool IsNumeric(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  std::string_view s = text.substr(b, e - b);
  if (s.empty()) return false;
  size_t i = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const bool hex = s[1] == 'H' || s[1] == 'h';
    if (s.size() == 2) return false;
    for (i = 2; i < s.size(); ++i) {
      char c = s[i];
      bool ok = hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
      if (!ok) return false;
    }
    return true;
  }
  if (s[i] == '+' || s[i] == '-') ++i;
  bool anyDigit = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, anyDigit = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, anyDigit = true;
  }
  if (!anyDigit) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t first = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (i == first) return false;
  }
  return i == s.size();
}

}  // namespace plamor::numtext
