// plamor-draw hq FILE --kind Q|A|B|V|SQ -o OUT [--png CHART.png]
//                [--stage MIN:MAX] [--range MIN:MAX] [--pens FRAME,GRID,TEXT,LABEL,TITLE]
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
#include "sheets/hq_pens.h"
#include "survey/hq_table.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"
#include "charts/host_error.h"
#include "charts/picture_box.h"
#include "charts/tbunpu.h"

namespace plamor::draw {

Command HqCommand() {
  return ChartCommand("hq", "FILE --kind Q|A|B|V|SQ -o OUT.dxf [options]",
                      "H-Q drawing of a gauging station's measurement table.")
      .Option("kind", "KIND", "the quantity against the stage: Q discharge, A area, B width, V velocity, SQ root of Q")
      .Option("stage", "MIN:MAX", "the stage axis (default: round values holding every measurement)")
      .Option("range", "MIN:MAX", "the quantity axis (default: round values holding every measurement)")
      .Option("pens", "FRAME,GRID,TEXT,LABEL,TITLE", "store these pens for H-Q drawings, then draw");
}

int RunHq(const CommandLine& line) {
  const std::filesystem::path out = line.Required("-o");
  RequireDxfName(out);
  survey::HqKind kind;
  const std::string kindText = line.Required("--kind");
  if (!survey::ParseHqKind(kindText, kind)) throw UsageError("--kind: \"" + kindText + "\" is not one of Q, A, B, V, SQ");
  if (line.Positional().size() != 1) throw UsageError("hq takes one measurement table");
  std::optional<survey::AxisRange> stage, quantity;
  if (auto r = line.Value("--stage")) stage = ParseRange("--stage", *r);
  if (auto r = line.Value("--range")) quantity = ParseRange("--range", *r);
  std::optional<sheets::HqPens> pens;
  if (auto p = line.Value("--pens")) pens = ParseHqPens(*p);

  const survey::HqTable table = survey::ReadHqTable(line.Positional()[0]);
  if (!table.hasColumn[kind])
    throw InputError(table.file, std::string("--kind ") + kindText + " needs a \"" + survey::KindColumnName(kind) +
                                     "\" column in the table");
  survey::CheckHqBounds(table, kind, stage, quantity);

  OutputTarget drawing(out);
  std::optional<OutputTarget> picture = PictureTarget(line.Value("--png"), "png");
  DrawingCopies further(line, drawing);
  ApplyCodePageFlag(line);
  if (pens) sheets::SaveHqPens(*pens);
  else if (!sheets::HqPensStored()) {
    sheets::SaveHqPens(sheets::kDefaultHqPens);
    std::cerr << "plamor-draw: no pens stored for H-Q drawings; stored the defaults "
              << sheets::HqPensText(sheets::kDefaultHqPens) << " (change them with --pens)\n";
  }

  charts::TBunpu tbunpu;
  tbunpu.resize(800, 600);
  sheets::LoadHqChart(table, kind, stage, quantity, tbunpu);
  try {
    tbunpu.HQsakuga(kind);
  } catch (const charts::HostError& e) {
    throw InputError(table.file, e.what());
  }
  std::cerr << "plamor-draw: " << table.measurements.size() << " measurements read\n";

  DrawingLink link(TransportOf(line), further.ServerFile(), &std::cerr);
  further.Prepare(link);
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

}  // namespace plamor::draw
