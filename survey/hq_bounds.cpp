#include "survey/hq_bounds.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/input_error.h"

namespace plamor::survey {
namespace {

// The stage axis has 4 steps, a quantity axis 7.
constexpr int kStageSteps = 4, kQuantitySteps = 7;

// A value in at most 6 significant digits: 142.857, 948.683, 1e+06.
std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

void CheckValue(const HqTable& table, const Measurement& m, std::size_t field, const std::string& name, double value,
                const AxisRange& range, int steps, const char* option) {
  const double reach = kMaxStepsBeyondAxis * (range.max - range.min) / steps;
  if (value >= range.min - reach && value <= range.max + reach) return;
  throw InputError(table.file, m.line, field,
                   name + " " + Short(value) + " lies far outside the axis " + Short(range.min) + " to " +
                       Short(range.max) + " given with " + option + "; the chart draws measurements at most " +
                       Short(reach) + " beyond its ends");
}

}  // namespace

void CheckHqBounds(const HqTable& table, HqKind kind, const std::optional<AxisRange>& stage,
                   const std::optional<AxisRange>& quantity) {
  for (const Measurement& m : table.measurements) {
    // The chart draws no measurement whose quantities are all 0.
    if (std::all_of(m.quantity.begin(), m.quantity.end(), [](double q) { return q == 0; })) continue;
    if (stage) CheckValue(table, m, table.stageField, "stage", m.stage, *stage, kStageSteps, "--stage");
    if (quantity)
      CheckValue(table, m, table.quantityField[kind], KindColumnName(kind), m.quantity[kind], *quantity,
                 kQuantitySteps, "--range");
  }
}

}  // namespace plamor::survey
