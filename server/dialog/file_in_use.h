// Asking the user to free a drawing file that another program holds.
#pragma once

#include <functional>
#include <optional>

#include "platform/os_errors.h"

namespace plamor {

// Repeats `attempt` until it reports no error. A file in use or write-protected
// (70, 75) asks "確認" with Retry and Cancel; any other error is shown with the
// title "ｴﾗｰ". True when an attempt succeeded, false when the user gave up.
bool RetryWhileFileInUse(const std::function<std::optional<oserr::FileError>()>& attempt);

}  // namespace plamor
