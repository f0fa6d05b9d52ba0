#include "charts/danmen_chart.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "charts/field_reading.h"
#include "charts/host_error.h"
#include "charts/observation_layout.h"
#include "charts/point_table.h"
#include "charts/picture.h"
#include "charts/water_line.h"
#include "platform/numeric_text.h"

namespace plamor::charts {
namespace {

namespace obs = observation;

constexpr int kLeft = 25;
constexpr int kGridColor = 8;
constexpr int kTextColor = 5;
constexpr int kCaptionColor = 13;
constexpr int kEraseColor = 15;

// 16-bit integer product and sum, as the water-line ends are scaled.
std::int16_t ScaledEnd(std::int16_t kx, std::int16_t distance) {
  const std::int16_t product = ToInt16(static_cast<double>(kx) * distance, "water-line end beyond the picture range");
  return ToInt16(static_cast<double>(product) + kLeft, "water-line end beyond the picture range");
}

}  // namespace

DanmenChart::DanmenChart(Picture& picture) : picture_(picture) {}

DanmenChart::~DanmenChart() { Clear(); }

clsData& DanmenChart::Observation(std::int32_t Index) {
  return const_cast<clsData&>(static_cast<const DanmenChart*>(this)->Observation(Index));
}

const clsData& DanmenChart::Observation(std::int32_t Index) const {
  if (Index < 1 || Index > Count())
    throw HostError(kSubscriptOutOfRange, "observation " + std::to_string(Index) + " does not exist (" +
                                              std::to_string(Count()) + " observations)");
  return *observations_[static_cast<std::size_t>(Index - 1)];
}

void DanmenChart::SetData(const std::vector<std::string>& Data) {
  if (Data.empty()) throw HostError(kSubscriptOutOfRange, "line 0 of the observation data is missing (no lines given)");
  const std::string_view header = Data[obs::kHeaderLine];
  title_ = std::string(FieldAt(header, obs::kTitleField));
  baseCaption_ = std::string(FieldAt(header, obs::kBaseCaptionField));

  auto observation = std::make_unique<clsData>();
  observation->SetData(Data);
  observations_.push_back(std::move(observation));

  const clsData& first = *observations_.front();
  kyoriMin_ = first.KyoriMin();
  kyoriMax_ = first.KyoriMax();
  suisinMin_ = first.SuisinMin();
  suisinMax_ = first.SuisinMax();
  for (const auto& o : observations_) {
    kyoriMin_ = std::min(kyoriMin_, o->KyoriMin());
    kyoriMax_ = std::max(kyoriMax_, o->KyoriMax());
    suisinMin_ = std::min(suisinMin_, o->SuisinMin());
    suisinMax_ = std::max(suisinMax_, o->SuisinMax());
  }
  kyoriMin_ = std::floor(kyoriMin_ / 10) * 10;
  kyoriMax_ = std::floor(kyoriMax_ / 10 + 1) * 10;
  if (kyoriMin_ == 0) kyoriMin_ = -10;
  suisinMin_ = std::floor(suisinMin_);
  suisinMax_ = std::floor(suisinMax_ + 1);

  picture_.SetBackColor(QBColor(kEraseColor));
}

void DanmenChart::Clear() {
  for (auto& o : observations_) o->Clear();
  observations_.clear();
}

void DanmenChart::Redisp() {
  picture_.Cls();
  for (std::int32_t i = 1; i <= Count(); ++i)
    if (Observation(i).OnOff()) DanmenZu(i);
}

void DanmenChart::DanmenZu(std::int32_t DataNo) {
  const std::int64_t number = DataNo < 0 ? -static_cast<std::int64_t>(DataNo) : DataNo;
  clsData& data = Observation(static_cast<std::int32_t>(std::min<std::int64_t>(number, INT32_MAX)));
  const std::int32_t n = data.Count();
  // Checked before the selection changes: an observation that can never be
  // drawn is not left selected.
  if (n > kMaxPoints)
    throw HostError(kSubscriptOutOfRange, "observation " + std::to_string(number) + " has " + std::to_string(n) +
                                              " points; at most " + std::to_string(kMaxPoints) + " can be drawn");
  data.SetOnOff(DataNo >= 1);
  const Rgb color = DataNo < 1 ? QBColor(kEraseColor) : QBColor(DataNo % 7 + 8);

  const PointTable t = MakePointTable(data, kyoriMin_, suisinMin_);
  const auto& X = t.X;
  const auto& Y = t.Y;

  const std::int16_t bottom = ToInt16(picture_.ScaleHeight() - 20.0, "picture too high");
  const std::int16_t width = ToInt16(picture_.ScaleWidth() - 40.0, "picture too wide");
  const std::int16_t height = ToInt16(picture_.ScaleHeight() - 30.0, "picture too high");
  const double suisinRange = suisinMax_ - suisinMin_;
  const double kyoriRange = kyoriMax_ - kyoriMin_;
  const std::int16_t ky = ToInt16(Divide(height, suisinRange, "elevation range SuisinMin..SuisinMax is empty"), "elevation scale");
  const std::int16_t kx = ToInt16(Divide(width, kyoriRange, "distance range KyoriMin..KyoriMax is empty"), "distance scale");
  auto atX = [&](double x) { return ToInt16(kx * x + kLeft, "point beyond the picture range"); };
  auto atY = [&](double y) { return ToInt16(bottom - ky * y, "point beyond the picture range"); };

  // Walls from the end points up to the water surface.
  picture_.SetDrawStyle(DrawStyle::kSolid);
  if (Y[1] < Y[0]) picture_.Line(atX(X[1]), atY(Y[1]), atX(X[1]), atY(Y[0]), color);
  if (Y[n] < Y[0]) picture_.Line(atX(X[n]), atY(Y[n]), atX(X[n]), atY(Y[0]), color);

  // Water surface, where the bed meets it, its ends at whole distances; none
  // over a profile that stays above it.
  if (const auto ends = WaterLineOf(t, n)) {
    const std::int16_t left = ToInt16(ends->left, "water-line end");
    const std::int16_t right = ToInt16(ends->right, "water-line end");
    const std::int16_t water = atY(Y[0]);
    picture_.Line(ScaledEnd(kx, right), water, ScaledEnd(kx, left), water, color);
  }

  // Frame.
  const std::int16_t rightEdge = ToInt16(static_cast<double>(kLeft) + width, "picture too wide");
  const std::int16_t topEdge = ToInt16(static_cast<double>(bottom) - height, "picture too high");
  picture_.SetDrawWidth(2);
  picture_.Box(kLeft, bottom, rightEdge, topEdge, QBColor(kGridColor));

  // Title and base level.
  picture_.SetDrawWidth(1);
  picture_.SetDrawStyle(DrawStyle::kDot);
  picture_.SetForeColor(QBColor(kTextColor));
  picture_.PrintAt(30, 20, title_);
  picture_.PrintAt(27, bottom - 14, baseCaption_ + numtext::Format(suisinMin_, "###0.00"));

  // Elevation grid every 0.5, labelled every 1.
  const std::int16_t vFirst = ToInt16(suisinMin_ * 10 + 1, "elevation range too large for the grid");
  const std::int16_t vLast = ToInt16(suisinMax_ * 10, "elevation range too large for the grid");
  for (int v = vFirst; v <= vLast; ++v) {
    if (v % 5 != 0) continue;
    const std::int16_t y = ToInt16(Divide((v / 10.0 - suisinMin_) * height, suisinRange, "elevation range"), "grid line");
    picture_.Line(kLeft, bottom - y, rightEdge, bottom - y, QBColor(kGridColor));
    if (v % 10 == 0) picture_.PrintAt(v > 990 || v < -90 ? 2 : 10, bottom - y - 6, numtext::Format(v / 10, "###0"));
  }

  // Distance grid every 10.
  const std::int16_t dFirst = ToInt16(kyoriMin_, "distance range too large for the grid");
  const std::int16_t dLast = ToInt16(kyoriMax_, "distance range too large for the grid");
  for (int d = dFirst; d <= dLast; ++d) {
    if (d % 10 != 0) continue;
    const std::int16_t x = ToInt16(Divide((d - kyoriMin_) * width, kyoriRange, "distance range"), "grid line");
    picture_.Line(kLeft + x, bottom, kLeft + x, topEdge, QBColor(kGridColor));
    picture_.PrintAt(kLeft + x - (d > 99 || d < -9 ? 9 : 4), bottom + 4, numtext::Format(d, "###0"));
  }

  // Bed profile.
  picture_.SetDrawStyle(DrawStyle::kSolid);
  for (std::int32_t i = 1; i <= n; ++i) {
    picture_.Circle(atX(X[i]), atY(Y[i]), 2, color);
    if (i > 1) picture_.Line(atX(X[i - 1]), atY(Y[i - 1]), atX(X[i]), atY(Y[i]), color);
  }

  // Axis captions.
  picture_.SetForeColor(QBColor(kCaptionColor));
  picture_.PrintAt(5, bottom - 45, "↑");
  picture_.PrintAt(5, bottom - 32, "標");
  picture_.PrintAt(5, bottom - 19, "高");
  picture_.PrintAt(43, bottom + 4, "距離");
  picture_.PrintAt(69, bottom + 4, "→");
}

}  // namespace plamor::charts
