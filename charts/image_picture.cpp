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

void ImagePicture::DoResize(int width, int height) {
  QImage larger = BlankImage(width, height, BackColor());
  QPainter painter(&larger);
  painter.drawImage(0, 0, image_);
  painter.end();
  image_ = std::move(larger);
}

void ImagePicture::DoErase(Rgb color) { image_.fill(ToQColor(color)); }

void ImagePicture::DoLine(double x1, double y1, double x2, double y2, const PicturePen& pen) {
  QPainter painter(&image_);
  painter.setPen(ToQPen(pen));
  painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void ImagePicture::DoBox(double x1, double y1, double x2, double y2, const PicturePen& pen) {
  QPainter painter(&image_);
  painter.setPen(ToQPen(pen));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void ImagePicture::DoCircle(double x, double y, double radius, const PicturePen& pen) {
  QPainter painter(&image_);
  painter.setPen(ToQPen(pen));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(x, y), radius, radius);
}

void ImagePicture::DoPrint(double x, double y, const std::string& text, Rgb color, const PictureFont& font) {
  QFont qfont;
  qfont.setFamilies({QString::fromStdString(SystemFontFamily(font.name)), QString::fromLatin1(kFallbackFontFamily)});
  qfont.setPixelSize(std::max(1, static_cast<int>(font.size * kPixelsPerPoint + 0.5)));
  qfont.setBold(font.bold);
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(qfont);
  painter.setPen(ToQColor(color));
  painter.drawText(QPointF(x, y + QFontMetricsF(qfont).ascent()), QString::fromStdString(text));
}

}  // namespace plamor::charts
