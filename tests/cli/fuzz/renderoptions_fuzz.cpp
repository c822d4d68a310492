/*
 * renderoptions_fuzz.cpp - any bytes as `lumo render` picture options (one
 * word a line): taking, checking and applying them must stay within the
 * words, and settings they let through must be ones a render can take:
 * an elevation in 0 .. 90, a positive finite height limit, a centre that
 * is a number.
 *
 * Built with clang's libFuzzer as renderoptions_fuzz (-DLUMO_FUZZ=ON);
 * every build replays the saved corpus through replay.cpp.
 */
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/projection.h"
#include "render/renderoptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text((const char *)data, size);
    std::vector<std::string> words;
    size_t start = 0;
    while (start <= text.size() && words.size() < 64) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        words.push_back(text.substr(start, end - start).c_str());
        start = end + 1;
    }
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(&w[0]);
    RENDEROPTIONS o;
    renderoptions_init(&o);
    RENDEROPTIONERROR error;
    int count = (int)argv.size();
    for (int i = 0; i < count;) {
        int took = renderoptions_take(count, argv.data(), i, &o, &error);
        if (took <= 0)
            return 0;
        i += took;
    }
    std::string note;
    if (!renderoptions_check(&o, &error, &note))
        return 0;
    renderoptions_apply(&o);
    const PROJECTION &p = projection;
    if (!(p.elevation >= 0.0 && p.elevation <= 90.0) || !(p.heightlimit > 0.0) || !std::isfinite(p.heightlimit) ||
        std::isnan(p.centerx) || std::isnan(p.centery) || !std::isfinite(p.azimuth) || p.kind < 0 || p.kind > 2)
        std::abort();
    return 0;
}
