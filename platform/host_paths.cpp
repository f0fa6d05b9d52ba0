#include "platform/host_paths.h"

#include <filesystem>
#include <system_error>

#include "platform/cp932.h"
#include "platform/folders.h"

namespace plamor::folders {

std::string GetSpecialFolderPath(std::int32_t csidl) {
  std::string path;
  if (csidl == kDesktopFolderId) path = StripAtNull(DesktopFolder().string());
  AddPathSeparator(path);
  return path;
}

void AddPathSeparator(std::string& path) {
  const std::size_t last = path.find_last_not_of(' ');
  if (last != std::string::npos && (path[last] == '/' || path[last] == '\\')) return;
  path.erase(last == std::string::npos ? 0 : last + 1);
  path += '/';
}

std::string StripAtNull(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

std::string GetShortPath(std::string_view path) {
  std::error_code error;
  if (path.empty() || !std::filesystem::exists(std::filesystem::path(path), error)) return "";
  return cp932::ByteLength(path) <= 255 ? std::string(path) : "";
}

}  // namespace plamor::folders
