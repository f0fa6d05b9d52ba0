/* Stroke font of libTessaroDll.so: characters of the font file M_G_L.KVD as
 * line strokes, their proportional spacing, and JIS X 0208 to Shift_JIS.
 *
 * A character code holds its bytes big-endian in the low 16 bits: the lead
 * byte high, the second byte low; a single-byte character sits in the high
 * byte ("A" is 0x4100). Strings are NUL-terminated CP932 text. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "util/export.h"

/* Capacity the plain MyReadFont fills at most. Every glyph of straight
 * strokes (at most 255 words, two records per word) fits with room to spare;
 * arcs step finer at large sizes and are cut here, whole segments only. */
#define KVD_MAX_STROKES 4096

/* One stroke record: pen 0 starts a segment at (x, y), pen 1 ends it. */
typedef struct KvdStroke {
  int32_t pen;
  double x;
  double y;
} KvdStroke;

/* The stroke list: the number of records, then the records (always pairs).
 * A caller of MyReadFontN may allocate fewer records than declared here:
 * offsetof(KvdStrokeList, strokes) + capacity * sizeof(KvdStroke) bytes. */
typedef struct KvdStrokeList {
  int32_t count;
  KvdStroke strokes[KVD_MAX_STROKES];
} KvdStrokeList;

/* Reads the font file at `path` (CP932 or UTF-8; the file name is matched
 * without regard to case when the exact name is absent) and holds it for
 * MyReadFont. A font opened earlier is closed first. Returns 1 when the file
 * was read, 0 when it is missing or unreadable (then no font is open). */
TESSARO_EXPORT int16_t OpenKvd(const char* path);

/* Closes the open font: 0 when one was open, -1 when none was. */
TESSARO_EXPORT int32_t CloseKvd(void);

/* The strokes of one character for a cell of `width` x `height` output
 * units, written into `list` (at most KVD_MAX_STROKES records). Returns the
 * number of records, also stored in list->count; 0 for an empty or
 * unreadable glyph, when no font is open, or for a null list. */
TESSARO_EXPORT int32_t MyReadFont(int32_t code, double height, double width,
                                  KvdStrokeList* list);

/* As MyReadFont, but writes at most `capacity` records (whole segments). */
TESSARO_EXPORT int32_t MyReadFontN(int32_t code, double height, double width,
                                   KvdStrokeList* list, int32_t capacity);

/* Left and right edge of the character's visible extent for a cell of
 * `width` output units (height is not used). A null pointer is skipped. */
TESSARO_EXPORT void GetKarning(int32_t code, double height, double width,
                               double* left, double* right);

/* Shift_JIS code of a JIS X 0208 code (low 16 bits); 0 when either byte lies
 * outside 0x21-0x7E. */
TESSARO_EXPORT int32_t Jis2SJis(int32_t jis);

#ifdef __cplusplus
namespace tessaro {

/* JIS X 0208 row/column bytes to the Shift_JIS code; 0 outside 0x21-0x7E. */
constexpr uint16_t JisToShiftJis(uint16_t jis) {
  const unsigned high = jis >> 8, low = jis & 0xFFu;
  if (high < 0x21 || high > 0x7E || low < 0x21 || low > 0x7E) return 0;
  const unsigned lead = ((high - 0x21) >> 1) + (high <= 0x5E ? 0x81 : 0xC1);
  const unsigned second = (high & 1) ? low + 0x1F + (low >= 0x60 ? 1 : 0) : low + 0x7E;
  return static_cast<uint16_t>(lead << 8 | second);
}

}  // namespace tessaro
#endif
