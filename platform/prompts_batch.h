// A prompter for runs without a person: every prompt is printed (title, text
// and buttons) to a stream, standard error by default, and answered from a
// given list, else with the safe answer: Cancel when offered, else No, else
// OK (Abort for Abort/Retry/Ignore, which offers none of them). Save-file
// requests take the next given path, else they are cancelled.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace plamor::prompts {

class BatchPrompter : public Prompter {
 public:
  // A given answer that the prompt does not offer is not used: the safe
  // answer is given instead, and the note says so.
  explicit BatchPrompter(std::vector<int> answers = {}, std::vector<std::string> saveNames = {},
                         std::ostream* out = nullptr);

  int MessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> SaveFileName(const SaveFileRequest& request) override;

 private:
  std::vector<int> answers_;
  std::size_t nextAnswer_ = 0;
  std::vector<std::string> saveNames_;
  std::size_t nextSaveName_ = 0;
  std::ostream* out_;
};

// The button codes a style offers, in display order (OkCancel -> {1, 2}).
std::vector<int> OfferedAnswers(int style);
// The safe answer of a style (Cancel, else No, else OK, else Abort).
int SafeAnswer(int style);
// The caption of a button code ("OK", "Cancel", "Retry", ...).
const char* AnswerName(int answer);

}  // namespace plamor::prompts
