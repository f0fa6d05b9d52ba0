#include <gtest/gtest.h>

#include "charts/danmen.h"
#include "charts/danmen_plamor.h"
#include "charts/host_error.h"
#include "drawing_server_fixture.h"
#include "observation_lines.h"
#include "three_observations.h"
#include "platform/prompts.h"
#include "platform/prompts_scripted.h"

namespace plamor::charts {
namespace {

using charts_test::ExpectCalls;

std::vector<std::string> Observation(const char* number, const char* date, const char* water,
                                     const char* distances, const char* depths) {
  return charts_test::SurveyLines("断面", "T.P.", number, date, water, distances, depths);
}

class DanmenPlamorTest : public charts_test::DrawingServerTest {
 protected:
  // The three observations, the first and the third selected, on ranges that
  // give 5 mm per metre across and 54 mm per metre up.
  void LoadThree() {
    charts_test::SetThreeObservations(danmen_, "断面", "T.P.");
    danmen_.SetSuisinMin(0);
    danmen_.SetSuisinMax(5);
    danmen_.DanmenZu(1);
    danmen_.DanmenZu(3);
  }

  Danmen danmen_;
};

std::string Axis(const std::string& head, const std::string& size, const char* kiten = nullptr) {
  std::string s = head + ", 0, 0, 0, vHeight:=" + size + ", vWidth:=" + size + ", vBetween:=0, vPen:=1, vLayer:=1";
  return kiten ? s + ", vKiten:=" + kiten : s;
}

std::vector<std::string> ExpectedThree() {
  std::vector<std::string> e = charts_test::A3SetUp();
  auto add = [&](std::initializer_list<std::string> lines) { e.insert(e.end(), lines); };
  add({"Sen 32, 10, 32, 280", "Sen 402, 280, 402, 10", "Sen 402, 10, 32, 10",
       Axis("Moji 35, 250, \"断面\"", "5"), Axis("Moji 399, 250, \"断面\"", "5", "2"),
       Axis("Moji 33, 11, \"T.P.0.00\"", "5"), Axis("Moji 401, 11, \"T.P.0.00\"", "5", "2")});
  // Elevation ticks every 0.5 m (27 mm), long and labelled every metre.
  const char* heights[] = {"37", "64", "91", "118", "145", "172", "199", "226", "253", "280"};
  for (int k = 0; k < 10; ++k) {
    const std::string y = heights[k];
    if (k % 2 == 0) {
      add({"Sen 32, " + y + ", 36, " + y + ", vPen:=1", "Sen 398, " + y + ", 402, " + y + ", vPen:=1"});
    } else {
      const std::string label = std::to_string((k + 1) / 2);
      const std::string ly = heights[k] + std::string(".5");
      add({"Sen 32, " + y + ", 39, " + y + ", vPen:=1", "Sen 395, " + y + ", 402, " + y + ", vPen:=1",
           Axis("Moji 34.5, " + ly + ", \"" + label + "\"", "3"),
           Axis("Moji 399.5, " + ly + ", \"" + label + "\"", "3", "2")});
    }
  }
  // Distance ticks every 10 m (50 mm) from -10 to 60.
  const char* xs[] = {"32", "82", "132", "182", "232", "282", "332", "382"};
  const char* ds[] = {"-10", "0", "10", "20", "30", "40", "50", "60"};
  for (int k = 0; k < 8; ++k)
    add({std::string("Sen ") + xs[k] + ", 10, " + xs[k] + ", 17, vPen:=1",
         Axis(std::string("Moji ") + xs[k] + ", 9.5, \"" + ds[k] + "\"", "3", "7")});
  // Observation 1: pen 2, solid, layer 2. Wall at the right end; the water
  // line starts where the bed crosses it between points 1 and 2.
  const std::string o1 = ", vPen:=2, vStyl:=\"0\", vLayer:=2";
  const std::string t1 = ", 0, 0, 0, vHeight:=2, vWidth:=2, vBetween:=0, vPen:=2, vLayer:=2, vKiten:=";
  add({"Sen 232, 91, 232, 118" + o1, "Sen 232, 118, 107, 118" + o1, "Moji 157, 118.5, \"第1回\"" + t1 + "1",
       "Moji 157, 117.5, \"1回　2003/07/15\"" + t1 + "7", "Sen 82, 172, 132, 64" + o1, "Sen 132, 64, 182, 37" + o1,
       "Sen 182, 37, 232, 91" + o1});
  // Observation 3: pen 4, solid, layer 4. Wall at the left end; the water
  // line ends where the bed crosses it between points 2 and 3.
  const std::string o3 = ", vPen:=4, vStyl:=\"0\", vLayer:=4";
  const std::string t3 = ", 0, 0, 0, vHeight:=2, vWidth:=2, vBetween:=0, vPen:=4, vLayer:=4, vKiten:=";
  add({"Sen 107, 118, 107, 172" + o3, "Sen 282, 172, 107, 172" + o3, "Moji 194.5, 172.5, \"第3回\"" + t3 + "1",
       "Moji 194.5, 171.5, \"3回　2004/08/01\"" + t3 + "7", "Sen 107, 118, 207, 10" + o3,
       "Sen 207, 10, 307, 226" + o3});
  add({charts_test::OutputCall(), "Clear"});
  return e;
}

TEST_F(DanmenPlamorTest, DrawsTheSelectedObservationsThroughANewServerObject) {
  LoadThree();
  danmen_.CreatePlamor();
  EXPECT_EQ(log_.created, 1);
  EXPECT_EQ(log_.identifier, kPlamorProgId);
  EXPECT_EQ(log_.transport, host::DefaultTransport());
  EXPECT_TRUE(log_.released);
  ExpectCalls(log_.calls, ExpectedThree());
  // The control is only read.
  EXPECT_EQ(danmen_.KyoriMax(), 64);
  EXPECT_TRUE(danmen_.Chart().Observation(1).OnOff());
  EXPECT_FALSE(danmen_.Chart().Observation(2).OnOff());

  danmen_.SetPlamorTransport(host::Transport::InProcess);
  danmen_.CreatePlamor();
  EXPECT_EQ(log_.created, 2);
  EXPECT_EQ(log_.transport, host::Transport::InProcess);
}

TEST_F(DanmenPlamorTest, PenStyleAndLayerFollowTheListPosition) {
  struct Row {
    int position, pen, style, layer;
  } rows[] = {{1, 2, 0, 2},  {2, 3, 0, 3},  {5, 6, 0, 6},   {6, 1, 0, 7},   {7, 2, 1, 8},
              {12, 1, 1, 13}, {13, 2, 3, 14}, {18, 1, 3, 19}, {19, 2, 1, 20}, {24, 1, 1, 25},
              {25, 2, 4, 26}, {30, 1, 4, 31}, {31, 2, 0, 32}, {40, 5, 0, 41}};
  for (const Row& r : rows) {
    const ObservationLook look = ObservationLookAt(r.position);
    EXPECT_EQ(look.pen, r.pen) << r.position;
    EXPECT_EQ(look.style, r.style) << r.position;
    EXPECT_EQ(look.layer, r.layer) << r.position;
  }
}

TEST_F(DanmenPlamorTest, NoSelectionShowsTheMessageAndStartsNoServer) {
  prompts::ScriptedPrompter prompter;
  prompter.ExpectMessage("断面が選択されていません。\n\n作図する断面をﾁｪｯｸしてください。", "選択エラー",
                         prompts::kOkOnly | prompts::kCritical, prompts::kOk);
  prompts::SetCurrent(&prompter);
  danmen_.SetData(Observation("1", "2003/07/15", "2", "0,10,20,30", "-1,1,1.5,0.5"));
  danmen_.CreatePlamor();
  danmen_.Clear();
  prompter.ExpectMessage("断面が選択されていません。\n\n作図する断面をﾁｪｯｸしてください。", "選択エラー",
                         prompts::kOkOnly | prompts::kCritical, prompts::kOk);
  danmen_.CreatePlamor();  // an empty list too
  prompts::SetCurrent(nullptr);
  EXPECT_TRUE(prompter.Complete()) << ::testing::PrintToString(prompter.Failures());
  EXPECT_EQ(log_.created, 0);
}

TEST_F(DanmenPlamorTest, ChartsThatCannotBeDrawnAreRefusedBeforeTheServerStarts) {
  LoadThree();
  danmen_.SetSuisinMax(0);
  try {
    danmen_.CreatePlamor();
    ADD_FAILURE() << "an empty elevation range was drawn";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kDivisionByZero);
    EXPECT_NE(std::string(e.what()).find("SuisinMin..SuisinMax"), std::string::npos) << e.what();
  }
  danmen_.SetSuisinMax(5);
  danmen_.SetKyoriMax(-10);
  EXPECT_THROW(danmen_.CreatePlamor(), HostError);

