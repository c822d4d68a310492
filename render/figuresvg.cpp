/*
 * figuresvg.cpp - see figuresvg.h.  Items are written in the layout's
 * order, each group of them in a <g> named by its id, so that a reader (or
 * a test) finds the ticks, the key and the picture by name.
 */
#include "render/figuresvg.h"

#include <cstdio>

#include "tiff/savesink.h"

namespace {

std::string number(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", x);
    return text;
}

std::string colour(unsigned int c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", c & 0xffffff);
    return text;
}

std::string escaped(const std::string &text)
{
    std::string out;
    for (char c : validtext(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

bool image(const FIGITEM &it, const FIGRASTER &r, FIGPNGENCODER encode, std::string *svg)
{
    std::string png;
    if (!encode(r, &png))
        return false;
    *svg += "<image x=\"" + number(it.x) + "\" y=\"" + number(it.y) + "\" width=\"" +
            number(r.width) + "\" height=\"" + number(r.height) +
            "\" preserveAspectRatio=\"none\" image-rendering=\"pixelated\""
            " style=\"image-rendering:pixelated;image-rendering:crisp-edges\""
            " xlink:href=\"data:image/png;base64," + base64(png) + "\"/>\n";
    return true;
}

std::string text(const FIGITEM &it)
{
    static const char *const anchors[3] = {"start", "middle", "end"};
    std::string s = "<text x=\"" + number(it.x) + "\" y=\"" + number(it.y) + "\" font-size=\"" +
                    number(it.size) + "\" text-anchor=\"" + anchors[it.anchor] + "\"";
    if (it.bold)
        s += " font-weight=\"bold\"";
    if (it.vertical)
        s += " transform=\"rotate(-90 " + number(it.x) + " " + number(it.y) + ")\"";
    return s + ">" + escaped(it.text) + "</text>\n";
}

}   // namespace

std::string base64(const std::string &bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t k = 0;
    for (; k + 2 < bytes.size(); k += 3) {
        unsigned v = (unsigned char)bytes[k] << 16 | (unsigned char)bytes[k + 1] << 8 |
                     (unsigned char)bytes[k + 2];
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += digits[v & 63];
    }
    if (k < bytes.size()) {
        unsigned v = (unsigned char)bytes[k] << 16;
        if (k + 1 < bytes.size())
            v |= (unsigned char)bytes[k + 1] << 8;
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += k + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool figuresvg(const FIGURE &fig, const FIGRASTER &picture, FIGPNGENCODER encode,
               const std::string &desc, std::string *svg)
{
    *svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
           " width=\"" + number(fig.width) + "\" height=\"" + number(fig.height) +
           "\" viewBox=\"0 0 " + number(fig.width) + " " + number(fig.height) + "\">\n";
    if (!desc.empty())
        *svg += "<desc>" + escaped(desc) + "</desc>\n";
    *svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    *svg += std::string("<g font-family=\"") + FIGFONT + ", sans-serif\" fill=\"#000000\">\n";
    const char *group = nullptr;
    for (const FIGITEM &it : fig.items) {
        if (group == nullptr || std::string(group) != it.group) {
            if (group != nullptr)
                *svg += "</g>\n";
            group = it.group;
            *svg += std::string("<g id=\"") + group + "\">\n";
        }
        switch (it.kind) {
        case FIG_LINE:
            *svg += "<line x1=\"" + number(it.x) + "\" y1=\"" + number(it.y) + "\" x2=\"" +
                    number(it.x + it.w) + "\" y2=\"" + number(it.y + it.h) + "\" stroke=\"" +
                    colour(it.colour) + "\" stroke-width=\"" + number(it.stroke) + "\"/>\n";
            break;
        case FIG_RECT:
            *svg += "<rect x=\"" + number(it.x) + "\" y=\"" + number(it.y) + "\" width=\"" +
                    number(it.w) + "\" height=\"" + number(it.h) + "\"" +
                    (it.stroke > 0 ? " fill=\"none\" stroke=\"" + colour(it.colour) +
                                         "\" stroke-width=\"" + number(it.stroke) + "\""
                                   : " fill=\"" + colour(it.colour) + "\"") + "/>\n";
            break;
        case FIG_TEXT:
            *svg += text(it);
            break;
        case FIG_PICTURE:
            if (!image(it, picture, encode, svg))
                return false;
            break;
        case FIG_RASTER:
            if (!image(it, fig.rasters[(size_t)it.raster], encode, svg))
                return false;
            break;
        }
    }
    if (group != nullptr)
        *svg += "</g>\n";
    *svg += "</g>\n</svg>\n";
    return true;
}

int savefigurebytes(const char *path, const std::string &bytes)
{
    int error = 0;
    SAVESINK *sink = savesink_open(path, &error);
    if (sink == nullptr)
        return error;
    savesink_write(sink, bytes.data(), bytes.size());
    return savesink_commit(sink);
}
