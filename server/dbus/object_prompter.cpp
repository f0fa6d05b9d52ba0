#include "server/dbus/object_prompter.h"

namespace plamor::dbus {

ObjectPrompter::ObjectPrompter() { SetAnswers({}, {}); }

void ObjectPrompter::SetAnswers(std::vector<int> answers, std::vector<std::string> saveNames) {
  batch_ = std::make_unique<prompts::BatchPrompter>(std::move(answers), std::move(saveNames), &log_);
}

std::string ObjectPrompter::TakePrompts() {
  std::string text = log_.str();
  log_.str({});
  return text;
}

int ObjectPrompter::MessageBox(const prompts::MessageBoxRequest& request) { return batch_->MessageBox(request); }

std::optional<std::string> ObjectPrompter::SaveFileName(const prompts::SaveFileRequest& request) {
  return batch_->SaveFileName(request);
}

}  // namespace plamor::dbus
