#include "platform/prompts.h"

#include <atomic>

#include "platform/prompts_batch.h"

namespace plamor::prompts {

namespace {
std::atomic<Prompter*> current{nullptr};
}  // namespace

Prompter& Current() {
  if (Prompter* prompter = current.load()) return *prompter;
  static BatchPrompter fallback;
  return fallback;
}

void SetCurrent(Prompter* prompter) { current.store(prompter); }

void ShowError(const std::string& text) { Current().MessageBox({text, "ｴﾗｰ", kOkOnly | kCritical}); }

}  // namespace plamor::prompts
