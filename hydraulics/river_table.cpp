#include "hydraulics/river_table.h"

#include <cstdio>
#include <stdexcept>

#include "cli/input_error.h"
#include "hydraulics/text_output.h"

namespace plamor::hydraulics {
namespace fs = std::filesystem;
namespace {

const char* const kHeader =
    "distance_mark,date,stage,area,wetted_perimeter,top_width,hydraulic_radius,hydraulic_depth,mean_bed,deepest_bed";

void AppendNumber(std::string& line, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.12g", value == 0 ? 0.0 : value);  // no "-0"
  line += text;
}

void AppendField(std::string& line, const std::optional<double>& value) {
  line += ',';
  if (value) AppendNumber(line, *value);
}

std::string Kilometres(double km) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f km", km);
  return text;
}

// The survey the section's surveys are compared with: the one of the date, or
// else the latest before it.
const survey::SectionSurvey* BaselineOf(const survey::RiverSection& section, const survey::SurveyDate& date) {
  const survey::SectionSurvey* baseline = nullptr;
  for (const auto& s : section.surveys)
    if (s.date <= date) baseline = &s;
  return baseline;
}

}  // namespace

StageSource StageSource::Given(double stage) {
  StageSource source;
  source.kind_ = Kind::Given;
  source.stage_ = stage;
  return source;
}

StageSource StageSource::OwnWaterSurface() {
  StageSource source;
  source.kind_ = Kind::OwnWaterSurface;
  return source;
}

StageSource StageSource::ByDistanceMark(survey::StageTable table) {
  StageSource source;
  source.kind_ = Kind::ByDistanceMark;
  source.table_ = std::move(table);
  return source;
}

double StageSource::StageFor(const survey::SectionSurvey& survey) const {
  switch (kind_) {
    case Kind::Given:
      return stage_;
    case Kind::OwnWaterSurface:
      if (!survey.waterSurface)
        throw InputError(survey.file, "has no water surface (no point flagged 16) to take the stage from");
      return *survey.waterSurface;
    case Kind::ByDistanceMark:
      if (const auto stage = table_.StageAt(survey.distanceMark)) return *stage;
      throw InputError(table_.file, "has no stage for the section " + Kilometres(survey.distanceMark) + " of " +
                                        survey.file.string() + " (its marks run from " +
                                        Kilometres(table_.marks.front()) + " to " + Kilometres(table_.marks.back()) +
                                        "; stages are not extrapolated)");
  }
  return stage_;
}

std::vector<TableRow> TabulateRiver(const survey::River& river, const TableOptions& options) {
  std::vector<TableRow> rows;
  for (const survey::RiverSection& section : river.sections) {
    const survey::SectionSurvey* baseline =
        options.compareWith ? BaselineOf(section, *options.compareWith) : nullptr;
    const std::vector<BedPoint> baselineBed = baseline ? BedLine(*baseline) : std::vector<BedPoint>();
    for (const survey::SectionSurvey& s : section.surveys) {
      TableRow row;
      row.distanceMark = section.distanceMark;
      row.date = s.date;
      const std::vector<BedPoint> bed = BedLine(s);
      row.flow = FlowAt(bed, options.stage.StageFor(s));
      row.deepestBed = DeepestBed(s);
      if (baseline) row.change = CompareBeds(bed, baselineBed);
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

std::string RiverTableCsv(const std::vector<TableRow>& rows, bool withComparison) {
  std::string csv = kHeader;
  if (withComparison) csv += ",deposition,scour";
  csv += '\n';
  std::string line;
  for (const TableRow& row : rows) {
    line.clear();
    AppendNumber(line, row.distanceMark);
    line += ',' + survey::IsoDate(row.date);
    const SectionFlow& f = row.flow;
    for (double v : {f.stage, f.area, f.wettedPerimeter, f.topWidth}) AppendField(line, v);
    AppendField(line, f.hydraulicRadius);
    AppendField(line, f.hydraulicDepth);
    AppendField(line, f.meanBed);
    AppendField(line, row.deepestBed);
    if (withComparison) {
      AppendField(line, row.change ? std::optional(row.change->deposition) : std::nullopt);
      AppendField(line, row.change ? std::optional(row.change->scour) : std::nullopt);
    }
    csv += line;
    csv += '\n';
  }
  return csv;
}

void WriteRiverTable(const fs::path& out, const std::vector<TableRow>& rows, bool withComparison) {
  WriteTextFile(out, RiverTableCsv(rows, withComparison));
}

}  // namespace plamor::hydraulics
