// The exported functions of libGraphic.so. No exception leaves them.
#include <cstring>
#include <string>

#include "graphic/elements.h"
#include "graphic/font_image.h"
#include "graphic/graphic.h"
#include "graphic/session.h"
#include "platform/cp932.h"
#include "platform/prompts.h"

using namespace plamor::graphic;

namespace {

void CreatePens(Session& s) {
  for (int row = 0; row < kPenRows; ++row) {
    for (int colour = 0; colour < kPaletteSize; ++colour) {
      s.pens[std::size_t(row * kPaletteSize + colour)] =
          plamor::Pen{static_cast<plamor::PenStyle>(row), PaletteColor(colour)};
    }
  }
  s.pensCreated = true;
}

void ReportUnopenableFont(const std::string& path) {
  plamor::prompts::MessageBoxRequest request;
  request.text = plamor::cp932::ToUtf8(path) + "\n標準フォントが開けません。";
  request.title = "Tessaro";
  request.style = plamor::prompts::kOkOnly;
  plamor::prompts::Current().MessageBox(request);
}

// The frame of every element call: a fresh output stage on hdc with the
// current position at (0, 0), the null brush and the solid black pen; the
// element's own drawing; then the last points are drawn.
template <class Draw>
int32_t RunElement(HDC hdc, Draw&& draw) {
  try {
    Session& s = State();
    if (!s.active || hdc == nullptr) return -1;
    const Transform view(s.device, s.world);
    OutputStage output(*hdc, s);
    ElementDrawing drawing(view, output);
    hdc->MoveTo(0, 0);
    hdc->SelectNullBrush();
    output.SelectPen(0, 0);
    if (view.Usable()) draw(drawing, s);
    output.Flush();
  } catch (...) {
    // nothing crosses the library boundary
  }
  return -1;
}

}  // namespace

GRAPHIC_EXPORT int16_t StartCadDraw(HDC /*hdc*/, const char* fontPath) {
  try {
    Session& s = State();
    if (!s.pensCreated) CreatePens(s);
    s.active = true;
    if (s.fontImage.empty() && fontPath != nullptr) {
      const std::string path = fontPath;
      if (LoadFontImage(plamor::cp932::ToUtf8(path), s.fontImage) == FontLoad::kCannotOpen) {
        ReportUnopenableFont(path);
      }
    }
    return s.fontImage.empty() ? 1 : 0;
  } catch (...) {
    return 1;
  }
}

GRAPHIC_EXPORT int32_t EndCadDraw(void) {
  Session& s = State();
  std::vector<std::uint8_t>().swap(s.fontImage);
  s.pens = {};
  s.pensCreated = false;
  s.active = false;
  return 0;
}

GRAPHIC_EXPORT int32_t SetObjectView(HWND hwnd) {
  if (hwnd == nullptr) return 0;
  // The device rectangle is kept in 16-bit values.
  const int width = hwnd->Width() > 32767 ? 32767 : hwnd->Width();
  const int height = hwnd->Height() > 32767 ? 32767 : hwnd->Height();
  DeviceView& d = State().device;
  d.left = 0;
  d.top = 0;
  d.right = std::int16_t(width);
  d.bottom = std::int16_t(height - 1);
  d.flipRow = std::int16_t(height - 1);
  return width;
}

GRAPHIC_EXPORT int32_t SetView(double x0, double y0, double x1, double y1) {
  WorldWindow& w = State().world;
  w = {x0, y0, x1, y1, x1 - x0, y1 - y0};
  return 0;
}

GRAPHIC_EXPORT int32_t SetPlamorView(double x0, double y0, double x1, double y1) {
  return SetView(x0, y0, x1, y1);
}

GRAPHIC_EXPORT int32_t DispLine(HDC hdc, double x1, double y1, double x2, double y2, int32_t style,
                                int32_t colour) {
  return RunElement(hdc, [&](ElementDrawing& d, const Session& s) {
    DrawLine(d, s.world, x1, y1, x2, y2, style & 3, colour & 7);
  });
}

GRAPHIC_EXPORT int32_t DispCircle(HDC hdc, double x, double y, double xRadius, double yRadius,
                                  double startAngle, double sweepAngle, double rotationAngle,
                                  int32_t style, int32_t colour) {
  return RunElement(hdc, [&](ElementDrawing& d, const Session& s) {
    DrawCircle(d, s.world, x, y, xRadius, yRadius, startAngle, sweepAngle, rotationAngle,
               style & 3, colour & 7);
  });
}

GRAPHIC_EXPORT int32_t DispText(HDC hdc, double x, double y, double width, double height,
                                double spacing, double rotationAngle, double slantAngle,
                                int32_t direction, int32_t colour, const char* text) {
  return RunElement(hdc, [&](ElementDrawing& d, const Session& s) {
    if (text == nullptr) return;
    TextElement t;
    t.x = x;
    t.y = y;
    t.width = width;
    t.height = height;
    t.spacing = spacing;
    t.rotationAngle = rotationAngle;
    t.slantAngle = slantAngle;
    t.vertical = (direction & 1) != 0;
    t.colour = colour & 7;
    t.text = text;
    t.length = int(strnlen(text, kMaxTextBytes));
    DrawText(d, s, t);
  });
}

GRAPHIC_EXPORT int16_t SetMojiWaku(int16_t on) {
  State().characterFrames = on != 0;
  return State().characterFrames ? 1 : 0;
}

GRAPHIC_EXPORT int16_t SetMojiEasy(int16_t on) {
  State().simplifiedCharacters = on != 0;
  return State().simplifiedCharacters ? 1 : 0;
}
