// Numeric and process helpers of libTessaroDll.so.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"
#include "util/tessaro_numeric.h"

extern char** environ;

namespace {

// 10 to the power |low 16 bits of decimals|; a negative count counts like the positive one.
double DecimalScale(int32_t decimals) {
  int n = static_cast<int16_t>(static_cast<uint16_t>(decimals));
  return std::pow(10.0, std::abs(n));
}

int HexDigitValue(char c) {
  // As the form is read: letters from "A" on count c - 55, everything else c - 48.
  return static_cast<signed char>(c) >= 'A' ? c - 55 : c - 48;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Words of a command line, split as a program started by the host's process
// start reads its arguments. The first word, the program, runs to the first
// blank outside double quotes; its quotes are dropped and backslashes are
// plain characters. In every later word blanks separate words, double quotes
// group characters (blanks included) and are dropped, "" inside quotes is a
// quote character, and backslashes count only before a double quote: 2n of
// them give n backslashes and the quote keeps its meaning, 2n + 1 give n
// backslashes and a quote character ("a\"b" is the one word a"b).
std::vector<std::string> SplitCommandLine(const char* line) {
  std::vector<std::string> words;
  const char* p = line ? line : "";
  while (IsBlank(*p)) ++p;
  if (!*p) return words;

  std::string word;
  bool quoted = false;
  for (; *p && (quoted || !IsBlank(*p)); ++p) {
    if (*p == '"') quoted = !quoted;
    else word += *p;
  }
  words.push_back(word);

  for (;;) {
    while (IsBlank(*p)) ++p;
    if (!*p) return words;
    word.clear();
    quoted = false;
    for (;;) {
      std::size_t backslashes = 0;
      for (; *p == '\\'; ++p) ++backslashes;
      bool literal = true;
      if (*p == '"') {
        if (backslashes % 2 == 0) {
          if (quoted && p[1] == '"') {
            ++p;  // "" inside quotes: one quote character
          } else {
            literal = false;
            quoted = !quoted;
          }
        }
        backslashes /= 2;
      }
      word.append(backslashes, '\\');
      if (!*p || (!quoted && IsBlank(*p))) break;
      if (literal) word += *p;
      ++p;
    }
    words.push_back(word);
  }
}

// Blocks until the child ends, waking every 1000 ms as the host's wait does,
// and reaps it.
void WaitForChild(pid_t child) {
  int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
  if (pidfd >= 0) {
    pollfd watch{pidfd, POLLIN, 0};
    for (;;) {
      int ready = poll(&watch, 1, 1000);
      if (ready > 0) break;
      if (ready < 0 && errno != EINTR) break;  // the blocking wait below takes over
    }
    close(pidfd);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

TESSARO_EXPORT int32_t ConvertD2HS(double value, char* buffer) {
  if (!buffer) return -1;
  static const char digits[] = "0123456789ABCDEF";
  unsigned char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  char text[17];
  for (std::size_t i = 0; i < sizeof bytes; ++i) {
    text[2 * i] = digits[bytes[i] >> 4];
    text[2 * i + 1] = digits[bytes[i] & 0x0F];
  }
  text[16] = '\0';
  std::memcpy(buffer, text, sizeof text);
  return 0;
}

TESSARO_EXPORT double ConvertHS2D(const char* hex) {
  if (!hex || strnlen(hex, 16) < 16) return std::numeric_limits<double>::quiet_NaN();
  unsigned char bytes[sizeof(double)];
  for (std::size_t i = 0; i < sizeof bytes; ++i) {
    unsigned high = static_cast<unsigned>(HexDigitValue(hex[2 * i]) << 4) & 0xFF;
    unsigned low = static_cast<unsigned>(HexDigitValue(hex[2 * i + 1]));
    bytes[i] = static_cast<unsigned char>(high | low);
  }
  double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

TESSARO_EXPORT double GetRoundDown(double value, int32_t decimals) {
  const double p = DecimalScale(decimals);
  // The nudge goes away from zero so that 1.23 and -1.23, stored a hair
  // toward zero, keep their last decimal.
  const double nudge = value > 0 ? 1e-13 : (value < 0 ? -1e-13 : 0.0);
  const double v = p * (value + nudge);
  return (v >= 0 ? std::floor(v) : std::ceil(v)) / p;
}

TESSARO_EXPORT double GetRoundUp(double value, int32_t decimals) {
  const double p = DecimalScale(decimals);
  const double v = p * value;
  return (v >= 0 ? std::ceil(v) : std::floor(v)) / p;
}

TESSARO_EXPORT int32_t ShiftBit(int32_t value, int32_t count) {
  if (count > 0) return static_cast<int32_t>(static_cast<uint32_t>(value) << (count % 32));
  return value >> (static_cast<uint32_t>(-static_cast<int64_t>(count)) % 32);
}

TESSARO_EXPORT int32_t WaitCommand(const char* program, const char* commandLine) {
  std::vector<std::string> words = SplitCommandLine(commandLine);
  const bool programGiven = program && *program;
  if (!programGiven && words.empty()) return 0;
  const std::string path = programGiven ? std::string(program) : words.front();
  if (words.empty()) words.push_back(path);

  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // The caller's open files stay with the caller; only the standard three pass on.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  pid_t child = 0;
  int error = programGiven ? posix_spawn(&child, path.c_str(), &actions, nullptr, argv.data(), environ)
                           : posix_spawnp(&child, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return 0;
  WaitForChild(child);
  return 1;
}

TESSARO_EXPORT int32_t GetResource(void) {
  try {
    auto library = plamor::dynlib::DynamicLibrary::Load("RSRC32.DLL");
    auto freeResources = library.Function<int32_t (*)(int32_t)>("_MyGetFreeSystemResources32@4");
    return freeResources(0);
  } catch (const plamor::dynlib::LibraryError&) {
    return -1;
  }
}
