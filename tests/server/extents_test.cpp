// Extents of lines, circles, arcs, tilted ellipses and texts, and of a drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "server/elements/extents.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"

namespace plamor {
namespace {

clsZCircle Circle(double xr, double yr, double sAng, double mang, double lang = 0) {
  clsZCircle c;
  c.xr = xr, c.yr = yr, c.sAng = sAng, c.mang = mang, c.lang = lang;
  return c;
}

Extent Of(const clsZElement& element) {
  Extent e{1e9, 1e9, -1e9, -1e9};  // overwritten, not widened
  element.MaxMin(e.minX, e.minY, e.maxX, e.maxY);
  return e;
}

constexpr double kResidue = 1e-13;

TEST(Extents, Line) {
  clsZLine line;
  line.x1 = 10, line.y1 = 5, line.x2 = 2, line.y2 = 8;
  const Extent e = Of(line);
  EXPECT_EQ(e.minX, 2);
  EXPECT_EQ(e.minY, 5);
  EXPECT_EQ(e.maxX, 10);
  EXPECT_EQ(e.maxY, 8);
}

TEST(Extents, CirclesAndArcs) {
  const Extent full = Of(Circle(10, 10, 0, 360));
  EXPECT_NEAR(full.minX, -10, kResidue);
  EXPECT_NEAR(full.minY, -10, kResidue);
  EXPECT_NEAR(full.maxX, 10, kResidue);
  EXPECT_NEAR(full.maxY, 10, kResidue);

  const Extent quarter = Of(Circle(10, 10, 0, 90));
  EXPECT_GT(quarter.minX, 0);  // the residue of cos 90 degrees
  EXPECT_NEAR(quarter.minX, 0, 1e-15);
  EXPECT_EQ(quarter.minY, 0);
  EXPECT_EQ(quarter.maxX, 10);
  EXPECT_EQ(quarter.maxY, 10);

  // Sweep backwards from 80 to 60: no quadrant point inside.
  const Extent backwards = Of(Circle(10, 10, 80, -20));
  EXPECT_NEAR(backwards.minX, 10 * std::cos(80 * std::numbers::pi / 180), kResidue);
  EXPECT_NEAR(backwards.maxX, 10 * std::cos(60 * std::numbers::pi / 180), kResidue);
  EXPECT_NEAR(backwards.minY, 10 * std::sin(60 * std::numbers::pi / 180), kResidue);
  EXPECT_NEAR(backwards.maxY, 10 * std::sin(80 * std::numbers::pi / 180), kResidue);

  // From 170 across 180 to 190: the leftmost point is the quadrant point.
  const Extent across = Of(Circle(10, 10, 170, 20));
  EXPECT_NEAR(across.minX, -10, kResidue);
  EXPECT_NEAR(across.maxY, 10 * std::sin(170 * std::numbers::pi / 180), kResidue);

  // Beyond 360 only the quadrant points 0..360 and the end points count.
  const Extent beyond = Of(Circle(10, 10, 300, 120));
  EXPECT_NEAR(beyond.maxX, 10, kResidue);
  EXPECT_NEAR(beyond.maxY, 10 * std::sin(60 * std::numbers::pi / 180), kResidue);
}

TEST(Extents, TiltedEllipseAndCentre) {
  clsZCircle ellipse = Circle(10, 5, 0, 360, 90);
  ellipse.x = 100;
  CircleCentre::SetY(ellipse, -50);
  const Extent e = Of(ellipse);
  EXPECT_NEAR(e.minX, 95, 1e-12);
  EXPECT_NEAR(e.maxX, 105, 1e-12);
  EXPECT_NEAR(e.minY, -60, 1e-12);
  EXPECT_NEAR(e.maxY, -40, 1e-12);

  // At 45 degrees the turned bounding box is larger than the ellipse itself.
  const Extent turned = Of(Circle(10, 5, 0, 360, 45));
  EXPECT_NEAR(turned.maxX, 15 * std::sqrt(0.5), 1e-12);
}

TEST(Extents, Texts) {
  clsZText text;
  text.Text = "AB";
  text.width = 2, text.height = 3, text.Between = 0.5;
  Extent e = Of(text);
  EXPECT_EQ(e.minX, 0);
  EXPECT_EQ(e.minY, 0);
  EXPECT_EQ(e.maxX, 2.5);
  EXPECT_EQ(e.maxY, 3);

  text.Text = "あいう";  // double-byte characters are a full width
  EXPECT_EQ(Of(text).maxX, 7);

  clsZText vertical;
  vertical.Text = "ABC";
  vertical.Style = ktpTate;
  vertical.width = 2, vertical.height = 3, vertical.Between = 1;
  e = Of(vertical);
  EXPECT_EQ(e.minX, 0);
  EXPECT_EQ(e.minY, -11);
  EXPECT_EQ(e.maxX, 2);
  EXPECT_EQ(e.maxY, 0);

  clsZText turned = text;
  turned.Text = "AB";
  turned.x = 10;
  turned.lang = 90;
  e = Of(turned);
  EXPECT_NEAR(e.minX, 7, 1e-12);
  EXPECT_NEAR(e.maxX, 10, 1e-12);
  EXPECT_NEAR(e.maxY, 2.5, 1e-12);

  clsZText empty;
  empty.x = 4, empty.y = 5;
  e = Of(empty);
  EXPECT_EQ(e.minX, 4);
  EXPECT_EQ(e.maxX, 4);
  EXPECT_EQ(e.minY, 5);
  EXPECT_EQ(e.maxY, 5);
}

TEST(Extents, DrawingSkipsRemovedElements) {
  std::vector<std::unique_ptr<clsZElement>> elements;
  EXPECT_FALSE(DrawingExtent(elements).has_value());
  auto line = std::make_unique<clsZLine>();
  line->x1 = -1, line->y1 = 2, line->x2 = 3, line->y2 = 4;
  auto far = std::make_unique<clsZLine>();
  far->x2 = 1000;
  far->Tag = "DEL";
  elements.push_back(std::move(line));
  elements.push_back(std::move(far));
  auto circle = std::make_unique<clsZCircle>(Circle(1, 1, 0, 360));
  elements.push_back(std::move(circle));
  const auto all = DrawingExtent(elements);
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(all->minX, -1);
  EXPECT_NEAR(all->minY, -1, kResidue);
  EXPECT_EQ(all->maxX, 3);
  EXPECT_EQ(all->maxY, 4);
}

}  // namespace
}  // namespace plamor
