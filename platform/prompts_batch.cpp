#include "platform/prompts_batch.h"

#include <algorithm>
#include <iostream>

namespace plamor::prompts {

std::vector<int> OfferedAnswers(int style) {
  switch (style & 0x0F) {
    case kOkCancel: return {kOk, kCancel};
    case kAbortRetryIgnore: return {kAbort, kRetry, kIgnore};
    case kYesNoCancel: return {kYes, kNo, kCancel};
    case kYesNo: return {kYes, kNo};
    case kRetryCancel: return {kRetry, kCancel};
    default: return {kOk};
  }
}

int SafeAnswer(int style) {
  const std::vector<int> offered = OfferedAnswers(style);
  for (int safe : {kCancel, kNo, kOk, kAbort}) {
    if (std::find(offered.begin(), offered.end(), safe) != offered.end()) return safe;
  }
  return kOk;
}

const char* AnswerName(int answer) {
  switch (answer) {
    case kOk: return "OK";
    case kCancel: return "Cancel";
    case kAbort: return "Abort";
    case kRetry: return "Retry";
    case kIgnore: return "Ignore";
    case kYes: return "Yes";
    case kNo: return "No";
    default: return "?";
  }
}

BatchPrompter::BatchPrompter(std::vector<int> answers, std::vector<std::string> saveNames,
                             std::ostream* out)
    : answers_(std::move(answers)), saveNames_(std::move(saveNames)), out_(out ? out : &std::cerr) {}

int BatchPrompter::MessageBox(const MessageBoxRequest& request) {
  const std::vector<int> offered = OfferedAnswers(request.style);
  std::ostream& out = *out_;
  out << "--- " << request.title << " ---\n" << request.text << "\n";
  for (int answer : offered) out << "[" << AnswerName(answer) << "] ";

  int answer = SafeAnswer(request.style);
  if (nextAnswer_ < answers_.size()) {
    int given = answers_[nextAnswer_++];
    if (std::find(offered.begin(), offered.end(), given) != offered.end()) {
      answer = given;
    } else {
      out << "(given answer " << given << " is not offered) ";
    }
  }
  out << "-> " << AnswerName(answer) << std::endl;
  return answer;
}

std::optional<std::string> BatchPrompter::SaveFileName(const SaveFileRequest& request) {
  std::ostream& out = *out_;
  out << "--- " << request.title << " --- save file \"" << request.fileName << "\" in \""
      << request.initialDir << "\" (" << request.filter << ") -> ";
  if (nextSaveName_ < saveNames_.size()) {
    const std::string& name = saveNames_[nextSaveName_++];
    out << name << std::endl;
    return name;
  }
  out << "cancelled" << std::endl;
  return std::nullopt;
}

}  // namespace plamor::prompts
