// What the output run asks the user about its drawing file: to free a file
// another program holds, and what to do after a file error.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/os_errors.h"

namespace plamor {

// Repeats `attempt` until it reports no error. A file in use or write-protected
// (70, 75) asks "確認" with Retry and Cancel; any other error is shown with the
// title "ｴﾗｰ". True when an attempt succeeded, false when the user gave up.
bool RetryWhileFileInUse(const std::function<std::optional<oserr::FileError>()>& attempt);

// The file-error prompt titled "エラー確認": Retry/Cancel for device and
// permission errors (57, 68, 70, 31036, 31037), Yes/No to choose another file
// name on a full disk (61), OK to stop otherwise. Returns the button code.
std::int32_t AskFileErrorAction(const oserr::FileError& error);

}  // namespace plamor
