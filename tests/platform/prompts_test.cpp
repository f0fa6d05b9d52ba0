#include <gtest/gtest.h>

#include <sstream>

#include "platform/prompts.h"
#include "platform/prompts_batch.h"
#include "platform/prompts_scripted.h"

using namespace plamor::prompts;

namespace {

// A message-box style of buttons, icon and default button.
int Style(int buttons, int icon, int defaultButton = 0) { return buttons | icon | defaultButton; }

MessageBoxRequest Box(std::string text, std::string title, int style) {
  return MessageBoxRequest{std::move(text), std::move(title), style};
}

TEST(Prompts, TheDefaultPrompterGivesSafeAnswersAndPrintsToStandardError) {
  SetCurrent(nullptr);
  ::testing::internal::CaptureStderr();
  const int answer = Current().MessageBox(Box("消しますか？", "確認", Style(kYesNoCancel, kQuestion)));
  const auto saved = Current().SaveFileName(SaveFileRequest{"名前を付けて保存", "DXF (*.dxf)|*.dxf", 1, "/tmp", "a.dxf"});
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, kCancel);
  EXPECT_FALSE(saved.has_value());
  EXPECT_NE(printed.find("確認"), std::string::npos) << printed;
  EXPECT_NE(printed.find("消しますか？"), std::string::npos) << printed;
  EXPECT_NE(printed.find("[Yes] [No] [Cancel]"), std::string::npos) << printed;
  EXPECT_NE(printed.find("名前を付けて保存"), std::string::npos) << printed;

  ScriptedPrompter scripted;
  SetCurrent(&scripted);
  EXPECT_EQ(&Current(), &scripted);
  SetCurrent(nullptr);
  EXPECT_NE(&Current(), &scripted);
}

TEST(Prompts, BatchAnswersComeFromTheListWhenOfferedElseTheSafeOne) {
  EXPECT_EQ(SafeAnswer(kOkOnly), kOk);
  EXPECT_EQ(SafeAnswer(Style(kOkCancel, kCritical)), kCancel);
  EXPECT_EQ(SafeAnswer(Style(kRetryCancel, kExclamation, kDefaultButton2)), kCancel);
  EXPECT_EQ(SafeAnswer(kYesNo), kNo);
  EXPECT_EQ(SafeAnswer(kYesNoCancel), kCancel);
  EXPECT_EQ(SafeAnswer(kAbortRetryIgnore), kAbort);

  std::ostringstream out;
  BatchPrompter batch({kRetry, kYes, kOk}, {"/tmp/a.dxf"}, &out);
  EXPECT_EQ(batch.MessageBox(Box("t", "T", kRetryCancel)), kRetry);
  EXPECT_EQ(batch.MessageBox(Box("t", "T", kRetryCancel)), kCancel) << "Yes is not offered";
  EXPECT_EQ(batch.MessageBox(Box("t", "T", kOkOnly)), kOk);
  EXPECT_EQ(batch.MessageBox(Box("t", "T", kYesNo)), kNo) << "the list is used up";
  EXPECT_EQ(batch.SaveFileName({}), std::optional<std::string>("/tmp/a.dxf"));
  EXPECT_EQ(batch.SaveFileName({}), std::nullopt);
  EXPECT_NE(out.str().find("not offered"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("cancelled"), std::string::npos) << out.str();
}

TEST(Prompts, ScriptedPrompterAnswersMatchingPromptsInOrder) {
  int shown = 0;
  ScriptedPrompter scripted;
  scripted.ExpectMessage("a\nb", "確認", Style(kRetryCancel, kExclamation), kRetry, [&] { ++shown; })
      .ExpectSaveFile("保存", std::string("/x/y.plm"))
      .ExpectMessage("c", "エラー確認", kYesNo, kNo);
  EXPECT_FALSE(scripted.Complete());
  EXPECT_EQ(scripted.MessageBox(Box("a\nb", "確認", Style(kRetryCancel, kExclamation))), kRetry);
  EXPECT_EQ(shown, 1);
  SaveFileRequest save;
  save.title = "保存";
  save.initialDir = "/x";
  EXPECT_EQ(scripted.SaveFileName(save), std::optional<std::string>("/x/y.plm"));
  ASSERT_EQ(scripted.SaveRequests().size(), 1u);
  EXPECT_EQ(scripted.SaveRequests()[0].initialDir, "/x");
  ASSERT_EQ(scripted.Unanswered().size(), 1u);
  EXPECT_NE(scripted.Unanswered()[0].find("エラー確認"), std::string::npos);
  EXPECT_EQ(scripted.MessageBox(Box("c", "エラー確認", kYesNo)), kNo);
  EXPECT_TRUE(scripted.Complete());
  EXPECT_TRUE(scripted.Unanswered().empty());
}

TEST(Prompts, ScriptedPrompterRecordsAndRaisesEveryMismatch) {
  ScriptedPrompter scripted;
  scripted.ExpectMessage("text", "title", Style(kRetryCancel, kExclamation), kRetry);
  EXPECT_THROW(scripted.MessageBox(Box("text", "title", kRetryCancel)), PromptMismatch)
      << "a different icon is a mismatch";
  EXPECT_THROW(scripted.MessageBox(Box("text", "other", Style(kRetryCancel, kExclamation))),
               PromptMismatch);
  EXPECT_THROW(scripted.SaveFileName({}), PromptMismatch) << "a dialog where a box is expected";
  EXPECT_EQ(scripted.MessageBox(Box("text", "title", Style(kRetryCancel, kExclamation))), kRetry);
  EXPECT_THROW(scripted.MessageBox(Box("more", "title", kOkOnly)), PromptMismatch)
      << "nothing more is expected";
  ASSERT_EQ(scripted.Failures().size(), 4u);
  EXPECT_NE(scripted.Failures()[0].find("RetryCancel|Exclamation"), std::string::npos)
      << scripted.Failures()[0];
  EXPECT_NE(scripted.Failures()[3].find("unexpected"), std::string::npos);
  EXPECT_FALSE(scripted.Complete());
  EXPECT_EQ(DescribeStyle(Style(kYesNoCancel, kQuestion, kDefaultButton3)), "YesNoCancel|Question|Default3");
}

}  // namespace
