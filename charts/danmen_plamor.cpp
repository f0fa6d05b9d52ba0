#include "charts/danmen_plamor.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "charts/danmen.h"
#include "charts/danmen_chart.h"
#include "charts/field_reading.h"
#include "charts/host_error.h"
#include "charts/point_table.h"
#include "charts/plamor_session.h"
#include "charts/water_line.h"
#include "platform/numeric_text.h"
#include "platform/prompts.h"
#include "server/types.h"

namespace plamor::charts {
namespace {

// Paper geometry in millimetres, y upward.
constexpr double kLeft = 32, kBottom = 10, kPlotWidth = 370, kPlotHeight = 270;
constexpr double kRight = kLeft + kPlotWidth, kTop = kBottom + kPlotHeight;

// Scales of the chart's current ranges, millimetres per metre.
struct Scales {
  double xs, ys;
};

Scales ScalesOf(const DanmenChart& chart) {
  return {Divide(kPlotWidth, chart.KyoriMax() - chart.KyoriMin(), "distance range KyoriMin..KyoriMax is empty"),
          Divide(kPlotHeight, chart.SuisinMax() - chart.SuisinMin(),
                 "elevation range SuisinMin..SuisinMax is empty")};
}

// Whole numbers a tick loop runs over, its ends rounded half to even.
struct TickRange {
  int first, last;
};

// Tenths of a metre of the elevation ticks.
TickRange ElevationTicksOf(const DanmenChart& chart) {
  return {ToInt16(chart.SuisinMin() * 10 + 1, "elevation range too large for the ticks"),
          ToInt16(chart.SuisinMax() * 10, "elevation range too large for the ticks")};
}

// Metres of the distance ticks.
TickRange DistanceTicksOf(const DanmenChart& chart) {
  return {ToInt16(chart.KyoriMin(), "distance range too large for the ticks"),
          ToInt16(chart.KyoriMax(), "distance range too large for the ticks")};
}

// Refuses what would stop the drawing half way, before a server is started.
void CheckDrawable(const DanmenChart& chart) {
  ScalesOf(chart);
  ElevationTicksOf(chart);
  DistanceTicksOf(chart);
  for (std::int32_t b = 1; b <= chart.Count(); ++b) {
    const clsData& data = chart.Observation(b);
    if (!data.OnOff()) continue;
    if (data.Count() > DanmenChart::kMaxPoints)
      throw HostError(kSubscriptOutOfRange, "observation " + std::to_string(b) + " has " +
                                                std::to_string(data.Count()) + " points; at most " +
                                                std::to_string(DanmenChart::kMaxPoints) + " can be drawn");
  }
}

bool AnySelected(const DanmenChart& chart) {
  for (std::int32_t b = 1; b <= chart.Count(); ++b)
    if (chart.Observation(b).OnOff()) return true;
  return false;
}

// Texts of the axes and of the title: pen 1, layer 1, no spacing.
TextOptions AxisText(double size, OptionalArg kiten = {}) { return {size, size, 0.0, 1, 1, std::move(kiten)}; }

class DanmenSheet {
 public:
  DanmenSheet(const DanmenChart& chart, IPlamor& server) : chart_(chart), s_(server), scales_(ScalesOf(chart)) {}

  void Draw() {
    FrameAndTitle();
    ElevationTicks();
    DistanceTicks();
    for (std::int32_t b = 1; b <= chart_.Count(); ++b)
      if (chart_.Observation(b).OnOff()) DrawObservation(b);
  }

 private:
  void FrameAndTitle() {
    s_.Sen(kLeft, kBottom, kLeft, kTop);
    s_.Sen(kRight, kTop, kRight, kBottom);
    s_.Sen(kRight, kBottom, kLeft, kBottom);

    const std::string& title = chart_.TitleText();
    s_.Moji(35, 250, title, ktpYoko, 0, 0, AxisText(5));
    s_.Moji(399, 250, title, ktpYoko, 0, 0, AxisText(5, ktpRightBottom));

    const std::string base = chart_.BaseLevelCaption() + numtext::Format(chart_.SuisinMin(), "###0.00");
    s_.Moji(33, 11, base, ktpYoko, 0, 0, AxisText(5));
    s_.Moji(401, 11, base, ktpYoko, 0, 0, AxisText(5, ktpRightBottom));
  }

  // Ticks on both sides every 0.5 m, longer and labelled every metre.
  void ElevationTicks() {
    const double suisinMin = chart_.SuisinMin();
    const TickRange ticks = ElevationTicksOf(chart_);
    for (int v = ticks.first; v <= ticks.last; ++v) {
      if (v % 5 != 0) continue;
      const double y = (v / 10.0 - suisinMin) * scales_.ys + kBottom;
      const double c = v % 10 == 0 ? 7 : 4;
      s_.Sen(kLeft, y, kLeft + c, y, {1});
      s_.Sen(kRight - c, y, kRight, y, {1});
      if (v % 10 != 0) continue;
      const std::string label = numtext::Format(v / 10, "###0");
      s_.Moji(34.5, y + 0.5, label, ktpYoko, 0, 0, AxisText(3));
      s_.Moji(399.5, y + 0.5, label, ktpYoko, 0, 0, AxisText(3, ktpRightBottom));
    }
  }

