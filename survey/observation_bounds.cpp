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
}

}  // namespace plamor::survey
