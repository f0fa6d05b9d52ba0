// Prompts to the user: message boxes and the save-file dialog, behind one
// interface. Qt dialogs serve people, a scripted prompter serves tests, a batch
// prompter serves runs without a person. Style and answer codes are those of
// the host's message-box convention.
#pragma once

#include <optional>
#include <string>

namespace plamor::prompts {

// Button sets (low bits of the style), icons and the default button: plain
// integers, so that a style is written as their sum (kRetryCancel | kExclamation).
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;

inline constexpr int kNoIcon = 0;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;

inline constexpr int kDefaultButton1 = 0;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kDefaultButton3 = 512;

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

// The plain error box: `text`, the title "ｴﾗｰ", an OK button and the critical icon.
void ShowError(const std::string& text);

// The prompter of this process. Without one set, the batch prompter with no
// scripted answers serves (safe answers, prompts printed to standard error).
Prompter& Current();
// Sets the prompter of this process (not owned); nullptr restores the default.
void SetCurrent(Prompter* prompter);

// Makes `prompter` the current one for the life of the scope, when it is
// not null; the previous one comes back at the end.
class ScopedPrompter {
 public:
  explicit ScopedPrompter(Prompter* prompter) : active_(prompter != nullptr) {
    if (active_) {
      previous_ = &Current();
      SetCurrent(prompter);
    }
  }
  ~ScopedPrompter() {
    if (active_) SetCurrent(previous_);
  }
  ScopedPrompter(const ScopedPrompter&) = delete;
  ScopedPrompter& operator=(const ScopedPrompter&) = delete;

 private:
  bool active_;
  Prompter* previous_ = nullptr;
};

}  // namespace plamor::prompts
