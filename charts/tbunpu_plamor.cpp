#include "charts/tbunpu_plamor.h"

#include <cmath>
#include <string>

#include "charts/host_error.h"
#include "charts/hq_settings.h"
#include "charts/plamor_session.h"
#include "charts/tbunpu.h"
#include "charts/tbunpu_chart.h"
#include "platform/numeric_text.h"
#include "platform/settings_store.h"
#include "server/types.h"

namespace plamor::charts {
namespace {

// Sheet geometry in millimetres, y upward: the plot area is 50..400 x 20..250,
// one pitch 50 mm.
constexpr double kX0 = 50, kY0 = 20, kPitch = 50;
constexpr double kRight = 400, kTop = 250;

std::string Setting(const char* key) {
  return settings::GetSetting(hq_settings::kApplication, hq_settings::kSection, key, "");
}

std::int16_t PenSetting16(const char* key) {
  const std::string text = Setting(key);
  return ToInt16(numtext::LeadingNumber(text), (std::string("setting ") + key + " \"" + text + "\" is not a pen number").c_str());
}

std::int32_t PenSetting32(const char* key) {
  const std::string text = Setting(key);
  return ToInt32(numtext::LeadingNumber(text), (std::string("setting ") + key + " \"" + text + "\" is not a pen number").c_str());
}

bool IsWhole(double v) { return v == std::floor(v); }

// Ranges as the chart reads them, and the steps of the four stage and seven
// quantity pitches.
struct Axes {
  double yMin, xMin, hs, xs;
};

Axes AxesOf(const TBunpuChart& chart, int NO) {
  const double yMin = ThroughDecimalText(chart.RangeMin(kKindStage));
  const double xMin = ThroughDecimalText(chart.RangeMin(NO));
  return {yMin, xMin, Finite((ThroughDecimalText(chart.RangeMax(kKindStage)) - yMin) / 4, "stage range"),
          Finite((ThroughDecimalText(chart.RangeMax(NO)) - xMin) / 7, "quantity range")};
}

// Refuses what would stop the drawing half way, before a server is started:
// every drawable measurement must have a quantity of this kind and non-empty ranges.
void CheckDrawable(const TBunpuChart& chart, int NO, const Axes& axes) {
  for (std::int32_t i = 1; i <= chart.PointCount(); ++i) {
    if (chart.IsEmptyMeasurement(i)) continue;
    chart.Quantity(i, NO);
    Divide(1, axes.xs, "quantity range minimum equals maximum");
    Divide(1, axes.hs, "stage range YMin equals YMax");
    return;
  }
}

LineOptions Pen(std::int32_t pen) { return {pen}; }

TextOptions Text(double size, OptionalArg pen, OptionalArg layer = {}, OptionalArg kiten = {}) {
  return {size, size, 0.0, std::move(pen), std::move(layer), std::move(kiten)};
}

class HQSheet {
 public:
  HQSheet(const TBunpuChart& chart, int NO, const Axes& axes, IPlamor& server)
      : chart_(chart), NO_(NO), axes_(axes), s_(server) {}

  void Draw() {
    p1_ = PenSetting16(hq_settings::kFramePenKey);
    p2_ = PenSetting16(hq_settings::kGridPenKey);
    pm_ = PenSetting16(hq_settings::kTextPenKey);
    Frame();
    MainGrid();
    FineGrid();
    Measurements();
    StationBox();
    Texts();
  }

 private:
  void Frame() {
    const double frame[][4] = {{50, 20, 50, 250},  {50, 250, 400, 250}, {400, 250, 400, 10}, {400, 20, 50, 20},
                               {400, 10, 40, 10},  {40, 10, 40, 260},   {40, 260, 224, 260}, {224, 260, 224, 250}};
    for (const auto& l : frame) s_.Sen(l[0], l[1], l[2], l[3], Pen(p1_));
    for (double x : {50, 73, 108, 131, 166, 189}) s_.Sen(x, 260, x, 250, Pen(p2_));
  }

  void MainGrid() {
    const char* stageFormat = IsWhole(axes_.hs * 10) ? "##0.0" : "##0.00";
    for (int k = 0; k <= 4; ++k) {
      const double y = kY0 + (k + 0.6) * kPitch;
      if (k < 4) s_.Sen(kX0, y, kRight, y, Pen(p1_));
      s_.Moji(kX0 - 1, y - 2, numtext::Format(axes_.yMin + k * axes_.hs, stageFormat), ktpYoko, 0, 0,
              Text(4, pm_, 1, ktpRightBottom));
    }
    const char* quantityFormat = IsWhole(axes_.xs) ? "###0" : "0.0";
    for (int k = 0; k <= 7; ++k) {
      const double x = kX0 + kPitch * k;
      if (k >= 1 && k <= 6) s_.Sen(x, kY0, x, kTop, Pen(p1_));
      s_.Moji(x, kY0 - 1, numtext::Format(axes_.xMin + k * axes_.xs, quantityFormat), ktpYoko, 0, 0,
              Text(4, pm_, 1, ktpCenterTop));
    }
  }

  // Every 5 mm where no main line lies.
  void FineGrid() {
    for (int j = -5; j <= 39; ++j) {
      if (j % 10 == 0) continue;
      const double y = kY0 + (0.1 * j + 0.6) * kPitch;
      s_.Sen(kX0, y, kRight, y, Pen(p2_));
    }
    for (int j = 1; j <= 69; ++j) {
      if (j % 10 == 0) continue;
      s_.Sen(kX0 + 5 * j, kY0, kX0 + 5 * j, kTop, Pen(p2_));
    }
  }

