#include "server/qt/preview_picture.h"

#include <QPainter>

#include "platform/device_context.h"

namespace plamor {

PreviewPicture::PreviewPicture(const PlamorDeviceContext& surface, int zoom, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setFixedSize(surface.Width() * zoom, surface.Height() * zoom);
}

QImage PreviewPicture::SurfaceImage() const {
  QImage image(surface_.Width(), surface_.Height(), QImage::Format_RGB32);
  const auto& pixels = surface_.Pixels();
  for (int y = 0; y < surface_.Height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < surface_.Width(); ++x) {
      const ColorRef c = pixels[static_cast<std::size_t>(y) * surface_.Width() + x];
      row[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    }
  }
  return image;
}

void PreviewPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), SurfaceImage().scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace plamor
