#include "platform/display.h"

#include <cstdlib>

namespace plamor::display {

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

}  // namespace plamor::display
