// A drawing read from one of our files as a vector page (PDF or SVG) at true
// size: one page of the sheet's size, drawing units mapped by the sheet's
// scale, drawn by the preview renderer's element drawing with true curves,
// dash patterns at each element's pitch, pens in their display colours on
// white paper (the white pen black). Pen 0 is not drawn; pens beyond 7 are
// drawn as pen 7, as the writers write them. Every layer is a layer of the
// file (page_drawing.h); the PDF's content is compressed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <thread>
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
  unsigned jobs = std::thread::hardware_concurrency();  // PDF: pieces of content drawn at once (0 as 1)
  // PDF: the creation time, seconds since 1970; without it SOURCE_DATE_EPOCH, else now.
  std::optional<std::int64_t> created;
  // PDF: the document's subject; without it the sheet's paper and scale
  // ("A3 landscape 1:500"). Sheets laid out in paper millimetres at several
  // scales name theirs here.
  std::optional<std::string> subject;
};

// Writes the page to `file`. std::runtime_error naming the file when it
// cannot be written.
void WriteDrawingPage(const DrawingModel& model, PageFormat format, const std::filesystem::path& file,
                      const PageOptions& options);

// Writes one PDF file with a page for each drawing, in order, each page of
// its own sheet's size (or onto the paper). The pages' content is drawn and
// compressed in pieces by `jobs` threads and written in order. The
// document's layers are those of all pages, by name; its subject names the
// first page's sheet and scale. std::invalid_argument for no drawings;
// std::runtime_error naming the file when it cannot be written.
void WritePdfPages(const std::vector<DrawingModel>& pages, const std::filesystem::path& file,
                   const PageOptions& options);

}  // namespace plamor::drawings
