// Text in the system code page (CP932, Shift_JIS with the Windows extensions).
// Strings inside the program are UTF-8; files and the stroke-font lookups use
// CP932 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plamor::cp932 {

// UTF-8 to CP932. A character CP932 cannot hold becomes "?" (one byte); an
// invalid UTF-8 byte also becomes "?".
std::string FromUtf8(std::string_view utf8);

// CP932 to UTF-8. A byte sequence that is not CP932 becomes "?".
std::string ToUtf8(std::string_view cp932);

// Number of bytes of the text in CP932 (a double-byte character counts 2).
std::size_t ByteLength(std::string_view utf8);

// True for a byte that starts a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True when every character of the UTF-8 text is one byte in CP932.
bool IsSingleByteText(std::string_view utf8);

}  // namespace plamor::cp932
