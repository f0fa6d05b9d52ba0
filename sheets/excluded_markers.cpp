#include "sheets/excluded_markers.h"

#include <algorithm>

#include "charts/hq_settings.h"
#include "charts/tbunpu.h"
#include "charts/tbunpu_plamor.h"
#include "platform/numeric_text.h"
#include "platform/settings_store.h"
#include "server/plamor_interface.h"
#include "server/types.h"
#include "sheets/hq_chart.h"

namespace plamor::sheets {
namespace {

// Where the drawing puts its markers and labels.
constexpr std::int16_t kMarkerLayer = 2;
constexpr double kLabelDx = 1.2, kLabelDy = -1.1, kLabelSize = 3;

}  // namespace

std::vector<std::size_t> HollowMeasurements(const survey::HqTable& table, const hydraulics::RatingFit& fit) {
  std::vector<std::size_t> hollow;
  for (std::size_t i = 0; i < table.measurements.size(); ++i) {
    const survey::Measurement& m = table.measurements[i];
    const bool empty = std::all_of(m.quantity.begin(), m.quantity.end(), [](double q) { return q == 0; });
    if (fit.measurements[i].excluded && !empty) hollow.push_back(i);
  }
  return hollow;
}

void LoadHqChartForFit(const survey::HqTable& table, const hydraulics::RatingFit& fit, survey::HqKind kind,
                       std::optional<survey::AxisRange> stage, std::optional<survey::AxisRange> quantity,
                       charts::TBunpu& chart) {
  std::vector<double> stages, values;
  survey::HqTable fitted = table;
  fitted.measurements.clear();
  for (std::size_t i = 0; i < table.measurements.size(); ++i) {
    const survey::Measurement& m = table.measurements[i];
    stages.push_back(m.stage);
    values.push_back(m.quantity[kind]);
    if (!fit.measurements[i].excluded) fitted.measurements.push_back(m);
  }
  LoadHqChart(fitted, kind, stage ? *stage : survey::StageRange(stages),
              quantity ? *quantity : survey::QuantityRange(values), chart);
}

void RegisterExcludedMarkers(IPlamor& server, const survey::HqTable& table, const hydraulics::RatingFit& fit,
                             survey::HqKind kind, const HqSheetAxes& axes) {
  const charts::MarkerSettings marker = charts::ReadMarkerSettings();
  const std::int32_t labelPen = numtext::ToInt32(numtext::LeadingNumber(
      settings::GetSetting(charts::hq_settings::kApplication, charts::hq_settings::kSection,
                           charts::hq_settings::kLabelPenKey)));
  for (std::size_t i : HollowMeasurements(table, fit)) {
    const survey::Measurement& m = table.measurements[i];
    const SheetPoint p = SheetPointOf(axes, m.quantity[kind], m.stage);
    const double x = numtext::ToInt32(p.x), y = numtext::ToInt32(p.y);
    server.En(x, y, marker.size / 2, LineOptions{marker.color, {}, {}, kMarkerLayer});
    server.Moji(x + kLabelDx, y + kLabelDy, m.label, ktpYoko, 0, 0,
                TextOptions{kLabelSize, kLabelSize, 0.0, labelPen, kMarkerLayer, ktpCenterTop});
  }
}

}  // namespace plamor::sheets
