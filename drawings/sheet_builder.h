// Builds a drawing as data in sheet millimetres (drawing scale 1, origin at
// the sheet's lower left corner, y upward), for the sheets a command lays out
// itself: lines and texts with the stroke (pen, layer, line style) in force.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "drawings/drawing_model.h"

namespace plamor::drawings {

struct SheetPoint {
  double x = 0, y = 0;
};

// Where a text's reference point lies on its box.
enum class TextAnchor { kLeftBottom, kCenterBottom, kRightBottom, kLeftCenter, kCenterCenter, kRightCenter };

// The length of a horizontal text of that character height: full-width
// characters as wide as high, half-width ones half as wide, as the writers
// and their extents measure it.
double TextLength(const std::string& utf8, double height);

class SheetBuilder {
 public:
  // An A3 landscape sheet (420 x 297 mm) at scale 1.
  SheetBuilder();
  explicit SheetBuilder(SheetInfo sheet);

  // The stroke of what follows (pen 1, layer 1, solid at first).
  void Use(const Stroke& stroke) { stroke_ = stroke; }
  const Stroke& Current() const { return stroke_; }
  // Names the layer in the drawing (its DXF layer, its PDF and SVG layer).
  void NameLayer(std::int16_t layer, std::string name) { model_.layerNames[layer] = std::move(name); }

  void Line(SheetPoint from, SheetPoint to);
  // Consecutive points joined by lines.
  void Polyline(std::span<const SheetPoint> points);
  void Rectangle(SheetPoint corner, SheetPoint opposite);
  // A horizontal text (or turned by `angle` degrees about its reference
  // point), in the current stroke's pen and layer.
  void Text(SheetPoint at, const std::string& utf8, double height, TextAnchor anchor = TextAnchor::kLeftBottom,
            double angle = 0);

  const DrawingModel& Model() const { return model_; }
  DrawingModel Take() { return std::move(model_); }

 private:
  void Add(Element element);

  DrawingModel model_;
  Stroke stroke_;
};

}  // namespace plamor::drawings
