// The strokes of the element drawing as vector paths on a page: the pens
// become colours and dash patterns, connected segments one path, and arcs
// true curves (cubic Bézier pieces). The page format is a PathWriter.
#pragma once

#include <cstdint>
#include <vector>

#include "graphic/stroke_sink.h"

namespace plamor::graphic {

// The page side of the vector output: one stroke style at a time, a path of
// straight and curved pieces, stroked when the style changes or the page ends.
class PathWriter {
 public:
  virtual ~PathWriter() = default;
  // RGB colour and the dash pattern (on and off lengths in device units,
  // empty for solid); only called with no path pending.
  virtual void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) = 0;
  virtual void MoveTo(DPoint p) = 0;
  virtual void LineTo(DPoint p) = 0;
  virtual void CurveTo(DPoint c1, DPoint c2, DPoint p) = 0;
  virtual void StrokePath() = 0;
  // The paths up to EndPlaced are one group placed at `origin` (a text at its
  // base point): a page may write them relative to it, so that a group drawn
  // again elsewhere is the same bytes. Both come with no path pending.
  virtual void BeginPlaced(DPoint /*origin*/) {}
  virtual void EndPlaced() {}
};

class VectorSink final : public StrokeSink {
 public:
  // `unitsPerMm`: device units per millimetre on the page, for dash lengths.
  VectorSink(PathWriter& page, double unitsPerMm) : page_(page), unitsPerMm_(unitsPerMm) {}

  // The period of the dash patterns of the next pens, in millimetres on the
  // page; 0 or less for the default period.
  void SetDashPeriod(double mm) { period_ = mm > 0 ? mm : kDefaultPeriodMm; }

  void SelectPen(int row, int colourIndex) override;
  void AddSegment(DPoint start, DPoint end) override;
  bool AddCurve(const EllipticArc& arc) override;
  // Strokes the pending path.
  void Finish();
  // The strokes up to EndPlaced are one group placed at `origin`.
  void BeginPlaced(DPoint origin) {
    Finish();
    page_.BeginPlaced(origin);
  }
  void EndPlaced() {
    Finish();
    page_.EndPlaced();
  }

  static constexpr double kDefaultPeriodMm = 4;

 private:
  void StartAt(DPoint p);

  PathWriter& page_;
  const double unitsPerMm_;
  double period_ = kDefaultPeriodMm;
  // The pen in force on the page: row, colour index, period; row -1 none.
  int row_ = -1, colour_ = -1;
  double penPeriod_ = 0;
  // The wanted pen, taken into force with the next stroke.
  int wantedRow_ = 0, wantedColour_ = 0;
  bool pathOpen_ = false;
  DPoint current_;
};

// On and off lengths of a line-style row in sixteenths of its period: the
// preview's 16-step patterns (0 solid has none).
const std::vector<double>& DashSixteenths(int row);

}  // namespace plamor::graphic
