// What the three file writers read besides the elements: the layer names,
// pen colours and layer codes of the host whose drawing is written, the
// decimals of the standard text file and the user's DXF code-page choice.
// The output run takes one from its host's settings before it writes, so the
// writers read no settings of their own and two hosts drawing at the same
// time each write their own names.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "server/types.h"

namespace plamor {

struct WriteContext {
  std::array<std::string, 129> layerNames{};        // 1..128, UTF-8; the DXF layer table
  std::array<std::string, 129> dxfEntityLayers{};   // 1..128, the CP932 group value of each layer
  std::array<std::int16_t, 8> dxfPenColor = kDxfPenColors;
  std::array<std::int32_t, 129> layerCode{};        // 1..128, the layer bits of attribute words
  std::int32_t atzKeta = 3;                         // decimals of the standard text file
  bool dxfCodePage = false;                         // the DXF header declares ANSI_932
};

// The context of an output run of `kind` for the host whose settings these
// are. A DXF run first names every layer Layer-001 .. Layer-128 in the
// host's settings when none has a name (the names stay for the rest of the
// process); the layer codes are built when the host has not built them yet.
WriteContext BuildWriteContext(ktpPlamorType kind, ModuleSettings& settings, std::int32_t atzKeta);

}  // namespace plamor
