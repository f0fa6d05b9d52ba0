// A one-page PDF file written as the paths arrive: the page's content
// stream of stroke operators in points (y upward, origin at the page's
// lower left corner), with the page size as its media box.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "drawings/outputs/page_file.h"
#include "drawings/sheet_geometry.h"

namespace plamor::drawings {

// The page of that size in points; std::runtime_error naming the file when
// it cannot be created. Close() ends the content stream and writes the
// objects after it and the cross-reference table.
std::unique_ptr<VectorFile> CreatePdfFile(const std::filesystem::path& path, double widthPt, double heightPt,
                                          const std::string& titleUtf8, double lineWidthPt);

// The size of the first page of a PDF file this writer wrote (its media box
// lies in the first kilobytes), or nothing for any other file.
std::optional<PaperMm> ReadPdfPageSize(const std::filesystem::path& pdf);

// The PDF text string of a UTF-8 text: UTF-16BE with its byte-order mark, in hex.
std::string PdfTextString(const std::string& utf8);

}  // namespace plamor::drawings
