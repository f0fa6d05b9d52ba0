// What a fit reports: per segment the formula and its statistics, as a short
// table for the terminal; per measurement the fitted discharge, its deviation
// and flags, as the CSV file
//
//   label,stage,discharge,segment,fitted,deviation_percent,excluded,outlier
//   7,0.83,6.49,1,5.781,12.26,0,1
//
// (segments counted from 1; excluded and outlier are 1 or 0; a deviation
// from a fitted discharge of 0 is left empty).
#pragma once

#include <filesystem>
#include <string>

#include "hydraulics/rating_fit.h"

namespace plamor::survey {
struct HqTable;
}

namespace plamor::hydraulics {

// One line per segment under a header, then one line per outlier.
std::string FitSummaryTable(const survey::HqTable& table, const RatingFit& fit);

std::string FitReportCsv(const survey::HqTable& table, const RatingFit& fit);
void WriteFitReport(const std::filesystem::path& file, const survey::HqTable& table, const RatingFit& fit);

}  // namespace plamor::hydraulics
