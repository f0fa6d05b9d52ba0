// The output run with a headless dialog: start by paint, labels and progress,
// the three kinds by file name, the save dialog, cancelling in both phases,
// file errors answered Retry, Yes and otherwise, the memo file, files that
// existed before, line merging, the world window and the stroke-font lookup.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "server/formats/output_file.h"
#include "server/dialog/output_run.h"
#include "server/dialog/save_file_dialog.h"
#include "tests/dialog/output_support.h"
#include "tests/server/writer_test_support.h"

namespace plamor::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kStopAndAsk = static_cast<int>(prompts::kRetryCancel) | prompts::kExclamation;

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The names in the folder besides the settings folder.
std::vector<std::string> FolderNames(const TempFolder& temp) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(temp.path())) {
    if (entry.path().filename() != "config") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Stands for a file the test keeps, so that it can be read after the run.
class ForwardingFile final : public OutputFile {
 public:
  explicit ForwardingFile(OutputFile& file) : file_(file) {}
  std::optional<FileError> Open(const std::string& path, OpenMode mode) override { return file_.Open(path, mode); }
  WriteOutcome Write(std::string_view bytes) override { return file_.Write(bytes); }
  std::optional<FileError> Close() override { return file_.Close(); }
  void Discard() override { file_.Discard(); }

 private:
  OutputFile& file_;
};

// Hands out the queued files in turn, then memory files; keeps every file it made.
struct FileSupply {
  std::vector<std::unique_ptr<MemoryOutputFile>> queued;
  std::vector<std::unique_ptr<MemoryOutputFile>> made;
  OutputFileMaker Maker() {
    return [this]() -> std::unique_ptr<OutputFile> {
      if (!queued.empty()) {
        made.push_back(std::move(queued.front()));
        queued.erase(queued.begin());
      } else {
        made.push_back(std::make_unique<MemoryOutputFile>());
      }
      return std::make_unique<ForwardingFile>(*made.back());
    };
  }
};

// Files that fail at the n-th write (taking some bytes first), at opening or at the first close.
std::unique_ptr<MemoryOutputFile> WriteFails(int at, std::size_t taken, FileError error) {
  FailingOutputFile::Plan plan;
  plan.failAtWrite = at;
  plan.takenBeforeFailure = taken;
  plan.error = std::move(error);
  return std::make_unique<FailingOutputFile>(plan);
}
std::unique_ptr<MemoryOutputFile> OpenFails(FileError error) {
  FailingOutputFile::Plan plan;
  plan.openError = std::move(error);
  return std::make_unique<FailingOutputFile>(plan);
}
std::unique_ptr<MemoryOutputFile> CloseFails(FileError error) {
  FailingOutputFile::Plan plan;
  plan.closeError = std::move(error);
  return std::make_unique<FailingOutputFile>(plan);
}

using OutputRunTest = OutputTest;

TEST_F(OutputRunTest, PaintStartsTheRunWhichWritesDxfWithProgress) {
  AddSample();
  const fs::path file = temp / "plan.dxf";
  dlg.FileName = file.string();
  RequestOutput();
  EXPECT_TRUE(dlg.IdolePlamorOutPut);
  EXPECT_FALSE(fs::exists(file));  // the request returns before anything is written

  pump.ProcessPendingEvents();  // the first paint of the shown window starts the run
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_FALSE(dlg.StartOutPut);
  EXPECT_FALSE(view.visible);
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(FolderNames(temp), std::vector<std::string>{"plan.dxf"});  // no temporary file left

  // Round 0 is the paint; then four preview rounds and four output rounds.
  ASSERT_EQ(pump.rounds.size(), 9u);
  EXPECT_EQ(pump.rounds[1].label0, "データ作業中．．．．．．！！");
  EXPECT_EQ(pump.rounds[1].label2, "");
  EXPECT_EQ(pump.rounds[1].label3, "処理中 25.00%");
  EXPECT_EQ(pump.rounds[1].progress, 8192);
  EXPECT_EQ(pump.rounds[2].progress, 16384);  // 16383.5 rounded half to even
  EXPECT_EQ(pump.rounds[4].label3, "処理中 100.00%");
  EXPECT_EQ(pump.rounds[4].progress, 32767);
  EXPECT_EQ(pump.rounds[5].label0, "図面出力中．．．．．．！！");
  EXPECT_EQ(pump.rounds[5].label2, "出力先  " + file.string());
  EXPECT_EQ(pump.rounds[5].label3, "処理中 25.00%");
  EXPECT_EQ(view.progressMinimum, 0);
  EXPECT_EQ(view.progressMaximum, 32767);
  EXPECT_TRUE(view.progressVisible);

  const std::string json = testing::EzdxfView(file);
  EXPECT_NE(json.find("\"audit_errors\": []"), std::string::npos) << json;
  EXPECT_EQ(Occurrences(json, "\"type\": \"LINE\""), 1) << json;
  EXPECT_EQ(Occurrences(json, "\"type\": \"CIRCLE\""), 1) << json;
  EXPECT_EQ(Occurrences(json, "\"type\": \"ARC\""), 1) << json;
  EXPECT_EQ(Occurrences(json, "\"type\": \"TEXT\""), 1) << json;
  EXPECT_NE(json.find("\"height\": 6.0"), std::string::npos) << json;  // 3 mm at scale 2

  // A later paint does not start another run.
  view.Show();
  const auto before = pump.rounds.size();
  pump.ProcessPendingEvents();
  EXPECT_EQ(pump.rounds.size(), before + 1);
}

TEST_F(OutputRunTest, NoElementsIsReportedAndWritesNothing) {
  prompter->ExpectMessage("図面作成する要素が見つかりません。", "図面作成失敗", prompts::kCritical, prompts::kOk);
  dlg.FileName = Path("empty.dxf");
  RequestOutput();
  Paint();
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_FALSE(view.visible);
  EXPECT_TRUE(FolderNames(temp).empty());
}

TEST_F(OutputRunTest, SaveDialogRefusesUnknownEndingsAndCancelKeepsEarlierFile) {
  AddSample();
  WriteText(temp / "a.txt", "old");
  prompter->ExpectSaveFile(kSaveDialogTitle, Path("a.txt"))
      .ExpectMessage("ﾌｧｲﾙ名が異常です。　", "", prompts::kOkOnly, prompts::kOk)
      .ExpectSaveFile(kSaveDialogTitle, std::nullopt);
  dlg.IdolePlamorOutPut = true;
  EXPECT_FALSE(RunOutput(dlg, FontPath()));
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_EQ(dlg.FileName, "");
  EXPECT_EQ(ReadBytes(temp / "a.txt"), "old");
  EXPECT_EQ(FolderNames(temp), std::vector<std::string>{"a.txt"});
  const auto& requests = prompter->SaveRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].filter, SaveFileFilter(false));
  EXPECT_EQ(requests[1].fileName, Path("a.txt"));  // the dialog offers the last choice again
}

