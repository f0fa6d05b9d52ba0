// The table of the hydraulic quantities of a whole river: one row per section
// and survey, at a stage given for the river, at each survey's own water
// surface, or from a table of stages by distance mark; with a comparison, the
// deposition and scour of every survey against an earlier state of its bed.
//
//   const survey::River river = survey::ReadRiver(files);
//   const auto rows = hydraulics::TabulateRiver(river, {hydraulics::StageSource::Given(31.5), compareDate});
//   hydraulics::WriteRiverTable(out, rows, compareDate.has_value());
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hydraulics/section_hydraulics.h"
#include "survey/river.h"
#include "survey/stage_table.h"

namespace plamor::hydraulics {

// Where the stage of each row comes from.
class StageSource {
 public:
  static StageSource Given(double stage);
  // Each survey's water surface (its points flagged 16).
  static StageSource OwnWaterSurface();
  // The stage at the section's distance mark, interpolated in the table.
  static StageSource ByDistanceMark(survey::StageTable table);

  // The stage for one survey; InputError naming the survey's file when it has
  // no water surface, or the stage table's file when it has no stage there.
  double StageFor(const survey::SectionSurvey& survey) const;

 private:
  enum class Kind { Given, OwnWaterSurface, ByDistanceMark };
  Kind kind_ = Kind::Given;
  double stage_ = 0;
  survey::StageTable table_;
};

struct TableOptions {
  StageSource stage = StageSource::OwnWaterSurface();
  // Compare every survey with its section's survey of this date, or else its
  // latest survey before it (the state of the bed at that date); sections not
  // yet surveyed then have no comparison.
  std::optional<survey::SurveyDate> compareWith;
};

struct TableRow {
  double distanceMark = 0;  // km
  survey::SurveyDate date;
  SectionFlow flow;         // at the stage used
  double deepestBed = 0;
  std::optional<BedChange> change;  // with a comparison, where the section has its survey
};

// The rows in river order (distance mark, then date).
std::vector<TableRow> TabulateRiver(const survey::River& river, const TableOptions& options);

// The CSV text (UTF-8, LF line ends):
// distance_mark,date,stage,area,wetted_perimeter,top_width,hydraulic_radius,hydraulic_depth,mean_bed,deepest_bed
// and, with a comparison, deposition,scour. Dates are YYYY-MM-DD; numbers are
// written to 12 significant digits; a quantity a row does not have (nothing
// wet, nothing to compare with) is an empty field.
std::string RiverTableCsv(const std::vector<TableRow>& rows, bool withComparison);

// Writes the CSV under a temporary name beside `out` and renames it onto
// `out` when complete: on failure (std::runtime_error naming `out`) nothing
// is left behind and an earlier file of that name stays as it was.
void WriteRiverTable(const std::filesystem::path& out, const std::vector<TableRow>& rows, bool withComparison);

}  // namespace plamor::hydraulics
