#include "tools/kvd_builder/glyph_shape.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>
#include <optional>

namespace kvd {
namespace {

void AppendArc(const LffVertex& from, const LffVertex& to, double tolerance,
               std::vector<FontPoint>& out) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double chord = std::hypot(dx, dy);
  const double bulge = from.bulge;
  if (chord == 0) return;
  const double sweep = 4 * std::atan(bulge);  // radians, counter-clockwise when positive
  // The centre lies off the chord's middle, along its left normal.
  const double offset = (1 - bulge * bulge) / (4 * bulge);
  const double cx = from.x + dx / 2 - dy * offset, cy = from.y + dy / 2 + dx * offset;
  const double radius = std::hypot(from.x - cx, from.y - cy);
  const double start = std::atan2(from.y - cy, from.x - cx);
  const double maxStep = tolerance < radius ? 2 * std::acos(1 - tolerance / radius) : std::numbers::pi;
  const int pieces = std::clamp(static_cast<int>(std::ceil(std::abs(sweep) / maxStep)), 1, 64);
  for (int i = 1; i < pieces; ++i) {
    const double angle = start + sweep * i / pieces;
    out.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
}

double DistanceToLine(CellPoint p, CellPoint a, CellPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return std::hypot(p.x - a.x, p.y - a.y);
  return std::abs(dx * (p.y - a.y) - dy * (p.x - a.x)) / length;
}

double RunLength(const StrokeRun& run) {
  double length = 0;
  for (std::size_t i = 1; i < run.size(); ++i)
    length += std::hypot(run[i].x - run[i - 1].x, run[i].y - run[i - 1].y);
  return length;
}

void MergeNearCollinear(StrokeRun& run, double tolerance) {
  if (run.size() < 3) return;
  StrokeRun kept{run.front()};
  for (std::size_t i = 1; i + 1 < run.size(); ++i)
    if (DistanceToLine(run[i], kept.back(), run[i + 1]) > tolerance) kept.push_back(run[i]);
  kept.push_back(run.back());
  run = std::move(kept);
}

bool SameSegment(const Segment& a, const Segment& b) {
  return (a.from == b.from && a.to == b.to) || (a.from == b.to && a.to == b.from);
}

}  // namespace

std::vector<FontPoint> FlattenPolyline(const LffPolyline& polyline, double tolerance) {
  std::vector<FontPoint> points;
  for (std::size_t i = 0; i < polyline.size(); ++i) {
    points.push_back({polyline[i].x, polyline[i].y});
    if (i + 1 < polyline.size() && polyline[i].bulge != 0)
      AppendArc(polyline[i], polyline[i + 1], tolerance, points);
  }
  return points;
}

CellPoint CellMapping::Map(FontPoint point, bool& clamped) const {
  const auto toUnit = [&clamped](double value) {
    const long rounded = std::lround(value);
    const long held = std::clamp(rounded, 0L, 127L);
    if (held != rounded) clamped = true;
    return static_cast<int>(held);
  };
  return {toUnit(point.x * scaleX + offsetX), toUnit(point.y * scaleY + offsetY)};
}

std::vector<Segment> DistinctSegments(const std::vector<std::vector<CellPoint>>& polylines) {
  std::vector<Segment> segments;
  std::vector<CellPoint> dots;
  for (const auto& polyline : polylines) {
    bool drawn = false;
    for (std::size_t i = 1; i < polyline.size(); ++i) {
      const Segment piece{polyline[i - 1], polyline[i]};
      if (piece.from == piece.to) continue;
      drawn = true;
      const bool known = std::any_of(segments.begin(), segments.end(),
                                     [&](const Segment& s) { return SameSegment(s, piece); });
      if (!known) segments.push_back(piece);
    }
    if (!drawn && !polyline.empty()) dots.push_back(polyline.front());
  }
  for (const CellPoint dot : dots) {
    const bool touched = std::any_of(segments.begin(), segments.end(), [&](const Segment& s) {
      return s.from == dot || s.to == dot;
    });
    if (!touched) segments.push_back({dot, dot});
  }
  return segments;
}

std::vector<StrokeRun> ChainSegments(const std::vector<Segment>& segments) {
  std::vector<bool> used(segments.size(), false);
  // The far end of the first unused segment touching `point`.
  const auto takeTouching = [&](CellPoint point) -> std::optional<CellPoint> {
    for (std::size_t i = 0; i < segments.size(); ++i) {
      if (used[i]) continue;
      if (segments[i].from == point || segments[i].to == point) {
        used[i] = true;
        return segments[i].from == point ? segments[i].to : segments[i].from;
      }
    }
    return std::nullopt;
  };
  std::vector<StrokeRun> runs;
  for (std::size_t first = 0; first < segments.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    std::deque<CellPoint> run{segments[first].from, segments[first].to};
    if (run.front() != run.back()) {
      while (const auto next = takeTouching(run.back())) run.push_back(*next);
      while (const auto previous = takeTouching(run.front())) run.push_front(*previous);
    }
    runs.emplace_back(run.begin(), run.end());
  }
  return runs;
}

std::size_t WordCount(const std::vector<StrokeRun>& runs) {
  std::size_t words = 0;
  for (const StrokeRun& run : runs) words += run.size();
  return words;
}

FitResult FitIntoWords(std::vector<StrokeRun>& runs, std::size_t maxWords) {
  FitResult result;
  for (const double tolerance : {0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0}) {
    if (WordCount(runs) <= maxWords) return result;
    result.simplified = true;
    for (StrokeRun& run : runs) MergeNearCollinear(run, tolerance);
    std::erase_if(runs, [&](const StrokeRun& run) { return RunLength(run) <= tolerance; });
  }
  while (WordCount(runs) > maxWords) {
    result.truncated = true;
    const std::size_t excess = WordCount(runs) - maxWords;
    if (runs.back().size() >= excess + 2)
      runs.back().resize(runs.back().size() - excess);
    else
      runs.pop_back();
  }
  return result;
}

std::vector<std::uint16_t> EncodeRuns(const std::vector<StrokeRun>& runs) {
  std::vector<std::uint16_t> words;
  for (const StrokeRun& run : runs) {
    for (std::size_t i = 0; i < run.size(); ++i) {
      const auto word = static_cast<std::uint16_t>(run[i].x | run[i].y << 7);
      words.push_back(i == 0 ? word : static_cast<std::uint16_t>(word | kPenDown));
    }
  }
  return words;
}

}  // namespace kvd
