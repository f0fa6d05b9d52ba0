#include "platform/prompts_scripted.h"

namespace plamor::prompts {

namespace {

const char* ButtonsName(int buttons) {
  switch (buttons) {
    case kOkOnly: return "OkOnly";
    case kOkCancel: return "OkCancel";
    case kAbortRetryIgnore: return "AbortRetryIgnore";
    case kYesNoCancel: return "YesNoCancel";
    case kYesNo: return "YesNo";
    case kRetryCancel: return "RetryCancel";
    default: return "Buttons?";
  }
}

const char* IconName(int icon) {
  switch (icon) {
    case kNoIcon: return "";
    case kCritical: return "|Critical";
    case kQuestion: return "|Question";
    case kExclamation: return "|Exclamation";
    case kInformation: return "|Information";
    default: return "|Icon?";
  }
}

std::string Describe(const MessageBoxRequest& m) {
  return "message box \"" + m.title + "\" / \"" + m.text + "\" / " + DescribeStyle(m.style);
}

}  // namespace

std::string DescribeStyle(int style) {
  std::string text = std::string(ButtonsName(style & 0x0F)) + IconName(style & 0xF0);
  if (int def = style & 0xF00) text += "|Default" + std::to_string(def / 256 + 1);
  if (int rest = style & ~0xFFF) text += "|" + std::to_string(rest);
  return text;
}

ScriptedPrompter& ScriptedPrompter::ExpectMessage(std::string text, std::string title, int style,
                                                  int answer, Action onShow) {
  Expected e;
  e.message = MessageBoxRequest{std::move(text), std::move(title), style};
  e.answer = answer;
  e.onShow = std::move(onShow);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectSaveFile(std::string title,
                                                   std::optional<std::string> answer,
                                                   Action onShow) {
  Expected e;
  e.isSaveFile = true;
  e.saveTitle = std::move(title);
  e.saveAnswer = std::move(answer);
  e.onShow = std::move(onShow);
  expected_.push_back(std::move(e));
  return *this;
}

void ScriptedPrompter::Fail(std::string failure) {
  failures_.push_back(failure);
  throw PromptMismatch(failure);
}

int ScriptedPrompter::MessageBox(const MessageBoxRequest& request) {
  if (next_ == expected_.size()) Fail("unexpected " + Describe(request));
  const Expected& e = expected_[next_];
  if (e.isSaveFile) {
    Fail("expected save-file dialog \"" + e.saveTitle + "\", got " + Describe(request));
  }
  if (e.message.text != request.text || e.message.title != request.title ||
      e.message.style != request.style) {
    Fail("expected " + Describe(e.message) + ", got " + Describe(request));
  }
  ++next_;
  if (e.onShow) e.onShow();
  return e.answer;
}

std::optional<std::string> ScriptedPrompter::SaveFileName(const SaveFileRequest& request) {
  saveRequests_.push_back(request);
  const std::string got = "save-file dialog \"" + request.title + "\"";
  if (next_ == expected_.size()) Fail("unexpected " + got);
  const Expected& e = expected_[next_];
  if (!e.isSaveFile) Fail("expected " + Describe(e.message) + ", got " + got);
  if (e.saveTitle != request.title) {
    Fail("expected save-file dialog \"" + e.saveTitle + "\", got " + got);
  }
  ++next_;
  if (e.onShow) e.onShow();
  return e.saveAnswer;
}

std::vector<std::string> ScriptedPrompter::Unanswered() const {
  std::vector<std::string> left;
  for (std::size_t i = next_; i < expected_.size(); ++i) {
    const Expected& e = expected_[i];
    left.push_back(e.isSaveFile ? "save-file dialog \"" + e.saveTitle + "\"" : Describe(e.message));
  }
  return left;
}

}  // namespace plamor::prompts
