// A drawing read from one of our files as a vector page (PDF or SVG) at true
// size: one page of the sheet's size, drawing units mapped by the sheet's
// scale, drawn by the preview renderer's element drawing with true curves,
// dash patterns at each element's pitch, pens in their display colours on
// white paper (the white pen black). Pen 0 is not drawn; pens beyond 7 are
// drawn as pen 7, as the writers write them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "drawings/drawing_model.h"
#include "drawings/sheet_geometry.h"

namespace plamor::drawings {

enum class PageFormat { kPdf, kSvg };

struct PageOptions {
  std::string title;             // names the drawing in the file
  std::string fontPath;          // stroke-font file; without it every character is the substitute square
  std::optional<PaperMm> paper;  // when set: the sheet scaled onto this paper (turned as the sheet is), centred
};

// Writes the page to `file`. std::runtime_error naming the file when it
// cannot be written.
void WriteDrawingPage(const DrawingModel& model, PageFormat format, const std::filesystem::path& file,
                      const PageOptions& options);

// Writes one PDF file with a page for each drawing, in order, each page of
// its own sheet's size (or onto the paper). std::invalid_argument for no
// drawings; std::runtime_error naming the file when it cannot be written.
void WritePdfPages(const std::vector<DrawingModel>& pages, const std::filesystem::path& file,
                   const PageOptions& options);

}  // namespace plamor::drawings
