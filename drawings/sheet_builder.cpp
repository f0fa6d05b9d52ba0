#include "drawings/sheet_builder.h"

#include <cmath>
#include <numbers>

#include "server/elements/extents.h"

namespace plamor::drawings {

double TextLength(const std::string& utf8, double height) {
  TextValues text;
  text.width = height;
  text.height = height;
  text.Between = 0;
  text.Text = utf8;
  return TextExtent(text).maxX;
}

SheetBuilder::SheetBuilder() : SheetBuilder(SheetInfo{}) {}

SheetBuilder::SheetBuilder(SheetInfo sheet) { model_.sheet = std::move(sheet); }

void SheetBuilder::Add(Element element) { model_.elements.push_back(std::move(element)); }

void SheetBuilder::Line(SheetPoint from, SheetPoint to) { Add(LineElement{from.x, from.y, to.x, to.y, stroke_}); }

void SheetBuilder::Polyline(std::span<const SheetPoint> points) {
  for (std::size_t i = 1; i < points.size(); ++i) Line(points[i - 1], points[i]);
}

void SheetBuilder::Rectangle(SheetPoint a, SheetPoint b) {
  const SheetPoint corners[] = {a, {b.x, a.y}, b, {a.x, b.y}, a};
  Polyline(corners);
}

void SheetBuilder::Text(SheetPoint at, const std::string& utf8, double height, TextAnchor anchor, double angle) {
  double along = 0, up = 0;  // from the reference point to the lower left corner, in the text's direction
  const double length = TextLength(utf8, height);
  switch (anchor) {
    case TextAnchor::kLeftBottom: break;
    case TextAnchor::kCenterBottom: along = -length / 2; break;
    case TextAnchor::kRightBottom: along = -length; break;
    case TextAnchor::kLeftCenter: up = -height / 2; break;
    case TextAnchor::kCenterCenter: along = -length / 2, up = -height / 2; break;
    case TextAnchor::kRightCenter: along = -length, up = -height / 2; break;
  }
  const double turn = angle * std::numbers::pi / 180;
  TextElement t;
  t.x = at.x + along * std::cos(turn) - up * std::sin(turn);
  t.y = at.y + along * std::sin(turn) + up * std::cos(turn);
  t.width = height;
  t.height = height;
  t.lang = angle;
  t.pen = stroke_.pen;
  t.layer = stroke_.layer;
  t.text = utf8;
  Add(std::move(t));
}

}  // namespace plamor::drawings
