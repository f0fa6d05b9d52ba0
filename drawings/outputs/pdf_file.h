// A PDF file written page by page as the pages' content streams arrive
// (compressed, pdf_content.h): each page with its size as its media box and
// the document's layers it uses as optional content groups; the layers are
// listed in the catalog in their order, and the document information names
// the drawing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawings/sheet_geometry.h"

namespace plamor::drawings {

struct PdfInfo {
  std::string title;    // UTF-8
  std::string subject;  // UTF-8: the sheet and its scale
  std::int64_t created = 0;  // seconds since 1970, UTC
};

class PdfDocument {
 public:
  virtual ~PdfDocument() = default;
  // Begins a page of that size in points, drawn on the document's layers
  // `layers` (indexes into the document's list), whose content follows in
  // `streams` streams.
  virtual void BeginPage(double widthPt, double heightPt, const std::vector<int>& layers, int streams) = 0;
  // The next content stream of the page, Flate-compressed.
  virtual void AddContent(std::string_view flate) = 0;
  // Writes the page tree and the cross-reference table and closes the file;
  // std::runtime_error naming the file when it cannot be written.
  virtual void Close() = 0;
};

// A document without pages yet, with its layers' names in their order;
// std::runtime_error naming the file when it cannot be created.
std::unique_ptr<PdfDocument> CreatePdfDocument(const std::filesystem::path& path, const PdfInfo& info,
                                               const std::vector<std::string>& layers);

// The size of the first page of a PDF file this writer wrote (its media box
// lies in the first kilobytes), or nothing for any other file.
std::optional<PaperMm> ReadPdfPageSize(const std::filesystem::path& pdf);

// The PDF text string of a UTF-8 text: UTF-16BE with its byte-order mark, in hex.
std::string PdfTextString(const std::string& utf8);

// A PDF date of a time in seconds since 1970: (D:20261208192400+00'00').
std::string PdfDate(std::int64_t seconds);

}  // namespace plamor::drawings
