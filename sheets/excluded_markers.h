// Measurements left out of a rating fit, on the H-Q sheet: they stay in the
// table and are drawn hollow. The chart control is handed the fitted
// measurements only (with the axis ranges chosen from all of them, so the
// sheet is the one the whole table gives), and each excluded measurement is
// drawn where the drawing would have drawn it, with its label, as a circle of
// the marker's size and pen: hollow where the others are filled dots.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "hydraulics/rating_fit.h"
#include "sheets/rating_curve.h"  // IPlamor and TBunpu declared there too
#include "survey/axis_range.h"
#include "survey/hq_table.h"

namespace plamor::sheets {

// LoadHqChart with the measurements the fit used; ranges not given are chosen
// from every measurement of the table.
void LoadHqChartForFit(const survey::HqTable& table, const hydraulics::RatingFit& fit, survey::HqKind kind,
                       std::optional<survey::AxisRange> stage, std::optional<survey::AxisRange> quantity,
                       charts::TBunpu& chart);

// The measurements drawn hollow (by their index in the table): those the fit
// left out, except empty ones (no quantity at all), which no sheet draws.
std::vector<std::size_t> HollowMeasurements(const survey::HqTable& table, const hydraulics::RatingFit& fit);

// The hollow markers and labels of the excluded measurements, rounded to whole
// millimetres and on the layer of the drawing's markers, with the marker and
// label pens of the per-user settings.
void RegisterExcludedMarkers(IPlamor& server, const survey::HqTable& table, const hydraulics::RatingFit& fit,
                             survey::HqKind kind, const HqSheetAxes& axes);

}  // namespace plamor::sheets
