// plamor-draw render IN -o OUT.png|OUT.pdf|OUT.svg [--width PIXELS] [--png OUT.png] [--pdf OUT.pdf] [--svg OUT.svg]
#include <iostream>
#include <optional>
#include <stdexcept>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_page.h"
#include "apps/plamor_draw/drawing_picture.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {
namespace {

void WritePicture(const DrawingModel& model, int width, OutputTarget& target) {
  const auto picture = DrawPicture(model, width, StrokeFontFile().string());
  try {
    picture->SavePng(target.Temporary().string());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(target.Describe(e.what()));
  }
  target.Commit();
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << picture->Width() << " x "
            << picture->Height() << " pixels, " << model.elements.size() << " elements)\n";
}

void WritePage(const DrawingModel& model, PageFormat format, const std::filesystem::path& in, OutputTarget& target) {
  WriteAndCommit(target, [&](const std::filesystem::path& file) {
    WriteDrawingPage(model, format, file, {in.filename().string(), StrokeFontFile().string(), {}});
  });
  const SheetPage page = PageOfSheet(model);
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << page.widthMm << " x " << page.heightMm
            << " mm, " << model.elements.size() << " elements)\n";
}

}  // namespace

Command RenderCommand() {
  return Command("plamor-draw render", "IN -o OUT.png|OUT.pdf|OUT.svg [--width PIXELS]",
                     "A picture of a .plm or .atz drawing; as PDF or SVG one page of the sheet at true size.")
      .Option("o,output", "OUT", "the picture to write; its ending names the kind (.png, .pdf, .svg)")
      .Option("png", "OUT.png", "a raster picture, as the preview draws it")
      .Option("pdf", "OUT.pdf", "a vector page of the sheet's size, the drawing at its scale")
      .Option("svg", "OUT.svg", "the same page as SVG")
      .Option("width", "PIXELS", "the raster picture's width, 64 to 16000 (default 1600)");
}

int RunRender(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("render takes one drawing file (.plm or .atz)");
  std::optional<std::string> png = line.Value("--png"), pdf = line.Value("--pdf"), svg = line.Value("--svg");
  if (auto output = line.Value("--output")) {
    RequirePictureName(*output, "render", {"png", "pdf", "svg"});
    const std::string ending = std::filesystem::path(*output).extension().string();
    std::optional<std::string>& kind = EndsWithKind(*output, "pdf") ? pdf : EndsWithKind(*output, "svg") ? svg : png;
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
  const DrawingModel model = ReadDrawingFile(in);
  if (pngTarget) WritePicture(model, width, *pngTarget);
  if (pdfTarget) WritePage(model, PageFormat::kPdf, in, *pdfTarget);
  if (svgTarget) WritePage(model, PageFormat::kSvg, in, *svgTarget);
  return 0;
}

}  // namespace plamor::draw
