#include "apps/plamor_draw/plamor_relay.h"

namespace plamor::draw {

void PlamorRelay::put_FileName(const std::string& v) {
  inner_->put_FileName(v.empty() && !hooks_.presetFileName.empty() ? hooks_.presetFileName : v);
}

void PlamorRelay::Clear() {
  if (hooks_.beforeClear) hooks_.beforeClear();
  inner_->Clear();
}

void PlamorRelay::OutPutPlamor(const std::string& MGLPath) {
  if (hooks_.onOutput) hooks_.onOutput(elements_);
  inner_->OutPutPlamor(MGLPath);
}

void PlamorRelay::Counted() {
  ++elements_;
  if (hooks_.onElement) hooks_.onElement(elements_);
}

}  // namespace plamor::draw