TEST_F(OutputRunTest, FileNameEndingChoosesTheKind) {
  AddSample();
  // Set by the host, an unknown ending writes a standard text file.
  dlg.FileName = Path("a.txt");
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  const std::string atz = ReadBytes(temp / "a.txt");
  EXPECT_EQ(atz.rfind("0,", 0), 0u) << atz;
  EXPECT_EQ(Occurrences(atz, "\r\n"), 5);  // header and four records

  // Chosen in the dialog, an upper-case ending writes a drawing file and its memo file.
  dlg.FileName.clear();
  dlg.Memo = "測量 memo";
  prompter->ExpectSaveFile(kSaveDialogTitle, Path("b.PLM"));
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  EXPECT_GT(ReadBytes(temp / "b.PLM").size(), 2906u);
  EXPECT_EQ(ReadBytes(temp / "b.MET"), cp932::FromUtf8("測量 memo") + "\r\n");

  // DXF only writes DXF whatever the ending.
  dlg.DXF_Only = true;
  dlg.FileName = Path("c.atz");
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  const std::string dxf = ReadBytes(temp / "c.atz");
  EXPECT_EQ(dxf.rfind("  0\r\nSECTION\r\n", 0), 0u);
  EXPECT_EQ(dxf.substr(dxf.size() - 5), "EOF\r\n");
}

TEST_F(OutputRunTest, CancelInThePreviewKeepsTheEarlierFileAndTheName) {
  AddSample();
  WriteText(temp / "a.dxf", "old");
  dlg.FileName = Path("a.dxf");
  CancelAtRound(2);
  RequestOutput();
  Paint();
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_FALSE(view.visible);
  EXPECT_TRUE(dlg.Cancel());
  EXPECT_EQ(dlg.FileName, Path("a.dxf"));
  EXPECT_EQ(pump.rounds.size(), 2u);  // stopped after the element that was being drawn
  EXPECT_EQ(ReadBytes(temp / "a.dxf"), "old");
  EXPECT_EQ(FolderNames(temp), std::vector<std::string>{"a.dxf"});
  dlg.Clear();
  EXPECT_FALSE(dlg.Cancel());
}

