// plamor-draw hq FILE --kind Q|A|B|V|SQ -o OUT [--png CHART.png]
//                [--stage MIN:MAX] [--range MIN:MAX] [--pens FRAME,GRID,TEXT,LABEL,TITLE[,CURVE]]
#include <QImage>

#include <iostream>
#include <optional>

#include "survey/axis_range.h"
#include "apps/plamor_draw/relay/drawing_copies.h"
#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/relay/drawing_link.h"
#include "survey/hq_bounds.h"
#include "sheets/hq_chart.h"
#include "hydraulics/rating_fit.h"
#include "hydraulics/rating_formula.h"
#include "hydraulics/rating_report.h"
#include "sheets/excluded_markers.h"
#include "sheets/hq_pens.h"
#include "sheets/rating_curve.h"
#include "survey/hq_table.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"
#include "charts/host_error.h"
#include "charts/picture_box.h"
#include "charts/tbunpu.h"

namespace plamor::draw {
namespace {

// The fit the options ask for (--fit and what goes with it), or none.
std::optional<hydraulics::RatingFitOptions> FitOptionsOf(const CommandLine& line, survey::HqKind kind) {
  const bool fit = line.Flag("--fit");
  for (const char* option : {"--fit-method", "--segments", "--exclude", "--outlier", "--extend-to", "--report",
                             "--formula"})
    if (!fit && line.Value(option)) throw UsageError(std::string(option) + " goes with --fit");
  if (!fit) return std::nullopt;
  if (kind != survey::kDischarge && kind != survey::kRootDischarge)
    throw UsageError("--fit draws the formula on the sheets of --kind Q and SQ");
  hydraulics::RatingFitOptions options;
  if (auto m = line.Value("--fit-method"); m && !hydraulics::ParseFitMethod(*m, options.method))
    throw UsageError("--fit-method: \"" + *m + "\" is not one of q, sqrt");
  try {
    if (auto v = line.Value("--segments")) options.splits = hydraulics::ParseSplits(*v);
  } catch (const std::invalid_argument& e) {
    throw UsageError(std::string("--segments: ") + e.what());
  }
  try {
    if (auto v = line.Value("--exclude")) options.excluded = hydraulics::ParseLabels(*v);
  } catch (const std::invalid_argument& e) {
    throw UsageError(std::string("--exclude: ") + e.what());
  }
  if (auto v = line.Value("--outlier")) {
    options.outlierPercent = ParseNumber("--outlier", *v, "a percentage above 0");
    if (!(*options.outlierPercent > 0)) throw UsageError("--outlier: \"" + *v + "\" is not a percentage above 0");
  }
  return options;
}

// Fits the formula, reports it on standard error and in the files asked for.
hydraulics::RatingFit FitAndReport(const CommandLine& line, const survey::HqTable& table,
                                   const hydraulics::RatingFitOptions& options) {
  hydraulics::RatingFit fit;
  try {
    fit = hydraulics::FitRating(table, options);
  } catch (const std::invalid_argument& e) {
    throw UsageError(std::string("--exclude: ") + e.what());
  }
  std::cerr << hydraulics::FitSummaryTable(table, fit);
  if (auto report = line.Value("--report")) hydraulics::WriteFitReport(*report, table, fit);
  if (auto formula = line.Value("--formula")) hydraulics::WriteFormulaFile(*formula, fit.formula);
  return fit;
}

}  // namespace

static Command HqCommand() {
  return ChartCommand("hq", "FILE --kind Q|A|B|V|SQ -o OUT.dxf [options]",
                      "H-Q drawing of a gauging station's measurement table.")
      .Option("kind", "KIND", "the quantity against the stage: Q discharge, A area, B width, V velocity, SQ root of Q")
      .Option("stage", "MIN:MAX", "the stage axis (default: round values holding every measurement)")
      .Option("range", "MIN:MAX", "the quantity axis (default: round values holding every measurement)")
      .Option("pens", "FRAME,GRID,TEXT,LABEL,TITLE[,CURVE]",
              "store these pens for H-Q drawings (and the fitted curve's), then draw")
      .Flag("fit", "fit the formula Q = a (H + b)² and draw it (kinds Q and SQ)")
      .Option("fit-method", "q|sqrt", "least squares in Q (default) or on the root of Q")
      .Option("segments", "H1,H2", "split the formula at these stages, continuous at each")
      .Option("exclude", "LABELS", "leave these measurements out of the fit (drawn hollow)")
      .Option("outlier", "PCT", "flag deviations beyond this percentage (default: twice the standard error)")
      .Option("extend-to", "H", "draw the curve dashed beyond the measured stages up to H")
      .Option("report", "OUT.csv", "write every measurement with its fitted discharge and deviation")
      .Option("formula", "OUT.json", "write the fitted formula (for hq rating and hq convert)");
}

static int RunHq(const CommandLine& line) {
  const std::filesystem::path out = line.Required("-o");
  RequireDxfName(out);
  survey::HqKind kind;
  const std::string kindText = line.Required("--kind");
  if (!survey::ParseHqKind(kindText, kind)) throw UsageError("--kind: \"" + kindText + "\" is not one of Q, A, B, V, SQ");
  if (line.Positional().size() != 1) throw UsageError("hq takes one measurement table");
  std::optional<survey::AxisRange> stage, quantity;
  if (auto r = line.Value("--stage")) stage = ParseRange("--stage", *r);
  if (auto r = line.Value("--range")) quantity = ParseRange("--range", *r);
  std::optional<HqPenOption> pens;
  if (auto p = line.Value("--pens")) pens = ParseHqPens(*p);

  const std::optional<hydraulics::RatingFitOptions> fitOptions = FitOptionsOf(line, kind);
  std::optional<double> extendTo;
  if (auto v = line.Value("--extend-to")) extendTo = ParseNumber("--extend-to", *v, "a stage such as 3.5");
  const survey::HqTable table = survey::ReadHqTable(line.Positional()[0]);
  if (!table.hasColumn[kind])
    throw InputError(table.file, std::string("--kind ") + kindText + " needs a \"" + survey::KindColumnName(kind) +
                                     "\" column in the table");
  survey::CheckHqBounds(table, kind, stage, quantity);

  std::optional<hydraulics::RatingFit> fit;
  if (fitOptions) fit = FitAndReport(line, table, *fitOptions);

  OutputTarget drawing(out);
  std::optional<OutputTarget> picture = PictureTarget(line.Value("--png"), "png");
  DrawingCopies further(line, drawing);
  ApplyCodePageFlag(line);
  if (pens) {
    sheets::SaveHqPens(pens->pens);
    if (pens->curve) sheets::SaveHqCurvePen(*pens->curve);
  } else if (!sheets::HqPensStored()) {
    sheets::SaveHqPens(sheets::kDefaultHqPens);
    std::cerr << "plamor-draw: no pens stored for H-Q drawings; stored the defaults "
              << sheets::HqPensText(sheets::kDefaultHqPens) << " (change them with --pens)\n";
  }

  charts::TBunpu tbunpu;
  tbunpu.resize(800, 600);
  if (fit) {
    sheets::LoadHqChartForFit(table, *fit, kind, stage, quantity, tbunpu);
  } else {
    sheets::LoadHqChart(table, kind, stage, quantity, tbunpu);
  }
  try {
    tbunpu.HQsakuga(kind);
  } catch (const charts::HostError& e) {
    throw InputError(table.file, e.what());
  }
  std::cerr << "plamor-draw: " << table.measurements.size() << " measurements read\n";

  DrawingLink link(TransportOf(line), further.ServerFile(), &std::cerr);
  further.Prepare(link);
  if (fit) {
    const sheets::HqSheetAxes axes = sheets::SheetAxesOf(tbunpu, kind);
    const sheets::RatingCurveDrawing curve = sheets::LayOutRatingCurve(
        fit->formula, kind, axes, extendTo, sheets::MarkerPoints(table, kind, axes));
    link.AddBeforeOutput([&, axes, curve](IPlamor& drawing) {
      sheets::RegisterRatingCurve(drawing, curve, sheets::HqCurvePen());
      sheets::RegisterExcludedMarkers(drawing, table, *fit, kind, axes);
    });
  }
  tbunpu.SetPlamorTransport(link.Transport());
  DrawThroughServer(drawing, [&] {
    try {
      tbunpu.HQSakuzu(kind);
    } catch (const charts::HostError& e) {
      throw InputError(table.file, e.what());
    }
  });
  further.Finish(link);
  WriteChartPicture(tbunpu.PictureArea().Picture().Image(), picture);
  return 0;
}

Subcommand HqSubcommand() { return {"hq", HqCommand, RunHq}; }

}  // namespace plamor::draw
