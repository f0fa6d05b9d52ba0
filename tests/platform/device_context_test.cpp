// The raster device context: cosmetic pen lines, dash patterns, pixels, PNG.
#include <png.h>
#include <stdlib.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/device_context.h"

using plamor::ColorRef;
using plamor::PenStyle;
using plamor::Point;
using plamor::Rgb;

namespace {

constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kRed = Rgb(255, 0, 0);

// The drawn pixels of row y from x0 to x1 as a string of '#' and '.'.
std::string Row(const PlamorDeviceContext& dc, int y, int x0, int x1) {
  std::string s;
  for (int x = x0; x <= x1; ++x) s += dc.GetPixel(x, y) == kWhite ? '.' : '#';
  return s;
}

std::string Column(const PlamorDeviceContext& dc, int x, int y0, int y1) {
  std::string s;
  for (int y = y0; y <= y1; ++y) s += dc.GetPixel(x, y) == kWhite ? '.' : '#';
  return s;
}

}  // namespace

TEST(DeviceContextTest, PolylineLeavesOutItsLastPixelAndDrawsVerticesOnce) {
  PlamorDeviceContext dc(10, 10);
  dc.SelectPen({PenStyle::kSolid, kRed});
  const Point pts[] = {{0, 0}, {4, 0}, {4, 3}};
  dc.Polyline(pts, 3);
  EXPECT_EQ(Row(dc, 0, 0, 5), "#####.");
  EXPECT_EQ(Column(dc, 4, 0, 4), "###..");
  EXPECT_EQ(dc.GetPixel(0, 0), kRed);
  EXPECT_EQ(dc.counters.polylines, 1);
  EXPECT_EQ(dc.counters.polylinePoints, 3);
  // A sloping line takes the nearest pixel of each column.
  PlamorDeviceContext slope(10, 10);
  const Point s[] = {{0, 0}, {5, 2}};
  slope.Polyline(s, 2);
  EXPECT_EQ(Row(slope, 0, 0, 5), "##....");
  EXPECT_EQ(Row(slope, 1, 0, 5), "..##..");
  EXPECT_EQ(Row(slope, 2, 0, 5), "....#.");
  // One point, or none, draws nothing.
  PlamorDeviceContext none(4, 4);
  none.Polyline(pts, 1);
  none.Polyline(nullptr, 3);
  EXPECT_EQ(none.counters.polylines, 0);
  EXPECT_EQ(Row(none, 0, 0, 3), "....");
}

TEST(DeviceContextTest, DashPatternsRunOnAlongAPolylineAndStartAfreshWithTheNext) {
  EXPECT_EQ(plamor::DashPattern(PenStyle::kSolid), 0xFFFF);
  EXPECT_EQ(plamor::DashPattern(PenStyle::kDot), 0x1F1F);
  EXPECT_EQ(plamor::DashPattern(PenStyle::kDashDot), 0x33FF);
  EXPECT_EQ(plamor::DashPattern(PenStyle::kDashDotDot), 0x333F);
  PlamorDeviceContext dc(40, 8);
  const Point row0[] = {{0, 0}, {33, 0}};
  const Point row1[] = {{0, 1}, {33, 1}};
  const Point row2[] = {{0, 2}, {33, 2}};
  dc.SelectPen({PenStyle::kDot, kRed});
  dc.Polyline(row0, 2);
  dc.SelectPen({PenStyle::kDashDot, kRed});
  dc.Polyline(row1, 2);
  dc.SelectPen({PenStyle::kDashDotDot, kRed});
  dc.Polyline(row2, 2);
  EXPECT_EQ(Row(dc, 0, 0, 33), "#####...#####...#####...#####...#.");
  EXPECT_EQ(Row(dc, 1, 0, 33), "##########..##..##########..##..#.");
  EXPECT_EQ(Row(dc, 2, 0, 33), "######..##..##..######..##..##..#.");

  // Across a vertex the pattern goes on: 3 pixels along, then down from bit 3.
  PlamorDeviceContext corner(10, 12);
  corner.SelectPen({PenStyle::kDot, kRed});
  const Point bend[] = {{0, 0}, {3, 0}, {3, 10}};
  corner.Polyline(bend, 3);
  EXPECT_EQ(Row(corner, 0, 0, 3), "####");
  EXPECT_EQ(Column(corner, 3, 0, 10), "##...#####.");
  // A second polyline starts with bit 0 again.
  const Point again[] = {{5, 3}, {5, 11}};
  corner.Polyline(again, 2);
  EXPECT_EQ(Column(corner, 5, 3, 11), "#####....");
  // LineTo runs on from MoveTo over following calls.
  PlamorDeviceContext lines(20, 2);
  lines.SelectPen({PenStyle::kDot, kRed});
  lines.MoveTo(0, 0);
  lines.LineTo(3, 0);
  lines.LineTo(12, 0);
  EXPECT_EQ(Row(lines, 0, 0, 12), "#####...####.");
  EXPECT_EQ(lines.CurrentPosition(), (Point{12, 0}));
  EXPECT_EQ(lines.counters.lineTos, 2);
}

