// The prompt that asks the user what to do about a file error while a
// drawing file is written.
#pragma once

#include <cstdint>

#include "platform/os_errors.h"

namespace plamor {

// The file-error prompt titled "エラー確認": Retry/Cancel for device and
// permission errors (57, 68, 70, 31036, 31037), Yes/No to choose another file
// name on a full disk (61), OK to stop otherwise. Returns the button code.
std::int32_t AskFileErrorAction(const oserr::FileError& error);

}  // namespace plamor
