// Sample survey data for the demonstration: sounding observations of one
// cross-section in the host's text-line form, and an H-Q measurement table.
#pragma once

#include <string>
#include <vector>

namespace marovel_demo {

// The host's lines of observation `index` (0, 1 or 2).
std::vector<std::string> SampleObservation(int index);
constexpr int kSampleObservations = 3;

struct SampleMeasurements {
  std::vector<double> H, Q, A, B, V, SQ;
  std::vector<std::string> labels;
};
SampleMeasurements SampleHq();

}  // namespace marovel_demo
