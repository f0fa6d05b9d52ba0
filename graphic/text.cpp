// Stroke-font text of the preview: layout, quick rejection, the frame shown
// for small texts, and the glyph strokes with their arcs.
#include <algorithm>
#include <cmath>

#include "graphic/elements.h"
#include "graphic/font_image.h"
#include "platform/cp932.h"

namespace plamor::graphic {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kFrameHeightLimit = 7;  // pixels: texts this low show their frame

// One character of the text.
struct Character {
  bool doubleByte = false;
  kvd::JisCell jis{0, 0};
};

// Walks the characters of a CP932 text; a lead byte joins the byte after it
// (a lead byte at the very end joins the terminating zero).
class CharacterReader {
 public:
  CharacterReader(const char* text, int length) : text_(text), length_(length) {}
  bool Next(Character& c) {
    if (at_ >= length_) return false;
    const auto lead = std::uint8_t(text_[at_++]);
    if (cp932::IsLeadByte(lead)) {
      const std::uint8_t second = at_ < length_ ? std::uint8_t(text_[at_++]) : 0;
      c = {true, kvd::ShiftJisToJis(lead, second)};
    } else {
      c = {false, kvd::SingleByteJis(lead)};
    }
    return true;
  }

 private:
  const char* text_;
  int length_;
  int at_ = 0;
};

// Total advances of the text for a character width, height and spacing:
// horizontal (each double-byte character the width, each single-byte one
// half of it, each followed by the spacing) and vertical (height plus
// spacing per character). Both still include the last spacing.
struct Advances {
  double horizontal = 0;
  double vertical = 0;
};
Advances Measure(const TextElement& t, double width, double height, double hSpacing,
                 double vSpacing) {
  Advances a;
  CharacterReader reader(t.text, t.length);
  Character c;
  while (reader.Next(c)) {
    a.horizontal += (c.doubleByte ? width : width / 2) + hSpacing;
    a.vertical += height + vSpacing;
  }
  return a;
}

// True when the text's box, rotated about the base point, lies wholly on one
// side outside the world window.
bool OutsideWorld(const TextElement& t, const WorldWindow& world) {
  const Advances a = Measure(t, t.width, t.height, t.spacing, t.spacing);
  double boxWidth, boxHeight;
  if (!t.vertical) {
    boxWidth = a.horizontal - t.spacing;
    boxHeight = t.height;
  } else {
    boxWidth = t.width;
    boxHeight = -(a.vertical - t.spacing);
  }
  const double slant = t.height * std::tan(t.slantAngle / kDegreesPerRadian);
  const double left = std::min(0.0, slant);
  const double right = boxWidth + std::max(0.0, slant);
  const double cosPhi = std::cos(t.rotationAngle / kDegreesPerRadian);
  const double sinPhi = std::sin(t.rotationAngle / kDegreesPerRadian);
  double minX = t.x, maxX = t.x, minY = t.y, maxY = t.y;
  const double corners[4][2] = {{left, 0}, {right, 0}, {right, boxHeight}, {left, boxHeight}};
  for (const auto& c : corners) {
    const double x = t.x + c[0] * cosPhi - c[1] * sinPhi;
    const double y = t.y + c[0] * sinPhi + c[1] * cosPhi;
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  return maxX < world.x0 || minX > world.x1 || maxY < world.y0 || minY > world.y1;
}

// Places points of the text, given in text coordinates, on the device: the
// base point, the character cell and spacing in device lengths, the slant and
// the rotation.
struct TextPlacement {
  TextPlacement(const TextElement& t, const Transform& view)
      : base(view.ToDevice(t.x, t.y)),
        width(t.width * view.sx),
        height(t.height * view.sy),
        hSpacing(t.spacing * view.sx),
        vSpacing(t.spacing * view.sy),
        slant(std::tan(t.slantAngle / kDegreesPerRadian)),
        cosPhi(std::cos(t.rotationAngle / kDegreesPerRadian)),
        sinPhi(std::sin(t.rotationAngle / kDegreesPerRadian)) {}

  // Rotation about the base point.
  DPoint Place(double u, double v) const {
    return {base.x + u * cosPhi - v * sinPhi, base.y + u * sinPhi + v * cosPhi};
  }
  // A point of the character cell (already scaled to the device) with the
  // slant, moved by the advance (horizontal) or down (vertical writing).
  DPoint PlaceInCell(double gx, double gy, bool vertical, double advance, double down) const {
    const double u = gx + slant * gy;
    return vertical ? Place(u, gy - down) : Place(u + advance, gy);
  }

  DPoint base;
  double width, height, hSpacing, vSpacing, slant, cosPhi, sinPhi;
};

void DrawFrame(ElementDrawing& drawing, const TextElement& t, const TextPlacement& place) {
  const Advances a = Measure(t, place.width, place.height, place.hSpacing, place.vSpacing);
  const double across = a.horizontal - place.hSpacing;
  const double down = a.vertical - place.vSpacing;
  const double k = place.height * place.slant;
  DPoint corners[4];
  if (!t.vertical) {
    corners[0] = place.Place(0, 0);
    corners[1] = place.Place(k, place.height);
    corners[2] = place.Place(across + k, place.height);
    corners[3] = place.Place(across, 0);
  } else {
    const double left = std::min(k, 0.0);
    const double right = std::max(k, 0.0) + place.width;
    corners[0] = place.Place(left, 0);
    corners[1] = place.Place(right, 0);
    corners[2] = place.Place(right, -down);
    corners[3] = place.Place(left, -down);
  }
  for (int i = 0; i < 4; ++i) drawing.Segment(corners[i], corners[(i + 1) % 4]);
}

// Direction from a to b in degrees, [0, 360); false when the points are too
// close for a direction.
bool Direction(double ax, double ay, double bx, double by, double& angle) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d < 1e-7) return false;
  const double c = dx / d;
  angle = c > 1 ? 0 : c < -1 ? 180 : std::acos(c) * kDegreesPerRadian;
  if (dy < 0) angle = 360 - angle;
  return true;
}

