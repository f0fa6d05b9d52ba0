// Axis ranges of the H-Q chart chosen from the data: round steps, so that the
// chart's labels (minimum + k · step) read as plain short numbers, and the
// range holds every value.
#pragma once

#include <vector>

namespace plamor::survey {

struct AxisRange {
  double min = 0;
  double max = 0;
};

// The smallest round step s (1, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten,
// with at most `maxDecimals` decimals) for which `steps` steps from a multiple
// of s at or below the smallest value reach the largest value. The values must
// not be empty.
AxisRange RoundRange(const std::vector<double>& values, int steps, int maxDecimals);

// The stage axis has 4 steps, labelled with up to two decimals.
inline AxisRange StageRange(const std::vector<double>& stages) { return RoundRange(stages, 4, 2); }
// A quantity axis has 7 steps, labelled with one decimal when the step is not whole.
inline AxisRange QuantityRange(const std::vector<double>& values) { return RoundRange(values, 7, 1); }

}  // namespace plamor::survey
