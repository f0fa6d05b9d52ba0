// plamor-draw river profile FILES... -o OUT.dxf [--pdf OUT.pdf] [--stage-file FILE]
//                           [--observation FILE:KM]... [--distance-scale N] [--elevation-scale N]
#include <iostream>
#include <memory>

#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/commands/river_inputs.h"
#include "apps/plamor_draw/relay/server_sheets.h"
#include "drawings/outputs/vector_page.h"
#include "platform/folders.h"
#include "sheets/river_profile.h"

namespace plamor::draw {
namespace {

void RequireSheetName(const std::filesystem::path& out) {
  for (const char* kind : {"dxf", "plm", "atz"})
    if (folders::EndsWithKind(out, kind)) return;
  throw UsageError(out.string() + ": the sheets are written as .dxf, .plm or .atz; the output name must end in one");
}

// OUT for one sheet; OUT-1.dxf, OUT-2.dxf, ... for several.
std::filesystem::path SheetName(const std::filesystem::path& out, std::size_t number, std::size_t count) {
  if (count == 1) return out;
  std::filesystem::path name = out;
  name.replace_filename(out.stem().string() + "-" + std::to_string(number) + out.extension().string());
  return name;
}

}  // namespace

static Command RiverProfileCommand() {
  return DrawingCommand("river profile",
                        "FILES... -o OUT.dxf [--pdf OUT.pdf] [--stage-file FILE] [--observation FILE:KM]... "
                        "[--distance-scale N] [--elevation-scale N]",
                        "The longitudinal profile of a river (national cross-section files): mean and deepest bed "
                        "of every survey along the river, on A3 sheets drawn through the drawing server.")
      .Option("o,output", "OUT.dxf",
              "the sheet to write (.dxf, .plm or .atz); several sheets as OUT-1.dxf, OUT-2.dxf, ...")
      .Option("pdf", "OUT.pdf", "also every sheet as a page of one PDF")
      .Option("stage-file", "FILE",
              "the planned high-water level by distance mark (distance_mark,stage): drawn, and the stage of the "
              "mean bed where it gives one")
      .Option("observation", "FILE:KM",
              "also a sounding observation file as the section at that distance mark (may be given again)")
      .Option("distance-scale", "N", "the scale 1:N along the river (chosen when not given)")
      .Option("elevation-scale", "N", "the scale 1:N of elevations (chosen when not given)");
}

static int RunRiverProfile(const CommandLine& line) {
  const std::filesystem::path out = line.Required("-o");
  RequireSheetName(out);
  std::optional<OutputTarget> pdf = PictureTarget(line.Value("--pdf"), "pdf");
  sheets::ProfileOptions options;
  options.distanceScale = ScaleOption(line, "--distance-scale");
  options.elevationScale = ScaleOption(line, "--elevation-scale");
  if (auto file = line.Value("--stage-file")) options.plannedStage = survey::ReadStageTable(*file);
  const survey::River river = ReadRiverOf(line, "river profile");
  const sheets::ProfileSheetPlan scales = sheets::PlanRiverProfile(river, options).front();  // every sheet's
  const std::vector<drawings::DrawingModel> sheets = sheets::DrawRiverProfile(river, options);

  std::vector<std::unique_ptr<OutputTarget>> files;
  for (std::size_t k = 0; k < sheets.size(); ++k)
    files.push_back(std::make_unique<OutputTarget>(SheetName(out, k + 1, sheets.size())));
  ApplyCodePageFlag(line);
  ServerSheets server(TransportOf(line));
  std::vector<drawings::DrawingModel> pages;
  for (std::size_t k = 0; k < sheets.size(); ++k) pages.push_back(server.Draw(sheets[k], files[k].get()));
  if (pdf) {
    try {
      drawings::PageOptions page;
      page.title = river.river + " 縦断図";
      page.fontPath = folders::StrokeFontFile().string();
      page.subject = TwoScaleSubject("along", scales.distanceScale, scales.elevationScale);
      drawings::WritePdfPages(pages, pdf->Temporary(), page);
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(pdf->Describe(e.what()));
    }
  }
  // Every sheet is drawn: only now are the files put in place.
  for (const auto& file : files) {
    file->Commit();
    std::cerr << "plamor-draw: wrote " << file->Final().string() << "\n";
  }
  if (pdf) {
    pdf->Commit();
    std::cerr << "plamor-draw: wrote " << pdf->Final().string() << " (" << pages.size() << " pages)\n";
  }
  return 0;
}

Subcommand RiverProfileSubcommand() { return {"river profile", RiverProfileCommand, RunRiverProfile}; }

}  // namespace plamor::draw
