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
  if (originMoved_) keeping_ = false;  // the group is split: it cannot be written again as one
  CloseOrigin();
  stroke_.clear();
  AppendNumber(stroke_, r / 255.0);
  stroke_ += ' ';
  AppendNumber(stroke_, g / 255.0);
  stroke_ += ' ';
  AppendNumber(stroke_, b / 255.0);
  stroke_ += " RG [";
  for (std::size_t i = 0; i < dashes.size(); ++i) {
    if (i > 0) stroke_ += ' ';
    AppendNumber(stroke_, dashes[i]);
  }
  stroke_ += "] 0 d\n";
  out_ += stroke_;
}

void PdfContent::MoveTo(DPoint p) {
  if (placed_ && !originMoved_) {
    MoveOrigin(origin_);
    if (keeping_) keptFrom_ = out_.size();
  }
  Operation({p}, 'm');
}

void PdfContent::MoveOrigin(DPoint origin) {
  char text[2 * (kNumberChars + 1) + 16] = "q 1 0 0 1 ";
  char* at = WriteNumber(text + 10, origin.x);
  *at++ = ' ';
  at = WriteNumber(at, origin.y);
  for (char c : {' ', 'c', 'm', '\n'}) *at++ = c;
  out_.append(text, std::size_t(at - text));
  originMoved_ = true;
}

void PdfContent::LineTo(DPoint p) { Operation({p}, 'l'); }

void PdfContent::CurveTo(DPoint c1, DPoint c2, DPoint p) { Operation({c1, c2, p}, 'c'); }

void PdfContent::StrokePath() { out_ += "S\n"; }

void PdfContent::BeginPlaced(DPoint origin) {
  placed_ = true;
  origin_ = origin;
}

void PdfContent::EndPlaced() {
  if (keeping_ && originMoved_ && keptFrom_ != std::string::npos)
    kept_[keepKey_] = {stroke_, out_.substr(keptFrom_)};
  keeping_ = false;
  keptFrom_ = std::string::npos;
  CloseOrigin();
  placed_ = false;
}

void PdfContent::KeepPlaced(const std::string& key) {
  keeping_ = true;
  keepKey_ = key;
  keptFrom_ = std::string::npos;
}

bool PdfContent::RepeatPlaced(const std::string& key, DPoint origin) {
  const auto found = kept_.find(key);
  if (found == kept_.end() || found->second.stroke != stroke_) return false;
  MoveOrigin(origin);
  out_ += found->second.paths;
  CloseOrigin();
  return true;
}

void PdfContent::CloseOrigin() {
  if (!originMoved_) return;
  out_ += "Q\n";
  originMoved_ = false;
}

void PdfContent::Operation(std::initializer_list<DPoint> points, char op) {
  // The whole operation formatted at once and appended in one piece.
  char text[3 * 2 * (kNumberChars + 1) + 2];
  char* at = text;
  for (DPoint p : points) {
    // Inside a placed group the points are relative to the origin as given,
    // not as written: a text drawn again elsewhere writes the same numbers.
    if (originMoved_) p = {p.x - origin_.x, p.y - origin_.y};
    at = WriteNumber(at, p.x);
    *at++ = ' ';
    at = WriteNumber(at, p.y);
    *at++ = ' ';
  }
  *at++ = op;
  *at++ = '\n';
  out_.append(text, std::size_t(at - text));
}

FlateCompressor::FlateCompressor()
    // The fastest level: page content is numbers and operators, and the
    // higher levels buy a few per cent for twice the time.
    : compressor_(libdeflate_alloc_compressor(1), &libdeflate_free_compressor) {
  if (!compressor_) throw std::bad_alloc();
}

std::string FlateCompressor::Compressed(std::string_view data) {
  // Room for the worst case, kept from piece to piece (it grows, it is not
  // cleared); what is handed on is the compressed bytes alone.
  const std::size_t room = libdeflate_zlib_compress_bound(compressor_.get(), data.size());
  if (room_.size() < room) room_.resize(room);
  const std::size_t size = libdeflate_zlib_compress(compressor_.get(), data.data(), data.size(), room_.data(), room);
  return std::string(room_.data(), size);
}

}  // namespace plamor::drawings
