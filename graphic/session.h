// The renderer's process-wide state: the session, the pens, the font image,
// the view and the text switches.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "graphic/view.h"
#include "platform/device_context.h"

namespace plamor::graphic {

constexpr int kPenRows = 4;     // solid, dotted, dash-dot, dash-dot-dot
constexpr int kPaletteSize = 8;

// Palette colour index → colour: black, blue, red, magenta, green, cyan,
// yellow, white.
ColorRef PaletteColor(int index);
// The same on white paper (a page, a picture on a white ground): white is
// drawn black.
ColorRef PageColour(int colourIndex);

struct Session {
  bool pensCreated = false;
  bool active = false;
  std::array<Pen, kPenRows * kPaletteSize> pens{};  // row × 8 + colour index
  std::vector<std::uint8_t> fontImage;               // empty: no image held
  DeviceView device;
  WorldWindow world;
  bool characterFrames = true;
  bool simplifiedCharacters = false;
};

Session& State();

}  // namespace plamor::graphic
