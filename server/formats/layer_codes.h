// The layer codes of the drawing files and the attribute word that carries
// one with the kind, sub-kind and pen of an element.
#pragma once

#include <array>
#include <cstdint>

#include "server/types.h"

namespace plamor {

// Fills the layer codes (1..128), by default Settings().LayerCode: layers
// 1..7 get 64, 32, ..., 1; layers 8..127 the remaining codes 3, 5, 6, 7, 9,
// ... 127 in increasing order; 128 gets 0.
void BuildLayerCodeTable(std::array<std::int32_t, 129>& code = Settings().LayerCode);

// code[layer] * 512 + pen * 64 + sub * 16 + kind * 4 + 1 as a signed 16-bit
// word, with the layer codes by default of Settings(). A layer outside
// 1..128 shows an error message and gives 0.
std::int16_t PackAttributeWord(std::int16_t kind, std::int16_t sub, std::int16_t pen, std::int16_t layer,
                               const std::array<std::int32_t, 129>& code = Settings().LayerCode);

}  // namespace plamor
