#include "platform/temporary_files.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace plamor::tempfiles {
namespace {

constexpr std::string_view kMark = ".part";
constexpr std::size_t kMaxKeptEnding = 4;  // "." and three characters
constexpr long kMaxProcessId = 4194304;    // the system's limit; no process group is ever named

// The longest prefix of `name` of at most `room` bytes that does not end
// inside a UTF-8 sequence.
std::string_view CutAtCharacter(std::string_view name, std::size_t room) {
  if (name.size() <= room) return name;
  std::size_t size = room;
  while (size > 0 && (static_cast<unsigned char>(name[size]) & 0xC0) == 0x80) --size;
  return name.substr(0, size);
}

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 10) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool ProcessExists(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH; }

}  // namespace

std::filesystem::path BesideTarget(const std::filesystem::path& target, std::string_view keptEnding) {
  static std::atomic<unsigned> counter{0};
  const std::string decoration =
      "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + std::string(kMark) + std::string(keptEnding);
  const std::string name = target.filename().string();
  const std::size_t room = kMaxNameBytes - 1 - decoration.size();
  return target.parent_path() / ("." + std::string(CutAtCharacter(name, room)) + decoration);
}

bool IsTemporaryName(std::string_view fileName, long& pid) {
  if (fileName.size() < 2 || fileName[0] != '.') return false;
  // An ending kept after the mark: "." and up to three characters other than dots.
  const std::size_t markAt = fileName.rfind(kMark);
  if (markAt == std::string_view::npos) return false;
  const std::string_view kept = fileName.substr(markAt + kMark.size());
  if (!kept.empty() && (kept.size() > kMaxKeptEnding || kept[0] != '.' || kept.find('.', 1) != std::string_view::npos))
    return false;
  const std::string_view numbers = fileName.substr(0, markAt);  // ".<name>.<pid>-<count>"
  const std::size_t dash = numbers.rfind('-');
  const std::size_t dot = numbers.rfind('.', dash == std::string_view::npos ? 0 : dash);
  if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0) return false;
  const std::string_view pidText = numbers.substr(dot + 1, dash - dot - 1);
  if (!AllDigits(pidText) || !AllDigits(numbers.substr(dash + 1))) return false;
  pid = std::stol(std::string(pidText));
  return pid > 0 && pid <= kMaxProcessId;
}

void RemoveStale(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
    long pid = 0;
    const std::string name = it->path().filename().string();
    if (!IsTemporaryName(name, pid) || pid == ::getpid() || ProcessExists(pid)) continue;
    std::error_code kind;
    if (it->is_regular_file(kind)) std::filesystem::remove(it->path(), kind);
  }
}

}  // namespace plamor::tempfiles
