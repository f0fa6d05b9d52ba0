// The longitudinal profile of a river (縦断図): distance along the river
// across, elevation up, for every periodic survey its mean-bed and
// deepest-bed lines, the planned high-water level, and under the plot a data
// band with the figures of the latest survey at every distance mark; a
// river longer than one A3 sheet continues on further sheets.
//
//   const auto sheets = sheets::DrawRiverProfile(river, {plannedStage, {}, {}});
//
// The mean bed of a section and survey is the mean bed (stage − A/B) at the
// stage MeanBedStage gives.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "drawings/drawing_model.h"
#include "survey/river.h"
#include "survey/stage_table.h"

namespace plamor::sheets {

struct ProfileOptions {
  std::optional<survey::StageTable> plannedStage;       // the planned high-water level by distance mark
  std::optional<double> distanceScale, elevationScale;  // 1:N; chosen when not given
};

// The stage of a survey's mean bed: the planned stage at the section where
// the table gives one, else the survey's own water surface, else the lower of
// its two bank tops (each the distance post's elevation, or where the survey
// has none, the highest ground of the bed line on that side of its lowest
// point).
double MeanBedStage(const survey::SectionSurvey& survey, const survey::StageTable* plannedStage);

// Where one sheet shows the river: the sections it holds (a section at a
// sheet's end appears on the next sheet too, so that the lines continue) and
// the placing of distance and elevation on the paper.
struct ProfileSheetPlan {
  std::size_t firstSection = 0, lastSection = 0;  // in river.sections, both included
  double leftKm = 0;           // the distance mark at the plot's left edge
  double rightKm = 0;          // and at its right edge: the plot ends a little past its last section
  double bottomElevation = 0;  // m T.P. at the plot's lower edge
  double distanceScale = 0, elevationScale = 0;  // 1:N

  // Sheet millimetres of a distance mark (km) and of an elevation (m).
  double X(double km) const;
  double Y(double elevation) const;
};

// The sheets of the profile, from the mouth upstream. std::invalid_argument
// for a river without sections or a scale that is not above 0.
std::vector<ProfileSheetPlan> PlanRiverProfile(const survey::River& river, const ProfileOptions& options);

// The sheets laid out (A3 landscape, sheet millimetres), one per plan.
std::vector<drawings::DrawingModel> DrawRiverProfile(const survey::River& river, const ProfileOptions& options);

}  // namespace plamor::sheets
