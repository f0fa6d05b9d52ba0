#include "platform/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/folders.h"

namespace plamor::settings {
namespace fs = std::filesystem;

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Backslash escapes keep every value byte for byte: line breaks, NUL and the
// backslash always, blanks only at either end (where reading trims them).
std::string Escape(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    bool atEnd = i == 0 || i + 1 == value.size();
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\0': out += "\\0"; break;
      case '\t': out += "\\t"; break;
      case ' ': out += atEnd ? "\\s" : " "; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (text[i + 1]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case '0': out += '\0'; break;
      case 't': out += '\t'; break;
      case 's': out += ' '; break;
      default: out += text[i]; continue;  // not an escape: the backslash stays
    }
    ++i;
  }
  return out;
}

// One line of an INI file, kept as it was read so that a rewrite keeps
// comments and lines this module does not understand.
struct Line {
  std::string raw;
  std::optional<std::string> section;  // set for "[name]"
  std::optional<std::string> key;      // set for "key=value"
  std::string_view valueText() const {
    std::string_view r = raw;
    return ascii::TrimBlanksAndTabs(r.substr(r.find('=') + 1));
  }
};

Line ParseLine(std::string raw) {
  Line line{std::move(raw), std::nullopt, std::nullopt};
  std::string_view t = ascii::TrimBlanksAndTabs(line.raw);
  if (t.empty() || t[0] == ';' || t[0] == '#') return line;
  if (t.front() == '[' && t.back() == ']') {
    line.section = std::string(ascii::TrimBlanksAndTabs(t.substr(1, t.size() - 2)));
  } else if (std::size_t eq = t.find('='); eq != std::string_view::npos && eq > 0) {
    line.key = std::string(ascii::TrimBlanksAndTabs(t.substr(0, eq)));
  }
  return line;
}

// The lines of the file; an empty list when it does not exist.
std::vector<Line> ReadLines(const fs::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};  // no such file: nothing stored yet
    throw SettingsError(file, "cannot open for reading: " + SystemReason(errno));
  }
  std::string content;
  char buffer[8192];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      throw SettingsError(file, "cannot read: " + SystemReason(error));
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);

  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string raw = content.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    lines.push_back(ParseLine(std::move(raw)));
    start = end + 1;
  }
  return lines;
}

void WriteAll(int fd, const std::string& data, const fs::path& file) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SettingsError(file, "cannot write: " + SystemReason(errno));
    done += static_cast<std::size_t>(n);
  }
}

// Writes the lines to a temporary file beside the target and renames it over
// the target: the target holds either the old or the new settings, never part.
void WriteLines(const fs::path& file, const std::vector<Line>& lines) {
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) throw SettingsError(file, "cannot create its folder: " + error.message());

  std::string content;
  for (const Line& line : lines) content += line.raw + '\n';

  std::string temp = file.string() + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) throw SettingsError(file, "cannot create a temporary file: " + SystemReason(errno));
  try {
    ::fchmod(fd, 0644);
    WriteAll(fd, content, file);
    if (::fsync(fd) != 0) throw SettingsError(file, "cannot write: " + SystemReason(errno));
    if (::close(fd) != 0) {
      fd = -1;
      throw SettingsError(file, "cannot write: " + SystemReason(errno));
    }
    fd = -1;
    if (::rename(temp.c_str(), file.c_str()) != 0) {
      throw SettingsError(file, "cannot replace the file: " + SystemReason(errno));
    }
  } catch (...) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  if (int dir = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

bool HasControl(std::string_view s) {
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

void CheckNames(const fs::path& file, std::string_view section, std::string_view key) {
  auto fail = [&](std::string_view what, std::string_view name, std::string_view why) {
    throw SettingsError(file, std::string(what) + " name \"" + std::string(name) + "\" " +
                                  std::string(why));
  };
  if (section.empty() || ascii::TrimBlanksAndTabs(section) != section || HasControl(section) ||
      section.find_first_of("[]") != std::string_view::npos) {
    fail("section", section, "is empty, has blanks at an end or holds [, ] or a control character");
  }
  if (key.empty() || ascii::TrimBlanksAndTabs(key) != key || HasControl(key) ||
      key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
      key.front() == '#') {
    fail("key", key, "is empty, has blanks at an end, holds = or a control character, "
                     "or starts with [, ; or #");
  }
}

// Index range [first, end) of the lines of a section (after its header); no
// value when the section does not exist.
struct SectionRange {
  std::size_t header, first, end;
};

std::optional<SectionRange> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].section || !ascii::EqualNoCase(*lines[i].section, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !lines[end].section) ++end;
    return SectionRange{i, i + 1, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionRange& range,
                                   std::string_view key) {
  for (std::size_t i = range.first; i < range.end; ++i) {
    if (lines[i].key && ascii::EqualNoCase(*lines[i].key, key)) return i;
  }
  return std::nullopt;
}

}  // namespace

