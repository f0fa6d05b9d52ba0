// Shared routines of the drawing server: window, folder, path and text
// helpers, the layer-code table and attribute word, the output-file delete and
// the file-error prompt, search keys, rounding to decimal columns and the
// angle routines of the extents.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_errors.h"
#include "server/types.h"

namespace plamor {

class TopmostWindow;

// Keeps the window above all others / releases it; a null window does nothing.
void SetWindowTopMost(TopmostWindow* window);
void ClearWindowTopMost(TopmostWindow* window);

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

// Fills the layer codes (1..128), by default Settings().LayerCode: layers
// 1..7 get 64, 32, ..., 1; layers 8..127 the remaining codes 3, 5, 6, 7, 9,
// ... 127 in increasing order; 128 gets 0.
void BuildLayerCodeTable(std::array<std::int32_t, 129>& code = Settings().LayerCode);

// code[layer] * 512 + pen * 64 + sub * 16 + kind * 4 + 1 as a signed 16-bit
// word, with the layer codes by default of Settings(). A layer outside
// 1..128 shows an error message and gives 0.
std::int16_t PackAttributeWord(std::int16_t kind, std::int16_t sub, std::int16_t pen, std::int16_t layer,
                               const std::array<std::int32_t, 129>& code = Settings().LayerCode);

// Deletes the file. A file in use or write-protected offers Retry/Cancel;
// other errors are shown. True when the file is gone, False when the user
// gave up or the error is not one to retry.
bool DeleteOutputFile(const std::string& path);

// Repeats `attempt` until it reports no error. A file in use or write-protected
// (70, 75) asks "確認" with Retry and Cancel; any other error is shown with the
// title "ｴﾗｰ". True when an attempt succeeded, false when the user gave up.
bool RetryWhileFileInUse(const std::function<std::optional<oserr::FileError>()>& attempt);

// Bytes of the text in CP932 (a double-byte character counts 2).
std::int32_t AnsiByteLength(std::string_view text);

// The file-error prompt titled "エラー確認": Retry/Cancel for device and
// permission errors (57, 68, 70, 31036, 31037), Yes/No to choose another file
// name on a full disk (61), OK to stop otherwise. Returns the button code.
std::int32_t AskFileErrorAction(const oserr::FileError& error);

// The 16 hexadecimal digits of the double's memory image (ConvertD2HS of
// libTessaroDll.so). Throws dynlib::LibraryError when that library cannot be used.
std::string DoubleToHexKey(double value);

// The value as text rounded half away from zero to `digits` decimals
// ("0" pattern for 0 digits, "0.00..." otherwise).
std::string RoundToColumns(double value, std::int32_t digits);

// Rotation of (x, y) by angle degrees.
double RotateX(double x, double y, double angle);
double RotateY(double x, double y, double angle);

// Product-to-sum forms of a point on an inclined ellipse (angles in degrees).
double EllipseX(double a, double b, double c, double d);
double EllipseY(double a, double b, double c, double d);

}  // namespace plamor
