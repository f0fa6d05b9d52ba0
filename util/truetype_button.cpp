// Button frames drawn into a device context: push buttons raised, sunken
// (pushed or checked) and flat, check boxes and radio buttons, in the classic
// three-dimensional colours.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/device_context.h"
#include "util/tessaro_truetype.h"

namespace {

using plamor::ColorRef;
using plamor::Rgb;

constexpr ColorRef kButtonFace = Rgb(192, 192, 192);
constexpr ColorRef kHighlight = Rgb(255, 255, 255);
constexpr ColorRef kLight = Rgb(223, 223, 223);
constexpr ColorRef kShadow = Rgb(128, 128, 128);
constexpr ColorRef kDarkShadow = Rgb(0, 0, 0);
constexpr ColorRef kWindow = Rgb(255, 255, 255);
constexpr ColorRef kText = Rgb(0, 0, 0);
constexpr ColorRef kGrayText = Rgb(128, 128, 128);

constexpr int kKindMask = 0x1F;

// A rectangle [left, right) x [top, bottom), wide enough for any corner the
// host may pass.
struct Rect {
  std::int64_t left, top, right, bottom;
  bool Empty() const { return right <= left || bottom <= top; }
  Rect Inset(std::int64_t n) const { return {left + n, top + n, right - n, bottom - n}; }
};

// Paints the pixels of r inside the surface with colour(x, y).
template <typename ColourAt>
void Paint(PlamorDeviceContext& dc, const Rect& r, ColourAt colourAt) {
  const std::int64_t x0 = std::max<std::int64_t>(r.left, 0), x1 = std::min<std::int64_t>(r.right, dc.Width());
  const std::int64_t y0 = std::max<std::int64_t>(r.top, 0), y1 = std::min<std::int64_t>(r.bottom, dc.Height());
  for (std::int64_t y = y0; y < y1; ++y)
    for (std::int64_t x = x0; x < x1; ++x) {
      const ColorRef c = colourAt(static_cast<int>(x), static_cast<int>(y));
      if (c != plamor::kInvalidColor) dc.SetPixel(static_cast<int>(x), static_cast<int>(y), c);
    }
}

void Fill(PlamorDeviceContext& dc, const Rect& r, ColorRef c) {
  if (!r.Empty()) Paint(dc, r, [c](int, int) { return c; });
}

// A one-pixel edge: top row and left column in one colour, bottom row and
// right column in the other (those two whole).
void Edge(PlamorDeviceContext& dc, const Rect& r, ColorRef topLeft, ColorRef bottomRight) {
  if (r.Empty()) return;
  Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void PushButton(PlamorDeviceContext& dc, const Rect& r, int state) {
  const bool sunken = state & (TESSARO_DFCS_PUSHED | TESSARO_DFCS_CHECKED);
  int border = 2;
  if (state & (TESSARO_DFCS_FLAT | TESSARO_DFCS_MONO)) {
    const ColorRef line = state & TESSARO_DFCS_MONO ? kDarkShadow : kShadow;
    Edge(dc, r, line, line);
    border = 1;
  } else if (sunken) {
    Edge(dc, r, kDarkShadow, kHighlight);
    Edge(dc, r.Inset(1), kShadow, kLight);
  } else {
    Edge(dc, r, kHighlight, kDarkShadow);
    Edge(dc, r.Inset(1), kLight, kShadow);
  }
  if (state & TESSARO_DFCS_TRANSPARENT) return;
  const Rect inside = r.Inset(border);
  if ((state & TESSARO_DFCS_CHECKED) && !(state & TESSARO_DFCS_PUSHED))
    Paint(dc, inside, [](int x, int y) { return (x + y) % 2 ? kHighlight : kButtonFace; });
  else
    Fill(dc, inside, kButtonFace);
}

// The largest square of r, centred in it.
Rect CentredSquare(const Rect& r) {
  const std::int64_t side = std::min(r.right - r.left, r.bottom - r.top);
  const std::int64_t left = r.left + (r.right - r.left - side) / 2, top = r.top + (r.bottom - r.top - side) / 2;
  return {left, top, left + side, top + side};
}

void CheckBox(PlamorDeviceContext& dc, const Rect& r, int state) {
  const Rect box = CentredSquare(r);
  const bool inactive = state & TESSARO_DFCS_INACTIVE;
  Edge(dc, box, kShadow, kHighlight);
  Edge(dc, box.Inset(1), kDarkShadow, kLight);
  const Rect inside = box.Inset(2);
  Fill(dc, inside, inactive || (state & TESSARO_DFCS_PUSHED) ? kButtonFace : kWindow);
  if (!(state & TESSARO_DFCS_CHECKED) || inside.Empty()) return;
  // A tick: down from the left third to the bottom third, then up to the right.
  const ColorRef mark = inactive || (state & kKindMask) == TESSARO_DFCS_BUTTON3STATE ? kGrayText : kText;
  const double w = double(inside.right - inside.left), h = double(inside.bottom - inside.top);
  Paint(dc, inside, [&](int x, int y) {
    const double u = (x - inside.left + 0.5) / w, v = (y - inside.top + 0.5) / h;
    const double stroke = u < 0.4 ? 0.5 + (u - 0.2) : 0.7 - (u - 0.4);
    return u >= 0.2 && u <= 0.8 && std::abs(v - stroke) <= 1.5 / h + 0.05 ? mark : plamor::kInvalidColor;
  });
}

void RadioButton(PlamorDeviceContext& dc, const Rect& r, int state) {
  const Rect box = CentredSquare(r);
  if (box.Empty()) return;
  const double radius = (box.right - box.left) / 2.0;
  const double cx = box.left + radius, cy = box.top + radius;
  const bool mask = (state & kKindMask) == TESSARO_DFCS_BUTTONRADIOMASK;
  const bool inactive = state & TESSARO_DFCS_INACTIVE;
  Paint(dc, box, [&](int x, int y) {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
    if (mask) return d <= radius ? kDarkShadow : kWindow;
    if (d > radius) return plamor::kInvalidColor;
    if (d > radius - 2) return dx + dy < 0 ? kShadow : kHighlight;
    if ((state & TESSARO_DFCS_CHECKED) && d <= radius / 3) return inactive ? kGrayText : kText;
    return inactive || (state & TESSARO_DFCS_PUSHED) ? kButtonFace : kWindow;
  });
}

// The button frame of a state; false for an unknown kind.
bool DrawButtonFrame(PlamorDeviceContext& dc, const Rect& r, int state) {
  switch (state & kKindMask) {
    case TESSARO_DFCS_BUTTONPUSH: PushButton(dc, r, state); return true;
    case TESSARO_DFCS_BUTTONCHECK:
    case TESSARO_DFCS_BUTTON3STATE: CheckBox(dc, r, state); return true;
    case TESSARO_DFCS_BUTTONRADIO:
    case TESSARO_DFCS_BUTTONRADIOIMAGE:
    case TESSARO_DFCS_BUTTONRADIOMASK: RadioButton(dc, r, state); return true;
    default: return false;
  }
}

int StateOfStyle(int32_t style) {
  switch (style) {
    case TESSARO_BUTTON_UP: return TESSARO_DFCS_BUTTONPUSH;
    case TESSARO_BUTTON_CHECKED: return TESSARO_DFCS_BUTTONPUSH | TESSARO_DFCS_CHECKED;
    case TESSARO_BUTTON_PUSHED: return TESSARO_DFCS_BUTTONPUSH | TESSARO_DFCS_PUSHED;
    default: return style;
  }
}

}  // namespace

int32_t MyPutBtn(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t style) {
  if (!dc) return 0;
  return DrawButtonFrame(*dc, {left, top, right, bottom}, StateOfStyle(style)) ? 1 : 0;
}
