#include "survey/hq_table.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string_view>

#include "cli/input_error.h"
#include "cli/input_text.h"
#include "platform/ascii_text.h"
#include "platform/message_text.h"
#include "platform/numeric_text.h"

namespace plamor::survey {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

enum class Column { Label, Stage, Discharge, Area, Width, Velocity, RootDischarge };

const std::map<std::string, Column>& ColumnNames() {
  static const std::map<std::string, Column> names = {
      {"label", Column::Label},         {"stage", Column::Stage}, {"discharge", Column::Discharge},
      {"area", Column::Area},           {"width", Column::Width}, {"velocity", Column::Velocity},
      {"sqrt_discharge", Column::RootDischarge}};
  return names;
}

std::optional<HqKind> KindOf(Column c) {
  switch (c) {
    case Column::Discharge: return kDischarge;
    case Column::Area: return kArea;
    case Column::Width: return kWidth;
    case Column::Velocity: return kVelocity;
    case Column::RootDischarge: return kRootDischarge;
    default: return std::nullopt;
  }
}

// The comma-separated fields of a line, blanks around them and double quotes
// around a whole field removed; "a," has two fields.
std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    std::string field(
        ascii::TrimBlanksAndTabs(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    fields.push_back(std::move(field));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// "# key: value" lines; false for a comment.
bool StationLine(const std::filesystem::path& file, std::size_t n, std::string_view line, HqTable& table) {
  line.remove_prefix(1);
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string key = Lower(std::string(ascii::TrimBlanksAndTabs(line.substr(0, colon))));
  const std::string value(ascii::TrimBlanksAndTabs(line.substr(colon + 1)));
  if (key == "river-system") table.riverSystem = value;
  else if (key == "river") table.river = value;
  else if (key == "station") table.station = value;
  else if (key == "station-number") table.stationNumber = value;
  else if (key == "year") {
    char* end = nullptr;
    const long year = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end || year < 0 || year > 9999)
      throw InputError(file, n, "year: " + msgtext::Quoted(value) + " is not a year such as 2003");
    table.year = static_cast<std::int32_t>(year);
  } else if (key.find(' ') == std::string::npos && !key.empty() &&
             std::all_of(key.begin(), key.end(), [](unsigned char c) { return c < 0x80; })) {
    throw InputError(file, n, "unknown station field " + msgtext::Quoted(key) +
                                  " (known: river-system, river, station, station-number, year)");
  } else {
    return false;  // a comment that happens to hold a colon
  }
  return true;
}

}  // namespace

const char* KindColumnName(HqKind kind) {
  static const char* const names[] = {"discharge", "area", "width", "velocity", "sqrt_discharge"};
  return names[kind];
}

bool ParseHqKind(const std::string& text, HqKind& kind) {
  static const std::map<std::string, HqKind> kinds = {
      {"q", kDischarge}, {"a", kArea}, {"b", kWidth}, {"v", kVelocity}, {"sq", kRootDischarge}};
  const auto it = kinds.find(Lower(text));
  if (it == kinds.end()) return false;
  kind = it->second;
  return true;
}

HqTable ParseHqTable(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  HqTable table;
  table.file = file;
  std::vector<Column> columns;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    const std::string line(ascii::TrimBlanksAndTabs(lines[n - 1]));
    if (line.empty()) continue;
    if (line[0] == '#') {
      if (columns.empty()) StationLine(file, n, line, table);
      continue;
    }
    const std::vector<std::string> fields = SplitFields(line);
    if (columns.empty()) {
      for (std::size_t f = 1; f <= fields.size(); ++f) {
        const auto it = ColumnNames().find(Lower(fields[f - 1]));
        if (it == ColumnNames().end())
          throw InputError(file, n, f, "unknown column " + msgtext::Quoted(fields[f - 1]) +
                                           " (known: label, stage, discharge, area, width, velocity, "
                                           "sqrt_discharge)");
        if (std::find(columns.begin(), columns.end(), it->second) != columns.end())
          throw InputError(file, n, f, "column " + msgtext::Quoted(fields[f - 1]) + " appears twice");
        columns.push_back(it->second);
        if (it->second == Column::Stage) table.stageField = f;
        if (auto kind = KindOf(it->second)) table.quantityField[*kind] = f;
      }
      if (!table.quantityField[kRootDischarge]) table.quantityField[kRootDischarge] = table.quantityField[kDischarge];
      for (Column required : {Column::Stage, Column::Discharge})
        if (std::find(columns.begin(), columns.end(), required) == columns.end())
          throw InputError(file, n, std::string("the header has no \"") +
                                        (required == Column::Stage ? "stage" : "discharge") + "\" column");
      for (Column c : columns)
        if (auto kind = KindOf(c)) table.hasColumn[*kind] = true;
      continue;
    }
    if (fields.size() != columns.size())
      throw InputError(file, n, "has " + std::to_string(fields.size()) + " fields; the header names " +
                                    std::to_string(columns.size()) + " columns");
    Measurement m;
    m.line = n;
    m.label = std::to_string(table.measurements.size() + 1);
    for (std::size_t f = 1; f <= fields.size(); ++f) {
      const std::string& text = fields[f - 1];
      const Column c = columns[f - 1];
      if (c == Column::Label) {
        m.label = text;
        continue;
      }
      std::string name;
      for (const auto& [n2, c2] : ColumnNames())
        if (c2 == c) name = n2;
      if (text.empty()) throw InputError(file, n, f, name + " is missing");
      if (!numtext::IsNumeric(text)) throw InputError(file, n, f, name + ": " + msgtext::Quoted(text) + " is not a number");
      const double value = numtext::Val(text);
      if (!(std::abs(value) <= kMaxHqValue))
        throw InputError(file, n, f, name + ": " + msgtext::Quoted(text) + " is out of range (at most " +
                                         numtext::CStr(kMaxHqValue) + " in size)");
      if (c == Column::Stage) m.stage = value;
      else m.quantity[*KindOf(c)] = value;
    }
    if (!table.hasColumn[kRootDischarge]) {
      if (m.quantity[kDischarge] < 0)
        throw InputError(file, n, "a negative discharge has no square root; add a sqrt_discharge column");
      m.quantity[kRootDischarge] = std::sqrt(m.quantity[kDischarge]);
    }
    table.measurements.push_back(std::move(m));
  }
  if (columns.empty()) throw InputError(file, "has no header line naming the columns (stage,discharge,...)");
  if (table.measurements.empty()) throw InputError(file, "has no measurements below its header line");
  table.hasColumn[kRootDischarge] = true;
  return table;
}

HqTable ReadHqTable(const std::filesystem::path& file) { return ParseHqTable(file, ReadTextLines(file)); }

}  // namespace plamor::survey
