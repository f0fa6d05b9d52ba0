// Loading a measurement table into the H-Q chart control: measurements,
// labels, station names and year, and the ranges of the stage and of the
// chosen quantity (given, or chosen from the data).
#pragma once

#include <optional>

#include "apps/plamor_draw/axis_range.h"
#include "apps/plamor_draw/hq_table.h"

namespace plamor::charts {
class TBunpu;
}

namespace plamor::draw {

void LoadHqChart(const HqTable& table, HqKind kind, std::optional<AxisRange> stage,
                 std::optional<AxisRange> quantity, charts::TBunpu& chart);

}  // namespace plamor::draw
