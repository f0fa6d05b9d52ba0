#include "server/elements/z_circle.h"

#include "server/dialog/graphic_binding.h"
#include "server/dialog/list_view.h"
#include "server/elements/element_text.h"
#include "server/elements/extents.h"

namespace plamor {

namespace et = element_text;

std::string clsZCircle::SearchKey() const {
  std::string key = "En";
  key.reserve(2 + 8 * 16 + 20);
  for (double v : {x, y_, xr, yr, sAng, mang, lang, pich}) et::AppendDoubleKey(key, v);
  et::AppendHex32(key, PenNo());
  et::AppendHex32(key, Style);
  et::AppendHex16(key, Layer);
  return key;
}

bool clsZCircle::Comp(const clsZCircle& target) const {
  if (&target == this) return false;
  return Layer == target.Layer && PenNo() == target.PenNo() && Style == target.Style &&
         pich == target.pich && x == target.x && y_ == target.y_ && xr == target.xr &&
         yr == target.yr && sAng == target.sAng && mang == target.mang && lang == target.lang;
}

void clsZCircle::SetListView(ListView& list, std::int32_t index) {
  if (xr == 0 || yr == 0 || mang == 0) {
    Tag = "DEL";
    return;
  }
  std::string text = "2 ";
  et::AppendNumber(text, PenNo());
  et::AppendNumber(text, Layer);
  et::AppendNumber(text, Style);
  et::AppendNumber(text, pich);
  et::AppendNumber(text, x);
  et::AppendNumber(text, y_);
  list.Add(std::move(text), index);
}

CircleValues clsZCircle::Values() const {
  return {x, y_, xr, yr, sAng, mang, lang, pich, Style, PenNo(), Layer};
}

void clsZCircle::MaxMin(double& minX, double& minY, double& maxX, double& maxY) const {
  const Extent e = CircleExtent(Values());
  minX = e.minX, minY = e.minY, maxX = e.maxX, maxY = e.maxY;
}

void clsZCircle::Disp(HDC hdc) {
  if (IsDeleted()) return;
  Graphic().DispCircle(hdc, x, y_, xr, yr, sAng, mang, lang, et::PreviewStyle(Style), PenNo());
}

void clsZCircle::ChangeScale(double dScale) { pich *= dScale; }

}  // namespace plamor
