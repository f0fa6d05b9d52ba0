/* Paper and printer settings of libTessaroDll.so, on the CUPS print service.
 *
 * A printer (device) name is a CUPS destination, "name" or "name/instance",
 * in CP932; the port name is not needed by CUPS and may be empty or null.
 * Paper sizes are DMPAPER_ codes, a printer's paper taking the code of its
 * size (table in cups_media_table.cpp; a paper of no standard size gets 256
 * plus its place in the printer's list), orientations 1 portrait, 2
 * landscape; both are read from the low 16 bits of their arguments.
 *
 * Two kinds of defaults:
 * - the printer's stored defaults in the CUPS server (media-default,
 *   orientation-requested-default): GetDefaultPaperSize,
 *   GetDefaultPaperOrientation read them, SetPapers changes them (this needs
 *   the right to administer the printer);
 * - the defaults this user's jobs get for the printer (the user's destination
 *   options, ~/.cups/lpoptions, over the stored ones): the "95" functions
 *   read and change them, SetPapers2 changes only what the printer supports.
 *
 * SetPapers2's owner window is accepted for the host's sake; CUPS shows no
 * driver dialog.
 *
 * Result codes:
 *   GetPaperNamesCount, GetPaperNames, GetPapers: number of papers; -1 for an
 *     unknown printer or no answer from the server.
 *   GetDefaultPaperSize / GetDefaultPaperOrientation: the code; 9 / 2 when the
 *     printer stores no paper default; -1 for an unknown printer or no answer.
 *   GetDefaultPaperSize95 / GetDefaultPaperOrientation95: the user's value,
 *     else the stored one as above; -1 for an unknown printer or no answer.
 *   SetPapers: 0 done (also when the printer stores no paper default: then
 *     nothing changes); -99 unknown printer; -4 no answer from the server;
 *     -2 the server refused to report the printer; -5 the server did not
 *     store the change (e.g. no right to administer the printer); -6 a paper
 *     size the printer does not list, or an orientation other than 1 and 2
 *     (nothing changed).
 *   SetPapers95: 0 done; else the CUPS status code of the failure (an IPP
 *     status, never 0): 0x0406 unknown printer, 0x040B a paper size the
 *     printer does not list or an orientation other than 1 and 2, another
 *     IPP status when the server did not answer or the options file could not
 *     be written.
 *   SetPapers2: bit set of what was changed (1 orientation, 2 paper size;
 *     only what the printer supports is changed), or -1 (unknown printer, no
 *     answer, a value it cannot take, options file not written; nothing
 *     changed).
 *
 * Buffers: GetPaperNames writes 64 bytes a paper (the name a person sees,
 * the text of the printer's PPD or of the printer, in CP932, at most 63 bytes,
 * NUL-filled), GetPapers 2 bytes a paper; size them from GetPaperNamesCount.
 * A null buffer writes nothing and still returns the number of papers.
 */
#ifndef TESSARO_PAPER_H
#define TESSARO_PAPER_H

#include <stdint.h>

#include "platform/dc_handle.h"
#include "util/export.h"

#define TESSARO_PAPER_NAME_BYTES 64

TESSARO_EXPORT int32_t GetPaperNamesCount(const char* device, const char* port);
TESSARO_EXPORT int32_t GetPaperNames(const char* device, const char* port, char* names);
TESSARO_EXPORT int32_t GetPapers(const char* device, const char* port, uint16_t* papers);

TESSARO_EXPORT int32_t SetPapers(const char* printer, int32_t unused, int32_t paperSize, int32_t orientation);
TESSARO_EXPORT int32_t SetPapers95(const char* printer, int32_t unused, int32_t paperSize, int32_t orientation);
TESSARO_EXPORT int32_t SetPapers2(HWND ownerWindow, const char* printer, int32_t unused, int32_t paperSize,
                                  int32_t orientation);

TESSARO_EXPORT int32_t GetDefaultPaperSize(const char* printer);
TESSARO_EXPORT int32_t GetDefaultPaperSize95(const char* printer);
TESSARO_EXPORT int32_t GetDefaultPaperOrientation(const char* printer);
TESSARO_EXPORT int32_t GetDefaultPaperOrientation95(const char* printer);

#endif /* TESSARO_PAPER_H */
