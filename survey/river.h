// A whole river: its cross-sections, identified by their distance marks, each
// with its surveys by date, assembled from section files handed over in any
// order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "survey/observation_file.h"
#include "survey/river_section_file.h"

namespace plamor::survey {

struct RiverSection {
  double distanceMark = 0;              // km
  std::vector<SectionSurvey> surveys;   // earliest first
};

struct River {
  std::string riverCode, riverSystem, river;  // of the first survey that names them
  std::vector<RiverSection> sections;         // by distance mark, from the mouth upstream
};

// Sections are the same when their distance marks agree to the millimetre.
long long DistanceMarkKey(double distanceMark);

// Sorts the surveys into sections. InputError, naming the files: the same
// section and date twice, surveys of different rivers (by river code where
// both have one, else by river-system and river names), a survey with fewer
// than two points that have an elevation.
River AssembleRiver(std::vector<SectionSurvey> surveys);

// Reads the section files (national format) and assembles them.
River ReadRiver(const std::vector<std::filesystem::path>& files);

// A survey of the section at `distanceMark` (km) from one of our sounding
// observation files: its points as the cross-section chart reads them (no
// flags), its water surface, its date. It names no river. InputError when
// its distances go back.
SectionSurvey SurveyFromObservation(const ObservationFile& observation, double distanceMark);

}  // namespace plamor::survey
