// Whether this session has a screen to show windows on.
#pragma once

namespace plamor::display {

// True when DISPLAY (X11) or WAYLAND_DISPLAY names a display.
bool HasDisplay();

}  // namespace plamor::display
