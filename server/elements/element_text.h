// Text pieces shared by the element records: the hexadecimal forms of the
// search keys and the number forms of the list records.
#pragma once

#include <cstdint>
#include <string>

namespace plamor::element_text {

// Upper-case hexadecimal without leading zeros; negative values as their
// 16-bit (four digits) or 32-bit (eight digits) pattern.
void AppendHex16(std::string& out, std::int16_t value);
void AppendHex32(std::string& out, std::int32_t value);

// The 16 hexadecimal digits of the double's memory image.
void AppendDoubleKey(std::string& out, double value);

// The number form with a blank before a non-negative number (numtext::Str).
void AppendNumber(std::string& out, double value);

// A single-precision value in that form: at most 7 significant digits.
void AppendSingle(std::string& out, float value);

// Preview style code of a line style: dash 1, dash-dot 2, dash-dot-dot 3, any other 0 (solid).
std::int32_t PreviewStyle(std::int32_t style);

}  // namespace plamor::element_text
