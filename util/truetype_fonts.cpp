#include "util/truetype_fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <utility>

#include "platform/cp932.h"
#include "platform/host_fonts.h"

namespace plamor::truetype {
namespace {

// Em size of the default height 0 (12 points at 96 pixels an inch).
constexpr double kDefaultEmPixels = 16;
// Em sizes FreeType is asked for stay within what 16.16 outlines can hold.
constexpr double kMinEmPixels = 1.0 / 64;
constexpr double kMaxEmPixels = 16384;

struct OpenFaces {
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> byName;                  // UTF-8 face name
  std::map<std::pair<std::string, int>, FT_Face> byFile;  // file, face index
};

// Kept for the life of the process (faces are handed out by pointer).
OpenFaces& Faces() {
  static OpenFaces* faces = [] {
    auto* f = new OpenFaces;
    if (FT_Init_FreeType(&f->library) != 0) f->library = nullptr;
    return f;
  }();
  return *faces;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The font file fontconfig chooses for a face name, or an empty name. A host
// face asks for its free stand-in after its own name, so an installed font of
// that very name still wins.
std::pair<std::string, int> MatchFontFile(const std::string& faceUtf8) {
  std::pair<std::string, int> file{"", 0};
  if (!FcInit()) return file;
  FcPattern* pattern = FcPatternCreate();
  if (!faceUtf8.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceUtf8.c_str()));
  if (const char* family = fonts::StandInFamily(faceUtf8))
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  if (!IsAscii(faceUtf8)) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* path = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
      file.first = reinterpret_cast<const char*>(path);
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) file.second = index;
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

FT_Face OpenFile(const std::pair<std::string, int>& file) {
  OpenFaces& faces = Faces();
  if (const auto it = faces.byFile.find(file); it != faces.byFile.end()) return it->second;
  FT_Face face = nullptr;
  if (!faces.library || FT_New_Face(faces.library, file.first.c_str(), file.second, &face) != 0) return nullptr;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  faces.byFile.emplace(file, face);
  return face;
}

const TT_OS2* Os2Of(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 && os2->version != 0xFFFF ? os2 : nullptr;
}

// Ascent and descent of the cell in font units (the face's Windows metrics
// where it has them).
std::pair<double, double> CellUnits(FT_Face face) {
  const TT_OS2* os2 = Os2Of(face);
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) return {os2->usWinAscent, os2->usWinDescent};
  if (face->ascender - face->descender > 0) return {face->ascender, -face->descender};
  return {face->units_per_EM * 0.8, face->units_per_EM * 0.2};
}

// Decodes UTF-8 (as produced by the CP932 conversion, so well formed).
std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(c);
    i += extra + 1;
  }
  return out;
}

}  // namespace

std::mutex& FontLock() {
  static std::mutex lock;
  return lock;
}

FT_Face FaceFor(const std::string& faceNameCp932) {
  const std::string faceUtf8 = cp932::ToUtf8(faceNameCp932);
  OpenFaces& faces = Faces();
  if (const auto it = faces.byName.find(faceUtf8); it != faces.byName.end()) return it->second;
  const auto file = MatchFontFile(faceUtf8);
  FT_Face face = file.first.empty() ? nullptr : OpenFile(file);
  if (face) faces.byName.emplace(faceUtf8, face);
  return face;
}

bool SetLogicalSize(FT_Face face, int height, int width) {
  if (!face || !FT_IS_SCALABLE(face) || face->units_per_EM == 0) return false;
  const double units = face->units_per_EM;
  const auto [ascent, descent] = CellUnits(face);
  double em = height < 0 ? -static_cast<double>(height)
              : height > 0 ? height * units / (ascent + descent)
                           : kDefaultEmPixels;
  double emX = em;
  if (width != 0) {
    const TT_OS2* os2 = Os2Of(face);
    const double average = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : units / 2;
    emX = std::abs(static_cast<double>(width)) * units / average;
  }
  em = std::clamp(em, kMinEmPixels, kMaxEmPixels);
  emX = std::clamp(emX, kMinEmPixels, kMaxEmPixels);
  return FT_Set_Char_Size(face, std::max<FT_F26Dot6>(1, std::lround(emX * 64)),
                          std::max<FT_F26Dot6>(1, std::lround(em * 64)), 72, 72) == 0;
}

CellMetrics CellOf(FT_Face face) {
  const auto [ascent, descent] = CellUnits(face);
  const double scale = face->size->metrics.y_scale / 65536.0 / 64.0;
  return {ascent * scale, descent * scale};
}

unsigned GlyphIndexOf(FT_Face face, std::uint32_t cp932Code) {
  if (cp932Code == 0 || cp932Code > 0xFFFF) return 0;
  std::string bytes;
  if (cp932Code > 0xFF) bytes.push_back(static_cast<char>(cp932Code >> 8));
  bytes.push_back(static_cast<char>(cp932Code & 0xFF));
  const std::u32string chars = DecodeCp932(bytes);
  if (chars.size() != 1 || (chars[0] == U'?' && bytes != "?")) return 0;
  return FT_Get_Char_Index(face, chars[0]);
}

std::u32string DecodeCp932(const std::string& text) { return DecodeUtf8(cp932::ToUtf8(text)); }

}  // namespace plamor::truetype
