// Numbers in the exchange files of the river surveys: plain decimals as any
// spreadsheet writes them ("-12.5", "3", "+0.25", "1.2e3"), nothing else.
#pragma once

#include <string_view>

namespace plamor::survey {

// Reads the whole text as a finite decimal number; false for anything else
// (blanks, hexadecimal, "inf", "nan", a second sign or point included).
bool ParseDecimal(std::string_view text, double& value);

}  // namespace plamor::survey
