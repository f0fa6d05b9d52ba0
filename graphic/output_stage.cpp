#include "graphic/output_stage.h"

#include <cmath>

namespace plamor::graphic {

namespace {

// Truncation toward zero to a 16-bit coordinate; the segments reaching here
// lie in the device rectangle, whose corners are 16-bit values.
std::int16_t ToCoordinate(double v) { return static_cast<std::int16_t>(v); }

}  // namespace

OutputStage::OutputStage(DeviceContext& dc, const Session& session) : dc_(dc), session_(session) {}

void OutputStage::SelectPen(int row, int colourIndex) {
  constexpr int kCopyMode = static_cast<int>(DrawMode::kCopyPen);
  if (currentMode_ != kCopyMode) {
    Flush();
    dc_.SetDrawMode(DrawMode::kCopyPen);
    currentMode_ = kCopyMode;
  }
  const int pen = row * kPaletteSize + colourIndex;
  if (pen != currentPen_) {
    Flush();
    dc_.SelectPen(session_.pens[std::size_t(pen)]);
    currentPen_ = pen;
    currentColour_ = colourIndex;
  }
}

void OutputStage::AddSegment(DPoint start, DPoint end) {
  if (!std::isfinite(start.x) || !std::isfinite(start.y) || !std::isfinite(end.x) ||
      !std::isfinite(end.y)) {
    return;  // nothing of a segment with an undefined end can be placed
  }
  const std::int16_t flip = session_.device.flipRow;
  const Point a{ToCoordinate(start.x), flip - ToCoordinate(start.y)};
  const Point b{ToCoordinate(end.x), flip - ToCoordinate(end.y)};
  const bool single = a == b;
  if (count_ > 0 && !(count_ < kMaxPoints && points_[std::size_t(count_ - 1)] == a)) Flush();
  if (count_ == 0) {
    points_[0] = a;
    count_ = 1;
  }
  if (!single) points_[std::size_t(count_++)] = b;
}

void OutputStage::Flush() {
  if (count_ == 1) {
    dc_.SetPixel(points_[0].x, points_[0].y, PaletteColor(currentColour_ < 0 ? 0 : currentColour_));
  } else if (count_ > 1) {
    dc_.Polyline(points_.data(), count_);
  }
  count_ = 0;
}

void ElementDrawing::Segment(DPoint a, DPoint b) {
  if (ClipSegment(a, b, transform_.device) != ClipResult::kRejected) sink_.AddSegment(a, b);
}

}  // namespace plamor::graphic
