// The Qt prompter on the offscreen platform: message boxes with their texts,
// title, buttons, icon and default button answering with the button codes,
// and the save-file dialog with the filters converted, the preset name and
// the overwrite confirmation.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "platform/qt/qt_file_filter.h"
#include "platform/qt/qt_prompter.h"
#include "tests/support/qt_app.h"

namespace plamor::prompts {
namespace {

// Runs `act` on the modal dialog of type T as soon as it is shown.
template <class T>
void WhenShown(std::function<void(T&)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      act(*dialog);
    }
  });
  timer->start(5);
}

QStringList ButtonTexts(QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* button : box.buttons()) texts << button->text();
  texts.sort();
  return texts;
}

QAbstractButton* ButtonWithText(QMessageBox& box, const char* text) {
  for (QAbstractButton* button : box.buttons()) {
    if (button->text() == QString::fromUtf8(text)) return button;
  }
  return nullptr;
}

TEST(QtPrompter, MessageBoxShowsTheRequestAndAnswersWithTheButtonCode) {
  plamor::testing::App();
  QtPrompter prompter;
  WhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QString::fromUtf8("図面の作成を中止しますか？"));
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("中止の確認"));
    EXPECT_EQ(box.icon(), QMessageBox::Warning);
    EXPECT_EQ(ButtonTexts(box), (QStringList{QString::fromUtf8("いいえ(&N)"), QString::fromUtf8("はい(&Y)")}));
    ASSERT_NE(box.defaultButton(), nullptr);
    EXPECT_EQ(box.defaultButton()->text(), QString::fromUtf8("いいえ(&N)"));
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    ButtonWithText(box, "はい(&Y)")->click();
  });
  EXPECT_EQ(prompter.MessageBox({"図面の作成を中止しますか？", "中止の確認",
                                 static_cast<int>(kYesNo) | kExclamation | kDefaultButton2}),
            kYes);

  WhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QString::fromUtf8("書き込みできません。\n処理を中止します。"));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.defaultButton()->text(), QString::fromUtf8("再試行(&R)"));
    ButtonWithText(box, "キャンセル")->click();
  });
  EXPECT_EQ(prompter.MessageBox({"書き込みできません。\n処理を中止します。", "エラー確認",
                                 static_cast<int>(kRetryCancel) | kCritical}),
            kCancel);

}

TEST(QtPrompter, SaveDialogOffersTheFiltersAndThePresetName) {
  plamor::testing::App();
  const auto folder = std::filesystem::temp_directory_path() / "plamor-qt-prompter";
  std::filesystem::create_directories(folder);
  QtPrompter prompter;
  SaveFileRequest request;
  request.title = "名前を付けて保存";
  request.filter = "標準図面 (*.plm)|*.plm|標準テキスト (*.atz)|*.atz|DXFファイル (*.dxf)|*.dxf|";
  request.initialDir = folder.string() + "/";
  request.fileName = (folder / "新規図面").string();

  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("名前を付けて保存"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.nameFilters().size(), 3);
    EXPECT_EQ(dialog.selectedNameFilter(), QString::fromUtf8("標準図面 (*.plm)"));
    EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(folder.string()));
    dialog.selectFile(QString::fromStdString((folder / "plan.plm").string()));
    static_cast<QDialog&>(dialog).accept();  // as the Save button does
  });
  EXPECT_EQ(prompter.SaveFileName(request), (folder / "plan.plm").string());

  WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(prompter.SaveFileName(request), std::nullopt);
  std::filesystem::remove_all(folder);
}

TEST(QtFileFilter, HostFiltersBecomeQtNameFilters) {
  EXPECT_EQ(ToQtNameFilters("DXFファイル (*.dxf)|*.dxf|"), QStringList{QString::fromUtf8("DXFファイル (*.dxf)")});
  EXPECT_EQ(ToQtNameFilters("Drawings|*.plm;*.atz"), QStringList{"Drawings (*.plm *.atz)"});
}

}  // namespace
}  // namespace plamor::prompts