  void Measurements() {
    for (std::int32_t i = 1; i <= chart_.PointCount(); ++i) {
      if (chart_.IsEmptyMeasurement(i)) continue;
      const double x = ToInt32(kX0 + (chart_.Quantity(i, NO_) - axes_.xMin) * kPitch / axes_.xs,
                               "measurement beyond the sheet");
      const double y = ToInt32(kY0 + (chart_.Stage(i) - axes_.yMin) * kPitch / axes_.hs + 0.6 * kPitch,
                               "measurement beyond the sheet");
      const MarkerSettings marker = ReadMarkerSettings();
      const double r = marker.size / 2;
      const LineOptions look{marker.color, {}, {}, 2};
      s_.En(x, y, r, look);
      if (marker.type == "3") s_.En(x, y, r / 2, look);
      if (marker.type == "1")
        for (int k = ToInt32(r * 10 - 1, "marker size"); k >= 1; --k) s_.En(x, y, 0.1 * k, look);
      const std::int32_t pb = PenSetting32(hq_settings::kLabelPenKey);
      s_.Moji(x + 1.2, y - 1.1, chart_.Label(i), ktpYoko, 0, 0, Text(3, pb, 2, ktpCenterTop));
    }
  }

  void StationBox() {
    const double outline[][4] = {{40, 263, 40, 278}, {40, 278, 82, 278}, {82, 278, 82, 263}, {82, 263, 40, 263}};
    for (const auto& l : outline) s_.Sen(l[0], l[1], l[2], l[3], Pen(p1_));
    s_.Sen(40, 273, 82, 273, Pen(p2_));
    s_.Sen(50, 278, 50, 263, Pen(p2_));
  }

  void Texts() {
    s_.Moji(53, 252, "水系名", ktpYoko, 0, 0, Text(5, pm_));
    s_.Moji(78, 252, chart_.SuikeiMei(), ktpYoko, 0, 0, Text(5, pm_));
    s_.Moji(111, 252, "河川名", ktpYoko, 0, 0, Text(5, pm_));
    s_.Moji(136, 252, chart_.KasenMei(), ktpYoko, 0, 0, Text(5, pm_));
    s_.Moji(168, 252, "観測所名", ktpYoko, 0, 0, Text(5, pm_));
    s_.Moji(194, 252, chart_.KansokujyoMei(), ktpYoko, 0, 0, Text(5, pm_));

    const TextOptions small{3.0, 3.0, {}, pm_, {}, {}};
    s_.Moji(42, 274, "種別", ktpYoko, 0, 0, small);
    s_.Moji(53, 274, "観 測 所 番 号", ktpYoko, 0, 0, small);
    s_.Moji(50.5, 266, chart_.KansokujyoNo(), ktpYoko, 0, 0, TextOptions{4.0, 4.0, {}, pm_, {}, {}});

    s_.Moji(320, 252, YearText(chart_.Seireki()), ktpYoko, 0, 0, Text(5, pm_));

    const std::string letter = AxisLetter(NO_);
    const std::int32_t pt = PenSetting32(hq_settings::kTitlePenKey);
    s_.MojiExtMsM(180, 268, "Ｈ　－　" + letter + "　図", ktpYoko, 0, 0, Text(9, pt));
    s_.MojiExtMsM(47, 27, "Ｈ", ktpYoko, 0, 0, Text(5, pm_, 1, ktpRightBottom));
    s_.MojiExtMsM(47, 35, "↑", ktpYoko, 0, 0, Text(5, pm_, 1, ktpRightBottom));
    s_.MojiExtMsM(70, 17, letter + "　→", ktpYoko, 0, 0, Text(5, pm_, 1, ktpLeftTop));
  }

  const TBunpuChart& chart_;
  const int NO_;
  const Axes axes_;
  IPlamor& s_;
  std::int16_t p1_ = 0, p2_ = 0, pm_ = 0;
};

}  // namespace

MarkerSettings ReadMarkerSettings() {
  MarkerSettings m{Setting("Color"), Setting("Type"), numtext::LeadingNumber(Setting("Size"))};
  if (!(m.color >= "1" && m.color <= "6")) m.color = "2";
  if (!(m.type >= "1" && m.type <= "3")) m.type = "1";
  if (!(m.size >= 0.1 && m.size <= 10)) m.size = 1.2;
  return m;
}

std::string YearText(std::int32_t seireki) {
  constexpr std::int32_t kLastHeiseiYear = 2018;
  if (seireki > kLastHeiseiYear)
    return "令和 " + std::to_string(seireki - kLastHeiseiYear) + " 年（西暦 " + std::to_string(seireki) + " 年）";
  const bool heisei = seireki > 1988;
  return "平成 " + (heisei ? std::to_string(seireki - 1988) : std::string("  ")) + " 年（西暦 " +
         (heisei ? std::to_string(seireki) : std::string("    ")) + " 年）";
}

std::string CreateTBunpuPlamor(const TBunpuChart& chart, std::int16_t NO, host::Transport transport) {
  const Axes axes = AxesOf(chart, NO);
  CheckDrawable(chart, NO, axes);

  PlamorSession session(transport);
  session.SetUpA3Sheet();
  HQSheet(chart, NO, axes, session.Server()).Draw();
  return session.OutputAndWait();
}

host::Transport TBunpu::PlamorTransport() const { return plamorTransport_.value_or(host::DefaultTransport()); }

void TBunpu::SetPlamorTransport(host::Transport transport) { plamorTransport_ = transport; }

void TBunpu::HQSakuzu(std::int16_t NO) {
  lastDrawingFile_.clear();
  lastDrawingFile_ = CreateTBunpuPlamor(chart_, NO, PlamorTransport());
}

}  // namespace plamor::charts
