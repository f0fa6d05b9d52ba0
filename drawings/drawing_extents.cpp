#include "drawings/drawing_extents.h"

#include "server/types.h"

namespace plamor::drawings {
namespace {

std::int32_t PenOf(const Element& e) {
  if (auto* l = std::get_if<LineElement>(&e)) return l->stroke.pen;
  if (auto* a = std::get_if<ArcElement>(&e)) return a->stroke.pen;
  return std::get<TextElement>(e).pen;
}

Extent ExtentOf(const Element& e) {
  if (auto* l = std::get_if<LineElement>(&e)) return LineExtent({l->x1, l->y1, l->x2, l->y2});
  if (auto* a = std::get_if<ArcElement>(&e)) {
    CircleValues c;
    c.x = a->x, c.y = a->y, c.xr = a->xr, c.yr = a->yr, c.sAng = a->sAng, c.mang = a->mang, c.lang = a->lang;
    return CircleExtent(c);
  }
  const TextElement& t = std::get<TextElement>(e);
  TextValues v;
  v.x = t.x, v.y = t.y, v.width = t.width, v.height = t.height, v.Between = t.between, v.lang = t.lang;
  v.Style = t.vertical ? ktpTate : ktpYoko;
  v.Text = t.text;
  return TextExtent(v);
}

}  // namespace

bool IsDrawn(const Element& element) { return WriterPen(PenOf(element)) != 0; }

std::optional<Extent> DrawingExtents(const DrawingModel& model) {
  std::optional<Extent> all;
  for (const Element& e : model.elements) {
    if (IsDrawn(e)) Include(all, ExtentOf(e));
  }
  return all;
}

}  // namespace plamor::drawings
