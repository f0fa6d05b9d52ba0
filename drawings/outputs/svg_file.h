// A one-page SVG file written as the paths arrive: the page in millimetres,
// its user units points with y turned downward as SVG has it, every layer a
// layer group of Inkscape, one <path> per run of strokes of one pen.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "drawings/outputs/page_file.h"

namespace plamor::drawings {

// The page of that size in millimetres; std::runtime_error naming the file
// when it cannot be created.
std::unique_ptr<VectorFile> CreateSvgFile(const std::filesystem::path& path, double widthMm, double heightMm,
                                          const std::string& titleUtf8, double lineWidthPt);

// Text with the five XML special characters escaped.
std::string XmlEscaped(const std::string& text);

}  // namespace plamor::drawings
