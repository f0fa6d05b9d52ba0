// plamor-draw convert IN OUT [--decimals N] [--dxf-version 2000]
#include <iostream>

#include "platform/folders.h"
#include "apps/plamor_draw/relay/drawing_copies.h"
#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/relay/drawing_link.h"
#include "drawings/drawing_files.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/relay/model_registration.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {

static Command ConvertCommand() {
  return DrawingCommand("convert", "IN OUT [--decimals N] [--dxf-version 2000]",
                        "A .plm or .atz drawing into the kind OUT's ending names (.dxf, .plm, else .atz).")
      .Option("decimals", "N", "the decimals of a standard text file, 1 to 9 (default 3)")
      .Option("dxf-version", "2000", kDxfVersionHelp);
}

static int RunConvert(const CommandLine& line) {
  if (line.Positional().size() != 2) throw UsageError("convert takes an input file and an output file");
  const std::filesystem::path in = line.Positional()[0], out = line.Positional()[1];
  std::optional<int> decimals;
  if (auto d = line.Value("--decimals")) decimals = ParseInteger("--decimals", *d, 1, 9);

  const bool modernDxf = ParseDxfVersion(line.Value("--dxf-version"));
  if (modernDxf) RequireDxfName(out);

  const drawings::DrawingModel model = drawings::ReadDrawingFile(in);
  if (model.elements.empty()) throw InputError(in, "holds no elements; there is nothing to convert");
  OutputTarget target(out);
  if (modernDxf) {
    WriteDrawingOutput(drawings::Dxf2000Output(), model, target, {});
    return 0;
  }
  ApplyCodePageFlag(line);

  DrawingLink link(TransportOf(line), target.Temporary().string(), &std::cerr);
  DrawThroughServer(target, [&] {
    std::unique_ptr<IPlamor> drawing = link.Create();
    drawing->put_FileName(target.Temporary().string());
    if (decimals) drawing->put_AtzKeta(*decimals);
    RegisterModel(model, *drawing);
    drawing->OutPutPlamor(folders::StrokeFontFile().string());
    WaitForOutput(*drawing);
    drawing->Clear();
  });
  CommitDrawing(target, link);
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << model.elements.size()
            << " elements)\n";
  return 0;
}

Subcommand ConvertSubcommand() { return {"convert", ConvertCommand, RunConvert}; }

}  // namespace plamor::draw
