#include <gtest/gtest.h>

#include "server/elements/paper.h"
#include "server/elements/pen.h"

using namespace plamor;

namespace {

TEST(PenPaper, PensAndPapersLookUpTheirTablesWithDefaultRows) {
  clsPen pen;
  EXPECT_EQ(pen.No(), 1);
  EXPECT_EQ(pen.ColorName(), "緑");
  EXPECT_EQ(pen.Color(), 65280);
  pen.SetNo(0);
  EXPECT_EQ(pen.Color(), 12632256) << "black is shown light grey";
  pen.SetNo(4);
  EXPECT_EQ(pen.Color(), 16711680);
  pen.SetNo(8);
  EXPECT_EQ(pen.No(), 8) << "any number is stored";
  EXPECT_EQ(pen.ColorName(), "未定");
  EXPECT_EQ(pen.Color(), 0);

  clsPaper paper;
  EXPECT_EQ(paper.Size(), ktpA1);
  EXPECT_EQ(paper.Yoko(), (PaperSide{true, 841}));
  paper.SetSize(ktpB0);
  EXPECT_EQ(paper.Tate(), (PaperSide{true, 1029}));
  EXPECT_EQ(paper.Yoko(), (PaperSide{true, 1455}));
  paper.SetSize(ktpANSI_A);
  EXPECT_EQ(paper.Tate(), (PaperSide{false, 215.9})) << "ANSI sides are doubles";
  EXPECT_EQ(paper.DosVersionSize(), 4);
  paper.SetSize(ktpFREE);
  EXPECT_EQ(paper.Tate(), (PaperSide{true, 0}));
  EXPECT_EQ(paper.DosVersionSize(), 1);
  paper.SetSize(99);
  EXPECT_EQ(paper.Yoko(), (PaperSide{true, 0}));
  EXPECT_EQ(paper.DosVersionSize(), 2);
  const int16_t dos[] = {1, 2, 3, 4, 5, 1, 1, 2, 3, 4, 4, 3, 2, 1, 1};
  for (int size = ktpA0; size <= ktpANSI_E; ++size) {
    paper.SetSize(size);
    EXPECT_EQ(paper.DosVersionSize(), dos[size]) << size;
    EXPECT_LT(paper.Tate().value, paper.Yoko().value) << size;
  }
}

}  // namespace
