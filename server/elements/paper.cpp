#include "server/elements/paper.h"

namespace plamor {

namespace {

struct PaperRow {
  PaperSide tate, yoko;
  std::int16_t dosVersionSize;
};

// Metric sides are whole millimetres; ANSI sides (inch sizes) are fractional.
constexpr PaperSide Mm(int mm) { return PaperSide{true, static_cast<double>(mm)}; }
constexpr PaperSide AnsiMm(double mm) { return PaperSide{false, mm}; }

// By size code ktpA0 .. ktpFREE. The B sizes are those of the drawing files
// this server has always written (1029 and 1455 where the B series has 1030
// and 1456).
constexpr PaperRow kPapers[] = {
    {Mm(841), Mm(1189), 1},  {Mm(594), Mm(841), 2},   {Mm(420), Mm(594), 3},
    {Mm(297), Mm(420), 4},   {Mm(210), Mm(297), 5},   {Mm(1029), Mm(1455), 1},
    {Mm(728), Mm(1029), 1},  {Mm(515), Mm(728), 2},   {Mm(364), Mm(515), 3},
    {Mm(257), Mm(364), 4},   {AnsiMm(215.9), AnsiMm(279.4), 4}, {AnsiMm(279.4), AnsiMm(431.8), 3},
    {AnsiMm(431.8), AnsiMm(558.8), 2}, {AnsiMm(558.8), AnsiMm(863.6), 1}, {AnsiMm(863.6), AnsiMm(1117.6), 1},
    {Mm(0), Mm(0), 1},
};
constexpr PaperRow kUnknownPaper = {Mm(0), Mm(0), 2};

const PaperRow& RowOf(std::int32_t size) {
  return (size >= ktpA0 && size <= ktpFREE) ? kPapers[size] : kUnknownPaper;
}

}  // namespace

std::int16_t clsPaper::DosVersionSize() const { return RowOf(size_).dosVersionSize; }
PaperSide clsPaper::Tate() const { return RowOf(size_).tate; }
PaperSide clsPaper::Yoko() const { return RowOf(size_).yoko; }

}  // namespace plamor
