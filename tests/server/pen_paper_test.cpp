#include <gtest/gtest.h>

#include "server/paper.h"
#include "server/pen.h"

using namespace plamor;

namespace {

TEST(PenPaper, PensGiveTheirColourNamesAndDisplayColours) {
  clsPen pen;
  EXPECT_EQ(pen.No(), 1) << "a new pen is green";
  struct Row { int no; const char* name; int32_t color; };
  const Row rows[] = {{0, "黒", 12632256}, {1, "緑", 65280},    {2, "赤", 255},
                      {3, "紫", 16711935}, {4, "青", 16711680}, {5, "水", 16776960},
                      {6, "黄", 65535},    {7, "白", 16777215}, {8, "未定", 0},
                      {-1, "未定", 0},     {1000, "未定", 0}};
  for (const Row& row : rows) {
    pen.SetNo(row.no);
    EXPECT_EQ(pen.No(), row.no) << "any number is stored";
    EXPECT_EQ(pen.ColorName(), row.name) << row.no;
    EXPECT_EQ(pen.Color(), row.color) << row.no;
  }
}

TEST(PenPaper, PapersGiveTheirSidesAndOlderSizeCodes) {
  clsPaper paper;
  EXPECT_EQ(paper.Size(), ktpA1) << "a new paper is A1";
  struct Row { int size; PaperSide tate, yoko; int16_t dos; };
  const PaperSide none{true, 0};
  const Row rows[] = {
      {ktpA0, {true, 841}, {true, 1189}, 1},       {ktpA1, {true, 594}, {true, 841}, 2},
      {ktpA2, {true, 420}, {true, 594}, 3},        {ktpA3, {true, 297}, {true, 420}, 4},
      {ktpA4, {true, 210}, {true, 297}, 5},        {ktpB0, {true, 1029}, {true, 1455}, 1},
      {ktpB1, {true, 728}, {true, 1029}, 1},       {ktpB2, {true, 515}, {true, 728}, 2},
      {ktpB3, {true, 364}, {true, 515}, 3},        {ktpB4, {true, 257}, {true, 364}, 4},
      {ktpANSI_A, {false, 215.9}, {false, 279.4}, 4}, {ktpANSI_B, {false, 279.4}, {false, 431.8}, 3},
      {ktpANSI_C, {false, 431.8}, {false, 558.8}, 2}, {ktpANSI_D, {false, 558.8}, {false, 863.6}, 1},
      {ktpANSI_E, {false, 863.6}, {false, 1117.6}, 1}, {ktpFREE, none, none, 1},
      {99, none, none, 2},                          {-1, none, none, 2},
  };
  for (const Row& row : rows) {
    paper.SetSize(row.size);
    EXPECT_EQ(paper.Size(), row.size);
    EXPECT_EQ(paper.Tate(), row.tate) << row.size;
    EXPECT_EQ(paper.Yoko(), row.yoko) << row.size;
    EXPECT_EQ(paper.DosVersionSize(), row.dos) << row.size;
  }
}

}  // namespace
