/* Handles of the raster device context, usable from C exports.
 * A device context stands for both the drawing surface (HDC) and the window
 * whose client size a caller reads (HWND): here they are one object. */
#ifndef PLAMOR_DC_HANDLE_H
#define PLAMOR_DC_HANDLE_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlamorDeviceContext* HDC;
typedef HDC HWND;

#ifdef __cplusplus
}
#endif

#endif /* PLAMOR_DC_HANDLE_H */
