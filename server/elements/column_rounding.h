// Rounding of coordinates to the module-wide number of decimal columns, with
// exactly the result of converting RoundToColumns' text back to a double.
#pragma once

#include <cstdint>
#include <string>

namespace plamor {

// The value as text rounded half away from zero to `digits` decimals
// ("0" pattern for 0 digits, "0.00..." otherwise).
std::string RoundToColumns(double value, std::int32_t digits);

// The value rounded half away from zero to `digits` decimals (digits >= 0,
// value finite). Where the result provably follows from the value itself (a
// value that scales to an integer, or already has at most `digits` decimals
// and 15 significant digits), no text is built.
double RoundToColumnsValue(double value, std::int32_t digits);

// The same, always through RoundToColumns' text (the reference of the above).
double RoundToColumnsByText(double value, std::int32_t digits);

}  // namespace plamor
