#include "drawings/outputs/dxf2000_file.h"

#include "drawings/layer_names.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>
#include <string_view>

#include "drawings/drawing_extents.h"
#include "drawings/outputs/drawing_output.h"
#include "drawings/sheet_geometry.h"
#include "drawings/outputs/page_file.h"
#include "platform/cp932.h"
#include "server/elements/element_values.h"
#include "graphic/vector_sink.h"
#include "server/formats/dxf_rules.h"
#include "server/types.h"

namespace plamor::drawings {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDefaultDashPeriodMm = 4;
constexpr double kPatternLength = 16;  // every line-type pattern below is 16 units long
// LibreCAD draws a text in the stroke font named like its style (KST32B,
// which it ships, has the kanji); programs that take the style's font file
// get IPA Gothic (fonts-ipafont), which has them too.
constexpr const char* kTextStyle = "kst32b";
constexpr const char* kTextFont = "ipag.ttf";

// Handles of the fixed objects; entities count on from kFirstEntity.
enum Handle : unsigned {
  kBlockRecordTable = 0x1, kLayerTable = 0x2, kStyleTable = 0x3, kLineTypeTable = 0x5, kViewTable = 0x6,
  kUcsTable = 0x7, kVportTable = 0x8, kAppidTable = 0x9, kDimStyleTable = 0xA, kRootDictionary = 0xC,
  kGroupDictionary = 0xD, kActiveVport = 0x10, kAcadAppid = 0x11, kStandardDimStyle = 0x12,
  kModelSpaceRecord = 0x13, kPaperSpaceRecord = 0x14, kModelSpaceBlock = 0x15, kModelSpaceEnd = 0x16,
  kPaperSpaceBlock = 0x17, kPaperSpaceEnd = 0x18, kStandardStyle = 0x19, kTextStyleRecord = 0x1A,
  kFirstLineType = 0x20, kFirstLayer = 0x40, kFirstEntity = 0x400,
};

// The line types: the preview's patterns (runs of its 16-step bit patterns),
// 16 mm long, scaled per entity to the element's pitch. The names are those
// CAD programs know, so that programs that draw known names with their own
// patterns show a similar line.
struct LineType {
  std::string_view name;
  const char* description;
  std::vector<double> runs;  // positive: drawn, negative: gap
};

LineType DashedType(std::int32_t style, const char* description) {
  LineType type{dxf::DashedLineType(style), description, {}};
  bool drawn = true;
  for (double run : graphic::DashSixteenths(StyleCode(style))) {
    type.runs.push_back(drawn ? run : -run);
    drawn = !drawn;
  }
  return type;
}

const std::vector<LineType>& LineTypes() {
  static const std::vector<LineType> kTypes = {
      {"ByBlock", "", {}},
      {"ByLayer", "", {}},
      {"Continuous", "Solid line", {}},
      DashedType(ktpdash, "Dash (5 on, 3 off)"),
      DashedType(ktpdashdot, "Dash dot"),
      DashedType(ktpdashdotdot, "Dash dot dot"),
  };
  return kTypes;
}

class DxfOut {
 public:
  explicit DxfOut(const std::filesystem::path& path) : file_(path) {}
  void Text(int code, std::string_view value) {
    Code(code);
    file_.Put(value);
    file_.Put('\n');
  }
  void Real(int code, double v) {
    if (!std::isfinite(v)) v = 0;
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    Code(code);
    file_.Put(std::string_view(text, std::size_t(end - text)));
    if (std::string_view(text, std::size_t(end - text)).find_first_of(".e") == std::string_view::npos) file_.Put(".0");
    file_.Put('\n');
  }
  void Int(int code, long v) { Text(code, std::to_string(v)); }
  void Hex(int code, unsigned handle) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", handle);
    Text(code, text);
  }
  void Point(int code, double x, double y, double z = 0) {
    Real(code, x);
    Real(code + 10, y);
    Real(code + 20, z);
  }
  void Close() { file_.Close(); }

