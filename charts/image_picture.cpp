#include "charts/image_picture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "charts/font_map.h"

namespace plamor::charts {
namespace {

// Fonts are sized for a screen of 96 pixels per inch, the pixel the chart
// layouts are made for.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

QColor ToQColor(Rgb color) { return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF); }

QPen ToQPen(const PicturePen& pen) {
  QPen qpen(ToQColor(pen.color));
  qpen.setWidth(pen.width);
  if (pen.style == DrawStyle::kDot) qpen.setDashPattern({1.0, 2.0});
  qpen.setCapStyle(Qt::FlatCap);
  return qpen;
}

QImage BlankImage(int width, int height, Rgb back) {
  QImage image(width < 1 ? 1 : width, height < 1 ? 1 : height, QImage::Format_RGB32);
  image.fill(ToQColor(back));
  return image;
}

}  // namespace

ImagePicture::ImagePicture(int width, int height, PictureFont font)
    : Picture(width, height, std::move(font)), image_(BlankImage(width, height, BackColor())) {}

bool ImagePicture::SavePng(const std::string& path) const { return image_.save(QString::fromStdString(path), "PNG"); }

void ImagePicture::Draw(const PictureOp& op) {
  switch (op.kind) {
    case PictureOp::Kind::kResize: Grow(static_cast<int>(op.x1), static_cast<int>(op.y1)); break;
    case PictureOp::Kind::kErase: Fill(op.pen.color); break;
    case PictureOp::Kind::kLine:
    case PictureOp::Kind::kBox:
    case PictureOp::Kind::kCircle: Stroke(op); break;
    case PictureOp::Kind::kPrint: Text(op); break;
  }
}

void ImagePicture::Grow(int width, int height) {
  QImage larger = BlankImage(width, height, BackColor());
  QPainter painter(&larger);
  painter.drawImage(0, 0, image_);
  painter.end();
  image_ = std::move(larger);
}

void ImagePicture::Fill(Rgb color) { image_.fill(ToQColor(color)); }

void ImagePicture::Stroke(const PictureOp& op) {
  QPainter painter(&image_);
  painter.setPen(ToQPen(op.pen));
  painter.setBrush(Qt::NoBrush);
  if (op.kind == PictureOp::Kind::kLine) {
    painter.drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
  } else if (op.kind == PictureOp::Kind::kBox) {
    painter.drawRect(QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized());
  } else {
    painter.drawEllipse(QPointF(op.x1, op.y1), op.radius, op.radius);
  }
}

void ImagePicture::Text(const PictureOp& op) {
  QFont qfont;
  qfont.setFamilies({QString::fromStdString(SystemFontFamily(op.font.name)), QString::fromLatin1(kFallbackFontFamily)});
  qfont.setPixelSize(std::max(1, static_cast<int>(op.font.size * kPixelsPerPoint + 0.5)));
  qfont.setBold(op.font.bold);
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(qfont);
  painter.setPen(ToQColor(op.pen.color));
  painter.drawText(QPointF(op.x1, op.y1 + QFontMetricsF(qfont).ascent()), QString::fromStdString(op.text));
}

}  // namespace plamor::charts
