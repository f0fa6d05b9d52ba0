// The prompts of one drawing object of a server without a screen: answered
// from the lists its host gave (the safe answer beyond them) and written, as
// the batch prompter writes them, into a log the host takes
// (TessaroPlamor.BatchPrompts.TakePrompts), so the host can show what was
// asked and answered.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/prompts_batch.h"

namespace plamor::dbus {

inline constexpr const char* kBatchPromptsInterface = "TessaroPlamor.BatchPrompts";

class ObjectPrompter final : public prompts::Prompter {
 public:
  ObjectPrompter();

  // The answers to the next prompts: button codes, and files chosen in the
  // next save-file dialogs.
  void SetAnswers(std::vector<int> answers, std::vector<std::string> saveNames);
  // What was asked and answered since the last call.
  std::string TakePrompts();

  int MessageBox(const prompts::MessageBoxRequest& request) override;
  std::optional<std::string> SaveFileName(const prompts::SaveFileRequest& request) override;

 private:
  std::ostringstream log_;
  std::unique_ptr<prompts::BatchPrompter> batch_;
};

}  // namespace plamor::dbus
