#include "hydraulics/section_hydraulics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plamor::hydraulics {
namespace {

// The elevation of the bed line at x, on its segment that holds `inside`
// (a point strictly between two distances of the line, near x).
double ElevationOnSegment(const std::vector<BedPoint>& bed, double inside, double x) {
  const auto after = std::upper_bound(bed.begin(), bed.end(), inside,
                                      [](double d, const BedPoint& p) { return d < p.distance; });
  const BedPoint& b = *after;
  const BedPoint& a = *(after - 1);
  return a.elevation + (b.elevation - a.elevation) * (x - a.distance) / (b.distance - a.distance);
}

// The parts above and below zero of the integral of a function running
// straight from fa to fb over a width w.
void AddLinearParts(double fa, double fb, double w, BedChange& change) {
  if (fa >= 0 && fb >= 0) {
    change.deposition += w * (fa + fb) / 2;
  } else if (fa <= 0 && fb <= 0) {
    change.scour -= w * (fa + fb) / 2;
  } else {
    const double t = fa / (fa - fb);  // where the difference changes sign
    const double head = w * t * fa / 2, tail = w * (1 - t) * fb / 2;
    if (fa > 0) change.deposition += head, change.scour -= tail;
    else change.scour -= head, change.deposition += tail;
  }
}

}  // namespace

std::vector<BedPoint> BedLine(const survey::SectionSurvey& survey) {
  const auto& points = survey.points;
  auto flagged = [](int flag) { return [flag](const survey::SectionPoint& p) { return p.flag == flag; }; };
  const auto left = std::find_if(points.begin(), points.end(), flagged(survey::kFlagLeftPost));
  const auto right = std::find_if(points.rbegin(), points.rend(), flagged(survey::kFlagRightPost));
  double from = -std::numeric_limits<double>::infinity(), to = std::numeric_limits<double>::infinity();
  if (left != points.end() && right != points.rend() && left->distance < right->distance)
    from = left->distance, to = right->distance;
  std::vector<BedPoint> bed;
  bed.reserve(points.size());
  for (const survey::SectionPoint& p : points)
    if (p.elevation && p.distance >= from && p.distance <= to) bed.push_back({p.distance, *p.elevation});
  return bed;
}

SectionFlow FlowAt(const std::vector<BedPoint>& bed, double stage) {
  SectionFlow flow;
  flow.stage = stage;
  if (bed.size() < 2) return flow;
  // Points sharing the first (or last) distance are the wall at that end: the
  // water there reaches down to the one facing the section's inside, and is
  // closed up to the stage whether the surveyed wall reaches that high or not.
  std::size_t begin = 0, end = bed.size() - 1;
  double leftTop = bed[0].elevation, rightTop = bed[end].elevation;
  while (begin < end && bed[begin + 1].distance == bed.front().distance)
    leftTop = std::max(leftTop, bed[++begin].elevation);
  while (end > begin && bed[end - 1].distance == bed.back().distance) rightTop = std::max(rightTop, bed[--end].elevation);
  if (begin == end) return flow;  // all at one distance: no width for water
  flow.walledLeft = stage > leftTop;
  flow.walledRight = stage > rightTop;
  const double firstDepth = stage - bed[begin].elevation, lastDepth = stage - bed[end].elevation;
  if (firstDepth > 0) {
    flow.wettedPerimeter += firstDepth;
    flow.wettedParts = 1;
  }
  if (lastDepth > 0) flow.wettedPerimeter += lastDepth;
  for (std::size_t i = begin; i < end; ++i) {
    const BedPoint& a = bed[i];
    const BedPoint& b = bed[i + 1];
    const double da = stage - a.elevation, db = stage - b.elevation;
    const double dx = b.distance - a.distance;
    if (da <= 0 && db > 0) ++flow.wettedParts;  // water begins here, after dry ground
    if (dx == 0) {  // a wall: wetted up to the stage
      flow.wettedPerimeter += std::clamp(stage - std::min(a.elevation, b.elevation), 0.0,
                                         std::abs(b.elevation - a.elevation));
      continue;
    }
    if (da <= 0 && db <= 0) continue;
    const double length = std::hypot(dx, b.elevation - a.elevation);
    if (da >= 0 && db >= 0) {
      flow.area += dx * (da + db) / 2;
      flow.wettedPerimeter += length;
      flow.topWidth += dx;
    } else {  // the bed crosses the stage: only the part below it is wet
      const double deep = std::max(da, db);
      const double t = deep / (deep - std::min(da, db));
      flow.area += t * dx * deep / 2;
      flow.wettedPerimeter += t * length;
      flow.topWidth += t * dx;
    }
  }
  if (flow.topWidth > 0) {
    flow.hydraulicRadius = flow.area / flow.wettedPerimeter;
    flow.hydraulicDepth = flow.area / flow.topWidth;
    flow.meanBed = stage - *flow.hydraulicDepth;
  }
  return flow;
}

double DeepestBed(const survey::SectionSurvey& survey) {
  const auto& points = survey.points;
  auto isShoulder = [](const survey::SectionPoint& p) { return p.flag == survey::kFlagLowWaterShoulder; };
  auto first = std::find_if(points.begin(), points.end(), isShoulder);
  auto last = std::find_if(points.rbegin(), points.rend(), isShoulder).base();
  double lowest = std::numeric_limits<double>::infinity();
  if (first != points.end() && first + 1 < last)
    for (auto p = first; p != last; ++p)
      if (p->elevation) lowest = std::min(lowest, *p->elevation);
  if (std::isinf(lowest))
    for (const BedPoint& p : BedLine(survey)) lowest = std::min(lowest, p.elevation);
  return lowest;
}

BedChange CompareBeds(const std::vector<BedPoint>& later, const std::vector<BedPoint>& earlier) {
  BedChange change;
  if (later.size() < 2 || earlier.size() < 2) return change;
  const double from = std::max(later.front().distance, earlier.front().distance);
  const double to = std::min(later.back().distance, earlier.back().distance);
  if (!(from < to)) return change;
  std::vector<double> breaks = {from, to};
  for (const auto* bed : {&later, &earlier})
    for (const BedPoint& p : *bed)
      if (p.distance > from && p.distance < to) breaks.push_back(p.distance);
  std::sort(breaks.begin(), breaks.end());
  breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
  for (std::size_t k = 0; k + 1 < breaks.size(); ++k) {
    const double a = breaks[k], b = breaks[k + 1], middle = (a + b) / 2;
    const double fa = ElevationOnSegment(later, middle, a) - ElevationOnSegment(earlier, middle, a);
    const double fb = ElevationOnSegment(later, middle, b) - ElevationOnSegment(earlier, middle, b);
    AddLinearParts(fa, fb, b - a, change);
  }
  return change;
}

}  // namespace plamor::hydraulics
