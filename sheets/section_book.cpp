#include "sheets/section_book.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>

#include "charts/water_line.h"
#include "drawings/sheet_builder.h"
#include "hydraulics/section_hydraulics.h"
#include "server/types.h"

namespace plamor::sheets {
namespace {

using drawings::SheetBuilder;
using drawings::SheetPoint;
using drawings::TextAnchor;

// The sheet (A3 landscape, millimetres): a header strip with the title, the
// legend and the sheet number, under it two columns of three slots.
constexpr double kFrameLeft = 10, kFrameRight = 410, kFrameBottom = 10, kFrameTop = 287, kHeaderBottom = 262;
constexpr std::size_t kSlotRows = 3;
constexpr double kSlotWidth = (kFrameRight - kFrameLeft) / 2, kSlotHeight = (kHeaderBottom - kFrameBottom) / kSlotRows;
// Inside a slot, from its lower left corner: the data band's two rows
// (ground elevation, distance) with their captions, the plot above them,
// the distance mark and the banks' names on top.
constexpr double kBandBottom = 1, kBandMiddle = 13, kBandTop = 25, kCaptionRight = 26;
constexpr double kPlotLeft = 28, kPlotRightMargin = 4, kPlotBottom = 27, kPlotTopMargin = 9;
constexpr double kPlotWidth = kSlotWidth - kPlotLeft - kPlotRightMargin;
constexpr double kPlotHeight = kSlotHeight - kPlotTopMargin - kPlotBottom;
constexpr double kFitMarginX = 1, kFitMarginY = 3;  // kept free inside the plot by an automatic scale
constexpr double kFigureHeight = 2, kBandFigureHeight = 1.8, kBandFigureGap = 0.5, kCaptionHeight = 3.5;
constexpr double kLeastElevationStepMm = 8;
constexpr std::int32_t kBlackPen = 7, kWaterPen = 4;
constexpr std::size_t kIndexRowsPerColumn = kIndexRowsPerSheet / 2;
constexpr double kIndexRow = 5.5, kIndexTop = 250, kIndexColumnWidth = 198;
constexpr std::size_t kLegendRows = 4;

// The distances and elevations a section's surveys and water surfaces cover.
struct Extent {
  double minDistance = std::numeric_limits<double>::infinity(), maxDistance = -minDistance;
  double minElevation = minDistance, maxElevation = -minDistance;

  double Width() const { return maxDistance - minDistance; }
  double Datum() const { return std::floor(minElevation); }  // whole metres, as a D.L. is given
  double Height() const { return maxElevation - Datum(); }
};

Extent ExtentOf(const survey::RiverSection& section) {
  Extent e;
  for (const survey::SectionSurvey& s : section.surveys) {
    for (const survey::SectionPoint& p : s.points) {
      if (!p.elevation) continue;
      e.minDistance = std::min(e.minDistance, p.distance), e.maxDistance = std::max(e.maxDistance, p.distance);
      e.minElevation = std::min(e.minElevation, *p.elevation), e.maxElevation = std::max(e.maxElevation, *p.elevation);
    }
    if (s.waterSurface) e.maxElevation = std::max(e.maxElevation, *s.waterSurface);
  }
  return e;
}

std::string SectionName(const survey::RiverSection& section) { return DistanceMarkText(section.distanceMark) + "k"; }

std::string ScaleText(double scale) {
  char text[32];
  std::snprintf(text, sizeof text, "1:%.15g", scale);
  return text;
}

void RequireScale(const std::optional<double>& scale, const char* what) {
  if (scale && !(*scale > 0 && std::isfinite(*scale)))
    throw std::invalid_argument(std::string("the ") + what + " scale 1:N needs N above 0");
}

// Where one section is drawn in its slot: distances centred across the plot,
// elevations from the section's datum at the plot's foot.
struct SectionPlace {
  BookSlot slot;
  double middleDistance, datum, distanceScale, elevationScale;

