#include "sheets/river_profile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>

#include "drawings/sheet_builder.h"
#include "hydraulics/section_hydraulics.h"
#include "server/types.h"
#include "sheets/river_sheet.h"

namespace plamor::sheets {
namespace {

using drawings::SheetBuilder;
using drawings::SheetPoint;
using drawings::TextAnchor;

// The sheet (A3 landscape, millimetres). Distance runs to the right from the
// mouth, as engineers draw a profile: the distance marks count from the mouth
// upstream, so the bed rises from left to right as the figures grow. Under
// the plot lies the data band, above it the legend and the title block.
constexpr double kFrameLeft = 10, kFrameRight = 410, kFrameBottom = 10, kFrameTop = 287;
constexpr double kPlotLeft = 45, kPlotRight = kFrameRight, kPlotBottom = 57, kPlotTop = 250;
constexpr double kPlotMarginX = 6;         // between the plot's edge and its first and last section
constexpr double kElevationRoom = 160;     // of the plot's 193 mm, for an automatic elevation scale
constexpr double kLeastMarginY = 5;        // under the lowest bed
constexpr double kTitleLeft = 290;
// The data band's rows, from the plot down: round distances, distance marks,
// deepest bed, mean bed.
constexpr double kAxisRowBottom = 50, kMarkRowBottom = 38, kDeepestRowBottom = 24, kMeanRowBottom = kFrameBottom;
constexpr double kFigureHeight = 2.5;
constexpr double kMarkerRadius = 0.7;  // the deepest bed's marker at each section
// The automatic distance scale: the river on one sheet where it fits, but no
// smaller than engineers read a profile at; a longer river takes more sheets.
constexpr double kLargestAutoDistanceScale = 10000, kSmallestAutoDistanceScale = 1000;

// Blue is the water's: the planned high-water level; the surveys take the others.
constexpr std::int32_t kBlackPen = 7, kGridPen = 5, kPlannedStagePen = 4;

double ElevationStep(double scale) { return GridStep(scale, 1, 10); }
double DistanceStep(double scale) { return GridStep(scale, 1000, 15); }

int DecimalsOf(double step) { return step >= 1 ? 0 : step >= 0.1 ? 1 : 2; }

// The lower of the two bank tops: each the distance post's elevation, or the
// highest ground of the bed line on that side of its lowest point.
double BankTop(const survey::SectionSurvey& survey) {
  const std::vector<hydraulics::BedPoint> bed = hydraulics::BedLine(survey);
  const auto lowest = std::min_element(bed.begin(), bed.end(), [](const auto& a, const auto& b) {
    return a.elevation < b.elevation;
  });
  auto highest = [](auto from, auto to) {
    double top = -std::numeric_limits<double>::infinity();
    for (auto p = from; p != to; ++p) top = std::max(top, p->elevation);
    return top;
  };
  const double left = survey.leftPostElevation.value_or(highest(bed.begin(), lowest + 1));
  const double right = survey.rightPostElevation.value_or(highest(lowest, bed.end()));
  return std::min(left, right);
}

// The beds of one survey of one section.
struct SurveyBeds {
  std::size_t rank = 0;  // of its river survey
  double deepest = 0;
  std::optional<double> mean;
};

std::vector<std::vector<SurveyBeds>> BedsOf(const survey::River& river, const std::vector<RiverSurvey>& surveys,
                                            const ProfileOptions& options) {
  const survey::StageTable* planned = options.plannedStage ? &*options.plannedStage : nullptr;
  std::vector<std::vector<SurveyBeds>> beds;
  for (const survey::RiverSection& section : river.sections) {
    beds.emplace_back();
    for (const survey::SectionSurvey& s : section.surveys) {
      const auto flow = hydraulics::FlowAt(hydraulics::BedLine(s), MeanBedStage(s, planned));
      beds.back().push_back({RiverSurveyRank(surveys, s.date), hydraulics::DeepestBed(s), flow.meanBed});
    }
  }
  return beds;
}

void RequireScale(const std::optional<double>& scale, const char* what) {
  if (scale && !(*scale > 0 && std::isfinite(*scale)))
    throw std::invalid_argument(std::string("the ") + what + " scale 1:N needs N above 0");
}

// Splits the sections into sheets of at most `widthKm` each; the last section
// of a sheet begins the next. A section further from its neighbour than a
// sheet is wide stands alone.
std::vector<ProfileSheetPlan> SplitIntoSheets(const survey::River& river, double widthKm) {
  std::vector<ProfileSheetPlan> plans;
  const auto& sections = river.sections;
  for (std::size_t first = 0;;) {
    std::size_t last = first;
    while (last + 1 < sections.size() && sections[last + 1].distanceMark - sections[first].distanceMark <= widthKm + 1e-9)
      ++last;
    ProfileSheetPlan plan;
    plan.firstSection = first;
    plan.lastSection = last;
    plans.push_back(plan);
    if (last + 1 >= sections.size()) return plans;
    first = last == first ? last + 1 : last;
  }
}

struct Range {
  double low = std::numeric_limits<double>::infinity(), high = -std::numeric_limits<double>::infinity();
  void Include(double v) { low = std::min(low, v), high = std::max(high, v); }
};

Range ElevationsOn(const ProfileSheetPlan& plan, const survey::River& river,
                   const std::vector<std::vector<SurveyBeds>>& beds, const ProfileOptions& options) {
  Range range;
  for (std::size_t i = plan.firstSection; i <= plan.lastSection; ++i) {
    for (const SurveyBeds& b : beds[i]) {
      range.Include(b.deepest);
      if (b.mean) range.Include(*b.mean);
    }
    if (options.plannedStage)
      if (auto stage = options.plannedStage->StageAt(river.sections[i].distanceMark)) range.Include(*stage);
  }
  return range;
}

std::vector<ProfileSheetPlan> Plan(const survey::River& river, const std::vector<std::vector<SurveyBeds>>& beds,
                                   const ProfileOptions& options) {
  if (river.sections.empty()) throw std::invalid_argument("a profile needs the sections of a river");
  RequireScale(options.distanceScale, "distance");
  RequireScale(options.elevationScale, "elevation");
  const double roomMm = kPlotRight - kPlotLeft - 2 * kPlotMarginX;
  const double lengthM = (river.sections.back().distanceMark - river.sections.front().distanceMark) * 1000;
  const double distanceScale =
      options.distanceScale.value_or(std::min(RoundScale(std::max(lengthM, 1.0), roomMm, kSmallestAutoDistanceScale),
                                              kLargestAutoDistanceScale));
  std::vector<ProfileSheetPlan> plans = SplitIntoSheets(river, roomMm * distanceScale / 1e6);

  std::vector<Range> ranges;
  double tallest = 0;
  for (const ProfileSheetPlan& plan : plans) {
    ranges.push_back(ElevationsOn(plan, river, beds, options));
    tallest = std::max(tallest, ranges.back().high - ranges.back().low);
  }
  const double elevationScale = options.elevationScale.value_or(RoundScale(std::max(tallest, 0.1), kElevationRoom));
  const double step = ElevationStep(elevationScale);
  for (std::size_t k = 0; k < plans.size(); ++k) {
    ProfileSheetPlan& plan = plans[k];
    plan.distanceScale = distanceScale;
    plan.elevationScale = elevationScale;
    plan.leftKm = river.sections[plan.firstSection].distanceMark - kPlotMarginX * distanceScale / 1e6;
    plan.rightKm = river.sections[plan.lastSection].distanceMark + kPlotMarginX * distanceScale / 1e6;
    // The beds in the middle of the plot's height, its lower edge on a grid line.
    const double halfHeightM = (kPlotTop - kPlotBottom) / 2 * elevationScale / 1000;
    const double middle = (ranges[k].low + ranges[k].high) / 2;
    plan.bottomElevation = std::floor((middle - halfHeightM) / step) * step;
    if (plan.Y(ranges[k].low) - kPlotBottom < kLeastMarginY) plan.bottomElevation -= step;
    if (plan.Y(ranges[k].high) > kPlotTop) {
      char text[200];
      std::snprintf(text, sizeof text,
                    "the elevations from %.2f to %.2f m (sheet %zu) do not fit on the sheet at the elevation scale "
                    "1:%g; choose a smaller scale (a larger N)",
                    ranges[k].low, ranges[k].high, k + 1, elevationScale);
      throw std::invalid_argument(text);
    }
  }
  return plans;
}

// --- drawing -------------------------------------------------------------

// The grid stays behind the beds: thin dashes.
drawings::Stroke GridPen() { return StrokeOf(kGridPen, kGridLayer, ktpdash); }

void DrawFrame(SheetBuilder& sheet, const ProfileSheetPlan& plan) {
  const double plotRight = plan.X(plan.rightKm);
  sheet.Use(StrokeOf(kBlackPen, kFrameLayer));
  sheet.Rectangle({kFrameLeft, kFrameBottom}, {kFrameRight, kFrameTop});
  sheet.Line({kFrameLeft, kPlotTop}, {kFrameRight, kPlotTop});
  sheet.Line({kTitleLeft, kPlotTop}, {kTitleLeft, kFrameTop});
  sheet.Use(StrokeOf(kBlackPen, kDataBandLayer));
  for (double y : {kPlotBottom, kAxisRowBottom, kMarkRowBottom, kDeepestRowBottom})
    sheet.Line({kFrameLeft, y}, {plotRight, y});
  sheet.Line({kPlotLeft, kFrameBottom}, {kPlotLeft, kPlotTop});
  if (plotRight < kFrameRight) sheet.Line({plotRight, kFrameBottom}, {plotRight, kPlotTop});
}

void DrawTitle(SheetBuilder& sheet, const survey::River& river, const ProfileSheetPlan& plan, std::size_t number,
               std::size_t count) {
  sheet.Use(StrokeOf(kBlackPen, kFrameLayer));
  const double middle = (kTitleLeft + kFrameRight) / 2;
  std::string name = river.riverSystem;
  if (!river.river.empty()) name += (name.empty() ? "" : "　") + river.river;
  sheet.Text({middle, 279}, name, 3.5, TextAnchor::kCenterCenter);
  sheet.Text({middle, 268.5}, "縦断図", 6, TextAnchor::kCenterCenter);
  sheet.Text({middle, 258}, "縮尺　横 1:" + FixedFigure(plan.distanceScale, 0) + "　縦 1:" + FixedFigure(plan.elevationScale, 0),
             kFigureHeight, TextAnchor::kCenterCenter);
  sheet.Text({kFrameRight - 2, kPlotTop + 1.5}, std::to_string(number) + " / " + std::to_string(count),
             kFigureHeight, TextAnchor::kRightBottom);
}

void DrawElevationAxis(SheetBuilder& sheet, const ProfileSheetPlan& plan) {
  const double step = ElevationStep(plan.elevationScale);
  sheet.Use(StrokeOf(kBlackPen, kGridLayer));
  sheet.Text({kFrameLeft + 2, kPlotTop + 2}, "標高 (T.P. m)", kFigureHeight);
  for (double e = std::ceil(plan.bottomElevation / step - 1e-9) * step; plan.Y(e) <= kPlotTop + 1e-9; e += step) {
    const double y = plan.Y(e);
    sheet.Use(StrokeOf(kBlackPen, kGridLayer));
    sheet.Text({kPlotLeft - 2, y}, FixedFigure(e, DecimalsOf(step)), kFigureHeight, TextAnchor::kRightCenter);
    sheet.Line({kPlotLeft - 1, y}, {kPlotLeft, y});
    if (y > kPlotBottom + 1e-9 && y < kPlotTop - 1e-9) {
      sheet.Use(GridPen());
      sheet.Line({kPlotLeft, y}, {plan.X(plan.rightKm), y});
    }
  }
}

void DrawDistanceAxis(SheetBuilder& sheet, const ProfileSheetPlan& plan) {
  const double step = DistanceStep(plan.distanceScale);
  for (double km = std::ceil(plan.leftKm / step - 1e-9) * step; km <= plan.rightKm - 3 * plan.distanceScale / 1e6;
       km += step) {
    const double x = plan.X(km);
    if (x < kPlotLeft + 3) continue;
    sheet.Use(GridPen());
    sheet.Line({x, kPlotBottom}, {x, kPlotTop});
    sheet.Use(StrokeOf(kBlackPen, kGridLayer));
    sheet.Text({x, (kAxisRowBottom + kPlotBottom) / 2}, FixedFigure(km, DecimalsOf(step)), kFigureHeight,
               TextAnchor::kCenterCenter);
  }
}

// The caption of a band row in the band's first column, with the survey its
// figures come from under it.
void BandCaption(SheetBuilder& sheet, double bottom, double top, const std::string& caption, const std::string& note) {
  const double middle = (bottom + top) / 2;
  if (note.empty()) {
    sheet.Text({kFrameLeft + 2, middle}, caption, kFigureHeight, TextAnchor::kLeftCenter);
    return;
  }
  sheet.Text({kFrameLeft + 2, middle + 1.5}, caption, kFigureHeight, TextAnchor::kLeftCenter);
  sheet.Text({kFrameLeft + 2, middle - 2.5}, note, 2, TextAnchor::kLeftCenter);
}

void DrawDataBand(SheetBuilder& sheet, const survey::River& river, const ProfileSheetPlan& plan,
                  const std::vector<std::vector<SurveyBeds>>& beds, const std::string& latestLabel) {
  sheet.Use(StrokeOf(kBlackPen, kDataBandLayer));
  BandCaption(sheet, kAxisRowBottom, kPlotBottom, "距離 (km)", "");
  BandCaption(sheet, kMarkRowBottom, kAxisRowBottom, "距離標 (km)", "");
  BandCaption(sheet, kDeepestRowBottom, kMarkRowBottom, "最深河床高 (m)", latestLabel);
  BandCaption(sheet, kMeanRowBottom, kDeepestRowBottom, "平均河床高 (m)", latestLabel);

  struct Column {
    double x;
    std::string mark, deepest, mean;
  };
  std::vector<Column> columns;
  double widest = 0, closest = std::numeric_limits<double>::infinity();
  for (std::size_t i = plan.firstSection; i <= plan.lastSection; ++i) {
    Column c{plan.X(river.sections[i].distanceMark), DistanceMarkText(river.sections[i].distanceMark), "", ""};
    for (const SurveyBeds& b : beds[i])
      if (b.rank == 0) {
        c.deepest = FixedFigure(b.deepest, 2);
        c.mean = b.mean ? FixedFigure(*b.mean, 2) : "";
      }
    for (const std::string* t : {&c.mark, &c.deepest, &c.mean})
      widest = std::max(widest, drawings::TextLength(*t, kFigureHeight));
    if (!columns.empty()) closest = std::min(closest, c.x - columns.back().x);
    columns.push_back(std::move(c));
  }
  // Figures stand upright where they would run into each other side by side.
  const double angle = closest < widest + 1.5 ? 90 : 0;
  for (const Column& c : columns) {
    sheet.Line({c.x, kAxisRowBottom}, {c.x, kAxisRowBottom - 1.5});
    sheet.Text({c.x, (kMarkRowBottom + kAxisRowBottom) / 2}, c.mark, kFigureHeight, TextAnchor::kCenterCenter, angle);
    sheet.Text({c.x, (kDeepestRowBottom + kMarkRowBottom) / 2}, c.deepest, kFigureHeight, TextAnchor::kCenterCenter,
               angle);
    sheet.Text({c.x, (kMeanRowBottom + kDeepestRowBottom) / 2}, c.mean, kFigureHeight, TextAnchor::kCenterCenter,
               angle);
  }
}

void DrawSurveyLines(SheetBuilder& sheet, const survey::River& river, const ProfileSheetPlan& plan,
                     const std::vector<std::vector<SurveyBeds>>& beds, std::size_t surveyCount) {
  for (std::size_t rank = surveyCount; rank-- > 0;) {  // the latest drawn last, over the others
    std::vector<SheetPoint> mean, deepest;
    for (std::size_t i = plan.firstSection; i <= plan.lastSection; ++i)
      for (const SurveyBeds& b : beds[i]) {
        if (b.rank != rank) continue;
        const double x = plan.X(river.sections[i].distanceMark);
        deepest.push_back({x, plan.Y(b.deepest)});
        if (b.mean) mean.push_back({x, plan.Y(*b.mean)});
      }
    sheet.Use(SurveyStroke(rank));
    sheet.Polyline(mean);
    sheet.Polyline(deepest);
    drawings::Stroke marker = SurveyStroke(rank);
    marker.style = ktpsolid;
    sheet.Use(marker);
    for (const SheetPoint& p : deepest) sheet.Circle(p, kMarkerRadius);
  }
}

void DrawPlannedStage(SheetBuilder& sheet, const survey::River& river, const ProfileSheetPlan& plan,
                      const survey::StageTable& table) {
  const double from = river.sections[plan.firstSection].distanceMark;
  const double to = river.sections[plan.lastSection].distanceMark;
  std::vector<double> marks{from};
  for (double m : table.marks)
    if (m > from && m < to) marks.push_back(m);
  marks.push_back(to);
  std::vector<SheetPoint> line;
  for (double m : marks)
    if (auto stage = table.StageAt(m)) line.push_back({plan.X(m), plan.Y(*stage)});
  if (line.empty()) return;
  sheet.Use(StrokeOf(kPlannedStagePen, kWaterLayer));
  sheet.Polyline(line);
  sheet.Text({line.front().x + 2, line.front().y + 1.5}, "計画高水位", kFigureHeight);
}

// The legend in the strip above the plot: for each survey its dates, a piece
// of its mean-bed line and of its deepest-bed line with the marker; then the
// planned high-water level. Rows flow into further columns when many.
void DrawLegend(SheetBuilder& sheet, const std::vector<RiverSurvey>& surveys, bool plannedStage) {
  constexpr double kRow = 4.5, kBlockWidth = 80, kMeanAt = 27, kDeepestAt = 52, kSample = 18;
  constexpr std::size_t kRowsPerBlock = 6;
  const std::size_t rows = surveys.size() + (plannedStage ? 1 : 0);
  for (std::size_t row = 0; row < rows; ++row) {
    const double left = kPlotLeft + 5 + kBlockWidth * double(row / kRowsPerBlock);
    if (row % kRowsPerBlock == 0) {
      sheet.Use(StrokeOf(kBlackPen, kLegendLayer));
      const double y = kFrameTop - kRow;
      sheet.Text({left, y}, "測量年月日", kFigureHeight);
      sheet.Text({left + kMeanAt, y}, "平均河床高", kFigureHeight);
      sheet.Text({left + kDeepestAt, y}, "最深河床高", kFigureHeight);
    }
    const double y = kFrameTop - kRow * double(row % kRowsPerBlock + 2);
    const double middle = y + kFigureHeight / 2;
    if (row == surveys.size()) {
      sheet.Use(StrokeOf(kPlannedStagePen, kLegendLayer));
      sheet.Text({left, y}, "計画高水位", kFigureHeight);
      sheet.Line({left + kMeanAt, middle}, {left + kMeanAt + kSample, middle});
      continue;
    }
    drawings::Stroke stroke = SurveyStroke(row);
    stroke.layer = kLegendLayer;
    sheet.Use(stroke);
    sheet.Text({left, y}, surveys[row].Label(), kFigureHeight);
    sheet.Line({left + kMeanAt, middle}, {left + kMeanAt + kSample, middle});
    sheet.Line({left + kDeepestAt, middle}, {left + kDeepestAt + kSample, middle});
    stroke.style = ktpsolid;
    sheet.Use(stroke);
    sheet.Circle({left + kDeepestAt + kSample / 2, middle}, kMarkerRadius);
  }
}

}  // namespace

double MeanBedStage(const survey::SectionSurvey& survey, const survey::StageTable* plannedStage) {
  if (plannedStage)
    if (auto stage = plannedStage->StageAt(survey.distanceMark)) return *stage;
  if (survey.waterSurface) return *survey.waterSurface;
  return BankTop(survey);
}

double ProfileSheetPlan::X(double km) const { return kPlotLeft + (km - leftKm) * 1e6 / distanceScale; }

double ProfileSheetPlan::Y(double elevation) const {
  return kPlotBottom + (elevation - bottomElevation) * 1000 / elevationScale;
}

std::vector<ProfileSheetPlan> PlanRiverProfile(const survey::River& river, const ProfileOptions& options) {
  const std::vector<RiverSurvey> surveys = RiverSurveysOf(river);
  return Plan(river, BedsOf(river, surveys, options), options);
}

std::vector<drawings::DrawingModel> DrawRiverProfile(const survey::River& river, const ProfileOptions& options) {
  const std::vector<RiverSurvey> surveys = RiverSurveysOf(river);
  const auto beds = BedsOf(river, surveys, options);
  const std::vector<ProfileSheetPlan> plans = Plan(river, beds, options);

  std::vector<drawings::DrawingModel> sheets;
  for (std::size_t k = 0; k < plans.size(); ++k) {
    SheetBuilder sheet;
    NameRiverLayers(sheet, surveys);
    DrawFrame(sheet, plans[k]);
    DrawTitle(sheet, river, plans[k], k + 1, plans.size());
    DrawElevationAxis(sheet, plans[k]);
    DrawDistanceAxis(sheet, plans[k]);
    DrawDataBand(sheet, river, plans[k], beds, surveys.front().Label());
    if (options.plannedStage) DrawPlannedStage(sheet, river, plans[k], *options.plannedStage);
    DrawSurveyLines(sheet, river, plans[k], beds, surveys.size());
    DrawLegend(sheet, surveys, options.plannedStage.has_value());
    sheets.push_back(sheet.Take());
  }
  return sheets;
}

}  // namespace plamor::sheets
