// Prompts to the user: message boxes and the save-file dialog, behind one
// interface. Qt dialogs serve people, a scripted prompter serves tests, a batch
// prompter serves runs without a person. Style and answer codes are those of
// the host's message-box convention.
#pragma once

#include <optional>
#include <string>

namespace plamor::prompts {

// Button sets (low bits of the style).
enum Buttons : int {
  kOkOnly = 0,
  kOkCancel = 1,
  kAbortRetryIgnore = 2,
  kYesNoCancel = 3,
  kYesNo = 4,
  kRetryCancel = 5,
};

// Icons.
enum Icon : int { kNoIcon = 0, kCritical = 16, kQuestion = 32, kExclamation = 48, kInformation = 64 };

// Default button.
enum DefaultButton : int { kDefaultButton1 = 0, kDefaultButton2 = 256, kDefaultButton3 = 512 };

// Answers (button codes).
enum Answer : int { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

struct MessageBoxRequest {
  std::string text;   // UTF-8; lines separated by "\n"
  std::string title;  // UTF-8
  int style = kOkOnly;  // buttons | icon | default button
  int buttons() const { return style & 0x0F; }
  int icon() const { return style & 0xF0; }
  int defaultButton() const { return style & 0xF00; }
};

// The save-file dialog: filter in the host's form "Name (*.ext)|*.ext|...",
// a 1-based filter index, a starting folder and file name.
struct SaveFileRequest {
  std::string title;
  std::string filter;
  int filterIndex = 1;
  std::string initialDir;
  std::string fileName;
  bool confirmOverwrite = true;
  bool pathMustExist = true;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows a message box and returns the answer's button code.
  virtual int MessageBox(const MessageBoxRequest& request) = 0;
  // Shows the save-file dialog; no value when the user cancels.
  virtual std::optional<std::string> SaveFileName(const SaveFileRequest& request) = 0;
};

// The prompter of this process. Without one set, the batch prompter with no
// scripted answers serves (safe answers, prompts printed to standard error).
Prompter& Current();
// Sets the prompter of this process (not owned); nullptr restores the default.
void SetCurrent(Prompter* prompter);

}  // namespace plamor::prompts
