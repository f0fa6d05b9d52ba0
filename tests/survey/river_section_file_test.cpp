// Reading the national cross-section files: every field, missing values,
// walls, both encodings, and each fault named at its line and field.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/input_error.h"
#include "platform/cp932.h"
#include "survey/river_section_file.h"

using namespace plamor;
using namespace plamor::survey;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(PLAMOR_SOURCE_DIR) / "examples" / "river";

const char* const kHeader =
    "24.000,-9999.000,34.550,-9999,-9999.000,-9999.000,5,-9999.000,-9999.000,-9999.000,-9999.000,0,20191105,"
    "8899010001,荒見川水系,荒見川,";

std::vector<std::string> GoodLines() {
  return {kHeader, "1,0.000,34.550,", "13,10.0,30.0,", "16,10.0,27.5", "0,20,-9999.000,", "18,30,34.6,"};
}

std::string ErrorOf(const std::vector<std::string>& lines) {
  try {
    ParseRiverSectionLines("sec.csv", lines);
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

// The lines with line `n` (0-based) replaced.
std::vector<std::string> With(std::size_t n, std::string line) {
  auto lines = GoodLines();
  lines[n] = std::move(line);
  return lines;
}

std::string HeaderWith(std::size_t field, const std::string& value) {
  std::vector<std::string> fields;
  std::string header = kHeader, rest;
  std::size_t start = 0;
  for (std::size_t f = 1; f <= 16; ++f) {
    const std::size_t comma = header.find(',', start);
    fields.push_back(f == field ? value : header.substr(start, comma - start));
    start = comma + 1;
  }
  for (const auto& f : fields) rest += f + ",";
  return rest;
}

}  // namespace

TEST(RiverSectionFile, ReadsHeaderPointsFlagsAndMissingValues) {
  const SectionSurvey s = ParseRiverSectionLines("sec.csv", GoodLines());
  EXPECT_DOUBLE_EQ(s.distanceMark, 24.0);
  EXPECT_EQ(s.date, (SurveyDate{2019, 11, 5}));
  EXPECT_EQ(IsoDate(s.date), "2019-11-05");
  EXPECT_EQ(s.riverCode, "8899010001");
  EXPECT_EQ(s.riverSystem, "荒見川水系");
  EXPECT_EQ(s.river, "荒見川");
  EXPECT_EQ(s.structureFlag, 0);
  EXPECT_EQ(s.leftPostElevation, 34.55);
  EXPECT_FALSE(s.rightPostElevation.has_value());  // -9999: not surveyed, not a number
  ASSERT_EQ(s.points.size(), 5u);
  EXPECT_EQ(s.points[1].flag, kFlagLowWaterShoulder);
  // A wall: the shoulder and the water's edge at one distance.
  EXPECT_EQ(s.points[1].distance, s.points[2].distance);
  EXPECT_FALSE(s.points[3].elevation.has_value());
  EXPECT_EQ(s.points[4].flag, kFlagRightPost);
  EXPECT_EQ(s.waterSurface, 27.5);

  // A missing river code, flag and point count; blank lines; no final commas.
  auto lines = GoodLines();
  lines[0] = HeaderWith(7, "-9999");
  lines[0] = lines[0].substr(0, lines[0].size() - 1);
  lines[0].replace(lines[0].find("8899010001"), 10, "-9999");
  lines[3] = "-9999,10.0,27.5";
  lines.insert(lines.begin() + 2, "  ");
  lines.push_back("");
  const SectionSurvey t = ParseRiverSectionLines("sec.csv", lines);
  EXPECT_EQ(t.riverCode, "");
  EXPECT_EQ(t.points.size(), 5u);
  EXPECT_EQ(t.points[2].flag, 0);
  EXPECT_FALSE(t.waterSurface.has_value());
}

TEST(RiverSectionFile, NamesEveryFaultAtItsLineAndField) {
  struct Case {
    std::vector<std::string> lines;
    const char* message;
  };
  const Case cases[] = {
      {With(2, "13,1x,30.0"),
       "sec.csv: line 3, field 2: distance (m): \"1x\" is not a number"},
      {With(2, "13,10,nan"),
       "sec.csv: line 3, field 3: elevation (m): \"nan\" is not a number"},
      {With(2, "1.5,10,30"),
       "sec.csv: line 3, field 1: point flag: \"1.5\" is not a whole number of 0 or more"},
      {With(0, HeaderWith(1, "24.0k")),
       "sec.csv: line 1, field 1: distance mark (km): \"24.0k\" is not a number"},
      {With(0, HeaderWith(1, "-9999")),
       "sec.csv: line 1, field 1: distance mark (km) is missing (-9999); it cannot be left out"},
      {With(0, HeaderWith(9, "")),
       "sec.csv: line 1, field 9: header value is empty (-9999 marks a value not surveyed)"},
      {With(0, HeaderWith(7, "6")),
       "sec.csv: line 1, field 7: the point count 6 disagrees with the 5 point lines that follow"},
      {With(0, HeaderWith(13, "20190230")),
       "sec.csv: line 1, field 13: survey date \"20190230\" is not a date YYYYMMDD such as 20191105"},
      {With(0, HeaderWith(13, "2019-11-05")),
       "sec.csv: line 1, field 13: survey date \"2019-11-05\" is not a date YYYYMMDD such as 20191105"},
      {With(0, HeaderWith(13, "-9999")),
       "sec.csv: line 1, field 13: survey date \"-9999\" is not a date YYYYMMDD such as 20191105"},
      {With(3, "16,9.5,27.5"),
       "sec.csv: line 4, field 2: distance 9.500 m goes back from the 10.000 m of the point before (an "
       "overhang; points run from the left bank to the right, equal distances make a wall)"},
      {With(2, "13,10"),
       "sec.csv: line 3: has 2 fields; a point line has 3 (flag,distance,elevation)"},
      {With(2, "13,10,30,1"),
       "sec.csv: line 3: has 4 fields; a point line has 3 (flag,distance,elevation)"},
      {With(2, "13,-9999,30"),
       "sec.csv: line 3, field 2: distance (m) is missing (-9999); it cannot be left out"},
      {With(2, "13,1e7,30"),
       "sec.csv: line 3, field 2: distance (m): \"1e7\" is out of range (at most 1000000 in size)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.lines), c.message);
  auto extra = GoodLines();
  extra.push_back("0,31,35");
  EXPECT_EQ(ErrorOf(extra), "sec.csv: line 1, field 7: the point count 5 disagrees with the 6 point lines that follow");
  EXPECT_EQ(ErrorOf(With(0, "24.000,0,1,2")).rfind("sec.csv: line 1: has 4 fields; the header line has 16", 0), 0u);
  EXPECT_EQ(ErrorOf({"", " "}), "sec.csv: is empty; a section file starts with its header line");
}

TEST(RiverSectionFile, ReadsShiftJisAndUtf8Files) {
  const fs::path file = fs::temp_directory_path() / "plamor_river_section.csv";
  std::string text;
  for (const auto& line : GoodLines()) text += line + "\r\n";
  for (const std::string& bytes : {cp932::FromUtf8(text), text}) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    const SectionSurvey s = ReadRiverSectionFile(file);
    EXPECT_EQ(s.river, "荒見川");
    EXPECT_EQ(s.points.size(), 5u);
  }
  fs::remove(file);
  // The example river holds files of both kinds.
  const SectionSurvey old = ReadRiverSectionFile(kExamples / "arami_22.0k_20151104.csv");
  const SectionSurvey recent = ReadRiverSectionFile(kExamples / "arami_22.0k_20191105.csv");
  EXPECT_EQ(old.riverSystem, "荒見川水系");
  EXPECT_EQ(recent.riverSystem, "荒見川水系");
  EXPECT_TRUE(old.waterSurface && recent.waterSurface);
}