SettingsError::SettingsError(const fs::path& file, const std::string& reason)
    : std::runtime_error("settings file \"" + file.string() + "\": " + reason), file_(file) {}

fs::path SettingsFolder() { return folders::ConfigFolder() / "tessaro"; }

fs::path SettingsFile(std::string_view application) {
  if (application.empty() || application == "." || application == ".." ||
      application.find('/') != std::string_view::npos || HasControl(application)) {
    throw SettingsError(SettingsFolder(),
                        "application name \"" + std::string(application) + "\" is not a file name");
  }
  // Application names match without regard to case, as section and key names do.
  const std::string name = std::string(application) + ".ini";
  const fs::path folder = SettingsFolder();
  return folders::FindFileNoCase(folder, name).value_or(folder / name);
}

std::string GetSetting(std::string_view application, std::string_view section,
                       std::string_view key, std::string_view fallback) {
  const fs::path file = SettingsFile(application);
  const std::vector<Line> lines = ReadLines(file);
  if (auto range = FindSection(lines, section)) {
    if (auto index = FindKey(lines, *range, key)) return Unescape(lines[*index].valueText());
  }
  return std::string(fallback);
}

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) {
  const fs::path file = SettingsFile(application);
  CheckNames(file, section, key);
  std::vector<Line> lines = ReadLines(file);
  Line entry = ParseLine(std::string(key) + "=" + Escape(value));

  if (auto range = FindSection(lines, section)) {
    if (auto index = FindKey(lines, *range, key)) {
      lines[*index] = std::move(entry);
    } else {
      std::size_t at = range->end;  // after the last non-blank line of the section
      while (at > range->first && ascii::TrimBlanksAndTabs(lines[at - 1].raw).empty()) --at;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    }
  } else {
    if (!lines.empty() && !ascii::TrimBlanksAndTabs(lines.back().raw).empty()) lines.push_back(ParseLine(""));
    lines.push_back(ParseLine("[" + std::string(section) + "]"));
    lines.push_back(std::move(entry));
  }
  WriteLines(file, lines);
}

void DeleteSetting(std::string_view application, std::string_view section, std::string_view key) {
  const fs::path file = SettingsFile(application);
  std::vector<Line> lines = ReadLines(file);
  auto range = FindSection(lines, section);
  if (!range) return;
  auto index = FindKey(lines, *range, key);
  if (!index) return;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*index));
  --range->end;

  bool sectionEmpty = true;
  for (std::size_t i = range->first; i < range->end; ++i) {
    if (!ascii::TrimBlanksAndTabs(lines[i].raw).empty()) sectionEmpty = false;
  }
  if (sectionEmpty) {
    std::size_t first = range->header;
    while (first > 0 && ascii::TrimBlanksAndTabs(lines[first - 1].raw).empty()) --first;  // the blank line before it
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                lines.begin() + static_cast<std::ptrdiff_t>(range->end));
  }
  WriteLines(file, lines);
}

}  // namespace plamor::settings
