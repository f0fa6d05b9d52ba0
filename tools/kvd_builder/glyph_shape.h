// Turning a font glyph's polylines into the stroke words of one glyph cell:
// arcs flattened, points mapped onto the 128 x 128 cell, pieces chained into
// connected runs, and the glyph simplified when it would exceed its words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/kvd_builder/lff_font.h"

namespace kvd {

struct FontPoint {
  double x;
  double y;
};

struct CellPoint {
  int x;
  int y;
  bool operator==(const CellPoint&) const = default;
};

// The polyline's points with each bulged piece replaced by chords that leave
// the arc by at most `tolerance` font units.
std::vector<FontPoint> FlattenPolyline(const LffPolyline& polyline, double tolerance);

// Font units to glyph units: x' = x * scaleX + offsetX, y' = y * scaleY +
// offsetY, rounded to whole units and held inside 0..127.
struct CellMapping {
  double scaleX;
  double scaleY;
  double offsetX;
  double offsetY;
  // `clamped` is set when a point had to be moved into the cell.
  CellPoint Map(FontPoint point, bool& clamped) const;
};

struct Segment {
  CellPoint from;
  CellPoint to;
};

// The distinct pieces of the mapped polylines: pieces that vanished in the
// rounding are dropped, a piece drawn twice is kept once, and a polyline that
// shrank to a single point no other piece touches stays as a dot.
std::vector<Segment> DistinctSegments(const std::vector<std::vector<CellPoint>>& polylines);

// A connected run: a move to the first point, then draws to the others.
using StrokeRun = std::vector<CellPoint>;

// Chains the segments into as few runs as a greedy walk finds, each segment
// used once, possibly in reverse.
std::vector<StrokeRun> ChainSegments(const std::vector<Segment>& segments);

std::size_t WordCount(const std::vector<StrokeRun>& runs);

struct FitResult {
  bool simplified = false;  // near-collinear points merged, tiny strokes dropped
  bool truncated = false;   // strokes at the end left out after all
};

// Makes the runs fit into `maxWords`: first merges near-collinear points and
// drops tiny strokes with a growing tolerance, then, as a last resort, cuts
// strokes from the end.
FitResult FitIntoWords(std::vector<StrokeRun>& runs, std::size_t maxWords);

constexpr std::uint16_t kPenDown = 0x8000;

// Stroke words: bits 0-6 x, bits 7-13 y, bit 15 set for a draw.
std::vector<std::uint16_t> EncodeRuns(const std::vector<StrokeRun>& runs);

}  // namespace kvd
