#include "server/common.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/prompts_scripted.h"
#include "server/topmost_window.h"
#include "server/types.h"

namespace fs = std::filesystem;
using namespace plamor;
namespace pr = plamor::prompts;

namespace {

int Style(int buttons, int icon) { return buttons | icon; }

const char* kInUseText =
    "ほかのプロセスによって、ファイルが使用されているか、ライトプロテクトが有効になっています。\n"
    "（ＣＡＤで現在、編集中の可能性もあります。）";

// Every test runs with a scripted prompter that expects nothing unless told.
class CommonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pr::SetCurrent(&prompter_);
    folder_ = fs::temp_directory_path() /
              ("common_test_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    pr::SetCurrent(nullptr);
    EXPECT_TRUE(prompter_.Failures().empty()) << prompter_.Failures().front();
    EXPECT_TRUE(prompter_.Unanswered().empty()) << prompter_.Unanswered().front();
    fs::remove_all(folder_);
  }
  fs::path folder_;
  pr::ScriptedPrompter prompter_;
};

TEST_F(CommonTest, LayerCodesAreDistinctWithSingleBitsForTheFirstSeven) {
  BuildLayerCodeTable();
  const auto& code = Settings().LayerCode;
  EXPECT_EQ(code[1], 64);
  EXPECT_EQ(code[7], 1);
  EXPECT_EQ(code[8], 3);
  EXPECT_EQ(code[9], 5);
  EXPECT_EQ(code[11], 7);
  EXPECT_EQ(code[12], 9);
  EXPECT_EQ(code[127], 127);
  EXPECT_EQ(code[128], 0);
  std::set<int32_t> seen;
  for (int layer = 1; layer <= 127; ++layer) {
    EXPECT_TRUE(code[layer] >= 1 && code[layer] <= 127) << layer;
    EXPECT_TRUE(seen.insert(code[layer]).second) << "code " << code[layer] << " twice";
  }
}

TEST_F(CommonTest, AttributeWordsPackLayerPenSubAndKind) {
  BuildLayerCodeTable();
  EXPECT_EQ(PackAttributeWord(0, 0, 0, 1), -32767);
  EXPECT_EQ(PackAttributeWord(3, 2, 7, 7), 1 * 512 + 7 * 64 + 2 * 16 + 3 * 4 + 1);
  EXPECT_EQ(PackAttributeWord(1, 0, 4, 128), 4 * 64 + 4 + 1) << "layer 128 has code 0";
  EXPECT_EQ(PackAttributeWord(0, 0, 0, 8), 3 * 512 + 1);
  // Out-of-range parts wrap within the word instead of failing.
  EXPECT_EQ(PackAttributeWord(0, 0, 1024, 7), static_cast<int16_t>(512 + 1));

  prompter_.ExpectMessage("インデックスが有効範囲にありません。", "ｴﾗｰ", Style(pr::kOkOnly, pr::kCritical), pr::kOk)
      .ExpectMessage("インデックスが有効範囲にありません。", "ｴﾗｰ", Style(pr::kOkOnly, pr::kCritical), pr::kOk);
  EXPECT_EQ(PackAttributeWord(0, 0, 1, 0), 0);
  EXPECT_EQ(PackAttributeWord(0, 0, 1, 129), 0);
}

