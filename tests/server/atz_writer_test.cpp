// Standard text file: header and paper codes, the three record kinds with
// their decimals, whole small drawings byte for byte.
#include "server/formats/atz_writer.h"

#include <gtest/gtest.h>

#include "writer_test_support.h"

namespace plamor {
namespace {

using testing::Circle;
using testing::CrLfLines;
using testing::Line;
using testing::Text;

class AtzWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    info_.PaperSize = ktpA3;
    info_.PaperTate = 297;
    info_.PaperYoko = 420;
    info_.PaperScale = 100;
  }

  template <typename... Elements>
  std::string WriteAtz(Elements&... elements) {
    WriteContext context;  // the text file reads nothing but the decimals
    context.atzKeta = info_.AtzKeta;
    return testing::WrittenBytes(ktpAtz, info_, context, {elements.get()...});
  }

  DrawingInfo info_;
};

TEST_F(AtzWriterTest, HeaderLine) {
  EXPECT_EQ(atz::HeaderLine(info_), "0,3,100.000,1");
  info_.AtzKeta = 1;
  info_.PaperScale = 250.25;
  EXPECT_EQ(atz::HeaderLine(info_), "0,3,250.3,1");
}

TEST_F(AtzWriterTest, PaperCodes) {
  for (int size = 0; size < 10; ++size) EXPECT_EQ(atz::PaperCode(size, 1e6, 1e6), size);
  EXPECT_EQ(atz::PaperCode(-1, 1e6, 1e6), -1);  // below 10 as well: written as it is
  EXPECT_EQ(atz::PaperCode(INT32_MIN, 1e6, 1e6), INT32_MIN);
  // Free and ANSI sizes: the smallest A sheet (or B0) that holds the paper.
  EXPECT_EQ(atz::PaperCode(ktpFREE, 300, 500), 2);    // larger than A3 both ways, within A2
  EXPECT_EQ(atz::PaperCode(ktpFREE, 200, 430), 2);    // larger than A3 in width only
  EXPECT_EQ(atz::PaperCode(ktpFREE, 210, 297), 4);
  EXPECT_EQ(atz::PaperCode(ktpFREE, 1000, 1400), 5);  // only B0 holds it
  EXPECT_EQ(atz::PaperCode(ktpFREE, 2000, 2000), 0);  // nothing holds it
  EXPECT_EQ(atz::PaperCode(ktpANSI_A, 215.9, 279.4), 3);
  EXPECT_EQ(atz::PaperCode(ktpANSI_E, 863.6, 1117.6), 5);
}

TEST_F(AtzWriterTest, LineRecords) {
  LineValues v{12.26, -3.04, 0, 1, 0, ktpsolid, 3, 1};
  EXPECT_EQ(atz::LineRecord(v, 1), "1,12.3,-3.0,0.0,1.0,3,0,0.0");
  v = {0, 0, 1, 1, 200, ktpdashdot, 7, 2};  // a white line: type 4 whatever the style
  EXPECT_EQ(atz::LineRecord(v, 2), "1,0.00,0.00,1.00,1.00,17,4,200.00");
  v = {0, 0, 1, 1, 2, ktpdash, 5, 12};
  EXPECT_EQ(atz::LineRecord(v, 3), "1,0.000,0.000,1.000,1.000,115,1,2.000");
  v.Style = ktpdashdotdot;
  EXPECT_EQ(atz::LineRecord(v, 1), "1,0.0,0.0,1.0,1.0,115,3,2.0");
  v.Style = 2;  // no such style: solid, no pitch
  EXPECT_EQ(atz::LineRecord(v, 1), "1,0.0,0.0,1.0,1.0,115,0,0.0");
  v.pen = 11;  // a stray pen is pen 7: the layer digits stay intact
  EXPECT_EQ(atz::LineRecord(v, 1), "1,0.0,0.0,1.0,1.0,117,4,2.0");
  v.pen = 0;
  EXPECT_EQ(atz::LineRecord(v, 1), "");
}

