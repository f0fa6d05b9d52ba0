// Element records: search keys, list records, text extent, anchor shift,
// rescaling, comparison and the preview call.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/device_context.h"
#include "platform/numeric_text.h"
#include "server/elements/element_text.h"
#include "server/dialog/graphic_binding.h"
#include "server/dialog/list_view.h"
#include "server/elements/pen.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"

namespace plamor {
namespace {

const std::string kOne = "000000000000F03F";
const std::string kTwo = "0000000000000040";
const std::string kZero = "0000000000000000";

clsZLine Line(double x1, double y1, double x2, double y2) {
  clsZLine line;
  line.x1 = x1, line.y1 = y1, line.x2 = x2, line.y2 = y2;
  return line;
}

clsZText Text(const std::string& characters, double width = 2.7, double between = 0.3) {
  clsZText text;
  text.Text = characters;
  text.width = width;
  text.Between = between;
  return text;
}

TEST(LineRecord, SearchKeyIsTheSameInBothDirections) {
  EXPECT_EQ(Line(5, 5, 1, 1).SearchKey(), Line(1, 1, 5, 5).SearchKey());
  EXPECT_EQ(Line(1, 1, 1, 5).SearchKey(), Line(1, 5, 1, 1).SearchKey());
  EXPECT_NE(Line(1, 1, 5, 5).SearchKey(), Line(1, 5, 5, 1).SearchKey());
  // pen 1, style 0, layer 1 follow the points and the pitch.
  EXPECT_EQ(Line(1, 0, 2, 0).SearchKey(), "Sen" + kOne + kZero + kTwo + kZero + kZero + "101");
  clsZLine line = Line(2, 0, 1, 0);
  line.SetPen(-1);
  line.Style = 3;
  line.Layer = -1;
  EXPECT_EQ(line.SearchKey(), "Sen" + kOne + kZero + kTwo + kZero + kZero + "FFFFFFFF3FFFF");
}

TEST(LineRecord, PenIsCreatedOnFirstUse) {
  clsZLine line;
  EXPECT_FALSE(line.HasPen());
  EXPECT_EQ(line.PenNo(), 1);
  EXPECT_EQ(line.pen().No(), 1);
  EXPECT_TRUE(line.HasPen());
  clsPen pen;
  pen.SetNo(6);
  line.SetPen(pen);
  EXPECT_EQ(line.pen().No(), 6);
  EXPECT_LT(sizeof(clsZLine), 120u);
}

TEST(LineRecord, ListRecordsAndDegenerateLines) {
  ListView list;
  Line(0, 0, 10, 10).SetListView(list, 1);
  Line(0, 0, 3, 1).SetListView(list, 2);
  Line(10, 0, 0, 0).SetListView(list, 3);
  Line(0, 0, 1, -1).SetListView(list, 4);
  Line(0, 0, 0, -0.5).SetListView(list, 5);
  ASSERT_EQ(list.Items.size(), 5u);
  EXPECT_EQ(list.Items[0].Text, "1  1 1 0 0 45 5 5");
  EXPECT_EQ(list.Items[1].Text, "1  1 1 0 0 18.43495 1.5 .5");  // single precision
  EXPECT_EQ(list.Items[2].Text, "1  1 1 0 0 180 5 0");
  EXPECT_EQ(list.Items[3].Text, "1  1 1 0 0 135 .5-.5");
  EXPECT_EQ(list.Items[4].Text, "1  1 1 0 0 90 0-.25");
  EXPECT_EQ(list.Items[1].TagText(), "2");

  ListView groups;
  clsZLine vertical = Line(5, 0, 5, 3);
  vertical.pich = 2.5;
  vertical.Style = 1;
  vertical.SetListView2(groups, 7);
  Line(0, -1.5, 4, -1.5).SetListView2(groups, 8);
  clsZLine sloped = Line(0, 0, 1, 1);
  sloped.SetListView2(groups, 9);
  ASSERT_EQ(groups.Items.size(), 2u);
  EXPECT_EQ(groups.Items[0].Text, "1  1 1 1 2.590  5");
  EXPECT_EQ(groups.Items[0].Tag, 7);
  EXPECT_EQ(groups.Items[1].Text, "1  1 1 0 00 -1.5");
  EXPECT_EQ(sloped.Tag, "");

  clsZLine point = Line(3, 3, 3, 3);
  point.SetListView2(groups, 10);
  EXPECT_EQ(point.Tag, "DEL");
  clsZLine tiny = Line(3, 3, 3, 3);
  tiny.SetListView(groups, 11);
  EXPECT_EQ(tiny.Tag, "DEL");
  EXPECT_EQ(groups.Items.size(), 2u);
}

TEST(LineRecord, Comparisons) {
  EXPECT_TRUE(clsZLine::CompPoint(1, 2, 1, 2));
  EXPECT_FALSE(clsZLine::CompPoint(1, 2, 1, 2.0000001));
  clsZLine a = Line(0, 0, 10, 0), b = Line(10, 0, 0, 0);
  EXPECT_TRUE(a.Comp(b));
  EXPECT_FALSE(a.Comp(a));
  b.pich = 1;
  EXPECT_FALSE(a.Comp(b));

  clsZLine c = Line(0, 0, 10, 0), d = Line(20, 0, 10, 0);
  EXPECT_TRUE(c.Comp2(d));  // touching end to end
  EXPECT_EQ(d.x1, 0);
  EXPECT_EQ(d.x2, 20);
  clsZLine e = Line(0, 0, 10, 0), f = Line(10.001, 0, 20, 0);
  EXPECT_FALSE(e.Comp2(f));
  EXPECT_EQ(f.x1, 10.001);
  clsZLine g = Line(5, 8, 5, 2), h = Line(5, 0, 5, 3);
  EXPECT_TRUE(g.Comp2(h));  // vertical: the y values
  EXPECT_EQ(h.y1, 0);
  EXPECT_EQ(h.y2, 8);
  h.SetPen(2);
  EXPECT_FALSE(g.Comp2(h));
  EXPECT_FALSE(h.Comp2(h));
}

TEST(LineRecord, ChangeScaleScalesThePitchOnly) {
  clsZLine line = Line(1, 2, 3, 4);
  line.pich = 1.5;
  line.ChangeScale(2);
  EXPECT_EQ(line.pich, 3);
  EXPECT_EQ(line.x1, 1);
  EXPECT_EQ(line.y2, 4);
}

TEST(CircleRecord, KeyRecordAndComparison) {
  clsZCircle circle;
  circle.x = 1;
  CircleCentre::SetY(circle, 2);
  circle.xr = 1;
  circle.yr = 1;
  const std::string k360 = "0000000000807640";
  EXPECT_EQ(circle.SearchKey(),
            "En" + kOne + kTwo + kOne + kOne + kZero + k360 + kZero + kZero + "101");
  EXPECT_EQ(circle.mang, 360);

  ListView list;
  circle.pich = 0.5;
  circle.SetListView(list, 4);
  ASSERT_EQ(list.Items.size(), 1u);
  EXPECT_EQ(list.Items[0].Text, "2  1 1 0 .5 1 2");

  clsZCircle same = circle;
  EXPECT_TRUE(circle.Comp(same));
  EXPECT_FALSE(circle.Comp(circle));
  CircleCentre::SetY(same, 2.5);
  EXPECT_FALSE(circle.Comp(same));

  clsZCircle noSweep = circle;
  noSweep.mang = 0;
  noSweep.SetListView(list, 5);
  EXPECT_EQ(noSweep.Tag, "DEL");
  clsZCircle noRadius = circle;
  noRadius.yr = 0;
  noRadius.SetListView(list, 6);
  EXPECT_EQ(noRadius.Tag, "DEL");
  EXPECT_EQ(list.Items.size(), 1u);

  circle.ChangeScale(4);
  EXPECT_EQ(circle.pich, 2);
  EXPECT_EQ(circle.xr, 1);
}

TEST(TextRecord, KeyLeavesOutAnchorAndScaleButNotFontType) {
  clsZText a = Text("AB");
  clsZText b = a;
  b.PaperScale = 100;
  b.SetKiten(0);
  EXPECT_EQ(a.SearchKey(), b.SearchKey());
  b.FontType = 1;
  EXPECT_NE(a.SearchKey(), b.SearchKey());
  EXPECT_EQ(a.SearchKey().substr(0, 5), "ChrAB");
  EXPECT_EQ(a.SearchKey().substr(a.SearchKey().size() - 4), "1100");  // layer, pen, style, font
}

TEST(TextRecord, Extent) {
  EXPECT_DOUBLE_EQ(Text("ABC").TextWidth(), 4.65);
  EXPECT_DOUBLE_EQ(Text("あい").TextWidth(), 5.7);
  EXPECT_DOUBLE_EQ(Text("ABC").TextHeight(), 3.0);
  clsZText vertical = Text("縦書き");
  vertical.Style = ktpTate;
  vertical.height = 4;
  EXPECT_DOUBLE_EQ(vertical.TextHeight(), 3 * 4 + 2 * 0.3);
  EXPECT_DOUBLE_EQ(vertical.TextWidth(), 2.7);
  vertical.Text = "ABC";
  EXPECT_DOUBLE_EQ(vertical.TextWidth(), 1.35);
  clsZText empty = Text("");
  EXPECT_EQ(empty.TextWidth(), 0);
  EXPECT_EQ(empty.TextHeight(), 0);
  const std::string longText(20000, 'W');
  EXPECT_DOUBLE_EQ(Text(longText, 2, 0).TextWidth(), 20000.0);
}

TEST(TextRecord, AnchorShiftUsesExactProjections) {
  clsZText text = Text("A", 20);  // 10 wide, 3 high
  text.x = 100;
  text.y = 50;
  text.SetKiten(ktpRightBottom);
  EXPECT_EQ(text.x, 90);
  EXPECT_EQ(text.y, 50);
  text.SetKiten(ktpRightBottom);
  EXPECT_EQ(text.x, 90);

  clsZText centred = Text("A", 20);
  centred.PaperScale = 2;
  centred.SetKiten(ktpCenterCenter);
  EXPECT_EQ(centred.x, -10);
  EXPECT_EQ(centred.y, -3);

  clsZText turned = Text("A", 20);
  turned.lang = 90;
  turned.SetKiten(ktpRightTop);  // down by the height is +x, back by the width is -y
  EXPECT_EQ(turned.x, 3);
  EXPECT_EQ(turned.y, -10);

  clsZText vertical = Text("AB", 2, 1);
  vertical.Style = ktpTate;  // 1 wide, 7 high
  vertical.SetKiten(ktpRightBottom);
  EXPECT_EQ(vertical.x, 0);
  EXPECT_EQ(vertical.y, 7);

  clsZText sloped = Text("A", 20);
  sloped.lang = 30;
  sloped.SetKiten(ktpRightBottom);
  const double r = 210 * 3.14159265358979 / 180;
  EXPECT_EQ(sloped.x, 10 * std::cos(r));
  EXPECT_EQ(sloped.y, 10 * std::sin(r));

  clsZText unknown = Text("A", 20);
  unknown.SetKiten(9);
  EXPECT_EQ(unknown.Kiten(), 9);
  EXPECT_EQ(unknown.x, 0);
}

TEST(TextRecord, ListRecordComparisonAndScale) {
  ListView list;
  clsZText text = Text("ABC");
  text.y = 0.5;
  text.SetListView(list, 3);
  ASSERT_EQ(list.Items.size(), 1u);
  EXPECT_EQ(list.Items[0].Text, "3  1 1 0 00.5ABC");

  clsZText blank = Text("   ");
  blank.SetListView(list, 4);
  EXPECT_EQ(blank.Tag, "DEL");
  clsZText flat = Text("A");
  flat.height = 0;
  flat.SetListView(list, 5);
  EXPECT_EQ(flat.Tag, "DEL");

  clsZText a = Text("AB"), b = Text("AB");
  b.x = 0.00005;
  EXPECT_TRUE(a.Comp(b));
  b.x = 0.0002;
  EXPECT_FALSE(a.Comp(b));
  b.x = 0;
  b.Text = "ab";
  EXPECT_FALSE(a.Comp(b));

  a.ChangeScale(10);
  EXPECT_DOUBLE_EQ(a.height, 30);
  EXPECT_DOUBLE_EQ(a.width, 27);
  EXPECT_DOUBLE_EQ(a.Between, 3);
}

TEST(RecordNumbers, ShortFormIsTheNumberForm) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> exponent(-20, 20);
  std::vector<double> values = {0, -0.0, 0.1, -0.1, 0.099999999999999992, 0.5, 1, 12, 1e14, 1e15,
                                999999999999999.9, 123456789012345, 1234567890123456, 0.3 + 0.6,
                                1.0 / 3, 1e-5, 2.5e-3, 1e300, -7.25};
  for (int i = 0; i < 50000; ++i) {
    const double v = std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
    values.push_back(v);
    values.push_back(std::round(v * 1000) / 1000);
  }
  for (double v : values) {
    std::string text;
    element_text::AppendNumber(text, v);
    ASSERT_EQ(text, numtext::Str(v)) << v;
  }
}

TEST(Preview, ElementsDrawThroughGraphicAndRemovedOnesDoNot) {
  PlamorDeviceContext dc(84, 59);
  const GraphicFunctions& g = Graphic();
  g.StartCadDraw(&dc, "");
  g.SetObjectView(&dc);
  g.SetPlamorView(0, 0, 84, 59);
  auto inked = [&dc] {
    int count = 0;
    for (ColorRef c : dc.Pixels()) count += c != Rgb(255, 255, 255);
    return count;
  };
  clsZLine removed = Line(0, 30, 84, 30);
  removed.Tag = "DEL";
  removed.Disp(&dc);
  EXPECT_EQ(inked(), 0);
  clsZLine line = Line(0, 30, 84, 30);
  line.Disp(&dc);
  EXPECT_GT(inked(), 40);
  clsZCircle circle;
  circle.x = 40;
  CircleCentre::SetY(circle, 20);
  circle.xr = circle.yr = 10;
  const int before = inked();
  circle.Disp(&dc);
  EXPECT_GT(inked(), before);
  g.EndCadDraw();
}

}  // namespace
}  // namespace plamor
