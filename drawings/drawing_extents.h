// The exact rectangle the drawn elements of a drawing cover (pen 0 is never
// drawn nor written), computed by the server's own extents: lines by their
// ends, arcs and ellipses by their curve, texts by their box.
#pragma once

#include <optional>

#include "drawings/drawing_model.h"
#include "server/elements/extents.h"

namespace plamor::drawings {

// True when the element is drawn and written: its pen, as the writers take
// it, is not pen 0.
bool IsDrawn(const Element& element);

// No value when no element is drawn.
std::optional<Extent> DrawingExtents(const DrawingModel& model);

}  // namespace plamor::drawings
