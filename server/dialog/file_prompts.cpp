#include "server/dialog/file_prompts.h"

#include "platform/error_numbers.h"
#include "platform/prompts.h"

namespace plamor {

bool RetryWhileFileInUse(const std::function<std::optional<oserr::FileError>()>& attempt) {
  for (;;) {
    const std::optional<oserr::FileError> error = attempt();
    if (!error) return true;
    if (error->number != kErrPermissionDenied && error->number != kErrPathFileAccess) {
      prompts::ShowError(error->description);
      return false;
    }
    const int answer = prompts::Current().MessageBox(
        {"ほかのプロセスによって、ファイルが使用されているか、ライトプロテクトが有効になっています。\n"
         "（ＣＡＤで現在、編集中の可能性もあります。）",
         "確認", prompts::kRetryCancel | prompts::kExclamation});
    if (answer != prompts::kRetry) return false;
  }
}

std::int32_t AskFileErrorAction(const oserr::FileError& error) {
  prompts::MessageBoxRequest request{error.description, "エラー確認", prompts::kOkOnly};
  switch (error.number) {
    case kErrDeviceIO:
    case kErrDeviceUnavailable:
    case kErrPermissionDenied:
    case kErrFileSave:
    case kErrFileLoad:
      request.style = prompts::kRetryCancel;
      break;
    case kErrDiskFull:
      request.text += "\n再度、ファイル名の指示を行いますか？";
      request.style = prompts::kYesNo;
      break;
    default:
      request.text += "\n処理を中止します。";
      request.style = prompts::kOkOnly | prompts::kCritical;
      break;
  }
  return prompts::Current().MessageBox(request);
}

}  // namespace plamor
