#include "graphic/vector_sink.h"

#include <cmath>

#include "graphic/session.h"

namespace plamor::graphic {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kMaxPieceDegrees = 90;

DPoint PointAt(const EllipticArc& a, double degrees) {
  const double c = std::cos(degrees * kRadiansPerDegree), s = std::sin(degrees * kRadiansPerDegree);
  return {a.centre.x + a.u.x * c + a.v.x * s, a.centre.y + a.u.y * c + a.v.y * s};
}

// The tangent (derivative by the angle in radians) at an angle.
DPoint TangentAt(const EllipticArc& a, double degrees) {
  const double c = std::cos(degrees * kRadiansPerDegree), s = std::sin(degrees * kRadiansPerDegree);
  return {-a.u.x * s + a.v.x * c, -a.u.y * s + a.v.y * c};
}

std::vector<double> Runs(PenStyle style) {
  const std::vector<int> runs = DashRuns(style);
  return {runs.begin(), runs.end()};
}

}  // namespace

const std::vector<double>& DashSixteenths(int row) {
  static const std::vector<double> kRows[4] = {Runs(PenStyle::kSolid), Runs(PenStyle::kDot),
                                              Runs(PenStyle::kDashDot), Runs(PenStyle::kDashDotDot)};
  return kRows[row & 3];
}

void VectorSink::SelectPen(int row, int colourIndex) {
  wantedRow_ = row & 3;
  wantedColour_ = colourIndex & 7;
}

void VectorSink::StartAt(DPoint p) {
  const bool penChanges = wantedRow_ != row_ || wantedColour_ != colour_ ||
                          (wantedRow_ != 0 && period_ != penPeriod_);
  if (penChanges) {
    if (pathOpen_) page_.StrokePath();
    pathOpen_ = false;
    std::vector<double> dashes = DashSixteenths(wantedRow_);
    for (double& d : dashes) d *= period_ / 16 * unitsPerMm_;
    const ColorRef colour = PageColour(wantedColour_);
    page_.SetStroke(RedOf(colour), GreenOf(colour), BlueOf(colour), dashes);
    row_ = wantedRow_;
    colour_ = wantedColour_;
    penPeriod_ = period_;
  }
  if (!pathOpen_ || p.x != current_.x || p.y != current_.y) page_.MoveTo(p);
  pathOpen_ = true;
}

void VectorSink::AddSegment(DPoint start, DPoint end) {
  if (!std::isfinite(start.x) || !std::isfinite(start.y) || !std::isfinite(end.x) || !std::isfinite(end.y)) return;
  StartAt(start);
  page_.LineTo(end);
  current_ = end;
}

bool VectorSink::AddCurve(const EllipticArc& arc) {
  const double sweep = arc.end - arc.start;
  if (!std::isfinite(sweep) || !std::isfinite(arc.centre.x) || !std::isfinite(arc.centre.y)) return true;
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kMaxPieceDegrees - 1e-9)));
  const double step = sweep / pieces;
  // Control points a third of the way along the tangents, scaled so that a
  // circular piece of up to 90° leaves its circle by less than 0.03 %.
  const double k = 4.0 / 3.0 * std::tan(step * kRadiansPerDegree / 4);
  DPoint from = PointAt(arc, arc.start);
  StartAt(from);
  for (int i = 0; i < pieces; ++i) {
    const double a0 = arc.start + step * i;
    const double a1 = i + 1 == pieces ? arc.end : a0 + step;
    const DPoint to = PointAt(arc, a1);
    const DPoint t0 = TangentAt(arc, a0), t1 = TangentAt(arc, a1);
    page_.CurveTo({from.x + k * t0.x, from.y + k * t0.y}, {to.x - k * t1.x, to.y - k * t1.y}, to);
    from = to;
  }
  current_ = from;
  return true;
}

void VectorSink::Finish() {
  if (pathOpen_) page_.StrokePath();
  pathOpen_ = false;
}

}  // namespace plamor::graphic
