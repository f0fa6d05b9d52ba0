#include "cli/input_text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/input_error.h"
#include "platform/cp932.h"

namespace plamor {

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    int follow = 0;
    std::uint32_t code = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      follow = 1, code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      follow = 2, code = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      follow = 3, code = b & 0x07;
    } else {
      return false;
    }
    if (i + follow >= bytes.size()) return false;  // cut short at the end
    for (int k = 1; k <= follow; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      code = (code << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    if ((follow == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (follow == 3 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    i += follow + 1;
  }
  return true;
}

std::string ReadInputFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) throw InputError(file, "is a folder, not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw InputError(file, std::string("cannot be read: ") + std::strerror(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw InputError(file, "cannot be read");
  return bytes.str();
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& file) {
  std::string text = ReadInputFile(file);
  if (IsValidUtf8(text)) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  } else {
    text = cp932::ToUtf8(text);
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace plamor
