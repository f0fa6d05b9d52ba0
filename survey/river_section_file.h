// One cross-section survey in the national exchange format of the periodic
// river surveys: one CSV file per section and survey, a header line, then one
// line per point across the section, from the left bank to the right:
//
//   24.000,-9999.000,34.550,34.600,-9999.000,-9999.000,31,-9999.000,-9999.000,-9999.000,-9999.000,0,20191105,8899010001,荒見川水系,荒見川,
//   0,-20.000,30.120,
//   24,-12.000,30.100,
//   1,0.000,34.550,
//   ...
//
// Header fields (counted from 1): 1 the distance mark (km from the mouth),
// 3 and 4 the elevations of the left and right distance posts, 7 the number of
// point lines, 12 the structure flag (0: no structure in the section), 13 the
// survey date YYYYMMDD, 14 the river code, 15 the river-system name, 16 the
// river name; fields 2, 5, 6 and 8 to 11 are numbers that are checked but not
// used. A point line is `flag,distance,elevation`: the feature the point marks
// (kFlag... below; 0 for none; every flag is kept), the distance in metres
// from the left-bank distance post (negative on its landward side) and the
// elevation in metres T.P. Either kind of line may end with one comma.
//
// -9999 marks a value that was not surveyed. It is never taken as a number: a
// point without an elevation is kept but has none (the bed line passes it by),
// a header value without one is empty; the distance mark, the survey date and a
// point's distance cannot be missing. A missing point count is not checked
// against the lines; a missing flag is no feature (0).
//
// Consecutive points may share a distance (a wall, a revetment's face); a
// distance smaller than the one before (an overhang) is refused.
#pragma once

#include <compare>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plamor::survey {

// Point flags the system reads.
inline constexpr int kFlagLeftPost = 1;               // left-bank distance post
inline constexpr int kFlagWaterEdgePost = 12;         // water's-edge post (left, right)
inline constexpr int kFlagLowWaterShoulder = 13;      // shoulder of the low-water channel (left, right)
inline constexpr int kFlagWaterSurface = 16;          // the water surface at the time of the survey
inline constexpr int kFlagRightPost = 18;             // right-bank distance post

// The value written for one that was not surveyed.
inline constexpr double kMissingValue = -9999;

// The largest value (in size) a number of a section file may hold: far beyond
// any river, small enough for sums of areas.
inline constexpr double kMaxSectionValue = 1e6;

struct SurveyDate {
  int year = 0, month = 0, day = 0;
  friend auto operator<=>(const SurveyDate&, const SurveyDate&) = default;
};

// "2019-11-05".
std::string IsoDate(const SurveyDate& date);

// Reads "20191105" or "2019-11-05"; false for anything else, a day that does
// not exist included.
bool ParseSurveyDate(std::string_view text, SurveyDate& date);

struct SectionPoint {
  int flag = 0;
  double distance = 0;              // m from the left-bank post
  std::optional<double> elevation;  // m T.P.; empty when not surveyed
};

// One survey of one cross-section.
struct SectionSurvey {
  std::filesystem::path file;
  double distanceMark = 0;  // km
  SurveyDate date;
  std::string riverCode;                 // empty when missing
  std::string riverSystem, river;        // names, UTF-8; may be empty
  std::optional<int> structureFlag;
  std::optional<double> leftPostElevation, rightPostElevation;
  std::vector<SectionPoint> points;      // left bank to right, distances never decreasing
  // The water surface at the time of the survey: the mean elevation of the
  // points flagged kFlagWaterSurface; empty when there are none.
  std::optional<double> waterSurface;
};

// Reads and checks the file (UTF-8 or Shift_JIS); InputError names the file,
// line and field of the first fault.
SectionSurvey ReadRiverSectionFile(const std::filesystem::path& file);

// The same on lines already read as UTF-8 (the file name is for the messages).
SectionSurvey ParseRiverSectionLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The message for a point whose distance is smaller than the one before.
std::string DistanceGoesBackMessage(double distance, double before);

}  // namespace plamor::survey
