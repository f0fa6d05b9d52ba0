#include "survey/river_section_file.h"

#include <cmath>
#include <cstdio>

#include "cli/input_error.h"
#include "cli/input_text.h"
#include "platform/ascii_text.h"
#include "platform/message_text.h"
#include "survey/decimal_field.h"

namespace plamor::survey {
namespace {

constexpr std::size_t kHeaderFields = 16;
constexpr std::size_t kPointFields = 3;

// Header fields, counted from 1.
constexpr std::size_t kMarkField = 1, kLeftPostField = 3, kRightPostField = 4, kCountField = 7,
                      kStructureField = 12, kDateField = 13, kCodeField = 14, kSystemField = 15, kRiverField = 16;

// The comma-separated fields of a line, blanks around them and double quotes
// around a whole field removed. One final comma ends the line without adding
// a field.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    std::string_view field =
        ascii::TrimBlanksAndTabs(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    fields.push_back(field);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() > 1 && fields.back().empty() && ascii::TrimBlanksAndTabs(line).back() == ',') fields.pop_back();
  return fields;
}

class LineReader {
 public:
  LineReader(const std::filesystem::path& file, std::size_t line, std::vector<std::string_view> fields)
      : file_(file), line_(line), fields_(std::move(fields)) {}

  std::size_t Fields() const { return fields_.size(); }
  std::string_view Text(std::size_t field) const { return fields_[field - 1]; }

  // A number, or empty for -9999; `meaning` names it in messages.
  std::optional<double> Number(std::size_t field, const char* meaning) const {
    const std::string_view text = Text(field);
    if (text.empty()) Fail(field, std::string(meaning) + " is empty (-9999 marks a value not surveyed)");
    double value = 0;
    if (!ParseDecimal(text, value)) Fail(field, std::string(meaning) + ": " + msgtext::Quoted(text) + " is not a number");
    if (value == kMissingValue) return std::nullopt;
    if (!(std::abs(value) <= kMaxSectionValue))
      Fail(field, std::string(meaning) + ": " + msgtext::Quoted(text) + " is out of range (at most 1000000 in size)");
    return value;
  }

  // A number that must be there.
  double Required(std::size_t field, const char* meaning) const {
    const std::optional<double> value = Number(field, meaning);
    if (!value) Fail(field, std::string(meaning) + " is missing (-9999); it cannot be left out");
    return *value;
  }

  // A whole number of at least 0, or empty for -9999.
  std::optional<int> WholeNumber(std::size_t field, const char* meaning) const {
    const std::optional<double> value = Number(field, meaning);
    if (value && (*value < 0 || *value != std::floor(*value)))
      Fail(field, std::string(meaning) + ": " + msgtext::Quoted(Text(field)) + " is not a whole number of 0 or more");
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
  }

  [[noreturn]] void Fail(std::size_t field, const std::string& what) const { throw InputError(file_, line_, field, what); }

 private:
  const std::filesystem::path& file_;
  std::size_t line_;
  std::vector<std::string_view> fields_;
};

bool Blank(std::string_view line) { return ascii::TrimBlanksAndTabs(line).empty(); }

void ReadHeader(const LineReader& header, SectionSurvey& survey, std::optional<int>& count) {
  if (header.Fields() != kHeaderFields)
    header.Fail(0, "has " + std::to_string(header.Fields()) +
                       " fields; the header line has 16 (distance mark, ..., point count 7, ..., structure flag 12, "
                       "survey date 13, river code 14, river-system name 15, river name 16)");
  survey.distanceMark = header.Required(kMarkField, "distance mark (km)");
  for (std::size_t field : {2, 5, 6, 8, 9, 10, 11}) header.Number(field, "header value");
  survey.leftPostElevation = header.Number(kLeftPostField, "left-bank post elevation");
  survey.rightPostElevation = header.Number(kRightPostField, "right-bank post elevation");
  count = header.WholeNumber(kCountField, "point count");
  survey.structureFlag = header.WholeNumber(kStructureField, "structure flag");
  const std::string_view date = header.Text(kDateField);
  if (!ParseSurveyDate(date, survey.date) || date.find('-') != std::string_view::npos)
    header.Fail(kDateField, "survey date " + msgtext::Quoted(date) + " is not a date YYYYMMDD such as 20191105");
  const std::string_view code = header.Text(kCodeField);
  double number = 0;
  if (!(ParseDecimal(code, number) && number == kMissingValue)) survey.riverCode = std::string(code);
  survey.riverSystem = std::string(header.Text(kSystemField));
  survey.river = std::string(header.Text(kRiverField));
}

}  // namespace

std::string IsoDate(const SurveyDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100, date.day % 100);
  return text;
}

bool ParseSurveyDate(std::string_view text, SurveyDate& date) {
  std::string digits;
  if (text.size() == 10 && text[4] == '-' && text[7] == '-')
    digits = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) + std::string(text.substr(8, 2));
  else if (text.size() == 8)
    digits = std::string(text);
  else
    return false;
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  const int year = std::stoi(digits.substr(0, 4)), month = std::stoi(digits.substr(4, 2)),
            day = std::stoi(digits.substr(6, 2));
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] + (month == 2 && leap)) return false;
  date = {year, month, day};
  return true;
}

std::string DistanceGoesBackMessage(double distance, double before) {
  char text[200];
  std::snprintf(text, sizeof text, "distance %.3f m goes back from the %.3f m of the point before (an overhang; "
                "points run from the left bank to the right, equal distances make a wall)", distance, before);
  return text;
}

SectionSurvey ParseRiverSectionLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  SectionSurvey survey;
  survey.file = file;
  std::size_t n = 0;
  while (n < lines.size() && Blank(lines[n])) ++n;
  if (n == lines.size()) throw InputError(file, "is empty; a section file starts with its header line");
  std::optional<int> count;
  ReadHeader(LineReader(file, n + 1, SplitFields(lines[n])), survey, count);
  const std::size_t headerLine = n + 1;

  double waterSum = 0;
  int waterPoints = 0;
  for (++n; n < lines.size(); ++n) {
    if (Blank(lines[n])) continue;
    const LineReader line(file, n + 1, SplitFields(lines[n]));
    if (line.Fields() != kPointFields)
      line.Fail(0, "has " + std::to_string(line.Fields()) + " fields; a point line has 3 (flag,distance,elevation)");
    SectionPoint point;
    point.flag = line.WholeNumber(1, "point flag").value_or(0);
    point.distance = line.Required(2, "distance (m)");
    point.elevation = line.Number(3, "elevation (m)");
    if (!survey.points.empty() && point.distance < survey.points.back().distance)
      line.Fail(2, DistanceGoesBackMessage(point.distance, survey.points.back().distance));
    if (point.flag == kFlagWaterSurface && point.elevation) waterSum += *point.elevation, ++waterPoints;
    survey.points.push_back(point);
  }
  if (count && static_cast<std::size_t>(*count) != survey.points.size())
    throw InputError(file, headerLine, kCountField,
                     "the point count " + std::to_string(*count) + " disagrees with the " +
                         std::to_string(survey.points.size()) + " point lines that follow");
  if (waterPoints) survey.waterSurface = waterSum / waterPoints;
  return survey;
}

SectionSurvey ReadRiverSectionFile(const std::filesystem::path& file) {
  return ParseRiverSectionLines(file, ReadTextLines(file));
}

}  // namespace plamor::survey
