#include "apps/plamor_draw/drawing_picture.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/cp932.h"
#include "server/dialog/graphic_binding.h"

namespace plamor::draw {
namespace {

struct Box : DrawnBox {
  void Add(double x, double y) {
    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  }
};

// The sheet in drawing units, grown to hold every element's reference points.
Box Extent(const DrawingModel& m) {
  Box box{{0, 0, m.sheet.yoko * m.sheet.scale, m.sheet.tate * m.sheet.scale}};
  if (m.sheet.portrait) std::swap(box.x1, box.y1);
  for (const Element& e : m.elements) {
    if (auto* l = std::get_if<LineElement>(&e)) {
      box.Add(l->x1, l->y1), box.Add(l->x2, l->y2);
    } else if (auto* a = std::get_if<ArcElement>(&e)) {
      const double r = std::max(std::abs(a->xr), std::abs(a->yr));
      box.Add(a->x - r, a->y - r), box.Add(a->x + r, a->y + r);
    } else if (auto* t = std::get_if<TextElement>(&e)) {
      box.Add(t->x, t->y);
    }
  }
  return box;
}

}  // namespace

DrawnBox DrawnArea(const DrawingModel& model) {
  Box box = Extent(model);
  const double margin = std::max(0.02 * std::max(box.x1 - box.x0, box.y1 - box.y0), 1e-6);
  return {box.x0 - margin, box.y0 - margin, box.x1 + margin, box.y1 + margin};
}

double PictureRatio(const DrawingModel& model) {
  const DrawnBox box = DrawnArea(model);
  return (box.y1 - box.y0) / (box.x1 - box.x0);
}

std::unique_ptr<DeviceContext> DrawPicture(const DrawingModel& model, int width, const std::string& fontPath) {
  width = std::max(width, 64);
  const DrawnBox box = DrawnArea(model);
  const double ratio = PictureRatio(model);
  const int height = std::clamp(static_cast<int>(std::lround(width * ratio)), 16, 8 * width);
  auto dc = std::make_unique<DeviceContext>(width, height, Rgb(0, 0, 0));
  const GraphicFunctions& g = Graphic();
  g.StartCadDraw(dc.get(), cp932::FromUtf8(fontPath).c_str());
  g.SetObjectView(dc.get());
  g.SetPlamorView(box.x0, box.y0, box.x1, box.y1);
  g.SetMojiWaku(0);
  for (const Element& e : model.elements) {
    if (auto* l = std::get_if<LineElement>(&e)) {
      g.DispLine(dc.get(), l->x1, l->y1, l->x2, l->y2, CodeOfStyle(l->stroke.style), l->stroke.pen);
    } else if (auto* a = std::get_if<ArcElement>(&e)) {
      g.DispCircle(dc.get(), a->x, a->y, a->xr, a->yr, a->sAng, a->mang, a->lang, CodeOfStyle(a->stroke.style),
                   a->stroke.pen);
    } else if (auto* t = std::get_if<TextElement>(&e)) {
      g.DispText(dc.get(), t->x, t->y, t->width, t->height, t->between, t->lang, t->sAng, t->vertical ? 1 : 0,
                 t->pen, cp932::FromUtf8(t->text).c_str());
    }
  }
  g.EndCadDraw();
  return dc;
}

}  // namespace plamor::draw
