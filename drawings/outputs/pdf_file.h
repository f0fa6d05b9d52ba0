// A one-page PDF file written as the paths arrive: the page's content
// stream of stroke operators in points (y upward, origin at the page's
// lower left corner), with the page size as its media box.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "drawings/outputs/page_file.h"
#include "drawings/sheet_geometry.h"
#include "graphic/vector_sink.h"

namespace plamor::drawings {

using graphic::DPoint;
using graphic::PathWriter;

class PdfFile final : public PathWriter {
 public:
  // std::runtime_error naming the file when it cannot be created.
  PdfFile(const std::filesystem::path& path, double widthPt, double heightPt, const std::string& titleUtf8,
          double lineWidthPt);

  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) override;
  void MoveTo(DPoint p) override;
  void LineTo(DPoint p) override;
  void CurveTo(DPoint c1, DPoint c2, DPoint p) override;
  void StrokePath() override;
  // Ends the content stream and writes the objects after it and the
  // cross-reference table; std::runtime_error naming the file on failure.
  void Close();

 private:
  void Point(DPoint p);
  void BeginObject(int number);

  PageFile file_;
  std::string title_;
  std::uint64_t offsets_[7] = {};
  std::uint64_t streamStart_ = 0;
};

// The size of the first page of a PDF file this writer wrote (its media box
// lies in the first kilobytes), or nothing for any other file.
std::optional<PaperMm> ReadPdfPageSize(const std::filesystem::path& pdf);

// The PDF text string of a UTF-8 text: UTF-16BE with its byte-order mark, in hex.
std::string PdfTextString(const std::string& utf8);

}  // namespace plamor::drawings
