#include <gtest/gtest.h>

#include "charts/host_error.h"
#include "charts/tbunpu.h"
#include "charts/tbunpu_plamor.h"
#include "drawing_server_fixture.h"
#include "platform/settings_store.h"

namespace plamor::charts {
namespace {

using charts_test::ExpectCalls;

// Pens of the sheet as the settings give them.
struct Pens {
  std::string p1, p2, pm, pb, pt;
};

// What differs between the sheets of the tests.
struct Sheet {
  Pens pens;
  std::vector<std::string> stageLabels;     // 5, bottom to top
  std::vector<std::string> quantityLabels;  // 8, left to right
  std::vector<std::string> measurements;    // markers and labels
  std::string letter;
};

// The sheet as the drawing of an H-Q chart lays it out, in its order.
std::vector<std::string> ExpectedSheet(const Sheet& s) {
  std::vector<std::string> e = charts_test::A3SetUp();
  auto sen = [&](const std::string& coords, const std::string& pen) { e.push_back("Sen " + coords + ", vPen:=" + pen); };
  auto text = [](const std::string& head, const std::string& size, const std::string& rest) {
    return head + ", 0, 0, 0, vHeight:=" + size + ", vWidth:=" + size + rest;
  };
  for (const char* c : {"50, 20, 50, 250", "50, 250, 400, 250", "400, 250, 400, 10", "400, 20, 50, 20",
                        "400, 10, 40, 10", "40, 10, 40, 260", "40, 260, 224, 260", "224, 260, 224, 250"})
    sen(c, s.pens.p1);
  for (const char* x : {"50", "73", "108", "131", "166", "189"}) sen(std::string(x) + ", 260, " + x + ", 250", s.pens.p2);
  // Main stage lines at 50, 100, 150, 200; labels 2 mm under each of the five pitches.
  const char* stageY[] = {"50", "100", "150", "200", "250"};
  const char* labelY[] = {"48", "98", "148", "198", "248"};
  for (int k = 0; k < 5; ++k) {
    if (k < 4) sen(std::string("50, ") + stageY[k] + ", 400, " + stageY[k], s.pens.p1);
    e.push_back(text(std::string("Moji 49, ") + labelY[k] + ", \"" + s.stageLabels[k] + "\"", "4",
                     ", vBetween:=0, vPen:=" + s.pens.pm + ", vLayer:=1, vKiten:=2"));
  }
  for (int k = 0; k < 8; ++k) {
    const std::string x = std::to_string(50 + 50 * k);
    if (k >= 1 && k <= 6) sen(x + ", 20, " + x + ", 250", s.pens.p1);
    e.push_back(text("Moji " + x + ", 19, \"" + s.quantityLabels[k] + "\"", "4",
                     ", vBetween:=0, vPen:=" + s.pens.pm + ", vLayer:=1, vKiten:=7"));
  }
  // Graph paper: every 5 mm where no main line lies.
  for (int y = 25; y <= 245; y += 5)
    if (y % 50 != 0) sen("50, " + std::to_string(y) + ", 400, " + std::to_string(y), s.pens.p2);
  for (int x = 55; x <= 395; x += 5)
    if (x % 50 != 0) sen(std::to_string(x) + ", 20, " + std::to_string(x) + ", 250", s.pens.p2);
  e.insert(e.end(), s.measurements.begin(), s.measurements.end());
  for (const char* c : {"40, 263, 40, 278", "40, 278, 82, 278", "82, 278, 82, 263", "82, 263, 40, 263"}) sen(c, s.pens.p1);
  sen("40, 273, 82, 273", s.pens.p2);
  sen("50, 278, 50, 263", s.pens.p2);
  const std::string header = ", vBetween:=0, vPen:=" + s.pens.pm;
  e.push_back(text("Moji 53, 252, \"水系名\"", "5", header));
  e.push_back(text("Moji 78, 252, \"淀川\"", "5", header));
  e.push_back(text("Moji 111, 252, \"河川名\"", "5", header));
  e.push_back(text("Moji 136, 252, \"桂川\"", "5", header));
  e.push_back(text("Moji 168, 252, \"観測所名\"", "5", header));
  e.push_back(text("Moji 194, 252, \"羽束師\"", "5", header));
  e.push_back(text("Moji 42, 274, \"種別\"", "3", ", vPen:=" + s.pens.pm));
  e.push_back(text("Moji 53, 274, \"観 測 所 番 号\"", "3", ", vPen:=" + s.pens.pm));
  e.push_back(text("Moji 50.5, 266, \"30611\"", "4", ", vPen:=" + s.pens.pm));
  e.push_back(text("Moji 320, 252, \"平成 15 年（西暦 2003 年）\"", "5", header));
  e.push_back(text("MojiExtMsM 180, 268, \"Ｈ　－　" + s.letter + "　図\"", "9", ", vBetween:=0, vPen:=" + s.pens.pt));
  e.push_back(text("MojiExtMsM 47, 27, \"Ｈ\"", "5", header + ", vLayer:=1, vKiten:=2"));
  e.push_back(text("MojiExtMsM 47, 35, \"↑\"", "5", header + ", vLayer:=1, vKiten:=2"));
  e.push_back(text("MojiExtMsM 70, 17, \"" + s.letter + "　→\"", "5", header + ", vLayer:=1, vKiten:=6"));
  e.push_back(charts_test::OutputCall());
  e.push_back("Clear");
  return e;
}

// Marker circles at (x, y) in the given pen, layer 2, and the label below-right.
struct Place {
  const char* at;
  const char* label;
  const char* text;
};
std::vector<std::string> Markers(std::initializer_list<Place> places, const std::string& pen,
                                 std::initializer_list<const char*> radii, const std::string& labelPen) {
  std::vector<std::string> lines;
  for (const Place& p : places) {
    for (const char* r : radii) lines.push_back(std::string("En ") + p.at + ", " + r + ", vPen:=\"" + pen + "\", vLayer:=2");
    lines.push_back(std::string("Moji ") + p.label + ", \"" + p.text +
                    "\", 0, 0, 0, vHeight:=3, vWidth:=3, vBetween:=0, vPen:=" + labelPen + ", vLayer:=2, vKiten:=7");
  }
  return lines;
}

// The three drawn measurements of the fixture on the Q chart.
const std::initializer_list<Place> kQPlaces = {
    {"50, 50", "51.2, 48.9", "No1"}, {"225, 150", "226.2, 148.9", "No2"}, {"112, 75", "113.2, 73.9", "No3"}};

class TBunpuPlamorTest : public charts_test::DrawingServerTest {
 protected:
  // Four measurements (H; Q, A, B, V, SQ):
  //   1 at the minima (Q 0, A 1)   -> (50, 50)
  //   2 H 1, Q 35                  -> (225, 150)
  //   3 H 0.25, Q 12.5             -> (112.5 -> 112, 75)
  //   4 all quantities 0           -> not drawn
  void SetUp() override {
    DrawingServerTest::SetUp();
    tbunpu_.SetGrpData({0, 0, 1, 0.25, 1.5}, {0, 0, 35, 12.5, 0}, {0, 1, 7, 3, 0}, {0, 1, 1, 1, 0},
                       {0, 1, 1, 1, 0}, {0, 0, 5.9, 3.5, 0});
    tbunpu_.SetDatNo({"", "No1", "No2", "No3", "No4"});
    tbunpu_.SetYMin(0);
    tbunpu_.SetYMax(2);
    tbunpu_.SetQMin(0);
    tbunpu_.SetQMax(70);
    tbunpu_.SetSuikeiMei("淀川");
    tbunpu_.SetKasenMei("桂川");
    tbunpu_.SetKansokujyoMei("羽束師");
    tbunpu_.SetKansokujyoNo("30611");
    tbunpu_.SetSeireki(2003);
  }
  static void Store(const char* key, const char* value) { settings::SaveSetting("MORVALDENIK", "MEMORI", key, value); }

