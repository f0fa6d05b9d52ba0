// Measurements far outside a stage or quantity axis given on the command
// line are refused at their line and field; what is taken, the H-Q chart
// draws without overflow.
#include <gtest/gtest.h>

#include <QApplication>

#include "survey/hq_bounds.h"
#include "sheets/hq_chart.h"
#include "cli/input_error.h"
#include "charts/tbunpu.h"

using namespace plamor;
using namespace plamor::survey;
using namespace plamor::sheets;

namespace {

std::string ErrorOf(const HqTable& table, HqKind kind, std::optional<AxisRange> stage,
                    std::optional<AxisRange> quantity) {
  try {
    CheckHqBounds(table, kind, stage, quantity);
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

// Draws the table's chart on a picture of plamor-draw's size.
void Draw(const HqTable& table, HqKind kind, std::optional<AxisRange> stage, std::optional<AxisRange> quantity) {
  plamor::charts::TBunpu chart;
  chart.resize(800, 600);
  LoadHqChart(table, kind, stage, quantity, chart);
  chart.HQsakuga(kind);
}

TEST(HqBounds, FarOutsideAGivenAxisIsRefusedAtItsFieldAndNearIsDrawn) {
  int argc = 1;
  char name[] = "hq_bounds_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  const HqTable t = ParseHqTable("t.csv", {"# station: 荒見橋", "label,discharge,stage", "a,3,0.5", "b,1e6,9e5",
                                           "c,10,1"});
  EXPECT_EQ(ErrorOf(t, kDischarge, AxisRange{0, 2}, std::nullopt),
            "t.csv: line 4, field 3: stage 900000 lies far outside the axis 0 to 2 given with --stage; "
            "the chart draws measurements at most 25 beyond its ends");
  EXPECT_EQ(ErrorOf(t, kDischarge, std::nullopt, AxisRange{0, 14}),
            "t.csv: line 4, field 2: discharge 1e+06 lies far outside the axis 0 to 14 given with --range; "
            "the chart draws measurements at most 100 beyond its ends");
  // √Q computed from Q is named at the discharge's field.
  EXPECT_NE(ErrorOf(t, kRootDischarge, std::nullopt, AxisRange{0, 7}).find("line 4, field 2: sqrt_discharge 1000 "),
            std::string::npos);
  // Ranges chosen from the data hold every measurement.
  EXPECT_EQ(ErrorOf(t, kDischarge, std::nullopt, std::nullopt), "");

  // At the edge of what is taken, on both sides of both axes, the chart draws.
  const double stageReach = kMaxStepsBeyondAxis * 2 / 4, quantityReach = kMaxStepsBeyondAxis * 14 / 7;
  HqTable edge = ParseHqTable("e.csv", {"stage,discharge", "1,1", "1,1"});
  edge.measurements[0].stage = -stageReach;
  edge.measurements[0].quantity[kDischarge] = -quantityReach;
  edge.measurements[1].stage = 2 + stageReach;
  edge.measurements[1].quantity[kDischarge] = 14 + quantityReach;
  EXPECT_EQ(ErrorOf(edge, kDischarge, AxisRange{0, 2}, AxisRange{0, 14}), "");
  EXPECT_NO_THROW(Draw(edge, kDischarge, AxisRange{0, 2}, AxisRange{0, 14}));
  edge.measurements[1].stage = 2 + stageReach * 1.01;
  EXPECT_NE(ErrorOf(edge, kDischarge, AxisRange{0, 2}, AxisRange{0, 14}), "");
}

}  // namespace
