/* The exports of libGraphic.so, the preview renderer: drawing sessions, the
 * view of paper millimetres on a device context, and lines, circles and
 * stroke-font text. Strings are NUL-terminated CP932 text. The server loads
 * the library with dlopen and binds these names with dlsym; the *Fn types
 * are the matching function-pointer types. */
#ifndef PLAMOR_GRAPHIC_H
#define PLAMOR_GRAPHIC_H

#include <stdint.h>

#include "platform/dc_handle.h"

#ifdef __cplusplus
#define GRAPHIC_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define GRAPHIC_EXPORT extern __attribute__((visibility("default")))
#endif

/* Opens a session on hdc and loads the stroke font at fontPath (unless one is
   held): 0 when a font image is held, 1 when not. */
GRAPHIC_EXPORT int16_t StartCadDraw(HDC hdc, const char* fontPath);
/* Frees the font image and the pens and closes the session. Returns 0. */
GRAPHIC_EXPORT int32_t EndCadDraw(void);
/* Takes the client size of the surface as the device rectangle; returns the
   client width in pixels. */
GRAPHIC_EXPORT int32_t SetObjectView(HWND hwnd);
/* Both set the world window (paper millimetres, y upward). Return 0. */
GRAPHIC_EXPORT int32_t SetPlamorView(double x0, double y0, double x1, double y1);
GRAPHIC_EXPORT int32_t SetView(double x0, double y0, double x1, double y1);

/* Element calls; each returns -1. style: line style 0-3 (low two bits);
   colour: element colour 0-7 (low three bits). */
GRAPHIC_EXPORT int32_t DispLine(HDC hdc, double x1, double y1, double x2, double y2,
                                int32_t style, int32_t colour);
GRAPHIC_EXPORT int32_t DispCircle(HDC hdc, double x, double y, double xRadius, double yRadius,
                                  double startAngle, double sweepAngle, double rotationAngle,
                                  int32_t style, int32_t colour);
/* direction: 0 horizontal, 1 vertical writing (bit 0). */
GRAPHIC_EXPORT int32_t DispText(HDC hdc, double x, double y, double width, double height,
                                double spacing, double rotationAngle, double slantAngle,
                                int32_t direction, int32_t colour, const char* text);

/* Text switches; each returns 1 when the switch is now on, 0 when off. */
GRAPHIC_EXPORT int16_t SetMojiWaku(int16_t on);
GRAPHIC_EXPORT int16_t SetMojiEasy(int16_t on);

typedef int16_t (*StartCadDrawFn)(HDC, const char*);
typedef int32_t (*EndCadDrawFn)(void);
typedef int32_t (*SetObjectViewFn)(HWND);
typedef int32_t (*SetPlamorViewFn)(double, double, double, double);
typedef int32_t (*SetViewFn)(double, double, double, double);
typedef int32_t (*DispLineFn)(HDC, double, double, double, double, int32_t, int32_t);
typedef int32_t (*DispCircleFn)(HDC, double, double, double, double, double, double, double,
                                int32_t, int32_t);
typedef int32_t (*DispTextFn)(HDC, double, double, double, double, double, double, double,
                              int32_t, int32_t, const char*);
typedef int16_t (*SetMojiWakuFn)(int16_t);
typedef int16_t (*SetMojiEasyFn)(int16_t);

#endif /* PLAMOR_GRAPHIC_H */
