// The drawing of the three element kinds inside one element call.
#pragma once

#include <cstdint>

#include "graphic/output_stage.h"

namespace plamor::graphic {

// Element colour 0-7 → palette colour index (colours 1 and 4 change places).
int PaletteIndexOfElementColour(int colour);

void DrawLine(ElementDrawing& drawing, const WorldWindow& world, double x1, double y1, double x2,
              double y2, int style, int colour);

void DrawCircle(ElementDrawing& drawing, const WorldWindow& world, double x, double y,
                double xRadius, double yRadius, double startAngle, double sweepAngle,
                double rotationAngle, int style, int colour);

struct TextElement {
  double x = 0, y = 0;          // base point
  double width = 0, height = 0, spacing = 0;
  double rotationAngle = 0, slantAngle = 0;
  bool vertical = false;
  int colour = 0;
  const char* text = nullptr;   // CP932, cut to kMaxTextBytes
  int length = 0;
};
constexpr int kMaxTextBytes = 303;

void DrawText(ElementDrawing& drawing, const Session& session, const TextElement& text);

}  // namespace plamor::graphic
