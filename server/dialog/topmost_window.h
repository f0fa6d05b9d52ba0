// A window that can be kept above all others (the server dialog's view).
#pragma once

namespace plamor {

class TopmostWindow {
 public:
  virtual ~TopmostWindow();
  virtual void SetTopMost(bool on) = 0;
};

}  // namespace plamor
