#include "server/formats/dxf_r12_writer.h"

#include <array>
#include <charconv>

#include "platform/cp932.h"
#include "platform/numeric_text.h"
#include "server/formats/fixed_decimal.h"

namespace plamor::dxf {
namespace {

constexpr std::string_view kCrLf = "\r\n";

struct Pair {
  std::string_view code;
  std::string_view value;
};

// Fixed header up to the layer table: SECTION HEADER with $ACADVER, then the
// TABLES section with the LTYPE table and the first STYLE table.
constexpr Pair kHeaderStart[] = {
    {"  0", "SECTION"}, {"  2", "HEADER"}, {"  9", "$ACADVER"}, {"  1", "AC1009"},
};
// Declared code page of the Japanese text, right after $ACADVER when the user opts in.
constexpr Pair kCodePage[] = {{"  9", "$DWGCODEPAGE"}, {"  3", "ANSI_932"}};
constexpr Pair kHeaderTables[] = {
    {"  0", "ENDSEC"},
    {"  0", "SECTION"}, {"  2", "TABLES"},
    {"  0", "TABLE"}, {"  2", "LTYPE"}, {" 70", "     1"},
    {"  0", "LTYPE"}, {"  2", "CONTINUOUS"}, {" 70", " 64"}, {"  3", "Solid Line"},
    {" 72", " 65"}, {" 73", "  0"}, {" 40", "0.0"},
    {"  0", "LTYPE"}, {"  2", "HIDDEN2"}, {" 70", " 64"}, {"  3", "Hidden"},
    {" 72", " 65"}, {" 73", "  2"}, {" 40", "3.0"}, {" 49", "1.8"}, {" 49", "-1.2"},
    {"  0", "LTYPE"}, {"  2", "CENTER2"}, {" 70", "    64"}, {"  3", "CENTER"},
    {" 72", "    65"}, {" 73", "     4"}, {" 40", "0.375"},
    {" 49", "0.2625"}, {" 49", "-0.0375"}, {" 49", "0.0375"}, {" 49", "-0.0375"},
    {"  0", "LTYPE"}, {"  2", "PHANTOM2"}, {" 70", "    64"}, {"  3", "PHANTOM"},
    {" 72", "    65"}, {" 73", "     6"}, {" 40", "0.45"},
    {" 49", "0.2625"}, {" 49", "-0.0375"}, {" 49", "0.0375"}, {" 49", "-0.0375"},
    {" 49", "0.0375"}, {" 49", "-0.0375"},
    {"  0", "ENDTAB"},
    {"  0", "TABLE"}, {"  2", "STYLE"}, {" 70", "     1"},
    {"  0", "STYLE"}, {"  2", "YOKOGAKI"}, {" 70", "     0"}, {" 40", "0.0"}, {" 41", "1.0"},
    {" 50", "0.0"}, {" 71", "     0"}, {" 42", "0.2"}, {"  3", "romans.shx"}, {"  4", "bigfont.shx"},
    {"  0", "STYLE"}, {"  2", "TATEGAKI"}, {" 70", "     4"}, {" 40", "0.0"}, {" 41", "1.0"},
    {" 50", "0.0"}, {" 71", "     0"}, {" 42", "0.2"}, {"  3", "romans.shx"}, {"  4", "bigfont.shx"},
    {"  0", "ENDTAB"},
    {"  0", "TABLE"},
};
// One entry of the layer table; the name goes between the second and third pair.
constexpr Pair kLayerEntryStart[] = {{" 0", "LAYER"}};
constexpr Pair kLayerEntryEnd[] = {{"70", " 0"}, {"62", " 7"}, {" 6", "CONTINUOUS"}};
// After the layer table: the second STYLE table, VIEW, BLOCKS and the start of ENTITIES.
constexpr Pair kHeaderEnd[] = {
    {"  0", "ENDTAB"},
    {"  0", "TABLE"}, {"  2", "STYLE"}, {" 70", "     1"},
    {"  0", "STYLE"}, {"  2", "STANDARD"}, {" 70", "     0"}, {" 40", "0.0"}, {" 41", "1.0"},
    {" 50", "0.0"}, {" 71", "     0"}, {" 42", "0.2"}, {"  3", "romans.shx"}, {"  4", "bigfont.shx"},
    {"  0", "ENDTAB"},
    {"  0", "TABLE"}, {"  2", "VIEW"}, {" 70", "     0"}, {"  0", "ENDTAB"},
    {"  0", "ENDSEC"},
    {"  0", "SECTION"}, {"  2", "BLOCKS"}, {"  0", "ENDSEC"},
    {"  0", "SECTION"}, {"  2", "ENTITIES"},
};

constexpr int kLayerCount = 128;

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(kCrLf);
}

template <std::size_t N>
void AppendPairs(std::string& out, const Pair (&pairs)[N]) {
  for (const Pair& pair : pairs) {
    AppendLine(out, pair.code);
    AppendLine(out, pair.value);
  }
}

void AppendGroupReal(std::string& out, std::string_view code, double value) {
  AppendLine(out, code);
  AppendFixed4(out, value);
  out.append(kCrLf);
}

// A point: the groups 1N, 2N and 3N (N the point's digit: "10" "20" "30").
void AppendGroupPoint(std::string& out, char digit, double x, double y, double z) {
  const char codes[3][3] = {{'1', digit, 0}, {'2', digit, 0}, {'3', digit, 0}};
  AppendGroupReal(out, codes[0], x);
  AppendGroupReal(out, codes[1], y);
  AppendGroupReal(out, codes[2], z);
}

void AppendPrologue(std::string& out, std::string_view entity, std::string_view layer,
                    std::string_view lineType, std::string_view colour) {
  AppendLine(out, "  0");
  AppendLine(out, entity);
  AppendLine(out, "  8");
  AppendLine(out, layer);
  AppendLine(out, " 62");
  AppendLine(out, colour);
  AppendLine(out, "  6");
  AppendLine(out, lineType);
}

void AppendLineEntity(std::string& out, double x1, double y1, double z1, double x2, double y2,
                      double z2, std::string_view layer, std::string_view lineType,
                      std::string_view colour) {
  AppendPrologue(out, "LINE", layer, lineType, colour);
  AppendGroupPoint(out, '0', x1, y1, z1);
  AppendGroupPoint(out, '1', x2, y2, z2);
}

void AppendCircleEntity(std::string& out, double x, double y, double z, double radius,
                        std::string_view layer, std::string_view lineType, std::string_view colour) {
  AppendPrologue(out, "CIRCLE", layer, lineType, colour);
  AppendGroupPoint(out, '0', x, y, z);
  AppendGroupReal(out, "40", radius);
}

void AppendArcEntity(std::string& out, double x, double y, double z, double radius, double start,
                     double end, std::string_view layer, std::string_view lineType,
                     std::string_view colour) {
  AppendPrologue(out, "ARC", layer, lineType, colour);
  AppendGroupPoint(out, '0', x, y, z);
  AppendGroupReal(out, "40", radius);
  AppendGroupReal(out, "50", start);
  AppendGroupReal(out, "51", end);
}

// Horizontal and vertical TEXT differ only in width factor and style name.
// The text is CP932 bytes when `cp932`, else UTF-8.
void AppendTextEntity(std::string& out, double height, double x, double y, double z, double angle,
                      std::string_view text, bool cp932, std::string_view widthFactor,
                      std::string_view style, std::string_view layer, std::string_view lineType,
                      std::string_view colour) {
  AppendPrologue(out, "TEXT", layer, lineType, colour);
  AppendGroupPoint(out, '0', x, y, z);
  AppendGroupReal(out, "40", height);
  std::string storage;
  AppendLine(out, "  1");
  AppendLine(out, OneLineValue(text, storage, cp932));
  AppendGroupReal(out, "50", angle);
  AppendLine(out, " 41");
  AppendLine(out, widthFactor);
  AppendLine(out, " 51");
  AppendLine(out, "0.000");
  AppendLine(out, "  7");
  AppendLine(out, style);
}

std::string WithoutFinalCrLf(std::string text) {
  text.resize(text.size() - kCrLf.size());
  return text;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

struct EntityStyle {
  std::string_view layer;
  std::string_view lineType;
  char colour[8];
  std::size_t colourLength;
  std::string_view Colour() const { return {colour, colourLength}; }
};

EntityStyle StyleOf(const WriteContext& context, std::int16_t layer, std::int32_t pen,
                    std::string_view lineType) {
  EntityStyle style{};
  style.layer = context.dxfEntityLayers[static_cast<std::size_t>(layer)];
  style.lineType = lineType;
  const auto result = std::to_chars(style.colour, style.colour + sizeof style.colour,
                                     context.dxfPenColor[static_cast<std::size_t>(pen)]);
  style.colourLength = static_cast<std::size_t>(result.ptr - style.colour);
  return style;
}

}  // namespace

std::string DxfGroupReal(std::int16_t code, double value) {
  std::string out = std::to_string(code);
  out.append(kCrLf);
  AppendFixed4(out, value);
  out.append(kCrLf);
  return out;
}

void NameUnnamedLayers(std::array<std::string, 129>& layerNames) {
  for (int i = 1; i <= kLayerCount; ++i) {
    if (!layerNames[static_cast<std::size_t>(i)].empty()) return;
  }
  for (int i = 1; i <= kLayerCount; ++i) layerNames[static_cast<std::size_t>(i)] = UnnamedLayerName(i);
}

std::string EntityLayerValue(std::string_view layerName) {
  if (layerName.empty()) return "0";
  const bool ascii = IsAscii(layerName);
  const std::string bytes = ascii ? std::string(layerName) : cp932::FromUtf8(layerName);
  std::string storage;
  return std::string(OneLineValue(bytes, storage, !ascii));
}

std::string DxfHeaderText(const WriteContext& context) {
  const auto& names = context.layerNames;
  int count = 0;
  for (int i = 1; i <= kLayerCount; ++i) count += names[static_cast<std::size_t>(i)].empty() ? 0 : 1;
  std::string out;
  out.reserve(4096 + 40 * static_cast<std::size_t>(count));
  AppendPairs(out, kHeaderStart);
  if (context.dxfCodePage) AppendPairs(out, kCodePage);
  AppendPairs(out, kHeaderTables);
  AppendLine(out, "  2");
  AppendLine(out, "LAYER");
  AppendLine(out, " 70");
  AppendLine(out, "   " + std::to_string(count + 1));
  for (int i = 1; i <= kLayerCount; ++i) {
    const std::string& name = names[static_cast<std::size_t>(i)];
    if (name.empty()) continue;
    AppendPairs(out, kLayerEntryStart);
    std::string storage;
    AppendLine(out, " 2");
    AppendLine(out, OneLineValue(name, storage, false));  // UTF-8 here
    AppendPairs(out, kLayerEntryEnd);
  }
  AppendPairs(out, kHeaderEnd);
  return WithoutFinalCrLf(std::move(out));
}

std::string DxfTrailerText() { return "  0\r\nENDSEC\r\n  0\r\nEOF"; }

std::string DxfLine(double x1, double y1, double z1, double x2, double y2, double z2,
                    std::string_view layer, std::string_view lineType, std::string_view colour) {
  std::string out;
  AppendLineEntity(out, x1, y1, z1, x2, y2, z2, layer, lineType, colour);
  return WithoutFinalCrLf(std::move(out));
}

std::string DxfCircle(double x, double y, double z, double radius, std::string_view layer,
                      std::string_view lineType, std::string_view colour) {
  std::string out;
  AppendCircleEntity(out, x, y, z, radius, layer, lineType, colour);
  return WithoutFinalCrLf(std::move(out));
}

std::string DxfArc(double x, double y, double z, double radius, double startAngle, double endAngle,
                   std::string_view layer, std::string_view lineType, std::string_view colour) {
  std::string out;
  AppendArcEntity(out, x, y, z, radius, startAngle, endAngle, layer, lineType, colour);
  return WithoutFinalCrLf(std::move(out));
}

std::string DxfText(double height, double x, double y, double z, double angle, std::string_view text,
                    std::string_view layer, std::string_view lineType, std::string_view colour) {
  std::string out;
  AppendTextEntity(out, height, x, y, z, angle, text, false, IsSingleByteText(text) ? "0.5000" : "0.8200",
                   "YOKOGAKI", layer, lineType, colour);
  return WithoutFinalCrLf(std::move(out));
}

std::string DxfVerticalText(double height, double x, double y, double z, double angle,
                            std::string_view text, std::string_view layer, std::string_view lineType,
                            std::string_view colour) {
  std::string out;
  AppendTextEntity(out, height, x, y, z, angle, text, false, "0.8200", "TATEGAKI", layer, lineType,
                   colour);
  return WithoutFinalCrLf(std::move(out));
}

bool IsSingleByteText(std::string_view text) { return cp932::IsSingleByteText(text); }

std::string_view LineTypeName(std::int32_t style, std::int32_t pen) {
  const std::string_view dashed = pen == 7 ? std::string_view() : DashedLineType(style);
  return dashed.empty() ? "CONTINUOUS" : dashed;
}

std::string HeaderBytes(const WriteContext& context) {
  std::string text = cp932::FromUtf8(DxfHeaderText(context));
  text.append(kCrLf);
  return text;
}

std::string TrailerBytes() {
  std::string text = DxfTrailerText();
  text.append(kCrLf);
  return text;
}

bool AppendElement(std::string& out, const LineValues& line, const WriteContext& context) {
  const std::int32_t pen = WriterPen(line.pen);
  if (pen == 0) return true;
  if (!LayerInRange(line.Layer)) return false;
  const EntityStyle style = StyleOf(context, line.Layer, pen, LineTypeName(line.Style, pen));
  AppendLineEntity(out, line.x1, line.y1, 0, line.x2, line.y2, 0, style.layer, style.lineType,
                   style.Colour());
  return true;
}

bool AppendElement(std::string& out, const CircleValues& circle, const WriteContext& context) {
  const std::int32_t pen = WriterPen(circle.pen);
  if (pen == 0) return true;
  if (!LayerInRange(circle.Layer)) return false;
  const EntityStyle style = StyleOf(context, circle.Layer, pen, LineTypeName(circle.Style, pen));
  const ArcAngles arc = ArcFromSweep(circle.sAng, circle.mang);
  if (arc.circle) {
    AppendCircleEntity(out, circle.x, circle.y, 0, circle.xr, style.layer, style.lineType,
                       style.Colour());
  } else {
    AppendArcEntity(out, circle.x, circle.y, 0, circle.xr, arc.start, arc.end, style.layer,
                    style.lineType, style.Colour());
  }
  return true;
}

bool AppendElement(std::string& out, const TextValues& text, const WriteContext& context) {
  const std::int32_t pen = WriterPen(text.pen);
  if (pen == 0) return true;
  if (!LayerInRange(text.Layer)) return false;
  const EntityStyle style = StyleOf(context, text.Layer, pen, "CONTINUOUS");
  const std::string bytes = cp932::FromUtf8(text.Text);
  if (text.Style == ktpYoko) {
    AppendTextEntity(out, text.height, text.x, text.y, 0, text.lang, bytes, true,
                     IsSingleByteText(text.Text) ? "0.5000" : "0.8200", "YOKOGAKI", style.layer,
                     style.lineType, style.Colour());
  } else {
    AppendTextEntity(out, text.height, text.x, text.y, 0, text.lang, bytes, true, "0.8200", "TATEGAKI",
                     style.layer, style.lineType, style.Colour());
  }
  return true;
}

}  // namespace plamor::dxf