 private:
  void Code(int code) {
    char text[8];
    std::snprintf(text, sizeof text, "%3d\n", code);
    file_.Put(text);
  }
  PageFile file_;
};

void BeginTable(DxfOut& d, const char* name, unsigned handle, int count) {
  d.Text(0, "TABLE");
  d.Text(2, name);
  d.Hex(5, handle);
  d.Hex(330, 0);
  d.Text(100, "AcDbSymbolTable");
  d.Int(70, count);
}

void BeginRecord(DxfOut& d, const char* type, unsigned handle, unsigned table, const char* subclass,
                 std::string_view name, int handleCode = 5) {
  d.Text(0, type);
  d.Hex(handleCode, handle);
  d.Hex(330, table);
  d.Text(100, "AcDbSymbolTableRecord");
  d.Text(100, subclass);
  d.Text(2, name);
  d.Int(70, 0);
}

void WriteHeader(DxfOut& d, const SheetPage& sheet, const Extent& extents, unsigned handleSeed) {
  d.Text(0, "SECTION");
  d.Text(2, "HEADER");
  d.Text(9, "$ACADVER");
  d.Text(1, "AC1015");
  d.Text(9, "$DWGCODEPAGE");
  d.Text(3, dxf::kJapaneseCodePage);
  d.Text(9, "$INSBASE");
  d.Point(10, 0, 0);
  d.Text(9, "$EXTMIN");
  d.Point(10, extents.minX, extents.minY);
  d.Text(9, "$EXTMAX");
  d.Point(10, extents.maxX, extents.maxY);
  d.Text(9, "$LIMMIN");
  d.Real(10, sheet.x0);
  d.Real(20, sheet.y0);
  d.Text(9, "$LIMMAX");
  d.Real(10, sheet.x1);
  d.Real(20, sheet.y1);
  d.Text(9, "$LTSCALE");
  d.Real(40, 1);
  d.Text(9, "$TEXTSTYLE");
  d.Text(7, kTextStyle);
  d.Text(9, "$MEASUREMENT");
  d.Int(70, 1);
  d.Text(9, "$INSUNITS");
  d.Int(70, 4);
  d.Text(9, "$PLIMMIN");
  d.Real(10, 0);
  d.Real(20, 0);
  d.Text(9, "$PLIMMAX");
  d.Real(10, sheet.widthMm);
  d.Real(20, sheet.heightMm);
  d.Text(9, "$HANDSEED");
  d.Hex(5, handleSeed);
  d.Text(0, "ENDSEC");
  d.Text(0, "SECTION");
  d.Text(2, "CLASSES");
  d.Text(0, "ENDSEC");
}