  static Sheet QChart(Pens pens, std::vector<std::string> measurements) {
    return {std::move(pens), {"0.0", "0.5", "1.0", "1.5", "2.0"}, {"0", "10", "20", "30", "40", "50", "60", "70"},
            std::move(measurements), "Ｑ"};
  }

  TBunpu tbunpu_;
};

TEST_F(TBunpuPlamorTest, WithoutSettingsMarkersAreFilledDotsOfPen2) {
  tbunpu_.HQSakuzu(0);
  EXPECT_EQ(log_.created, 1);
  EXPECT_EQ(log_.identifier, kPlamorProgId);
  EXPECT_EQ(log_.transport, host::DefaultTransport());
  EXPECT_TRUE(log_.released);
  const auto m = Markers(kQPlaces, "2", {"0.6", "0.5", "0.4", "0.3", "0.2", "0.1"}, "0");
  ExpectCalls(log_.calls, ExpectedSheet(QChart({"0", "0", "0", "0", "0"}, m)));
}

TEST_F(TBunpuPlamorTest, StoredSettingsGivePensAndMarkers) {
  Store("Hougan1Pen", "1");
  Store("Hougan2Pen", "5");
  Store("MojietcPen", "3");
  Store("BangouPen", "4");
  Store("TytlePen", "2");
  Store("Color", "10");  // between "1" and "6" in text order
  Store("Type", "2");
  Store("Size", "2");
  tbunpu_.HQSakuzu(0);
  const Pens pens{"1", "5", "3", "4", "2"};
  ExpectCalls(log_.calls, ExpectedSheet(QChart(pens, Markers(kQPlaces, "10", {"1"}, "4"))));

  // Double circles; a colour and a size out of range fall back to "2" and 1.2.
  Store("Color", "7");
  Store("Type", "3");
  Store("Size", "12");
  tbunpu_.HQSakuzu(0);
  ExpectCalls(log_.calls, ExpectedSheet(QChart(pens, Markers(kQPlaces, "2", {"0.6", "0.3"}, "4"))));
}

TEST_F(TBunpuPlamorTest, FinerStagesAndFractionalQuantitiesHaveTwoAndOneDecimals) {
  // Stage 0..1 (0.25 a pitch), A 0..10 (10/7 a pitch): chart of A.
  tbunpu_.SetYMax(1);
  tbunpu_.SetAMin(0);
  tbunpu_.SetAMax(10);
  tbunpu_.HQSakuzu(1);
  // A = 1, 7, 3 at 35 mm each; stages 0, 1, 0.25 at 200 mm each over 50.
  const auto m = Markers({{"85, 50", "86.2, 48.9", "No1"}, {"295, 250", "296.2, 248.9", "No2"},
                          {"155, 100", "156.2, 98.9", "No3"}},
                         "2", {"0.6", "0.5", "0.4", "0.3", "0.2", "0.1"}, "0");
  const Sheet sheet{{"0", "0", "0", "0", "0"},
                    {"0.00", "0.25", "0.50", "0.75", "1.00"},
                    {"0.0", "1.4", "2.9", "4.3", "5.7", "7.1", "8.6", "10.0"},
                    m,
                    "Ａ"};
  ExpectCalls(log_.calls, ExpectedSheet(sheet));
}

TEST_F(TBunpuPlamorTest, MarkerSettingsAndYearText) {
  auto marker = [](const char* color, const char* type, const char* size) {
    Store("Color", color);
    Store("Type", type);
    Store("Size", size);
    return ReadMarkerSettings();
  };
  // Corrections not met by the sheets above.
  MarkerSettings m = marker("6", "4", "0.05");
  EXPECT_EQ(m.color, "6");
  EXPECT_EQ(m.type, "1");
  EXPECT_EQ(m.size, 1.2);
  m = marker("0", "3", "10");
  EXPECT_EQ(m.color, "2");
  EXPECT_EQ(m.size, 10);
  EXPECT_EQ(marker("1", "2", "0.1").size, 0.1);
  EXPECT_EQ(marker("1", "2", "&H5").size, 1.2);  // not a number at its start: 0, out of range

  EXPECT_EQ(YearText(2003), "平成 15 年（西暦 2003 年）");
  EXPECT_EQ(YearText(2018), "平成 30 年（西暦 2018 年）");
  EXPECT_EQ(YearText(2019), "令和 1 年（西暦 2019 年）");
  EXPECT_EQ(YearText(2023), "令和 5 年（西暦 2023 年）");
  EXPECT_EQ(YearText(1989), "平成 1 年（西暦 1989 年）");
  EXPECT_EQ(YearText(1988), "平成    年（西暦      年）");
  EXPECT_EQ(YearText(0), "平成    年（西暦      年）");
}

TEST_F(TBunpuPlamorTest, BadKindsAndEmptyRangesAreRefusedBeforeTheServerStarts) {
  for (std::int16_t no : {std::int16_t(-1), std::int16_t(6), std::int16_t(5)}) {
    try {
      tbunpu_.HQSakuzu(no);
      ADD_FAILURE() << "kind " << no << " was drawn";
    } catch (const HostError& e) {
      EXPECT_EQ(e.Number(), kSubscriptOutOfRange) << e.what();
    }
  }
  tbunpu_.SetQMax(0);
  try {
    tbunpu_.HQSakuzu(0);
    ADD_FAILURE() << "an empty quantity range was drawn";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kDivisionByZero) << e.what();
  }
  EXPECT_EQ(log_.created, 0);

