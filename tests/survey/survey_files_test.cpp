// Reading the engineers' files: encodings, observation files and H-Q tables,
// with the place of every fault in the message.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "survey/axis_range.h"
#include "survey/hq_table.h"
#include "cli/input_error.h"
#include "survey/observation_file.h"
#include "cli/input_text.h"
#include "platform/cp932.h"

using namespace plamor;
using namespace plamor::survey;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(PLAMOR_SOURCE_DIR) / "examples";

// The message of the InputError the call throws, or "" when it throws none.
template <typename F>
std::string ErrorOf(F call) {
  try {
    call();
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

std::vector<std::string> GoodObservation() {
  std::vector<std::string> lines(12);
  lines[0] = ",,\"大川 No.12\",,,,,,,,,,,,,,10.00,基準面";
  lines[2] = "0,5,10,15";
  lines[3] = "-1.0,0.5,1.2,-0.8";
  lines[4] = "-1.0,0.5,1.3,-0.8";
  lines[11] = "3,2003/07/15,,,,,,,,2.35,2.37,,,,,,,,0";
  return lines;
}

}  // namespace

TEST(TextLines, TellsUtf8FromCp932AndSplitsLines) {
  EXPECT_TRUE(IsValidUtf8("abc"));
  EXPECT_TRUE(IsValidUtf8("荒見川"));
  EXPECT_FALSE(IsValidUtf8(plamor::cp932::FromUtf8("荒見川")));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xE8\x8D"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate

  const fs::path file = fs::temp_directory_path() / "plamor_draw_lines.txt";
  std::ofstream(file, std::ios::binary) << plamor::cp932::FromUtf8("一行目\r\n二行目\r\n\r\n");
  EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"一行目", "二行目", ""}));
  std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBFx,y\nz";
  EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"x,y", "z"}));
  fs::remove(file);
  EXPECT_NE(ErrorOf([&] { ReadTextLines(file); }).find("plamor_draw_lines.txt: cannot be read"), std::string::npos);
}

TEST(ObservationFile, ExamplesAndAGoodObservationAreTaken) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kExamples / "sections")) {
    const ObservationFile o = ReadObservationFile(entry.path());
    EXPECT_EQ(o.points, 19u) << entry.path();
    EXPECT_EQ(o.lines.size(), 12u);
    ++files;
  }
  EXPECT_EQ(files, 4);
  // One of the examples is stored in CP932 and reads as the same Japanese text.
  const ObservationFile cp932 = ReadObservationFile(kExamples / "sections" / "arami_24k_2019-11.csv");
  EXPECT_NE(cp932.lines[0].find("荒見川 24.0k 横断面"), std::string::npos);
  // The diked section: both bank points lie above the water.
  EXPECT_EQ(ReadObservationFile(kExamples / "levee" / "arami_8k_2023-07.csv").points, 15u);

  const ObservationFile o = CheckObservationLines("obs.csv", GoodObservation());
  EXPECT_EQ(o.points, 4u);
  EXPECT_EQ(o.number, "3");

  // Banks above the water, almost level or sloping away from it, as a levee
  // section has them: the water line ends where the bed meets the water.
  auto banks = GoodObservation();
  banks[3] = banks[4] = "-1.0,-0.99,1.2,-0.8";
  EXPECT_EQ(CheckObservationLines("obs.csv", banks).points, 4u);
  banks[3] = banks[4] = "-1.0,-3.0,1.2,-3.0,-1.0";
  banks[2] = "0,5,10,15,20";
  EXPECT_EQ(CheckObservationLines("obs.csv", banks).points, 5u);
}