TEST_F(AtzWriterTest, CircleRecords) {
  CircleValues v{10, 20, 5, 5, 0, 360, 0, 0, ktpsolid, 1, 1};
  EXPECT_EQ(atz::CircleRecord(v, 3), "3,10.000,20.000,5.000,5.000,0.000,360.000,0.000,1,0,0.000");
  v = {0, 0, 5, 2, 10, -30, 15, 1.5, ktpdashdot, 7, 3};  // circles with pen 7 follow their style
  EXPECT_EQ(atz::CircleRecord(v, 2), "3,0.00,0.00,5.00,2.00,10.00,-20.00,15.00,27,2,1.50");
}

TEST_F(AtzWriterTest, TextRecords) {
  TextValues v;
  v.x = 1; v.y = 2; v.sAng = 0; v.height = 3; v.width = 2.7; v.Between = 0.3; v.lang = 90;
  v.Style = ktpTate; v.pen = 2; v.Layer = 4; v.Text = "AB川";
  EXPECT_EQ(atz::TextRecord(v, 3), cp932::FromUtf8("4,1.000,2.000,0.000,3.000,2.700,0.300,90.000,32,1,4,\"AB川\""));
  v.Text = "say \"hi\"";  // quotation marks are written as they are
  EXPECT_EQ(atz::TextRecord(v, 1), "4,1.0,2.0,0.0,3.0,2.7,0.3,90.0,32,1,8,\"say \"hi\"\"");
  v.Text = "Ω😀";  // no CP932 form for the emoji: "?" and the byte count agree
  EXPECT_EQ(atz::TextRecord(v, 1), "4,1.0,2.0,0.0,3.0,2.7,0.3,90.0,32,1,3,\"\x83\xB6?\"");
  v.Text = "";
  EXPECT_EQ(atz::TextRecord(v, 1), "4,1.0,2.0,0.0,3.0,2.7,0.3,90.0,32,1,0,\"\"");
}

TEST_F(AtzWriterTest, RoundingOfNegativeZeroAndHalves) {
  LineValues v{-0.0004, 0.05, -0.05, 2.25, 0, 0, 1, 1};
  EXPECT_EQ(atz::LineRecord(v, 1), "1,0.0,0.1,-0.1,2.3,1,0,0.0");
  v = {1.0005, 0, 0, 0, 0, 0, 1, 1};
  EXPECT_EQ(atz::LineRecord(v, 3), "1,1.001,0.000,0.000,0.000,1,0,0.000");
  EXPECT_EQ(atz::LineRecord(v, 9), "1,1.000500000,0.000000000,0.000000000,0.000000000,1,0,0.000000000");
}

TEST_F(AtzWriterTest, SmallDrawingByteForByte) {
  info_.AtzKeta = 2;
  auto line = Line(0, 0, 100, 50.125, 2, 1, ktpdash, 300);
  auto circle = Circle(10, 20, 5, 5, 0, 360, 1, 2);
  auto arc = Circle(1, 1, 2, 2, 90, 45, 4, 1, ktpdashdotdot, 100);
  auto text = Text("左岸 No.1", 5, 6, ktpYoko, 3, 10);
  auto vertical = Text("右岸", 7, 8, ktpTate, 6, 1);
  auto black = Line(0, 0, 1, 1, 0);
  auto removed = Line(0, 0, 1, 1);
  removed->Tag = "DEL";
  const std::string bytes = WriteAtz(line, circle, arc, text, black, removed, vertical);
  EXPECT_EQ(bytes, cp932::FromUtf8(CrLfLines({
                       "0,3,100.00,1",
                       "1,0.00,0.00,100.00,50.13,2,1,300.00",
                       "3,10.00,20.00,5.00,5.00,0.00,360.00,0.00,11,0,0.00",
                       "3,1.00,1.00,2.00,2.00,90.00,135.00,0.00,4,3,100.00",
                       "4,5.00,6.00,0.00,3.00,2.70,0.30,0.00,93,0,9,\"左岸 No.1\"",
                       "4,7.00,8.00,0.00,3.00,2.70,0.30,0.00,6,1,4,\"右岸\"",
                   })));
}

TEST_F(AtzWriterTest, DrawingOfRemovedElementsHasTheHeaderAlone) {
  auto black = Text("x", 0, 0, 0, 0);
  auto removed = Circle(0, 0, 1, 1, 0, 360);
  removed->Tag = "DEL";
  EXPECT_EQ(WriteAtz(black, removed), "0,3,100.000,1\r\n");
}

}  // namespace
}  // namespace plamor
