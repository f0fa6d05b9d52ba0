#include "drawings/outputs/svg_file.h"

#include <cstdio>

namespace plamor::drawings {

namespace {
constexpr double kPointsPerMm = 72 / 25.4;
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

SvgFile::SvgFile(const std::filesystem::path& path, double widthMm, double heightMm, const std::string& titleUtf8,
                 double lineWidthPt)
    : file_(path), heightPt_(heightMm * kPointsPerMm) {
  file_.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
  file_.Number(widthMm);
  file_.Put("mm\" height=\"");
  file_.Number(heightMm);
  file_.Put("mm\" viewBox=\"0 0 ");
  file_.Number(widthMm * kPointsPerMm);
  file_.Put(' ');
  file_.Number(heightPt_);
  file_.Put("\">\n<title>" + XmlEscaped(titleUtf8) + "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  file_.Put("<g fill=\"none\" stroke-width=\"");
  file_.Number(lineWidthPt);
  file_.Put("\" stroke-linecap=\"butt\" stroke-linejoin=\"round\">\n");
}

void SvgFile::SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) {
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%02x%02x%02x", r, g, b);
  stroke_ = std::string("<path stroke=\"") + colour + "\"";
  if (!dashes.empty()) {
    stroke_ += " stroke-dasharray=\"";
    for (std::size_t i = 0; i < dashes.size(); ++i) {
      char length[32];
      std::snprintf(length, sizeof length, i > 0 ? " %.2f" : "%.2f", dashes[i]);
      stroke_ += length;
    }
    stroke_ += "\"";
  }
  stroke_ += " d=\"";
}

void SvgFile::Point(DPoint p) {
  file_.Number(p.x);
  file_.Put(' ');
  file_.Number(heightPt_ - p.y);
}

void SvgFile::MoveTo(DPoint p) {
  if (!pathOpen_) {
    file_.Put(stroke_);
    pathOpen_ = true;
  } else {
    file_.Put(' ');
  }
  file_.Put('M');
  Point(p);
}

void SvgFile::LineTo(DPoint p) {
  file_.Put(" L");
  Point(p);
}

void SvgFile::CurveTo(DPoint c1, DPoint c2, DPoint p) {
  file_.Put(" C");
  Point(c1);
  file_.Put(' ');
  Point(c2);
  file_.Put(' ');
  Point(p);
}

void SvgFile::StrokePath() {
  if (!pathOpen_) return;
  file_.Put("\"/>\n");
  pathOpen_ = false;
}

void SvgFile::Close() {
  StrokePath();
  file_.Put("</g>\n</svg>\n");
  file_.Close();
}

}  // namespace plamor::drawings
