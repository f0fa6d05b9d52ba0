#include "platform/qt/qt_prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <array>
#include <vector>

#include "platform/qt/qt_file_filter.h"

namespace plamor::prompts {

namespace {

struct ButtonKind {
  QMessageBox::StandardButton qt;
  Answer answer;
  const char* text;
};

constexpr ButtonKind kOkButton{QMessageBox::Ok, kOk, "OK"};
constexpr ButtonKind kCancelButton{QMessageBox::Cancel, kCancel, "キャンセル"};
constexpr ButtonKind kAbortButton{QMessageBox::Abort, kAbort, "中止(&A)"};
constexpr ButtonKind kRetryButton{QMessageBox::Retry, kRetry, "再試行(&R)"};
constexpr ButtonKind kIgnoreButton{QMessageBox::Ignore, kIgnore, "無視(&I)"};
constexpr ButtonKind kYesButton{QMessageBox::Yes, kYes, "はい(&Y)"};
constexpr ButtonKind kNoButton{QMessageBox::No, kNo, "いいえ(&N)"};

// The buttons of a set, left to right as the default-button number counts them.
std::vector<ButtonKind> ButtonsOf(int buttons) {
  switch (buttons) {
    case kOkCancel: return {kOkButton, kCancelButton};
    case kAbortRetryIgnore: return {kAbortButton, kRetryButton, kIgnoreButton};
    case kYesNoCancel: return {kYesButton, kNoButton, kCancelButton};
    case kYesNo: return {kYesButton, kNoButton};
    case kRetryCancel: return {kRetryButton, kCancelButton};
    default: return {kOkButton};
  }
}

QMessageBox::Icon IconOf(int icon) {
  switch (icon) {
    case kCritical: return QMessageBox::Critical;
    case kQuestion: return QMessageBox::Question;
    case kExclamation: return QMessageBox::Warning;
    case kInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QString TitleOf(const std::string& title) {
  return title.empty() ? QGuiApplication::applicationDisplayName() : QString::fromStdString(title);
}

}  // namespace

int QtPrompter::MessageBox(const MessageBoxRequest& request) {
  QMessageBox box;
  box.setWindowTitle(TitleOf(request.title));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(request.text));
  box.setIcon(IconOf(request.icon()));
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);  // above the topmost server window

  const std::vector<ButtonKind> kinds = ButtonsOf(request.buttons());
  std::vector<QPushButton*> buttons;
  for (const ButtonKind& kind : kinds) {
    QPushButton* button = box.addButton(kind.qt);
    button->setText(QString::fromUtf8(kind.text));
    buttons.push_back(button);
  }
  const std::size_t defaultIndex = static_cast<std::size_t>(request.defaultButton() >> 8);
  box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
  box.exec();

  QAbstractButton* clicked = box.clickedButton();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (clicked == buttons[i]) return kinds[i].answer;
  }
  // Closed without a button: the escape button's answer, else the last button's.
  for (const ButtonKind& kind : kinds) {
    if (kind.qt == QMessageBox::Cancel) return kCancel;
  }
  return kinds.back().answer;
}

std::optional<std::string> QtPrompter::SaveFileName(const SaveFileRequest& request) {
  QFileDialog dialog(nullptr, TitleOf(request.title), QString::fromStdString(request.initialDir));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const QStringList filters = ToQtNameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const qsizetype index = request.filterIndex - 1;
    dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
  }
  if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));

  for (;;) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty()) return std::nullopt;
    const QDir folder = QFileInfo(chosen).absoluteDir();
    if (!request.pathMustExist || folder.exists()) return QDir::toNativeSeparators(chosen).toStdString();
    QMessageBox::warning(&dialog, TitleOf(request.title),
                         QString::fromUtf8("フォルダが見つかりません。\n") + folder.path());
  }
}

}  // namespace plamor::prompts
