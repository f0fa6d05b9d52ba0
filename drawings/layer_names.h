// The names a drawing's layers go out under in the page files (the PDF's
// optional content groups, the SVG's layers), as the DXF writers name them.
#pragma once

#include <cstdint>
#include <string>

#include "drawings/drawing_model.h"

namespace plamor::drawings {

// The layer an element lies on.
std::int16_t LayerOf(const Element& element);

// The name the drawing's maker gave the layer; when it gave none to any
// layer, "Layer-001" and on; a layer left without a name beside named ones
// is layer "0".
std::string LayerNameOf(const DrawingModel& model, std::int16_t layer);

}  // namespace plamor::drawings
