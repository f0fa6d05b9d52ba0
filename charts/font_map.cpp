#include "charts/font_map.h"

#include <array>
#include <utility>

namespace plamor::charts {

std::string SystemFontFamily(std::string_view hostFontName) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kFonts = {{
      {"ＭＳ ゴシック", "IPAGothic"},
      {"ＭＳ 明朝", "IPAMincho"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS Gothic", "IPAGothic"},
      {"MS Mincho", "IPAMincho"},
      {"MS PGothic", "IPAPGothic"},
      {"MS PMincho", "IPAPMincho"},
  }};
  for (const auto& [host, system] : kFonts)
    if (host == hostFontName) return std::string(system);
  return std::string(hostFontName);
}

}  // namespace plamor::charts
