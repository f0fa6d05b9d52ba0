// The binding DXF writer (AutoCAD R12, version AC1009, two lines per group,
// CR LF line ends, CP932 text): the fixed header with the LTYPE, STYLE and
// LAYER tables, the trailer, and one entity text per element.
//
// The text builders work on UTF-8 and return UTF-8 (the bytes are passed
// through unchanged, so they equally build CP932 text from CP932 parts).
// Entity texts end without CR LF; the caller writes each as one line.
//
// Layer names, pen colours and the code-page choice come from the run's
// WriteContext; the writer reads no settings and writes no file itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/elements/element_values.h"
#include "server/formats/dxf_rules.h"
#include "server/formats/write_context.h"
#include "server/types.h"

namespace plamor::dxf {

// The code as plain digits, CR LF, the value in the form "0.0000", CR LF.
std::string DxfGroupReal(std::int16_t code, double value);

// The whole fixed header up to the line "ENTITIES" (no final CR LF), with one
// LAYER entry per named layer of the context.
std::string DxfHeaderText(const WriteContext& context);
// Names every layer Layer-001 .. Layer-128 when none of 1..128 has a name.
void NameUnnamedLayers(std::array<std::string, 129>& layerNames);
// The group value an entity on a layer of this UTF-8 name carries: its CP932
// bytes in caret form, "0" for a layer without a name.
std::string EntityLayerValue(std::string_view layerName);
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

// The file bytes of the header and of the trailer, each followed by CR LF.
std::string HeaderBytes(const WriteContext& context);
std::string TrailerBytes();

// Appends the DXF entity of one element followed by CR LF to `out` (pen 0
// appends nothing). A layer without a name is written as layer "0"; a layer
// outside 1..128 cannot be written: false, nothing appended.
[[nodiscard]] bool AppendElement(std::string& out, const LineValues& line, const WriteContext& context);
[[nodiscard]] bool AppendElement(std::string& out, const CircleValues& circle, const WriteContext& context);
[[nodiscard]] bool AppendElement(std::string& out, const TextValues& text, const WriteContext& context);

}  // namespace plamor::dxf
