// The outputs of a drawing beside the binding writers of the server, one per
// file kind, behind one interface, so that every command writes any of them
// the same way: PDF and SVG pages at true size, PNG pictures as the preview
// draws them, and DXF of AutoCAD 2000.
//
// Adding an output: derive a class from DrawingOutput in the file of its
// format in this folder (its Ending, and Write drawing the model into the
// file it is given, ideally through the preview's element drawing as the
// pages do), list it in DrawingOutputs() (drawing_outputs.cpp), and name its
// ending in the commands that offer it (render's picture kinds, the --pdf
// style options of sections and hq). Its tests go to tests/drawings.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawings/drawing_model.h"
#include "drawings/sheet_geometry.h"

namespace plamor::drawings {

struct OutputOptions {
  std::string title;               // names the drawing in the file (PDF, SVG)
  std::filesystem::path fontPath;  // the stroke-font file; without it every character is the substitute square
  std::optional<PaperMm> paper;    // pages: the sheet scaled onto this paper (turned as the sheet is), centred
  int widthPixels = 1600;          // pictures: the width, at least 64
};

class DrawingOutput {
 public:
  virtual ~DrawingOutput() = default;
  // The file ending that names the kind, without the dot: "pdf".
  virtual std::string_view Ending() const = 0;
  // Writes the drawing into `file` and says what was written, for the
  // command's report ("420 x 297 mm"). std::runtime_error naming the file
  // when it cannot be written.
  virtual std::string Write(const DrawingModel& model, const std::filesystem::path& file,
                            const OutputOptions& options) const = 0;
};

const DrawingOutput& PdfOutput();
const DrawingOutput& SvgOutput();
const DrawingOutput& PngOutput();
const DrawingOutput& Dxf2000Output();

// Every output, in the order above.
const std::vector<const DrawingOutput*>& DrawingOutputs();
// The output whose ending the file has (any case), or nullptr.
const DrawingOutput* OutputForFile(const std::filesystem::path& file);

}  // namespace plamor::drawings
