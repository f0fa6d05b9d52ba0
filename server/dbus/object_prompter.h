// The prompts of one drawing object of a server without a screen: answered
// from the lists its host gave (the safe answer beyond them), printed to the
// server's standard error, and announced to the host as D-Bus signals on the
// object's path, so a host can show what was asked and answered.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "platform/prompts_batch.h"

namespace plamor::dbus {

inline constexpr const char* kBatchPromptsInterface = "TessaroPlamor.BatchPrompts";

class ObjectPrompter final : public prompts::Prompter {
 public:
  ObjectPrompter(QDBusConnection connection, QString path);

  // The answers to the next prompts: button codes, and files chosen in the
  // next save-file dialogs.
  void SetAnswers(std::vector<int> answers, std::vector<std::string> saveNames);

  int MessageBox(const prompts::MessageBoxRequest& request) override;
  std::optional<std::string> SaveFileName(const prompts::SaveFileRequest& request) override;

 private:
  QDBusConnection connection_;
  QString path_;
  std::unique_ptr<prompts::BatchPrompter> batch_;
};

}  // namespace plamor::dbus
