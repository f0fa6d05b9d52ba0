// The Japanese fonts the charts name, mapped onto the Japanese fonts of this
// system (IPA fonts).
#pragma once

#include <string>
#include <string_view>

namespace plamor::charts {

// "ＭＳ ゴシック" -> "IPAGothic", "ＭＳ 明朝" -> "IPAMincho", "ＭＳ Ｐゴシック" ->
// "IPAPGothic", "ＭＳ Ｐ明朝" -> "IPAPMincho" (also the Latin spellings
// "MS Gothic", ...); other names are kept.
std::string SystemFontFamily(std::string_view hostFontName);

// The font the text falls back to when a named font lacks a character.
inline constexpr const char* kFallbackFontFamily = "IPAGothic";

}  // namespace plamor::charts
