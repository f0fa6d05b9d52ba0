#include "sheets/river_sheet.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <cmath>
#include <stdexcept>

#include "server/types.h"

namespace plamor::sheets {

std::vector<survey::SurveyDate> SurveyDatesOf(const survey::River& river) {
  std::vector<survey::SurveyDate> dates;
  for (const survey::RiverSection& section : river.sections)
    for (const survey::SectionSurvey& s : section.surveys) dates.push_back(s.date);
  std::sort(dates.begin(), dates.end(), std::greater<>());
  dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
  return dates;
}

std::size_t SurveyRank(const std::vector<survey::SurveyDate>& dates, const survey::SurveyDate& date) {
  const auto at = std::find(dates.begin(), dates.end(), date);
  if (at == dates.end()) throw std::invalid_argument("no survey of " + survey::IsoDate(date) + " on the river");
  return std::size_t(at - dates.begin());
}

drawings::Stroke SurveyStroke(std::size_t rank) {
  struct PenStyle {
    std::int32_t pen, style;
  };
  static constexpr PenStyle kEarlier[] = {{2, ktpdash}, {1, ktpdashdot}, {3, ktpdashdotdot},
                                          {4, ktpdash}, {2, ktpdashdot}, {1, ktpdashdotdot}};
  drawings::Stroke stroke;
  stroke.layer = std::int16_t(kSurveyLayerBase + std::min<std::size_t>(rank, 100));
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

void NameRiverLayers(drawings::SheetBuilder& sheet, const std::vector<survey::SurveyDate>& dates) {
  sheet.NameLayer(kFrameLayer, "frame");
  sheet.NameLayer(kGridLayer, "grid");
  sheet.NameLayer(kDataBandLayer, "data band");
  sheet.NameLayer(kWaterLayer, "water");
  sheet.NameLayer(kLegendLayer, "legend");
  for (std::size_t rank = 0; rank < dates.size(); ++rank)
    sheet.NameLayer(SurveyStroke(rank).layer, "survey " + survey::IsoDate(dates[rank]));
}

double DrawSurveyLegend(drawings::SheetBuilder& sheet, drawings::SheetPoint topLeft,
                        const std::vector<survey::SurveyDate>& dates) {
  constexpr double kSample = 15, kGap = 3, kRow = kLegendTextHeight * 1.8;
  const drawings::Stroke before = sheet.Current();
  double y = topLeft.y;
  for (std::size_t rank = 0; rank < dates.size(); ++rank) {
    y -= kRow;
    drawings::Stroke stroke = SurveyStroke(rank);
    stroke.layer = kLegendLayer;
    sheet.Use(stroke);
    sheet.Line({topLeft.x, y + kLegendTextHeight / 2}, {topLeft.x + kSample, y + kLegendTextHeight / 2});
    sheet.Text({topLeft.x + kSample + kGap, y}, survey::IsoDate(dates[rank]), kLegendTextHeight);
  }
  sheet.Use(before);
  return y;
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

}  // namespace plamor::sheets
