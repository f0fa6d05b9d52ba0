// The code points of a UTF-8 text (a broken sequence gives what its bits say;
// nothing is dropped).
#pragma once

#include <string>
#include <string_view>

namespace plamor::utf8 {

inline std::u32string CodePoints(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length && i + k < text.size(); ++k) code = (code << 6) | (text[i + k] & 0x3F);
    i += length;
    out.push_back(code);
  }
  return out;
}

}  // namespace plamor::utf8
