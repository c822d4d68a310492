/*
 * lzwdecode.cpp - the plain TIFF LZW decoder of the tests.
 */
#include "lzwdecode.h"

/* Reads width bits starting at bit position pos, first bit most significant;
   -1 past the end. */
static int readbits(const unsigned char *data, size_t size, size_t pos, int width)
{
    if (pos + width > size * 8)
        return -1;
    int value = 0;
    for (int k = 0; k < width; k++, pos++)
        value = (value << 1) | ((data[pos / 8] >> (7 - pos % 8)) & 1);
    return value;
}

LZWDECODED lzwdecode(const unsigned char *data, size_t size)
{
    LZWDECODED out;
    std::vector<std::vector<unsigned char>> strings(4096);
    for (int k = 0; k < 256; k++)
        strings[k] = {(unsigned char)k};
    int next = 258, width = 9, previous = -1;
    size_t pos = 0;
    for (;;) {
        int code = readbits(data, size, pos, width);
        if (code < 0) {
            out.error = "stream ends without End of Information";
            return out;
        }
        out.codes.push_back({code, width});
        pos += width;
        if (code == 257) {
            out.endbit = pos;
            return out;
        }
        if (code == 256) {
            out.clears++;
            next = 258;
            width = 9;
            previous = -1;
            continue;
        }
        if (out.codes.size() == 1) {
            out.error = "stream does not start with Clear";
            return out;
        }
        std::vector<unsigned char> s;
        if (code < next && (code < 256 || !strings[code].empty())) {
            s = strings[code];
        } else if (code == next && previous >= 0) {
            s = strings[previous];
            s.push_back(strings[previous][0]);
        } else {
            out.error = "code " + std::to_string(code) + " not in the table";
            return out;
        }
        out.bytes.insert(out.bytes.end(), s.begin(), s.end());
        if (previous >= 0) {
            if (next >= 4094) {
                out.error = "table full without Clear";
                return out;
            }
            strings[next] = strings[previous];
            strings[next].push_back(s[0]);
            next++;
            if (next >= (1 << width) - 1 && width < 12)
                width++;
        }
        previous = code;
    }
}
