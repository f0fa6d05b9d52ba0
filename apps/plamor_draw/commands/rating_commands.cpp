// plamor-draw hq rating --formula F.json --from H0 --to H1 [--step 0.01] -o TABLE.csv
// plamor-draw hq convert --formula F.json STAGES.csv -o OUT.csv
#include <iostream>

#include "apps/plamor_draw/commands.h"
#include "hydraulics/rating_formula.h"
#include "hydraulics/rating_table.h"
#include "hydraulics/stage_record.h"

namespace plamor::draw {
namespace {

double StageOption(const CommandLine& line, const std::string& option) {
  return ParseNumber(option, line.Required(option), "a stage such as 0.5");
}

}  // namespace

static Command HqRatingCommand() {
  return Command("plamor-draw hq rating", "--formula F.json --from H0 --to H1 [--step 0.01] -o TABLE.csv",
                 "The rating table (stage,discharge) of a fitted H-Q formula.")
      .Option("formula", "F.json", "the formula file that hq --fit --formula wrote")
      .Option("from", "H0", "the first stage, m")
      .Option("to", "H1", "the last stage, m")
      .Option("step", "STEP", "the stage step, m (default 0.01)")
      .Option("o,output", "TABLE.csv", "the table to write");
}

static int RunHqRating(const CommandLine& line) {
  if (!line.Positional().empty()) throw UsageError("hq rating takes no file names besides its options");
  const std::filesystem::path out = line.Required("-o");
  const double from = StageOption(line, "--from"), to = StageOption(line, "--to");
  const double step = line.Value("--step") ? StageOption(line, "--step") : 0.01;
  if (!(step > 0)) throw UsageError("--step: the step must be above 0");
  if (!(from <= to)) throw UsageError("--from: the first stage lies above the last (--to)");
  const hydraulics::RatingFormula formula = hydraulics::ReadFormulaFile(line.Required("--formula"));
  hydraulics::WriteRatingTable(out, formula, from, to, step);
  std::cerr << "plamor-draw: wrote " << out.string() << "\n";
  return 0;
}

static Command HqConvertCommand() {
  return Command("plamor-draw hq convert", "--formula F.json STAGES.csv -o OUT.csv",
                 "A stage record (time,stage) turned into discharges by a fitted H-Q formula; stages outside the "
                 "formula's range are flagged.")
      .Option("formula", "F.json", "the formula file that hq --fit --formula wrote")
      .Option("o,output", "OUT.csv", "the record with its discharges to write");
}

static int RunHqConvert(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("hq convert takes one stage record (time,stage)");
  const std::filesystem::path out = line.Required("-o");
  const hydraulics::RatingFormula formula = hydraulics::ReadFormulaFile(line.Required("--formula"));
  const hydraulics::StageRecordSummary summary =
      hydraulics::ConvertStageRecordFile(formula, line.Positional()[0], out);
  std::cerr << "plamor-draw: wrote " << out.string() << " (" << summary.rows << " stages, " << summary.outOfRange
            << " outside the formula's range, " << summary.missing << " missing)\n";
  return 0;
}

Subcommand HqRatingSubcommand() { return {"hq rating", HqRatingCommand, RunHqRating}; }
Subcommand HqConvertSubcommand() { return {"hq convert", HqConvertCommand, RunHqConvert}; }

}  // namespace plamor::draw
