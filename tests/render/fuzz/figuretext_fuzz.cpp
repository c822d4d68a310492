/*
 * figuretext_fuzz.cpp - any bytes as a figure's title (lumo figure --title
 * takes them from the command line): the layout's text and the SVG made of
 * it must be valid UTF-8 without control characters, whatever the bytes,
 * and cleaning must change nothing the second time.
 *
 * Built with clang's libFuzzer (-fsanitize=fuzzer,address,undefined) as
 * figuretext_fuzz; every build replays the saved corpus through
 * tests/cli/fuzz/replay.cpp.
 */
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/figuresvg.h"
#include "render/settings.h"

namespace {

/* An independent check of UTF-8: the decoder of RFC 3629's table. */
bool validutf8(const std::string &s)
{
    size_t k = 0;
    while (k < s.size()) {
        unsigned char c = (unsigned char)s[k];
        if (c < 0x20 || c == 0x7f)
            return false;
        if (c < 0x80) {
            k++;
            continue;
        }
        size_t n;
        unsigned char lo = 0x80, hi = 0xbf;
        if (c >= 0xc2 && c <= 0xdf) n = 2;
        else if (c == 0xe0) n = 3, lo = 0xa0;
        else if (c == 0xed) n = 3, hi = 0x9f;
        else if (c >= 0xe1 && c <= 0xef) n = 3;
        else if (c == 0xf0) n = 4, lo = 0x90;
        else if (c >= 0xf1 && c <= 0xf3) n = 4;
        else if (c == 0xf4) n = 4, hi = 0x8f;
        else return false;
        if (k + n > s.size())
            return false;
        unsigned char d = (unsigned char)s[k + 1];
        if (d < lo || d > hi)
            return false;
        for (size_t m = 2; m < n; m++) {
            if (((unsigned char)s[k + m] & 0xc0) != 0x80)
                return false;
        }
        /* U+FFFE and U+FFFF are not XML characters. */
        if (c == 0xef && d == 0xbf && ((unsigned char)s[k + 2] & 0xfe) == 0xbe)
            return false;
        k += n;
    }
    return true;
}

bool noimages(const FIGRASTER &, std::string *png)
{
    png->clear();
    return true;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool ready = false;
    if (!ready) {
        initsettings();
        InitFormula(3);
        ready = true;
    }
    std::string title((const char *)data, size);
    std::string clean = validtext(title);
    if (!validutf8(clean) || validtext(clean) != clean || clean.size() > 3 * title.size())
        std::abort();

    FIGSETUP setup = {32 + (int)(size % 64), 32 + (int)(size % 7), -1.0, 1.0, -1.0, 1.0, title, 3};
    FIGURE fig = layfigure(setup);
    for (const FIGITEM &it : fig.items) {
        if (it.kind == FIG_TEXT && !validutf8(it.text))
            std::abort();
    }
    std::string svg;
    if (!figuresvg(fig, FIGRASTER{}, noimages, title, &svg))
        std::abort();
    std::string lines;
    for (char c : svg)
        lines += c == '\n' ? ' ' : c;
    if (!validutf8(lines))
        std::abort();
    return 0;
}