TEST(DeviceContextTest, PixelsOutsideTheSurfaceAreIgnoredAndColoursAreTheirOwnNearest) {
  PlamorDeviceContext dc(3, 2, Rgb(1, 2, 3));
  EXPECT_EQ(dc.GetPixel(2, 1), Rgb(1, 2, 3));
  EXPECT_EQ(dc.SetPixel(2, 1, kRed), kRed);
  EXPECT_EQ(dc.GetPixel(2, 1), kRed);
  EXPECT_EQ(dc.SetPixel(3, 0, kRed), plamor::kInvalidColor);
  EXPECT_EQ(dc.SetPixel(-1, 0, kRed), plamor::kInvalidColor);
  EXPECT_EQ(dc.GetPixel(0, 2), plamor::kInvalidColor);
  EXPECT_EQ(dc.GetPixel(0, -1), plamor::kInvalidColor);
  EXPECT_EQ(dc.counters.pixels, 3);
  EXPECT_EQ(dc.GetNearestColor(Rgb(17, 99, 201)), Rgb(17, 99, 201));
  dc.Fill(kWhite);
  EXPECT_EQ(dc.GetPixel(2, 1), kWhite);
  EXPECT_EQ(PlamorDeviceContext(-5, 3).Width(), 0);
}

TEST(DeviceContextTest, LinesFarOutsideTheSurfaceDrawOnlyTheirVisiblePart) {
  PlamorDeviceContext dc(16, 8);
  dc.SelectPen({PenStyle::kSolid, kRed});
  const Point across[] = {{INT_MIN, 3}, {INT_MAX, 3}};
  dc.Polyline(across, 2);
  EXPECT_EQ(Row(dc, 3, 0, 15), "################");
  EXPECT_EQ(Row(dc, 2, 0, 15), "................");
  const Point steep[] = {{8, -2000000000}, {8, 2000000000}};
  dc.Polyline(steep, 2);
  EXPECT_EQ(Column(dc, 8, 0, 7), "########");
  // The dash pattern keeps its place through the part cut away.
  PlamorDeviceContext dashed(8, 1);
  dashed.SelectPen({PenStyle::kDot, kRed});
  const Point from[] = {{-3, 0}, {8, 0}};
  dashed.Polyline(from, 2);
  EXPECT_EQ(Row(dashed, 0, 0, 7), "##...###");
}

namespace {

struct ReadBack {
  png_uint_32 width = 0, height = 0;
  std::vector<png_byte> rgb;
};

ReadBack ReadPng(const std::string& path) {
  ReadBack r;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return r;
  image.format = PNG_FORMAT_RGB;
  r.rgb.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, r.rgb.data(), 0, nullptr)) {
    r.width = image.width;
    r.height = image.height;
  }
  png_image_free(&image);
  return r;
}

}  // namespace

TEST(DeviceContextTest, SavesAsPngWholeOrNotAtAll) {
  std::string pattern = (std::filesystem::temp_directory_path() / "dc-test-XXXXXX").string();
  const std::filesystem::path folder = mkdtemp(pattern.data());
  const std::string path = (folder / "out.png").string();
  PlamorDeviceContext dc(5, 3);
  dc.SetPixel(4, 2, Rgb(10, 20, 30));
  dc.SavePng(path);
  ReadBack r = ReadPng(path);
  ASSERT_EQ(r.width, 5u);
  ASSERT_EQ(r.height, 3u);
  EXPECT_EQ(r.rgb[0], 255);
  const std::size_t last = (2 * 5 + 4) * 3;
  EXPECT_EQ(r.rgb[last], 10);
  EXPECT_EQ(r.rgb[last + 1], 20);
  EXPECT_EQ(r.rgb[last + 2], 30);
  // Saving again replaces the file; no temporary file stays behind.
  PlamorDeviceContext wider(7, 2);
  wider.SavePng(path);
  EXPECT_EQ(ReadPng(path).width, 7u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  // A missing folder and an empty surface fail with the file named.
  const std::string missing = (folder / "no" / "such.png").string();
  try {
    dc.SavePng(missing);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  EXPECT_THROW(PlamorDeviceContext(0, 4).SavePng(path), std::runtime_error);
  EXPECT_EQ(ReadPng(path).width, 7u);  // the earlier file stays
  std::filesystem::remove_all(folder);
}
