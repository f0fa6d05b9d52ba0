// The content of a PDF page drawn into memory, a piece at a time: stroke
// operators in points (y upward, origin at the page's lower left corner),
// each layer a marked sequence of its optional content group (/OC /ocN),
// each text written relative to its base point; then compressed as a Flate
// stream. Pieces of one page are independent and can be drawn at once.
#pragma once

#include <string>
#include <string_view>

#include "drawings/outputs/page_file.h"

namespace plamor::drawings {

class PdfContent final : public LayeredPage {
 public:
  // The page's first piece sets the line width and the caps and joins.
  PdfContent(std::string& out, bool firstOfPage, double lineWidthPt);

  void BeginLayer(int index, const std::string& name) override;
  void EndLayer() override;
  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) override;
  void MoveTo(graphic::DPoint p) override;
  void LineTo(graphic::DPoint p) override;
  void CurveTo(graphic::DPoint c1, graphic::DPoint c2, graphic::DPoint p) override;
  void StrokePath() override;
  void BeginPlaced(graphic::DPoint origin) override;
  void EndPlaced() override;

 private:
  void Point(graphic::DPoint p);
  void CloseOrigin();

  std::string& out_;
  // A placed group moves the origin (q ... cm) with its first path, and
  // back (Q) before a stroke is set and at its end, so that colours and
  // dashes are always set outside it.
  bool placed_ = false, originMoved_ = false;
  graphic::DPoint origin_;
};

// The data compressed as the body of a Flate stream (zlib format).
std::string FlateCompressed(std::string_view data);

}  // namespace plamor::drawings
