// The prompter for people: message boxes and the save-file dialog as Qt
// dialogs, kept above other windows like the server's own window.
#pragma once

#include "platform/prompts.h"

namespace plamor::prompts {

class QtPrompter final : public Prompter {
 public:
  // The answer is the code of the button pressed; closing the box gives the
  // code of its Cancel (or No, or only) button.
  int MessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> SaveFileName(const SaveFileRequest& request) override;
};

}  // namespace plamor::prompts
