#include "drawings/drawing_files.h"

#include "cli/input_error.h"
#include "platform/folders.h"
#include "cli/input_text.h"
#include "server/formats/atz_reader.h"
#include "server/elements/paper.h"
#include "server/formats/plm_reader.h"
#include "server/formats/plm_writer.h"
#include "server/types.h"

namespace plamor::drawings {
namespace {

DrawingModel FromPlm(const std::filesystem::path& file) {
  plm::Drawing d;
  try {
    d = plm::ReadPlm(ReadInputFile(file));
  } catch (const plm::FormatError& e) {
    throw InputError(file, "byte " + std::to_string(e.offset()) + ": " + e.detail());
  }
  DrawingModel m;
  SheetInfo& s = m.sheet;
  const plm::PaperOfCode paper = plm::DecodePaper(d.header.paperCode, d.header.firstSide, d.header.secondSide);
  s.portrait = paper.portrait;
  s.paperSize = paper.paperSize;
  s.yoko = paper.yoko;
  s.tate = paper.tate;
  s.scale = d.header.PaperScale;
  s.gentenX = d.header.GentenX;
  s.gentenY = d.header.GentenY;
  s.houiAngle = d.header.HouiAngle;
  s.plamorFlg = d.header.PlamorFlg;
  const std::filesystem::path memo = plm::MemoFileName(file.string());
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

DrawingModel ReadDrawingFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) throw InputError(file, "is a folder, not a file");
  if (!std::filesystem::is_regular_file(file, ec)) throw InputError(file, "does not exist or is not a file");
  if (folders::EndsWithKind(file, "plm")) return FromPlm(file);
  if (folders::EndsWithKind(file, "atz")) return FromAtz(file);
  throw InputError(file, "is neither a standard drawing file (.plm) nor a standard text file (.atz)");
}

}  // namespace plamor::drawings
