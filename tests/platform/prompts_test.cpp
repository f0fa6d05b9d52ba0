#include <gtest/gtest.h>

#include <sstream>

#include "platform/prompts.h"
#include "platform/prompts_batch.h"
#include "platform/prompts_scripted.h"

using namespace plamor::prompts;

namespace {

SaveFileRequest Save(std::string title, std::string folder) {
  SaveFileRequest request;
  request.title = std::move(title);
  request.initialDir = std::move(folder);
  return request;
}

int Style(int buttons, int more) { return buttons | more; }

MessageBoxRequest Box(std::string text, int buttons, int icon = 0) {
  return MessageBoxRequest{std::move(text), "確認", buttons | icon};
}

TEST(Prompts, WithoutAPrompterSetTheBatchOneGivesSafeAnswersOnStandardError) {
  ScriptedPrompter scripted;
  SetCurrent(&scripted);
  EXPECT_EQ(&Current(), &scripted);
  SetCurrent(nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Current().MessageBox(Box("消しますか？", kYesNoCancel, kQuestion)), kCancel);
  EXPECT_EQ(Current().SaveFileName(Save("保存", "/tmp")), std::nullopt);
  const std::string printed = testing::internal::GetCapturedStderr();
  for (const char* part : {"確認", "消しますか？", "[Yes] [No] [Cancel]", "保存", "cancelled"}) {
    EXPECT_NE(printed.find(part), std::string::npos) << part << " in\n" << printed;
  }
}

TEST(Prompts, BatchAnswersComeFromTheListWhenOfferedElseTheSafeOne) {
  EXPECT_EQ(SafeAnswer(kOkOnly), kOk);
  EXPECT_EQ(SafeAnswer(Style(kRetryCancel, kDefaultButton2)), kCancel);
  EXPECT_EQ(SafeAnswer(kYesNo), kNo);
  EXPECT_EQ(SafeAnswer(kAbortRetryIgnore), kAbort);
  std::ostringstream out;
  BatchPrompter batch({kRetry, kYes}, {"/tmp/a.dxf"}, &out);
  EXPECT_EQ(batch.MessageBox(Box("t", kRetryCancel)), kRetry);
  EXPECT_EQ(batch.MessageBox(Box("t", kRetryCancel)), kCancel) << "Yes is not offered";
  EXPECT_EQ(batch.MessageBox(Box("t", kYesNo)), kNo) << "the list is used up";
  EXPECT_EQ(batch.SaveFileName({}), std::optional<std::string>("/tmp/a.dxf"));
  EXPECT_EQ(batch.SaveFileName({}), std::nullopt);
  EXPECT_NE(out.str().find("not offered"), std::string::npos) << out.str();
}

TEST(Prompts, ScriptedPrompterAnswersInOrderAndRecordsEveryMismatch) {
  int shown = 0;
  ScriptedPrompter s;
  s.ExpectMessage("a\nb", "確認", Style(kRetryCancel, kExclamation), kRetry, [&] { ++shown; })
      .ExpectSaveFile("保存", std::string("/x/y.plm"))
      .ExpectMessage("c", "確認", kYesNo, kNo);
  EXPECT_THROW(s.MessageBox(Box("a\nb", kRetryCancel)), PromptMismatch) << "another icon";
  EXPECT_EQ(s.MessageBox(Box("a\nb", kRetryCancel, kExclamation)), kRetry);
  EXPECT_EQ(shown, 1);
  EXPECT_THROW(s.MessageBox(Box("c", kYesNo)), PromptMismatch) << "a box where a dialog is due";
  EXPECT_EQ(s.SaveFileName(Save("保存", "/x")), std::optional<std::string>("/x/y.plm"));
  EXPECT_EQ(s.SaveRequests().at(0).initialDir, "/x");
  ASSERT_EQ(s.Unanswered().size(), 1u);
  EXPECT_FALSE(s.Complete());
  EXPECT_EQ(s.MessageBox(Box("c", kYesNo)), kNo);
  EXPECT_THROW(s.MessageBox(Box("more", kOkOnly)), PromptMismatch) << "nothing more is due";
  ASSERT_EQ(s.Failures().size(), 3u);
  EXPECT_NE(s.Failures()[0].find("RetryCancel|Exclamation"), std::string::npos) << s.Failures()[0];
  EXPECT_NE(s.Failures()[2].find("unexpected"), std::string::npos);
  EXPECT_TRUE(s.Unanswered().empty());
  EXPECT_FALSE(s.Complete());
}

}  // namespace
