/*
 * evalline_fuzz.cpp - any bytes as one input line of `lumo eval`: reading
 * the point must stay within the line, and the quote for a message must
 * be plain printable text within its buffer.
 *
 * Built with clang's libFuzzer (-fsanitize=fuzzer,address,undefined) as
 * evalline_fuzz; every build replays the saved corpus through replay.cpp.
 */
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/evalline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string line((const char *)data, size);
    char quote[80];
    std::memset(quote, 'X', sizeof quote);
    quoteline(line.data(), size, quote, sizeof quote);
    const char *end = (const char *)std::memchr(quote, '\0', sizeof quote);
    if (end == nullptr)
        std::abort();
    for (const char *c = quote; c < end; c++)
        if ((unsigned char)*c < 0x20 || (unsigned char)*c >= 0x7f)
            std::abort();
    double x, y;
    readpoint(&line[0], &x, &y);
    return 0;
}
