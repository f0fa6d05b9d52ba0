#include "drawings/sheet_geometry.h"

#include <algorithm>
#include <cmath>

#include "drawings/drawing_extents.h"

namespace plamor::drawings {

double ScaleOf(const DrawingModel& model) {
  const double s = model.sheet.scale;
  return std::isfinite(s) && s > 0 ? s : 1;
}

SheetPage PageOfSheet(const DrawingModel& model) {
  const SheetInfo& s = model.sheet;
  const double scale = ScaleOf(model);
  SheetPage page;
  page.widthMm = s.portrait ? s.tate : s.yoko;
  page.heightMm = s.portrait ? s.yoko : s.tate;
  if (std::isfinite(page.widthMm) && std::isfinite(page.heightMm) && page.widthMm > 0 && page.heightMm > 0) {
    page.x1 = page.widthMm * scale;
    page.y1 = page.heightMm * scale;
    return page;
  }
  const DrawnBox area = DrawnArea(model);
  page = {(area.x1 - area.x0) / scale, (area.y1 - area.y0) / scale, area.x0, area.y0, area.x1, area.y1};
  return page;
}

SheetPage OntoPaper(const SheetPage& sheet, PaperMm paper, double& shrink) {
  if ((sheet.widthMm > sheet.heightMm) != (paper.width > paper.height)) std::swap(paper.width, paper.height);
  shrink = std::min(paper.width / sheet.widthMm, paper.height / sheet.heightMm);
  const double unitsPerMm = (sheet.x1 - sheet.x0) / sheet.widthMm / shrink;
  // The side that limits the shrink does not grow (no rounding may cut it).
  const double growX = std::max(0.0, (paper.width * unitsPerMm - (sheet.x1 - sheet.x0)) / 2);
  const double growY = std::max(0.0, (paper.height * unitsPerMm - (sheet.y1 - sheet.y0)) / 2);
  return {paper.width, paper.height, sheet.x0 - growX, sheet.y0 - growY, sheet.x1 + growX, sheet.y1 + growY};
}

DrawnBox DrawnArea(const DrawingModel& model) {
  DrawnBox box{0, 0, model.sheet.yoko * model.sheet.scale, model.sheet.tate * model.sheet.scale};
  if (model.sheet.portrait) std::swap(box.x1, box.y1);
  if (const auto e = DrawingExtents(model)) {
    box.x0 = std::min(box.x0, e->minX), box.y0 = std::min(box.y0, e->minY);
    box.x1 = std::max(box.x1, e->maxX), box.y1 = std::max(box.y1, e->maxY);
  }
  const double margin = std::max(0.02 * std::max(box.x1 - box.x0, box.y1 - box.y0), 1e-6);
  return {box.x0 - margin, box.y0 - margin, box.x1 + margin, box.y1 + margin};
}

double PictureRatio(const DrawingModel& model) {
  const DrawnBox box = DrawnArea(model);
  return (box.y1 - box.y0) / (box.x1 - box.x0);
}

}  // namespace plamor::drawings
