#include "server/elements/z_line.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "server/dialog/graphic_binding.h"
#include "server/dialog/list_view.h"
#include "server/elements/element_text.h"
#include "server/elements/extents.h"

namespace plamor {

namespace et = element_text;

namespace {

constexpr double kMinLength = 1e-16;

double Length(const clsZLine& line) {
  const double dx = line.x2 - line.x1;
  const double dy = line.y2 - line.y1;
  return std::sqrt(dx * dx + dy * dy);
}

// Direction of the line in degrees, 0 <= angle < 360, exactly 90 and 270 for
// vertical lines (the line is known not to be degenerate).
double DirectionAngle(const clsZLine& line) {
  const double dx = line.x2 - line.x1;
  const double dy = line.y2 - line.y1;
  if (dx == 0) return dy > 0 ? 90.0 : 270.0;
  double angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
  if (angle < 0) angle += 360.0;
  return angle;
}

// "1 " + pen, layer, style and pitch: the start of both list records.
std::string RecordStart(const clsZLine& line) {
  std::string text = "1 ";
  text.reserve(64);
  et::AppendNumber(text, line.PenNo());
  et::AppendNumber(text, line.Layer);
  et::AppendNumber(text, line.Style);
  et::AppendNumber(text, line.pich);
  return text;
}

bool SameAttributes(const clsZLine& a, const clsZLine& b) {
  return a.Layer == b.Layer && a.PenNo() == b.PenNo() && a.Style == b.Style && a.pich == b.pich;
}

}  // namespace

std::string clsZLine::SearchKey() const {
  const bool secondFirst = x1 > x2 || (x1 == x2 && y1 >= y2);
  std::string key = "Sen";
  key.reserve(3 + 5 * 16 + 20);
  et::AppendDoubleKey(key, secondFirst ? x2 : x1);
  et::AppendDoubleKey(key, secondFirst ? y2 : y1);
  et::AppendDoubleKey(key, secondFirst ? x1 : x2);
  et::AppendDoubleKey(key, secondFirst ? y1 : y2);
  et::AppendDoubleKey(key, pich);
  et::AppendHex32(key, PenNo());
  et::AppendHex32(key, Style);
  et::AppendHex16(key, Layer);
  return key;
}

bool clsZLine::CompPoint(double px1, double py1, double px2, double py2) {
  return px1 == px2 && py1 == py2;
}

bool clsZLine::Comp(const clsZLine& target) const {
  if (&target == this || !SameAttributes(*this, target)) return false;
  return (CompPoint(x1, y1, target.x1, target.y1) && CompPoint(x2, y2, target.x2, target.y2)) ||
         (CompPoint(x1, y1, target.x2, target.y2) && CompPoint(x2, y2, target.x1, target.y1));
}

bool clsZLine::Comp2(clsZLine& target) const {
  if (&target == this || !SameAttributes(*this, target)) return false;
  const bool vertical = x1 == x2;
  double a1 = vertical ? y1 : x1, a2 = vertical ? y2 : x2;
  double b1 = vertical ? target.y1 : target.x1, b2 = vertical ? target.y2 : target.x2;
  if (a1 > a2) std::swap(a1, a2);
  if (b1 > b2) std::swap(b1, b2);
  // Pieces that overlap or meet end to end; any gap, however small, keeps them apart.
  if (!(std::max(a1, b1) <= std::min(a2, b2))) return false;
  const double lo = std::min(a1, b1), hi = std::max(a2, b2);
  if (vertical) {
    target.y1 = lo;
    target.y2 = hi;
  } else {
    target.x1 = lo;
    target.x2 = hi;
  }
  return true;
}

void clsZLine::SetListView(ListView& list, std::int32_t index) {
  if (Length(*this) < kMinLength) {
    Tag = "DEL";
    return;
  }
  double angle = DirectionAngle(*this);
  if (angle > 180.0) angle -= 180.0;
  std::string text = RecordStart(*this);
  et::AppendSingle(text, static_cast<float>(angle));
  et::AppendNumber(text, (x1 + x2) / 2);
  et::AppendNumber(text, (y1 + y2) / 2);
  list.Add(std::move(text), index);
}

void clsZLine::SetListView2(ListView& list, std::int32_t index) {
  if (Length(*this) < kMinLength) {
    Tag = "DEL";
    return;
  }
  const bool vertical = x1 == x2;
  if (!vertical && y1 != y2) return;
  std::string text = RecordStart(*this);
  text += vertical ? "90 " : "0 ";
  et::AppendNumber(text, vertical ? x1 : y1);
  list.Add(std::move(text), index);
}

LineValues clsZLine::Values() const { return {x1, y1, x2, y2, pich, Style, PenNo(), Layer}; }

void clsZLine::MaxMin(double& minX, double& minY, double& maxX, double& maxY) const {
  const Extent e = LineExtent(Values());
  minX = e.minX, minY = e.minY, maxX = e.maxX, maxY = e.maxY;
}

void clsZLine::Disp(HDC hdc) {
  if (IsDeleted()) return;
  Graphic().DispLine(hdc, x1, y1, x2, y2, et::PreviewStyle(Style), PenNo());
}

void clsZLine::ChangeScale(double dScale) { pich *= dScale; }

}  // namespace plamor
