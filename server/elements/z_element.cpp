#include "server/elements/z_element.h"

#include "server/elements/pen.h"

namespace plamor {

clsPen clsZElement::pen() {
  hasPen_ = true;
  clsPen p;
  p.SetNo(penNo_);
  return p;
}

void clsZElement::SetPen(std::int32_t number) {
  hasPen_ = true;
  penNo_ = number;
}

void clsZElement::SetPen(const clsPen& pen) { SetPen(pen.No()); }

}  // namespace plamor
