#include "drawings/outputs/drawing_output.h"

#include <algorithm>
#include <cctype>

namespace plamor::drawings {

const std::vector<const DrawingOutput*>& DrawingOutputs() {
  static const std::vector<const DrawingOutput*> kOutputs = {&PdfOutput(), &SvgOutput(), &PngOutput(),
                                                             &Dxf2000Output()};
  return kOutputs;
}

const DrawingOutput* OutputForFile(const std::filesystem::path& file) {
  std::string ending = file.extension().string();
  if (ending.empty()) return nullptr;
  ending.erase(0, 1);
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const DrawingOutput* output : DrawingOutputs())
    if (output->Ending() == ending) return output;
  return nullptr;
}

}  // namespace plamor::drawings
