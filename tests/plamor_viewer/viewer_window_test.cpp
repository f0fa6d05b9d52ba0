// The viewer's window as a person uses it: the status bar says where the
// settings are kept, and after "図面作成" which drawing was written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdlib>

#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/viewer_window.h"
#include "platform/prompts_batch.h"
#include "platform/settings_store.h"
#include "tests/plamor_viewer/viewer_session.h"

namespace {

QPushButton* Button(QWidget* page, const QString& text) {
  for (QPushButton* b : page->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

TEST(ViewerWindow, StatusBarTellsTheSettingsFolderAndTheDrawingWritten) {
  plamor::testing::ViewerSession session;
  ASSERT_TRUE(session.folder.isValid());
  QTemporaryDir& folder = session.folder;

  plamor::viewer::ViewerWindow window;
  window.show();
  const QString settings = QString::fromStdString(plamor::settings::SettingsFolder().string());
  EXPECT_TRUE(settings.startsWith(folder.filePath("config"))) << settings.toStdString();
  EXPECT_EQ(window.statusBar()->currentMessage(), "設定: " + settings);

  ASSERT_TRUE(window.OpenFiles({PLAMOR_SOURCE_DIR "/examples/hq/arami_bashi_2023.csv"}));
  EXPECT_EQ(window.Tabs()->currentWidget(), window.Hq());
  // The server's save-file dialog chooses the drawing.
  const std::string target = folder.filePath("荒見橋.dxf").toStdString();
  plamor::prompts::BatchPrompter prompter({}, {target});
  plamor::prompts::SetCurrent(&prompter);
  QPushButton* make = Button(window.Hq(), "図面作成");
  ASSERT_NE(make, nullptr);
  make->click();
  plamor::prompts::SetCurrent(nullptr);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(target)));
  EXPECT_EQ(window.statusBar()->currentMessage(), QString::fromStdString("図面: " + target));

  // A file that cannot be opened is reported, and the page stays as it was.
  EXPECT_FALSE(window.OpenFiles({folder.filePath("missing.csv").toStdString()}));
  EXPECT_EQ(window.statusBar()->currentMessage(), QString::fromStdString("図面: " + target));
}

}  // namespace
