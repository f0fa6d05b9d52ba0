// The drawing-level values the file writers record (paper, scale, origin,
// bearing, decimals of the text file, the preview for the thumbnail). The
// output run fills one from the dialog before it writes the header.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/dc_handle.h"
#include "server/types.h"

namespace plamor {

struct DrawingInfo {
  std::int32_t PlamorFlg = 0;
  double GentenX = 0;     // drawing origin
  double GentenY = 0;
  double HouiAngle = 0;   // bearing of the drawing, degrees
  std::int32_t Paper = ktpPaperYoko;  // orientation (ktpPaperType)
  std::int32_t PaperSize = ktpA1;     // size code of the dialog's paper (ktpPaperSize)
  double PaperTate = 0;   // paper height, millimetres
  double PaperYoko = 0;   // paper width, millimetres
  double PaperScale = 1;
  std::int32_t AtzKeta = 3;  // decimals of the standard text file
  // The 84 x 59 preview picture the thumbnail is taken from; none gives an
  // empty (all black) picture.
  HDC preview = nullptr;
  // The folder that holds M_G_L.KVD; empty means the folder of the server's
  // own library (where every program, library and the font file live).
  std::filesystem::path programFolder;
};

}  // namespace plamor
