// Faces for the outline-font functions: fontconfig finds the font file of a
// face name, FreeType opens it once and sizes it by the host's logical-font
// rules (tessaro_truetype.h). The faces stay open for the process.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

typedef struct FT_FaceRec_* FT_Face;

namespace plamor::truetype {

// Held by every outline-font export for its whole call: faces and the stored
// font description are shared by the process.
std::mutex& FontLock();

// The face of a CP932 face name (empty for the default face), or nullptr when
// no font at all can be opened.
FT_Face FaceFor(const std::string& faceNameCp932);

// Sizes the face for a logical-font height and width in pixels. False when
// the face cannot be scaled to it.
bool SetLogicalSize(FT_Face face, int height, int width);

// Ascent and descent (both positive, in pixels) of the sized face's cell.
struct CellMetrics {
  double ascent = 0;
  double descent = 0;
};
CellMetrics CellOf(FT_Face face);

// The glyph index of a CP932 character code; 0 when the face lacks it or the
// code is no CP932 character.
unsigned GlyphIndexOf(FT_Face face, std::uint32_t cp932Code);

// The Unicode characters of a CP932 text.
std::u32string DecodeCp932(const std::string& text);

}  // namespace plamor::truetype
