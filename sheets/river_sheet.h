// What the sheets of a whole river share (the longitudinal profile and the
// book of cross-sections): every survey of the river in its own stroke, the
// same on every sheet; scales rounded as engineers choose them; the legend
// of the survey dates; the layers the sheets draw on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawings/sheet_builder.h"
#include "survey/river.h"

namespace plamor::sheets {

// The survey dates of the river, the latest first: a survey's rank among
// them picks its stroke on every sheet.
std::vector<survey::SurveyDate> SurveyDatesOf(const survey::River& river);
// The rank of `date` in `dates` (SurveyDatesOf); std::invalid_argument for a
// date not among them.
std::size_t SurveyRank(const std::vector<survey::SurveyDate>& dates, const survey::SurveyDate& date);

// The stroke of the survey of that rank, on kSurveyLayerBase + rank: the
// latest black and solid, the earlier ones red, green, magenta and blue,
// each in its own dashes, so that they stay apart in colour and in black and
// white (blue comes late: it is the water's); after six they come round again.
drawings::Stroke SurveyStroke(std::size_t rank);

// The smallest scale 1:N, N one of 1, 2, 2.5 and 5 times a power of ten and
// at least `smallest`, at which `lengthM` metres take at most `roomMm`
// millimetres of paper. std::invalid_argument when the length or the room is
// not positive.
double RoundScale(double lengthM, double roomMm, double smallest = 100);

// Layers of the river sheets, named on every sheet by NameRiverLayers.
inline constexpr std::int16_t kFrameLayer = 1;      // frame, title, scale
inline constexpr std::int16_t kGridLayer = 2;       // axes, grid, their figures
inline constexpr std::int16_t kDataBandLayer = 3;   // the table under the plot
inline constexpr std::int16_t kWaterLayer = 4;      // water lines, planned high-water level
inline constexpr std::int16_t kLegendLayer = 5;     // legend
inline constexpr std::int16_t kSurveyLayerBase = 11;  // survey of rank r on layer 11 + r

// Names the layers above on the sheet, the survey layers by their dates
// ("survey 2019-11-05").
void NameRiverLayers(drawings::SheetBuilder& sheet, const std::vector<survey::SurveyDate>& dates);

inline constexpr double kLegendTextHeight = 3;

// The legend of the surveys: for each date, from `topLeft` downward, a short
// line in the survey's stroke and the date beside it. Returns the lowest y
// it drew at.
double DrawSurveyLegend(drawings::SheetBuilder& sheet, drawings::SheetPoint topLeft,
                        const std::vector<survey::SurveyDate>& dates);

// One periodic survey of the whole river. Its sections are surveyed over
// several days, a few a day, so their files carry neighbouring dates: a date
// belongs to the survey of the dates before it when it lies within
// kSurveyDaysApart days of the latest of them and no section has a file of
// that survey yet; otherwise it starts the next survey.
inline constexpr int kSurveyDaysApart = 60;
struct RiverSurvey {
  std::vector<survey::SurveyDate> dates;  // earliest first

  // "2023-11-07", or the first and last day: "2023-11-07〜11-09" (within a
  // year), "2023-12-20〜2024-01-12".
  std::string Label() const;
};

// The periodic surveys of the river, the latest first (the order of
// SurveyDatesOf: a survey's rank picks its stroke).
std::vector<RiverSurvey> RiverSurveysOf(const survey::River& river);
// The rank of the survey holding `date`; std::invalid_argument for a date of
// none of them.
std::size_t RiverSurveyRank(const std::vector<RiverSurvey>& surveys, const survey::SurveyDate& date);

}  // namespace plamor::sheets
