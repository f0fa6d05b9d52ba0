#include "survey/observation_file.h"

#include <cmath>
#include <string_view>

#include "cli/input_error.h"
#include "survey/observation_bounds.h"
#include "cli/input_text.h"
#include "charts/field_reading.h"
#include "charts/host_date.h"
#include "charts/observation_layout.h"
#include "platform/ascii_text.h"
#include "platform/message_text.h"
#include "platform/numeric_text.h"

namespace plamor::survey {
namespace {

namespace obs = charts::observation;

// The fields of a line as the control cuts them (quotes around a field dropped).
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  while (!line.empty()) fields.emplace_back(charts::CutField(line));
  return fields;
}

class LineCheck {
 public:
  LineCheck(const std::filesystem::path& file, const std::vector<std::string>& lines, std::size_t line)
      : file_(file), line_(obs::LineNumber(line)), fields_(Fields(lines[line])) {}

  std::string Field(std::size_t field) const { return field <= fields_.size() ? fields_[field - 1] : ""; }

  // A number the field must hold; `optional` lets an empty field stand for 0.
  void Number(std::size_t field, const char* meaning, bool optional = false) const {
    const std::string text(ascii::TrimBlanksAndTabs(Field(field)));
    if (text.empty()) {
      if (optional) return;
      throw InputError(file_, line_, field, std::string(meaning) + " is missing");
    }
    if (!numtext::IsNumeric(text))
      throw InputError(file_, line_, field, std::string(meaning) + ": " + msgtext::Quoted(text) + " is not a number");
    if (!(std::abs(numtext::Val(text)) <= kMaxFieldValue))
      throw InputError(file_, line_, field, std::string(meaning) + ": " + msgtext::Quoted(text) +
                                                " is out of range (at most " + numtext::CStr(kMaxFieldValue) + " in size)");
  }

  [[noreturn]] void Fail(std::size_t field, const std::string& what) const {
    throw InputError(file_, line_, field, what);
  }

 private:
  const std::filesystem::path& file_;
  std::size_t line_;
  std::vector<std::string> fields_;
};

}  // namespace

ObservationFile CheckObservationLines(const std::filesystem::path& file, std::vector<std::string> lines) {
  if (lines.size() < obs::kLineCount)
    throw InputError(file, "has " + std::to_string(lines.size()) +
                               " lines; an observation needs 12 (header line 1, distances line 3, "
                               "depths lines 4 and 5, observation line 12)");
  ObservationFile result;
  result.file = file;

  LineCheck(file, lines, obs::kHeaderLine).Number(obs::kDatumField, "datum elevation", true);

  const LineCheck observation(file, lines, obs::kObservationLine);
  result.number = ascii::TrimBlanksAndTabs(observation.Field(obs::kNumberField));
  if (result.number.empty()) observation.Fail(obs::kNumberField, "the observation number is missing");
  const std::string date(ascii::TrimBlanksAndTabs(observation.Field(obs::kDateField)));
  try {
    charts::ParseHostDate(date);
  } catch (const std::exception&) {
    observation.Fail(obs::kDateField, "observation date " + msgtext::Quoted(date) + " is not a date such as 2003/07/15");
  }
  observation.Number(obs::kFirstWaterField, "first water-surface reading");
  observation.Number(obs::kSecondWaterField, "second water-surface reading");
  observation.Number(obs::kOffsetField, "distance offset", true);

  // The control reads points only from a distance line of two characters or more.
  std::string_view distances = lines[obs::kDistanceLine];
  if (distances.size() > 1) {
    const LineCheck check(file, lines, obs::kDistanceLine);
    while (true) {
      const std::string field = std::string(charts::CutField(distances));
      if (field.empty()) break;
      ++result.points;
      check.Number(result.points, "point distance");
    }
  }
  if (result.points == 0)
    throw InputError(file, obs::LineNumber(obs::kDistanceLine),
                     "no point distances (one field per point, separated by commas)");
  for (std::size_t line : {obs::kFirstDepthLine, obs::kSecondDepthLine}) {
    const LineCheck check(file, lines, line);
    for (std::size_t k = 1; k <= result.points; ++k)
      check.Number(k, line == obs::kFirstDepthLine ? "first depth reading" : "second depth reading");
  }
  CheckObservationBounds(file, lines);
  result.lines = std::move(lines);
  return result;
}

ObservationFile ReadObservationFile(const std::filesystem::path& file) {
  return CheckObservationLines(file, ReadTextLines(file));
}

}  // namespace plamor::survey
