#include "charts/tbunpu.h"

#include <QResizeEvent>

#include "charts/picture_box.h"

namespace plamor::charts {

TBunpu::TBunpu(QWidget* parent)
    : QWidget(parent), box_(new PictureBox(DesignedFont(), this)), chart_(box_->Picture()) {
  box_->Fit(size());
}

TBunpu::~TBunpu() = default;

float TBunpu::ScreenWidth() const { return ScreenWidthPoints(); }
float TBunpu::ScreenHeight() const { return ScreenHeightPoints(); }

void TBunpu::HQsakuga(std::int16_t NO) {
  box_->Fit(size());
  RepaintOnExit repaint(*box_);
  chart_.HQsakuga(NO);
}

void TBunpu::resizeEvent(QResizeEvent* event) {
  box_->Fit(event->size());
  QWidget::resizeEvent(event);
}

}  // namespace plamor::charts
