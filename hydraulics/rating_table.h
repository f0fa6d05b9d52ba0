// The rating table of a formula: the discharge at every step of stage from
// H0 to H1, as the CSV file
//
//   stage,discharge
//   0.40,1.234
//
// (stages with the step's decimals, discharges in m³/s to three decimals).
#pragma once

#include <filesystem>
#include <string>

#include "hydraulics/rating_formula.h"

namespace plamor::hydraulics {

// The most rows a table may have.
inline constexpr double kMaxRatingRows = 1e6;

// std::invalid_argument, naming the values, when the step is not above 0,
// `to` lies below `from`, the table would exceed kMaxRatingRows, or the
// stages reach beyond the formula's range (a table has no column to flag
// extrapolated rows; a stage record conversion flags them).
std::string RatingTableCsv(const RatingFormula& formula, double from, double to, double step);
void WriteRatingTable(const std::filesystem::path& file, const RatingFormula& formula, double from, double to,
                      double step);

// A discharge as the table and the stage records write it: three decimals.
std::string DischargeText(double discharge);

}  // namespace plamor::hydraulics
