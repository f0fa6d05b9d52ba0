// Reading our drawing files into the drawing model: the standard drawing file
// (.plm, with its memo file) and the standard text file (.atz), told apart by
// the file's ending.
#pragma once

#include <filesystem>

#include "drawings/drawing_model.h"

namespace plamor::drawings {

// Reads a .plm or .atz file, told by its extension (any case). InputError
// names the file and where it goes wrong.
DrawingModel ReadDrawingFile(const std::filesystem::path& file);

}  // namespace plamor::drawings
