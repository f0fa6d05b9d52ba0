// The H-Q chart, drawn onto a recording picture of 600 x 400 units: L = 30,
// bottom B = 380, plot width 560, plot height 320, py = round(320 / 4.6) = 70,
// px = 560 / 7 = 80.
#include "charts/tbunpu_chart.h"

#include <gtest/gtest.h>

#include "charts/host_error.h"
#include "charts/recording_picture.h"
#include "tests/charts/host_error_number.h"

namespace plamor::charts {
namespace {

using Ops = std::vector<std::string>;

std::string Print(double x, double y, const std::string& color, const std::string& text, const std::string& font) {
  return "print (" + CoordinateText(x) + "," + CoordinateText(y) + ") " + color + " \"" + text + "\" [" + font + "]";
}

struct Table {
  std::vector<double> H, Q, A, B, V, SQ;
  std::vector<std::string> labels;
};

// A dozen measurements; 1 has all quantities 0, 2 has Q = 0 but A = 1.5,
// 12 sits on halves in both directions.
Table Dozen() {
  Table t;
  const double rows[12][6] = {
      {0.10, 0, 0, 0, 0, 0},         {0.20, 0, 1.5, 3, 0.1, 0},        {0.30, 2.5, 3, 4, 0.8, 1.58},
      {0.45, 5.0, 5, 5, 1.0, 2.24},  {0.60, 8.25, 7, 6, 1.2, 2.87},    {0.75, 12.0, 9, 7, 1.3, 3.46},
      {0.90, 16.5, 11, 8, 1.5, 4.06}, {1.05, 21.0, 13, 9, 1.6, 4.58},  {1.20, 26.3, 15, 10, 1.75, 5.13},
      {1.40, 33.0, 18, 11, 1.83, 5.74}, {1.60, 40.0, 21, 12, 1.9, 6.32}, {1.825, 48.0625, 24, 13, 2.0, 6.93},
  };
  for (auto* v : {&t.H, &t.Q, &t.A, &t.B, &t.V, &t.SQ}) v->push_back(-1);  // element 0 is not read
  t.labels.push_back("unused");
  for (int i = 0; i < 12; ++i) {
    t.H.push_back(rows[i][0]);
    t.Q.push_back(rows[i][1]);
    t.A.push_back(rows[i][2]);
    t.B.push_back(rows[i][3]);
    t.V.push_back(rows[i][4]);
    t.SQ.push_back(rows[i][5]);
    t.labels.push_back("No." + std::to_string(i + 1));
  }
  return t;
}

class TBunpuChartTest : public ::testing::Test {
 protected:
  RecordingPicture picture{600, 400};
  TBunpuChart chart{picture};

  void SetUp() override {
    const Table t = Dozen();
    chart.SetGrpData(t.H, t.Q, t.A, t.B, t.V, t.SQ);
    chart.SetDatNo(t.labels);
    chart.SetSuikeiMei("大川水系");
    chart.SetKasenMei("大川");
    chart.SetKansokujyoMei("中島橋");
    chart.SetYMin(0.0);
    chart.SetYMax(2.0);
    chart.SetQMin(0);
    chart.SetQMax(70);
  }

  int ErrorOf(const std::function<void()>& f) { return charts_test::HostErrorNumber(f); }

  // Background, frame and grid of a chart with the given label texts.
  static Ops FrameAndGrid(const Ops& stageLabels, const Ops& quantityLabels, const std::string& font) {
    Ops ops = {"erase #FFFFFF", "erase #FFFFFF", "box (30,380)-(590,60) #808080 w2 solid"};
    for (int k = 0; k <= 4; ++k) {
      const double y = 380 - (k + 0.6) * 70;  // not rounded
      if (k < 4) ops.push_back("line (30," + CoordinateText(y) + ")-(590," + CoordinateText(y) + ") #808080 w1 dot");
      ops.push_back(Print(5, y - 6, "#800080", stageLabels[k], font));
    }
    for (int k = 0; k <= 7; ++k) {
      const int x = 30 + 80 * k;
      if (k <= 6) ops.push_back("line (" + std::to_string(x) + ",380)-(" + std::to_string(x) + ",60) #808080 w1 dot");
      ops.push_back(Print(x - 5, 384, "#800080", quantityLabels[k], font));
    }
    return ops;
  }

  static Ops Marker(int x, int y, const std::string& label, const std::string& font) {
    const std::string at = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return {"circle " + at + " r1 #FF0000 w1 solid", "circle " + at + " r2 #FF0000 w1 solid",
            Print(x + 2, y + 3, "#800080", label, font)};
  }

