// The drawing server's public enumerations (values are part of the interface)
// and its module-wide settings, shared by every clsPlamor object of one server
// thread.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace plamor {

enum ktpPlamorType : std::int32_t { ktpAtz = 0, ktpPlm = 1, ktpDxf = 2 };

enum ktpOptimazeType : std::int32_t { ktpLevel0 = 0, ktpLevel1 = 1, ktpLevel2 = 2, ktpLevel3 = 3 };

enum ktpMojiType : std::int32_t { ktpYoko = 0, ktpTate = 1 };

enum ktpPaperType : std::int32_t { ktpPaperYoko = 0, ktpPaperTate = 1 };

enum ktpMojiKitenType : std::int32_t {
  ktpLeftBottom = 0,
  ktpCenterBottom = 1,
  ktpRightBottom = 2,
  ktpLeftCenter = 3,
  ktpCenterCenter = 4,
  ktpRightCenter = 5,
  ktpLeftTop = 6,
  ktpCenterTop = 7,
  ktpRightTop = 8,
};

// There is no line style 2.
enum ktpStyle : std::int32_t { ktpsolid = 0, ktpdash = 1, ktpdashdot = 3, ktpdashdotdot = 4 };

enum ktpPaperSize : std::int32_t {
  ktpA0 = 0, ktpA1 = 1, ktpA2 = 2, ktpA3 = 3, ktpA4 = 4,
  ktpB0 = 5, ktpB1 = 6, ktpB2 = 7, ktpB3 = 8, ktpB4 = 9,
  ktpANSI_A = 10, ktpANSI_B = 11, ktpANSI_C = 12, ktpANSI_D = 13, ktpANSI_E = 14,
  ktpFREE = 15,
};

enum ktpPen : std::int32_t {
  ktpPEN0 = 0, ktpPEN1 = 1, ktpPEN2 = 2, ktpPEN3 = 3,
  ktpPEN4 = 4, ktpPEN5 = 5, ktpPEN6 = 6, ktpPEN7 = 7,
};

// Result of every writer step.
enum SaveResult : std::int32_t { SaveOk = 1, SaveAbort = 2, SaveAskName = 4 };

// DXF colour number of each pen 0..7 (black, green, red, magenta, blue,
// cyan, yellow, white), as every new clsPlamor object sets them.
inline constexpr std::array<std::int16_t, 8> kDxfPenColors{0, 3, 1, 6, 5, 4, 2, 7};

// Module-wide settings. One copy per thread, shared by the objects of that
// thread without locking, unless the thread has entered an apartment of its
// own (ScopedSettings): the D-Bus server gives every host connection one, so
// one host never sees or resets another host's settings. Index 0 of the
// 1-based tables is unused.
struct ModuleSettings {
  std::int32_t RoundColum = 6;
  std::string FilePath;
  std::array<std::string, 129> LayerName{};          // 1..128
  std::array<std::int16_t, 8> DxfPenColor = kDxfPenColors;
  std::array<std::int32_t, 129> LayerCode{};          // 1..128
};

// The settings of the apartment the calling thread is in: the innermost
// ScopedSettings, else the thread's own.
ModuleSettings& Settings();

// Enters the apartment `settings` (not owned; null: the thread's own) until
// the end of the scope; scopes nest, the previous apartment comes back.
class ScopedSettings {
 public:
  explicit ScopedSettings(ModuleSettings* settings);
  ~ScopedSettings();
  ScopedSettings(const ScopedSettings&) = delete;
  ScopedSettings& operator=(const ScopedSettings&) = delete;

 private:
  ModuleSettings* previous_;
};

}  // namespace plamor
