// Text taken from an input file, made safe to show in an error message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plamor::msgtext {

// The most characters of a field an error message shows.
inline constexpr std::size_t kShownCharacters = 40;

// The text in double quotation marks: control characters written as escapes
// (\r, \n, \t, \f, \xNN), so that they cannot move the terminal's cursor, and
// text longer than kShownCharacters cut there with its full size in bytes
// added: "AAAA..." (100000 bytes). The text is UTF-8; bytes that are not
// valid UTF-8 are shown as \xNN.
std::string Quoted(std::string_view text);

}  // namespace plamor::msgtext
