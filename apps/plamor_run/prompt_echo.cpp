#include "apps/plamor_run/prompt_echo.h"

#include <iostream>

#include "platform/prompts_batch.h"

namespace plamor::run {

void PromptEcho::MessageBoxShown(const QString& title, const QString& text, int style, int answer) {
  std::cerr << "[server prompt] " << title.toStdString() << ": " << text.toStdString() << " (style "
            << style << ") -> " << prompts::AnswerName(answer) << "\n";
}

void PromptEcho::SaveFileShown(const QString& title, const QString& filter, bool chosen, const QString& path) {
  std::cerr << "[server save-file dialog] " << title.toStdString() << " [" << filter.toStdString() << "] -> "
            << (chosen ? path.toStdString() : std::string("cancelled")) << "\n";
}

}  // namespace plamor::run
