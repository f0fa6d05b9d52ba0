// What the sheets of a whole river share (the longitudinal profile and the
// book of cross-sections): every survey of the river in its own stroke, the
// same on every sheet; scales rounded as engineers choose them; the legend
// of the survey dates; the layers the sheets draw on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "drawings/sheet_builder.h"
#include "survey/river.h"

namespace plamor::sheets {

// The stroke of the survey of that rank, on SurveyLayer(rank): the
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
// The survey of rank r (0 the latest) on layer 110 - r: the page outputs draw
// layer by layer in their numbers' order, so every survey lies over the ones
// before it and the latest over all. Ranks past 99 share layer 11.
std::int16_t SurveyLayer(std::size_t rank);

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

// The periodic surveys of the river, the latest first (a survey's rank
// picks its stroke).
std::vector<RiverSurvey> RiverSurveysOf(const survey::River& river);
// The rank of the survey holding `date`; std::invalid_argument for a date of
// none of them.
std::size_t RiverSurveyRank(const std::vector<RiverSurvey>& surveys, const survey::SurveyDate& date);

// Names the layers above on the sheet, the survey layers by the first day of
// their survey ("survey 2019-11-05").
void NameRiverLayers(drawings::SheetBuilder& sheet, const std::vector<RiverSurvey>& surveys);

inline constexpr double kLegendTextHeight = 3;

// The legend of the surveys: for each, from `topLeft` downward, a short line
// in the survey's stroke and its days beside it; after `rowsPerColumn` rows
// the next column, `columnWidth` to the right. Returns the lowest y it drew at.
double DrawSurveyLegend(drawings::SheetBuilder& sheet, drawings::SheetPoint topLeft,
                        const std::vector<RiverSurvey>& surveys, std::size_t rowsPerColumn = SIZE_MAX,
                        double columnWidth = 0);

// A stroke of a pen on a layer (solid unless told).
drawings::Stroke StrokeOf(std::int32_t pen, std::int16_t layer, std::int32_t style = 0);

// A figure with `decimals` decimals, never "-0.00".
std::string FixedFigure(double value, int decimals);
// "22.0", "22.25", "22.125": a distance mark (km) as engineers write it.
std::string DistanceMarkText(double km);
// The smallest of 1, 2 and 5 times a power of ten whose step takes at least
// `leastMm` of paper at the scale 1:`scale` (`unitM` metres per step value).
double GridStep(double scale, double unitM, double leastMm);

}  // namespace plamor::sheets