  danmen_.SetKyoriMax(64);

  // More points than the point table holds.
  std::string distances = "0";
  for (int i = 1; i <= DanmenChart::kMaxPoints; ++i) distances += ",0";
  danmen_.SetData(Observation("4", "2005/01/01", "1", distances.c_str(), "0"));
  danmen_.Chart().Observation(4).SetOnOff(true);
  try {
    danmen_.CreatePlamor();
    ADD_FAILURE() << "2001 points were drawn";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
    EXPECT_NE(std::string(e.what()).find("2001 points"), std::string::npos) << e.what();
  }
  EXPECT_EQ(log_.created, 0);
}

TEST_F(DanmenPlamorTest, AnObservationWithoutPointsIsDrawnFromTheEmptyPointTable) {
  LoadThree();
  danmen_.SetData(Observation("4", "2005/01/01", "1", "", ""));
  danmen_.SetKyoriMin(-10);
  danmen_.SetKyoriMax(64);
  danmen_.SetSuisinMin(0);
  danmen_.SetSuisinMax(5);
  danmen_.Chart().Observation(4).SetOnOff(true);
  danmen_.CreatePlamor();
  // Observation 4: pen 5, solid, layer 5. Point 1 is the table's (0, 0),
  // under the water at 1: a wall up to it and a water line from 0 to 0; no
  // labels, which come with point 1 of the profile.
  std::vector<std::string> expected = ExpectedThree();
  const std::string o4 = ", vPen:=5, vStyl:=\"0\", vLayer:=5";
  expected.insert(expected.end() - 2, {"Sen 32, 10, 32, 64" + o4, "Sen 32, 64, 32, 64" + o4});
  ExpectCalls(log_.calls, expected);
}

TEST_F(DanmenPlamorTest, AFailingServerIsTheCallersErrorAndIsReleased) {
  LoadThree();
  UseUnreachableServer();
  try {
    danmen_.CreatePlamor();
    ADD_FAILURE() << "no error from a server that cannot be started";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 429);
  }
  EXPECT_EQ(log_.created, 1);

