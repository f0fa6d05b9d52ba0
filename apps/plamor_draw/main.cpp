// plamor-draw: cross-section and H-Q drawings from survey files, and
// conversions and pictures of our drawing files, for engineers at the
// command line.
#include <QApplication>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <map>
#include <memory>

#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/input_error.h"

namespace {

void Usage(std::ostream& out) {
  out << "usage: plamor-draw COMMAND ...\n"
         "  sections FILE... [--select 1,3] -o OUT.dxf [--png CHART.png] [--pdf OUT.pdf]\n"
         "         [--dxf-version 2000]\n"
         "      cross-section drawing of sounding observations (one file each)\n"
         "  hq FILE --kind Q|A|B|V|SQ -o OUT.dxf [--png CHART.png] [--pdf OUT.pdf]\n"
         "         [--stage MIN:MAX] [--range MIN:MAX] [--pens FRAME,GRID,TEXT,LABEL,TITLE] [--dxf-version 2000]\n"
         "      H-Q drawing of a gauging station's measurement table\n"
         "  convert IN OUT [--decimals N] [--dxf-version 2000]\n"
         "      a .plm or .atz drawing into the kind OUT's ending names (.dxf, .plm, .atz)\n"
         "  render IN [--png OUT.png [--width PIXELS]] [--pdf OUT.pdf] [--svg OUT.svg]\n"
         "      a picture of a .plm or .atz drawing; PDF and SVG at true size\n"
         "  print IN --printer QUEUE [--fit]\n"
         "      a .plm or .atz drawing to a CUPS print queue, 1:1 on paper of the sheet's size,\n"
         "      or with --fit scaled onto the queue's default paper\n"
         "  setup-codepage on|off\n"
         "      DXF files name their code page, so CAD programs show Japanese text anywhere\n"
         "Options of sections, hq and convert:\n"
         "  --inproc        draw in this process instead of on the D-Bus drawing server\n"
         "  --dxf-codepage  as setup-codepage on, before drawing\n"
         "  --dxf-version 2000  DXF of AutoCAD 2000 (real ellipses, slanted and vertical texts, Japanese\n"
         "                  text CAD programs show) instead of the binding R12 drawing\n";
}

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace plamor::draw;
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
    Usage(argc < 2 ? std::cerr : std::cout);
    return argc < 2 ? 2 : 0;
  }
  const std::map<std::string, int (*)(const Arguments&)> commands = {
      {"sections", RunSections}, {"hq", RunHq}, {"convert", RunConvert},
      {"render", RunRender},     {"print", RunPrint},       {"setup-codepage", RunSetupCodePage}};
  const auto command = commands.find(argv[1]);
  if (command == commands.end()) {
    std::cerr << "plamor-draw: unknown command \"" << argv[1] << "\"\n";
    Usage(std::cerr);
    return 2;
  }
  // The chart controls are widgets; without a screen they draw off screen.
  if (!HasDisplay() && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const Arguments args(argv + 2, argv + argc);
  try {
    return command->second(args);
  } catch (const UsageError& e) {
    std::cerr << "plamor-draw " << argv[1] << ": " << e.what() << "\n";
    Usage(std::cerr);
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "plamor-draw: " << e.what() << "\n";
    return 1;
  }
}
