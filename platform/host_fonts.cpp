#include "platform/host_fonts.h"

namespace plamor::fonts {

const char* StandInFamily(std::string_view hostFace) {
  struct FaceAlias {
    std::string_view hostFace;
    const char* family;
  };
  static constexpr FaceAlias kFaceAliases[] = {
      {"ＭＳ 明朝", "IPAMincho"},       {"MS Mincho", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},    {"MS PMincho", "IPAPMincho"},
      {"ＭＳ ゴシック", "IPAGothic"},   {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},
  };
  for (const FaceAlias& alias : kFaceAliases)
    if (alias.hostFace == hostFace) return alias.family;
  return nullptr;
}

}  // namespace plamor::fonts
