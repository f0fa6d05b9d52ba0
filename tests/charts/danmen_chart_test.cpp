// The cross-section chart, drawn onto a recording picture of 420 x 332 units:
// bottom B = 312, plot width W = 380, plot height H = 302.
#include "charts/danmen_chart.h"

#include <gtest/gtest.h>

#include "charts/host_error.h"
#include "charts/recording_picture.h"
#include "observation_lines.h"
#include "tests/charts/host_error_number.h"

namespace plamor::charts {
namespace {

using charts_test::Lines;
using charts_test::ObservationText;
using Ops = std::vector<std::string>;

const char* const kFont = "[ＭＳ ゴシック 9]";

ObservationText Observation(const char* number, const char* date, const char* waterA, const char* waterB,
                            const char* distances, const char* first, const char* second) {
  ObservationText o;
  o.header = {{3, "第1断面"}, {17, "0"}, {18, "T.P."}};
  o.observation = {{1, number}, {2, date}, {10, waterA}, {11, waterB}, {19, "0"}};
  o.distances = distances;
  o.firstDepths = first;
  o.secondDepths = second;
  return o;
}

// Water 3.01; points (3, 3.5) (10, 2.0) (20, 1.2) (30, 1.5) (40, 2.5) (47, 4.8).
std::vector<std::string> First() {
  return Lines(Observation("1", "2003/07/15", "3.00", "3.01", "3,10,20,30,40,47", "-0.49,1.01,1.81,1.51,0.51,-1.79",
                           "-0.49,1.01,1.81,1.51,0.51,-1.79"));
}
// Water 2.5; points (12.5, 2.2) (20, 1.0) (30, 0.5) (40, 0.8) (50, 2.0) (61, 3.0).
std::vector<std::string> Second() {
  return Lines(Observation("2", "2004/7/20", "2.5", "2.5", "12.5,20,30,40,50,61", "0.3,1.5,2.0,1.7,0.5,-0.5",
                           "0.3,1.5,2.0,1.7,0.5,-0.5"));
}
// Water 2.0; points (5, 3.0) (15, 3.0) (25, 1.0) (35, 1.5): two equal points
// above the water at the left, the last point under it.
std::vector<std::string> Third() {
  return Lines(Observation("3", "2005-08-02", "2.0", "2.0", "5,15,25,35", "-0.9,-0.9,0.8,0.5", "-1.1,-1.1,1.2,0.5"));
}

// Water 2.0; a levee on each bank: landside ground (0, 3.0) (4, 3.1), crest
// (10, 4.8) (14, 4.8), riverside slope down to (20, 3.0), low-water channel
// (25, 0.5) (30, 0.4) (35, 0.6) (40, 0.5), slope (45, 3.0), crest (50, 4.8)
// (54, 4.8), landside (60, 3.1) (64, 3.0).
std::vector<std::string> Levee() {
  const char* depths = "-1.0,-1.1,-2.8,-2.8,-1.0,1.5,1.6,1.4,1.5,-1.0,-2.8,-2.8,-1.1,-1.0";
  return Lines(Observation("1", "2023/07/04", "2.0", "2.0", "0,4,10,14,20,25,30,35,40,45,50,54,60,64", depths, depths));
}
// Water 0.5 under every point: (0, 1.0) (20, 0.8) (40, 1.2).
std::vector<std::string> AboveTheWater() {
  return Lines(Observation("2", "2023/08/01", "0.5", "0.5", "0,20,40", "-0.5,-0.3,-0.7", "-0.5,-0.3,-0.7"));
}
// Water 4.0 over every point: (5, 3.0) (30, 1.0) (60, 2.5).
std::vector<std::string> UnderTheWater() {
  return Lines(Observation("3", "2023/09/01", "4.0", "4.0", "5,30,60", "1.0,3.0,1.5", "1.0,3.0,1.5"));
}

// Frame, texts and grid for ranges -10..70 and 0..5: kx = 5 (4.75), ky = 60 (60.4).
Ops FrameAndGrid() {
  return {
      "box (25,312)-(405,10) #808080 w2 solid",
      std::string("print (30,20) #800080 \"第1断面\" ") + kFont,
      std::string("print (27,298) #800080 \"T.P.0.00\" ") + kFont,
      // elevation lines at y = round(6.04 v) for v = 5, 10, ... 50
      "line (25,282)-(405,282) #808080 w1 dot",
      "line (25,252)-(405,252) #808080 w1 dot",
      std::string("print (10,246) #800080 \"1\" ") + kFont,
      "line (25,221)-(405,221) #808080 w1 dot",
      "line (25,191)-(405,191) #808080 w1 dot",
      std::string("print (10,185) #800080 \"2\" ") + kFont,
      "line (25,161)-(405,161) #808080 w1 dot",
      "line (25,131)-(405,131) #808080 w1 dot",
      std::string("print (10,125) #800080 \"3\" ") + kFont,
      "line (25,101)-(405,101) #808080 w1 dot",
      "line (25,70)-(405,70) #808080 w1 dot",
      std::string("print (10,64) #800080 \"4\" ") + kFont,
      "line (25,40)-(405,40) #808080 w1 dot",
      "line (25,10)-(405,10) #808080 w1 dot",
      std::string("print (10,4) #800080 \"5\" ") + kFont,
      // distance lines at x = round(4.75 (d + 10)): 0, 47.5 -> 48, 95, 142.5 -> 142, 190, 237.5 -> 238, 285, 332.5 -> 332, 380
      "line (25,312)-(25,10) #808080 w1 dot",
      std::string("print (16,316) #800080 \"-10\" ") + kFont,
      "line (73,312)-(73,10) #808080 w1 dot",
      std::string("print (69,316) #800080 \"0\" ") + kFont,
      "line (120,312)-(120,10) #808080 w1 dot",
      std::string("print (116,316) #800080 \"10\" ") + kFont,
      "line (167,312)-(167,10) #808080 w1 dot",
      std::string("print (163,316) #800080 \"20\" ") + kFont,
      "line (215,312)-(215,10) #808080 w1 dot",
      std::string("print (211,316) #800080 \"30\" ") + kFont,
      "line (263,312)-(263,10) #808080 w1 dot",
      std::string("print (259,316) #800080 \"40\" ") + kFont,
      "line (310,312)-(310,10) #808080 w1 dot",
      std::string("print (306,316) #800080 \"50\" ") + kFont,
      "line (357,312)-(357,10) #808080 w1 dot",
      std::string("print (353,316) #800080 \"60\" ") + kFont,
      "line (405,312)-(405,10) #808080 w1 dot",
      std::string("print (401,316) #800080 \"70\" ") + kFont,
  };
}

Ops Captions() {
  return {
      std::string("print (5,267) #FF00FF \"↑\" ") + kFont,  std::string("print (5,280) #FF00FF \"標\" ") + kFont,
      std::string("print (5,293) #FF00FF \"高\" ") + kFont,  std::string("print (43,316) #FF00FF \"距離\" ") + kFont,
      std::string("print (69,316) #FF00FF \"→\" ") + kFont,
  };
}

// Circles at the points and lines between them.
Ops Profile(const std::vector<std::pair<int, int>>& points, const std::string& color) {
  Ops ops;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto [x, y] = points[i];
    ops.push_back("circle (" + std::to_string(x) + "," + std::to_string(y) + ") r2 " + color + " w1 solid");
    if (i > 0)
      ops.push_back("line (" + std::to_string(points[i - 1].first) + "," + std::to_string(points[i - 1].second) + ")-(" +
                    std::to_string(x) + "," + std::to_string(y) + ") " + color + " w1 solid");
  }
  return ops;
}

Ops Concat(std::initializer_list<Ops> parts) {
  Ops all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Observation 1: no walls; points 1 and 2, and n - 1 and n, lie on both sides
// of the water: water at 312 - 60 * 3.01 = 131.4 -> 131 from
// xr = round(57 - 7 * 1.79 / 2.3) = 52 to xl = round(13 + 7 * 0.49 / 1.5) = 15.
Ops FirstOps(const std::string& color) {
  return Concat({{"line (285,131)-(100,131) " + color + " w1 solid"},
                 FrameAndGrid(),
                 Profile({{90, 102}, {125, 192}, {175, 240}, {225, 222}, {275, 162}, {310, 24}}, color),
                 Captions()});
}

// Observation 2: point 1 (x 137.5 -> 138) under the water (y 162): a wall;
// the water line starts at round(22.5) = 22 -> 135 and ends at the crossing
// round(71 - 11 * 0.5) = round(65.5) = 66 -> 355.
Ops SecondOps(const std::string& color) {
  return Concat({{"line (138,180)-(138,162) " + color + " w1 solid", "line (355,162)-(135,162) " + color + " w1 solid"},
                 FrameAndGrid(),
                 Profile({{138, 180}, {175, 252}, {225, 282}, {275, 264}, {325, 192}, {380, 132}}, color),
                 Captions()});
}

// Observation 3: points 1 and 2 equal above the water: the line starts
// where the bed meets the water between points 2 and 3, at round(25 + 10 *
// 1.0 / 2.0) = 30 -> 175; the last point is under the water: a wall at x 250.
Ops ThirdOps(const std::string& color) {
  return Concat({{"line (250,222)-(250,192) " + color + " w1 solid", "line (250,192)-(175,192) " + color + " w1 solid"},
                 FrameAndGrid(),
                 Profile({{100, 132}, {150, 132}, {200, 252}, {250, 222}}, color),
                 Captions()});
}

class DanmenChartTest : public ::testing::Test {
 protected:
  RecordingPicture picture{420, 332};
  DanmenChart chart{picture};

  int ErrorOf(const std::function<void()>& f) { return charts_test::HostErrorNumber(f); }
};

TEST_F(DanmenChartTest, SetDataDerivesRoundedRangesAndErases) {
  chart.SetData(First());
  EXPECT_DOUBLE_EQ(chart.KyoriMin(), -10);  // 0 becomes -10
  EXPECT_DOUBLE_EQ(chart.KyoriMax(), 50);
  EXPECT_DOUBLE_EQ(chart.SuisinMin(), 1);
  EXPECT_DOUBLE_EQ(chart.SuisinMax(), 5);
  chart.SetData(Second());
  EXPECT_EQ(chart.Count(), 2);
  EXPECT_DOUBLE_EQ(chart.KyoriMin(), -10);
  EXPECT_DOUBLE_EQ(chart.KyoriMax(), 70);
  EXPECT_DOUBLE_EQ(chart.SuisinMin(), 0);
  EXPECT_DOUBLE_EQ(chart.SuisinMax(), 5);
  EXPECT_EQ(chart.TitleText(), "第1断面");
  EXPECT_EQ(chart.BaseLevelCaption(), "T.P.");
  EXPECT_EQ(chart.KansokuNo(2), "2");
  EXPECT_EQ(picture.OpTexts(), (Ops{"erase #FFFFFF", "erase #FFFFFF"}));  // a blank white picture

  ObservationText o;
  o.observation = {{2, "2003/1/1"}};
  o.distances = "60,-3";
  chart.SetData(Lines(o));  // 60 rounds up to 70, -3 down to -10
  EXPECT_DOUBLE_EQ(chart.KyoriMax(), 70);
  EXPECT_DOUBLE_EQ(chart.KyoriMin(), -10);
  EXPECT_DOUBLE_EQ(chart.SuisinMin(), 0);
  EXPECT_EQ(chart.TitleText(), "");
}

TEST_F(DanmenChartTest, TwoObservationsDrawnOneByOne) {
  chart.SetData(First());
  chart.SetData(Second());
  picture.ClearOps();
  chart.DanmenZu(1);
  EXPECT_EQ(picture.OpTexts(), FirstOps("#0000FF"));
  EXPECT_TRUE(chart.Observation(1).OnOff());
  picture.ClearOps();
  chart.DanmenZu(2);
  EXPECT_EQ(picture.OpTexts(), SecondOps("#00FF00"));
}

TEST_F(DanmenChartTest, ThreeObservationsRedisplayAndHiding) {
  chart.SetData(First());
  chart.SetData(Second());
  chart.SetData(Third());
  chart.Observation(1).SetOnOff(true);
  chart.Observation(3).SetOnOff(true);
  picture.ClearOps();
  chart.Redisp();
  EXPECT_EQ(picture.OpTexts(), Concat({{"erase #FFFFFF"}, FirstOps("#0000FF"), ThirdOps("#00FFFF")}));

  // Hiding draws the observation in white; frame, grid and labels come back in their colours.
  picture.ClearOps();
  chart.DanmenZu(-1);
  EXPECT_EQ(picture.OpTexts(), FirstOps("#FFFFFF"));
  EXPECT_FALSE(chart.Observation(1).OnOff());
  picture.ClearOps();
  chart.Redisp();
  EXPECT_EQ(picture.OpTexts(), Concat({{"erase #FFFFFF"}, ThirdOps("#00FFFF")}));

  chart.Clear();
  EXPECT_EQ(chart.Count(), 0);
  EXPECT_DOUBLE_EQ(chart.KyoriMax(), 70);  // ranges and texts stay
  EXPECT_EQ(chart.TitleText(), "第1断面");
}

TEST_F(DanmenChartTest, WaterLineEndsWhereTheBedMeetsTheWater) {
  chart.SetData(Levee());
  chart.SetData(AboveTheWater());
  chart.SetData(UnderTheWater());
  picture.ClearOps();
  // Both banks above the water: the line runs from the crossing between
  // points 9 and 10, round(55 - 5 * 1.0 / 2.5) = 53 -> 290, to the one
  // between points 5 and 6, round(30 + 5 * 1.0 / 2.5) = 32 -> 185; nothing
  // over the levees. Water at 312 - 60 * 2 = 192.
  chart.DanmenZu(1);
  EXPECT_EQ(picture.OpTexts(),
            Concat({{"line (290,192)-(185,192) #0000FF w1 solid"},
                    FrameAndGrid(),
                    Profile({{75, 132}, {95, 126}, {125, 24}, {145, 24}, {175, 132}, {200, 282}, {225, 288},
                             {250, 276}, {275, 282}, {300, 132}, {325, 24}, {345, 24}, {375, 126}, {395, 132}},
                            "#0000FF"),
                    Captions()}));

  // A profile that never reaches the water: no water line.
  picture.ClearOps();
  chart.DanmenZu(2);
  EXPECT_EQ(picture.OpTexts(),
            Concat({FrameAndGrid(), Profile({{75, 252}, {175, 264}, {275, 240}}, "#00FF00"), Captions()}));

  // A profile under the water: walls at both ends up to it (y 72), the line
  // between them.
  picture.ClearOps();
  chart.DanmenZu(3);
  EXPECT_EQ(picture.OpTexts(),
            Concat({{"line (100,132)-(100,72) #00FFFF w1 solid", "line (375,162)-(375,72) #00FFFF w1 solid",
                     "line (375,72)-(100,72) #00FFFF w1 solid"},
                    FrameAndGrid(),
                    Profile({{100, 132}, {225, 252}, {375, 162}}, "#00FFFF"),
                    Captions()}));
}

TEST_F(DanmenChartTest, ColourOfTheNumberModuloSeven) {
  for (int i = 0; i < 8; ++i) chart.SetData(i == 7 ? Second() : First());
  picture.ClearOps();
  chart.DanmenZu(7);  // palette entry 8, the grid colour
  EXPECT_EQ(picture.OpTexts().front(), "line (285,131)-(100,131) #808080 w1 solid");
  picture.ClearOps();
  chart.DanmenZu(8);  // palette entry 9, as observation 1
  EXPECT_EQ(picture.OpTexts(), SecondOps("#0000FF"));
}

TEST_F(DanmenChartTest, ErrorsLeaveTheControlUsable) {
  chart.SetData(First());
  chart.SetData(Second());
  picture.ClearOps();
  for (int number : {0, 3, -3, INT32_MIN}) EXPECT_EQ(ErrorOf([&] { chart.DanmenZu(number); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { chart.KansokuNo(0); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { chart.KansokuNo(3); }), kSubscriptOutOfRange);
  EXPECT_TRUE(picture.Ops().empty());

  // Equal minimum and maximum set by the host: division by zero, nothing drawn.
  chart.SetSuisinMax(chart.SuisinMin());
  EXPECT_EQ(ErrorOf([&] { chart.DanmenZu(1); }), kDivisionByZero);
  chart.SetSuisinMax(5);
  chart.SetKyoriMin(70);
  EXPECT_EQ(ErrorOf([&] { chart.DanmenZu(1); }), kDivisionByZero);
  chart.SetKyoriMin(-10);
  EXPECT_TRUE(picture.Ops().empty());

  // A data set that cannot be read adds nothing; its title and caption
  // replace the stored ones all the same.
  std::vector<std::string> shortData = First();
  shortData.resize(11);
  shortData[0] = ",,other title,,,,,,,,,,,,,,,other base";
  EXPECT_EQ(ErrorOf([&] { chart.SetData(shortData); }), kSubscriptOutOfRange);
  EXPECT_EQ(chart.TitleText(), "other title");
  EXPECT_EQ(chart.BaseLevelCaption(), "other base");
  EXPECT_EQ(ErrorOf([&] { chart.SetData({}); }), kSubscriptOutOfRange);
  std::vector<std::string> badDate = First();
  badDate[11] = "1,3rd of July";
  EXPECT_EQ(ErrorOf([&] { chart.SetData(badDate); }), kTypeMismatch);
  EXPECT_EQ(chart.Count(), 2);
  EXPECT_EQ(chart.TitleText(), "第1断面");
  EXPECT_EQ(chart.BaseLevelCaption(), "T.P.");
  EXPECT_DOUBLE_EQ(chart.KyoriMax(), 70);

  chart.DanmenZu(1);
  EXPECT_EQ(picture.OpTexts(), FirstOps("#0000FF"));
}

TEST_F(DanmenChartTest, PointLimitAndEmptyObservations) {
  auto withPoints = [](int count) {
    std::string distances, depths;
    for (int i = 0; i < count; ++i) {
      distances += (i ? "," : "") + std::to_string(i % 50);
      depths += (i ? "," : "") + std::string("1");
    }
    return Lines(Observation("9", "2003/1/1", "2", "2", distances.c_str(), depths.c_str(), depths.c_str()));
  };
  chart.SetData(withPoints(2000));
  chart.SetData(withPoints(2001));
  ObservationText none = Observation("0", "2003/1/1", "2", "2", "", "", "");
  chart.SetData(Lines(none));
  chart.SetKyoriMin(-10);
  chart.SetKyoriMax(70);
  chart.SetSuisinMin(0);
  chart.SetSuisinMax(5);
  picture.ClearOps();
  chart.DanmenZu(1);
  // two walls and the water line, frame and grid, 2000 circles and 1999 lines, captions
  EXPECT_EQ(picture.Ops().size(), 3u + 36u + 2000u * 2 - 1 + 5);
  picture.ClearOps();
  EXPECT_EQ(ErrorOf([&] { chart.DanmenZu(2); }), kSubscriptOutOfRange);
  EXPECT_FALSE(chart.Observation(2).OnOff());  // an observation that cannot be drawn is not selected
  EXPECT_TRUE(picture.Ops().empty());

  // No points: point 1 is the table's (0, 0), under the water at 2.0, so a
  // wall at distance 0 and a water line from 0 to 0; frame, grid, captions.
  chart.DanmenZu(3);
  EXPECT_TRUE(chart.Observation(3).OnOff());
  const Ops ops = picture.OpTexts();
  ASSERT_EQ(ops.size(), 2u + 36u + 5u);
  EXPECT_EQ(ops[0], "line (25,312)-(25,192) #00FFFF w1 solid");
  EXPECT_EQ(ops[1], "line (25,192)-(25,192) #00FFFF w1 solid");
  picture.ClearOps();
  chart.Redisp();
  EXPECT_EQ(picture.Ops().size(), 1u + 3u + 36u + 2000u * 2 - 1 + 5 + 2u + 36u + 5u);
}

TEST(DanmenChart, PictureBeyondTheSixteenBitRangeOverflows) {
  RecordingPicture huge(40000, 300);
  DanmenChart chart(huge);
  chart.SetData(First());
  try {
    chart.DanmenZu(1);
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kOverflow);
  }
  huge.Resize(420, 332);
  chart.SetData(Second());
  huge.ClearOps();
  chart.DanmenZu(2);
  EXPECT_EQ(huge.OpTexts(), SecondOps("#00FF00"));
}

}  // namespace
}  // namespace plamor::charts
