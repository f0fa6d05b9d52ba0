#include "charts/danmen.h"

#include <QResizeEvent>

#include "charts/picture_box.h"

namespace plamor::charts {

Danmen::Danmen(QWidget* parent)
    : QWidget(parent), box_(new PictureBox(DesignedFont(), this)), chart_(box_->Picture()) {
  box_->Fit(size());
}

Danmen::~Danmen() = default;

float Danmen::ScreenWidth() const { return ScreenWidthPoints(); }
float Danmen::ScreenHeight() const { return ScreenHeightPoints(); }

void Danmen::Redisp() {
  box_->Fit(size());
  RepaintOnExit repaint(*box_);
  chart_.Redisp();
}

void Danmen::SetData(const std::vector<std::string>& Data) {
  box_->Fit(size());
  RepaintOnExit repaint(*box_);
  chart_.SetData(Data);
}

void Danmen::DanmenZu(std::int32_t DataNo) {
  box_->Fit(size());
  RepaintOnExit repaint(*box_);
  chart_.DanmenZu(DataNo);
}

void Danmen::resizeEvent(QResizeEvent* event) {
  box_->Fit(event->size());
  QWidget::resizeEvent(event);
}

}  // namespace plamor::charts
