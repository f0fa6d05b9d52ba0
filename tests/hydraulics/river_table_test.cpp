// The river's table: stages from each source, the comparison with an earlier
// state of the bed, the CSV text, and writing it without leaving anything
// partial behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/input_error.h"
#include "hydraulics/river_table.h"

using namespace plamor;
using namespace plamor::hydraulics;
namespace fs = std::filesystem;

namespace {

const fs::path kRiver = fs::path(PLAMOR_SOURCE_DIR) / "examples" / "river";

survey::SectionSurvey Rectangle(const char* file, double mark, survey::SurveyDate date, double bed) {
  survey::SectionSurvey s;
  s.file = file;
  s.distanceMark = mark;
  s.date = date;
  s.points = {{1, 0, 10}, {0, 0, bed}, {16, 2, bed}, {0, 10, bed}, {18, 10, 10}};
  s.waterSurface = bed + 1;
  return s;
}

survey::River SmallRiver() {
  return survey::AssembleRiver({Rectangle("b.csv", 0.2, {2023, 11, 7}, 1.5), Rectangle("a.csv", 0.2, {2019, 11, 5}, 2),
                                Rectangle("c.csv", 0.4, {2023, 11, 8}, 2.5)});
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(RiverTable, RowsAndCsvForEachStageSource) {
  const auto given = TabulateRiver(SmallRiver(), {StageSource::Given(4), std::nullopt});
  EXPECT_EQ(RiverTableCsv(given, false),
            "distance_mark,date,stage,area,wetted_perimeter,top_width,hydraulic_radius,hydraulic_depth,mean_bed,"
            "deepest_bed\n"
            "0.2,2019-11-05,4,20,14,10,1.42857142857,2,2,2\n"
            "0.2,2023-11-07,4,25,15,10,1.66666666667,2.5,1.5,1.5\n"
            "0.4,2023-11-08,4,15,13,10,1.15384615385,1.5,2.5,2.5\n");

  const auto own = TabulateRiver(SmallRiver(), {StageSource::OwnWaterSurface(), std::nullopt});
  EXPECT_EQ(own[1].flow.stage, 2.5);
  EXPECT_EQ(own[1].flow.area, 10);

  survey::StageTable table;
  table.file = "hwl.csv";
  table.marks = {0.0, 0.4};
  table.stages = {3.0, 5.0};
  const auto planned = TabulateRiver(SmallRiver(), {StageSource::ByDistanceMark(table), std::nullopt});
  EXPECT_NEAR(planned[0].flow.stage, 4.0, 1e-12);
  EXPECT_NEAR(planned[2].flow.stage, 5.0, 1e-12);

  table.marks = {0.0, 0.3};
  try {
    TabulateRiver(SmallRiver(), {StageSource::ByDistanceMark(table), std::nullopt});
    ADD_FAILURE() << "a section beyond the stage table";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "hwl.csv: has no stage for the section 0.400 km of c.csv (its marks run from "
                                     "0.000 km to 0.300 km; stages are not extrapolated)");
  }
  auto dry = SmallRiver();
  dry.sections[0].surveys[0].waterSurface.reset();
  EXPECT_THROW(TabulateRiver(dry, {StageSource::OwnWaterSurface(), std::nullopt}), InputError);
}

TEST(RiverTable, ComparesWithTheStateOfTheBedAtADate) {
  // Against 2019-12-31: section 0.2 has its 2019 survey, section 0.4 none yet.
  const auto rows = TabulateRiver(SmallRiver(), {StageSource::Given(4), survey::SurveyDate{2019, 12, 31}});
  ASSERT_TRUE(rows[0].change && rows[1].change);
  EXPECT_EQ(rows[0].change->deposition + rows[0].change->scour, 0);
  EXPECT_NEAR(rows[1].change->scour, 0.5 * 10, 1e-12);
  EXPECT_EQ(rows[1].change->deposition, 0);
  EXPECT_FALSE(rows[2].change);
  const std::string csv = RiverTableCsv(rows, true);
  EXPECT_NE(csv.find("deepest_bed,deposition,scour\n"), std::string::npos);
  EXPECT_NE(csv.find(",1.5,0,5\n"), std::string::npos);
  EXPECT_NE(csv.find("0.4,2023-11-08,4,15,13,10,1.15384615385,1.5,2.5,2.5,,\n"), std::string::npos);
}

TEST(RiverTable, WritesTheWholeFileOrNothing) {
  const fs::path folder = fs::temp_directory_path() / "plamor_river_table";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path out = folder / "table.csv";
  std::ofstream(out) << "earlier";
  const auto rows = TabulateRiver(SmallRiver(), {StageSource::Given(4), std::nullopt});
  WriteRiverTable(out, rows, false);
  EXPECT_EQ(ReadAll(out), RiverTableCsv(rows, false));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  EXPECT_THROW(WriteRiverTable(folder / "missing" / "t.csv", rows, false), std::runtime_error);
  EXPECT_THROW(WriteRiverTable(folder, rows, false), std::runtime_error);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

TEST(RiverTable, TheExampleRiver) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kRiver))
    if (entry.path().extension() == ".csv") files.push_back(entry.path());
  const survey::River river = survey::ReadRiver(files);
  const auto rows = TabulateRiver(river, {StageSource::ByDistanceMark(survey::ReadStageTable(kRiver / "plan" /
                                                                                                "high_water.csv")),
                                          survey::SurveyDate{2015, 11, 30}});
  ASSERT_EQ(rows.size(), 36u);
  for (const TableRow& row : rows) {
    // At the planned high water, the water fills the channels between the levees.
    EXPECT_FALSE(row.flow.walledLeft || row.flow.walledRight);
    EXPECT_EQ(row.flow.wettedParts, 1u);
    EXPECT_GT(row.flow.topWidth, 80);
    EXPECT_LT(*row.flow.meanBed, row.flow.stage - 2);
    EXPECT_LT(row.deepestBed, *row.flow.meanBed);
    ASSERT_TRUE(row.change);
  }
  // 2019 against 2015: the lower reach scoured, the upper silted up.
  EXPECT_GT(rows[1].change->scour, 5 * rows[1].change->deposition);
  EXPECT_GT(rows[34].change->deposition, 5 * rows[34].change->scour);
}
