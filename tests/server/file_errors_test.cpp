// Write failures through the file layer: a full disk, a file that vanishes,
// permission denied. Each writer step asks the user, retries without writing
// a byte twice, or stops with the answer's result; the disk file never
// destroys an earlier file and leaves nothing behind when given up.
#include <gtest/gtest.h>

#include "writer_test_support.h"

namespace plamor {
namespace {

using testing::Line;
using testing::Text;

const std::string kFullText = "ディスクの空き容量が不足しています。\n再度、ファイル名の指示を行いますか？";

class FileErrorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetWriterSettings();
    Settings().LayerName[1] = "A";
  }
  testing::TempFolder temp_;
  testing::ScopedPrompter prompter_;
};

FailingOutputFile::Plan FailAt(int write, std::size_t taken, FileError error, bool forever = false) {
  FailingOutputFile::Plan plan;
  plan.failAtWrite = write;
  plan.takenBeforeFailure = taken;
  plan.error = std::move(error);
  plan.failForever = forever;
  return plan;
}

// Header and two lines in DXF; the results of the three steps.
std::vector<SaveResult> WriteDxfSteps(OutputFile& file) {
  auto a = Line(0, 0, 1, 1);
  auto b = Line(2, 2, 3, 3);
  const WriteContext context = testing::RunContext(ktpDxf);
  DrawingWriter writer(ktpDxf, file, context);
  std::vector<SaveResult> results{writer.Header({})};
  if (results.back() == SaveOk) results.push_back(writer.Element(*a));
  if (results.back() == SaveOk) results.push_back(writer.Element(*b));
  if (results.back() == SaveOk) writer.Trailer();
  return results;
}

std::string CompleteDxf() {
  MemoryOutputFile file;
  file.Open("x.dxf", OpenMode::kText);
  WriteDxfSteps(file);
  return file.bytes();
}

TEST_F(FileErrorsTest, FullDiskRetryFinishesTheFileWithoutDoubledBytes) {
  prompter_->ExpectMessage(kFullText, "エラー確認", prompts::kYesNo, prompts::kYes);
  FailingOutputFile::Plan plan = FailAt(2, 17, FailingOutputFile::DiskFull());
  FailingOutputFile file(plan);
  file.Open("x.dxf", OpenMode::kText);
  // Yes: the user wants another file name.
  EXPECT_EQ(WriteDxfSteps(file), (std::vector<SaveResult>{SaveOk, SaveAskName}));

  // Device errors offer Retry; the rest of the entity is written once.
  prompter_->ExpectMessage("デバイス I/O エラーです。", "エラー確認", prompts::kRetryCancel, prompts::kRetry);
  FailingOutputFile retried(FailAt(3, 25, oserr::FromNumber(57)));
  retried.Open("x.dxf", OpenMode::kText);
  EXPECT_EQ(WriteDxfSteps(retried), (std::vector<SaveResult>{SaveOk, SaveOk, SaveOk}));
  EXPECT_EQ(retried.bytes(), CompleteDxf());
}

TEST_F(FileErrorsTest, FullDiskAnsweredNoAbortsAndCancelAborts) {
  prompter_->ExpectMessage(kFullText, "エラー確認", prompts::kYesNo, prompts::kNo);
  FailingOutputFile file(FailAt(1, 0, FailingOutputFile::DiskFull(), true));
  file.Open("x.atz", OpenMode::kText);
  DrawingInfo info;
  const WriteContext context = testing::RunContext(ktpAtz);
  EXPECT_EQ(DrawingWriter(ktpAtz, file, context).Header(info), SaveAbort);

  prompter_->ExpectMessage("書き込みできません。", "エラー確認", prompts::kRetryCancel, prompts::kRetry);
  prompter_->ExpectMessage("書き込みできません。", "エラー確認", prompts::kRetryCancel, prompts::kCancel);
  FailingOutputFile denied(FailAt(1, 0, FailingOutputFile::PermissionDenied(), true));
  denied.Open("x.plm", OpenMode::kBinary);
  auto text = Text("A", 0, 0);
  EXPECT_EQ(DrawingWriter(ktpPlm, denied, context).Element(*text), SaveAbort);
  EXPECT_EQ(denied.writes(), 2);
}

