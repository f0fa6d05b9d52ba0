#include "charts/tbunpu_chart.h"

#include <cmath>

#include "charts/host_error.h"
#include "charts/picture.h"
#include "platform/numeric_text.h"

namespace plamor::charts {
namespace {

constexpr double kLeft = 30;
constexpr int kGridColor = 8;
constexpr int kTextColor = 5;
constexpr int kMarkerColor = 12;
constexpr int kTitleColor = 13;
constexpr int kWhite = 15;

void CheckKind(int kind) {
  if (kind < 0 || kind > kKindStage)
    throw HostError(kSubscriptOutOfRange, "chart kind " + std::to_string(kind) + " is outside 0..5");
}

bool IsWhole(double v) { return v == std::floor(v); }

}  // namespace

std::string AxisLetter(int NO) {
  switch (NO) {
    case kKindQ: return "Ｑ";
    case kKindA: return "Ａ";
    case kKindB: return "Ｂ";
    case kKindV: return "Ｖ";
    case kKindSQ: return "√Ｑ";
    default: return "";
  }
}

HqPlotFrame HqPlotFrameOf(const Picture& picture) {
  HqPlotFrame frame;
  frame.left = kLeft;
  frame.bottom = ToInt16(picture.ScaleHeight() - 20.0, "picture too high");
  frame.width = ToInt16(picture.ScaleWidth() - 40.0, "picture too wide");
  frame.height = ToInt16(picture.ScaleHeight() - 80.0, "picture too high");
  frame.stagePitch = ToInt16(frame.height / 4.6, "stage pitch");
  frame.quantityPitch = ToInt16(frame.width / 7, "quantity pitch");
  return frame;
}

double ThroughDecimalText(double value) { return numtext::Val(numtext::CStr(value)); }

TBunpuChart::TBunpuChart(Picture& picture) : picture_(picture) {}

double TBunpuChart::RangeMin(int kind) const {
  CheckKind(kind);
  return rangeMin_[static_cast<std::size_t>(kind)];
}
double TBunpuChart::RangeMax(int kind) const {
  CheckKind(kind);
  return rangeMax_[static_cast<std::size_t>(kind)];
}
void TBunpuChart::SetRangeMin(int kind, double v) {
  CheckKind(kind);
  rangeMin_[static_cast<std::size_t>(kind)] = v;
}
void TBunpuChart::SetRangeMax(int kind, double v) {
  CheckKind(kind);
  rangeMax_[static_cast<std::size_t>(kind)] = v;
}

void TBunpuChart::Clear() {
  count_ = 0;
  stage_.assign(1, 0.0);
  quantities_.assign(1, {});
  labels_.assign(1, std::string());
}

void TBunpuChart::SetDatNo(const std::vector<std::string>& DN) {
  for (std::size_t i = 1; i < DN.size() && i < labels_.size(); ++i) labels_[i] = DN[i];
}

void TBunpuChart::SetGrpData(const std::vector<double>& H, const std::vector<double>& Q, const std::vector<double>& A,
                             const std::vector<double>& B, const std::vector<double>& V,
                             const std::vector<double>& SQ) {
  if (H.empty()) throw HostError(kSubscriptOutOfRange, "the stage array H is empty");
  const std::pair<const char*, const std::vector<double>*> columns[kQuantities] = {
      {"Q", &Q}, {"A", &A}, {"B", &B}, {"V", &V}, {"SQ", &SQ}};
  for (const auto& [name, array] : columns)
    if (array->size() < H.size())
      throw HostError(kSubscriptOutOfRange, std::string("array ") + name + " has " + std::to_string(array->size()) +
                                                " elements, fewer than H (" + std::to_string(H.size()) + ")");
  if (H.size() - 1 > static_cast<std::size_t>(INT32_MAX))
    throw HostError(kOverflow, "too many measurements");

  count_ = static_cast<std::int32_t>(H.size() - 1);
  stage_.assign(H.size(), 0.0);
  quantities_.assign(H.size(), {});
  labels_.assign(H.size(), std::string());
  for (std::size_t i = 1; i < H.size(); ++i) {
    stage_[i] = H[i];
    for (int c = 0; c < kQuantities; ++c) quantities_[i][static_cast<std::size_t>(c)] = (*columns[c].second)[i];
  }
}

double TBunpuChart::Stage(std::int32_t i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= stage_.size())
    throw HostError(kSubscriptOutOfRange, "measurement " + std::to_string(i) + " does not exist");
  return stage_[static_cast<std::size_t>(i)];
}