void WriteTables(DxfOut& d, const SheetPage& sheet, const std::set<std::int16_t>& layers) {
  d.Text(0, "SECTION");
  d.Text(2, "TABLES");

  BeginTable(d, "VPORT", kVportTable, 1);
  BeginRecord(d, "VPORT", kActiveVport, kVportTable, "AcDbViewportTableRecord", "*ACTIVE");
  d.Real(10, 0), d.Real(20, 0), d.Real(11, 1), d.Real(21, 1);
  d.Real(12, (sheet.x0 + sheet.x1) / 2), d.Real(22, (sheet.y0 + sheet.y1) / 2);
  d.Real(40, (sheet.y1 - sheet.y0) * 1.05);
  d.Real(41, sheet.widthMm / sheet.heightMm);
  d.Text(0, "ENDTAB");

  const std::vector<LineType>& lineTypes = LineTypes();
  BeginTable(d, "LTYPE", kLineTypeTable, static_cast<int>(lineTypes.size()));
  for (std::size_t i = 0; i < lineTypes.size(); ++i) {
    const LineType& t = lineTypes[i];
    BeginRecord(d, "LTYPE", kFirstLineType + unsigned(i), kLineTypeTable, "AcDbLinetypeTableRecord", t.name);
    d.Text(3, t.description);
    d.Int(72, 65);
    d.Int(73, static_cast<long>(t.runs.size()));
    d.Real(40, t.runs.empty() ? 0 : kPatternLength);
    for (double run : t.runs) {
      d.Real(49, run);
      d.Int(74, 0);
    }
  }
  d.Text(0, "ENDTAB");

  BeginTable(d, "LAYER", kLayerTable, static_cast<int>(layers.size()) + 1);
  unsigned handle = kFirstLayer;
  auto layer = [&](const std::string& name) {
    BeginRecord(d, "LAYER", handle++, kLayerTable, "AcDbLayerTableRecord", name);
    d.Int(62, 7);
    d.Text(6, "Continuous");
    d.Int(370, -3);
  };
  layer("0");
  for (std::int16_t l : layers) layer(dxf::UnnamedLayerName(l));
  d.Text(0, "ENDTAB");

  BeginTable(d, "STYLE", kStyleTable, 2);
  auto style = [&](unsigned h, const char* name, const char* font) {
    BeginRecord(d, "STYLE", h, kStyleTable, "AcDbTextStyleTableRecord", name);
    d.Real(40, 0), d.Real(41, 1), d.Real(50, 0), d.Int(71, 0), d.Real(42, 2.5);
    d.Text(3, font);
    d.Text(4, "");
  };
  style(kStandardStyle, "Standard", "txt");
  style(kTextStyleRecord, kTextStyle, kTextFont);
  d.Text(0, "ENDTAB");

  BeginTable(d, "VIEW", kViewTable, 0);
  d.Text(0, "ENDTAB");
  BeginTable(d, "UCS", kUcsTable, 0);
  d.Text(0, "ENDTAB");

  BeginTable(d, "APPID", kAppidTable, 1);
  BeginRecord(d, "APPID", kAcadAppid, kAppidTable, "AcDbRegAppTableRecord", "ACAD");
  d.Text(0, "ENDTAB");

  BeginTable(d, "DIMSTYLE", kDimStyleTable, 1);
  d.Text(100, "AcDbDimStyleTable");
  BeginRecord(d, "DIMSTYLE", kStandardDimStyle, kDimStyleTable, "AcDbDimStyleTableRecord", "Standard", 105);
  d.Text(0, "ENDTAB");

  BeginTable(d, "BLOCK_RECORD", kBlockRecordTable, 2);
  BeginRecord(d, "BLOCK_RECORD", kModelSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord", "*Model_Space");
  BeginRecord(d, "BLOCK_RECORD", kPaperSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord", "*Paper_Space");
  d.Text(0, "ENDTAB");
  d.Text(0, "ENDSEC");
}

void WriteBlocks(DxfOut& d) {
  d.Text(0, "SECTION");
  d.Text(2, "BLOCKS");
  // BLOCK and ENDBLK open alike: type, handle, owner, entity on layer 0.
  auto open = [&](const char* type, unsigned handle, unsigned record, bool paper, const char* subclass) {
    d.Text(0, type);
    d.Hex(5, handle);
    d.Hex(330, record);
    d.Text(100, "AcDbEntity");
    if (paper) d.Int(67, 1);
    d.Text(8, "0");
    d.Text(100, subclass);
  };
  auto block = [&](unsigned begin, unsigned end, unsigned record, const char* name, bool paper) {
    open("BLOCK", begin, record, paper, "AcDbBlockBegin");
    d.Text(2, name);
    d.Int(70, 0);
    d.Point(10, 0, 0);
    d.Text(3, name);
    d.Text(1, "");
    open("ENDBLK", end, record, paper, "AcDbBlockEnd");
  };
  block(kModelSpaceBlock, kModelSpaceEnd, kModelSpaceRecord, "*Model_Space", false);
  block(kPaperSpaceBlock, kPaperSpaceEnd, kPaperSpaceRecord, "*Paper_Space", true);
  d.Text(0, "ENDSEC");
}

void WriteObjects(DxfOut& d) {
  d.Text(0, "SECTION");
  d.Text(2, "OBJECTS");
  d.Text(0, "DICTIONARY");
  d.Hex(5, kRootDictionary);
  d.Hex(330, 0);
  d.Text(100, "AcDbDictionary");
  d.Int(281, 1);
  d.Text(3, "ACAD_GROUP");
  d.Hex(350, kGroupDictionary);
  d.Text(0, "DICTIONARY");
  d.Hex(5, kGroupDictionary);
  d.Hex(330, kRootDictionary);
  d.Text(100, "AcDbDictionary");
  d.Int(281, 1);
  d.Text(0, "ENDSEC");
}

// Writes the entities of the elements, numbering handles from kFirstEntity.
class EntityWriter {
 public:
  EntityWriter(DxfOut& d, double scale) : d_(d), scale_(scale) {}

  void Line(const LineElement& l) {
    Begin("LINE", l.stroke.layer, l.stroke.pen, l.stroke.style, l.stroke.pitch);
    d_.Text(100, "AcDbLine");
    d_.Point(10, l.x1, l.y1);
    d_.Point(11, l.x2, l.y2);
  }

  void Arc(const ArcElement& a) {
    const double xr = std::fabs(a.xr), yr = std::fabs(a.yr);
    if (xr == yr) {
      const dxf::ArcAngles angles = dxf::ArcFromSweep(a.sAng + a.lang, a.mang);
      const bool whole = angles.circle || std::fabs(a.mang) >= 360;
      Begin(whole ? "CIRCLE" : "ARC", a.stroke.layer, a.stroke.pen, a.stroke.style, a.stroke.pitch);
      d_.Text(100, "AcDbCircle");
      d_.Point(10, a.x, a.y);
      d_.Real(40, xr);
      if (!whole) {
        d_.Text(100, "AcDbArc");
        d_.Real(50, angles.start);
        d_.Real(51, angles.end);
      }
      return;
    }
    // The ellipse's own parameter is the preview's angle, counted from the
    // major axis: a y radius larger than the x radius turns the axis by 90°.
    const bool alongY = yr > xr;
    const double axisAngle = (a.lang + (alongY ? 90 : 0)) * kRadiansPerDegree;
    const double major = alongY ? yr : xr;
    double start = a.sAng, end = a.sAng + a.mang;
    if (end < start) std::swap(start, end);
    if (alongY) start -= 90, end -= 90;
    const bool whole = std::fabs(a.mang) >= 360;
    Begin("ELLIPSE", a.stroke.layer, a.stroke.pen, a.stroke.style, a.stroke.pitch);
    d_.Text(100, "AcDbEllipse");
    d_.Point(10, a.x, a.y);
    d_.Point(11, major * std::cos(axisAngle), major * std::sin(axisAngle));
    d_.Point(210, 0, 0, 1);
    d_.Real(40, alongY ? xr / yr : yr / xr);
    d_.Real(41, whole ? 0 : start * kRadiansPerDegree);
    d_.Real(42, whole ? 2 * M_PI : end * kRadiansPerDegree);
  }

  // A horizontal text as one TEXT; a vertical one as one TEXT per
  // character, each standing below the one before as the preview draws it.
  void Text(const TextElement& t) {
    if (!t.vertical) {
      TextEntity(t, t.x, t.y, t.text);
      return;
    }
    const double c = std::cos(t.lang * kRadiansPerDegree), s = std::sin(t.lang * kRadiansPerDegree);
    double down = 0;
    for (const std::string& character : Characters(t.text)) {
      down += t.height;
      TextEntity(t, t.x + down * s, t.y - down * c, character);
      down += t.between;
    }
  }

  static std::vector<std::string> Characters(const std::string& utf8) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < utf8.size();) {
      const auto lead = static_cast<unsigned char>(utf8[i]);
      const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      out.push_back(utf8.substr(i, length));
      i += length;
    }
    return out;
  }

  unsigned NextHandle() const { return handle_; }

 private:
  void TextEntity(const TextElement& t, double x, double y, const std::string& text) {
    Begin("TEXT", t.layer, t.pen, ktpsolid, 0);
    d_.Text(100, "AcDbText");
    d_.Point(10, x, y);
    d_.Real(40, t.height);
    d_.Text(1, Dxf2000Text(text));
    if (t.lang != 0) d_.Real(50, t.lang);
    d_.Real(41, t.height != 0 ? t.width / t.height : 1);
    if (t.sAng != 0) d_.Real(51, t.sAng);
    d_.Text(7, kTextStyle);
    d_.Text(100, "AcDbText");
  }

  void Begin(const char* type, std::int16_t layer, std::int32_t pen, std::int32_t style, double pitch) {
    d_.Text(0, type);
    d_.Hex(5, handle_++);
    d_.Hex(330, kModelSpaceRecord);
    d_.Text(100, "AcDbEntity");
    d_.Text(8, dxf::UnnamedLayerName(layer));
    if (const std::string_view lineType = dxf::DashedLineType(style); !lineType.empty()) {
      d_.Text(6, lineType);
      const double period = pitch > 0 ? pitch : kDefaultDashPeriodMm * scale_;
      d_.Real(48, period / kPatternLength);
    }
    d_.Int(62, kDxfPenColors[std::size_t(WriterPen(pen))]);
  }

  DxfOut& d_;
  const double scale_;
  unsigned handle_ = kFirstEntity;
};

