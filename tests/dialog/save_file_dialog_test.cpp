// The save-file dialog of the server dialog: filters, flags, the preset name
// in FilePath or the desktop folder, FilePath taken from the chosen file.
#include <cstdlib>
#include <filesystem>

#include "server/dialog/save_file_dialog.h"
#include "tests/dialog/output_support.h"

namespace plamor::testing {
namespace {

namespace fs = std::filesystem;

class SaveFileDialogTest : public OutputTest {
 protected:
  void SetUp() override {
    OutputTest::SetUp();
    const char* home = std::getenv("HOME");
    if (home) savedHome_ = home;
    ::setenv("HOME", temp.path().c_str(), 1);  // the desktop folder is then temp/Desktop
  }
  void TearDown() override {
    ::setenv("HOME", savedHome_.c_str(), 1);
    Settings().FilePath.clear();
  }

 private:
  std::string savedHome_;
};

TEST_F(SaveFileDialogTest, MissingFolderFallsBackToTheDesktopAndTheChoiceSetsFilePath) {
  Settings().FilePath = Path("deleted") + "/";
  fs::create_directories(temp / "A");
  prompter->ExpectSaveFile(kSaveDialogTitle, Path("A/B.plm"));
  EXPECT_EQ(dlg.OpenFileNameDlg(), Path("A/B.plm"));
  EXPECT_EQ(dlg.FileName, Path("A/B.plm"));
  EXPECT_EQ(Settings().FilePath, Path("A") + "/");
  const prompts::SaveFileRequest& request = prompter->SaveRequests().at(0);
  EXPECT_EQ(request.fileName, Path("Desktop") + "/新規図面");
  EXPECT_EQ(request.initialDir, Path("Desktop") + "/");
  EXPECT_EQ(request.filter, "標準図面 (*.plm)|*.plm|標準テキスト (*.atz)|*.atz|DXFファイル (*.dxf)|*.dxf|");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_TRUE(request.confirmOverwrite);
  EXPECT_TRUE(request.pathMustExist);
}

TEST_F(SaveFileDialogTest, FolderWithoutSeparatorDxfOnlyAndCancel) {
  fs::create_directories(temp / "work");
  Settings().FilePath = Path("work");
  dlg.DXF_Only = true;
  dlg.FileName = "kept.dxf";
  prompter->ExpectSaveFile(kSaveDialogTitle, std::nullopt);
  EXPECT_EQ(dlg.OpenFileNameDlg(), "");
  EXPECT_EQ(dlg.FileName, "");
  EXPECT_EQ(Settings().FilePath, Path("work"));  // unchanged by a cancel
  const prompts::SaveFileRequest& request = prompter->SaveRequests().at(0);
  EXPECT_EQ(request.fileName, Path("work") + "/新規図面");
  EXPECT_EQ(request.filter, "DXFファイル (*.dxf)|*.dxf|");
}

}  // namespace
}  // namespace plamor::testing
