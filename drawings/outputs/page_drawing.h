// A drawing on a vector page (PDF, SVG) through the preview renderer's
// element drawing, in the order the pages draw it: layer by layer in layer
// order, and within a layer pen by pen (dash pattern by dash pattern), so
// that a layer is one group of the page and each of its pens one path.
// Stacking follows that order: a later layer lies over an earlier one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawings/drawing_model.h"
#include "drawings/outputs/page_file.h"
#include "drawings/sheet_geometry.h"
#include "graphic/session.h"

namespace plamor::drawings {

// The elements of one layer of the page: order[begin, end).
struct LayerRun {
  std::string name;
  std::int16_t layer = 0;  // the lowest layer number of that name
  std::size_t begin = 0, end = 0;
};

struct PagePlan {
  SheetPage sheet;
  double shrink = 1;                 // the dash patterns scale with the drawing
  std::vector<std::uint32_t> order;  // indexes of the drawn elements
  std::vector<LayerRun> layers;      // in layer order: "0" first, then by number
};

PagePlan PlanPage(const DrawingModel& model, const SheetPage& sheet, double shrink);

// A session of the element drawing for pages: texts always as strokes, as
// the preview draws them, from this font image (empty: the substitute
// square). Each thread that draws needs a session of its own.
graphic::Session PageSession(const std::vector<std::uint8_t>& fontImage);

// Draws order[begin, end) of layer run `run` as layer `layerIndex` of the
// page's document.
void DrawLayerPiece(const DrawingModel& model, const PagePlan& plan, const LayerRun& run, std::size_t begin,
                    std::size_t end, int layerIndex, graphic::Session& session, LayeredPage& page);

}  // namespace plamor::drawings