TEST_F(OutputRunTest, CancelInTheOutputLeavesNoFile) {
  AddSample();
  dlg.FileName = Path("a.plm");
  CancelAtRound(6);  // the second element written
  RequestOutput();
  Paint();
  EXPECT_FALSE(dlg.IdolePlamorOutPut);
  EXPECT_EQ(pump.rounds[5].label0, "図面出力中．．．．．．！！");
  EXPECT_EQ(pump.rounds.size(), 6u);
  EXPECT_TRUE(FolderNames(temp).empty());  // neither drawing nor memo file
}

// Bytes of the sample as a standard text file, written by a run without trouble.
std::string ReferenceAtz() {
  HeadlessDlgView view;
  frmPlamorDlg dlg(view);
  AddSampleTo(dlg);
  dlg.FileName = "/reference.atz";
  FileSupply supply;
  EXPECT_TRUE(RunOutput(dlg, FontPath(), supply.Maker()));
  return supply.made.at(0)->bytes();
}

TEST_F(OutputRunTest, FullDiskAnsweredYesWritesTheWholeDrawingToANewName) {
  const std::string reference = ReferenceAtz();
  AddSample();
  dlg.FileName = Path("first.atz");
  FileSupply supply;
  supply.queued.push_back(WriteFails(3, 4, FailingOutputFile::DiskFull()));
  prompter->ExpectMessage("ディスクの空き容量が不足しています。\n再度、ファイル名の指示を行いますか？", "エラー確認",
                          prompts::kYesNo, prompts::kYes)
      .ExpectSaveFile(kSaveDialogTitle, Path("second.atz"));
  EXPECT_TRUE(RunOutput(dlg, FontPath(), supply.Maker()));
  ASSERT_EQ(supply.made.size(), 2u);
  EXPECT_TRUE(supply.made[0]->bytes().empty());  // the partial file is given up
  EXPECT_FALSE(supply.made[0]->closed());
  EXPECT_EQ(supply.made[1]->path(), Path("second.atz"));
  EXPECT_TRUE(supply.made[1]->closed());
  EXPECT_EQ(supply.made[1]->bytes(), reference);  // sizes converted once, not twice
  EXPECT_EQ(dlg.FileName, Path("second.atz"));
}

TEST_F(OutputRunTest, RetryRepeatsAndOtherAnswersCancel) {
  const std::string reference = ReferenceAtz();
  AddSample();
  dlg.FileName = Path("a.atz");
  {  // a write refused once, answered Retry
    FileSupply supply;
    supply.queued.push_back(WriteFails(2, 3, FailingOutputFile::PermissionDenied()));
    prompter->ExpectMessage("書き込みできません。", "エラー確認", prompts::kRetryCancel, prompts::kRetry);
    EXPECT_TRUE(RunOutput(dlg, FontPath(), supply.Maker()));
    EXPECT_EQ(supply.made.at(0)->bytes(), reference);
  }
  {  // a file that cannot be opened, answered Retry
    FileSupply supply;
    supply.queued.push_back(OpenFails(FailingOutputFile::PermissionDenied()));
    prompter->ExpectMessage("書き込みできません。", "エラー確認", prompts::kRetryCancel, prompts::kRetry);
    EXPECT_TRUE(RunOutput(dlg, FontPath(), supply.Maker()));
    ASSERT_EQ(supply.made.size(), 2u);
    EXPECT_TRUE(supply.made[1]->closed());
  }
  {  // a file that vanished: OK stops the run
    FileSupply supply;
    supply.queued.push_back(WriteFails(2, 0, FailingOutputFile::Vanished()));
    prompter->ExpectMessage("ファイルが見つかりません。\n処理を中止します。", "エラー確認", prompts::kCritical,
                            prompts::kOk);
    EXPECT_FALSE(RunOutput(dlg, FontPath(), supply.Maker()));
    EXPECT_TRUE(supply.made.at(0)->bytes().empty());
    EXPECT_FALSE(dlg.IdolePlamorOutPut);
    EXPECT_EQ(dlg.FileName, Path("a.atz"));
  }
  {  // a close that fails, answered Retry: the file is written again
    FileSupply supply;
    supply.queued.push_back(CloseFails(FailingOutputFile::PermissionDenied()));
    prompter->ExpectMessage("書き込みできません。", "エラー確認", prompts::kRetryCancel, prompts::kRetry);
    EXPECT_TRUE(RunOutput(dlg, FontPath(), supply.Maker()));
    ASSERT_EQ(supply.made.size(), 2u);
    EXPECT_TRUE(supply.made[1]->closed());
  }
}

