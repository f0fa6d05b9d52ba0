// plamor-draw render IN -o OUT.png|OUT.pdf|OUT.svg [--width PIXELS] [--png OUT.png] [--pdf OUT.pdf] [--svg OUT.svg]
#include <iostream>
#include <optional>
#include <stdexcept>

#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "drawings/drawing_files.h"
#include "drawings/outputs/drawing_output.h"
#include "platform/folders.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {

static Command RenderCommand() {
  return Command("plamor-draw render", "IN -o OUT.png|OUT.pdf|OUT.svg [--width PIXELS]",
                     "A picture of a .plm or .atz drawing; as PDF or SVG one page of the sheet at true size.")
      .Option("o,output", "OUT", "the picture to write; its ending names the kind (.png, .pdf, .svg)")
      .Option("png", "OUT.png", "a raster picture, as the preview draws it")
      .Option("pdf", "OUT.pdf", "a vector page of the sheet's size, the drawing at its scale")
      .Option("svg", "OUT.svg", "the same page as SVG")
      .Option("width", "PIXELS", "the raster picture's width, 64 to 16000 (default 1600)");
}

static int RunRender(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("render takes one drawing file (.plm or .atz)");
  std::optional<std::string> png = line.Value("--png"), pdf = line.Value("--pdf"), svg = line.Value("--svg");
  if (auto output = line.Value("--output")) {
    RequirePictureName(*output, "render", {"png", "pdf", "svg"});
    const std::string ending = std::filesystem::path(*output).extension().string();
    std::optional<std::string>& kind = folders::EndsWithKind(*output, "pdf") ? pdf : folders::EndsWithKind(*output, "svg") ? svg : png;
    if (kind) throw UsageError("--output and --" + ending.substr(1) + " both name a " + ending + " picture; give one");
    kind = output;
  }
  if (!png && !pdf && !svg) throw UsageError("option --output is required");
  int width = 1600;
  if (auto w = line.Value("--width")) width = ParseInteger("--width", *w, 64, 16000);
  // Every target is checked before anything is read or written.
  std::optional<OutputTarget> pngTarget = PictureTarget(png, "png"), pdfTarget = PictureTarget(pdf, "pdf"),
                              svgTarget = PictureTarget(svg, "svg");

  const std::filesystem::path in = line.Positional()[0];
  const drawings::DrawingModel model = drawings::ReadDrawingFile(in);
  drawings::OutputOptions options;
  options.title = in.filename().string();
  options.fontPath = folders::StrokeFontFile();
  options.widthPixels = width;
  if (pngTarget) WriteDrawingOutput(drawings::PngOutput(), model, *pngTarget, options);
  if (pdfTarget) WriteDrawingOutput(drawings::PdfOutput(), model, *pdfTarget, options);
  if (svgTarget) WriteDrawingOutput(drawings::SvgOutput(), model, *svgTarget, options);
  return 0;
}

Subcommand RenderSubcommand() { return {"render", RenderCommand, RunRender}; }

}  // namespace plamor::draw
