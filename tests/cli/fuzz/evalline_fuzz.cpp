/*
 * evalline_fuzz.cpp - any bytes as one input line of `lumo eval`: reading
 * the point must stay within the line, and the quote for a message must
 * be plain printable text within its buffer; any bytes as the input, read
 * line by line into a small buffer, must come back whole and in order.
 *
 * Built with clang's libFuzzer (-fsanitize=fuzzer,address,undefined) as
 * evalline_fuzz; every build replays the saved corpus through replay.cpp.
 */
#include <cstddef>
#include <cstdint>
#include <cstdio>
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

    /* Lines of up to 15 bytes: each ends at its line end or fills the
       buffer, and together they are the input. */
    FILE *in = fmemopen(const_cast<uint8_t *>(data), size, "rb");
    if (in == nullptr)
        return 0;
    char buffer[16];
    std::string again;
    long length;
    while ((length = readline(in, buffer, sizeof buffer)) >= 0) {
        if (length < 1 || length > 15 || buffer[length] != '\0')
            std::abort();
        const char *end = (const char *)std::memchr(buffer, '\n', (size_t)length);
        if (end != nullptr ? end != buffer + length - 1 : length != 15 && !std::feof(in))
            std::abort();
        again.append(buffer, (size_t)length);
    }
    std::fclose(in);
    if (again != std::string((const char *)data, size))
        std::abort();
    return 0;
}
