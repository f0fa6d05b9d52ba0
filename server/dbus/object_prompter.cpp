#include "server/dbus/object_prompter.h"

#include <QDBusMessage>

#include <iostream>

namespace plamor::dbus {

ObjectPrompter::ObjectPrompter(QDBusConnection connection, QString path)
    : connection_(connection), path_(std::move(path)),
      batch_(std::make_unique<prompts::BatchPrompter>(std::vector<int>{}, std::vector<std::string>{},
                                                      &std::cerr)) {}

void ObjectPrompter::SetAnswers(std::vector<int> answers, std::vector<std::string> saveNames) {
  batch_ = std::make_unique<prompts::BatchPrompter>(std::move(answers), std::move(saveNames), &std::cerr);
}

int ObjectPrompter::MessageBox(const prompts::MessageBoxRequest& request) {
  const int answer = batch_->MessageBox(request);
  QDBusMessage signal = QDBusMessage::createSignal(path_, kBatchPromptsInterface, "MessageBoxShown");
  signal << QString::fromStdString(request.title) << QString::fromStdString(request.text)
         << request.style << answer;
  connection_.send(signal);
  return answer;
}

std::optional<std::string> ObjectPrompter::SaveFileName(const prompts::SaveFileRequest& request) {
  const std::optional<std::string> answer = batch_->SaveFileName(request);
  QDBusMessage signal = QDBusMessage::createSignal(path_, kBatchPromptsInterface, "SaveFileShown");
  signal << QString::fromStdString(request.title) << QString::fromStdString(request.filter)
         << answer.has_value() << QString::fromStdString(answer.value_or(""));
  connection_.send(signal);
  return answer;
}

}  // namespace plamor::dbus
