// The server's small shared routines: layer codes and attribute words, the
// host's folder and path forms, the file prompts, search keys, rounding and
// rotation, and the topmost window requests.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/folders.h"
#include "platform/cp932.h"
#include "platform/host_paths.h"
#include "platform/prompts_scripted.h"
#include "server/dialog/file_prompts.h"
#include "server/dialog/topmost_window.h"
#include "server/elements/column_rounding.h"
#include "server/elements/double_hex_key.h"
#include "server/elements/rotation.h"
#include "server/formats/layer_codes.h"
#include "server/types.h"

namespace fs = std::filesystem;
using namespace plamor;
namespace pr = plamor::prompts;

using folders::AddPathSeparator;
using folders::GetShortPath;
using folders::GetSpecialFolderPath;
using folders::kDesktopFolderId;
using folders::StripAtNull;

namespace {

// Deletes a file the way the output run clears the way for its file: a file
// in use or write-protected offers Retry/Cancel, other errors are shown.
bool DeleteOutputFile(const std::string& path) {
  return RetryWhileFileInUse([&]() -> std::optional<oserr::FileError> {
    if (::unlink(path.c_str()) == 0) return std::nullopt;
    return oserr::FromErrno(errno, path);
  });
}

int Style(int buttons, int icon) { return buttons | icon; }
const int kError = Style(pr::kOkOnly, pr::kCritical);

// Every test runs with a scripted prompter that expects nothing unless told.
class ServerRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pr::SetCurrent(&prompter_);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    pr::SetCurrent(nullptr);
    EXPECT_TRUE(prompter_.Complete()) << ::testing::PrintToString(prompter_.Failures())
                                      << ::testing::PrintToString(prompter_.Unanswered());
    fs::remove_all(folder_);
  }
  const fs::path folder_ = "/tmp/c" + std::to_string(getpid());
  pr::ScriptedPrompter prompter_;
};

TEST_F(ServerRoutinesTest, LayerCodesAndAttributeWords) {
  BuildLayerCodeTable();
  const auto& code = Settings().LayerCode;
  EXPECT_EQ(code[1], 64);
  EXPECT_EQ(code[7], 1);
  EXPECT_EQ(code[8], 3);
  EXPECT_EQ(code[12], 9);
  EXPECT_EQ(code[127], 127);
  EXPECT_EQ(code[128], 0);
  EXPECT_EQ(std::set<int32_t>(&code[1], &code[128]).size(), 127u) << "no code twice";

  EXPECT_EQ(PackAttributeWord(0, 0, 0, 1), -32767);
  EXPECT_EQ(PackAttributeWord(3, 2, 7, 7), 512 + 7 * 64 + 2 * 16 + 3 * 4 + 1);
  EXPECT_EQ(PackAttributeWord(1, 0, 4, 128), 4 * 64 + 4 + 1);
  EXPECT_EQ(PackAttributeWord(0, 0, 1024, 7), 512 + 1) << "products wrap within the word";
  prompter_.ExpectMessage("インデックスが有効範囲にありません。", "ｴﾗｰ", kError, pr::kOk);
  EXPECT_EQ(PackAttributeWord(0, 0, 1, 129), 0);
}