  // Ticks along the bottom every 10 m, each labelled below the frame.
  void DistanceTicks() {
    const double kyoriMin = chart_.KyoriMin();
    const TickRange ticks = DistanceTicksOf(chart_);
    for (int d = ticks.first; d <= ticks.last; ++d) {
      if (d % 10 != 0) continue;
      const double x = (d - kyoriMin) * scales_.xs + kLeft;
      s_.Sen(x, kBottom, x, 17, {1});
      s_.Moji(x, 9.5, numtext::Format(d, "###0"), ktpYoko, 0, 0, AxisText(3, ktpCenterTop));
    }
  }

  void DrawObservation(std::int32_t b) {
    const clsData& data = chart_.Observation(b);
    const std::int32_t n = data.Count();
    const ObservationLook look = ObservationLookAt(b);
    const LineOptions line{look.pen, numtext::CStr(look.style), {}, look.layer};
    const PointTable t = MakePointTable(data, chart_.KyoriMin(), chart_.SuisinMin());
    const auto& X = t.X;
    const auto& Y = t.Y;
    auto atX = [&](double x) { return scales_.xs * x + kLeft; };
    auto atY = [&](double y) { return scales_.ys * y + kBottom; };
    const double water = atY(Y[0]);

    // Walls from end points below the water surface up to it.
    if (Y[1] < Y[0]) s_.Sen(atX(X[1]), atY(Y[1]), atX(X[1]), water, line);
    if (Y[n] < Y[0]) s_.Sen(atX(X[n]), atY(Y[n]), atX(X[n]), water, line);

    // Water surface, where the bed meets it (none over a profile that stays
    // above it); the labels are centred between point 1 and its right end,
    // or point n without one.
    const std::optional<WaterLineEnds> ends = WaterLineOf(t, n);
    if (ends) s_.Sen(atX(ends->right), water, atX(ends->left), water, line);
    const double xr = ends ? ends->right : X[n];

    // Bed profile, with the observation's labels over and under the water line.
    for (std::int32_t i = 1; i <= n; ++i) {
      if (i == 1) {
        const double x = (atX(xr) + atX(X[1])) / 2;
        const TextOptions label{2.0, 2.0, 0.0, look.pen, look.layer, {}};
        TextOptions over = label, under = label;
        over.vKiten = ktpCenterBottom;
        under.vKiten = ktpCenterTop;
        s_.Moji(x, water + 0.5, "第" + data.KansokuNo() + "回", ktpYoko, 0, 0, over);
        s_.Moji(x, water - 0.5, data.KansokuNo() + "回　" + ShortDateText(data.KansokuDate()), ktpYoko, 0, 0, under);
      } else {
        s_.Sen(atX(X[i - 1]), atY(Y[i - 1]), atX(X[i]), atY(Y[i]), line);
      }
    }
  }

  const DanmenChart& chart_;
  IPlamor& s_;
  Scales scales_;
};

}  // namespace

ObservationLook ObservationLookAt(std::int32_t b) {
  const std::int32_t pen = (b + 1) % 6 == 0 ? 6 : (b + 1) % 6;
  std::int32_t style = ktpsolid;
  if (b >= 7 && b <= 12) style = ktpdash;
  else if (b >= 13 && b <= 18) style = ktpdashdot;
  else if (b >= 19 && b <= 24) style = ktpdash;
  else if (b >= 25 && b <= 30) style = ktpdashdotdot;
  return {pen, style, ToInt16(static_cast<double>(b) + 1, "layer of the observation")};
}

std::string CreateDanmenPlamor(const DanmenChart& chart, host::Transport transport) {
  if (!AnySelected(chart)) {
    prompts::Current().MessageBox({"断面が選択されていません。\n\n作図する断面をﾁｪｯｸしてください。", "選択エラー",
                                   prompts::kOkOnly | prompts::kCritical});
    return {};
  }
  CheckDrawable(chart);

  PlamorSession session(transport);
  session.SetUpA3Sheet();
  DanmenSheet(chart, session.Server()).Draw();
  return session.OutputAndWait();
}

host::Transport Danmen::PlamorTransport() const { return plamorTransport_.value_or(host::DefaultTransport()); }

void Danmen::SetPlamorTransport(host::Transport transport) { plamorTransport_ = transport; }

void Danmen::CreatePlamor() {
  lastDrawingFile_.clear();
  lastDrawingFile_ = CreateDanmenPlamor(chart_, PlamorTransport());
}

}  // namespace plamor::charts
