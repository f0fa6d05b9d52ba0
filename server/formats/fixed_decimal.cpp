#include "server/formats/fixed_decimal.h"

#include <cmath>
#include <cstdint>

#include "platform/numeric_text.h"

namespace plamor {
namespace {

using u128 = unsigned __int128;

constexpr std::uint64_t kPow10[] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull,
    100000000ull, 1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull,
    10000000000000ull, 100000000000000ull, 1000000000000000ull};

int DigitCount(std::uint64_t n) {
  int digits = 1;
  while (digits < 16 && n >= kPow10[digits]) ++digits;
  return digits;
}

// Writes n with at least minDigits digits (zero-padded) ending at end; returns the start.
char* WriteDigitsBackward(char* end, std::uint64_t n, int minDigits) {
  char* p = end;
  do {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
    --minDigits;
  } while (n != 0 || minDigits > 0);
  return p;
}

// The magnitude in units of 10^-decimals after the two roundings, when the
// exact arithmetic below covers it. The binary value is exact: magnitude =
// m / 2^s. Its scaled form m * 10^decimals / 2^s splits into an integer q
// and a fraction f. Rounding to 15 significant digits keeps 15 - digits(q)
// digits of f, rounded half to even as the C library does on the exact
// value; the first of those digits then decides the rounding half away from
// zero.
bool ScaledUnits(double magnitude, int decimals, std::uint64_t& units) {
  if (!(magnitude < 1e15)) return false;
  int exponent = 0;
  const double mantissa = std::frexp(magnitude, &exponent);  // magnitude = mantissa * 2^exponent
  const int s = 53 - exponent;
  if (s < 1 || s > 80) return false;  // keeps every product below within 128 bits
  const auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
  const u128 scaled = static_cast<u128>(m) * kPow10[decimals];
  const u128 mask = (static_cast<u128>(1) << s) - 1;
  const u128 wholeUnits = scaled >> s;
  if (wholeUnits == 0 || wholeUnits >= kPow10[15]) return false;
  const auto q = static_cast<std::uint64_t>(wholeUnits);
  const u128 r = scaled & mask;
  const std::uint64_t p = kPow10[15 - DigitCount(q)];  // 10^(digits kept beyond the decimals)
  const u128 rp = r * p;
  u128 g = rp >> s;
  const u128 rest = rp & mask;
  const u128 half = static_cast<u128>(1) << (s - 1);
  // The parity of the whole 15-digit number decides a tie: that of g, unless
  // no digit is kept beyond the decimals (p = 1), when it is that of q + g.
  const bool odd = ((p == 1 ? g + q : g) & 1) != 0;
  if (rest > half || (rest == half && odd)) ++g;
  units = q + (2 * g >= p ? 1 : 0);
  return true;
}

}  // namespace

void AppendFixed(std::string& out, double value, int decimals) {
  if (decimals < 0 || decimals > kMaxFixedDecimals) {
    out += numtext::Format(value, numtext::DecimalsPattern(decimals));
    return;
  }
  char buf[40];
  char* const end = buf + sizeof buf;
  const double magnitude = std::fabs(value);
  std::uint64_t units = 0;
  if (magnitude != 0.0 && !ScaledUnits(magnitude, decimals, units)) {
    out += numtext::Format(value, numtext::DecimalsPattern(decimals));
    return;
  }
  char* p = end;
  if (decimals > 0) {
    p = WriteDigitsBackward(p, units % kPow10[decimals], decimals);
    *--p = '.';
  }
  p = WriteDigitsBackward(p, units / kPow10[decimals], 1);
  if (value < 0 && units != 0) *--p = '-';
  out.append(p, static_cast<std::size_t>(end - p));
}

std::string FormatFixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

std::string FormatFixed4(double value) { return FormatFixed(value, 4); }

}  // namespace plamor
