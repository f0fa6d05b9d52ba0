// A drawing as data: the sheet and the elements in drawing units, as our
// drawing files (standard drawing file .plm, standard text file .atz) hold
// them (drawing_files.h reads them). The outputs (outputs/) draw or write it;
// plamor-draw's convert registers it in a drawing object of the server.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace plamor::drawings {

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
  // Names given to layers by whoever made the drawing (our drawing files do
  // not keep them); a layer without one is named as the DXF writers name it.
  std::map<std::int16_t, std::string> layerNames;
};

}  // namespace plamor::drawings
