#include "apps/plamor_draw/plamor_relay.h"

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace plamor::draw {

void PlamorRelay::put_FileName(const std::string& v) {
  inner_->put_FileName(v.empty() && !hooks_.presetFileName.empty() ? hooks_.presetFileName : v);
}

void PlamorRelay::WriteCopy() {
  // A drawing meant for DXF only would be written as DXF whatever its name.
  const bool dxfOnly = inner_->get_DXFOnly();
  inner_->put_DXFOnly(false);
  inner_->put_FileName(hooks_.copyTo);
  inner_->OutPutPlamor(strokeFont_);
  while (inner_->get_IdolePlamorOutPut() && !inner_->get_Cancel()) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  inner_->put_DXFOnly(dxfOnly);
}

void PlamorRelay::Clear() {
  if (!hooks_.copyTo.empty() && !strokeFont_.empty()) WriteCopy();
  if (hooks_.beforeClear) hooks_.beforeClear();
  inner_->Clear();
}

void PlamorRelay::OutPutPlamor(const std::string& MGLPath) {
  if (hooks_.onOutput) hooks_.onOutput(elements_);
  strokeFont_ = MGLPath;
  inner_->OutPutPlamor(MGLPath);
}

void PlamorRelay::Counted() {
  ++elements_;
  if (hooks_.onElement) hooks_.onElement(elements_);
}

}  // namespace plamor::draw
