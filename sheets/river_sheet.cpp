#include "sheets/river_sheet.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "server/types.h"

namespace plamor::sheets {

std::int16_t SurveyLayer(std::size_t rank) { return std::int16_t(110 - std::min<std::size_t>(rank, 99)); }

drawings::Stroke SurveyStroke(std::size_t rank) {
  struct PenStyle {
    std::int32_t pen, style;
  };
  static constexpr PenStyle kEarlier[] = {{2, ktpdash}, {1, ktpdashdot}, {3, ktpdashdotdot},
                                          {4, ktpdash}, {2, ktpdashdot}, {1, ktpdashdotdot}};
  drawings::Stroke stroke;
  stroke.layer = SurveyLayer(rank);
  stroke.pitch = 0;
  if (rank == 0) {
    stroke.pen = 7;
    stroke.style = ktpsolid;
  } else {
    const PenStyle& p = kEarlier[(rank - 1) % std::size(kEarlier)];
    stroke.pen = p.pen;
    stroke.style = p.style;
  }
  return stroke;
}

double RoundScale(double lengthM, double roomMm, double smallest) {
  if (!(lengthM > 0) || !(roomMm > 0)) throw std::invalid_argument("a scale needs a length and room on the paper");
  const double least = lengthM * 1000 / roomMm;  // 1:least just fits
  for (double decade = std::pow(10, std::floor(std::log10(std::max(least, smallest)))) / 10;; decade *= 10)
    for (double step : {1.0, 2.0, 2.5, 5.0}) {
      const double n = step * decade;
      if (n >= least && n >= smallest) return n;
    }
}

namespace {

std::chrono::sys_days DayOf(const survey::SurveyDate& date) {
  return std::chrono::year_month_day{std::chrono::year(date.year), std::chrono::month(unsigned(date.month)),
                                     std::chrono::day(unsigned(date.day))};
}

}  // namespace

std::string RiverSurvey::Label() const {
  const std::string first = survey::IsoDate(dates.front()), last = survey::IsoDate(dates.back());
  if (dates.size() == 1) return first;
  return first + "〜" + (dates.front().year == dates.back().year ? last.substr(5) : last);
}

std::vector<RiverSurvey> RiverSurveysOf(const survey::River& river) {
  std::vector<std::pair<survey::SurveyDate, long long>> files;  // date, section
  for (const survey::RiverSection& section : river.sections)
    for (const survey::SectionSurvey& s : section.surveys)
      files.push_back({s.date, survey::DistanceMarkKey(section.distanceMark)});
  std::sort(files.begin(), files.end());
  std::vector<RiverSurvey> surveys;
  std::set<long long> sectionsOfLast;
  for (std::size_t i = 0; i < files.size();) {
    std::size_t end = i;
    while (end < files.size() && files[end].first == files[i].first) ++end;
    bool joins = !surveys.empty() && DayOf(files[i].first) - DayOf(surveys.back().dates.back()) <=
                                         std::chrono::days(kSurveyDaysApart);
    for (std::size_t k = i; joins && k < end; ++k) joins = !sectionsOfLast.count(files[k].second);
    if (!joins) {
      surveys.emplace_back();
      sectionsOfLast.clear();
    }
    surveys.back().dates.push_back(files[i].first);
    for (std::size_t k = i; k < end; ++k) sectionsOfLast.insert(files[k].second);
    i = end;
  }
  std::reverse(surveys.begin(), surveys.end());
  return surveys;
}

std::size_t RiverSurveyRank(const std::vector<RiverSurvey>& surveys, const survey::SurveyDate& date) {
  for (std::size_t rank = 0; rank < surveys.size(); ++rank)
    if (std::binary_search(surveys[rank].dates.begin(), surveys[rank].dates.end(), date)) return rank;
  throw std::invalid_argument("no survey of " + survey::IsoDate(date) + " on the river");
}

void NameRiverLayers(drawings::SheetBuilder& sheet, const std::vector<RiverSurvey>& surveys) {
  sheet.NameLayer(kFrameLayer, "frame");
  sheet.NameLayer(kGridLayer, "grid");
  sheet.NameLayer(kDataBandLayer, "data band");
  sheet.NameLayer(kWaterLayer, "water");
  sheet.NameLayer(kLegendLayer, "legend");
  for (std::size_t rank = 0; rank < surveys.size(); ++rank)
    sheet.NameLayer(SurveyStroke(rank).layer, "survey " + survey::IsoDate(surveys[rank].dates.front()));
}

double DrawSurveyLegend(drawings::SheetBuilder& sheet, drawings::SheetPoint topLeft,
                        const std::vector<RiverSurvey>& surveys, std::size_t rowsPerColumn, double columnWidth) {
  constexpr double kSample = 15, kGap = 3, kRow = kLegendTextHeight * 1.8;
  const drawings::Stroke before = sheet.Current();
  double lowest = topLeft.y;
  for (std::size_t rank = 0; rank < surveys.size(); ++rank) {
    const double x = topLeft.x + columnWidth * double(rank / rowsPerColumn);
    const double y = topLeft.y - kRow * double(rank % rowsPerColumn + 1);
    lowest = std::min(lowest, y);
    drawings::Stroke stroke = SurveyStroke(rank);
    stroke.layer = kLegendLayer;
    sheet.Use(stroke);
    sheet.Line({x, y + kLegendTextHeight / 2}, {x + kSample, y + kLegendTextHeight / 2});
    sheet.Text({x + kSample + kGap, y}, surveys[rank].Label(), kLegendTextHeight);
  }
  sheet.Use(before);
  return lowest;
}

drawings::Stroke StrokeOf(std::int32_t pen, std::int16_t layer, std::int32_t style) {
  drawings::Stroke s;
  s.pen = pen;
  s.layer = layer;
  s.style = style;
  return s;
}

std::string FixedFigure(double value, int decimals) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
  return s;
}

std::string DistanceMarkText(double km) {
  std::string s = FixedFigure(km, 3);
  while (s.back() == '0' && s[s.size() - 2] != '.') s.pop_back();
  return s;
}

double GridStep(double scale, double unitM, double leastMm) {
  for (double decade = 1e-3;; decade *= 10)
    for (double step : {1.0, 2.0, 5.0})
      if (step * decade * unitM * 1000 / scale >= leastMm) return step * decade;
}

}  // namespace plamor::sheets
