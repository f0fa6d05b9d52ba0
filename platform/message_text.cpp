#include "platform/message_text.h"

#include <cstdio>

namespace plamor::msgtext {
namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when none starts there.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  std::size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  return length;
}

void AppendEscape(std::string& out, unsigned char b) {
  switch (b) {
    case '\r': out += "\\r"; return;
    case '\n': out += "\\n"; return;
    case '\t': out += "\\t"; return;
    case '\f': out += "\\f"; return;
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    default: {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    }
  }
}

}  // namespace

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  std::size_t shown = 0, i = 0;
  while (i < text.size() && shown < kShownCharacters) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = SequenceLength(text, i);
    if (length == 1 && b >= 0x20 && b != 0x7F && b != '"' && b != '\\') {
      out += static_cast<char>(b);
    } else if (length > 1 && !(b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)) {  // C1 controls escaped
      out.append(text.substr(i, length));
    } else {
      AppendEscape(out, b);
      i += 1;
      ++shown;
      continue;
    }
    i += length;
    ++shown;
  }
  if (i < text.size()) return out + "...\" (" + std::to_string(text.size()) + " bytes)";
  return out + "\"";
}

}  // namespace plamor::msgtext