struct Arc {
  double cx = 0, cy = 0, r = 0;
  double start = 0, sweep = 0;
};

// The circle through three points of the glyph cell, as an arc from p1
// through p2 to p3; false when the points give no circle.
bool ArcThrough(double x1, double y1, double x2, double y2, double x3, double y3, Arc& arc) {
  const double d = 2 * ((y1 - y2) * x3 + (y2 - y3) * x1 + (y3 - y1) * x2);
  if (std::fabs(d) < 1e-16) return false;
  const double e = 2 * ((x2 - x3) * y1 + (x1 - x2) * y3 + (x3 - x1) * y2);
  if (std::fabs(e) < 1e-16) return false;
  const double p1 = x1 * x1 + y1 * y1, p2 = x2 * x2 + y2 * y2, p3 = x3 * x3 + y3 * y3;
  arc.cx = ((y3 - y1) * p2 + (y2 - y3) * p1 + (y1 - y2) * p3) / d;
  arc.cy = ((x3 - x1) * p2 + (x2 - x3) * p1 + (x1 - x2) * p3) / e;
  arc.r = std::sqrt((x1 - arc.cx) * (x1 - arc.cx) + (y1 - arc.cy) * (y1 - arc.cy));
  double a1, a3, a13, a12;
  if (!Direction(arc.cx, arc.cy, x1, y1, a1) || !Direction(arc.cx, arc.cy, x3, y3, a3) ||
      !Direction(x1, y1, x3, y3, a13) || !Direction(x1, y1, x2, y2, a12)) {
    return false;
  }
  double f = a12 - a13;
  while (f < -180) f += 360;
  while (f > 180) f -= 360;
  if (f >= 0) {
    while (a3 > a1) a3 -= 360;
  } else {
    while (a3 < a1) a3 += 360;
  }
  arc.start = a1;
  arc.sweep = a3 - a1;
  return true;
}

// Draws the glyphs of one text: the current point (glyph units) runs on
// from glyph to glyph.
class GlyphPainter {
 public:
  GlyphPainter(ElementDrawing& drawing, const TextPlacement& place, bool vertical, bool simplified)
      : drawing_(drawing), place_(place), vertical_(vertical), simplified_(simplified) {}

