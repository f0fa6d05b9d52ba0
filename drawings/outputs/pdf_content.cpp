#include "drawings/outputs/pdf_content.h"

#include <libdeflate.h>

#include <memory>
#include <new>

namespace plamor::drawings {

using graphic::DPoint;

PdfContent::PdfContent(std::string& out, bool firstOfPage, double lineWidthPt) : out_(out) {
  if (!firstOfPage) return;
  AppendNumber(out_, lineWidthPt);
  out_ += " w 0 J 1 j\n";
}

void PdfContent::BeginLayer(int index, const std::string& /*name*/) {
  out_ += "/OC /oc" + std::to_string(index) + " BDC\n";
}

void PdfContent::EndLayer() { out_ += "EMC\n"; }

void PdfContent::SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) {
  CloseOrigin();
  AppendNumber(out_, r / 255.0);
  out_ += ' ';
  AppendNumber(out_, g / 255.0);
  out_ += ' ';
  AppendNumber(out_, b / 255.0);
  out_ += " RG [";
  for (std::size_t i = 0; i < dashes.size(); ++i) {
    if (i > 0) out_ += ' ';
    AppendNumber(out_, dashes[i]);
  }
  out_ += "] 0 d\n";
}

void PdfContent::MoveTo(DPoint p) {
  if (placed_ && !originMoved_) {
    out_ += "q 1 0 0 1 ";
    AppendNumber(out_, origin_.x);
    out_ += ' ';
    AppendNumber(out_, origin_.y);
    out_ += " cm\n";
    originMoved_ = true;
  }
  Point(p);
  out_ += "m\n";
}

void PdfContent::LineTo(DPoint p) {
  Point(p);
  out_ += "l\n";
}

void PdfContent::CurveTo(DPoint c1, DPoint c2, DPoint p) {
  Point(c1);
  Point(c2);
  Point(p);
  out_ += "c\n";
}

void PdfContent::StrokePath() { out_ += "S\n"; }

void PdfContent::BeginPlaced(DPoint origin) {
  placed_ = true;
  origin_ = origin;
}

void PdfContent::EndPlaced() {
  CloseOrigin();
  placed_ = false;
}

void PdfContent::CloseOrigin() {
  if (!originMoved_) return;
  out_ += "Q\n";
  originMoved_ = false;
}

void PdfContent::Point(DPoint p) {
  // Inside a placed group the points are relative to the origin as given,
  // not as written: a text drawn again elsewhere writes the same numbers.
  if (originMoved_) p = {p.x - origin_.x, p.y - origin_.y};
  AppendNumber(out_, p.x);
  out_ += ' ';
  AppendNumber(out_, p.y);
  out_ += ' ';
}

std::string FlateCompressed(std::string_view data) {
  // The fastest level: page content is numbers and operators, and the
  // higher levels buy a few per cent for twice the time.
  constexpr int kLevel = 1;
  const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
      libdeflate_alloc_compressor(kLevel), &libdeflate_free_compressor);
  if (!compressor) throw std::bad_alloc();
  std::string out(libdeflate_zlib_compress_bound(compressor.get(), data.size()), '\0');
  out.resize(libdeflate_zlib_compress(compressor.get(), data.data(), data.size(), out.data(), out.size()));
  return out;
}

}  // namespace plamor::drawings
