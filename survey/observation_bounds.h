// What the cross-section chart can draw of an observation: at most 2000
// points, distances within ±15,000 m, elevations within ±3,000 m and a water
// surface not far outside the bed's elevations. Checked before anything is
// drawn, so that a value the chart would refuse is reported at its line and
// field instead of as an overflow of the chart. (The water line ends where
// the bed meets the water, always within the section.)
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plamor::survey {

// The most points, and the largest distance and elevation (in size) the chart draws.
inline constexpr std::size_t kMaxObservationPoints = 2000;
inline constexpr double kMaxDistance = 15000;
inline constexpr double kMaxElevation = 3000;

// Checks lines whose fields are already known to be numbers (of at most
// kMaxFieldValue in size); InputError names the file, line and field.
void CheckObservationBounds(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The largest number (in size) a field of an observation file may hold.
inline constexpr double kMaxFieldValue = 1e6;

}  // namespace plamor::survey