  // Without a measurement to draw, neither is in the way.
  tbunpu_.SetGrpData({0, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0});
  tbunpu_.HQSakuzu(5);
  EXPECT_EQ(log_.created, 1);
  EXPECT_TRUE(log_.released);
}

TEST_F(TBunpuPlamorTest, AFailingServerOrSettingIsTheCallersErrorAndTheDrawingIsReleased) {
  UseUnreachableServer();
  EXPECT_THROW(tbunpu_.HQSakuzu(0), AutomationError);

  // Failing on the first marker: the sheet so far is cleared and released.
  const std::string firstMarker = Markers({{"50, 50", "", ""}}, "2", {"0.6"}, "0")[0];
  const std::vector<std::string> all = ExpectedSheet(QChart({"0", "0", "0", "0", "0"}, {firstMarker}));
  const std::size_t failing = 13 + 14 + 4 + 5 + 6 + 8 + 41 + 63 + 1;
  ASSERT_EQ(all[failing - 1], firstMarker);
  UseServer(failing);
  EXPECT_THROW(tbunpu_.HQSakuzu(0), AutomationError);
  EXPECT_TRUE(log_.released);
  ASSERT_EQ(log_.calls.size(), failing);
  EXPECT_EQ(log_.calls[failing - 2], all[failing - 2]);
  EXPECT_EQ(log_.calls.back(), "Clear");

  // A pen setting that is no 16-bit number names the setting.
  Store("Hougan1Pen", "99999");
  UseServer();
  try {
    tbunpu_.HQSakuzu(0);
    ADD_FAILURE() << "pen 99999 was used";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kOverflow);
    EXPECT_NE(std::string(e.what()).find("Hougan1Pen"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(log_.released);
  EXPECT_EQ(log_.calls.back(), "Clear");
}

TEST_F(TBunpuPlamorTest, ACancelInTheServerEndsTheWaitAndTheTransportIsTheControls) {
  tbunpu_.SetPlamorTransport(host::Transport::InProcess);
  UseServer(0, 2);
  tbunpu_.HQSakuzu(0);
  EXPECT_EQ(log_.transport, host::Transport::InProcess);
  EXPECT_TRUE(log_.released);
  EXPECT_EQ(log_.calls.back(), "Clear");
  EXPECT_EQ(log_.calls[log_.calls.size() - 2], charts_test::OutputCall());
}

}  // namespace
}  // namespace plamor::charts
