// A prompter for tests: it holds the prompts a test expects, in order, each
// with the answer to give, and checks every prompt that comes against the next
// expectation. An unexpected or mismatching prompt is recorded as a failure and
// raises PromptMismatch, so it is seen even where the caller swallows errors.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace plamor::prompts {

class PromptMismatch : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class ScriptedPrompter : public Prompter {
 public:
  // Called when the prompt is shown, before the answer is given: lets a test
  // change the world in between (e.g. free a file before answering Retry).
  using Action = std::function<void()>;

  // Expects a message box with exactly this text, title and style.
  ScriptedPrompter& ExpectMessage(std::string text, std::string title, int style, int answer,
                                  Action onShow = {});
  // Expects the save-file dialog with this title; answers with the path, or
  // cancels when the answer is empty.
  ScriptedPrompter& ExpectSaveFile(std::string title, std::optional<std::string> answer,
                                   Action onShow = {});

  int MessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> SaveFileName(const SaveFileRequest& request) override;

  // Every mismatch and unexpected prompt so far, readable text.
  const std::vector<std::string>& Failures() const { return failures_; }
  // The expectations no prompt has met yet, readable text.
  std::vector<std::string> Unanswered() const;
  // True when no failure happened and every expectation was met.
  bool Complete() const { return failures_.empty() && next_ == expected_.size(); }

  // The save-file requests seen, for checks of filter and folder.
  const std::vector<SaveFileRequest>& SaveRequests() const { return saveRequests_; }

 private:
  struct Expected {
    bool isSaveFile = false;
    MessageBoxRequest message;
    std::string saveTitle;
    int answer = 0;
    std::optional<std::string> saveAnswer;
    Action onShow;
  };
  [[noreturn]] void Fail(std::string failure);

  std::vector<Expected> expected_;
  std::size_t next_ = 0;
  std::vector<std::string> failures_;
  std::vector<SaveFileRequest> saveRequests_;
};

// Readable form of a style: "RetryCancel|Exclamation|Default2".
std::string DescribeStyle(int style);

}  // namespace plamor::prompts
