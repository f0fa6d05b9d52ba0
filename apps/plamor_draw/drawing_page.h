// A drawing read from one of our files as a vector page (PDF or SVG) at true
// size: one page of the sheet's size, drawing units mapped by the sheet's
// scale, drawn by the preview renderer's element drawing with true curves,
// dash patterns at each element's pitch, pens in their display colours on
// white paper (the white pen black). Pen 0 is not drawn.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "apps/plamor_draw/drawing_model.h"

namespace plamor::draw {

// The page: its size in millimetres and the area of drawing units it shows.
struct SheetPage {
  double widthMm = 0, heightMm = 0;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
// The sheet (landscape or portrait as stored); a sheet without a size (the
// free size) becomes the area the elements take, at the drawing's scale.
SheetPage PageOfSheet(const DrawingModel& model);

enum class PageFormat { kPdf, kSvg };

struct PaperMm {
  double width = 0, height = 0;
};

struct PageOptions {
  std::string title;             // names the drawing in the file
  std::string fontPath;          // stroke-font file; without it every character is the substitute square
  std::optional<PaperMm> paper;  // when set: the sheet scaled onto this paper (turned as the sheet is), centred
};

// Writes the page to `file`. std::runtime_error naming the file when it
// cannot be written.
void WriteDrawingPage(const DrawingModel& model, PageFormat format, const std::filesystem::path& file,
                      const PageOptions& options);

}  // namespace plamor::draw
