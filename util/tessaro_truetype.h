/* Outline fonts of libTessaroDll.so (FreeType, faces found through
 * fontconfig): glyph outlines as points, kerning of character pairs, text and
 * push-button frames drawn into a device context.
 *
 * Character codes are CP932: a single-byte character is its byte (0x41 "A"),
 * a double-byte one its lead byte high and second byte low (0x82A0 "あ").
 * Texts and face names are NUL-terminated CP932 strings. Japanese face names
 * of the host's fonts find their free counterparts: "ＭＳ 明朝" / "MS Mincho"
 * IPAMincho, "ＭＳ ゴシック" / "MS Gothic" IPAGothic, the proportional "Ｐ"
 * faces IPAPMincho / IPAPGothic; a face that no font matches gets the font
 * fontconfig falls back to (a Japanese one for a Japanese name).
 *
 * Sizes in logical units are pixels of the device context. A height below 0
 * is the em size, above 0 the cell height (ascent plus descent), 0 the
 * default of 16 pixels em; a width of 0 keeps the face's proportions, another
 * width is the average character width. MyPutMoji counts 96 pixels an inch.
 */
#ifndef TESSARO_TRUETYPE_H
#define TESSARO_TRUETYPE_H

#include <stdint.h>

#include "platform/dc_handle.h"
#include "util/export.h"

/* A point of the glyph metrics (x right, y up from the glyph origin). */
typedef struct TessaroPoint {
  int32_t x;
  int32_t y;
} TessaroPoint;

/* Glyph metrics, laid out as the host's GLYPHMETRICS: the ink box in whole
 * pixels, its top-left corner, the advance. */
typedef struct TessaroGlyphMetrics {
  uint32_t gmBlackBoxX;
  uint32_t gmBlackBoxY;
  TessaroPoint gmptGlyphOrigin;
  int16_t gmCellIncX;
  int16_t gmCellIncY;
} TessaroGlyphMetrics;

/* Kinds of outline records. */
enum {
  TESSARO_OUTLINE_START = 1, /* first point of a contour */
  TESSARO_OUTLINE_LINE = 2,  /* end point of a straight piece */
  TESSARO_OUTLINE_CURVE = 3  /* quadratic piece: control point, then end point */
};

typedef struct TessaroOutlineRecord {
  int32_t kind;
  double x;
  double y;
} TessaroOutlineRecord;

/* The outline list: the number of records, then the records. A caller
 * allocates offsetof(TessaroOutlineList, records) + capacity *
 * sizeof(TessaroOutlineRecord) bytes. */
typedef struct TessaroOutlineList {
  int32_t count;
  TessaroOutlineRecord records[1];
} TessaroOutlineList;

/* Stores the font description for MyGetOutLine and MyGetKerning (the face
 * name's first 31 bytes, cut at a character boundary). Returns 0. */
TESSARO_EXPORT int32_t MySetFont(int32_t height, int32_t width, const char* faceName);

/* Writes the outline of one character of the stored font into `list`: at most
 * `capacity` records; a curve's pair of records only when both fit. Points are
 * (originX + x, originY - y) of the glyph's outline (y turned over). A
 * character the font lacks, or one without an outline, gives an empty list
 * (and zero metrics for a lacking one). `metrics` and `list` may be null.
 * The device context may be null. Returns 1. */
TESSARO_EXPORT int32_t MyGetOutLine(HDC dc, uint32_t code, TessaroGlyphMetrics* metrics, TessaroOutlineList* list,
                                    uint16_t capacity, double originX, double originY);

/* Kerning of the pair in the stored font, in pixels; 0 when the font lists
 * no kerning for it. */
TESSARO_EXPORT int32_t MyGetKerning(HDC dc, int32_t first, int32_t second);

/* Writes `text` at (x, y) in the face `faceName`, `points` high (cell height
 * at 96 pixels an inch), turned by `escapement` tenths of a degree counter-
 * clockwise, in `color` (0x00BBGGRR), placed by `alignment`:
 *   0 left top      1 centre top      2 right top
 *   3 left bottom   4 centre bottom   5 right bottom
 *   6 left baseline 7 centre baseline 8 right baseline
 * Only the glyphs' pixels are painted (transparent background); the context
 * is otherwise left as it was. Returns 1; 0 for a null context, an alignment
 * outside 0-8 or when no font is available (nothing drawn). */
TESSARO_EXPORT int32_t MyPutMoji(HDC dc, int16_t points, int16_t x, int16_t y, int16_t escapement, uint32_t color,
                                 int32_t alignment, const char* text, const char* faceName);

/* Button styles of MyPutBtn; any other style is taken as the frame's state
 * flags themselves (below). */
enum {
  TESSARO_BUTTON_UP = 1,      /* push button */
  TESSARO_BUTTON_CHECKED = 2, /* push button, checked */
  TESSARO_BUTTON_PUSHED = 3   /* push button, pushed */
};

/* State flags of a button frame (the host's DFCS_ values). The low five bits
 * choose the kind: check box 0x0000, radio image 0x0001, radio mask 0x0002,
 * radio button 0x0004, three-state box 0x0008, push button 0x0010. */
enum {
  TESSARO_DFCS_BUTTONCHECK = 0x0000,
  TESSARO_DFCS_BUTTONRADIOIMAGE = 0x0001,
  TESSARO_DFCS_BUTTONRADIOMASK = 0x0002,
  TESSARO_DFCS_BUTTONRADIO = 0x0004,
  TESSARO_DFCS_BUTTON3STATE = 0x0008,
  TESSARO_DFCS_BUTTONPUSH = 0x0010,
  TESSARO_DFCS_INACTIVE = 0x0100,
  TESSARO_DFCS_PUSHED = 0x0200,
  TESSARO_DFCS_CHECKED = 0x0400,
  TESSARO_DFCS_TRANSPARENT = 0x0800,
  TESSARO_DFCS_HOT = 0x1000,
  TESSARO_DFCS_ADJUSTRECT = 0x2000,
  TESSARO_DFCS_FLAT = 0x4000,
  TESSARO_DFCS_MONO = 0x8000
};

/* Draws a button frame on the rectangle [left, right) x [top, bottom).
 * Returns 1 when drawn; 0 for a null context or an unknown kind. */
TESSARO_EXPORT int32_t MyPutBtn(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t style);

#endif /* TESSARO_TRUETYPE_H */
