// What both DXF writers (the binding R12 file and the DXF 2000 file beside
// it) write the same way: group values kept on one line in caret form, the
// names of unnamed layers, the line type of a drawing line style, the
// angles of an arc, and the
// code page of Japanese text with the per-user setting that declares it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plamor::dxf {

// Per-user setting naming the code page the R12 header declares (opt-in):
// Corvane / Common / DxfCodePage = "ANSI_932" adds $DWGCODEPAGE to the header
// (the run reads it into WriteContext::dxfCodePage). The DXF 2000 file always
// declares it.
inline constexpr std::string_view kCodePageApplication = "Corvane";
inline constexpr std::string_view kCodePageSection = "Common";
inline constexpr std::string_view kCodePageKey = "DxfCodePage";
inline constexpr std::string_view kJapaneseCodePage = "ANSI_932";

// A group value is one line that reads back as it was given: control
// characters are written in the DXF caret form ("^J" for a line feed, "^I" for
// a tab) and a caret itself as "^ ". `cp932` values skip the second byte of a
// double-byte character, which may be the caret's byte; UTF-8 values have no
// such bytes. Returns `value` itself when it needs no change, else `storage`.
std::string_view OneLineValue(std::string_view value, std::string& storage, bool cp932);

// The name of layer `layer` when the drawing names none: "Layer-001".
std::string UnnamedLayerName(int layer);

// The DXF line type a dashed ktpStyle is drawn with (HIDDEN2, CENTER2,
// PHANTOM2); empty for a solid line.
std::string_view DashedLineType(std::int32_t style);

// Start and end angle of an arc written counter-clockwise from its start and
// sweep; `circle` when the sweep is exactly 360.
struct ArcAngles {
  bool circle = false;
  double start = 0;
  double end = 0;
};
ArcAngles ArcFromSweep(double sAng, double mang);

}  // namespace plamor::dxf
