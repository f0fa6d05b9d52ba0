/* Numeric and process helpers of libTessaroDll.so: the exact hexadecimal
 * text form of a double, decimal truncation and rounding away from zero, a
 * signed bit shift, starting a program and waiting for its end, and the
 * free-resources query. C calling convention; strings are NUL-terminated. */
#pragma once

#include <stdint.h>

#include "util/export.h"

/* Writes the 16 upper-case hex digits of the value's 8-byte memory image
 * (least significant byte first) and a terminating zero into `buffer` (at
 * least 17 bytes). Returns 0; -1 (nothing written) for a null buffer. */
TESSARO_EXPORT int32_t ConvertD2HS(double value, char* buffer);

/* Reads the form ConvertD2HS writes back into the double. A null text or one
 * of fewer than 16 characters gives a quiet NaN. */
TESSARO_EXPORT double ConvertHS2D(const char* hex);

/* The value cut toward zero / raised away from zero to |decimals| decimals
 * (low 16 bits of `decimals`). GetRoundDown first nudges the value by 1e-13
 * away from zero, so a value just below a decimal step is not cut. */
TESSARO_EXPORT double GetRoundDown(double value, int32_t decimals);
TESSARO_EXPORT double GetRoundUp(double value, int32_t decimals);

/* count > 0: value shifted left; otherwise shifted right arithmetically by
 * -count. Counts are taken modulo 32. */
TESSARO_EXPORT int32_t ShiftBit(int32_t value, int32_t count);

/* Starts the program and blocks until it ends: 1 when it ran, 0 when it could
 * not be started. An empty or null program means the first word of the
 * command line names it (looked up on PATH). The command line is split into
 * words at blanks, double quotes grouping blanks into a word; the words are the
 * program's arguments, the first being its own name (argv[0]). */
TESSARO_EXPORT int32_t WaitCommand(const char* program, const char* commandLine);

/* Percentage of free system resources from the resource-meter library
 * "RSRC32.DLL" when present, else -1. */
TESSARO_EXPORT int32_t GetResource(void);
