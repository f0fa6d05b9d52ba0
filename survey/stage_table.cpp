#include "survey/stage_table.h"

#include <algorithm>
#include <cmath>

#include "cli/input_error.h"
#include "cli/input_text.h"
#include "platform/ascii_text.h"
#include "platform/message_text.h"
#include "survey/decimal_field.h"
#include "survey/river.h"

namespace plamor::survey {
namespace {

double Number(const std::filesystem::path& file, std::size_t line, std::size_t field, std::string_view text,
              const char* meaning) {
  const std::string_view trimmed = ascii::TrimBlanksAndTabs(text);
  double value = 0;
  if (!ParseDecimal(trimmed, value))
    throw InputError(file, line, field, std::string(meaning) + ": " + msgtext::Quoted(trimmed) + " is not a number");
  if (!(std::abs(value) <= kMaxSectionValue))
    throw InputError(file, line, field,
                     std::string(meaning) + ": " + msgtext::Quoted(trimmed) + " is out of range (at most 1000000 in size)");
  return value;
}

}  // namespace

std::optional<double> StageTable::StageAt(double distanceMark) const {
  const long long key = DistanceMarkKey(distanceMark);
  if (marks.empty() || key < DistanceMarkKey(marks.front()) || key > DistanceMarkKey(marks.back())) return std::nullopt;
  const std::size_t upper = static_cast<std::size_t>(std::upper_bound(marks.begin(), marks.end(), distanceMark) - marks.begin());
  if (upper == 0) return stages.front();
  if (upper == marks.size()) return stages.back();
  const double t = (distanceMark - marks[upper - 1]) / (marks[upper] - marks[upper - 1]);
  return stages[upper - 1] + t * (stages[upper] - stages[upper - 1]);
}

StageTable ParseStageTable(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  StageTable table;
  table.file = file;
  bool header = false;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    const std::string_view line = ascii::TrimBlanksAndTabs(lines[n - 1]);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t comma = line.find(',');
    const std::string_view first = line.substr(0, comma);
    const std::string_view second = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    if (!header) {
      if (ascii::TrimBlanksAndTabs(first) != "distance_mark" || ascii::TrimBlanksAndTabs(second) != "stage")
        throw InputError(file, n, "the header line must be \"distance_mark,stage\"");
      header = true;
      continue;
    }
    if (comma == std::string_view::npos || second.find(',') != std::string_view::npos)
      throw InputError(file, n, "a line holds two fields: distance mark (km), stage (m)");
    const double mark = Number(file, n, 1, first, "distance mark (km)");
    const double stage = Number(file, n, 2, second, "stage (m)");
    if (!table.marks.empty() && DistanceMarkKey(mark) <= DistanceMarkKey(table.marks.back()))
      throw InputError(file, n, 1, "distance mark " + msgtext::Quoted(ascii::TrimBlanksAndTabs(first)) +
                                       " does not follow the one before upstream (marks increase line by line)");
    table.marks.push_back(mark);
    table.stages.push_back(stage);
  }
  if (!header) throw InputError(file, "has no header line \"distance_mark,stage\"");
  if (table.marks.empty()) throw InputError(file, "has no stages below its header line");
  return table;
}

StageTable ReadStageTable(const std::filesystem::path& file) { return ParseStageTable(file, ReadTextLines(file)); }

}  // namespace plamor::survey
