#include "survey/axis_range.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace plamor::survey {

AxisRange RoundRange(const std::vector<double>& values, int steps, int maxDecimals) {
  if (values.empty()) throw std::invalid_argument("no values for an axis range");
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  static constexpr int kMantissas[] = {10, 15, 20, 25, 30, 40, 50, 60, 80};  // tenths
  // Steps are mantissa tenths times 10^power; the decimals of a step are those
  // of its tenths count shifted by the power.
  for (int power = -maxDecimals - 1; power <= 15; ++power) {
    for (int tenths : kMantissas) {
      int decimals = -power;
      for (int t = tenths; t % 10 == 0 && decimals > 0; t /= 10) --decimals;
      if (decimals > maxDecimals) continue;
      const double step = tenths * std::pow(10.0, power);
      // A tiny allowance keeps values that are already round from moving a step.
      const double first = std::floor(*lowest / step + 1e-9);
      const double min = first * step;
      const double max = (first + steps) * step;
      if (max >= *highest - std::abs(step) * 1e-9) {
        // Whole numbers of the label decimals, free of binary residue.
        const double unit = std::pow(10.0, maxDecimals);
        return {std::round(min * unit) / unit, std::round(max * unit) / unit};
      }
    }
  }
  throw std::invalid_argument("values too large for an axis range");
}

}  // namespace plamor::survey
