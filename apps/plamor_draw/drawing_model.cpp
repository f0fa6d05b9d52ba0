#include "apps/plamor_draw/drawing_model.h"

#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"
#include "cli/input_text.h"
#include "server/formats/atz_reader.h"
#include "server/elements/paper.h"
#include "server/formats/plm_reader.h"
#include "server/types.h"

namespace plamor::draw {
namespace {

// Paper code of the standard drawing file: size + 1 on a landscape sheet,
// size + 16 on a portrait one; 16 is either a free landscape sheet or a
// portrait A0, told apart by which side comes first.
void ReadPlmPaper(const plm::Header& h, SheetInfo& sheet) {
  sheet.portrait = h.paperCode > 16 || (h.paperCode == 16 && h.firstSide < h.secondSide);
  sheet.paperSize = sheet.portrait ? h.paperCode - 16 : h.paperCode - 1;
  if (sheet.paperSize < ktpA0 || sheet.paperSize > ktpFREE) sheet.paperSize = ktpFREE;
  sheet.yoko = sheet.portrait ? h.secondSide : h.firstSide;
  sheet.tate = sheet.portrait ? h.firstSide : h.secondSide;
}

DrawingModel FromPlm(const std::filesystem::path& file) {
  plm::Drawing d;
  try {
    d = plm::ReadPlm(ReadInputFile(file));
  } catch (const plm::FormatError& e) {
    throw InputError(file, "byte " + std::to_string(e.offset()) + ": " + e.detail());
  }
  DrawingModel m;
  SheetInfo& s = m.sheet;
  ReadPlmPaper(d.header, s);
  s.scale = d.header.PaperScale;
  s.gentenX = d.header.GentenX;
  s.gentenY = d.header.GentenY;
  s.houiAngle = d.header.HouiAngle;
  s.plamorFlg = d.header.PlamorFlg;
  const auto memo = MemoFileOf(file);
  std::error_code ec;
  if (std::filesystem::is_regular_file(memo, ec)) {
    const auto lines = ReadTextLines(memo);
    if (!lines.empty()) s.memo = lines.front();
  }
  for (const plm::Record& r : d.records) {
    const auto& v = r.values;
    const auto& a = r.attribute;
    const auto layer = static_cast<std::int16_t>(a.layer);
    switch (r.kind) {
      case plm::RecordKind::Line:
        m.elements.push_back(LineElement{v[0], v[1], v[2], v[3], {a.pen, layer, StyleOfCode(a.sub), v[4]}});
        break;
      case plm::RecordKind::Circle:
        m.elements.push_back(
            ArcElement{v[0], v[1], v[2], v[3], v[4], v[5], v[6], {a.pen, layer, StyleOfCode(a.sub), v[7]}});
        break;
      case plm::RecordKind::Text:
        m.elements.emplace_back(std::in_place_type<TextElement>, v[0], v[1], v[2], v[3], v[4], v[6], v[5], a.pen,
                                layer, a.sub == 1, r.FontType, r.text);
        break;
    }
  }
  return m;
}

DrawingModel FromAtz(const std::filesystem::path& file) {
  atz::TextDrawing d;
  try {
    d = atz::ReadAtz(ReadInputFile(file));
  } catch (const atz::FormatError& e) {
    throw InputError(file, e.line(), e.detail());
  }
  DrawingModel m;
  clsPaper paper;
  paper.SetSize(d.paperCode);
  m.sheet.paperSize = d.paperCode;
  m.sheet.tate = paper.Tate().value;
  m.sheet.yoko = paper.Yoko().value;
  m.sheet.scale = d.PaperScale;
  auto stroke = [](std::int32_t layerPen, std::int32_t lineType, double pitch) {
    const auto layer = static_cast<std::int16_t>(atz::LayerOf(layerPen));
    // Code 4 marks a line of pen 7, which keeps its pitch under any dashed style.
    const std::int32_t style = lineType == 4 ? (pitch != 0 ? ktpdash : ktpsolid) : StyleOfCode(lineType);
    return Stroke{atz::PenOf(layerPen), layer, style, pitch};
  };
  for (const atz::Entry& e : d.entries) {
    if (auto* l = std::get_if<atz::LineEntry>(&e)) {
      m.elements.push_back(LineElement{l->x1, l->y1, l->x2, l->y2, stroke(l->layerPen, l->lineType, l->pitch)});
    } else if (auto* c = std::get_if<atz::CircleEntry>(&e)) {
      m.elements.push_back(ArcElement{c->x, c->y, c->xr, c->yr, c->startAngle, c->endAngle - c->startAngle, c->lang,
                                      stroke(c->layerPen, c->lineType, c->pitch)});
    } else if (auto* t = std::get_if<atz::TextEntry>(&e)) {
      m.elements.emplace_back(std::in_place_type<TextElement>, t->x, t->y, t->width, t->height, t->Between, t->sAng,
                              t->lang, atz::PenOf(t->layerPen), static_cast<std::int16_t>(atz::LayerOf(t->layerPen)),
                              t->Style != 0, std::int16_t{0}, t->text);
    }
  }
  return m;
}

}  // namespace

std::int32_t StyleOfCode(int code) {
  switch (code) {
    case 1: return ktpdash;
    case 2: return ktpdashdot;
    case 3: return ktpdashdotdot;
    default: return ktpsolid;
  }
}

int CodeOfStyle(std::int32_t style) {
  switch (style) {
    case ktpdash: return 1;
    case ktpdashdot: return 2;
    case ktpdashdotdot: return 3;
    default: return 0;
  }
}

DrawingModel ReadDrawingFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) throw InputError(file, "is a folder, not a file");
  if (!std::filesystem::is_regular_file(file, ec)) throw InputError(file, "does not exist or is not a file");
  if (EndsWithKind(file, "plm")) return FromPlm(file);
  if (EndsWithKind(file, "atz")) return FromAtz(file);
  throw InputError(file, "is neither a standard drawing file (.plm) nor a standard text file (.atz)");
}

}  // namespace plamor::draw
