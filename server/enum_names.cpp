#include "server/enum_names.h"

#include <strings.h>

#include <iterator>

#include "server/types.h"

namespace plamor {
namespace {

#define C(E, N) EnumConstant{#E, #N, N}
const EnumConstant kConstants[] = {
    C(ktpPlamorType, ktpAtz), C(ktpPlamorType, ktpPlm), C(ktpPlamorType, ktpDxf),
    C(ktpOptimazeType, ktpLevel0), C(ktpOptimazeType, ktpLevel1),
    C(ktpOptimazeType, ktpLevel2), C(ktpOptimazeType, ktpLevel3),
    C(ktpMojiType, ktpYoko), C(ktpMojiType, ktpTate),
    C(ktpPaperType, ktpPaperYoko), C(ktpPaperType, ktpPaperTate),
    C(ktpMojiKitenType, ktpLeftBottom), C(ktpMojiKitenType, ktpCenterBottom),
    C(ktpMojiKitenType, ktpRightBottom), C(ktpMojiKitenType, ktpLeftCenter),
    C(ktpMojiKitenType, ktpCenterCenter), C(ktpMojiKitenType, ktpRightCenter),
    C(ktpMojiKitenType, ktpLeftTop), C(ktpMojiKitenType, ktpCenterTop),
    C(ktpMojiKitenType, ktpRightTop),
    C(ktpStyle, ktpsolid), C(ktpStyle, ktpdash), C(ktpStyle, ktpdashdot),
    C(ktpStyle, ktpdashdotdot),
    C(ktpPaperSize, ktpA0), C(ktpPaperSize, ktpA1), C(ktpPaperSize, ktpA2),
    C(ktpPaperSize, ktpA3), C(ktpPaperSize, ktpA4), C(ktpPaperSize, ktpB0),
    C(ktpPaperSize, ktpB1), C(ktpPaperSize, ktpB2), C(ktpPaperSize, ktpB3),
    C(ktpPaperSize, ktpB4), C(ktpPaperSize, ktpANSI_A), C(ktpPaperSize, ktpANSI_B),
    C(ktpPaperSize, ktpANSI_C), C(ktpPaperSize, ktpANSI_D), C(ktpPaperSize, ktpANSI_E),
    C(ktpPaperSize, ktpFREE),
    C(ktpPen, ktpPEN0), C(ktpPen, ktpPEN1), C(ktpPen, ktpPEN2), C(ktpPen, ktpPEN3),
    C(ktpPen, ktpPEN4), C(ktpPen, ktpPEN5), C(ktpPen, ktpPEN6), C(ktpPen, ktpPEN7),
};
#undef C

}  // namespace

const EnumConstant* EnumConstantsBegin() { return std::begin(kConstants); }
const EnumConstant* EnumConstantsEnd() { return std::end(kConstants); }

std::optional<std::int32_t> EnumValue(std::string_view name) {
  for (const auto& c : kConstants)
    if (std::string_view(c.name).size() == name.size() && strncasecmp(c.name, name.data(), name.size()) == 0)
      return c.value;
  return std::nullopt;
}

}  // namespace plamor
