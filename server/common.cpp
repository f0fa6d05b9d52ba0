#include "server/common.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <system_error>
#include <filesystem>

#include "platform/cp932.h"
#include "platform/dynamic_library.h"
#include "platform/folders.h"
#include "platform/numeric_text.h"
#include "platform/prompts.h"
#include "server/dialog/topmost_window.h"
#include "server/types.h"

namespace plamor {

namespace {

constexpr double kPi = 3.14159265358979;

// A message-box style of buttons and icon.
constexpr int Style(int buttons, int icon) { return buttons | icon; }

void ShowError(const std::string& description) {
  prompts::Current().MessageBox({description, "ｴﾗｰ", Style(prompts::kOkOnly, prompts::kCritical)});
}

}  // namespace

TopmostWindow::~TopmostWindow() = default;

void SetWindowTopMost(TopmostWindow* window) {
  if (window) window->SetTopMost(true);
}

void ClearWindowTopMost(TopmostWindow* window) {
  if (window) window->SetTopMost(false);
}

std::string GetSpecialFolderPath(std::int32_t csidl) {
  std::string path;
  if (csidl == kDesktopFolderId) path = StripAtNull(folders::DesktopFolder().string());
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

void BuildLayerCodeTable(std::array<std::int32_t, 129>& code) {
  for (int layer = 1; layer <= 7; ++layer) code[layer] = 1 << (7 - layer);  // 64 .. 1
  code[128] = 0;
  std::int32_t next = 3;
  for (int layer = 8; layer <= 127; ++layer) {
    while (next == 4 || next == 8 || next == 16 || next == 32 || next == 64) ++next;
    code[layer] = next++;
  }
}

std::int16_t PackAttributeWord(std::int16_t kind, std::int16_t sub, std::int16_t pen, std::int16_t layer,
                               const std::array<std::int32_t, 129>& code) {
  if (layer < 1 || layer > 128) {
    ShowError(oserr::Describe(9));  // subscript out of range
    return 0;
  }
  // Everything is taken to 16 bits: the word is the low half of the sum.
  const std::uint32_t sum = static_cast<std::uint32_t>(code[layer]) * 512u +
                            static_cast<std::uint16_t>(pen * 64) +
                            static_cast<std::uint16_t>(sub * 16) +
                            static_cast<std::uint16_t>(kind * 4) + 1u;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(sum));
}

bool RetryWhileFileInUse(const std::function<std::optional<oserr::FileError>()>& attempt) {
  for (;;) {
    const std::optional<oserr::FileError> error = attempt();
    if (!error) return true;
    if (error->number != 70 && error->number != 75) {
      ShowError(error->description);
      return false;
    }
    const int answer = prompts::Current().MessageBox(
        {"ほかのプロセスによって、ファイルが使用されているか、ライトプロテクトが有効になっています。\n"
         "（ＣＡＤで現在、編集中の可能性もあります。）",
         "確認", Style(prompts::kRetryCancel, prompts::kExclamation)});
    if (answer != prompts::kRetry) return false;
  }
}

bool DeleteOutputFile(const std::string& path) {
  return RetryWhileFileInUse([&]() -> std::optional<oserr::FileError> {
    if (::unlink(path.c_str()) == 0) return std::nullopt;
    return oserr::FromErrno(errno, path);
  });
}

std::int32_t AnsiByteLength(std::string_view text) {
  return static_cast<std::int32_t>(cp932::ByteLength(text));
}

std::int32_t AskFileErrorAction(const oserr::FileError& error) {
  prompts::MessageBoxRequest request{error.description, "エラー確認", prompts::kOkOnly};
  switch (error.number) {
    case 57:
    case 68:
    case 70:
    case 31036:
    case 31037:
      request.style = prompts::kRetryCancel;
      break;
    case 61:
      request.text += "\n再度、ファイル名の指示を行いますか？";
      request.style = prompts::kYesNo;
      break;
    default:
      request.text += "\n処理を中止します。";
      request.style = Style(prompts::kOkOnly, prompts::kCritical);
      break;
  }
  return prompts::Current().MessageBox(request);
}

std::string DoubleToHexKey(double value) {
  using ConvertFn = std::int32_t (*)(double, char*);
  struct Binding {
    dynlib::DynamicLibrary library = dynlib::DynamicLibrary::Load("libTessaroDll.so");
    ConvertFn convert = library.Function<ConvertFn>("ConvertD2HS");
  };
  static const Binding binding;  // bound at the first call, as the server binds its libraries
  char buffer[21] = "                    ";
  binding.convert(value, buffer);
  return std::string(buffer, 16);
}

std::string RoundToColumns(double value, std::int32_t digits) {
  return numtext::Format(value, numtext::DecimalsPattern(digits));
}

double RotateX(double x, double y, double angle) {
  const double r = angle * kPi / 180;
  return std::cos(r) * x - std::sin(r) * y;
}

double RotateY(double x, double y, double angle) {
  const double r = angle * kPi / 180;
  return std::sin(r) * x + std::cos(r) * y;
}

double EllipseX(double a, double b, double c, double d) {
  return (std::cos((c + d) / 180 * kPi) * a + std::cos((c - d) / 180 * kPi) * b) * 0.5;
}

double EllipseY(double a, double b, double c, double d) {
  return (std::sin((c + d) / 180 * kPi) * a - std::sin((c - d) / 180 * kPi) * b) * 0.5;
}

}  // namespace plamor
