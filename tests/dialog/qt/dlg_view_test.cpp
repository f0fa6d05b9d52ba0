// The server dialog's Qt window on the offscreen platform: caption, labels,
// progress, the enlarged preview, a whole output run started by the paint of
// the shown window, the cancel button and the close box. Also leaves a
// screenshot of the window in the middle of a run in /tmp.
#include <QCoreApplication>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "platform/device_context.h"
#include "platform/numeric_text.h"
#include "server/dialog/plamor_dlg.h"
#include "server/qt/preview_picture.h"
#include "server/qt/qt_dlg_view.h"
#include "server/qt/qt_event_pump.h"
#include "tests/dialog/output_support.h"
#include "tests/support/qt_app.h"

namespace plamor::testing {
namespace {

constexpr const char* kScreenshot = "/tmp/plamor-dialog.png";

// The Qt pump of the server with a hook after every round.
class HookedPump final : public EventPump {
 public:
  explicit HookedPump(const frmPlamorDlg*& dlg) : inner_([&dlg] { return dlg && dlg->IdolePlamorOutPut; }) {}
  void ProcessPendingEvents() override {
    inner_.ProcessPendingEvents();
    ++calls;
    if (onRound) onRound(calls);
  }
  int calls = 0;
  std::function<void(int)> onRound;

 private:
  QtEventPump inner_;
};

class QtDlgViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWriterSettings();
    view.AttachDialog(&dlg);
    dlgPointer = &dlg;
  }
  void TearDown() override { dlgPointer = nullptr; }

  // A sheet of lines, circles and texts.
  void AddDrawing() {
    dlg.SetPaperSize(ktpA3);
    for (int i = 0; i <= 10; ++i) {
      dlg.Sen(0, i * 29.7, 420, i * 29.7);
      dlg.Sen(i * 42, 0, i * 42, 297);
    }
    dlg.En(210, 148.5, 100);
    dlg.Enko(210, 148.5, 60, 0, 180);
    dlg.mTextHeight = 40;
    dlg.mTextWidth = 30;
    dlg.Moji(40, 250, "ABC");
    pump.calls = 0;
  }

  // What the host's OutPutPlamor does, then the host's polling loop.
  void RunAsTheHost() {
    dlg.IdolePlamorOutPut = true;
    view.Hide();
    dlg.MGL_PATH = FontPath();
    dlg.StartOutPut = true;
    view.Show();
    for (int polls = 0; polls < 2000 && dlg.IdolePlamorOutPut; ++polls) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
  }

  QApplication& app = App();
  TempFolder temp;
  ScopedPrompter prompter;
  const frmPlamorDlg* dlgPointer = nullptr;
  QtDlgView view;
  HookedPump pump{dlgPointer};
  frmPlamorDlg dlg{view, &pump};
};

