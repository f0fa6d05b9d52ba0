// The fitted stage-discharge formula on the H-Q sheet: on the sheet of kind
// Q the curve Q = a (H + b)² as short line pieces, solid over the stages each
// segment holds and dashed beyond the highest up to a stage it is extended
// to (extrapolation shown as such); on the sheet of kind SQ the straight
// lines √Q = √a (H + b). The formula of each segment is written as text in a
// part of the plot that the curve and the markers leave free.
//
// The sheet's millimetres, y upward: the plot area is 50..400 x 20..250; with
// hs = (stage max - stage min) / 4 and xs = (quantity max - quantity min) / 7,
// a stage h lies at y = 20 + ((h - stage min) / hs + 0.6) · 50 and a quantity
// q at x = 50 + (q - quantity min) / xs · 50, the ranges read through their
// decimal text as the drawing reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hydraulics/rating_formula.h"
#include "survey/hq_table.h"

namespace plamor {
class IPlamor;
}
namespace plamor::charts {
class TBunpu;
struct HqPlotFrame;
}

namespace plamor::sheets {

struct HqSheetAxes {
  double stageMin = 0, stageMax = 0;
  double quantityMin = 0, quantityMax = 0;
};

// The ranges of the stage and of `kind` that the chart holds.
HqSheetAxes SheetAxesOf(const charts::TBunpu& chart, survey::HqKind kind);

struct SheetPoint {
  double x = 0, y = 0;
};

// Throws std::invalid_argument for an empty range.
SheetPoint SheetPointOf(const HqSheetAxes& axes, double quantity, double stage);
double StageAtY(const HqSheetAxes& axes, double y);
double QuantityAtX(const HqSheetAxes& axes, double x);

struct CurvePiece {
  SheetPoint from, to;
  bool extrapolated = false;  // beyond the stages the formula holds: dashed
};

struct CurveText {
  SheetPoint at;  // left end of the base line
  std::string text;  // FormulaText of its segment
};

struct RatingCurveDrawing {
  std::vector<CurvePiece> pieces;  // inside the plot area only
  std::vector<CurveText> formulas;  // one per segment, top to bottom
};

// `kind` is kDischarge or kRootDischarge (else std::invalid_argument);
// `extendTo`, when given, must lie above the formula's highest stage (else
// std::invalid_argument naming both). `markers` are the measurements' places
// on the sheet, kept free of the formula texts where the plot allows.
RatingCurveDrawing LayOutRatingCurve(const hydraulics::RatingFormula& formula, survey::HqKind kind,
                                     const HqSheetAxes& axes, std::optional<double> extendTo,
                                     std::span<const SheetPoint> markers = {});

// The measurements' places on the sheet of `kind`.
std::vector<SheetPoint> MarkerPoints(const survey::HqTable& table, survey::HqKind kind, const HqSheetAxes& axes);

// A point of the sheet on the chart control's picture, in pixels (y
// downward): the sheet's grid laid onto the grid the chart draws, so that a
// host draws the curve over the chart where the chart puts its markers.
struct PicturePoint {
  double x = 0, y = 0;
};
PicturePoint OnChartPicture(const charts::HqPlotFrame& frame, SheetPoint point);
// The sheet's millimetres in pixels of the chart's picture, upward.
double PicturePixelsOf(const charts::HqPlotFrame& frame, double millimetres);

// The layer and text size of the curve and its formulas.
inline constexpr std::int16_t kRatingCurveLayer = 3;
inline constexpr double kFormulaTextHeight = 3.5;

// Registers the pieces as lines with `pen` (solid, the extrapolated ones
// dashed) and the formulas as texts with `pen`, all on kRatingCurveLayer.
// The texts are written in characters every output of the drawing can hold:
// the square as a raised small "2", "≤" as "≦".
void RegisterRatingCurve(IPlamor& server, const RatingCurveDrawing& drawing, std::int32_t pen);

}  // namespace plamor::sheets
