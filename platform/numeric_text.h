// Number-to-text forms and number reading, as the host language of the system
// writes and reads numbers. These forms decide file contents byte for byte.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace plamor::numtext {

// The basic form: one blank before a non-negative number, "-" before a
// negative one, up to 15 significant digits, no leading zero before the
// point, exponent form for very large or small magnitudes.
// 0.5 -> " .5", -0.5 -> "-.5", 12 -> " 12", 1e20 -> " 1E+20", 1e-5 -> " 1E-05".
std::string Str(double value);

// The same form without the leading blank: 0.5 -> ".5", 12 -> "12", -3 -> "-3".
std::string PlainStr(double value);

// The host's default conversion of a number to text: like PlainStr but with a
// leading zero before the point (0.5 -> "0.5", -0.5 -> "-0.5").
std::string CStr(double value);

// Formats with a digit pattern such as "0", "0.000", "000", "###0", "###0.00",
// "##0.0", "0.0000". '0' is a mandatory digit, '#' an optional one; the
// number of characters after '.' gives the decimals. The value is first taken
// to 15 significant decimal digits and then rounded half away from zero, so
// 1.005 with "0.00" gives "1.01" and 2.5 with "0" gives "3". A negative value
// that rounds to zero is written without a minus sign.
std::string Format(double value, std::string_view pattern);

// "0." followed by `decimals` zeros, or "0" when decimals is 0 (the pattern of
// rounding to a number of decimal columns).
std::string DecimalsPattern(int decimals);

// Percent form with two decimals: 0.45 -> "45.00%".
std::string FormatPercent(double fraction);

// Conversion to integers, rounding half to even; out of range (or not a
// number) throws std::overflow_error ("overflow").
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

// Reads the leading number of a text: blanks, tabs and line feeds are skipped
// anywhere, "." is always the decimal point, an exponent (E or D) is allowed,
// "&H" and "&O" introduce hexadecimal and octal integers; reading stops at the
// first character that cannot continue the number. No number gives 0.
double Val(std::string_view text);

// The leading decimal number of a text, read as Val reads it but without the
// "&H"/"&O" forms: a text that does not begin with a number (after blanks),
// "&H2" included, gives 0. Numbers in data fields and settings are read so.
double LeadingNumber(std::string_view text);

// True when the whole text (blanks around it allowed) is a number in the
// host's sense, for the conversion of a text argument to a number.
bool IsNumeric(std::string_view text);

}  // namespace plamor::numtext
