#include "server/formats/file_error_prompt.h"

#include "platform/prompts.h"

namespace plamor {

std::int32_t AskFileErrorAction(const oserr::FileError& error) {
  prompts::MessageBoxRequest request{error.description, "エラー確認", prompts::kOkOnly};
  switch (error.number) {
    case 57:
    case 68:
    case 70:
    case 31036:
    case 31037:
      request.style = prompts::kRetryCancel;
      break;
    case 61:
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
