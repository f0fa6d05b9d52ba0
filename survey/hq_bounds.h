// How far beyond the ends of its axes the H-Q chart can place a measurement:
// its points are 16-bit picture positions, which hold a few hundred axis
// steps; the chart is let to draw kMaxStepsBeyondAxis of them. A range given
// on the command line (--stage, --range) may leave a measurement farther out;
// checked before anything is drawn, so that it is reported at its line and
// field instead of as an overflow of the chart.
#pragma once

#include <optional>

#include "survey/axis_range.h"
#include "survey/hq_table.h"

namespace plamor::survey {

inline constexpr double kMaxStepsBeyondAxis = 50;

// Checks the stage and the quantity of `kind` of every measurement against
// the ranges given (a range chosen from the data holds every value);
// InputError names the file, line and field.
void CheckHqBounds(const HqTable& table, HqKind kind, const std::optional<AxisRange>& stage,
                   const std::optional<AxisRange>& quantity);

}  // namespace plamor::survey
