// plamor-draw sections FILE... [--select 1,3] -o OUT [--png CHART.png]
#include <QImage>

#include <iostream>
#include <optional>

#include "apps/plamor_draw/relay/drawing_copies.h"
#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/relay/drawing_link.h"
#include "cli/input_error.h"
#include "survey/observation_file.h"
#include "apps/plamor_draw/output_target.h"
#include "charts/danmen.h"
#include "charts/host_error.h"
#include "charts/picture_box.h"

namespace plamor::draw {

static Command SectionsCommand() {
  return ChartCommand("sections", "FILE... -o OUT.dxf [--select 1,3] [--png CHART.png]",
                      "Cross-section drawing of sounding observations (one file each).")
      .Option("select", "LIST", "the observations to draw, by their position (default: all)");
}

static int RunSections(const CommandLine& line) {
  const std::filesystem::path out = line.Required("-o");
  RequireDxfName(out);
  if (line.Positional().empty()) throw UsageError("sections needs at least one observation file");

  std::vector<survey::ObservationFile> observations;
  for (const auto& file : line.Positional()) observations.push_back(survey::ReadObservationFile(file));
  std::vector<int> selected;
  if (auto list = line.Value("--select")) {
    selected = ParseNumberList("--select", *list);
    for (int k : selected)
      if (k > static_cast<int>(observations.size()))
        throw UsageError("--select: there is no observation " + std::to_string(k) + " (" +
                         std::to_string(observations.size()) + " files given)");
  } else {
    for (int k = 1; k <= static_cast<int>(observations.size()); ++k) selected.push_back(k);
  }

  OutputTarget drawing(out);
  std::optional<OutputTarget> picture = PictureTarget(line.Value("--png"), "png");
  DrawingCopies further(line, drawing);
  ApplyCodePageFlag(line);

  charts::Danmen danmen;
  danmen.resize(960, 640);
  for (const survey::ObservationFile& o : observations) {
    try {
      danmen.SetData(o.lines);
    } catch (const charts::HostError& e) {
      throw InputError(o.file, e.what());
    }
  }
  for (int k : selected) {
    try {
      danmen.DanmenZu(k);
    } catch (const charts::HostError& e) {
      throw InputError(observations[static_cast<std::size_t>(k - 1)].file, "cannot be drawn: " + std::string(e.what()));
    }
  }
  std::cerr << "plamor-draw: " << observations.size() << " observations read, " << selected.size()
            << " drawn\n";

  DrawingLink link(TransportOf(line), further.ServerFile(), &std::cerr);
  further.Prepare(link);
  danmen.SetPlamorTransport(link.Transport());
  DrawThroughServer(drawing, [&] { danmen.CreatePlamor(); });
  further.Finish(link);
  WriteChartPicture(danmen.PictureArea().Picture().Image(), picture);
  return 0;
}

Subcommand SectionsSubcommand() { return {"sections", SectionsCommand, RunSections}; }

}  // namespace plamor::draw
