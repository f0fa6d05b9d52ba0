#include "server/formats/thumbnail.h"

#include <algorithm>

#include "server/formats/plm_layout.h"

namespace plamor {

std::vector<std::uint8_t> EncodeThumbnail(const DeviceContext& picture) {
  constexpr int kPlaneBytes = 11;
  constexpr int kRowBytes = 3 * kPlaneBytes;
  std::vector<std::uint8_t> bytes(plm::kThumbnailSize, 0);
  bytes[0] = kThumbnailWidth;
  bytes[2] = kThumbnailHeight;
  const int width = std::min(picture.Width(), kThumbnailWidth);
  const int height = std::min(picture.Height(), kThumbnailHeight);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bytes.data() + 4 + kRowBytes * y;
    for (int x = 0; x < width; ++x) {
      const ColorRef c = picture.GetPixel(x, y);
      const std::uint8_t bit = std::uint8_t(0x80 >> (x % 8));
      if (c & Rgb(0, 0, 255)) row[x / 8] |= bit;
      if (c & Rgb(255, 0, 0)) row[kPlaneBytes + x / 8] |= bit;
      if (c & Rgb(0, 255, 0)) row[2 * kPlaneBytes + x / 8] |= bit;
    }
  }
  return bytes;
}

}  // namespace plamor
