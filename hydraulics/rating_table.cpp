#include "hydraulics/rating_table.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "hydraulics/text_output.h"
#include "platform/numeric_text.h"

namespace plamor::hydraulics {
namespace {

// The decimals a step is written with: 0.01 has 2, 0.005 has 3, 1 has 0.
int DecimalsOf(double step) {
  for (int d = 0; d < 9; ++d) {
    const double scaled = step * std::pow(10.0, d);
    if (std::abs(scaled - std::round(scaled)) < 1e-9 * std::max(1.0, scaled)) return d;
  }
  return 9;
}

}  // namespace

std::string DischargeText(double discharge) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", discharge);
  return text;
}

std::string RatingTableCsv(const RatingFormula& formula, double from, double to, double step) {
  if (!(step > 0) || !std::isfinite(step)) throw std::invalid_argument("the step " + numtext::CStr(step) + " is not above 0");
  if (!(to >= from)) throw std::invalid_argument("the stages run from " + StageText(from) + " down to " + StageText(to));
  const double rows = std::floor((to - from) / step + 1e-9) + 1;
  if (!(rows <= kMaxRatingRows))
    throw std::invalid_argument("stages " + StageText(from) + " to " + StageText(to) + " by " + numtext::CStr(step) +
                                " make more than " + numtext::CStr(kMaxRatingRows) + " rows");
  const double low = formula.segments.front().from, high = formula.segments.back().to;
  if (from < low || to > high)
    throw std::invalid_argument("stages " + StageText(from) + " to " + StageText(to) + " reach beyond the formula's range " +
                                StageText(low) + " ≤ H ≤ " + StageText(high));
  const std::string pattern = numtext::DecimalsPattern(DecimalsOf(step));
  std::string csv = "stage,discharge\n";
  for (long i = 0; i < static_cast<long>(rows); ++i) {
    const double stage = std::min(to, from + static_cast<double>(i) * step);
    csv += numtext::Format(stage, pattern) + "," + DischargeText(RateStage(formula, stage).discharge) + "\n";
  }
  return csv;
}

void WriteRatingTable(const std::filesystem::path& file, const RatingFormula& formula, double from, double to,
                      double step) {
  WriteTextFile(file, RatingTableCsv(formula, from, to, step));
}

}  // namespace plamor::hydraulics
