// Where an observation's water line ends: at the places the bed meets the
// water surface, found by scanning the profile from each end point inward,
// so that a bank or levee above the water never carries water over it. The
// screen chart rounds the ends to whole distances, the drawing output uses
// them as they are.
#pragma once

#include <cstdint>
#include <optional>

#include "charts/point_table.h"

namespace plamor::charts {

// Distances of the two ends, as the point table's X.
struct WaterLineEnds {
  double left, right;
};

// The ends for points 1..n of the table and its water surface Y(0): an end
// point at or below the water is its own end; from an end point above it the
// end is the crossing on the first segment, counted from that end, whose far
// point lies at or below the water (linear between the segment's points).
// None when every point lies above the water. An observation without points
// is its table's point 1.
std::optional<WaterLineEnds> WaterLineOf(const PointTable& t, std::int32_t n);

}  // namespace plamor::charts
