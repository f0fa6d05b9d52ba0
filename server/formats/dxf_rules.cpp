#include "server/formats/dxf_rules.h"

#include "platform/cp932.h"
#include "platform/numeric_text.h"
#include "server/types.h"

namespace plamor::dxf {

std::string_view OneLineValue(std::string_view value, std::string& storage, bool cp932) {
  auto needsCaret = [](unsigned char c) { return c < 0x20 || c == '^'; };
  bool plain = true;
  for (unsigned char c : value) plain = plain && !needsCaret(c);
  if (plain) return value;
  storage.clear();
  for (std::size_t i = 0; i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (cp932 && cp932::IsLeadByte(c) && i + 1 < value.size()) {
      storage += value.substr(i, 2);
      ++i;
    } else if (c == '^') {
      storage += "^ ";
    } else if (c < 0x20) {
      storage += '^';
      storage += static_cast<char>(c + 0x40);
    } else {
      storage += static_cast<char>(c);
    }
  }
  return storage;
}

std::string UnnamedLayerName(int layer) { return "Layer-" + numtext::Format(layer, "000"); }

std::string_view DashedLineType(std::int32_t style) {
  switch (style) {
    case ktpdash: return "HIDDEN2";
    case ktpdashdot: return "CENTER2";
    case ktpdashdotdot: return "PHANTOM2";
    default: return {};
  }
}

ArcAngles ArcFromSweep(double sAng, double mang) {
  if (mang == 360) return {true, 0, 0};
  if (mang > 0) return {false, sAng, sAng + mang};
  double start = sAng + mang;
  if (start < 0) start += 360;
  return {false, start, sAng};
}

}  // namespace plamor::dxf
