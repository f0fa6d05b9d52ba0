// A window that can be kept above all others (the server dialog's view).
#pragma once

namespace plamor {

class TopmostWindow {
 public:
  virtual ~TopmostWindow();
  virtual void SetTopMost(bool on) = 0;
};

// Keeps the window above all others / releases it; a null window does nothing.
void SetWindowTopMost(TopmostWindow* window);
void ClearWindowTopMost(TopmostWindow* window);

}  // namespace plamor
