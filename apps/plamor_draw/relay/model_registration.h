// Registers a drawing read from one of our files in a drawing object, so that
// the server writes it again in the kind its file name asks for.
#pragma once

#include "drawings/drawing_model.h"
#include "server/plamor_interface.h"

namespace plamor::draw {

// Sets the sheet (paper, scale, origin, bearing, flag, memo), names the
// layers the model names and adds every element. Pitches and text sizes go in
// as paper millimetres (the file's drawing units divided by the scale), as the
// server turns them into drawing units again when it writes.
void RegisterModel(const drawings::DrawingModel& model, IPlamor& drawing);

}  // namespace plamor::draw