TEST_F(OutputRunTest, MemoFileFailureIsShownAndTheRunSucceeds) {
  AddSample();
  dlg.FileName = Path("a.plm");
  FileSupply supply;
  supply.queued.push_back(std::make_unique<MemoryOutputFile>());
  supply.queued.push_back(OpenFails(FailingOutputFile::PermissionDenied()));
  prompter->ExpectMessage("書き込みできません。", "ｴﾗｰ", prompts::kCritical, prompts::kOk);
  EXPECT_TRUE(RunOutput(dlg, FontPath(), supply.Maker()));
  ASSERT_EQ(supply.made.size(), 2u);
  EXPECT_TRUE(supply.made[0]->closed());
  EXPECT_GT(supply.made[0]->bytes().size(), 2906u);
}

TEST_F(OutputRunTest, EarlierFileIsReplacedOnlyWhenTheNewOneIsComplete) {
  AddSample();
  WriteText(temp / "a.atz", "old");
  dlg.FileName = Path("a.atz");
  pump.onRound = [this](int) { EXPECT_EQ(ReadBytes(temp / "a.atz"), "old"); };
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  EXPECT_EQ(ReadBytes(temp / "a.atz").rfind("0,", 0), 0u);
  EXPECT_EQ(FolderNames(temp), std::vector<std::string>{"a.atz"});
}

TEST_F(OutputRunTest, TargetThatCannotBeReplacedAsksRetryOrCancel) {
  AddSample();
  const fs::path target = temp / "d.dxf";
  fs::create_directory(target);  // a folder in the file's place
  dlg.FileName = target.string();
  const std::string question =
      "ほかのプロセスによって、ファイルが使用されているか、ライトプロテクトが有効になっています。\n"
      "（ＣＡＤで現在、編集中の可能性もあります。）";
  prompter->ExpectMessage(question, "確認", kStopAndAsk, prompts::kCancel);
  EXPECT_FALSE(RunOutput(dlg, FontPath()));
  EXPECT_TRUE(fs::is_directory(target));

  prompter->ExpectMessage(question, "確認", kStopAndAsk, prompts::kRetry, [&] { fs::remove(target); });
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  EXPECT_TRUE(fs::is_regular_file(target));
}

TEST_F(OutputRunTest, LinesAreMergedAboveLevelOneOnlyAndRemovedElementsAreNotWritten) {
  dlg.Sen(0, 0, 10, 0);
  dlg.Sen(10, 0, 20, 0);
  dlg.FileName = Path("a.atz");
  dlg.Optimaze = ktpLevel1;
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  EXPECT_EQ(dlg.Elements().At(1).Tag, "");
  EXPECT_EQ(dlg.Elements().At(2).Tag, "");
  EXPECT_EQ(Occurrences(ReadBytes(temp / "a.atz"), "\r\n"), 3);

  dlg.Optimaze = ktpLevel2;
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  EXPECT_EQ(Occurrences(ReadBytes(temp / "a.atz"), "\r\n"), 2);

  // Only removed elements: header and trailer, no entity.
  dlg.Elements().At(1).Tag = "DEL";
  dlg.Elements().At(2).Tag = "DEL";
  dlg.FileName = Path("none.dxf");
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  const std::string json = testing::EzdxfView(temp / "none.dxf");
  EXPECT_NE(json.find("\"entities\": []"), std::string::npos) << json;
}

TEST_F(OutputRunTest, PercentLabelMovesOnlyBySteps) {
  for (int i = 0; i < 250; ++i) dlg.Sen(i, 0, i, 10);
  dlg.FileName = Path("many.dxf");
  RequestOutput();
  Paint();
  ASSERT_EQ(pump.rounds.size(), 500u);
  EXPECT_EQ(pump.rounds[2].label3, "処理中 0.40%");  // shown at the first element only
  EXPECT_EQ(pump.rounds[2].progress, 393);
  EXPECT_EQ(pump.rounds[3].label3, "処理中 1.60%");
  EXPECT_EQ(pump.rounds[249].label3, "処理中 100.00%");
}