  static Ops TitleAndCaptions(const std::string& letter, double arrowX) {
    return {
        Print(240, 10, "#FF00FF", "Ｈ　－　" + letter + "　図", "ＭＳ ゴシック 16 bold"),
        Print(10, 360, "#FF00FF", "Ｈ", "ＭＳ ゴシック 10"),
        Print(10, 347, "#FF00FF", "↑", "ＭＳ ゴシック 10"),
        Print(44, 384, "#FF00FF", letter, "ＭＳ ゴシック 10"),
        Print(arrowX, 384, "#FF00FF", "→", "ＭＳ ゴシック 10"),
    };
  }

  static std::string Header(const std::string& font) {
    return Print(40, 40, "#800080", "水系名：大川水系　　河川名：大川　　観測所名：中島橋", font);
  }
};

TEST_F(TBunpuChartTest, DischargeChartOfADozenMeasurements) {
  chart.HQsakuga(0);
  const std::string font = "ＭＳ ゴシック 9";  // the designed font on the first call
  Ops expected = FrameAndGrid({"0.0", "0.5", "1.0", "1.5", "2.0"}, {"0", "10", "20", "30", "40", "50", "60", "70"}, font);
  // x = round(8 Q + 30), y = round(338 - 140 H); measurement 1 is not drawn.
  const int points[11][2] = {{30, 310}, {50, 296}, {70, 275}, {96, 254}, {126, 233}, {162, 212},
                             {198, 191}, {240, 170}, {294, 142}, {350, 114}, {414, 82}};
  for (int i = 0; i < 11; ++i) {
    const Ops marker = Marker(points[i][0], points[i][1], "No." + std::to_string(i + 2), font);
    expected.insert(expected.end(), marker.begin(), marker.end());
  }
  expected.push_back(Header(font));
  const Ops title = TitleAndCaptions("Ｑ", 57);
  expected.insert(expected.end(), title.begin(), title.end());
  EXPECT_EQ(picture.OpTexts(), expected);
}

TEST_F(TBunpuChartTest, FontCarriesOverAndOtherKindsAndFormats) {
  chart.HQsakuga(0);
  picture.ClearOps();
  // Root of Q, stage 0..1 (hs 0.25, two decimals), range 0..10 (xs 1.43, one decimal).
  chart.SetYMax(1.0);
  chart.SetSQMin(0);
  chart.SetSQMax(10);
  chart.HQsakuga(4);
  const std::string font = "ＭＳ ゴシック 10";  // left by the first call
  Ops expected = FrameAndGrid({"0.00", "0.25", "0.50", "0.75", "1.00"},
                              {"0.0", "1.4", "2.9", "4.3", "5.7", "7.1", "8.6", "10.0"}, font);
  const auto ops = picture.OpTexts();
  ASSERT_GT(ops.size(), expected.size());
  EXPECT_EQ(Ops(ops.begin(), ops.begin() + static_cast<long>(expected.size())), expected);
  // Measurement 2 (Q = 0, root 0) at the left edge: x = 30, y = round(338 - 280 * 0.2) = 282.
  EXPECT_EQ(ops[expected.size()], "circle (30,282) r1 #FF0000 w1 solid");
  const Ops title = TitleAndCaptions("√Ｑ", 70);  // the wider letter moves the arrow
  EXPECT_EQ(Ops(ops.end() - 5, ops.end()), title);
  EXPECT_EQ(ops[ops.size() - 6], Header(font));
}

TEST_F(TBunpuChartTest, KindFiveAndKindsOutOfRange) {
  for (int no : {-1, 6, 32767}) {
    picture.ClearOps();
    EXPECT_EQ(ErrorOf([&] { chart.HQsakuga(static_cast<std::int16_t>(no)); }), kSubscriptOutOfRange);
    EXPECT_EQ(picture.OpTexts(), (Ops{"erase #FFFFFF", "erase #FFFFFF"}));  // only the background
  }
  // Kind 5 has no quantity column: it fails at the first measurement drawn...
  picture.ClearOps();
  EXPECT_EQ(ErrorOf([&] { chart.HQsakuga(5); }), kSubscriptOutOfRange);
  EXPECT_EQ(picture.Ops().size(), 3u + 9u + 15u);  // after frame and grid
  // ...and draws without measurements.
  chart.Clear();
  EXPECT_EQ(chart.PointCount(), 0);
  picture.ClearOps();
  chart.HQsakuga(5);
  const auto ops = picture.OpTexts();
  EXPECT_EQ(ops[ops.size() - 5], Print(240, 10, "#FF00FF", "Ｈ　－　　図", "ＭＳ ゴシック 16 bold"));
  EXPECT_EQ(ops.back(), Print(57, 384, "#FF00FF", "→", "ＭＳ ゴシック 10"));

  // The control stays usable.
  const Table t = Dozen();
  chart.SetGrpData(t.H, t.Q, t.A, t.B, t.V, t.SQ);
  picture.ClearOps();
  chart.HQsakuga(0);
  EXPECT_EQ(picture.Ops().size(), 3u + 9u + 15u + 11u * 3 + 1 + 5);
}

TEST_F(TBunpuChartTest, EqualMinimumAndMaximumDividesByZero) {
  chart.SetQMax(0);
  EXPECT_EQ(ErrorOf([&] { chart.HQsakuga(0); }), kDivisionByZero);
  chart.SetQMax(70);
  chart.SetYMax(0);
  EXPECT_EQ(ErrorOf([&] { chart.HQsakuga(0); }), kDivisionByZero);
  chart.SetYMax(2);
  chart.SetQMin(0);
  chart.SetQMax(1e-6);
  EXPECT_EQ(ErrorOf([&] { chart.HQsakuga(0); }), kOverflow);  // far outside the picture
}

TEST_F(TBunpuChartTest, TablesLabelsAndRanges) {
  EXPECT_EQ(chart.PointCount(), 12);
  EXPECT_DOUBLE_EQ(chart.Stage(12), 1.825);
  EXPECT_DOUBLE_EQ(chart.Quantity(2, kKindA), 1.5);
  EXPECT_EQ(chart.Label(12), "No.12");
  EXPECT_TRUE(chart.IsEmptyMeasurement(1));
  EXPECT_FALSE(chart.IsEmptyMeasurement(2));
  EXPECT_EQ(ErrorOf([&] { chart.Quantity(1, 5); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { chart.Stage(13); }), kSubscriptOutOfRange);

  // Labels stop silently where either side ends.
  chart.SetDatNo(std::vector<std::string>(30, "x"));
  EXPECT_EQ(chart.Label(12), "x");
  chart.SetDatNo({"", "a"});
  EXPECT_EQ(chart.Label(1), "a");
  EXPECT_EQ(chart.Label(2), "x");
  chart.SetDatNo({});

  // SetGrpData empties the labels; a short quantity array changes nothing.
  const Table t = Dozen();
  std::vector<double> shortV(t.V.begin(), t.V.end() - 1);
  try {
    chart.SetGrpData(t.H, t.Q, t.A, t.B, shortV, t.SQ);
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
    EXPECT_NE(std::string(e.what()).find("array V"), std::string::npos) << e.what();
  }
  EXPECT_EQ(chart.Label(1), "a");
  EXPECT_EQ(chart.PointCount(), 12);
  EXPECT_EQ(ErrorOf([&] { chart.SetGrpData({}, {}, {}, {}, {}, {}); }), kSubscriptOutOfRange);
  chart.SetGrpData({0, 1.5}, t.Q, t.A, t.B, t.V, t.SQ);  // longer quantity arrays are fine
  EXPECT_EQ(chart.PointCount(), 1);
  EXPECT_EQ(chart.Label(1), "");

  // Ranges by kind, read through their decimal text.
  chart.SetVMin(0.1 + 0.2);
  EXPECT_DOUBLE_EQ(chart.RangeMin(kKindV), 0.1 + 0.2);
  EXPECT_EQ(ThroughDecimalText(0.1 + 0.2), 0.3);
  EXPECT_EQ(ErrorOf([&] { chart.RangeMax(6); }), kSubscriptOutOfRange);
  EXPECT_EQ(AxisLetter(3), "Ｖ");
}

TEST(TBunpuChart, StartsEmptyAndLabelsBeforeDataHaveNoEffect) {
  RecordingPicture picture(400, 300);
  TBunpuChart chart(picture);
  EXPECT_EQ(chart.PointCount(), 0);
  EXPECT_EQ(chart.Seireki(), 0);
  EXPECT_DOUBLE_EQ(chart.YMax(), 0);
  chart.SetDatNo({"", "a", "b"});
  chart.SetGrpData({0, 1}, {0, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0});
  EXPECT_EQ(chart.Label(1), "");
}

}  // namespace
}  // namespace plamor::charts
