// Text helpers that look at ASCII characters only (no byte of a multibyte
// UTF-8 or CP932 character is a blank, a tab or a letter A-Z): trimming the
// ends of a text and comparing names without regard to case.
#pragma once

#include <string_view>

namespace plamor::ascii {

// The text without any of `characters` at either end.
inline std::string_view Trim(std::string_view text, std::string_view characters) {
  const std::size_t first = text.find_first_not_of(characters);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

// The text without blanks at either end (tabs stay).
inline std::string_view TrimBlanks(std::string_view text) { return Trim(text, " "); }

// The text without blanks and tabs at either end.
inline std::string_view TrimBlanksAndTabs(std::string_view text) { return Trim(text, " \t"); }

// True when both texts are the same once the letters A-Z are taken as a-z.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace plamor::ascii