TEST_F(OutputRunTest, EveryEndOfTheRunIsToldAsItsOutcome) {
  std::vector<RunResult> heard;
  dlg.RunEnded = [&](const RunResult& r) {
    EXPECT_FALSE(dlg.IdolePlamorOutPut);  // a host polling now sees the end
    heard.push_back(r);
  };
  // No elements: failed, with the message that stopped it.
  prompter->ExpectMessage("図面作成する要素が見つかりません。", "図面作成失敗", prompts::kCritical, prompts::kOk);
  dlg.FileName = Path("a.dxf");
  RequestOutput();
  Paint();
  EXPECT_EQ(dlg.LastRun, (RunResult{RunState::kFailed, "", "図面作成する要素が見つかりません。"}));

  // Written: the full path of the file.
  AddSample();
  EXPECT_TRUE(RunOutput(dlg, FontPath()));
  EXPECT_EQ(dlg.LastRun, (RunResult{RunState::kWritten, Path("a.dxf"), ""}));

  // A file error answered OK: failed, with the text of that prompt.
  {
    FileSupply supply;
    supply.queued.push_back(WriteFails(2, 0, FailingOutputFile::Vanished()));
    prompter->ExpectMessage("ファイルが見つかりません。\n処理を中止します。", "エラー確認", prompts::kCritical,
                            prompts::kOk);
    EXPECT_FALSE(RunOutput(dlg, FontPath(), supply.Maker()));
    EXPECT_EQ(dlg.LastRun, (RunResult{RunState::kFailed, "", "ファイルが見つかりません。\n処理を中止します。"}));
  }

  // The cancel button, and no name chosen in the save-file dialog: cancelled.
  CancelAtRound(2);
  RequestOutput();
  Paint();
  EXPECT_EQ(dlg.LastRun.state, RunState::kCancelled);
  pump.onRound = nullptr;
  dlg.Clear();
  AddSample();
  dlg.FileName.clear();
  prompter->ExpectSaveFile(kSaveDialogTitle, std::nullopt);
  EXPECT_FALSE(RunOutput(dlg, FontPath()));
  EXPECT_EQ(dlg.LastRun, (RunResult{RunState::kCancelled, "", ""}));

  // The listener heard each end once.
  ASSERT_EQ(heard.size(), 5u);
  EXPECT_EQ(heard[1].state, RunState::kWritten);
  EXPECT_EQ(heard[4], dlg.LastRun);
}

TEST(OutputRunParts, WorldWindowKindAndStrokeFont) {
  WorldWindow w = PreviewWorldWindow(210, 297, 1);  // 210 / 297 is not below 59 / 84
  EXPECT_NEAR(w.width, 84.0 * 210 / 59, 1e-9);
  EXPECT_NEAR(w.width, 298.98, 0.005);
  EXPECT_EQ(w.height, 210);
  w = PreviewWorldWindow(100, 297, 2);
  EXPECT_EQ(w.width, 594);
  EXPECT_NEAR(w.height, 59.0 * 297 * 2 / 84, 1e-9);

  ktpPlamorType kind = ktpAtz;
  EXPECT_TRUE(KindFromFileName("a.Dxf", kind));
  EXPECT_EQ(kind, ktpDxf);
  EXPECT_FALSE(KindFromFileName("dx", kind));

  TempFolder temp;
  WriteText(temp / "m_g_l.kvd", "x");
  WriteText(temp / "other.kvd", "x");
  const std::string program = "/opt/plamor";
  EXPECT_EQ(ResolveStrokeFontPath((temp / "M_G_L.KVD").string(), program), (temp / "m_g_l.kvd").string());
  EXPECT_EQ(ResolveStrokeFontPath((temp / "other.kvd").string(), program), "/opt/plamor/M_G_L.KVD");
  EXPECT_EQ(ResolveStrokeFontPath((temp / "missing" / "M_G_L.KVD").string(), program + "/"),
            "/opt/plamor/M_G_L.KVD");
  fs::create_directory(temp / "dir");
  fs::create_directory(temp / "dir" / "M_G_L.KVD");  // a folder is not the font file
  EXPECT_EQ(ResolveStrokeFontPath((temp / "dir" / "M_G_L.KVD").string(), program), "/opt/plamor/M_G_L.KVD");
}

}  // namespace
}  // namespace plamor::testing