  double X(double distance) const {
    return slot.left + kPlotLeft + kPlotWidth / 2 + (distance - middleDistance) * 1000 / distanceScale;
  }
  double Y(double elevation) const { return slot.bottom + kPlotBottom + (elevation - datum) * 1000 / elevationScale; }
  double PlotLeft() const { return slot.left + kPlotLeft; }
  double PlotRight() const { return slot.left + kPlotLeft + kPlotWidth; }
  double PlotTop() const { return slot.bottom + kPlotBottom + kPlotHeight; }
};

// --- what every sheet has --------------------------------------------------

void DrawHeader(SheetBuilder& sheet, const survey::River& river, const std::string& title, std::size_t number,
                std::size_t count) {
  sheet.Use(StrokeOf(kBlackPen, kFrameLayer));
  sheet.Rectangle({kFrameLeft, kFrameBottom}, {kFrameRight, kFrameTop});
  sheet.Line({kFrameLeft, kHeaderBottom}, {kFrameRight, kHeaderBottom});
  std::string name = river.riverSystem;
  if (!river.river.empty()) name += (name.empty() ? "" : "　") + river.river;
  sheet.Text({kFrameLeft + 5, 278}, name, kCaptionHeight);
  sheet.Text({kFrameLeft + 5, 267}, title, 5);
  sheet.Text({kFrameRight - 4, kHeaderBottom + 2}, std::to_string(number) + " / " + std::to_string(count), 3,
             TextAnchor::kRightBottom);
}

// --- a section in its slot -------------------------------------------------

void DrawElevationAxis(SheetBuilder& sheet, const SectionPlace& place, const Extent& extent) {
  const double step = GridStep(place.elevationScale, 1, kLeastElevationStepMm);
  const double axisX = place.slot.left + kCaptionRight, top = place.Y(extent.maxElevation) + 2;
  sheet.Use(StrokeOf(kBlackPen, kGridLayer));
  sheet.Line({axisX, place.Y(place.datum)}, {axisX, std::min(top, place.PlotTop())});
  sheet.Line({axisX, place.Y(place.datum)}, {place.PlotRight(), place.Y(place.datum)});  // the datum line
  sheet.Text({axisX + 1, place.Y(place.datum) + 0.8}, "D.L.=" + FixedFigure(place.datum, 2), kFigureHeight);
  for (double e = place.datum + step; place.Y(e) <= top + 1e-9; e += step) {
    sheet.Line({axisX - 1, place.Y(e)}, {axisX, place.Y(e)});
    sheet.Text({axisX - 1.5, place.Y(e)}, FixedFigure(e, step < 1 ? 1 : 0), kFigureHeight, TextAnchor::kRightCenter);
  }
}

// The water line of a survey: at its water surface between the ends the
// cross-section chart gives it, where the bed meets the water scanning from
// each distance post inward, so that it never runs over a levee or a dry bank.
std::optional<charts::WaterLineEnds> WaterEndsOf(const survey::SectionSurvey& s) {
  const std::vector<hydraulics::BedPoint> bed = hydraulics::BedLine(s);
  if (!s.waterSurface || bed.empty()) return std::nullopt;
  charts::PointTable table;
  table.X = {0};
  table.Y = {*s.waterSurface};
  for (const hydraulics::BedPoint& p : bed) table.X.push_back(p.distance), table.Y.push_back(p.elevation);
  return charts::WaterLineOf(table, std::int32_t(bed.size()));
}

void DrawSurveys(SheetBuilder& sheet, const SectionPlace& place, const survey::RiverSection& section,
                 const SectionBookPlan& plan) {
  for (const survey::SectionSurvey& s : section.surveys) {  // earliest first: the latest lies over the others
    const std::size_t rank = RiverSurveyRank(plan.surveys, s.date);
    std::vector<SheetPoint> ground;
    for (const survey::SectionPoint& p : s.points)
      if (p.elevation) ground.push_back({place.X(p.distance), place.Y(*p.elevation)});
    sheet.Use(SurveyStroke(rank));
    sheet.Polyline(ground);
    const auto ends = WaterEndsOf(s);
    if (!ends) continue;
    const double y = place.Y(*s.waterSurface), left = place.X(ends->left), right = place.X(ends->right);
    sheet.Use(StrokeOf(kWaterPen, kWaterLayer, SurveyStroke(rank).style));
    sheet.Line({left, y}, {right, y});
    if (&s == &section.surveys.back())
      sheet.Text({(left + right) / 2, y + 0.8}, "▽" + FixedFigure(*s.waterSurface, 2), kFigureHeight,
                 TextAnchor::kCenterBottom);
  }
}

// The figures of the data band: the latest survey's distance and ground
// elevation at each point, upright; a figure that would run into the one
// before it is left out, the first and the last always stand.
void DrawDataBand(SheetBuilder& sheet, const SectionPlace& place, const survey::SectionSurvey& latest,
                  const SectionBookPlan& plan) {
  const double left = place.slot.left, bottom = place.slot.bottom, right = left + kSlotWidth - 2;
  sheet.Use(StrokeOf(kBlackPen, kDataBandLayer));
  for (double y : {kBandBottom, kBandMiddle, kBandTop}) sheet.Line({left + 2, bottom + y}, {right, bottom + y});
  sheet.Line({left + kCaptionRight, bottom + kBandBottom}, {left + kCaptionRight, bottom + kBandTop});
  const double distanceRow = bottom + (kBandMiddle + kBandTop) / 2, groundRow = bottom + (kBandBottom + kBandMiddle) / 2;
  sheet.Text({left + 3, distanceRow}, "距離 (m)", 2.5, TextAnchor::kLeftCenter);
  sheet.Text({left + 3, groundRow + 1.5}, "地盤高 (m)", 2.5, TextAnchor::kLeftCenter);
  sheet.Text({left + 3, groundRow - 2.5}, plan.surveys[RiverSurveyRank(plan.surveys, latest.date)].Label(), 1.6,
             TextAnchor::kLeftCenter);

  std::vector<const survey::SectionPoint*> kept;
  const double apart = kBandFigureHeight + kBandFigureGap;
  std::vector<const survey::SectionPoint*> points;
  for (const survey::SectionPoint& p : latest.points)
    if (p.elevation) points.push_back(&p);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = place.X(points[i]->distance);
    const bool last = i + 1 == points.size();
    if (!kept.empty() && x - place.X(kept.back()->distance) < apart) {
      if (!last) continue;
      if (kept.size() > 1) kept.pop_back();  // the last figure stands in place of its neighbour
      else continue;
    }
    kept.push_back(points[i]);
  }
  for (const survey::SectionPoint* p : kept) {
    const double x = place.X(p->distance);
    sheet.Line({x, bottom + kBandTop}, {x, bottom + kBandTop - 1});
    sheet.Text({x, distanceRow}, FixedFigure(p->distance, 1), kBandFigureHeight, TextAnchor::kCenterCenter, 90);
    sheet.Text({x, groundRow}, FixedFigure(*p->elevation, 2), kBandFigureHeight, TextAnchor::kCenterCenter, 90);
  }
}

void DrawSection(SheetBuilder& sheet, const survey::RiverSection& section, std::size_t slot,
                 const SectionBookPlan& plan) {
  const Extent extent = ExtentOf(section);
  const SectionPlace place{SlotOf(slot), (extent.minDistance + extent.maxDistance) / 2, extent.Datum(),
                           plan.distanceScale, plan.elevationScale};
  const double captionY = place.slot.bottom + kSlotHeight - 4.5;
  sheet.Use(StrokeOf(kBlackPen, kFrameLayer));
  sheet.Text({place.slot.left + kSlotWidth / 2, captionY}, SectionName(section), kCaptionHeight,
             TextAnchor::kCenterCenter);
  sheet.Text({place.PlotLeft(), captionY}, "左岸", 2.5, TextAnchor::kLeftCenter);
  sheet.Text({place.PlotRight(), captionY}, "右岸", 2.5, TextAnchor::kRightCenter);
  DrawElevationAxis(sheet, place, extent);
  DrawDataBand(sheet, place, section.surveys.back(), plan);
  DrawSurveys(sheet, place, section, plan);
}

void DrawSectionSheet(SheetBuilder& sheet, const survey::River& river, const SectionBookPlan& plan,
                      std::size_t sheetNumber) {
  std::string title = "横断図　縮尺　横 " + ScaleText(plan.distanceScale) + "　縦 " + ScaleText(plan.elevationScale);
  DrawHeader(sheet, river, title, sheetNumber + 1, plan.SheetCount());
  sheet.Use(StrokeOf(kBlackPen, kFrameLayer));
  sheet.Line({kFrameLeft + kSlotWidth, kFrameBottom}, {kFrameLeft + kSlotWidth, kHeaderBottom});
  for (std::size_t row = 1; row < kSlotRows; ++row)
    sheet.Line({kFrameLeft, kFrameBottom + kSlotHeight * double(row)},
               {kFrameRight, kFrameBottom + kSlotHeight * double(row)});
  DrawSurveyLegend(sheet, {250, kFrameTop - 0.5}, plan.surveys, kLegendRows, 75);
  const std::size_t first = (sheetNumber - plan.indexSheets) * kSectionsPerSheet;
  for (std::size_t i = first; i < std::min(first + kSectionsPerSheet, river.sections.size()); ++i)
    DrawSection(sheet, river.sections[i], i - first, plan);
}

// --- the index ---------------------------------------------------------------

void DrawIndexSheet(SheetBuilder& sheet, const survey::River& river, const SectionBookPlan& plan,
                    std::size_t sheetNumber) {
  DrawHeader(sheet, river, "横断図集　索引", sheetNumber + 1, plan.SheetCount());
  const std::size_t first = sheetNumber * kIndexRowsPerSheet;
  const std::size_t end = std::min(first + kIndexRowsPerSheet, river.sections.size());
  for (std::size_t column = 0; column * kIndexRowsPerColumn < end - first; ++column) {
    const double left = kFrameLeft + 5 + kIndexColumnWidth * double(column);
    sheet.Use(StrokeOf(kBlackPen, kFrameLayer));
    sheet.Text({left + 2, kIndexTop + 3}, "距離標 (km)", 2.5);
    sheet.Text({left + 30, kIndexTop + 3}, "測量年月日", 2.5);
    sheet.Text({left + 185, kIndexTop + 3}, "図面番号", 2.5, TextAnchor::kRightBottom);
    sheet.Line({left, kIndexTop + 1.5}, {left + 188, kIndexTop + 1.5});
    for (std::size_t row = 0; row < kIndexRowsPerColumn; ++row) {
      const std::size_t i = first + column * kIndexRowsPerColumn + row;
      if (i >= end) break;
      const survey::RiverSection& section = river.sections[i];
      const double y = kIndexTop - kIndexRow * double(row + 1);
      std::string dates;
      for (const survey::SectionSurvey& s : section.surveys) dates += (dates.empty() ? "" : "  ") + survey::IsoDate(s.date);
      sheet.Text({left + 2, y}, DistanceMarkText(section.distanceMark), 2.5);
      sheet.Text({left + 30, y}, dates, 2.5);
      sheet.Text({left + 185, y}, std::to_string(plan.SheetOfSection(i) + 1), 2.5, TextAnchor::kRightBottom);
    }
  }
}

}  // namespace

