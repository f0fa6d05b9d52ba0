// The builder's coverage report: glyphs written per JIS row against the
// characters the system's code page (CP932) assigns there.
#pragma once

#include <ostream>

#include "tools/kvd_builder/font_conversion.h"

namespace kvd {

void PrintCoverage(const KvdImage& image, const ConversionReport& report, std::ostream& out);

}  // namespace kvd
