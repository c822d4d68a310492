/*
 * LumoIO.cpp - bounded text and file helpers (see LumoIO.h).
 */
#include "LumoIO.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

namespace LumoIO {

int sprintf_s(char *buffer, size_t size, const char *format, ...)
{
    if (buffer == nullptr || size == 0)
        return -1;
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    if (n < 0) {
        buffer[0] = '\0';
        return -1;
    }
    return (size_t)n < size ? n : -1;
}

int strcpy_s(char *dest, size_t size, const char *src)
{
    if (dest == nullptr || size == 0)
        return EINVAL;
    dest[0] = '\0';
    return strcat_s(dest, size, src);
}

int strcat_s(char *dest, size_t size, const char *src)
{
    if (dest == nullptr || size == 0 || src == nullptr)
        return EINVAL;
    size_t used = strnlen(dest, size);
    if (used == size) {           /* dest was not terminated within size */
        dest[size - 1] = '\0';
        return ERANGE;
    }
    size_t n = std::strlen(src);
    size_t room = size - 1 - used;
    size_t take = n < room ? n : room;
    std::memcpy(dest + used, src, take);
    dest[used + take] = '\0';
    return take == n ? 0 : ERANGE;
}

int fopen_s(FILE **file, const char *name, const char *mode)
{
    *file = std::fopen(name, mode);
    if (*file == nullptr)
        return errno != 0 ? errno : EINVAL;
    return 0;
}

}
