/*
 * frameout.cpp - the kinds of animation output and numbered PNG frames
 * (see frameout.h).
 */
#include "cli/frameout.h"

#include <cctype>
#include <cstring>

#include "cli/pngsave.h"
#include "render/reproduce.h"
#include "tiff/savesink.h"

namespace {

/* The one conversion of a pattern: its offset, length, and field width
   (0 when not padded).  0 when there is not exactly one %d or %0Nd (%%
   stands for a %). */
int conversion(const char *pattern, size_t *at, size_t *length, int *width)
{
    int found = 0;
    for (size_t p = 0; pattern[p] != '\0'; p++) {
        if (pattern[p] != '%')
            continue;
        if (pattern[p + 1] == '%') {
            p++;
            continue;
        }
        size_t q = p + 1;
        int w = 0;
        if (pattern[q] == '0') {
            q++;
            while (std::isdigit((unsigned char)pattern[q]) && w < 100)
                w = 10 * w + (pattern[q++] - '0');
        }
        if (pattern[q] != 'd' || found || w >= 100)
            return 0;
        found = 1;
        *at = p;
        *length = q + 1 - p;
        *width = w;
        p = q;
    }
    return found;
}

int endswith(const char *name, const char *ending)
{
    size_t n = std::strlen(name), e = std::strlen(ending);
    if (n < e)
        return 0;
    for (size_t k = 0; k < e; k++) {
        if (std::tolower((unsigned char)name[n - e + k]) != ending[k])
            return 0;
    }
    return 1;
}

class PNGFRAMES : public FRAMEOUT {
public:
    PNGFRAMES(const char *pattern, int width, int height) : pattern(pattern), width(width), height(height) {}

    int add(long k, const unsigned char *rgb, const std::string &command, std::string *why) override
    {
        std::string name = framename(pattern, k);
        std::string comment = command + reproduceoutput(name.c_str(), 0);
        int reason = 0;
        if (savepngrgb(name.c_str(), width, height, rgb, comment.c_str(), &reason) == 0)
            return 0;
        *why = "cannot write " + name + ": " + savesink_reason(reason);
        return 1;
    }
    int finish(std::string *) override { return 0; }

private:
    const char *pattern;
    int width, height;
};

}

int framekind(const char *name, std::string *why)
{
    size_t at, length;
    int width;
    if (std::strchr(name, '%') != nullptr) {
        if (!conversion(name, &at, &length, &width)) {
            *why = std::string("-o ") + name + ": a frame pattern needs one %d or %04d (%% for a %)";
            return -1;
        }
        if (!endswith(name, ".png")) {
            *why = std::string("-o ") + name + ": numbered frames are PNG files: end the pattern in .png";
            return -1;
        }
        return FRAMES_PNG;
    }
    if (endswith(name, ".webp"))
        return FRAMES_WEBP;
    if (endswith(name, ".mp4"))
        return FRAMES_MP4;
    if (endswith(name, ".webm"))
        return FRAMES_WEBM;
    *why = std::string("-o ") + name +
           ": give numbered frames (NAME-%04d.png), an animated NAME.webp, or a video NAME.mp4 or NAME.webm";
    return -1;
}

std::string framename(const char *pattern, long k)
{
    size_t at = 0, length = 0;
    int width = 0;
    conversion(pattern, &at, &length, &width);
    std::string number = std::to_string(k);
    if ((int)number.size() < width)
        number.insert(0, (size_t)width - number.size(), '0');
    std::string name;
    for (size_t p = 0; pattern[p] != '\0'; p++) {
        if (p == at && length > 0) {
            name += number;
            p += length - 1;
        } else if (pattern[p] == '%' && pattern[p + 1] == '%') {
            name += '%';
            p++;
        } else {
            name += pattern[p];
        }
    }
    return name;
}

FRAMEOUT *pngframes(const char *pattern, int width, int height)
{
    return new PNGFRAMES(pattern, width, height);
}
