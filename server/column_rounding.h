// Rounding of coordinates to the module-wide number of decimal columns, with
// exactly the result of converting RoundToColumns' text back to a double.
#pragma once

#include <cstdint>

namespace plamor {

// The value rounded half away from zero to `digits` decimals (digits >= 0,
// value finite). A value that already has at most `digits` decimals and at
// most 15 significant digits is returned as it is, without building the text.
double RoundToColumnsValue(double value, std::int32_t digits);

// The same, always through RoundToColumns' text (the reference of the above).
double RoundToColumnsByText(double value, std::int32_t digits);

}  // namespace plamor
