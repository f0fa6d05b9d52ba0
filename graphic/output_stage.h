// The output stage of one element call: pen selection, and the point buffer
// that joins connected device segments into polylines of up to 1000 points.
#pragma once

#include <array>

#include "graphic/session.h"
#include "graphic/stroke_sink.h"
#include "graphic/view.h"
#include "platform/device_context.h"

namespace plamor::graphic {

class OutputStage final : public StrokeSink {
 public:
  static constexpr int kMaxPoints = 1000;

  OutputStage(DeviceContext& dc, const Session& session);

  // Selects the pen of a line-style row and palette colour index, flushing
  // first when the pen or the drawing mode changes.
  void SelectPen(int row, int colourIndex) override;
  // Hands on one device segment that already lies in the device rectangle.
  void AddSegment(DPoint start, DPoint end) override;
  // Draws the pending points: one point as a pixel, more as a polyline.
  void Flush();

 private:
  DeviceContext& dc_;
  const Session& session_;
  int currentPen_ = -1;
  int currentColour_ = -1;
  int currentMode_ = -1;
  std::array<Point, kMaxPoints> points_;
  int count_ = 0;
};

// One element call's drawing: the transform, device clipping and the sink
// that receives the strokes.
class ElementDrawing {
 public:
  ElementDrawing(const Transform& view, StrokeSink& sink) : transform_(view), sink_(sink) {}
  const Transform& View() const { return transform_; }
  void SelectPen(int row, int colourIndex) { sink_.SelectPen(row, colourIndex); }
  // Clips a device segment to the device rectangle and outputs what is left.
  void Segment(DPoint a, DPoint b);
  // True when the sink drew the arc as a curve; else the caller walks it.
  bool Curve(const EllipticArc& arc) { return sink_.AddCurve(arc); }

 private:
  const Transform& transform_;
  StrokeSink& sink_;
};

}  // namespace plamor::graphic
