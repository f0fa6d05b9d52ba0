// Circles, ellipses and arcs: quick rejection, the step angle and the walk.
#include <cmath>

#include "test_support.h"

using namespace graphic_test;
using plamor::Point;

namespace {

constexpr double kDeg = 57.29577951308232;

// Stored pixel of the point at angle theta of an unrotated ellipse, for a
// view with scale factors sx, sy whose world window starts at the origin,
// on a surface 100 pixels high.
Point PointAt(double cx, double cy, double xr, double yr, double theta, double sx, double sy) {
  const double x = cx * sx + std::cos(theta / kDeg) * xr * sx;
  const double y = cy * sy + std::sin(theta / kDeg) * yr * sy;
  return {int(std::int16_t(x)), 99 - int(std::int16_t(y))};
}

}  // namespace

using CircleTest = SessionTest;

TEST_F(CircleTest, SmallCircleIsSteppedAsIfItsRadiusWereFivePixels) {
  Open(200, 100);
  SetView(0, 0, 100, 0.99);  // 2 pixels per mm across, 100 up
  DispCircle(dc(), 50, 0.5, 1, 0.4, 0, 360, 0, 0, 0);
  ASSERT_EQ(rec_.polylines.size(), 1u);
  const auto& points = rec_.polylines[0];
  ASSERT_EQ(points.size(), 11u);  // ten segments, the last one shorter
  const double step = std::acos(0.8) * kDeg;
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(points[std::size_t(k)], PointAt(50, 0.5, 1, 0.4, k * step, 2, 100)) << "point " << k;
  }
  EXPECT_EQ(points[10], PointAt(50, 0.5, 1, 0.4, 360, 2, 100));
}

TEST_F(CircleTest, QuickRejectionUsesTheSquareOfTheLargerRadius) {
  Open(200, 100);
  SetView(0, 0, 100, 49.5);  // 2 pixels per mm both ways
  DispCircle(dc(), -10, 25, 9, 9, 0, 360, 0, 0, 0);
  DispCircle(dc(), -10, 25, 3, 9, 0, 360, 45, 0, 0);
  EXPECT_TRUE(rec_.polylines.empty());
  EXPECT_TRUE(rec_.pixels.empty());
  DispCircle(dc(), -10, 25, 11, 11, 0, 360, 0, 0, 0);
  ASSERT_FALSE(rec_.polylines.empty());
  for (const Point& p : rec_.AllPoints()) EXPECT_LE(p.x, 2);
}

TEST_F(CircleTest, ArcsWalkFromStartToStartPlusSweepInEitherDirection) {
  Open(200, 100);
  SetView(0, 0, 100, 49.5);
  const double step = std::acos(19.0 / 20.0) * kDeg;  // radius 20 pixels
  DispCircle(dc(), 50, 25, 10, 10, 350, 20, 0, 0, 0);  // through 0 degrees
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (std::vector<Point>{PointAt(50, 25, 10, 10, 350, 2, 2),
                                                   PointAt(50, 25, 10, 10, 350 + step, 2, 2),
                                                   PointAt(50, 25, 10, 10, 370, 2, 2)}));
  rec_ = Recorder{};
  DispCircle(dc(), 50, 25, 10, 10, 90, -90, 0, 0, 0);  // clockwise
  ASSERT_EQ(rec_.polylines.size(), 1u);
  const auto& cw = rec_.polylines[0];
  EXPECT_EQ(cw.front(), PointAt(50, 25, 10, 10, 90, 2, 2));
  EXPECT_EQ(cw[1], PointAt(50, 25, 10, 10, 90 - step, 2, 2));
  EXPECT_EQ(cw.back(), PointAt(50, 25, 10, 10, 0, 2, 2));
  EXPECT_EQ(cw.size(), 6u);  // 90 / step = 4.9..., then the end point

  // A sweep of 0 draws the one point at the start angle.
  rec_ = Recorder{};
  DispCircle(dc(), 50, 25, 10, 10, 30, 0, 0, 0, 0);
  EXPECT_TRUE(rec_.polylines.empty());
  ASSERT_EQ(rec_.pixels.size(), 1u);
  EXPECT_EQ(rec_.pixels[0].x, PointAt(50, 25, 10, 10, 30, 2, 2).x);
}

TEST_F(CircleTest, RotatedEllipseTurnsItsAxes) {
  Open(200, 100);
  SetView(0, 0, 100, 49.5);
  DispCircle(dc(), 50, 25, 20, 5, 0, 90, 90, 0, 4);  // long axis upright, blue
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.pens[0].color, plamor::Rgb(0, 0, 255));
  EXPECT_EQ(rec_.polylines[0].front(), (Point{100, 99 - 90}));  // 20 mm up from the centre
  EXPECT_EQ(rec_.polylines[0].back(), (Point{90, 99 - 50}));    // 5 mm left
}

TEST_F(CircleTest, ExtremeAnglesEndTheWalk) {
  Open(200, 100);
  SetView(0, 0, 100, 49.5);
  DispCircle(dc(), 50, 25, 10, 10, 0, 1e12, 0, 0, 0);    // many turns
  DispCircle(dc(), 50, 25, 10, 10, 1e17, 360, 0, 0, 0);  // the step cannot move the angle
  DispCircle(dc(), 50, 25, 10, 10, -INFINITY, 360, 0, 0, 0);
  DispCircle(dc(), 50, 25, 10, 10, 0, NAN, 0, 0, 0);
  EXPECT_GE(rec_.polylines.size() + rec_.pixels.size(), 2u);
}
