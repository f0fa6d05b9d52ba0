#include "apps/plamor_draw/relay/plamor_relay.h"

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
  WaitForOutput(*inner_);
  inner_->put_DXFOnly(dxfOnly);
}

void PlamorRelay::Clear() {
  // The hook sees the drawing's own run, before the copy's run follows it.
  if (hooks_.beforeClear) hooks_.beforeClear();
  if (!hooks_.copyTo.empty() && !strokeFont_.empty()) WriteCopy();
  inner_->Clear();
}

void PlamorRelay::OutPutPlamor(const std::string& MGLPath) {
  if (hooks_.beforeOutput) hooks_.beforeOutput(*inner_);
  if (hooks_.onOutput) hooks_.onOutput(elements_);
  strokeFont_ = MGLPath;
  inner_->OutPutPlamor(MGLPath);
}

void PlamorRelay::Counted() {
  ++elements_;
  if (hooks_.onElement) hooks_.onElement(elements_);
}

}  // namespace plamor::draw
