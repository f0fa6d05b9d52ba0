// Loading a measurement table into the H-Q chart control: measurements,
// labels, station names and year, and the ranges of the stage and of the
// chosen quantity (given, or chosen from the data).
#pragma once

#include <optional>

#include "survey/axis_range.h"
#include "survey/hq_table.h"

namespace plamor::charts {
class TBunpu;
}

namespace plamor::sheets {

void LoadHqChart(const survey::HqTable& table, survey::HqKind kind, std::optional<survey::AxisRange> stage,
                 std::optional<survey::AxisRange> quantity, charts::TBunpu& chart);

}  // namespace plamor::sheets