TEST(ObservationFile, FaultsNameTheirLineAndField) {
  struct Case {
    int line;  // 0-based element to change
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {2, "0,5,1O,15", "obs.csv: line 3, field 3: point distance: \"1O\" is not a number"},
      {2, "", "obs.csv: line 3: no point distances"},
      {3, "-1.0,0.5,1.2", "obs.csv: line 4, field 4: first depth reading is missing"},
      {4, "-1.0,x,1.3,-0.8", "obs.csv: line 5, field 2: second depth reading: \"x\" is not a number"},
      {11, "3,2003/13/45,,,,,,,,2.35,2.37", "obs.csv: line 12, field 2: observation date \"2003/13/45\""},
      {11, "3,2003/07/15,,,,,,,,,2.37", "obs.csv: line 12, field 10: first water-surface reading is missing"},
      {11, ",2003/07/15,,,,,,,,2.35,2.37", "obs.csv: line 12, field 1: the observation number is missing"},
      {0, ",,title,,,,,,,,,,,,,,ten,cap", "obs.csv: line 1, field 17: datum elevation: \"ten\""},
  };
  for (const Case& c : cases) {
    auto lines = GoodObservation();
    lines[c.line] = c.text;
    EXPECT_NE(ErrorOf([&] { CheckObservationLines("obs.csv", lines); }).find(c.message), std::string::npos)
        << c.message;
  }
  auto shortFile = GoodObservation();
  shortFile.resize(11);
  EXPECT_NE(ErrorOf([&] { CheckObservationLines("obs.csv", shortFile); }).find("obs.csv: has 11 lines"),
            std::string::npos);
}

TEST(HqTable, ReadsStationAndMeasurementsAndComputesRootDischarge) {
  const HqTable t = ReadHqTable(kExamples / "hq" / "arami_bashi_2023.csv");
  EXPECT_EQ(t.riverSystem, "荒見川水系");
  EXPECT_EQ(t.river, "荒見川");
  EXPECT_EQ(t.station, "荒見橋");
  EXPECT_EQ(t.stationNumber, "302041");
  EXPECT_EQ(t.year, 2023);
  ASSERT_EQ(t.measurements.size(), 20u);
  const Measurement& first = t.measurements.front();
  EXPECT_EQ(first.label, "1");
  EXPECT_DOUBLE_EQ(first.stage, 0.38);
  EXPECT_DOUBLE_EQ(first.quantity[kDischarge], 0.89);
  EXPECT_DOUBLE_EQ(first.quantity[kRootDischarge], std::sqrt(0.89));
  for (bool has : t.hasColumn) EXPECT_TRUE(has);

  // Columns in another order, no labels, a given √Q, comments between.
  const HqTable u = ParseHqTable("t.csv", {"# 観測: メモ", "discharge,stage,sqrt_discharge", "", "# x", "4,1.5,9"});
  ASSERT_EQ(u.measurements.size(), 1u);
  EXPECT_EQ(u.measurements[0].label, "1");
  EXPECT_DOUBLE_EQ(u.measurements[0].stage, 1.5);
  EXPECT_DOUBLE_EQ(u.measurements[0].quantity[kRootDischarge], 9);
  EXPECT_FALSE(u.hasColumn[kArea]);

  HqKind kind;
  EXPECT_TRUE(ParseHqKind("sq", kind));
  EXPECT_EQ(kind, kRootDischarge);
  EXPECT_FALSE(ParseHqKind("H", kind));
}

TEST(HqTable, FaultsNameTheirLineAndColumn) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"stage,discharge", "1.2,abc"}, "t.csv: line 2, field 2: discharge: \"abc\" is not a number"},
      {{"stage,discharge", "1.2,"}, "t.csv: line 2, field 2: discharge is missing"},
      {{"stage,discharge", "1.2,3,4"}, "t.csv: line 2: has 3 fields; the header names 2 columns"},
      {{"stage,flow"}, "t.csv: line 1, field 2: unknown column \"flow\""},
      {{"stage,area"}, "t.csv: line 1: the header has no \"discharge\" column"},
      {{"stage,stage,discharge"}, "t.csv: line 1, field 2: column \"stage\" appears twice"},
      {{"stage,discharge"}, "t.csv: has no measurements below its header line"},
      {{"# station: x"}, "t.csv: has no header line"},
      {{"# year: 二〇〇三", "stage,discharge", "1,2"}, "t.csv: line 1: year: \"二〇〇三\" is not a year"},
      {{"# stasion: x"}, "t.csv: line 1: unknown station field \"stasion\""},
      {{"stage,discharge", "1,-4"}, "t.csv: line 2: a negative discharge has no square root"},
  };
  for (const auto& [lines, message] : cases)
    EXPECT_NE(ErrorOf([&] { ParseHqTable("t.csv", lines); }).find(message), std::string::npos) << message;
}