// The number of entities the elements become.
unsigned EntityCount(const DrawingModel& model) {
  unsigned count = 0;
  for (const Element& e : model.elements) {
    if (!IsDrawn(e)) continue;
    const auto* t = std::get_if<TextElement>(&e);
    count += t && t->vertical ? unsigned(EntityWriter::Characters(t->text).size()) : 1;
  }
  return count;
}

}  // namespace

std::string Dxf2000Text(const std::string& utf8) {
  std::string storage;
  return cp932::FromUtf8(dxf::OneLineValue(utf8, storage, false));
}

void WriteDxf2000(const DrawingModel& model, const std::filesystem::path& file) {
  const SheetPage sheet = PageOfSheet(model);
  std::set<std::int16_t> layers;
  for (const Element& e : model.elements)
    if (IsDrawn(e)) layers.insert(LayerOf(e));
  const double scale = ScaleOf(model);

  DxfOut d(file);
  // A drawing without drawn elements covers its sheet.
  const Extent extents = DrawingExtents(model).value_or(Extent{sheet.x0, sheet.y0, sheet.x1, sheet.y1});
  WriteHeader(d, sheet, extents, kFirstEntity + EntityCount(model));
  WriteTables(d, sheet, layers);
  WriteBlocks(d);
  d.Text(0, "SECTION");
  d.Text(2, "ENTITIES");
  EntityWriter entities(d, scale);
  for (const Element& e : model.elements) {
    if (!IsDrawn(e)) continue;
    if (auto* l = std::get_if<LineElement>(&e)) entities.Line(*l);
    else if (auto* a = std::get_if<ArcElement>(&e)) entities.Arc(*a);
    else entities.Text(std::get<TextElement>(e));
  }
  d.Text(0, "ENDSEC");
  WriteObjects(d);
  d.Text(0, "EOF");
  d.Close();
}

namespace {

class Dxf2000 final : public DrawingOutput {
 public:
  std::string_view Ending() const override { return "dxf"; }
  std::string Write(const DrawingModel& model, const std::filesystem::path& file,
                    const OutputOptions&) const override {
    WriteDxf2000(model, file);
    return "AutoCAD 2000 DXF";
  }
};

}  // namespace

const DrawingOutput& Dxf2000Output() {
  static const Dxf2000 kDxf2000;
  return kDxf2000;
}

}  // namespace plamor::drawings
