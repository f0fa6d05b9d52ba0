// A picture of a drawing read from one of our files, drawn by the preview
// renderer (libGraphic) onto a raster surface: the whole sheet, and any
// element beyond it, fitted into the picture with its proportions kept.
#pragma once

#include <memory>
#include <string>

#include "apps/plamor_draw/drawing_model.h"
#include "platform/device_context.h"

namespace plamor::draw {

// The area a picture shows, in drawing units: the sheet, grown to hold every
// element's reference points, with a small margin; never empty.
struct DrawnBox {
  double x0, y0, x1, y1;
};
DrawnBox DrawnArea(const DrawingModel& model);

// A picture `width` pixels wide (at least 64), as high as the drawn area's
// proportions ask, white lines and colours on black as the preview shows them.
// `fontPath` is the stroke-font file. Throws std::runtime_error when the
// renderer cannot be loaded.
// Height over width of the drawn area (the sheet and whatever lies beyond it).
double PictureRatio(const DrawingModel& model);

std::unique_ptr<DeviceContext> DrawPicture(const DrawingModel& model, int width, const std::string& fontPath);

}  // namespace plamor::draw
