// The preview renderer libGraphic.so, loaded by file name at the first use and
// bound by export name once; every element's Disp and the output run call it
// through here.
#pragma once

#include "graphic/graphic.h"

namespace plamor {

struct GraphicFunctions {
  StartCadDrawFn StartCadDraw;
  EndCadDrawFn EndCadDraw;
  SetObjectViewFn SetObjectView;
  SetPlamorViewFn SetPlamorView;
  SetViewFn SetView;
  DispLineFn DispLine;
  DispCircleFn DispCircle;
  DispTextFn DispText;
  SetMojiWakuFn SetMojiWaku;
  SetMojiEasyFn SetMojiEasy;
};

// The bound exports. The first call loads the library; a library or export
// that cannot be found raises an AutomationError naming it (and the next call
// tries again).
const GraphicFunctions& Graphic();

}  // namespace plamor
