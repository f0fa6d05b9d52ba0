// A picture of a drawing read from one of our files, drawn by the preview
// renderer (libGraphic) onto a raster surface: the whole sheet, and any
// element beyond it, fitted into the picture with its proportions kept.
#pragma once

#include <memory>
#include <string>

#include "drawings/drawing_model.h"
#include "platform/device_context.h"

namespace plamor::drawings {

// A picture `width` pixels wide (at least 64), as high as the drawn area's
// proportions ask, white lines and colours on black as the preview shows them.
// `fontPath` is the stroke-font file. Throws std::runtime_error when the
// renderer cannot be loaded. Pens beyond 7 are drawn as pen 7, as the
// writers write them.
std::unique_ptr<DeviceContext> DrawPicture(const DrawingModel& model, int width, const std::string& fontPath);

}  // namespace plamor::drawings
