// Fast exact text of a real value with a fixed number of decimals: at least
// one integer digit, exactly `decimals` decimals, "-" before negative values;
// the form "0.0000" of every DXF coordinate and "0.000..." of the standard
// text file. Gives exactly the text of plamor::numtext::Format(v,
// DecimalsPattern(decimals)): the value is taken to 15 significant digits,
// then rounded half away from zero; a negative value that rounds to zero has
// no minus sign.
#pragma once

#include <string>

namespace plamor {

inline constexpr int kMaxFixedDecimals = 9;

// Appends the text of value with `decimals` (0..9) decimals to out; other
// decimal counts take the general form.
void AppendFixed(std::string& out, double value, int decimals);

// The "0.0000" form.
inline void AppendFixed4(std::string& out, double value) { AppendFixed(out, value, 4); }
std::string FormatFixed4(double value);
std::string FormatFixed(double value, int decimals);

}  // namespace plamor
