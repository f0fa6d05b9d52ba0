// Reading the comma-separated text lines of the host's observation data:
// cutting fields off a line, reading their numbers, and the roundings used
// for distances and elevations.
#pragma once

#include <string>
#include <string_view>

namespace plamor::charts {

// Cuts the first field off `rest` and returns it; `rest` keeps the text after
// its comma. Without a comma the whole text is the field (quotes kept) and
// `rest` becomes empty. A field that starts and ends with a double quote (at
// least two characters) loses both quotes; a lone quote stays as it is.
std::string_view CutField(std::string_view& rest);

// The same on a string the caller keeps: returns the first field and removes
// it, with its comma, from `line`.
std::string NextField(std::string& line);

// Field number `field` (counted from 1) of the line, cut as CutField cuts;
// empty when the line has fewer fields.
std::string_view FieldAt(std::string_view line, std::size_t field);

// The number at the start of a field, in the host's reading (blanks ignored,
// "." as the decimal point, 0 when the field does not begin with a number).
// A magnitude beyond the range of a double is an overflow error.
double FieldNumber(std::string_view field);

// Rounds to `decimals` decimals, an exact half to the even neighbour.
double RoundHalfEven(double value, int decimals);

// Two-decimal rounding of elevations: adds 0.00005 in the direction of the
// sign first, so that values meant to end in 5 at the third decimal round
// away from zero (1.005 -> 1.01, -2.345 -> -2.35).
double Round2(double value);

}  // namespace plamor::charts
