#include "sheets/rating_curve.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "charts/tbunpu.h"
#include "charts/tbunpu_chart.h"
#include "platform/cp932.h"
#include "server/plamor_interface.h"
#include "server/types.h"

namespace plamor::sheets {
namespace {

// The plot area and the pitch of the sheet.
constexpr double kLeft = 50, kRight = 400, kBottom = 20, kTop = 250, kPitch = 50;
// Pieces of the curve: short enough to follow it closely; the dashed ones
// long enough to show two periods of the dashed line type (3 mm).
constexpr double kSolidPiece = 2, kDashedPiece = 6;
// The formula texts keep this far from the plot's frame, the curve and the markers.
constexpr double kInset = 5, kClearance = 1.5;
constexpr double kLinePitch = 1.6;  // text lines, in text heights

struct Steps {
  double stage, quantity;
};

Steps StepsOf(const HqSheetAxes& axes) {
  const double hs = (charts::ThroughDecimalText(axes.stageMax) - charts::ThroughDecimalText(axes.stageMin)) / 4;
  const double xs =
      (charts::ThroughDecimalText(axes.quantityMax) - charts::ThroughDecimalText(axes.quantityMin)) / 7;
  if (!(hs != 0)) throw std::invalid_argument("the stage range of the sheet is empty");
  if (!(xs != 0)) throw std::invalid_argument("the quantity range of the sheet is empty");
  return {hs, xs};
}

struct Box {
  double left, bottom, right, top;
  bool Holds(SheetPoint p) const { return p.x >= left && p.x <= right && p.y >= bottom && p.y <= top; }
};

constexpr Box kPlot{kLeft, kBottom, kRight, kTop};

// The part of the line from a to b inside the box (Liang-Barsky); false when none.
bool Clip(const Box& box, SheetPoint& a, SheetPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  double t0 = 0, t1 = 1;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {a.x - box.left, box.right - a.x, a.y - box.bottom, box.top - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const SheetPoint start{a.x + t0 * dx, a.y + t0 * dy};
  b = {a.x + t1 * dx, a.y + t1 * dy};
  a = start;
  return true;
}

double StageOf(double from, double to, int i, int steps) { return i == steps ? to : from + (to - from) * i / steps; }

class CurveLayout {
 public:
  CurveLayout(survey::HqKind kind, const HqSheetAxes& axes) : kind_(kind), axes_(axes) {}

  SheetPoint At(const hydraulics::RatingSegment& s, double stage) const {
    const double q = kind_ == survey::kDischarge ? s.Discharge(stage) : std::sqrt(s.Discharge(stage));
    return SheetPointOf(axes_, q, stage);
  }

  // Pieces of about equal length along the curve, from stages spaced by the
  // length of a fine polyline through it; one piece on the straight lines.
  void AddStages(const hydraulics::RatingSegment& s, double from, double to, bool extrapolated,
                 std::vector<CurvePiece>& pieces) const {
    std::vector<double> stages{from, to};
    if (kind_ == survey::kDischarge) {
      constexpr int kFine = 256;
      std::vector<double> length(kFine + 1, 0.0);
      for (int i = 1; i <= kFine; ++i) {
        const SheetPoint a = At(s, StageOf(from, to, i - 1, kFine)), b = At(s, StageOf(from, to, i, kFine));
        length[i] = length[i - 1] + std::hypot(b.x - a.x, b.y - a.y);
      }
      const std::size_t count = std::max<std::size_t>(
          1, static_cast<std::size_t>(std::ceil(length.back() / (extrapolated ? kDashedPiece : kSolidPiece))));
      stages = {from};
      int i = 1;
      for (std::size_t k = 1; k < count; ++k) {
        const double wanted = length.back() * static_cast<double>(k) / static_cast<double>(count);
        while (length[i] < wanted) ++i;
        const double t = (wanted - length[i - 1]) / (length[i] - length[i - 1]);
        stages.push_back(StageOf(from, to, i - 1, kFine) + t * (to - from) / kFine);
      }
      stages.push_back(to);
    }
    for (std::size_t k = 0; k + 1 < stages.size(); ++k) {
      SheetPoint a = At(s, stages[k]), b = At(s, stages[k + 1]);
      if (Clip(kPlot, a, b)) pieces.push_back({a, b, extrapolated});
    }
  }

 private:
  survey::HqKind kind_;
  HqSheetAxes axes_;
};

// A piece of text as the sheet writes it: offset from the text's base point,
// size (height and width) and characters.
struct TextRun {
  double dx = 0, dy = 0, size = 0;
  std::string text;
};

// The width of a text: a character one byte long in the system code page
// takes half the character width, any other the whole width.
double Advance(const std::string& text, double size) {
  double width = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t end = i + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    width += cp932::ByteLength(std::string_view(text).substr(i, end - i)) == 1 ? size / 2 : size;
    i = end;
  }
  return width;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// "Q = a (H + b)²  from ≤ H ≤ to" in the system code page's characters.
std::vector<TextRun> FormulaRuns(const std::string& formula, double size) {
  const std::string square = "²";
  const std::size_t at = formula.find(square);
  if (at == std::string::npos) return {{0, 0, size, Replaced(formula, "≤", "≦")}};
  const std::string head = formula.substr(0, at), tail = Replaced(formula.substr(at + square.size()), "≤", "≦");
  const double small = 0.6 * size, raised = 0.5 * size;
  const double headWidth = Advance(head, size), squareWidth = Advance("2", small);
  return {{0, 0, size, head}, {headWidth, raised, small, "2"}, {headWidth + squareWidth, 0, size, tail}};
}

double RunsWidth(const std::vector<TextRun>& runs) {
  return runs.back().dx + Advance(runs.back().text, runs.back().size);
}

bool Crosses(const Box& box, CurvePiece piece) { return Clip(box, piece.from, piece.to); }

// The formula block's lines, top first, placed in the first corner of the
// plot that the curve and the markers leave free (the lower right, where a
// rating curve seldom runs, then the upper left, the upper right and the lower
// left); the lower right when none is free.
std::vector<SheetPoint> PlaceTexts(const std::vector<double>& widths, const std::vector<CurvePiece>& pieces,
                                   std::span<const SheetPoint> markers) {
  const double h = kFormulaTextHeight, pitch = kLinePitch * h;
  const double width = *std::max_element(widths.begin(), widths.end());
  const double height = h + pitch * static_cast<double>(widths.size() - 1);
  const Box corners[] = {{kRight - kInset - width, kBottom + kInset, kRight - kInset, kBottom + kInset + height},
                         {kLeft + kInset, kTop - kInset - height, kLeft + kInset + width, kTop - kInset},
                         {kRight - kInset - width, kTop - kInset - height, kRight - kInset, kTop - kInset},
                         {kLeft + kInset, kBottom + kInset, kLeft + kInset + width, kBottom + kInset + height}};
  const Box* chosen = &corners[0];
  for (const Box& corner : corners) {
    const Box clear{corner.left - kClearance, corner.bottom - kClearance, corner.right + kClearance,
                    corner.top + kClearance};
    const bool free = std::none_of(pieces.begin(), pieces.end(), [&](const CurvePiece& p) { return Crosses(clear, p); }) &&
                      std::none_of(markers.begin(), markers.end(), [&](SheetPoint m) { return clear.Holds(m); });
    if (free) {
      chosen = &corner;
      break;
    }
  }
  std::vector<SheetPoint> places;
  for (std::size_t k = 0; k < widths.size(); ++k) places.push_back({chosen->left, chosen->top - h - pitch * static_cast<double>(k)});
  return places;
}

}  // namespace

HqSheetAxes SheetAxesOf(const charts::TBunpu& chart, survey::HqKind kind) {
  HqSheetAxes axes{chart.YMin(), chart.YMax(), 0, 0};
  switch (kind) {
    case survey::kDischarge: axes.quantityMin = chart.QMin(), axes.quantityMax = chart.QMax(); break;
    case survey::kArea: axes.quantityMin = chart.AMin(), axes.quantityMax = chart.AMax(); break;
    case survey::kWidth: axes.quantityMin = chart.BMin(), axes.quantityMax = chart.BMax(); break;
    case survey::kVelocity: axes.quantityMin = chart.VMin(), axes.quantityMax = chart.VMax(); break;
    case survey::kRootDischarge: axes.quantityMin = chart.SQMin(), axes.quantityMax = chart.SQMax(); break;
  }
  return axes;
}

SheetPoint SheetPointOf(const HqSheetAxes& axes, double quantity, double stage) {
  const Steps steps = StepsOf(axes);
  // In the drawing's own order of operations, so that a marker placed here
  // rounds to the same millimetre as the drawing's markers.
  return {kLeft + (quantity - charts::ThroughDecimalText(axes.quantityMin)) * kPitch / steps.quantity,
          kBottom + (stage - charts::ThroughDecimalText(axes.stageMin)) * kPitch / steps.stage + 0.6 * kPitch};
}

double StageAtY(const HqSheetAxes& axes, double y) {
  return charts::ThroughDecimalText(axes.stageMin) + ((y - kBottom) / kPitch - 0.6) * StepsOf(axes).stage;
}

double QuantityAtX(const HqSheetAxes& axes, double x) {
  return charts::ThroughDecimalText(axes.quantityMin) + (x - kLeft) / kPitch * StepsOf(axes).quantity;
}

RatingCurveDrawing LayOutRatingCurve(const hydraulics::RatingFormula& formula, survey::HqKind kind,
                                     const HqSheetAxes& axes, std::optional<double> extendTo,
                                     std::span<const SheetPoint> markers) {
  if (kind != survey::kDischarge && kind != survey::kRootDischarge)
    throw std::invalid_argument("the rating curve is drawn on the sheets of Q and of the root of Q only");
  const hydraulics::RatingSegment& last = formula.segments.back();
  if (extendTo && !(*extendTo > last.to))
    throw std::invalid_argument("the curve cannot be extended to " + hydraulics::StageText(*extendTo) +
                                ": the formula already holds up to " + hydraulics::StageText(last.to));
  const CurveLayout layout(kind, axes);
  RatingCurveDrawing drawing;
  for (const hydraulics::RatingSegment& s : formula.segments) layout.AddStages(s, s.from, s.to, false, drawing.pieces);
  if (extendTo) layout.AddStages(last, last.to, *extendTo, true, drawing.pieces);

  std::vector<double> widths;
  for (std::size_t k = 0; k < formula.segments.size(); ++k) {
    drawing.formulas.push_back({{}, hydraulics::FormulaText(formula, k)});
    widths.push_back(RunsWidth(FormulaRuns(drawing.formulas.back().text, kFormulaTextHeight)));
  }
  const std::vector<SheetPoint> places = PlaceTexts(widths, drawing.pieces, markers);
  for (std::size_t k = 0; k < places.size(); ++k) drawing.formulas[k].at = places[k];
  return drawing;
}

PicturePoint OnChartPicture(const charts::HqPlotFrame& frame, SheetPoint point) {
  return {frame.left + (point.x - kLeft) / kPitch * frame.quantityPitch,
          frame.bottom - (point.y - kBottom) / kPitch * frame.stagePitch};
}

double PicturePixelsOf(const charts::HqPlotFrame& frame, double millimetres) {
  return millimetres / kPitch * frame.stagePitch;
}

std::vector<SheetPoint> MarkerPoints(const survey::HqTable& table, survey::HqKind kind, const HqSheetAxes& axes) {
  std::vector<SheetPoint> points;
  for (const survey::Measurement& m : table.measurements) points.push_back(SheetPointOf(axes, m.quantity[kind], m.stage));
  return points;
}

void RegisterRatingCurve(IPlamor& server, const RatingCurveDrawing& drawing, std::int32_t pen) {
  for (const CurvePiece& p : drawing.pieces)
    server.Sen(p.from.x, p.from.y, p.to.x, p.to.y,
               LineOptions{pen, p.extrapolated ? ktpdash : ktpsolid, {}, kRatingCurveLayer});
  for (const CurveText& t : drawing.formulas)
    for (const TextRun& run : FormulaRuns(t.text, kFormulaTextHeight))
      server.Moji(t.at.x + run.dx, t.at.y + run.dy, run.text, ktpYoko, 0, 0,
                  TextOptions{run.size, run.size, 0.0, pen, kRatingCurveLayer, ktpLeftBottom});
}

}  // namespace plamor::sheets
