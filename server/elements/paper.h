// A paper size of the drawing server: one of sixteen size codes with its two
// sides in millimetres and the size code of the older drawing-file generation.
#pragma once

#include <cstdint>

#include "server/types.h"

namespace plamor {

// One side of a paper. The metric and free rows are whole millimetres (a
// 16-bit integer in the automation interface), the ANSI rows are doubles;
// isInteger keeps that distinction for the callers that report the type.
struct PaperSide {
  bool isInteger = true;
  double value = 0;
  bool operator==(const PaperSide&) const = default;
};

class clsPaper {
 public:
  std::int32_t Size() const { return size_; }
  void SetSize(std::int32_t size) { size_ = size; }

  // 1 = A0 class ... 5 = A4; 2 for sizes outside the table.
  std::int16_t DosVersionSize() const;
  // The short side; integer 0 for sizes outside the table.
  PaperSide Tate() const;
  // The long side; integer 0 for sizes outside the table.
  PaperSide Yoko() const;

 private:
  std::int32_t size_ = ktpA1;
};

}  // namespace plamor
