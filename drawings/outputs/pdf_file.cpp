#include "drawings/outputs/pdf_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "platform/utf8.h"

namespace plamor::drawings {

namespace {

// How the page's size starts in the page object; the size in points follows.
constexpr std::string_view kMediaBox = "/MediaBox [0 0 ";

// Objects: 1 catalog, 2 page tree, 3 page, 4 content stream, 5 its length,
// 6 document information.
constexpr int kObjects = 6;

void AppendHex16(std::string& out, unsigned unit) {
  char text[5];
  std::snprintf(text, sizeof text, "%04X", unit & 0xFFFF);
  out += text;
}

}  // namespace

std::string PdfTextString(const std::string& utf8) {
  std::string hex = "<FEFF";
  for (char32_t code : utf8::CodePoints(utf8)) {
    if (code >= 0x10000) {
      code -= 0x10000;
      AppendHex16(hex, 0xD800 + (code >> 10));
      AppendHex16(hex, 0xDC00 + (code & 0x3FF));
    } else {
      AppendHex16(hex, code);
    }
  }
  return hex + ">";
}

std::optional<PaperMm> ReadPdfPageSize(const std::filesystem::path& pdf) {
  std::ifstream in(pdf, std::ios::binary);
  std::string head(16384, '\0');
  in.read(head.data(), std::streamsize(head.size()));
  head.resize(std::size_t(in.gcount()));
  const std::size_t at = head.find(kMediaBox);
  if (at == std::string::npos) return std::nullopt;
  const char* cursor = head.c_str() + at + kMediaBox.size();
  char* end = nullptr;
  const double width = std::strtod(cursor, &end);
  if (end == cursor) return std::nullopt;
  cursor = end;
  const double height = std::strtod(cursor, &end);
  if (end == cursor || *end != ']' || !(width > 0) || !(height > 0)) return std::nullopt;
  return PaperMm{width / kPointsPerMm, height / kPointsPerMm};
}

namespace {

using graphic::DPoint;

class PdfFile final : public VectorFile {
 public:
  PdfFile(const std::filesystem::path& path, double widthPt, double heightPt, const std::string& titleUtf8,
          double lineWidthPt)
      : file_(path), title_(PdfTextString(titleUtf8)) {
    file_.Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    BeginObject(1);
    file_.Put("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    BeginObject(2);
    file_.Put("<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n");
    BeginObject(3);
    file_.Put("<< /Type /Page /Parent 2 0 R ");
    file_.Put(kMediaBox);
    file_.Number(widthPt);
    file_.Put(' ');
    file_.Number(heightPt);
    file_.Put("] /Resources << >> /Contents 4 0 R >>\nendobj\n");
    BeginObject(4);
    file_.Put("<< /Length 5 0 R >>\nstream\n");
    streamStart_ = file_.Offset();
    file_.Number(lineWidthPt);
    file_.Put(" w 0 J 1 j\n");
  }

  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) override {
    file_.Number(r / 255.0);
    file_.Put(' ');
    file_.Number(g / 255.0);
    file_.Put(' ');
    file_.Number(b / 255.0);
    file_.Put(" RG [");
    for (std::size_t i = 0; i < dashes.size(); ++i) {
      if (i > 0) file_.Put(' ');
      file_.Number(dashes[i]);
    }
    file_.Put("] 0 d\n");
  }

  void MoveTo(DPoint p) override {
    Point(p);
    file_.Put("m\n");
  }

  void LineTo(DPoint p) override {
    Point(p);
    file_.Put("l\n");
  }

  void CurveTo(DPoint c1, DPoint c2, DPoint p) override {
    Point(c1);
    Point(c2);
    Point(p);
    file_.Put("c\n");
  }

  void StrokePath() override { file_.Put("S\n"); }

  void Close() override {
    const std::uint64_t length = file_.Offset() - streamStart_;
    file_.Put("endstream\nendobj\n");
    BeginObject(5);
    file_.Put(std::to_string(length));
    file_.Put("\nendobj\n");
    BeginObject(6);
    file_.Put("<< /Title ");
    file_.Put(title_);
    file_.Put(" /Producer (plamor-draw) >>\nendobj\n");
    const std::uint64_t xref = file_.Offset();
    file_.Put("xref\n0 " + std::to_string(kObjects + 1) + "\n0000000000 65535 f \n");
    for (int i = 1; i <= kObjects; ++i) {
      char entry[32];
      std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[i]));
      file_.Put(entry);
    }
    file_.Put("trailer\n<< /Size " + std::to_string(kObjects + 1) + " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" +
              std::to_string(xref) + "\n%%EOF\n");
    file_.Close();
  }

 private:
  void BeginObject(int number) {
    offsets_[number] = file_.Offset();
    file_.Put(std::to_string(number));
    file_.Put(" 0 obj\n");
  }

  void Point(DPoint p) {
    file_.Number(p.x);
    file_.Put(' ');
    file_.Number(p.y);
    file_.Put(' ');
  }

  PageFile file_;
  std::string title_;
  std::uint64_t offsets_[7] = {};
  std::uint64_t streamStart_ = 0;
};

}  // namespace

std::unique_ptr<VectorFile> CreatePdfFile(const std::filesystem::path& path, double widthPt, double heightPt,
                                          const std::string& titleUtf8, double lineWidthPt) {
  return std::make_unique<PdfFile>(path, widthPt, heightPt, titleUtf8, lineWidthPt);
}

}  // namespace plamor::drawings
