// The axis-aligned rectangle an element covers on the drawing, for fitting a
// drawing to its paper, and the rectangle of a whole drawing.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "server/elements/element_values.h"

namespace plamor {

class clsZElement;

struct Extent {
  double minX = 0;
  double minY = 0;
  double maxX = 0;
  double maxY = 0;
};

Extent LineExtent(const LineValues& line);
// The box of the curve between its start and end, through the quadrant points
// 0, 90, 180, 270 and 360 that lie strictly inside its parameter range; for a
// tilted curve the box of that box turned about the centre.
Extent CircleExtent(const CircleValues& circle);
// The text box from the anchor point turned by the text direction; Kiten and
// the slant do not enter it.
Extent TextExtent(const TextValues& text);

// Grows `all` to hold `box` (`all` becomes `box` when it holds nothing yet).
void Include(std::optional<Extent>& all, const Extent& box);

// The union of the rectangles of all elements not marked "DEL"; no value when
// there is none.
std::optional<Extent> DrawingExtent(const std::vector<std::unique_ptr<clsZElement>>& elements);

}  // namespace plamor
