#include "apps/plamor_draw/commands/river_inputs.h"

#include <cstdio>

#include "platform/numeric_text.h"
#include "survey/observation_file.h"

namespace plamor::draw {
namespace {

// "obs.csv:22.4": an observation file of the cross-section at that distance mark (km).
survey::SectionSurvey ObservationAt(const std::string& value) {
  const std::size_t colon = value.rfind(':');
  const std::string mark = colon == std::string::npos ? "" : value.substr(colon + 1);
  if (colon == 0 || !numtext::IsNumeric(mark))
    throw UsageError("--observation: \"" + value + "\" is not FILE:KM such as obs.csv:22.4");
  return survey::SurveyFromObservation(survey::ReadObservationFile(value.substr(0, colon)), numtext::Val(mark));
}

}  // namespace

survey::River ReadRiverOf(const CommandLine& line, const std::string& command) {
  std::vector<survey::SectionSurvey> surveys;
  for (const std::string& file : line.Positional()) surveys.push_back(survey::ReadRiverSectionFile(file));
  for (const std::string& value : line.Values("--observation")) surveys.push_back(ObservationAt(value));
  if (surveys.empty()) throw UsageError(command + " takes the cross-section files of a river");
  return survey::AssembleRiver(std::move(surveys));
}

std::optional<double> ScaleOption(const CommandLine& line, const std::string& option) {
  const std::optional<std::string> text = line.Value(option);
  if (!text) return std::nullopt;
  const double n = ParseNumber(option, *text, "a scale 1:N given as N, such as 10000");
  if (!(n > 0)) throw UsageError(option + ": \"" + *text + "\" is not a scale 1:N with N above 0");
  return n;
}

std::string TwoScaleSubject(const std::string& direction, double distanceScale, double elevationScale) {
  char scales[80];
  std::snprintf(scales, sizeof scales, " 1:%.15g, elevations 1:%.15g", distanceScale, elevationScale);
  return "A3 landscape, " + direction + scales;
}

}  // namespace plamor::draw