TEST_F(FileErrorsTest, VanishedFileStopsTheRun) {
  prompter_->ExpectMessage("ファイルが見つかりません。\n処理を中止します。", "エラー確認", prompts::kCritical,
                           prompts::kOk);
  FailingOutputFile file(FailAt(2, 3, FailingOutputFile::Vanished(), true));
  file.Open("x.dxf", OpenMode::kText);
  EXPECT_EQ(WriteDxfSteps(file), (std::vector<SaveResult>{SaveOk, SaveAbort}));
}

TEST_F(FileErrorsTest, TrailerIgnoresFailures) {
  FailingOutputFile file(FailAt(1, 0, FailingOutputFile::DiskFull(), true));
  file.Open("x.dxf", OpenMode::kText);
  const WriteContext context = testing::RunContext(ktpDxf);
  DrawingWriter(ktpDxf, file, context).Trailer();  // no prompt, no crash
  EXPECT_TRUE(file.bytes().empty());
}

TEST_F(FileErrorsTest, DiskFileReplacesAnEarlierFileOnlyWhenComplete) {
  const auto target = temp_ / "plan.dxf";
  std::ofstream(target) << "earlier";
  {
    DiskOutputFile file;
    ASSERT_FALSE(file.Open(target.string(), OpenMode::kText).has_value());
    EXPECT_EQ(WriteDxfSteps(file), (std::vector<SaveResult>{SaveOk, SaveOk, SaveOk}));
    EXPECT_EQ(testing::ReadBytes(target), "earlier");  // not yet replaced
    file.Discard();
  }
  EXPECT_EQ(testing::ReadBytes(target), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.path()), {}), 2);  // config + plan.dxf

  {
    DiskOutputFile file;
    ASSERT_FALSE(file.Open(target.string(), OpenMode::kText).has_value());
    WriteDxfSteps(file);
  }  // given up without Close: the earlier file stays, nothing else is left
  EXPECT_EQ(testing::ReadBytes(target), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.path()), {}), 2);

  DiskOutputFile file;
  ASSERT_FALSE(file.Open(target.string(), OpenMode::kText).has_value());
  WriteDxfSteps(file);
  EXPECT_FALSE(file.Close().has_value());
  EXPECT_EQ(testing::ReadBytes(target), CompleteDxf());
  const std::string view = testing::EzdxfView(target);
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
}

TEST_F(FileErrorsTest, DiskFileOpenErrorsNameTheCause) {
  DiskOutputFile file;
  auto error = file.Open((temp_ / "missing" / "x.dxf").string(), OpenMode::kText);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->number, 76);  // path not found
  error = file.Open(temp_.path().string(), OpenMode::kText);  // a folder
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->number, 75);
  std::filesystem::create_directory(temp_ / "locked");
  std::filesystem::permissions(temp_ / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  error = file.Open((temp_ / "locked" / "x.dxf").string(), OpenMode::kText);
  if (::geteuid() != 0) {
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number, 70);
  }
  std::filesystem::permissions(temp_ / "locked", std::filesystem::perms::owner_all);
  // Writing to a file that is not open is an error, not a crash.
  DiskOutputFile unopened;
  EXPECT_TRUE(unopened.Write("x").error.has_value());
  file.Discard();
}

TEST_F(FileErrorsTest, FileThatCannotBePutInPlaceIsNeverReportedAsWritten) {
  const auto target = temp_ / "taken.dxf";
  DiskOutputFile file;
  ASSERT_FALSE(file.Open(target.string(), OpenMode::kText).has_value());
  EXPECT_FALSE(file.Write("data").error.has_value());
  std::filesystem::create_directories(target / "inside");  // the name is taken meanwhile
  const auto error = file.Close();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->number, 75);
  EXPECT_TRUE(file.Close().has_value());  // a second try does not pretend success
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.path()), {}), 2);  // config + the folder
}

TEST_F(FileErrorsTest, LargeWritesGoThroughTheBuffer) {
  const auto target = temp_ / "big.bin";
  DiskOutputFile file;
  ASSERT_FALSE(file.Open(target.string(), OpenMode::kBinary).has_value());
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    const std::string piece(static_cast<std::size_t>(i % 200 + 1), static_cast<char>('a' + i % 26));
    expected += piece;
    ASSERT_FALSE(file.Write(piece).error.has_value());
  }
  const std::string big(200000, 'z');
  expected += big;
  ASSERT_FALSE(file.Write(big).error.has_value());
  ASSERT_FALSE(file.Close().has_value());
  EXPECT_EQ(testing::ReadBytes(target), expected);
}

}  // namespace
}  // namespace plamor
