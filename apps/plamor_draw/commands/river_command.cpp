// plamor-draw river table FILES... [--stage H | --water | --stage-file F] [--compare DATE]
//                         [--observation FILE:KM]... -o OUT.csv
#include <iostream>

#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/commands/river_inputs.h"
#include "cli/input_error.h"
#include "hydraulics/river_table.h"

namespace plamor::draw {
namespace {

hydraulics::StageSource StageOf(const CommandLine& line) {
  const std::optional<std::string> stage = line.Value("--stage"), stageFile = line.Value("--stage-file");
  const bool water = line.Flag("--water");
  if ((stage ? 1 : 0) + (stageFile ? 1 : 0) + (water ? 1 : 0) != 1)
    throw UsageError("give the stage one way: --stage H, --water or --stage-file FILE");
  if (water) return hydraulics::StageSource::OwnWaterSurface();
  if (stageFile) return hydraulics::StageSource::ByDistanceMark(survey::ReadStageTable(*stageFile));
  return hydraulics::StageSource::Given(ParseNumber("--stage", *stage, "an elevation such as 31.5"));
}

}  // namespace

static Command RiverTableCommand() {
  return Command("plamor-draw river table", "FILES... [--stage H | --water | --stage-file FILE] -o OUT.csv",
                 "Hydraulic quantities of every section and survey of a river (national cross-section files), "
                 "as a CSV table.")
      .Option("o,output", "OUT.csv", "the table to write (UTF-8)")
      .Option("stage", "H", "the stage of every section, T.P. m")
      .Flag("water", "each survey's own water surface (its points flagged 16)")
      .Option("stage-file", "FILE", "stages by distance mark (distance_mark,stage), such as a planned high-water level")
      .Option("compare", "DATE", "also deposition and scour against the survey of that date (YYYYMMDD or YYYY-MM-DD)")
      .Option("observation", "FILE:KM", "also a sounding observation file as the section at that distance mark "
                                         "(may be given again)");
}

static int RunRiverTable(const CommandLine& line) {
  const std::filesystem::path out = line.Required("-o");
  hydraulics::TableOptions options{StageOf(line), std::nullopt};
  if (auto date = line.Value("--compare")) {
    survey::SurveyDate compare;
    if (!survey::ParseSurveyDate(*date, compare))
      throw UsageError("--compare: \"" + *date + "\" is not a date such as 20190601 or 2019-06-01");
    options.compareWith = compare;
  }
  const survey::River river = ReadRiverOf(line, "river table");
  const auto rows = hydraulics::TabulateRiver(river, options);
  hydraulics::WriteRiverTable(out, rows, options.compareWith.has_value());
  std::cerr << "plamor-draw: wrote " << out.string() << " (" << rows.size() << " rows, " << river.sections.size()
            << " sections)\n";
  return 0;
}

Subcommand RiverTableSubcommand() { return {"river table", RiverTableCommand, RunRiverTable}; }

}  // namespace plamor::draw
