#include "charts/danmen.h"

#include <QResizeEvent>

#include "charts/picture_box.h"

namespace plamor::charts {

Danmen::Danmen(QWidget* parent)
    : QWidget(parent), box_(new PictureBox(DesignedFont(), this)), chart_(box_->Picture()) {
  box_->setGeometry(rect());
}

Danmen::~Danmen() = default;

float Danmen::ScreenWidth() const { return ScreenWidthPoints(); }
float Danmen::ScreenHeight() const { return ScreenHeightPoints(); }

void Danmen::Redisp() {
  RepaintOnExit repaint(*box_);
  chart_.Redisp();
}

void Danmen::SetData(const std::vector<std::string>& Data) {
  RepaintOnExit repaint(*box_);
  chart_.SetData(Data);
}

void Danmen::DanmenZu(std::int32_t DataNo) {
  RepaintOnExit repaint(*box_);
  chart_.DanmenZu(DataNo);
}

void Danmen::resizeEvent(QResizeEvent* event) {
  box_->setGeometry(0, 0, event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

}  // namespace plamor::charts
