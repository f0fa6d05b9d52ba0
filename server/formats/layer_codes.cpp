#include "server/formats/layer_codes.h"

#include "platform/error_numbers.h"
#include "platform/os_errors.h"
#include "platform/prompts.h"

namespace plamor {

void BuildLayerCodeTable(std::array<std::int32_t, 129>& code) {
  for (int layer = 1; layer <= 7; ++layer) code[layer] = 1 << (7 - layer);  // 64 .. 1
  code[128] = 0;
  std::int32_t next = 3;
  for (int layer = 8; layer <= 127; ++layer) {
    while (next == 4 || next == 8 || next == 16 || next == 32 || next == 64) ++next;
    code[layer] = next++;
  }
}

std::int16_t PackAttributeWord(std::int16_t kind, std::int16_t sub, std::int16_t pen, std::int16_t layer,
                               const std::array<std::int32_t, 129>& code) {
  if (layer < 1 || layer > 128) {
    prompts::ShowError(oserr::Describe(kErrSubscriptOutOfRange));
    return 0;
  }
  // Everything is taken to 16 bits: the word is the low half of the sum.
  const std::uint32_t sum = static_cast<std::uint32_t>(code[layer]) * 512u +
                            static_cast<std::uint16_t>(pen * 64) +
                            static_cast<std::uint16_t>(sub * 16) +
                            static_cast<std::uint16_t>(kind * 4) + 1u;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(sum));
}

}  // namespace plamor
