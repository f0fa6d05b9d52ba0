#include "server/dialog/file_in_use.h"

#include "platform/prompts.h"

namespace plamor {

bool RetryWhileFileInUse(const std::function<std::optional<oserr::FileError>()>& attempt) {
  for (;;) {
    const std::optional<oserr::FileError> error = attempt();
    if (!error) return true;
    if (error->number != 70 && error->number != 75) {
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

}  // namespace plamor