double TBunpuChart::Quantity(std::int32_t i, int column) const {
  if (i < 0 || static_cast<std::size_t>(i) >= quantities_.size())
    throw HostError(kSubscriptOutOfRange, "measurement " + std::to_string(i) + " does not exist");
  if (column < 0 || column >= kQuantities)
    throw HostError(kSubscriptOutOfRange, "quantity column " + std::to_string(column) + " is outside 0..4");
  return quantities_[static_cast<std::size_t>(i)][static_cast<std::size_t>(column)];
}

const std::string& TBunpuChart::Label(std::int32_t i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= labels_.size())
    throw HostError(kSubscriptOutOfRange, "measurement " + std::to_string(i) + " does not exist");
  return labels_[static_cast<std::size_t>(i)];
}

bool TBunpuChart::IsEmptyMeasurement(std::int32_t i) const {
  for (int c = 0; c < kQuantities; ++c)
    if (Quantity(i, c) != 0) return false;
  return true;
}

void TBunpuChart::HQsakuga(std::int16_t NO) {
  picture_.SetBackColor(QBColor(kWhite));
  picture_.Cls();
  CheckKind(NO);

  const double yMin = ThroughDecimalText(rangeMin_[kKindStage]);
  const double yMax = ThroughDecimalText(rangeMax_[kKindStage]);
  const double xMin = ThroughDecimalText(rangeMin_[static_cast<std::size_t>(NO)]);
  const double xMax = ThroughDecimalText(rangeMax_[static_cast<std::size_t>(NO)]);
  const double hs = Finite((yMax - yMin) / 4, "stage range");
  const double xs = Finite((xMax - xMin) / 7, "quantity range");

  const HqPlotFrame frame = HqPlotFrameOf(picture_);
  const double bottom = frame.bottom, width = frame.width, height = frame.height;
  const double py = frame.stagePitch, px = frame.quantityPitch;

  // Frame.
  picture_.SetDrawStyle(DrawStyle::kSolid);
  picture_.SetDrawWidth(2);
  picture_.Box(kLeft, bottom, kLeft + width, bottom - height, QBColor(kGridColor));

  // Dotted grid with its labels.
  picture_.SetDrawStyle(DrawStyle::kDot);
  picture_.SetDrawWidth(1);
  picture_.SetForeColor(QBColor(kTextColor));
  const char* stageFormat = IsWhole(hs * 10) ? "##0.0" : "##0.00";
  for (int k = 0; k <= 4; ++k) {
    const double y = bottom - (k + 0.6) * py;
    if (k < 4) picture_.Line(kLeft, y, kLeft + width, y, QBColor(kGridColor));
    picture_.PrintAt(5, y - 6, numtext::Format(yMin + k * hs, stageFormat));
  }
  const char* quantityFormat = IsWhole(xs) ? "###0" : "0.0";
  for (int k = 0; k <= 7; ++k) {
    const double x = kLeft + k * px;
    if (k <= 6) picture_.Line(x, bottom, x, bottom - height, QBColor(kGridColor));
    picture_.PrintAt(x - 5, bottom + 4, numtext::Format(xMin + k * xs, quantityFormat));
  }

  // Measurements.
  picture_.SetDrawStyle(DrawStyle::kSolid);
  for (std::int32_t i = 1; i <= count_; ++i) {
    if (IsEmptyMeasurement(i)) continue;
    const double quantity = Quantity(i, NO);
    const std::int16_t x =
        ToInt16(Divide((quantity - xMin) * px, xs, "quantity range minimum equals maximum") + kLeft, "point beyond the picture range");
    const std::int16_t y = ToInt16(bottom - Divide((Stage(i) - yMin) * py, hs, "stage range YMin equals YMax") - 0.6 * py,
                                   "point beyond the picture range");
    picture_.Circle(x, y, 1, QBColor(kMarkerColor));
    picture_.Circle(x, y, 2, QBColor(kMarkerColor));
    picture_.PrintAt(x + 2, y + 3, Label(i));
  }

  picture_.PrintAt(40, 40, "水系名：" + suikeiMei_ + "　　河川名：" + kasenMei_ + "　　観測所名：" + kansokujyoMei_);

  // Title and axis captions; the font set here stays for the next call.
  const std::string letter = AxisLetter(NO);
  picture_.SetForeColor(QBColor(kTitleColor));
  picture_.SetFontBold(true);
  picture_.SetFontSize(16);
  picture_.PrintAt(width / 2 + kLeft - 70, 10, "Ｈ　－　" + letter + "　図");
  picture_.SetFontBold(false);
  picture_.SetFontSize(10);
  picture_.PrintAt(kLeft - 20, bottom - 20, "Ｈ");
  picture_.PrintAt(kLeft - 20, bottom - 33, "↑");
  picture_.PrintAt(kLeft + 14, bottom + 4, letter);
  picture_.PrintAt(NO == kKindSQ ? kLeft + 40 : kLeft + 27, bottom + 4, "→");
}

}  // namespace plamor::charts
