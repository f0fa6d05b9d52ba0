#include "charts/font_map.h"

#include "platform/host_fonts.h"

namespace plamor::charts {

std::string SystemFontFamily(std::string_view hostFontName) {
  const char* family = fonts::StandInFamily(hostFontName);
  return family ? std::string(family) : std::string(hostFontName);
}

}  // namespace plamor::charts
