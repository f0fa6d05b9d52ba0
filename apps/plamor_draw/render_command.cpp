// plamor-draw render IN [--png OUT.png [--width PIXELS]] [--pdf OUT.pdf] [--svg OUT.svg]
#include <iostream>
#include <optional>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_page.h"
#include "apps/plamor_draw/drawing_picture.h"
#include "apps/plamor_draw/input_error.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {
namespace {

void WritePage(const DrawingModel& model, PageFormat format, const std::filesystem::path& in, OutputTarget& target) {
  WriteDrawingPage(model, format, target.Temporary(), {in.filename().string(), StrokeFontFile().string(), {}});
  target.Commit();
  const SheetPage page = PageOfSheet(model);
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << page.widthMm << " x " << page.heightMm
            << " mm, " << model.elements.size() << " elements)\n";
}

}  // namespace

int RunRender(const Arguments& args) {
  const CommandLine line(args, {}, {"--png", "--width", "--pdf", "--svg"});
  if (line.Positional().size() != 1) throw UsageError("render takes one drawing file (.plm or .atz)");
  const auto png = line.Value("--png"), pdf = line.Value("--pdf"), svg = line.Value("--svg");
  if (!png && !pdf && !svg) throw UsageError("render needs at least one of --png, --pdf and --svg");
  int width = 1600;
  if (auto w = line.Value("--width")) width = ParseInteger("--width", *w, 64, 16000);

  const std::filesystem::path in = line.Positional()[0];
  const DrawingModel model = ReadDrawingFile(in);
  // Every target is checked before anything is written.
  std::optional<OutputTarget> pngTarget, pdfTarget, svgTarget;
  if (png) pngTarget.emplace(*png);
  if (pdf) pdfTarget.emplace(*pdf);
  if (svg) svgTarget.emplace(*svg);

  if (pngTarget) {
    const auto picture = DrawPicture(model, width, StrokeFontFile().string());
    picture->SavePng(pngTarget->Temporary().string());
    pngTarget->Commit();
    std::cerr << "plamor-draw: wrote " << pngTarget->Final().string() << " (" << picture->Width() << " x "
              << picture->Height() << " pixels, " << model.elements.size() << " elements)\n";
  }
  if (pdfTarget) WritePage(model, PageFormat::kPdf, in, *pdfTarget);
  if (svgTarget) WritePage(model, PageFormat::kSvg, in, *svgTarget);
  return 0;
}

}  // namespace plamor::draw
