#include "server/dialog/topmost_window.h"

namespace plamor {

TopmostWindow::~TopmostWindow() = default;

void SetWindowTopMost(TopmostWindow* window) {
  if (window) window->SetTopMost(true);
}

void ClearWindowTopMost(TopmostWindow* window) {
  if (window) window->SetTopMost(false);
}

}  // namespace plamor
