// The bit-plane thumbnail of the preview picture.
#include <gtest/gtest.h>

#include "platform/device_context.h"
#include "server/formats/thumbnail.h"

using plamor::ColorRef;
using plamor::EncodeThumbnail;
using plamor::Rgb;

namespace {

// Offsets of the three planes inside a row's 33 bytes.
constexpr int kBlue = 0, kRed = 11, kGreen = 22;

std::vector<std::uint8_t> Header() {
  std::vector<std::uint8_t> bytes(2200, 0);
  bytes[0] = 84;
  bytes[2] = 59;
  return bytes;
}

void SetBit(std::vector<std::uint8_t>& bytes, int plane, int x, int y) {
  bytes[std::size_t(4 + 33 * y + plane + x / 8)] |= std::uint8_t(0x80 >> (x % 8));
}

}  // namespace

TEST(ThumbnailTest, AllWhiteSetsEveryPixelBitAndAllBlackNone) {
  PlamorDeviceContext white(84, 59, Rgb(255, 255, 255));
  std::vector<std::uint8_t> expected = Header();
  for (int y = 0; y < 59; ++y) {
    for (int plane : {kBlue, kRed, kGreen}) {
      for (int i = 0; i < 10; ++i) expected[std::size_t(4 + 33 * y + plane + i)] = 0xFF;
      expected[std::size_t(4 + 33 * y + plane + 10)] = 0xF0;  // pixels 80-83, 4 unused bits
    }
  }
  EXPECT_EQ(EncodeThumbnail(white), expected);
  EXPECT_EQ(expected[1950], 0xF0);
  EXPECT_EQ(expected[1951], 0);

  PlamorDeviceContext black(84, 59, Rgb(0, 0, 0));
  EXPECT_EQ(EncodeThumbnail(black), Header());
}

TEST(ThumbnailTest, OnePixelOfEachPenColourSetsItsPlanes) {
  // The pens' display colours, 0 to 7.
  const ColorRef pens[8] = {Rgb(192, 192, 192), Rgb(0, 255, 0),   Rgb(255, 0, 0),
                            Rgb(255, 0, 255),   Rgb(0, 0, 255),   Rgb(0, 255, 255),
                            Rgb(255, 255, 0),   Rgb(255, 255, 255)};
  PlamorDeviceContext picture(84, 59, Rgb(0, 0, 0));
  std::vector<std::uint8_t> expected = Header();
  for (int pen = 0; pen < 8; ++pen) {
    const int x = 11 * pen + 6, y = 8 * pen + 1;  // x 6, 17, ... 83; y 1, 9, ... 57
    picture.SetPixel(x, y, pens[pen]);
    const ColorRef c = pens[pen];
    if (plamor::BlueOf(c)) SetBit(expected, kBlue, x, y);
    if (plamor::RedOf(c)) SetBit(expected, kRed, x, y);
    if (plamor::GreenOf(c)) SetBit(expected, kGreen, x, y);
  }
  const auto bytes = EncodeThumbnail(picture);
  EXPECT_EQ(bytes, expected);
  // Spot checks of the layout: pen 2 (red) at (28, 17), pen 7 at (83, 57).
  EXPECT_EQ(bytes[4 + 33 * 17 + kRed + 3], 0x08);
  EXPECT_EQ(bytes[4 + 33 * 17 + kBlue + 3], 0x00);
  EXPECT_EQ(bytes[4 + 33 * 57 + kBlue + 10], 0x10);
  EXPECT_EQ(bytes[4 + 33 * 57 + kGreen + 10], 0x10);
  // A dim colour still counts: any intensity in a primary sets its bit.
  PlamorDeviceContext dim(84, 59, Rgb(0, 0, 0));
  dim.SetPixel(0, 0, Rgb(1, 0, 0));
  EXPECT_EQ(EncodeThumbnail(dim)[4 + kRed], 0x80);
}

TEST(ThumbnailTest, ReadsNoMoreThan84By59Pixels) {
  PlamorDeviceContext large(120, 90, Rgb(255, 255, 255));
  PlamorDeviceContext exact(84, 59, Rgb(255, 255, 255));
  EXPECT_EQ(EncodeThumbnail(large), EncodeThumbnail(exact));
  PlamorDeviceContext small(8, 2, Rgb(255, 0, 0));
  std::vector<std::uint8_t> expected = Header();
  expected[4 + kRed] = 0xFF;
  expected[4 + 33 + kRed] = 0xFF;
  EXPECT_EQ(EncodeThumbnail(small), expected);
}
