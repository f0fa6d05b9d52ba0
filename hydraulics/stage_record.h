// A stage record (a gauge's stages over time) turned into discharges by a
// formula. The record is a CSV file (UTF-8 or CP932) of time and stage:
//
//   time,stage
//   2023-01-01 00:00,0.42
//   2023-01-01 00:10,
//
// The header line (a first line whose stage is not a number) is optional; lines starting with "#" and empty lines are
// comments; an empty stage is a gap in the record. The result keeps time and
// stage as written and adds the discharge and a flag:
//
//   time,stage,discharge,flag
//   2023-01-01 00:00,0.42,1.234,
//   2023-01-01 00:10,,,missing
//
// The flag is "below-range" or "above-range" for a stage outside the
// formula's range (its discharge extrapolated by the nearest segment), and
// "missing" for a gap.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "hydraulics/rating_formula.h"

namespace plamor::hydraulics {

struct StageRecordSummary {
  std::size_t rows = 0;        // stages converted, gaps included
  std::size_t outOfRange = 0;  // flagged below-range or above-range
  std::size_t missing = 0;
};

// The converted record's text; a line that is not "time,stage" with a number
// (or nothing) as stage is an InputError naming the file, line and field.
std::string ConvertStageRecord(const RatingFormula& formula, const std::filesystem::path& file,
                               const std::vector<std::string>& lines, StageRecordSummary& summary);

// Reads `in`, converts it and writes `out` (nothing written when `in` is at fault).
StageRecordSummary ConvertStageRecordFile(const RatingFormula& formula, const std::filesystem::path& in,
                                          const std::filesystem::path& out);

}  // namespace plamor::hydraulics
