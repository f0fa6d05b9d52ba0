#include "charts/water_line.h"

#include <algorithm>

namespace plamor::charts {
namespace {

// The end reached from point `end`, stepping by `step` (+1 or -1) towards
// point `last`.
std::optional<double> EndFrom(const PointTable& t, std::int32_t end, std::int32_t last, std::int32_t step) {
  const auto& X = t.X;
  const auto& Y = t.Y;
  const double water = Y[0];
  if (!(Y[end] > water)) return X[end];
  for (std::int32_t i = end + step; i != last + step; i += step) {
    if (Y[i] > water) continue;
    const std::int32_t dry = i - step;  // above the water, as every point before it
    return X[dry] + (X[i] - X[dry]) * (Y[dry] - water) / (Y[dry] - Y[i]);
  }
  return std::nullopt;
}

}  // namespace

std::optional<WaterLineEnds> WaterLineOf(const PointTable& t, std::int32_t n) {
  const std::int32_t last = std::max(n, 1);
  const std::optional<double> left = EndFrom(t, 1, last, 1);
  const std::optional<double> right = EndFrom(t, last, 1, -1);
  if (!left || !right) return std::nullopt;
  return WaterLineEnds{*left, *right};
}

}  // namespace plamor::charts
