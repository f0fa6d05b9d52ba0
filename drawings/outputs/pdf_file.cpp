#include "drawings/outputs/pdf_file.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string_view>

#include "drawings/outputs/page_file.h"
#include "platform/time_text.h"
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

std::string PdfDate(std::int64_t seconds) {
  return TimeText(std::time_t(seconds), "(D:%Y%m%d%H%M%S+00'00')", Clock::kUniversal);
}

namespace {

// Objects: 1 catalog, 2 page tree, 3 document information, then the
// layers' groups, then every page followed by its content streams.
constexpr int kCatalog = 1, kPageTree = 2, kInfo = 3, kFirstLayer = 4;

std::string Reference(int object) { return std::to_string(object) + " 0 R"; }

class PdfFile final : public PdfDocument {
 public:
  PdfFile(const std::filesystem::path& path, const PdfInfo& info, const std::vector<std::string>& layers)
      : file_(path) {
    file_.Put("%PDF-1.5\n%\xE2\xE3\xCF\xD3\n");
    std::string groups;
    for (std::size_t i = 0; i < layers.size(); ++i) groups += (i ? " " : "") + Reference(kFirstLayer + int(i));
    BeginObject(kCatalog);
    file_.Put("<< /Type /Catalog /Pages " + Reference(kPageTree));
    if (!layers.empty()) file_.Put(" /OCProperties << /OCGs [" + groups + "] /D << /Order [" + groups + "] >> >>");
    file_.Put(" >>\nendobj\n");
    BeginObject(kInfo);
    file_.Put("<< /Title " + PdfTextString(info.title) + " /Subject " + PdfTextString(info.subject) +
              " /Producer (plamor-draw) /CreationDate " + PdfDate(info.created) + " >>\nendobj\n");
    for (std::size_t i = 0; i < layers.size(); ++i) {
      BeginObject(kFirstLayer + int(i));
      file_.Put("<< /Type /OCG /Name " + PdfTextString(layers[i]) + " >>\nendobj\n");
    }
  }

  void BeginPage(double widthPt, double heightPt, const std::vector<int>& layers, int streams) override {
    const int page = BeginObject(int(offsets_.size()));
    pages_.push_back(page);
    file_.Put("<< /Type /Page /Parent " + Reference(kPageTree) + ' ');
    file_.Put(kMediaBox);
    file_.Number(widthPt);
    file_.Put(' ');
    file_.Number(heightPt);
    file_.Put("] /Resources << /Properties <<");
    for (int layer : layers) file_.Put(" /oc" + std::to_string(layer) + ' ' + Reference(kFirstLayer + layer));
    file_.Put(" >> >> /Contents [");
    for (int i = 0; i < streams; ++i) file_.Put((i ? " " : "") + Reference(page + 1 + i));
    file_.Put("] >>\nendobj\n");
  }

  void AddContent(std::string_view flate) override {
    BeginObject(int(offsets_.size()));
    file_.Put("<< /Length " + std::to_string(flate.size()) + " /Filter /FlateDecode >>\nstream\n");
    file_.Put(flate);
    file_.Put("\nendstream\nendobj\n");
  }

  void Close() override {
    BeginObject(kPageTree);
    file_.Put("<< /Type /Pages /Kids [");
    for (std::size_t i = 0; i < pages_.size(); ++i) file_.Put((i ? " " : "") + Reference(pages_[i]));
    file_.Put("] /Count " + std::to_string(pages_.size()) + " >>\nendobj\n");
    const std::uint64_t xref = file_.Offset();
    const std::string size = std::to_string(offsets_.size());
    file_.Put("xref\n0 " + size + "\n0000000000 65535 f \n");
    for (std::size_t i = 1; i < offsets_.size(); ++i) {
      char entry[32];
      std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[i]));
      file_.Put(entry);
    }
    file_.Put("trailer\n<< /Size " + size + " /Root " + Reference(kCatalog) + " /Info " + Reference(kInfo) +
              " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
    file_.Close();
  }

 private:
  // Objects are begun in the order of their numbers except the page tree,
  // whose number is kept from the start.
  int BeginObject(int number) {
    if (number >= int(offsets_.size())) offsets_.resize(std::size_t(number) + 1, 0);
    offsets_[std::size_t(number)] = file_.Offset();
    file_.Put(std::to_string(number));
    file_.Put(" 0 obj\n");
    return number;
  }

  PageFile file_;
  std::vector<std::uint64_t> offsets_ = std::vector<std::uint64_t>(kFirstLayer, 0);  // by object number; 0 is the free entry
  std::vector<int> pages_;  // the page objects' numbers
};

}  // namespace

std::unique_ptr<PdfDocument> CreatePdfDocument(const std::filesystem::path& path, const PdfInfo& info,
                                               const std::vector<std::string>& layers) {
  return std::make_unique<PdfFile>(path, info, layers);
}

}  // namespace plamor::drawings
