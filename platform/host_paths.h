// Paths in the forms the host's programs use: a special folder's path with a
// separator at its end, and the short form of a path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plamor::folders {

// Shell folder identifier of the user's desktop.
inline constexpr std::int32_t kDesktopFolderId = 16;

// The path of a special folder with a separator at its end. Only the desktop
// folder (16) is known; any other identifier gives "/".
std::string GetSpecialFolderPath(std::int32_t csidl);

// Unless the path, blanks trimmed, ends in "/" or "\", trailing blanks are
// removed and "/" is added (an empty path becomes "/").
void AddPathSeparator(std::string& path);

// The part of s before its first NUL character; s itself when it holds none.
std::string StripAtNull(std::string_view s);

// The path itself when it exists and takes at most 255 bytes in CP932; "" otherwise.
std::string GetShortPath(std::string_view path);

}  // namespace plamor::folders
