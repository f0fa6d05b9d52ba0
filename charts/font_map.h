// The Japanese fonts the charts name, mapped onto the Japanese fonts of this
// system (IPA fonts).
#pragma once

#include <string>
#include <string_view>

namespace plamor::charts {

// The free stand-in of a host face ("ＭＳ ゴシック" -> "IPAGothic", ...:
// fonts::StandInFamily); other names are kept.
std::string SystemFontFamily(std::string_view hostFontName);

// The font the text falls back to when a named font lacks a character.
inline constexpr const char* kFallbackFontFamily = "IPAGothic";

}  // namespace plamor::charts
