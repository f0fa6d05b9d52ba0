// The colour bit-plane thumbnail of the preview picture, as the standard
// drawing file stores it at its start.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/device_context.h"

namespace plamor {

constexpr int kThumbnailWidth = 84;
constexpr int kThumbnailHeight = 59;

// The thumbnail field (plm::kThumbnailSize bytes): the words 84 and 59, then
// per pixel row 33 bytes (11 of blue bits, 11 of red, 11 of green; leftmost
// pixel in the highest bit), zero bytes to the end of the field. A plane
// bit is set when the pixel has any intensity in that primary. Pixels beyond
// 84 × 59 are not read; rows and columns the picture lacks stay 0.
std::vector<std::uint8_t> EncodeThumbnail(const DeviceContext& picture);

}  // namespace plamor
