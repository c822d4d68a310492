/*
 * LumoIO.h - bounded text and file helpers in the shape of the "_s" library
 * functions.  They live in their own namespace because some C libraries
 * (mingw-w64 among them) declare functions of the same names with other
 * semantics; callers write LumoIO::sprintf_s and so on.
 *
 * No helper writes beyond the capacity it is given; a result that does not
 * fit is cut short and still terminated.
 */
#ifndef LUMO_LUMOIO_H
#define LUMO_LUMOIO_H

#include <cstddef>
#include <cstdio>

namespace LumoIO {

/* Formats into buffer (capacity size); returns the length written, or -1
   when the text was cut short to fit. */
int sprintf_s(char *buffer, size_t size, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

/* Copy and append; 0 on success, non-zero when the result was cut short. */
int strcpy_s(char *dest, size_t size, const char *src);
int strcat_s(char *dest, size_t size, const char *src);

/* Opens name with mode; stores the handle (null on failure) and returns 0 on
   success, non-zero when the file cannot be opened. */
int fopen_s(FILE **file, const char *name, const char *mode);

}

#endif