  void Paint(const GlyphWords& glyph, bool halfWidth, double advance, double down) {
    sx_ = place_.width / (halfWidth ? 256 : 128);
    sy_ = place_.height / 128;
    advance_ = advance;
    down_ = down;
    for (int i = 0; i < glyph.count; ++i) {
      const std::uint16_t w = glyph.words[std::size_t(i)];
      const int x = w & 0x7F, y = (w >> 7) & 0x7F;
      if ((w & 0x8000) == 0) {
        curX_ = x;
        curY_ = y;
        continue;
      }
      if ((w & 0x4000) != 0 && !simplified_) {
        if (i + 1 >= glyph.count) break;  // an arc needs its end word
        const std::uint16_t endWord = glyph.words[std::size_t(++i)];
        const int ex = endWord & 0x7F, ey = (endWord >> 7) & 0x7F;
        Arc arc;
        if (ArcThrough(curX_, curY_, x, y, ex, ey, arc)) {
          DrawArc(arc);
        } else {
          Straight(curX_, curY_, ex, ey);
        }
        curX_ = ex;
        curY_ = ey;
        continue;
      }
      Straight(curX_, curY_, x, y);
      curX_ = x;
      curY_ = y;
    }
  }

 private:
  DPoint Cell(double gx, double gy) const {
    return place_.PlaceInCell(gx, gy, vertical_, advance_, down_);
  }
  void Straight(int x1, int y1, int x2, int y2) {
    drawing_.Segment(Cell(x1 * sx_, y1 * sy_), Cell(x2 * sx_, y2 * sy_));
  }
  // The arc walks from its smaller end angle to its larger one.
  void DrawArc(const Arc& arc) {
    const double cx = arc.cx * sx_, cy = arc.cy * sy_;
    const double rx = arc.r * sx_, ry = arc.r * sy_;
    const double start = std::min(arc.start, arc.start + arc.sweep);
    const double end = std::max(arc.start, arc.start + arc.sweep);
    const DPoint centre = Cell(cx, cy);
    const DPoint xEnd = Cell(cx + rx, cy), yEnd = Cell(cx, cy + ry);
    const EllipticArc curve{centre,
                            {xEnd.x - centre.x, xEnd.y - centre.y},
                            {yEnd.x - centre.x, yEnd.y - centre.y},
                            start,
                            end};
    if (drawing_.Curve(curve)) return;
    double r = std::max(std::fabs(rx), std::fabs(ry));
    if (r < 5) r = 5;
    double step = std::acos((r - 1) / r) * kDegreesPerRadian;
    if (!(step >= 1.5)) step = 1.5;
    DPoint previous;
    for (double theta = start;;) {
      const DPoint p = Cell(cx + rx * std::cos(theta / kDegreesPerRadian),
                            cy + ry * std::sin(theta / kDegreesPerRadian));
      if (theta != start) drawing_.Segment(previous, p);
      if (theta == end) break;
      previous = p;
      theta = theta + step > end ? end : theta + step;
    }
  }

  ElementDrawing& drawing_;
  const TextPlacement& place_;
  const bool vertical_;
  const bool simplified_;
  double sx_ = 0, sy_ = 0, advance_ = 0, down_ = 0;
  int curX_ = 0, curY_ = 0;
};

}  // namespace

void DrawText(ElementDrawing& drawing, const Session& session, const TextElement& t) {
  if (t.text == nullptr || t.length <= 0) return;
  if (OutsideWorld(t, session.world)) return;
  drawing.SelectPen(0, PaletteIndexOfElementColour(t.colour));
  const TextPlacement place(t, drawing.View());

  if (session.characterFrames && std::fabs(place.height) <= kFrameHeightLimit) {
    DrawFrame(drawing, t, place);
    return;
  }

  GlyphPainter painter(drawing, place, t.vertical, session.simplifiedCharacters);
  GlyphWords glyph;
  double advance = 0, down = 0;
  CharacterReader reader(t.text, t.length);
  Character c;
  while (reader.Next(c)) {
    down += place.height;
    const GlyphWords* words = &glyph;
    if (session.fontImage.empty() || !LookUpGlyph(session.fontImage, c.jis, glyph)) {
      words = &SubstituteGlyph();
    }
    painter.Paint(*words, !c.doubleByte, advance, down);
    advance += c.doubleByte ? place.width : place.width / 2;
    advance += place.hSpacing;
    down += place.vSpacing;
  }
}

}  // namespace plamor::graphic