TEST_F(QtDlgViewTest, WindowShowsCaptionCountsAndNoProgress) {
  EXPECT_EQ(view.windowTitle(), QString::fromUtf8("図面作成"));
  EXPECT_EQ(view.CancelButton().text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(view.x(), screen.x() + (screen.width() - view.width()) / 2);
  EXPECT_EQ(view.y(), screen.y() + (screen.height() - view.height()) / 2);
  view.SetTopMost(true);
  EXPECT_TRUE(view.windowFlags() & Qt::WindowStaysOnTopHint);
  view.SetTopMost(false);
  EXPECT_FALSE(view.windowFlags() & Qt::WindowStaysOnTopHint);

  dlg.ShowDialog();
  EXPECT_TRUE(view.isVisible());
  EXPECT_EQ(view.LabelText(0), QString::fromUtf8("要素登録中．．．．．．！！"));
  EXPECT_EQ(view.LabelText(2), QString::fromUtf8("円要素数＝ 0 個"));
  EXPECT_FALSE(view.ProgressBar().isVisible());
  EXPECT_EQ(view.Preview().size(), QSize(84 * 3, 59 * 3));
}

TEST_F(QtDlgViewTest, PaintOfTheShownWindowRunsTheOutput) {
  AddDrawing();
  const std::int32_t count = dlg.YousoCount();
  const auto file = temp / "plan.dxf";
  dlg.FileName = file.string();
  QString outputLabel;
  int outputProgress = -1;
  pump.onRound = [&](int n) {
    if (n != count + count / 2) return;  // the middle of the output phase
    outputLabel = view.LabelText(2);
    outputProgress = view.ProgressBar().value();
    EXPECT_TRUE(view.ProgressBar().isVisible());
    view.grab().toImage().save(kScreenshot);
  };
  RunAsTheHost();
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_FALSE(view.isVisible());
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(outputLabel, QString::fromUtf8("出力先  ") + QString::fromStdString(file.string()));
  EXPECT_EQ(outputProgress, numtext::ToInt16(double(count / 2) / count * 32767));
  EXPECT_EQ(view.LabelText(0), QString::fromUtf8("図面出力中．．．．．．！！"));
  EXPECT_EQ(view.LabelText(3), QString::fromUtf8("処理中 100.00%"));
  EXPECT_EQ(view.ProgressBar().maximum(), 32767);
  EXPECT_EQ(view.ProgressBar().value(), 32767);
  EXPECT_TRUE(QImage(kScreenshot).width() > 0);

  // The preview shows the device context's pixels, each as a sharp 3 x 3 block.
  const QImage surface = view.Preview().SurfaceImage();
  const QImage shown = const_cast<PreviewPicture&>(view.Preview()).grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(84 * 3, 59 * 3));
  int drawn = 0;
  for (int y = 0; y < 59; ++y) {
    for (int x = 0; x < 84; ++x) {
      const QRgb pixel = surface.pixel(x, y);
      const ColorRef source = view.PreviewDC()->GetPixel(x, y);
      ASSERT_EQ(pixel, qRgb(RedOf(source), GreenOf(source), BlueOf(source)));
      if (pixel != qRgb(255, 255, 255)) ++drawn;
      ASSERT_EQ(shown.pixel(3 * x, 3 * y), pixel) << x << "," << y;
      ASSERT_EQ(shown.pixel(3 * x + 2, 3 * y + 1), pixel) << x << "," << y;
    }
  }
  EXPECT_GT(drawn, 100);  // the grid, circles and text reached the preview
}

TEST_F(QtDlgViewTest, CancelButtonStopsTheRun) {
  AddDrawing();
  dlg.FileName = (temp / "plan.dxf").string();
  prompter->ExpectMessage("図面の作成を中止しますか？", "中止の確認",
                          static_cast<int>(prompts::kYesNo) | prompts::kExclamation | prompts::kDefaultButton2,
                          prompts::kYes, [&] { EXPECT_FALSE(view.CancelButton().isEnabled()); });
  pump.onRound = [&](int n) {
    if (n == 3) view.CancelButton().click();
  };
  RunAsTheHost();
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_TRUE(dlg.Cancel());
  EXPECT_TRUE(view.CancelButton().isEnabled());
  EXPECT_FALSE(view.isVisible());
  EXPECT_FALSE(std::filesystem::exists(temp / "plan.dxf"));
}

TEST_F(QtDlgViewTest, CloseBoxOnlyAsksAndOtherClosesEmptyTheStore) {
  AddDrawing();
  dlg.ShowDialog();
  const int style = static_cast<int>(prompts::kYesNo) | prompts::kExclamation | prompts::kDefaultButton2;
  prompter->ExpectMessage("図面の作成を中止しますか？", "中止の確認", style, prompts::kNo)
      .ExpectMessage("図面の作成を中止しますか？", "中止の確認", style, prompts::kYes);
  ASSERT_NE(view.windowHandle(), nullptr);
  view.windowHandle()->close();  // as the window system's close box does
  EXPECT_TRUE(view.isVisible());
  EXPECT_FALSE(dlg.Cancel());
  view.windowHandle()->close();
  EXPECT_TRUE(view.isVisible());
  EXPECT_TRUE(dlg.Cancel());
  EXPECT_GT(dlg.YousoCount(), 0);

  view.CloseFromServer();
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(dlg.YousoCount(), 0);
}

}  // namespace
}  // namespace plamor::testing
