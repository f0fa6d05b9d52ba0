// The viewer's own elements in a drawing a chart control makes (the fitted
// curve and the hollow markers on the H-Q drawing): while an
// ElementsBeforeOutput lives, every drawing object the controls create has
// `add` register them just before the drawing is written, beside the
// control's own elements, through the same server and in the same file.
#pragma once

#include <functional>

namespace plamor {
class IPlamor;
}

namespace plamor::viewer {

class ElementsBeforeOutput {
 public:
  explicit ElementsBeforeOutput(std::function<void(IPlamor&)> add);
  ~ElementsBeforeOutput();  // the controls create their drawings as before
  ElementsBeforeOutput(const ElementsBeforeOutput&) = delete;
  ElementsBeforeOutput& operator=(const ElementsBeforeOutput&) = delete;
};

}  // namespace plamor::viewer
