// plamor-draw render IN -o OUT.png [--width PIXELS]
#include <iostream>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_picture.h"
#include "apps/plamor_draw/input_error.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {

Command RenderCommand() {
  return Command("plamor-draw render", "IN -o OUT.png [--width PIXELS]", "A picture of a .plm or .atz drawing.")
      .Option("o,output", "OUT.png", "the picture to write; its ending names the kind (.png)")
      .Option("png", "OUT.png", "the same as --output")
      .Option("width", "PIXELS", "the picture's width, 64 to 16000 (default 1600)");
}

int RunRender(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("render takes one drawing file (.plm or .atz)");
  const auto output = line.Value("--output"), png = line.Value("--png");
  if (output && png) throw UsageError("--output and --png name the same picture; give one");
  if (!output && !png) throw UsageError("option --output is required");
  const std::filesystem::path file = output ? *output : *png;
  RequirePictureName(file, output ? "render" : "--png", {"png"});
  int width = 1600;
  if (auto w = line.Value("--width")) width = ParseInteger("--width", *w, 64, 16000);

  const DrawingModel model = ReadDrawingFile(line.Positional()[0]);
  OutputTarget target(file);
  const auto picture = DrawPicture(model, width, StrokeFontFile().string());
  picture->SavePng(target.Temporary().string());
  target.Commit();
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << picture->Width() << " x "
            << picture->Height() << " pixels, " << model.elements.size() << " elements)\n";
  return 0;
}

}  // namespace plamor::draw