  // Failing on the first line of observation 1 (call 67): nothing more is
  // drawn, no output is asked for, the drawing is cleared and released.
  const std::vector<std::string> all = ExpectedThree();
  const std::size_t failing = 67;
  ASSERT_EQ(all[failing - 1].rfind("Sen 232, 91, 232, 118", 0), 0u) << all[failing - 1];
  UseServer(failing);
  EXPECT_THROW(danmen_.CreatePlamor(), AutomationError);
  EXPECT_TRUE(log_.released);
  std::vector<std::string> expected(all.begin(), all.begin() + failing - 1);
  expected.push_back("Clear");
  ExpectCalls(log_.calls, expected);

  // Failing on the output itself.
  UseServer(all.size() - 1);
  EXPECT_THROW(danmen_.CreatePlamor(), AutomationError);
  EXPECT_TRUE(log_.released);
  EXPECT_EQ(log_.calls.back(), "Clear");
  EXPECT_EQ(log_.calls.size(), all.size() - 1);
}

TEST_F(DanmenPlamorTest, WaterLinesEndWhereTheBedMeetsTheWater) {
  // 1: a levee on each bank, water 2: landside ground (0, 3.0) (4, 3.1), crest
  //    (10, 4.8) (14, 4.8), riverside slope to (20, 3.0), low-water channel
  //    (25, 0.5) (30, 0.4) (35, 0.6) (40, 0.5), slope (45, 3.0), crest
  //    (50, 4.8) (54, 4.8), landside (60, 3.1) (64, 3.0)
  // 2: water 0.5 under every point: (0, 1.0) (20, 0.8) (40, 1.2)
  // 3: water 4 over every point: (5, 3.0) (30, 1.0) (60, 2.5)
  danmen_.SetData(Observation("1", "2023/07/04", "2", "0,4,10,14,20,25,30,35,40,45,50,54,60,64",
                              "-1.0,-1.1,-2.8,-2.8,-1.0,1.5,1.6,1.4,1.5,-1.0,-2.8,-2.8,-1.1,-1.0"));
  danmen_.SetData(Observation("2", "2023/08/01", "0.5", "0,20,40", "-0.5,-0.3,-0.7"));
  danmen_.SetData(Observation("3", "2023/09/01", "4", "5,30,60", "1,3,1.5"));
  danmen_.SetKyoriMin(-10);
  danmen_.SetKyoriMax(64);
  danmen_.SetSuisinMin(0);
  danmen_.SetSuisinMax(5);
  for (int k = 1; k <= 3; ++k) danmen_.Chart().Observation(k).SetOnOff(true);
  danmen_.CreatePlamor();

  // The frame, title and ticks of the same ranges as ExpectedThree.
  const std::vector<std::string> three = ExpectedThree();
  std::vector<std::string> e(three.begin(), three.begin() + 66);
  auto add = [&](std::initializer_list<std::string> lines) { e.insert(e.end(), lines); };
  // Observation 1: the water line (y 118) from the crossing between points 9
  // and 10, 55 - 5 * 1 / 2.5 = 53 (x 297), to the one between points 5 and
  // 6, 30 + 5 * 1 / 2.5 = 32 (x 192); the labels centred between x 297 and
  // point 1 (x 82).
  const std::string o1 = ", vPen:=2, vStyl:=\"0\", vLayer:=2";
  const std::string t1 = ", 0, 0, 0, vHeight:=2, vWidth:=2, vBetween:=0, vPen:=2, vLayer:=2, vKiten:=";
  add({"Sen 297, 118, 192, 118" + o1, "Moji 189.5, 118.5, \"第1回\"" + t1 + "1",
       "Moji 189.5, 117.5, \"1回　2023/07/04\"" + t1 + "7", "Sen 82, 172, 102, 177.4" + o1,
       "Sen 102, 177.4, 132, 269.2" + o1, "Sen 132, 269.2, 152, 269.2" + o1, "Sen 152, 269.2, 182, 172" + o1,
       "Sen 182, 172, 207, 37" + o1, "Sen 207, 37, 232, 31.6" + o1, "Sen 232, 31.6, 257, 42.4" + o1,
       "Sen 257, 42.4, 282, 37" + o1, "Sen 282, 37, 307, 172" + o1, "Sen 307, 172, 332, 269.2" + o1,
       "Sen 332, 269.2, 352, 269.2" + o1, "Sen 352, 269.2, 382, 177.4" + o1, "Sen 382, 177.4, 402, 172" + o1});
  // Observation 2: no water line; the labels at the water's height (y 37),
  // centred between points 1 (x 82) and 3 (x 282).
  const std::string o2 = ", vPen:=3, vStyl:=\"0\", vLayer:=3";
  const std::string t2 = ", 0, 0, 0, vHeight:=2, vWidth:=2, vBetween:=0, vPen:=3, vLayer:=3, vKiten:=";
  add({"Moji 182, 37.5, \"第2回\"" + t2 + "1", "Moji 182, 36.5, \"2回　2023/08/01\"" + t2 + "7",
       "Sen 82, 64, 182, 53.2" + o2, "Sen 182, 53.2, 282, 74.8" + o2});
  // Observation 3: walls at both ends up to the water (y 226), the water
  // line between them.
  const std::string o3 = ", vPen:=4, vStyl:=\"0\", vLayer:=4";
  const std::string t3 = ", 0, 0, 0, vHeight:=2, vWidth:=2, vBetween:=0, vPen:=4, vLayer:=4, vKiten:=";
  add({"Sen 107, 172, 107, 226" + o3, "Sen 382, 145, 382, 226" + o3, "Sen 382, 226, 107, 226" + o3,
       "Moji 244.5, 226.5, \"第3回\"" + t3 + "1", "Moji 244.5, 225.5, \"3回　2023/09/01\"" + t3 + "7",
       "Sen 107, 172, 232, 64" + o3, "Sen 232, 64, 382, 145" + o3});
  add({charts_test::OutputCall(), "Clear"});
  ExpectCalls(log_.calls, e);
}

TEST_F(DanmenPlamorTest, ACancelInTheServerEndsTheWait) {
  LoadThree();
  UseServer(0, 3);
  danmen_.CreatePlamor();
  EXPECT_TRUE(log_.released);
  ExpectCalls(log_.calls, ExpectedThree());
}

}  // namespace
}  // namespace plamor::charts
