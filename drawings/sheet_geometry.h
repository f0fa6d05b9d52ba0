// Where a drawing lies on paper: the page of its sheet at true size (drawing
// units mapped by the sheet's scale), the sheet scaled onto other paper, and
// the area a picture of it shows.
#pragma once

#include "drawings/drawing_model.h"

namespace plamor::drawings {

// Points (1/72 inch) per millimetre, the unit of PDF pages and SVG user units.
inline constexpr double kPointsPerMm = 72 / 25.4;

struct PaperMm {
  double width = 0, height = 0;
};

// The page: its size in millimetres and the area of drawing units it shows.
struct SheetPage {
  double widthMm = 0, heightMm = 0;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The sheet's scale, 1 where the file holds none that can be used.
double ScaleOf(const DrawingModel& model);

// The sheet (landscape or portrait as stored); a sheet without a size (the
// free size) becomes the area the elements take, at the drawing's scale.
SheetPage PageOfSheet(const DrawingModel& model);

// The sheet scaled onto a paper turned as the sheet is, centred: the page
// becomes the paper and its area grows around the sheet's; `shrink` is the
// factor from the sheet's millimetres to the paper's.
SheetPage OntoPaper(const SheetPage& sheet, PaperMm paper, double& shrink);

// The area a picture shows, in drawing units: the sheet, grown to hold every
// drawn element, with a small margin; never empty.
struct DrawnBox {
  double x0, y0, x1, y1;
};
DrawnBox DrawnArea(const DrawingModel& model);
// Height over width of the drawn area (the sheet and whatever lies beyond it).
double PictureRatio(const DrawingModel& model);

}  // namespace plamor::drawings
