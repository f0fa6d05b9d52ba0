// One of our drawing files (standard drawing file .plm or standard text file
// .atz) read into one neutral form: the sheet and the elements in drawing
// units, as the files hold them. `convert` registers it in a drawing, `render`
// draws it through the preview renderer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace plamor::draw {

struct SheetInfo {
  std::int32_t paperSize = 3;  // ktpPaperSize
  bool portrait = false;       // ktpPaperTate
  double tate = 297, yoko = 420;  // short and long side, millimetres
  double scale = 1;
  double gentenX = 0, gentenY = 0, houiAngle = 0;
  std::int32_t plamorFlg = 0;
  std::string memo;            // UTF-8; the memo file beside a .plm
};

struct Stroke {
  std::int32_t pen = 1;
  std::int16_t layer = 1;
  std::int32_t style = 0;  // ktpStyle
  double pitch = 0;        // drawing units
};

struct LineElement {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Stroke stroke;
};

struct ArcElement {  // circles, arcs, ellipses and elliptical arcs
  double x = 0, y = 0, xr = 0, yr = 0, sAng = 0, mang = 0, lang = 0;
  Stroke stroke;
};

struct TextElement {
  double x = 0, y = 0, width = 0, height = 0, between = 0, sAng = 0, lang = 0;  // sizes in drawing units
  std::int32_t pen = 1;
  std::int16_t layer = 1;
  bool vertical = false;
  std::int16_t fontType = 0;
  std::string text;  // UTF-8
};

using Element = std::variant<LineElement, ArcElement, TextElement>;

struct DrawingModel {
  SheetInfo sheet;
  std::vector<Element> elements;
};

// Reads a .plm or .atz file, told by its extension (any case). InputError
// names the file and where it goes wrong.
DrawingModel ReadDrawingFile(const std::filesystem::path& file);

// The ktpStyle of a style code of the files (1 dash, 2 dash-dot, 3 dash-dot-dot, else solid).
std::int32_t StyleOfCode(int code);
// The preview's style code of a ktpStyle.
int CodeOfStyle(std::int32_t style);

}  // namespace plamor::draw
