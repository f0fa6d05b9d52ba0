// Fast exact text of a real value in the form "0.0000" (at least one integer
// digit, four decimals, "-" before negative values), as the DXF writer writes
// every coordinate. Gives exactly the text of plamor::numtext::Format(v,
// "0.0000"): the value is taken to 15 significant digits, then rounded half
// away from zero; a negative value that rounds to zero has no minus sign.
#pragma once

#include <string>

namespace plamor {

// Appends the "0.0000" text of value to out.
void AppendFixed4(std::string& out, double value);

// The "0.0000" text of value.
std::string FormatFixed4(double value);

}  // namespace plamor
