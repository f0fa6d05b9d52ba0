#include "charts/picture.h"

#include <array>

#include "charts/host_error.h"

namespace plamor::charts {

Rgb QBColor(int index) {
  static constexpr std::array<Rgb, 16> palette = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
  };
  if (index < 0 || index > 15) throw HostError(kInvalidCall, "colour index " + std::to_string(index) + " is outside 0..15");
  return palette[static_cast<std::size_t>(index)];
}

Picture::Picture(int width, int height, PictureFont font)
    : width_(width < 0 ? 0 : width), height_(height < 0 ? 0 : height), font_(std::move(font)) {}

void Picture::Resize(int width, int height) {
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  PictureOp op;
  op.kind = PictureOp::Kind::kResize;
  op.x1 = width_;
  op.y1 = height_;
  Draw(op);
}

void Picture::SetBackColor(Rgb color) {
  backColor_ = color;
  Erase(color);
}

void Picture::Cls() {
  Erase(backColor_);
  currentX_ = currentY_ = 0;
}

void Picture::Erase(Rgb color) {
  PictureOp op;
  op.kind = PictureOp::Kind::kErase;
  op.pen.color = color;
  Draw(op);
}

PicturePen Picture::WithColor(Rgb color) const {
  PicturePen pen = pen_;
  pen.color = color;
  return pen;
}

void Picture::Line(double x1, double y1, double x2, double y2, Rgb color) {
  Draw({PictureOp::Kind::kLine, x1, y1, x2, y2, 0, WithColor(color), {}, {}});
  currentX_ = x2;
  currentY_ = y2;
}

void Picture::Box(double x1, double y1, double x2, double y2, Rgb color) {
  Draw({PictureOp::Kind::kBox, x1, y1, x2, y2, 0, WithColor(color), {}, {}});
  currentX_ = x2;
  currentY_ = y2;
}

void Picture::Circle(double x, double y, double radius, Rgb color) {
  Draw({PictureOp::Kind::kCircle, x, y, 0, 0, radius, WithColor(color), {}, {}});
  currentX_ = x;
  currentY_ = y;
}

void Picture::Print(const std::string& text) {
  PicturePen pen;
  pen.color = pen_.color;
  Draw({PictureOp::Kind::kPrint, currentX_, currentY_, 0, 0, 0, pen, text, font_});
}

void Picture::PrintAt(double x, double y, const std::string& text) {
  currentX_ = x;
  currentY_ = y;
  Print(text);
}

}  // namespace plamor::charts
