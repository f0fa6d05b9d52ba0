#include "platform/kvd_codes.h"

namespace plamor::kvd {

JisCell ShiftJisToJis(std::uint8_t lead, std::uint8_t second) {
  int row = 2 * (lead <= 0x9F ? lead - 0x71 : lead - 0xB1) + 1;
  const int trail = second > 0x7F ? second - 1 : second;
  int column;
  if (trail >= 0x9E) {
    ++row;
    column = trail - 0x7D;
  } else {
    column = trail - 0x1F;
  }
  return {row, column};
}

std::int64_t IndexEntryOffset(JisCell cell) {
  constexpr int kFirst = 0x21, kRowLength = 94;
  return 4 * (1 + std::int64_t{kRowLength} * (cell.row - kFirst) + (cell.column - kFirst));
}

}  // namespace plamor::kvd
