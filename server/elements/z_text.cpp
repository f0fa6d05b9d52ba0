#include "server/elements/z_text.h"

#include <cmath>

#include "platform/cp932.h"
#include "platform/numeric_text.h"
#include "platform/utf8.h"
#include "server/elements/element_text.h"
#include "server/elements/extents.h"
#include "server/elements/rotation.h"
#include "server/dialog/graphic_binding.h"
#include "server/dialog/list_view.h"
#include "server/elements/element_text.h"
#include "server/elements/extents.h"

namespace plamor {

namespace et = element_text;

namespace {

constexpr double kRightAngleTolerance = 0.0001;

double DoubleByteCount(const std::string& text) {
  return static_cast<double>(cp932::ByteLength(text)) - static_cast<double>(utf8::CharacterCount(text));
}

bool Near(double angle, double target) { return std::fabs(angle - target) < kRightAngleTolerance; }

double BringIntoRange(double angle) {
  if (angle < 0) angle += 360;
  if (angle >= 360) angle -= 360;
  return angle;
}

// Projections of a move of length len in direction angle (degrees) that give
// exact values at the right angles.
double ProjectX(double len, double angle) {
  angle = BringIntoRange(angle);
  if (Near(angle, 0) || Near(angle, 360)) return len;
  if (Near(angle, 90) || Near(angle, 270)) return 0;
  if (Near(angle, 180)) return -len;
  return len * std::cos(DegreesToRadians(angle));
}

double ProjectY(double len, double angle) {
  angle = BringIntoRange(angle);
  if (Near(angle, 0) || Near(angle, 360) || Near(angle, 180)) return 0;
  if (Near(angle, 90)) return len;
  if (Near(angle, 270)) return -len;
  return len * std::sin(DegreesToRadians(angle));
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

double clsZText::TextWidth() const {
  if (Text.empty()) return 0;
  const double n = static_cast<double>(utf8::CharacterCount(Text));
  const double d = DoubleByteCount(Text);
  if (Style == ktpYoko) return (n - 1) * Between + d * width + (n - d) * width / 2;
  return d < 1 ? width / 2 : width;
}

double clsZText::TextHeight() const {
  if (Text.empty()) return 0;
  const double n = static_cast<double>(utf8::CharacterCount(Text));
  if (Style == ktpYoko) return height;
  return n * height + (n - 1) * Between;
}

void clsZText::SetKiten(std::int32_t kiten) {
  if (kiten == kiten_) return;
  kiten_ = kiten;
  const double th = TextHeight() * PaperScale;
  const double tw = TextWidth() * PaperScale;
  const double L = lang;
  auto move = [this](double len, double angle) {
    x += ProjectX(len, angle);
    y += ProjectY(len, angle);
  };
  const bool horizontal = Style == ktpYoko;
  // Horizontal text first drops by the height part, then goes back by the width part;
  // vertical text first goes back by the width part, then up by the height part.
  double across = 0, along = 0;  // fractions of the height (horizontal) / width (vertical) move
  switch (kiten) {
    case ktpCenterBottom: along = 0.5; break;
    case ktpRightBottom: along = 1; break;
    case ktpLeftCenter: across = 0.5; break;
    case ktpCenterCenter: across = 0.5, along = 0.5; break;
    case ktpRightCenter: across = 0.5, along = 1; break;
    case ktpLeftTop: across = 1; break;
    case ktpCenterTop: across = 1, along = 0.5; break;
    case ktpRightTop: across = 1, along = 1; break;
    default: return;
  }
  if (horizontal) {
    if (across != 0) move(th * across, L + 270);
    if (along != 0) move(tw * along, L + 180);
  } else {
    if (across != 0) move(tw * across, L + 180);
    if (along != 0) move(th * along, L + 90);
  }
}

std::string clsZText::SearchKey() const {
  std::string key = "Chr" + Text;
  key.reserve(key.size() + 7 * 16 + 24);
  for (double v : {x, y, height, width, Between, sAng, lang}) et::AppendDoubleKey(key, v);
  et::AppendHex16(key, Layer);
  et::AppendHex32(key, PenNo());
  et::AppendHex32(key, Style);
  et::AppendHex16(key, FontType);
  return key;
}

bool clsZText::Comp(const clsZText& target) const {
  if (&target == this) return false;
  if (Layer != target.Layer || PenNo() != target.PenNo() || Style != target.Style) return false;
  if (!(std::fabs(x - target.x) <= 0.0001) || !(std::fabs(y - target.y) <= 0.0001)) return false;
  return sAng == target.sAng && lang == target.lang && height == target.height &&
         width == target.width && Between == target.Between && Text == target.Text;
}

void clsZText::SetListView(ListView& list, std::int32_t index) {
  if (IsBlank(Text) || height == 0 || width == 0) {
    Tag = "DEL";
    return;
  }
  std::string text = "3 ";
  et::AppendNumber(text, PenNo());
  et::AppendNumber(text, Layer);
  et::AppendNumber(text, Style);
  et::AppendNumber(text, x);
  text += numtext::CStr(y);
  text += Text;
  list.Add(std::move(text), index);
}

TextValues clsZText::Values() const {
  return {x, y, sAng, height, width, Between, lang, FontType, Style, PenNo(), Layer, Text};
}

void clsZText::MaxMin(double& minX, double& minY, double& maxX, double& maxY) const {
  const Extent e = TextExtent(Values());
  minX = e.minX, minY = e.minY, maxX = e.maxX, maxY = e.maxY;
}

void clsZText::Disp(HDC hdc) {
  if (IsDeleted()) return;
  const std::string ansi = cp932::FromUtf8(Text);
  Graphic().DispText(hdc, x, y, width, height, Between, lang, sAng, Style, PenNo(), ansi.c_str());
}

void clsZText::ChangeScale(double dScale) {
  height *= dScale;
  width *= dScale;
  Between *= dScale;
}

}  // namespace plamor