TEST_F(CommonTest, PathsGainOneSeparatorAndStopAtNul) {
  auto added = [](std::string p) { AddPathSeparator(p); return p; };
  EXPECT_EQ(added("/home/u/Desktop/"), "/home/u/Desktop/");
  EXPECT_EQ(added("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(added("/data/x  "), "/data/x/");
  EXPECT_EQ(added("/data/x/  "), "/data/x/  ") << "unchanged when it ends in a separator";
  EXPECT_EQ(added(""), "/");
  EXPECT_EQ(added("   "), "/");
  EXPECT_EQ(StripAtNull("no nul"), "no nul");
  EXPECT_EQ(StripAtNull(std::string("/a/b\0\0\0junk", 12)), "/a/b");
  EXPECT_EQ(StripAtNull(std::string("\0x", 2)), "");

  ::setenv("HOME", folder_.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
  EXPECT_EQ(GetSpecialFolderPath(kDesktopFolderId), (folder_ / "Desktop").string() + "/");
  EXPECT_EQ(GetSpecialFolderPath(5), "/") << "an unknown folder gives the bare separator";
}

TEST_F(CommonTest, ShortPathsAreExistingPathsOfAtMost255Bytes) {
  const fs::path file = folder_ / "図面.plm";
  std::ofstream(file) << "x";
  EXPECT_EQ(GetShortPath(file.string()), file.string());
  EXPECT_EQ(GetShortPath((folder_ / "missing.plm").string()), "");
  EXPECT_EQ(GetShortPath(""), "");

  // Two folders of 45 kanji under a short root: about 284 bytes of UTF-8 but
  // 194 in CP932, so the limit is not reached...
  const fs::path root = "/tmp/s" + std::to_string(getpid());
  std::string kanji;
  for (int i = 0; i < 45; ++i) kanji += "川";
  const fs::path japanese = root / kanji / kanji;
  fs::create_directories(japanese);
  ASSERT_GT(japanese.string().size(), 255u);
  EXPECT_EQ(GetShortPath(japanese.string()), japanese.string());
  // ...while a path longer than 255 bytes in CP932 is refused.
  const fs::path longer = japanese / std::string(70, 'a');
  std::ofstream(longer) << "x";
  ASSERT_TRUE(fs::exists(longer));
  EXPECT_EQ(GetShortPath(longer.string()), "");
  fs::remove_all(root);
}

TEST_F(CommonTest, DeletingTheOutputFileRetriesWhileTheUserAsks) {
  const fs::path file = folder_ / "out.dxf";
  std::ofstream(file) << "x";
  EXPECT_TRUE(DeleteOutputFile(file.string()));
  EXPECT_FALSE(fs::exists(file));

  // A folder in the way cannot be deleted as a file; the user frees the name and retries.
  fs::create_directories(file);
  prompter_.ExpectMessage(kInUseText, "確認", Style(pr::kRetryCancel, pr::kExclamation), pr::kRetry)
      .ExpectMessage(kInUseText, "確認", Style(pr::kRetryCancel, pr::kExclamation), pr::kRetry, [&] {
        fs::remove(file);
        std::ofstream(file) << "x";
      });
  EXPECT_TRUE(DeleteOutputFile(file.string()));
  EXPECT_FALSE(fs::exists(file));

  fs::create_directories(file);
  prompter_.ExpectMessage(kInUseText, "確認", Style(pr::kRetryCancel, pr::kExclamation), pr::kCancel);
  EXPECT_FALSE(DeleteOutputFile(file.string()));
  EXPECT_TRUE(fs::is_directory(file)) << "nothing else is touched";

  prompter_.ExpectMessage("ファイルが見つかりません。", "ｴﾗｰ", Style(pr::kOkOnly, pr::kCritical), pr::kOk)
      .ExpectMessage("パスが見つかりません。", "ｴﾗｰ", Style(pr::kOkOnly, pr::kCritical), pr::kOk);
  EXPECT_FALSE(DeleteOutputFile((folder_ / "never.dxf").string()));
  EXPECT_FALSE(DeleteOutputFile((folder_ / "no" / "never.dxf").string()));
}

TEST_F(CommonTest, FileErrorPromptOffersRetryAnotherNameOrStop) {
  prompter_.ExpectMessage("デバイス I/O エラーです。", "エラー確認", pr::kRetryCancel, pr::kRetry)
      .ExpectMessage("書き込みできません。", "エラー確認", pr::kRetryCancel, pr::kCancel)
      .ExpectMessage("ファイルへの保存中にエラーが発生しました。", "エラー確認", pr::kRetryCancel, pr::kRetry)
      .ExpectMessage("ディスクの空き容量が不足しています。\n再度、ファイル名の指示を行いますか？",
                     "エラー確認", pr::kYesNo, pr::kYes)
      .ExpectMessage("パスが見つかりません。\n処理を中止します。", "エラー確認",
                     Style(pr::kOkOnly, pr::kCritical), pr::kOk);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(57)), 4);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(70)), 2);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(31036)), 4);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(61)), 6);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(76)), 1);
}

TEST_F(CommonTest, SearchKeysAreTheHexFormOfTheLibrary) {
  EXPECT_EQ(DoubleToHexKey(1.0), "000000000000F03F");
  EXPECT_EQ(DoubleToHexKey(0.0), "0000000000000000");
  EXPECT_EQ(DoubleToHexKey(-0.0), "0000000000000080") << "-0 and 0 are different keys";
  EXPECT_EQ(DoubleToHexKey(-2.5), "00000000000004C0");
}

TEST_F(CommonTest, RoundingToColumnsAndByteLengths) {
  EXPECT_EQ(RoundToColumns(2.5, 0), "3");
  EXPECT_EQ(RoundToColumns(1.23456, 2), "1.23");
  EXPECT_EQ(RoundToColumns(1.005, 2), "1.01");
  EXPECT_EQ(RoundToColumns(-2.5, 0), "-3");
  EXPECT_EQ(RoundToColumns(12.3456789, 6), "12.345679");
  EXPECT_EQ(AnsiByteLength("abc"), 3);
  EXPECT_EQ(AnsiByteLength("河川断面"), 8);
  EXPECT_EQ(AnsiByteLength("ｴﾗｰ"), 3) << "half-width kana take one byte";
  EXPECT_EQ(AnsiByteLength(""), 0);
}

TEST_F(CommonTest, AngleRoutinesRotateAndTraceEllipses) {
  EXPECT_NEAR(RotateX(1, 0, 90), 0, 1e-14);
  EXPECT_NEAR(RotateY(1, 0, 90), 1, 1e-14);
  EXPECT_NEAR(RotateX(2, 3, 180), -2, 1e-13);
  EXPECT_NEAR(RotateY(2, 3, 180), -3, 1e-13);
  EXPECT_EQ(RotateX(2, 3, 0), 2);
  // A circle (a = b) traced by c from the inclination d: the point at angle c.
  EXPECT_NEAR(EllipseX(5, 5, 30, 0), 5 * std::cos(M_PI / 6), 1e-12);
  EXPECT_NEAR(EllipseY(5, 0, 90, 0), 2.5, 1e-12);
  EXPECT_NEAR(EllipseY(5, 5, 90, 0), 0, 1e-12);
  // pi is taken to 15 digits: sin of 180 degrees is not exactly 0.
  EXPECT_NE(RotateY(1, 0, 180), 0.0);
}

class RecordingWindow : public TopmostWindow {
 public:
  void SetTopMost(bool on) override { calls += on ? "+" : "-"; }
  std::string calls;
};

TEST_F(CommonTest, TopmostRequestsReachTheWindow) {
  RecordingWindow window;
  SetWindowTopMost(&window);
  ClearWindowTopMost(&window);
  EXPECT_EQ(window.calls, "+-");
  SetWindowTopMost(nullptr);
  ClearWindowTopMost(nullptr);
}

}  // namespace