TEST(ObservationFile, ValuesTheChartCannotDrawAreRefusedAtTheirField) {
  struct Case {
    std::vector<std::pair<int, std::string>> changes;  // 0-based line, new text
    std::string message;
  };
  std::string manyPoints = "0";
  for (int k = 1; k <= 2000; ++k) manyPoints += "," + std::to_string(k);
  std::string manyDepths = "1";
  for (int k = 1; k <= 2000; ++k) manyDepths += ",1";
  const Case cases[] = {
      {{{2, "0,1e400,10,15"}}, "obs.csv: line 3, field 2: point distance: \"1e400\" is out of range"},
      {{{2, "0,5,10,-20000"}}, "obs.csv: line 3, field 4: point 4 lies at distance -20000 m"},
      {{{0, ",,t,,,,,,,,,,,,,,5000,cap"}}, "obs.csv: line 12, field 10: the water surface lies at 5002.36 m"},
      {{{3, "-1.0,0.5,9000,-0.8"}, {4, "-1.0,0.5,9000,-0.8"}}, "obs.csv: line 4, field 3: the bed of point 3 lies at"},
      {{{2, manyPoints}, {3, manyDepths}, {4, manyDepths}}, "obs.csv: line 3, field 2001: 2001 points; the chart draws at most 2000"},
      {{{11, "3,2003/07/15,,,,,,,,-2000,-2000"}, {3, "-4000,-4000,-4000.5,-4000"}, {4, "-4000,-4000,-4000.5,-4000"}},
       "obs.csv: line 12, field 10: the water surface at -1990 m lies far outside the bed"},
      // Fields are echoed quoted, control characters escaped, long ones cut.
      {{{2, "0,5,1\f0\r,15"}}, "obs.csv: line 3, field 3: point distance: \"1\\f0\\r\" is not a number"},
      {{{2, "0,5," + std::string(5000, 'x')}}, "point distance: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" (5000 bytes) is not"},
  };
  for (const Case& c : cases) {
    auto lines = GoodObservation();
    for (const auto& [line, text] : c.changes) lines[static_cast<std::size_t>(line)] = text;
    const std::string error = ErrorOf([&] { CheckObservationLines("obs.csv", lines); });
    EXPECT_NE(error.find(c.message), std::string::npos) << c.message << "\n got: " << error;
  }
}

TEST(HqTable, ValuesBeyondAnyRiverAreRefusedAtTheirField) {
  EXPECT_NE(ErrorOf([] { ParseHqTable("t.csv", {"stage,discharge", "1.2,1e300"}); })
                .find("t.csv: line 2, field 2: discharge: \"1e300\" is out of range (at most 1000000000 in size)"),
            std::string::npos);
  EXPECT_NE(ErrorOf([] { ParseHqTable("t.csv", {"stage,discharge", "1e400,2"}); }).find("t.csv: line 2, field 1: stage"),
            std::string::npos);
  // The largest values taken still give round axis ranges.
  const HqTable t = ParseHqTable("t.csv", {"stage,discharge", "-1e9,1e9", "1e9,-0"});
  EXPECT_NO_THROW(StageRange({t.measurements[0].stage, t.measurements[1].stage}));
  EXPECT_NO_THROW(QuantityRange({t.measurements[0].quantity[kDischarge], 0.0}));
}

TEST(InputFiles, AFolderIsSaidToBeAFolder) {
  const auto folder = fs::temp_directory_path();
  EXPECT_NE(ErrorOf([&] { ReadObservationFile(folder); }).find(folder.string() + ": is a folder, not a file"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { ReadHqTable(folder); }).find("is a folder"), std::string::npos);
}
