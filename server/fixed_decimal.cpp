#include "server/fixed_decimal.h"

#include <cmath>
#include <cstdint>
#include <cstring>

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

// The value in units of 0.0001 after the two roundings, for magnitudes in
// [0.0001, 1e11). The binary value is exact: magnitude = m / 2^s. Its scaled
// form m * 10^4 / 2^s splits into an integer q and a fraction f. Rounding to
// 15 significant digits keeps D = 10 - k digits of f (k = decimal exponent),
// rounded half to even exactly as the C library does; the fifth decimal of
// that text then decides the rounding half away from zero.
bool ScaledUnits(double magnitude, std::uint64_t& units) {
  if (!(magnitude >= 0.0001 && magnitude < 1e11)) return false;
  int exponent = 0;
  const double mantissa = std::frexp(magnitude, &exponent);  // magnitude = mantissa * 2^exponent
  const auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
  const int s = 53 - exponent;  // magnitude = m / 2^s, s in 17..67 for this range
  const u128 scaled = static_cast<u128>(m) * 10000u;
  const u128 q128 = scaled >> s;
  const u128 mask = (static_cast<u128>(1) << s) - 1;
  const u128 r = scaled & mask;
  const auto q = static_cast<std::uint64_t>(q128);
  if (q == 0) return false;
  const int k = DigitCount(q) - 5;          // magnitude in [10^k, 10^(k+1))
  const int extraDigits = 10 - k;           // 15 significant digits minus k+1 integer digits minus 4
  const std::uint64_t p = kPow10[extraDigits];
  const u128 rp = r * p;
  u128 g = rp >> s;
  const u128 rest = rp & mask;
  const u128 half = static_cast<u128>(1) << (s - 1);
  // The parity of the whole 15-digit number decides a tie: that of g, unless
  // no digit is kept beyond the fourth decimal (p = 1), when it is q + g.
  const bool odd = ((p == 1 ? g + q : g) & 1) != 0;
  if (rest > half || (rest == half && odd)) ++g;
  units = q + (2 * g >= p ? 1 : 0);
  return true;
}

}  // namespace

void AppendFixed4(std::string& out, double value) {
  const double magnitude = std::fabs(value);
  std::uint64_t units = 0;
  if (magnitude == 0.0) {
    out.append("0.0000", 6);
    return;
  }
  if (!ScaledUnits(magnitude, units)) {
    out += numtext::Format(value, "0.0000");
    return;
  }
  char buf[32];
  char* end = buf + sizeof buf;
  char* p = WriteDigitsBackward(end, units % 10000, 4);
  *--p = '.';
  p = WriteDigitsBackward(p, units / 10000, 1);
  if (value < 0 && units != 0) *--p = '-';
  out.append(p, static_cast<std::size_t>(end - p));
}

std::string FormatFixed4(double value) {
  std::string text;
  AppendFixed4(text, value);
  return text;
}

}  // namespace plamor
