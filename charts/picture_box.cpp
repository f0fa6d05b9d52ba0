#include "charts/picture_box.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

namespace plamor::charts {

PictureBox::PictureBox(PictureFont font, QWidget* parent)
    : QWidget(parent), picture_(width(), height(), std::move(font)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), picture_.Image(), event->rect());
}

void PictureBox::Fit(QSize size) {
  setGeometry(0, 0, size.width(), size.height());
  if (picture_.ScaleWidth() != size.width() || picture_.ScaleHeight() != size.height())
    picture_.Resize(size.width(), size.height());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  if (picture_.ScaleWidth() != event->size().width() || picture_.ScaleHeight() != event->size().height())
    picture_.Resize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

namespace {

// Twips per pixel times 0.05 gives points per pixel.
float PointsPerPixel(const QScreen& screen) {
  const double dpi = screen.logicalDotsPerInch();
  return dpi > 0 ? static_cast<float>(1440.0 / dpi * 0.05) : 0.0f;
}

}  // namespace

float ScreenWidthPoints() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<float>(screen->size().width()) * PointsPerPixel(*screen) : 0.0f;
}

float ScreenHeightPoints() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<float>(screen->size().height()) * PointsPerPixel(*screen) : 0.0f;
}

}  // namespace plamor::charts
