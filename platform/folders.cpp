#include "platform/folders.h"

#include <dlfcn.h>
#include <strings.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/ascii_text.h"

namespace plamor::folders {
namespace fs = std::filesystem;

namespace {

// The value of XDG_DESKTOP_DIR in user-dirs.dirs: a double-quoted path that is
// absolute or starts with "$HOME". Empty when absent or malformed.
fs::path DesktopFromUserDirs(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  fs::path found;
  while (std::getline(in, line)) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    const std::string_view prefix = "XDG_DESKTOP_DIR=\"";
    if (line.compare(start, prefix.size(), prefix) != 0) continue;
    std::size_t open = start + prefix.size();
    std::size_t close = line.find('"', open);
    if (close == std::string::npos) continue;
    std::string value;
    for (std::size_t i = open; i < close; ++i) {  // backslash escapes one character
      if (line[i] == '\\' && i + 1 < close) ++i;
      value += line[i];
    }
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
      found = HomeFolder().string() + value.substr(5);
    } else if (!value.empty() && value[0] == '/') {
      found = value;
    }
  }
  return found;  // the last assignment wins, as when the file is sourced
}

fs::path WithoutTrailingSlash(fs::path p) {
  std::string s = p.string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace

fs::path HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return fs::path(home);
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return fs::path("/");
}

fs::path ConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return fs::path(xdg);
  return HomeFolder() / ".config";
}

fs::path DesktopFolder() {
  fs::path desktop = DesktopFromUserDirs(ConfigFolder() / "user-dirs.dirs");
  if (desktop.empty()) desktop = HomeFolder() / "Desktop";
  return WithoutTrailingSlash(desktop);
}

fs::path ProgramFolder() {
  std::error_code error;
  fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : exe.parent_path();
}

fs::path ModuleFolder(const void* codeAddress) {
  Dl_info info{};
  if (!dladdr(codeAddress, &info)) return {};
  // Shared libraries are known by absolute paths; the main program by the name
  // it was started with (possibly relative or empty), so its own folder serves.
  if (!info.dli_fname || info.dli_fname[0] != '/') return ProgramFolder();
  return fs::path(info.dli_fname).parent_path();
}

std::optional<fs::path> FindFileNoCase(const fs::path& folder, std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
    return std::nullopt;
  }
  std::error_code error;
  if (fs::exists(folder / name, error)) return folder / name;
  std::optional<fs::path> match;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (ascii::EqualNoCase(it->path().filename().string(), name)) {
      match = it->path();
      break;
    }
  }
  return match;
}

fs::path DataFile(const fs::path& folder, std::string_view name) {
  if (auto found = FindFileNoCase(folder, name)) return *found;
  const fs::path parent = folder.parent_path();
  for (const fs::path& prefix : {parent, parent.parent_path()})
    if (auto found = FindFileNoCase(prefix / "share" / "plamor", name)) return *found;
  return folder / name;
}

bool EndsWithKind(const std::filesystem::path& file, const char* kind) {
  const std::string name = file.filename().string();
  return name.size() >= 3 && strcasecmp(name.c_str() + name.size() - 3, kind) == 0;
}

std::filesystem::path StrokeFontFile() { return DataFile(ProgramFolder(), "M_G_L.KVD"); }

}  // namespace plamor::folders
