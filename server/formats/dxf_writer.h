// DXF writer (version AC1009, two lines per group, CR LF line ends, CP932
// text): the fixed header with the LTYPE, STYLE and LAYER tables, the
// trailer, and one entity text per element.
//
// The text builders work on UTF-8 and return UTF-8 (the bytes are passed
// through unchanged, so they equally build CP932 text from CP932 parts).
// Entity texts end without CR LF; the caller writes each as one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "server/types.h"
#include "server/formats/writer_values.h"

namespace plamor {

class OutputFile;

namespace dxf {

// Per-user setting naming the code page the header declares (opt-in):
// Corvane / Common / DxfCodePage = "ANSI_932" adds $DWGCODEPAGE to the header.
inline constexpr std::string_view kCodePageApplication = "Corvane";
inline constexpr std::string_view kCodePageSection = "Common";
inline constexpr std::string_view kCodePageKey = "DxfCodePage";
inline constexpr std::string_view kJapaneseCodePage = "ANSI_932";

// The code as plain digits, CR LF, the value in the form "0.0000", CR LF.
std::string DxfGroupReal(std::int16_t code, double value);

// The whole fixed header up to the line "ENTITIES" (no final CR LF). Fills
// Settings().LayerName with Layer-001 .. Layer-128 first when no name is set.
std::string DxfHeaderText();
// "  0" "ENDSEC" "  0" "EOF" (no final CR LF).
std::string DxfTrailerText();

std::string DxfLine(double x1, double y1, double z1, double x2, double y2, double z2,
                    std::string_view layer, std::string_view lineType, std::string_view colour);
std::string DxfCircle(double x, double y, double z, double radius, std::string_view layer,
                      std::string_view lineType, std::string_view colour);
std::string DxfArc(double x, double y, double z, double radius, double startAngle, double endAngle,
                   std::string_view layer, std::string_view lineType, std::string_view colour);
std::string DxfText(double height, double x, double y, double z, double angle, std::string_view text,
                    std::string_view layer, std::string_view lineType, std::string_view colour);
std::string DxfVerticalText(double height, double x, double y, double z, double angle,
                            std::string_view text, std::string_view layer, std::string_view lineType,
                            std::string_view colour);

// True when every character of the UTF-8 text is one byte in CP932 (an empty text is).
bool IsSingleByteText(std::string_view text);

// DXF line type of a line or circle: HIDDEN2, CENTER2, PHANTOM2 or CONTINUOUS;
// pen 7 always draws CONTINUOUS.
std::string_view LineTypeName(std::int32_t style, std::int32_t pen);

// Start and end angle of an arc written counter-clockwise from its start and
// sweep; `circle` when the sweep is exactly 360.
struct ArcAngles {
  bool circle = false;
  double start = 0;
  double end = 0;
};
ArcAngles ArcFromSweep(double sAng, double mang);

// Writes the header followed by CR LF.
SaveResult WriteDxfHeader(OutputFile& file);
// Writes the trailer followed by CR LF; failures are ignored.
void WriteDxfTrailer(OutputFile& file);

// The DXF entity of one element (pen 0 writes nothing). A layer without a
// name is written as layer "0"; a layer outside 1..128 cannot be written and
// is reported as a file error.
SaveResult SaveLine(OutputFile& file, const LineValues& line);
SaveResult SaveCircle(OutputFile& file, const CircleValues& circle);
SaveResult SaveText(OutputFile& file, const TextValues& text);

}  // namespace dxf
}  // namespace plamor
