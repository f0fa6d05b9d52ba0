#include "charts/recording_picture.h"

#include <charconv>
#include <cstdio>

namespace plamor::charts {

std::string CoordinateText(double value) {
  if (value == 0) value = 0;  // no "-0"
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string ColorText(Rgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

namespace {

std::string PointText(double x, double y) { return "(" + CoordinateText(x) + "," + CoordinateText(y) + ")"; }

std::string PenText(const PicturePen& pen) {
  return ColorText(pen.color) + " w" + std::to_string(pen.width) + (pen.style == DrawStyle::kDot ? " dot" : " solid");
}

}  // namespace

std::string PictureOp::ToString() const {
  switch (kind) {
    case Kind::kErase: return "erase " + ColorText(pen.color);
    case Kind::kResize: return "resize " + CoordinateText(x1) + "x" + CoordinateText(y1);
    case Kind::kLine: return "line " + PointText(x1, y1) + "-" + PointText(x2, y2) + " " + PenText(pen);
    case Kind::kBox: return "box " + PointText(x1, y1) + "-" + PointText(x2, y2) + " " + PenText(pen);
    case Kind::kCircle: return "circle " + PointText(x1, y1) + " r" + CoordinateText(radius) + " " + PenText(pen);
    case Kind::kPrint:
      return "print " + PointText(x1, y1) + " " + ColorText(pen.color) + " \"" + text + "\" [" + font.name + " " +
             CoordinateText(font.size) + (font.bold ? " bold]" : "]");
  }
  return {};
}

RecordingPicture::RecordingPicture(int width, int height, PictureFont font) : Picture(width, height, std::move(font)) {}

std::vector<std::string> RecordingPicture::OpTexts() const {
  std::vector<std::string> texts;
  texts.reserve(ops_.size());
  for (const auto& op : ops_) texts.push_back(op.ToString());
  return texts;
}

}  // namespace plamor::charts
