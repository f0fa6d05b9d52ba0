// plamor-draw render IN --png OUT.png [--width PIXELS]
#include <iostream>
#include <stdexcept>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_picture.h"
#include "apps/plamor_draw/input_error.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {

int RunRender(const Arguments& args) {
  const CommandLine line(args, {}, {"--png", "--width"});
  if (line.Positional().size() != 1) throw UsageError("render takes one drawing file (.plm or .atz)");
  const std::filesystem::path png = line.Required("--png");
  int width = 1600;
  if (auto w = line.Value("--width")) width = ParseInteger("--width", *w, 64, 16000);

  const DrawingModel model = ReadDrawingFile(line.Positional()[0]);
  OutputTarget target(png);
  const auto picture = DrawPicture(model, width, StrokeFontFile().string());
  try {
    picture->SavePng(target.Temporary().string());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(target.Describe(e.what()));
  }
  target.Commit();
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << picture->Width() << " x "
            << picture->Height() << " pixels, " << model.elements.size() << " elements)\n";
  return 0;
}

}  // namespace plamor::draw
