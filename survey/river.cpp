#include "survey/river.h"

#include <algorithm>
#include <cmath>

#include "charts/cls_data.h"
#include "charts/observation_layout.h"
#include "cli/input_error.h"

namespace plamor::survey {
namespace {

bool NamesRiver(const SectionSurvey& s) { return !s.riverCode.empty() || !s.river.empty(); }

std::string RiverOf(const SectionSurvey& s) {
  std::string name = s.riverSystem.empty() ? s.river : s.riverSystem + " " + s.river;
  if (!s.riverCode.empty()) name += (name.empty() ? "code " : " (code ") + s.riverCode + (name.empty() ? "" : ")");
  return name;
}

bool SameRiver(const SectionSurvey& a, const SectionSurvey& b) {
  if (!a.riverCode.empty() && !b.riverCode.empty()) return a.riverCode == b.riverCode;
  return a.riverSystem == b.riverSystem && a.river == b.river;
}

std::string MarkText(double km) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f km", km);
  return text;
}

}  // namespace

long long DistanceMarkKey(double distanceMark) { return std::llround(distanceMark * 1e6); }

River AssembleRiver(std::vector<SectionSurvey> surveys) {
  River river;
  const SectionSurvey* first = nullptr;
  for (const SectionSurvey& s : surveys) {
    const auto withElevation = std::count_if(s.points.begin(), s.points.end(),
                                             [](const SectionPoint& p) { return p.elevation.has_value(); });
    if (withElevation < 2)
      throw InputError(s.file, "has " + std::to_string(withElevation) +
                                   " point(s) with an elevation; a cross-section needs at least two");
    if (!NamesRiver(s)) continue;
    if (!first) {
      first = &s;
      river.riverCode = s.riverCode, river.riverSystem = s.riverSystem, river.river = s.river;
    } else if (!SameRiver(*first, s)) {
      throw InputError(s.file, "is a survey of " + RiverOf(s) + ", not of " + RiverOf(*first) + " as " +
                                   first->file.string() + " is: the files of one river only");
    }
  }
  std::stable_sort(surveys.begin(), surveys.end(), [](const SectionSurvey& a, const SectionSurvey& b) {
    const long long ka = DistanceMarkKey(a.distanceMark), kb = DistanceMarkKey(b.distanceMark);
    return ka != kb ? ka < kb : a.date < b.date;
  });
  for (std::size_t i = 0; i < surveys.size(); ++i) {
    SectionSurvey& s = surveys[i];
    const bool newSection = river.sections.empty() ||
                            DistanceMarkKey(river.sections.back().distanceMark) != DistanceMarkKey(s.distanceMark);
    if (!newSection && river.sections.back().surveys.back().date == s.date)
      throw InputError(s.file, "surveys the section " + MarkText(s.distanceMark) + " on " + IsoDate(s.date) +
                                   " as " + river.sections.back().surveys.back().file.string() +
                                   " does: one file per section and date");
    if (newSection) river.sections.push_back({s.distanceMark, {}});
    river.sections.back().surveys.push_back(std::move(s));
  }
  return river;
}

River ReadRiver(const std::vector<std::filesystem::path>& files) {
  std::vector<SectionSurvey> surveys;
  surveys.reserve(files.size());
  for (const auto& file : files) surveys.push_back(ReadRiverSectionFile(file));
  return AssembleRiver(std::move(surveys));
}

SectionSurvey SurveyFromObservation(const ObservationFile& observation, double distanceMark) {
  charts::clsData data;
  data.SetData(observation.lines);
  SectionSurvey survey;
  survey.file = observation.file;
  survey.distanceMark = distanceMark;
  const charts::HostDate& date = data.KansokuDate();
  survey.date = {date.year, date.month, date.day};
  survey.waterSurface = data.Suisin(0);
  for (std::int32_t i = 1; i <= data.Count(); ++i) {
    const double distance = data.Kyori(i);
    if (i > 1 && distance < survey.points.back().distance)
      throw InputError(observation.file, charts::observation::LineNumber(charts::observation::kDistanceLine),
                       static_cast<std::size_t>(i), DistanceGoesBackMessage(distance, survey.points.back().distance));
    survey.points.push_back({0, distance, data.Suisin(i)});
  }
  return survey;
}

}  // namespace plamor::survey
