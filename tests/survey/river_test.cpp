// A river assembled from section files in any order, with the faults that
// name two files; sections from our observation files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "cli/input_error.h"
#include "survey/river.h"
#include "survey/stage_table.h"

using namespace plamor;
using namespace plamor::survey;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(PLAMOR_SOURCE_DIR) / "examples";

SectionSurvey Survey(const char* file, double mark, SurveyDate date, std::string code = "8899010001") {
  SectionSurvey s;
  s.file = file;
  s.distanceMark = mark;
  s.date = date;
  s.riverCode = std::move(code);
  s.river = "荒見川";
  s.points = {{0, 0, 5.0}, {0, 10, 1.0}, {0, 20, 5.0}};
  return s;
}

std::string ErrorOf(std::vector<SectionSurvey> surveys) {
  try {
    AssembleRiver(std::move(surveys));
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(River, SortsFilesInAnyOrderIntoSectionsAndSurveys) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kExamples / "river"))
    if (entry.path().extension() == ".csv") files.push_back(entry.path());
  std::shuffle(files.begin(), files.end(), std::mt19937(7));
  const River river = ReadRiver(files);
  EXPECT_EQ(river.river, "荒見川");
  EXPECT_EQ(river.riverCode, "8899010001");
  ASSERT_EQ(river.sections.size(), 12u);
  for (std::size_t i = 0; i < river.sections.size(); ++i) {
    EXPECT_NEAR(river.sections[i].distanceMark, 22.0 + 0.2 * static_cast<double>(i), 1e-9);
    ASSERT_EQ(river.sections[i].surveys.size(), 3u);
    EXPECT_EQ(river.sections[i].surveys[0].date.year, 2015);
    EXPECT_EQ(river.sections[i].surveys[2].date.year, 2023);
  }
}

TEST(River, NamesBothFilesOfDuplicatesAndMixedRivers) {
  EXPECT_EQ(ErrorOf({Survey("a.csv", 1.2, {2019, 11, 5}), Survey("b.csv", 1.4, {2019, 11, 5}),
                     Survey("c.csv", 1.2000001, {2019, 11, 5})}),
            "c.csv: surveys the section 1.200 km on 2019-11-05 as a.csv does: one file per section and date");
  EXPECT_EQ(ErrorOf({Survey("a.csv", 1.2, {2019, 11, 5}), Survey("b.csv", 1.4, {2019, 11, 5}, "8101010001")}),
            "b.csv: is a survey of 荒見川 (code 8101010001), not of 荒見川 (code 8899010001) as a.csv is: the files "
            "of one river only");
  // Without codes, the names tell rivers apart; a survey naming no river fits any.
  auto other = Survey("b.csv", 1.4, {2019, 11, 5}, "");
  other.river = "大川";
  auto nameless = Survey("c.csv", 1.6, {2019, 11, 5}, "");
  nameless.river = "";
  EXPECT_EQ(ErrorOf({Survey("a.csv", 1.2, {2019, 11, 5}, ""), nameless, other}),
            "b.csv: is a survey of 大川, not of 荒見川 as a.csv is: the files of one river only");
  EXPECT_EQ(ErrorOf({Survey("a.csv", 1.2, {2019, 11, 5}), nameless}), "");
  auto empty = Survey("e.csv", 1.4, {2019, 11, 5});
  empty.points = {{0, 0, 5.0}, {0, 5, std::nullopt}};
  EXPECT_EQ(ErrorOf({empty}), "e.csv: has 1 point(s) with an elevation; a cross-section needs at least two");
  empty.points.clear();
  EXPECT_EQ(ErrorOf({empty}), "e.csv: has 0 point(s) with an elevation; a cross-section needs at least two");
}

TEST(River, TakesASectionFromAnObservationFile) {
  const ObservationFile observation = ReadObservationFile(kExamples / "sections" / "arami_24k_2019-11.csv");
  const SectionSurvey s = SurveyFromObservation(observation, 24.0);
  EXPECT_EQ(s.distanceMark, 24.0);
  EXPECT_EQ(s.date, (SurveyDate{2019, 11, 12}));
  ASSERT_EQ(s.points.size(), 19u);
  EXPECT_EQ(s.points[0].distance, 0);
  EXPECT_EQ(s.points[18].distance, 72);
  // Water 25.40 + (1.42 + 1.44) / 2, bed the water less the mean depth reading.
  EXPECT_NEAR(*s.waterSurface, 26.83, 1e-9);
  EXPECT_NEAR(*s.points[0].elevation, 26.83 + 3.165, 0.006);
  const River river = AssembleRiver({s});
  EXPECT_EQ(river.sections.size(), 1u);
}

TEST(StageTable, InterpolatesBetweenMarksAndNotBeyond) {
  const StageTable table = ReadStageTable(kExamples / "river" / "plan" / "high_water.csv");
  EXPECT_NEAR(*table.StageAt(22.0), 31.30, 1e-12);
  EXPECT_NEAR(*table.StageAt(22.4), 31.30 + 0.4 * 1.25, 1e-9);
  EXPECT_NEAR(*table.StageAt(24.2), 34.05, 1e-12);
  EXPECT_FALSE(table.StageAt(21.8).has_value());
  EXPECT_FALSE(table.StageAt(24.4).has_value());
  auto errorOf = [](std::vector<std::string> lines) {
    try {
      ParseStageTable("hwl.csv", lines);
    } catch (const InputError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(errorOf({"distance_mark,stage", "1.0,3.0", "0.8,3.2"}),
            "hwl.csv: line 3, field 1: distance mark \"0.8\" does not follow the one before upstream (marks "
            "increase line by line)");
  EXPECT_EQ(errorOf({"distance_mark,stage", "1.0,3.O"}), "hwl.csv: line 2, field 2: stage (m): \"3.O\" is not a number");
  EXPECT_EQ(errorOf({"km,h"}), "hwl.csv: line 1: the header line must be \"distance_mark,stage\"");
  EXPECT_EQ(errorOf({"distance_mark,stage"}), "hwl.csv: has no stages below its header line");
}
