#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "charts/danmen.h"
#include "charts/host_error.h"
#include "charts/picture_box.h"
#include "charts/tbunpu.h"
#include "observation_lines.h"
#include "tests/support/qt_app.h"

namespace plamor::charts {
namespace {

class WidgetsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { plamor::testing::App(); }
  static int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) inked += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return inked;
  }
};

std::vector<std::string> Sample() {
  charts_test::ObservationText o;
  o.header = {{3, "断面"}, {18, "T.P."}};
  o.observation = {{1, "1"}, {2, "2003/07/15"}, {10, "2"}, {11, "2"}};
  o.distances = "0,10,20,30";
  o.firstDepths = o.secondDepths = "-1,1,1.5,-1";
  return charts_test::Lines(o);
}

TEST_F(WidgetsTest, DanmenPictureFillsTheControlAndKeepsItsDrawingOnResize) {
  Danmen danmen;
  danmen.resize(420, 332);
  danmen.show();
  const auto& area = danmen.PictureArea();
  EXPECT_EQ(area.geometry(), QRect(0, 0, 420, 332));
  EXPECT_EQ(area.Picture().ScaleWidth(), 420);

  danmen.SetData(Sample());
  EXPECT_EQ(InkedPixels(area.Picture().Image()), 0);  // blank white after SetData
  danmen.DanmenZu(1);
  const int inked = InkedPixels(area.Picture().Image());
  EXPECT_GT(inked, 1000);
  EXPECT_EQ(area.Picture().Image().pixel(25, 312) & 0xFFFFFF, 0x808080u);  // frame corner

  danmen.resize(500, 400);  // nothing is redrawn
  EXPECT_EQ(area.geometry(), QRect(0, 0, 500, 400));
  EXPECT_EQ(area.Picture().ScaleHeight(), 400);
  EXPECT_EQ(InkedPixels(area.Picture().Image()), inked);
  danmen.Redisp();
  EXPECT_EQ(area.Picture().Image().pixel(25, 380) & 0xFFFFFF, 0x808080u);  // redrawn to the new size

  EXPECT_THROW(danmen.DanmenZu(2), HostError);
  EXPECT_EQ(danmen.KansokuNo(1), "1");
  EXPECT_GT(danmen.ScreenWidth(), 0.0f);
  EXPECT_GT(danmen.ScreenHeight(), 0.0f);
  danmen.Clear();
  EXPECT_EQ(danmen.Count(), 0);
}

TEST_F(WidgetsTest, TBunpuDrawsItsChart) {
  TBunpu tbunpu;
  tbunpu.resize(600, 400);
  tbunpu.SetGrpData({0, 1.0}, {0, 35}, {0, 1}, {0, 1}, {0, 1}, {0, 1});
  tbunpu.SetDatNo({"", "1"});
  tbunpu.SetYMax(2);
  tbunpu.SetQMax(70);
  tbunpu.HQsakuga(0);
  const QImage& image = tbunpu.PictureArea().Picture().Image();
  EXPECT_EQ(image.size(), QSize(600, 400));
  // The marker of the measurement: Q 35 at x = 30 + 3.5 * 80 = 310, H 1.0 at y = 380 - 2.6 * 70 = 198.
  EXPECT_EQ(image.pixel(312, 198) & 0xFFFFFF, 0xFF0000u);
  EXPECT_GT(tbunpu.ScreenWidth(), 0.0f);
  EXPECT_EQ(tbunpu.Seireki(), 0);
}

TEST_F(WidgetsTest, DemonstrationWritesBothScreenshots) {
  QTemporaryDir dir;
  QProcess demo;
  demo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  demo.start(QString(PLAMOR_BIN_DIR) + "/marovel-demo", {"--screenshot", dir.filePath("shots")});
  ASSERT_TRUE(demo.waitForFinished(60000));
  EXPECT_EQ(demo.exitCode(), 0);
  for (const char* name : {"danmen.png", "tbunpu.png"}) {
    QImage shot(dir.filePath(QString("shots/") + name));
    ASSERT_FALSE(shot.isNull()) << name;
    EXPECT_GT(InkedPixels(shot), 2000) << name;
  }
}

}  // namespace
}  // namespace plamor::charts
