// Prints to standard error the prompts a drawing server answered for this
// host (the signals of its batch prompts), as the host's own prompts are.
#pragma once

#include <QObject>
#include <QString>

namespace plamor::run {

class PromptEcho : public QObject {
  Q_OBJECT
 public slots:
  void MessageBoxShown(const QString& title, const QString& text, int style, int answer);
  void SaveFileShown(const QString& title, const QString& filter, bool chosen, const QString& path);
};

}  // namespace plamor::run