TEST_F(ServerRoutinesTest, FolderAndPathHelpers) {
  auto added = [](std::string p) { AddPathSeparator(p); return p; };
  EXPECT_EQ(added("/home/u/Desktop/"), "/home/u/Desktop/");
  EXPECT_EQ(added("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(added("/data/x  "), "/data/x/");
  EXPECT_EQ(added(""), "/");
  EXPECT_EQ(StripAtNull("no nul"), "no nul");
  EXPECT_EQ(StripAtNull(std::string("/a/b\0junk", 9)), "/a/b");
  setenv("HOME", "/home/u", 1);
  setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  EXPECT_EQ(GetSpecialFolderPath(kDesktopFolderId), "/home/u/Desktop/");
  EXPECT_EQ(GetSpecialFolderPath(5), "/");

  // 90 kanji: more than 255 bytes of UTF-8 but fewer in CP932, so the path is kept...
  std::string kanji;
  for (int i = 0; i < 45; ++i) kanji += "川";
  const fs::path japanese = folder_ / kanji / kanji;
  fs::create_directories(japanese);
  ASSERT_GT(japanese.string().size(), 255u);
  EXPECT_EQ(GetShortPath(japanese.string()), japanese.string());
  // ...while a longer one, or one that does not exist, gives "".
  std::ofstream(japanese / std::string(70, 'a')) << "x";
  EXPECT_EQ(GetShortPath((japanese / std::string(70, 'a')).string()), "");
  EXPECT_EQ(GetShortPath((folder_ / "missing").string()), "");
}

TEST_F(ServerRoutinesTest, DeletingTheOutputFileRetriesWhileTheUserAsks) {
  const std::string inUse =
      "ほかのプロセスによって、ファイルが使用されているか、ライトプロテクトが有効になっています。\n"
      "（ＣＡＤで現在、編集中の可能性もあります。）";
  const int retryCancel = Style(pr::kRetryCancel, pr::kExclamation);
  const fs::path file = folder_ / "out.dxf";
  std::ofstream(file) << "x";
  EXPECT_TRUE(DeleteOutputFile(file.string()));
  EXPECT_FALSE(fs::exists(file));

  fs::create_directories(file);  // a folder in the way; the user frees the name, then retries
  prompter_.ExpectMessage(inUse, "確認", retryCancel, pr::kRetry)
      .ExpectMessage(inUse, "確認", retryCancel, pr::kRetry, [&] {
        fs::remove(file);
        std::ofstream(file) << "x";
      })
      .ExpectMessage(inUse, "確認", retryCancel, pr::kCancel);
  EXPECT_TRUE(DeleteOutputFile(file.string()));
  EXPECT_FALSE(fs::exists(file));
  fs::create_directories(folder_ / "d");
  EXPECT_FALSE(DeleteOutputFile((folder_ / "d").string())) << "the user gave up";
  EXPECT_TRUE(fs::exists(folder_ / "d"));

  prompter_.ExpectMessage("ファイルが見つかりません。", "ｴﾗｰ", kError, pr::kOk)
      .ExpectMessage("パスが見つかりません。", "ｴﾗｰ", kError, pr::kOk);
  EXPECT_FALSE(DeleteOutputFile((folder_ / "never.dxf").string()));
  EXPECT_FALSE(DeleteOutputFile((folder_ / "no" / "never.dxf").string()));
}

TEST_F(ServerRoutinesTest, FileErrorPromptOffersRetryAnotherNameOrStop) {
  prompter_.ExpectMessage("デバイス I/O エラーです。", "エラー確認", pr::kRetryCancel, pr::kRetry)
      .ExpectMessage("ディスクの空き容量が不足しています。\n再度、ファイル名の指示を行いますか？",
                     "エラー確認", pr::kYesNo, pr::kYes)
      .ExpectMessage("パスが見つかりません。\n処理を中止します。", "エラー確認", kError, pr::kOk);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(57)), 4);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(61)), 6);
  EXPECT_EQ(AskFileErrorAction(oserr::FromNumber(76)), 1);
}

TEST_F(ServerRoutinesTest, KeysRoundingLengthsAngles) {
  EXPECT_EQ(DoubleToHexKey(1.0), "000000000000F03F");
  EXPECT_EQ(DoubleToHexKey(-0.0), "0000000000000080") << "-0 and 0 are different keys";
  EXPECT_EQ(RoundToColumns(2.5, 0), "3");
  EXPECT_EQ(RoundToColumns(1.23456, 2), "1.23");
  EXPECT_EQ(RoundToColumns(1.005, 2), "1.01");
  EXPECT_EQ(cp932::ByteLength("河川断面"), 8u);
  EXPECT_EQ(cp932::ByteLength("ｴﾗｰ"), 3u) << "half-width kana take one byte";
  EXPECT_NEAR(RotateX(1, 0, 90), 0, 1e-14);
  EXPECT_NEAR(RotateY(2, 3, 180), -3, 1e-13);
  EXPECT_NE(RotateY(1, 0, 180), 0.0) << "pi is taken to 15 digits";
}

TEST_F(ServerRoutinesTest, TopmostRequestsReachTheWindow) {
  struct Window : TopmostWindow {
    void SetTopMost(bool on) override { calls += on ? "+" : "-"; }
    std::string calls;
  } window;
  SetWindowTopMost(&window);
  ClearWindowTopMost(&window);
  SetWindowTopMost(nullptr);
  EXPECT_EQ(window.calls, "+-");
}

}  // namespace