BookSlot SlotOf(std::size_t slot) {
  const std::size_t column = slot / kSlotRows, row = slot % kSlotRows;
  return {kFrameLeft + kSlotWidth * double(column), kFrameBottom + kSlotHeight * double(row), kSlotWidth, kSlotHeight};
}

std::size_t SectionBookPlan::SheetOfSection(std::size_t section) const {
  return indexSheets + section / kSectionsPerSheet;
}

SectionBookPlan PlanSectionBook(const survey::River& river, const BookOptions& options) {
  if (river.sections.empty()) throw std::invalid_argument("a book needs the sections of a river");
  RequireScale(options.distanceScale, "distance");
  RequireScale(options.elevationScale, "elevation");
  double widest = 0, tallest = 0;
  std::vector<Extent> extents;
  for (const survey::RiverSection& section : river.sections) {
    extents.push_back(ExtentOf(section));
    if (!std::isfinite(extents.back().Width()))
      throw std::invalid_argument("section " + SectionName(section) + " has no point with an elevation");
    widest = std::max(widest, extents.back().Width());
    tallest = std::max(tallest, extents.back().Height());
  }
  SectionBookPlan plan;
  plan.distanceScale = options.distanceScale.value_or(RoundScale(std::max(widest, 1.0), kPlotWidth - 2 * kFitMarginX));
  plan.elevationScale = options.elevationScale.value_or(RoundScale(std::max(tallest, 0.1), kPlotHeight - kFitMarginY));
  for (std::size_t i = 0; i < river.sections.size(); ++i) {
    const bool wide = extents[i].Width() * 1000 / plan.distanceScale > kPlotWidth;
    const bool tall = extents[i].Height() * 1000 / plan.elevationScale > kPlotHeight;
    if (wide || tall) {
      char text[240];
      std::snprintf(text, sizeof text,
                    "section %s (%.1f m across, %.2f m from its datum up) does not fit its place on the sheet "
                    "(%.0f x %.0f mm) at 1:%g across and 1:%g up; choose a smaller scale (a larger N)",
                    SectionName(river.sections[i]).c_str(), extents[i].Width(), extents[i].Height(), kPlotWidth,
                    kPlotHeight, plan.distanceScale, plan.elevationScale);
      throw std::invalid_argument(text);
    }
  }
  plan.surveys = RiverSurveysOf(river);
  plan.indexSheets = (river.sections.size() + kIndexRowsPerSheet - 1) / kIndexRowsPerSheet;
  plan.sectionSheets = (river.sections.size() + kSectionsPerSheet - 1) / kSectionsPerSheet;
  return plan;
}

drawings::DrawingModel DrawBookSheet(const survey::River& river, const SectionBookPlan& plan, std::size_t sheet) {
  if (sheet >= plan.SheetCount()) throw std::out_of_range("the book has no sheet " + std::to_string(sheet + 1));
  SheetBuilder builder;
  NameRiverLayers(builder, plan.surveys);
  if (sheet < plan.indexSheets)
    DrawIndexSheet(builder, river, plan, sheet);
  else
    DrawSectionSheet(builder, river, plan, sheet);
  return builder.Take();
}

}  // namespace plamor::sheets
