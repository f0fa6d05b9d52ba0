// kvd_builder SOURCE.lff OUTPUT.KVD: converts the KST32B stroke font into
// the font file M_G_L.KVD and prints its coverage.
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "tools/kvd_builder/coverage.h"
#include "tools/kvd_builder/font_conversion.h"
#include "tools/kvd_builder/kvd_image.h"
#include "tools/kvd_builder/lff_font.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: kvd_builder SOURCE.lff OUTPUT.KVD\n";
    return 2;
  }
  try {
    std::ifstream source(argv[1]);
    if (!source) throw std::runtime_error(std::string("cannot open the source font ") + argv[1]);
    const kvd::LffFont font = kvd::ReadLffFont(source, argv[1]);
    kvd::ConversionReport report;
    const kvd::KvdImage image = kvd::ConvertFont(font, report);
    kvd::WriteFileAtomically(argv[2], image.Bytes());
    std::cout << "kvd_builder: wrote " << argv[2] << '\n';
    kvd::PrintCoverage(image, report, std::cout);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "kvd_builder: " << error.what() << '\n';
    return 1;
  }
}
