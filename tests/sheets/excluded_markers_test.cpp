// Measurements left out of a fit: the chart gets the others with the ranges
// of all, and the excluded ones are drawn hollow where the drawing puts its
// markers, with their labels.
#include <gtest/gtest.h>

#include <QApplication>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "charts/tbunpu.h"
#include "sheets/excluded_markers.h"
#include "tests/support/recording_plamor.h"

using namespace plamor;
using namespace plamor::sheets;

TEST(ExcludedMarkers, LeftOutOfTheChartAndDrawnHollowInTheirPlace) {
  int argc = 1;
  char name[] = "excluded_markers_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  const std::filesystem::path config =
      std::filesystem::temp_directory_path() / ("excluded_markers_test." + std::to_string(::getpid()));
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

  const survey::HqTable table = survey::ParseHqTable(
      "t.csv", {"label,stage,discharge", "1,0.4,4.1", "2,0.7,9.6", "3,1.0,20", "4,1.3,25.1", "5,1.6,36.2", "6,1.9,49"});
  hydraulics::RatingFitOptions options;
  options.excluded = {"3"};
  const hydraulics::RatingFit fit = hydraulics::FitRating(table, options);

  charts::TBunpu chart;
  LoadHqChartForFit(table, fit, survey::kDischarge, std::nullopt, std::nullopt, chart);
  EXPECT_EQ(chart.Chart().PointCount(), 5);
  EXPECT_EQ(chart.Chart().Label(3), "4");
  std::vector<double> stages, discharges;
  for (const survey::Measurement& m : table.measurements)
    stages.push_back(m.stage), discharges.push_back(m.quantity[survey::kDischarge]);
  EXPECT_EQ(chart.YMin(), survey::StageRange(stages).min);
  EXPECT_EQ(chart.QMax(), survey::QuantityRange(discharges).max);
  LoadHqChartForFit(table, fit, survey::kDischarge, survey::AxisRange{0, 2}, survey::AxisRange{0, 70}, chart);
  EXPECT_EQ(chart.YMax(), 2);
  EXPECT_EQ(chart.QMax(), 70);

  // Stage 1.0 and discharge 20 on the sheet of 0..2 and 0..70: (150, 150).
  plamor::testing::RecordingPlamor server;
  RegisterExcludedMarkers(server, table, fit, survey::kDischarge, SheetAxesOf(chart, survey::kDischarge));
  ASSERT_EQ(server.calls.size(), 2u);
  EXPECT_EQ(server.calls[0], "En 150, 150, 0.6, vPen:=\"2\", vLayer:=2");
  EXPECT_EQ(server.calls[1],
            "Moji 151.2, 148.9, \"3\", 0, 0, 0, vHeight:=3, vWidth:=3, vBetween:=0, vPen:=0, vLayer:=2, vKiten:=7");
  std::filesystem::remove_all(config);
}
