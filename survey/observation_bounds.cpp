#include "survey/observation_bounds.h"

#include <cmath>

#include "cli/input_error.h"
#include "charts/cls_data.h"
#include "charts/observation_layout.h"
#include "platform/numeric_text.h"

namespace plamor::survey {
namespace {

namespace obs = charts::observation;

// The lines a fault is reported at, numbered from 1.
constexpr std::size_t kDistanceLine = obs::LineNumber(obs::kDistanceLine);
constexpr std::size_t kFirstDepthLine = obs::LineNumber(obs::kFirstDepthLine);
constexpr std::size_t kObservationLine = obs::LineNumber(obs::kObservationLine);
// The water surface may lie at most this many times the bed's elevation span
// above or below the bed (the chart's vertical scale is set by the bed).
constexpr double kMaxWaterSpans = 40;

std::string Metres(double value) { return numtext::CStr(value) + " m"; }

// Where the water line meets the bed beyond the end point `end` (extended
// from its neighbour `inner`), as the chart computes it; the end point's own
// distance when it lies at or below the water.
double WaterLineEnd(const charts::clsData& d, int end, int inner) {
  const double water = d.Suisin(0);
  const double y = d.Suisin(end), yInner = d.Suisin(inner);
  if (!(y > water) || y == yInner) return d.Kyori(end);
  return d.Kyori(end) + (d.Kyori(inner) - d.Kyori(end)) * (y - water) / (y - yInner);
}

}  // namespace

void CheckObservationBounds(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  charts::clsData d;
  d.SetData(lines);  // the chart's own reading of the observation
  const int n = d.Count();
  if (static_cast<std::size_t>(n) > kMaxObservationPoints)
    throw InputError(file, kDistanceLine, kMaxObservationPoints + 1,
                     std::to_string(n) + " points; the chart draws at most " +
                         std::to_string(kMaxObservationPoints));
  const double water = d.Suisin(0);
  if (std::abs(water) > kMaxElevation)
    throw InputError(file, kObservationLine, obs::kFirstWaterField,
                     "the water surface lies at " + Metres(water) + " (with the datum elevation of line 1); the chart draws elevations within ±" +
                         Metres(kMaxElevation));
  for (int i = 1; i <= n; ++i) {
    if (std::abs(d.Kyori(i)) > kMaxDistance)
      throw InputError(file, kDistanceLine, static_cast<std::size_t>(i),
                       "point " + std::to_string(i) + " lies at distance " + Metres(d.Kyori(i)) +
                           " (with the offset of line 12); the chart draws distances within ±" + Metres(kMaxDistance));
    if (std::abs(d.Suisin(i)) > kMaxElevation)
      throw InputError(file, kFirstDepthLine, static_cast<std::size_t>(i),
                       "the bed of point " + std::to_string(i) + " lies at " + Metres(d.Suisin(i)) +
                           "; the chart draws elevations within ±" + Metres(kMaxElevation));
  }
  const double bedSpan = std::floor(d.SuisinMax() + 1) - std::floor(d.SuisinMin());
  if (std::abs(water - std::floor(d.SuisinMin())) > kMaxWaterSpans * bedSpan)
    throw InputError(file, kObservationLine, obs::kFirstWaterField,
                     "the water surface at " + Metres(water) + " lies far outside the bed (" + Metres(d.SuisinMin()) +
                         " to " + Metres(d.SuisinMax()) + "); a water-surface reading or the datum elevation is wrong");
  if (n < 2) return;
  // The chart's distance range of this observation: whole tens around its points.
  const double low = std::floor(d.KyoriMin() / 10) * 10 - 10, high = std::floor(d.KyoriMax() / 10 + 1) * 10;
  const std::pair<int, int> ends[] = {{1, 2}, {n, n - 1}};
  for (const auto& [end, inner] : ends) {
    const double at = WaterLineEnd(d, end, inner);
    if (at < low || at > high)
      throw InputError(file, kFirstDepthLine, static_cast<std::size_t>(end),
                       "points " + std::to_string(std::min(end, inner)) + " and " + std::to_string(std::max(end, inner)) +
                           " both lie above the water surface and slope so that the water line would end at distance " +
                           Metres(at) + ", outside the section (" + Metres(d.KyoriMin()) + " to " +
                           Metres(d.KyoriMax()) + ")");
  }
}

}  // namespace plamor::survey
