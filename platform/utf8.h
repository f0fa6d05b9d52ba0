// The characters of a UTF-8 text: its code points (a broken sequence gives
// what its bits say; nothing is dropped) and how many there are.
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

// Number of characters (not bytes): the bytes that are no continuation byte.
inline std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

}  // namespace plamor::utf8
