// A one-page SVG file written as the paths arrive: the page in millimetres,
// its user units points with y turned downward as SVG has it, one <path>
// per run of strokes of one pen.
#pragma once

#include <filesystem>
#include <string>

#include "drawings/outputs/page_file.h"
#include "graphic/vector_sink.h"

namespace plamor::drawings {

using graphic::DPoint;
using graphic::PathWriter;

class SvgFile final : public PathWriter {
 public:
  // std::runtime_error naming the file when it cannot be created.
  SvgFile(const std::filesystem::path& path, double widthMm, double heightMm, const std::string& titleUtf8,
          double lineWidthPt);

  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) override;
  void MoveTo(DPoint p) override;
  void LineTo(DPoint p) override;
  void CurveTo(DPoint c1, DPoint c2, DPoint p) override;
  void StrokePath() override;
  // Ends the document; std::runtime_error naming the file on failure.
  void Close();

 private:
  void Point(DPoint p);

  PageFile file_;
  double heightPt_;
  std::string stroke_;  // the attributes of the pen in force
  bool pathOpen_ = false;
};

// Text with the five XML special characters escaped.
std::string XmlEscaped(const std::string& text);

}  // namespace plamor::drawings
