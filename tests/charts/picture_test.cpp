#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include "charts/host_error.h"
#include "charts/image_picture.h"
#include "charts/recording_picture.h"
#include "tests/support/qt_app.h"

namespace plamor::charts {
namespace {

TEST(QBColor, IndexOutsideThePaletteIsAnInvalidCall) {
  EXPECT_EQ(QBColor(7), 0xC0C0C0u);
  try {
    QBColor(16);
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), kInvalidCall);
  }
}

TEST(RecordingPicture, RecordsOperationsWithTheStateTheyWereMadeWith) {
  RecordingPicture p(200, 100, {"ＭＳ 明朝", 9, false});
  EXPECT_EQ(p.ScaleWidth(), 200);
  EXPECT_EQ(p.ScaleHeight(), 100);
  p.SetBackColor(0x00FF00);
  p.Line(1, 2, 3, 4, 0x123456);
  p.SetDrawWidth(2);
  p.SetDrawStyle(DrawStyle::kDot);
  p.Box(25, 80, 175.5, 10, 0x808080);
  p.SetDrawWidth(0);  // the narrowest line is one unit wide
  p.Circle(-3, 7, 2, 0xFF0000);
  p.SetForeColor(0x800080);
  p.SetFontBold(true);
  p.SetFontSize(16);
  p.PrintAt(30, 20.25, "標高");
  EXPECT_DOUBLE_EQ(p.CurrentX(), 30);
  p.Cls();
  EXPECT_DOUBLE_EQ(p.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(p.CurrentY(), 0);
  p.Resize(300, 50);
  const std::vector<std::string> expected = {
      "erase #00FF00",
      "line (1,2)-(3,4) #123456 w1 solid",
      "box (25,80)-(175.5,10) #808080 w2 dot",
      "circle (-3,7) r2 #FF0000 w1 dot",
      "print (30,20.25) #800080 \"標高\" [ＭＳ 明朝 16 bold]",
      "erase #00FF00",
      "resize 300x50",
  };
  EXPECT_EQ(p.OpTexts(), expected);
  EXPECT_EQ(p.ScaleWidth(), 300);
}

class ImagePictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { plamor::testing::App(); }
  static QRgb Pixel(const ImagePicture& p, int x, int y) { return p.Image().pixel(x, y) & 0xFFFFFF; }
};

TEST_F(ImagePictureTest, DrawingStaysUntilErasedAndSurvivesResize) {
  ImagePicture p(60, 40, {"ＭＳ ゴシック", 9, false});
  EXPECT_EQ(Pixel(p, 10, 10), 0xFFFFFFu);
  p.Line(5, 10, 50, 10, 0x0000FF);
  p.Line(5, 20, 5, 30, 0xFF0000);
  EXPECT_EQ(Pixel(p, 20, 10), 0x0000FFu);
  EXPECT_EQ(Pixel(p, 5, 25), 0xFF0000u);
  EXPECT_EQ(Pixel(p, 20, 11), 0xFFFFFFu);

  p.Resize(80, 50);
  EXPECT_EQ(p.Image().width(), 80);
  EXPECT_EQ(Pixel(p, 20, 10), 0x0000FFu);  // kept
  EXPECT_EQ(Pixel(p, 70, 45), 0xFFFFFFu);  // new part shows the background

  p.SetBackColor(0x00FF00);
  EXPECT_EQ(Pixel(p, 20, 10), 0x00FF00u);
  p.SetBackColor(0xFFFFFF);

  // A dotted line leaves gaps; a solid one does not.
  p.SetDrawStyle(DrawStyle::kDot);
  p.Line(0, 30, 60, 30, 0x000000);
  int dark = 0;
  for (int x = 0; x < 60; ++x) dark += Pixel(p, x, 30) == 0 ? 1 : 0;
  EXPECT_GT(dark, 10);
  EXPECT_LT(dark, 50);
}

TEST_F(ImagePictureTest, JapaneseTextIsDrawnBelowAndRightOfItsPosition) {
  ImagePicture p(120, 60, {"ＭＳ ゴシック", 9, false});
  p.SetForeColor(0x000000);
  p.PrintAt(20, 20, "標高");
  int inked = 0, outside = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      if (Pixel(p, x, y) == 0xFFFFFFu) continue;
      (x >= 19 && y >= 19 && x < 50 && y < 36 ? inked : outside)++;
    }
  EXPECT_GT(inked, 30);  // both characters have ink (no missing-glyph boxes of one pixel width)
  EXPECT_EQ(outside, 0);

  QTemporaryDir dir;
  const std::string path = dir.filePath("p.png").toStdString();
  ASSERT_TRUE(p.SavePng(path));
  QImage back(QString::fromStdString(path));
  EXPECT_EQ(back.size(), p.Image().size());
  EXPECT_FALSE(p.SavePng(dir.filePath("missing/p.png").toStdString()));
}

}  // namespace
}  // namespace plamor::charts
