#include "graphic/session.h"

namespace plamor::graphic {

ColorRef PaletteColor(int index) {
  static constexpr ColorRef kPalette[kPaletteSize] = {
      Rgb(0, 0, 0),     Rgb(0, 0, 255),   Rgb(255, 0, 0),   Rgb(255, 0, 255),
      Rgb(0, 255, 0),   Rgb(0, 255, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
  };
  return kPalette[index & 7];
}

ColorRef PageColour(int colourIndex) {
  return colourIndex == 7 ? Rgb(0, 0, 0) : PaletteColor(colourIndex);
}

Session& State() {
  static Session session;
  return session;
}

}  // namespace plamor::graphic
