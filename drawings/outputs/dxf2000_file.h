// A drawing read from one of our files as DXF of AutoCAD 2000 (AC1015), for
// current CAD programs: real ellipses, texts with height, width factor,
// rotation and slant, vertical texts standing character under character as
// the preview draws them, line types at each element's pitch, the sheet as
// limits and paper, and Japanese text in the code page the header declares
// (ANSI_932, Shift_JIS) in a text style named after the KST32B stroke font,
// which LibreCAD ships, with IPA Gothic as its font file.
#pragma once

#include <filesystem>

#include "drawings/drawing_model.h"

namespace plamor::drawings {

// std::runtime_error naming the file when it cannot be written.
void WriteDxf2000(const DrawingModel& model, const std::filesystem::path& file);

// The text of a DXF string value in CP932: control characters in caret form
// ("^J"), a caret as "^ " (a character CP932 lacks becomes "?").
std::string Dxf2000Text(const std::string& utf8);

}  // namespace plamor::drawings
