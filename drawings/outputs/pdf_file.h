// A PDF file written as the paths arrive: page by page, each page's content
// stream of stroke operators in points (y upward, origin at the page's lower
// left corner), with the page size as its media box.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "drawings/outputs/page_file.h"
#include "drawings/sheet_geometry.h"

namespace plamor::drawings {

class PdfDocument : public VectorFile {
 public:
  // Ends the page before (if any) and begins one of that size in points;
  // the paths that follow are drawn on it.
  virtual void NewPage(double widthPt, double heightPt, double lineWidthPt) = 0;
};

// A document without pages yet; std::runtime_error naming the file when it
// cannot be created. Close() ends the last page and writes the page tree,
// the document information and the cross-reference table.
std::unique_ptr<PdfDocument> CreatePdfDocument(const std::filesystem::path& path, const std::string& titleUtf8);

// The size of the first page of a PDF file this writer wrote (its media box
// lies in the first kilobytes), or nothing for any other file.
std::optional<PaperMm> ReadPdfPageSize(const std::filesystem::path& pdf);

// The PDF text string of a UTF-8 text: UTF-16BE with its byte-order mark, in hex.
std::string PdfTextString(const std::string& utf8);

}  // namespace plamor::drawings
