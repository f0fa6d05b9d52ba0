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

// Objects: 1 catalog, 2 page tree, then for every page its page object, its
// content stream and the stream's length; the document information last.
constexpr int kCatalog = 1, kPageTree = 2, kFirstPage = 3, kObjectsPerPage = 3;

class PdfFile final : public PdfDocument {
 public:
  PdfFile(const std::filesystem::path& path, const std::string& titleUtf8)
      : file_(path), title_(PdfTextString(titleUtf8)), offsets_(kFirstPage, 0) {
    file_.Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    BeginObject(kCatalog);
    file_.Put("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
  }

  void NewPage(double widthPt, double heightPt, double lineWidthPt) override {
    EndPage();
    const int page = BeginObject(int(offsets_.size()));
    pages_.push_back(page);
    file_.Put("<< /Type /Page /Parent 2 0 R ");
    file_.Put(kMediaBox);
    file_.Number(widthPt);
    file_.Put(' ');
    file_.Number(heightPt);
    file_.Put("] /Resources << >> /Contents " + std::to_string(page + 1) + " 0 R >>\nendobj\n");
    BeginObject(page + 1);
    file_.Put("<< /Length " + std::to_string(page + 2) + " 0 R >>\nstream\n");
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
    EndPage();
    BeginObject(kPageTree);
    file_.Put("<< /Type /Pages /Kids [");
    for (std::size_t i = 0; i < pages_.size(); ++i) file_.Put((i ? " " : "") + std::to_string(pages_[i]) + " 0 R");
    file_.Put("] /Count " + std::to_string(pages_.size()) + " >>\nendobj\n");
    const int info = BeginObject(int(offsets_.size()));
    file_.Put("<< /Title ");
    file_.Put(title_);
    file_.Put(" /Producer (plamor-draw) >>\nendobj\n");
    const std::uint64_t xref = file_.Offset();
    const std::string size = std::to_string(offsets_.size());
    file_.Put("xref\n0 " + size + "\n0000000000 65535 f \n");
    for (std::size_t i = 1; i < offsets_.size(); ++i) {
      char entry[32];
      std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[i]));
      file_.Put(entry);
    }
    file_.Put("trailer\n<< /Size " + size + " /Root 1 0 R /Info " + std::to_string(info) + " 0 R >>\nstartxref\n" +
              std::to_string(xref) + "\n%%EOF\n");
    file_.Close();
  }

 private:
  // Ends the open page's content stream and writes its length.
  void EndPage() {
    if (pages_.empty() || pageEnded_ == pages_.size()) return;
    pageEnded_ = pages_.size();
    const std::uint64_t length = file_.Offset() - streamStart_;
    file_.Put("endstream\nendobj\n");
    BeginObject(pages_.back() + 2);
    file_.Put(std::to_string(length));
    file_.Put("\nendobj\n");
  }

  // Objects are begun in the order of their numbers except the page tree,
  // whose number is kept from the start.
  int BeginObject(int number) {
    if (number >= int(offsets_.size())) offsets_.resize(std::size_t(number) + 1, 0);
    offsets_[std::size_t(number)] = file_.Offset();
    file_.Put(std::to_string(number));
    file_.Put(" 0 obj\n");
    return number;
  }

  void Point(DPoint p) {
    file_.Number(p.x);
    file_.Put(' ');
    file_.Number(p.y);
    file_.Put(' ');
  }

  PageFile file_;
  std::string title_;
  std::vector<std::uint64_t> offsets_;  // by object number; 0 is the free entry
  std::vector<int> pages_;              // the page objects' numbers
  std::size_t pageEnded_ = 0;
  std::uint64_t streamStart_ = 0;
};

}  // namespace

std::unique_ptr<PdfDocument> CreatePdfDocument(const std::filesystem::path& path, const std::string& titleUtf8) {
  return std::make_unique<PdfFile>(path, titleUtf8);
}

}  // namespace plamor::drawings
