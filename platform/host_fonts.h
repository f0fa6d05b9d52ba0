// The Japanese faces the host's programs name, and the free faces of this
// system (IPA fonts) that stand in for them.
#pragma once

#include <string_view>

namespace plamor::fonts {

// The stand-in family of a host face name (UTF-8): "ＭＳ 明朝" and "MS Mincho"
// -> "IPAMincho", "ＭＳ Ｐ明朝" and "MS PMincho" -> "IPAPMincho", "ＭＳ ゴシック"
// and "MS Gothic" -> "IPAGothic", "ＭＳ Ｐゴシック", "MS PGothic" and
// "MS UI Gothic" -> "IPAPGothic"; nullptr for any other name.
const char* StandInFamily(std::string_view hostFace);

}  // namespace plamor::fonts
