// The steps of plamor-draw that do not need the drawing server: axis ranges,
// option reading, output files put in place, and the registration of a drawing
// read from one of our files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/folders.h"
#include "survey/axis_range.h"
#include "apps/plamor_draw/option_values.h"
#include "cli/input_error.h"
#include "server/formats/plm_writer.h"
#include "apps/plamor_draw/relay/model_registration.h"
#include "apps/plamor_draw/output_target.h"
#include "server/types.h"
#include "tests/support/recording_plamor.h"

using namespace plamor;
using namespace plamor::draw;
using namespace plamor::survey;
using namespace plamor::drawings;
namespace fs = std::filesystem;

TEST(AxisRange, RoundStepsHoldEveryValue) {
  struct Case {
    AxisRange got;
    double min, max;
  };
  const Case cases[] = {
      {StageRange({0.42, 2.12}), 0.0, 2.4},     // step 0.6
      {StageRange({0.5, 2.0}), 0.4, 2.0},       // step 0.4; a round maximum needs no further step
      {StageRange({-1.3, -0.2}), -1.6, 0.0},    // steps from a multiple below the lowest value
      {StageRange({3.0, 3.0}), 3.0, 3.04},      // one value still gives a range
      {QuantityRange({0.89, 97.16}), 0, 105},   // step 15
      {QuantityRange({0.146, 1.0}), 0, 1.4},    // step 0.2
      {QuantityRange({0.001, 0.002}), 0, 0.7},  // steps of one decimal at least
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(c.got.min, c.min);
    EXPECT_DOUBLE_EQ(c.got.max, c.max);
  }
  EXPECT_THROW(RoundRange({}, 4, 2), std::invalid_argument);
}

TEST(OptionValues, NumberListsAndRanges) {
  EXPECT_EQ(ParseNumberList("--select", "1,3"), (std::vector<int>{1, 3}));
  for (const char* bad : {"", "1,", "0", "1,x", "-2"}) EXPECT_THROW(ParseNumberList("--select", bad), UsageError) << bad;
  const AxisRange r = ParseRange("--stage", "0:2.4");
  EXPECT_DOUBLE_EQ(r.max, 2.4);
  for (const char* bad : {"2", "2:1", "1:1", "a:b", ":3"}) EXPECT_THROW(ParseRange("--stage", bad), UsageError) << bad;
}

TEST(OutputTarget, OnlyACompleteFileReplacesTheOldOne) {
  const fs::path folder = fs::temp_directory_path() / "plamor_draw_target";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::ofstream(folder / "plan.plm") << "old";
  {
    OutputTarget target(folder / "plan.plm");
    EXPECT_EQ(target.Temporary().parent_path(), folder);
    EXPECT_TRUE(folders::EndsWithKind(target.Temporary(), "PLM"));
    EXPECT_THROW(target.Commit(), std::runtime_error);  // the server wrote nothing
    std::ofstream(target.Temporary()) << "half";          // a run that gave up half way
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
  std::ifstream old(folder / "plan.plm");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
  {
    OutputTarget target(folder / "plan.plm");
    std::ofstream(target.Temporary()) << "new";
    std::ofstream(plm::MemoFileName(target.Temporary().string())) << "memo";
    target.Commit();
  }
  std::ifstream now(folder / "plan.plm");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(now), {}), "new");
  EXPECT_TRUE(fs::exists(folder / "plan.MET"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2);

  EXPECT_THROW(OutputTarget(folder / "missing" / "a.dxf"), InputError);
  EXPECT_THROW(OutputTarget{folder}, InputError);
  fs::remove_all(folder);
}

TEST(ModelRegistration, SizesGoInAsPaperMillimetres) {
  using namespace plamor;
  DrawingModel m;
  m.sheet = SheetInfo{ktpFREE, true, 300, 500, 100, 1, 2, 30, 5, "メモ"};
  m.elements = {LineElement{0, 0, 10, 0, {2, 3, ktpdash, 250}},
                ArcElement{5, 5, 2, 1, 0, 90, 15, {4, 1, ktpsolid, 0}},
                TextElement{1, 2, 270, 300, 30, 0, 90, 7, 5, true, 0, "縦"},
                TextElement{1, 2, 270, 300, 0, 0, 0, 1, 1, false, 0, ""}};
  plamor::testing::RecordingPlamor rec;
  RegisterModel(m, rec);
  const std::vector<std::string> expected = {
      "PaperScale = 100", "Paper = 1", "PaperSize = 15", "PaperTate = 300", "PaperYoko = 500",
      "GentenX = 1", "GentenY = 2", "HouiAngle = 30", "PlamorFlg = 5", "Memo = \"メモ\"", "TextKiten = 0",
      "Sen 0, 0, 10, 0, vPen:=2, vStyl:=1, vPich:=2.5, vLayer:=3",
      "Daenko 5, 5, 2, 1, 0, 90, 15, vPen:=4, vStyl:=0, vPich:=0, vLayer:=1",
      "Moji 1, 2, \"縦\", 1, 0, 90, vHeight:=3, vWidth:=2.7, vBetween:=0.3, vPen:=7, vLayer:=5, vKiten:=0",
      // An empty text survives only as an outline-font text.
      "MojiExtMsM 1, 2, \"\", 0, 0, 0, vHeight:=3, vWidth:=2.7, vBetween:=0, vPen:=1, vLayer:=1, vKiten:=0",
  };
  EXPECT_EQ(rec.calls, expected);
}
