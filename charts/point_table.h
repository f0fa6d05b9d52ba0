// An observation's points relative to a chart's minima, as both the screen
// chart and the drawing output draw them.
#pragma once

#include <vector>

namespace plamor::charts {

class clsData;

// X(i) distance, Y(i) elevation (rounded to two decimals), Y(0) the water
// surface; rows past the last point are 0. Errors name a value too large.
struct PointTable {
  std::vector<double> X, Y;
};

PointTable MakePointTable(const clsData& data, double kyoriMin, double suisinMin);

}  // namespace plamor::charts
