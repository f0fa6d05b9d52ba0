#include "drawings/outputs/svg_file.h"

#include <cstdio>

#include "drawings/sheet_geometry.h"

namespace plamor::drawings {

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

namespace {

using graphic::DPoint;

class SvgFile final : public VectorFile {
 public:
  SvgFile(const std::filesystem::path& path, double widthMm, double heightMm, const std::string& titleUtf8,
          double lineWidthPt)
      : file_(path), heightPt_(heightMm * kPointsPerMm) {
    file_.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"");
    file_.Number(widthMm);
    file_.Put("mm\" height=\"");
    file_.Number(heightMm);
    file_.Put("mm\" viewBox=\"0 0 ");
    file_.Number(widthMm * kPointsPerMm);
    file_.Put(' ');
    file_.Number(heightPt_);
    file_.Put("\">\n<title>" + XmlEscaped(titleUtf8) + "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
    std::string width;
    AppendNumber(width, lineWidthPt);
    layerStyle_ = "\" fill=\"none\" stroke-width=\"" + width + "\" stroke-linecap=\"butt\" stroke-linejoin=\"round\">\n";
  }

  // Inkscape's layers are groups at the top of the drawing.
  void BeginLayer(int index, const std::string& name) override {
    file_.Put("<g inkscape:groupmode=\"layer\" id=\"layer" + std::to_string(index) + "\" inkscape:label=\"" +
              XmlEscaped(name) + layerStyle_);
  }

  void EndLayer() override {
    EndPath();
    file_.Put("</g>\n");
  }

  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) override {
    EndPath();
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

  void MoveTo(DPoint p) override {
    if (!pathOpen_) {
      file_.Put(stroke_);
      pathOpen_ = true;
    } else {
      file_.Put(' ');
    }
    file_.Put('M');
    Point(p);
  }

  void LineTo(DPoint p) override {
    file_.Put(" L");
    Point(p);
  }

  void CurveTo(DPoint c1, DPoint c2, DPoint p) override {
    file_.Put(" C");
    Point(c1);
    file_.Put(' ');
    Point(c2);
    file_.Put(' ');
    Point(p);
  }

  // The pen's paths go on in the same element, each its own subpath.
  void StrokePath() override {}

  void Close() override {
    EndPath();
    file_.Put("</svg>\n");
    file_.Close();
  }

 private:
  void EndPath() {
    if (!pathOpen_) return;
    file_.Put("\"/>\n");
    pathOpen_ = false;
  }

  void Point(DPoint p) {
    file_.Number(p.x);
    file_.Put(' ');
    file_.Number(heightPt_ - p.y);
  }

  PageFile file_;
  double heightPt_;
  std::string layerStyle_;  // the end of a layer's start tag: how its paths are stroked
  std::string stroke_;      // the attributes of the pen in force
  bool pathOpen_ = false;
};

}  // namespace

std::unique_ptr<VectorFile> CreateSvgFile(const std::filesystem::path& path, double widthMm, double heightMm,
                                          const std::string& titleUtf8, double lineWidthPt) {
  return std::make_unique<SvgFile>(path, widthMm, heightMm, titleUtf8, lineWidthPt);
}

}  // namespace plamor::drawings
