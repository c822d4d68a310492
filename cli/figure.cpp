/*
 * figure.cpp - see figure.h.  The layout comes from the core; SVG is
 * written by the core with libpng's PNG for its images, PDF and PNG are
 * drawn by cairo.  Every format is made whole in memory and then saved
 * through the save sink, so a failure leaves the target as it was.
 */
#include "cli/figure.h"

#include <cerrno>
#include <cstring>

#include "cli/figurecairo.h"
#include "cli/pngencoder.h"
#include "cli/pngsave.h"
#include "render/figuresvg.h"
#include "render/settings.h"

namespace {

bool endswith(const char *name, const char *ext)
{
    size_t n = std::strlen(name), e = std::strlen(ext);
    if (n < e)
        return false;
    for (size_t k = 0; k < e; k++) {
        if ((name[n - e + k] | 0x20) != ext[k])
            return false;
    }
    return true;
}

void rasterrow(void *source, int row, unsigned char *rgb)
{
    const FIGRASTER *r = (const FIGRASTER *)source;
    std::memcpy(rgb, &r->rgb[(size_t)row * r->width * 3], (size_t)r->width * 3);
}

int appendbytes(void *sink, const unsigned char *data, size_t size)
{
    ((std::string *)sink)->append((const char *)data, size);
    return 0;
}

bool encodeplain(const FIGRASTER &raster, std::string *png)
{
    png->clear();
    return encodepng(raster.width, raster.height, rasterrow, (void *)&raster, nullptr, 0, appendbytes,
                     png, true) == PNG_OK;
}

}   // namespace

FIGFORMAT figureformat(const char *path)
{
    if (endswith(path, ".svg"))
        return FIGFORMAT_SVG;
    if (endswith(path, ".pdf"))
        return FIGFORMAT_PDF;
    if (endswith(path, ".png"))
        return FIGFORMAT_PNG;
    return FIGFORMAT_NONE;
}

const char *figureunsupported(FIGFORMAT format)
{
    if (format == FIGFORMAT_SVG && !pngsupported)
        return "this build of lumo cannot write figures: their pictures are PNG images, "
               "and it was built without libpng";
    if (format != FIGFORMAT_SVG && !cairosupported)
        return "this build of lumo writes SVG figures only: PDF and PNG figures are drawn "
               "with cairo, which it was built without (give a .svg name)";
    return nullptr;
}

int savefigure(const char *path, FIGFORMAT format, const FIGUREOPTIONS &options)
{
    FIGSETUP setup = currentfigure(nullptr);
    setup.title = options.title;
    FIGURE fig = layfigure(setup);
    FIGRASTER picture = surfacepicture(xres, yres);

    std::string bytes;
    bool ok;
    if (format == FIGFORMAT_SVG) {
        ok = figuresvg(fig, picture, encodeplain, options.command, &bytes);
    } else if (format == FIGFORMAT_PDF) {
        ok = figurepdf(fig, picture, options.dpi, options.title, options.command, &bytes);
    } else {
        FIGRASTER drawn;
        std::string comment = validtext(options.command);
        const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment.c_str()}};
        ok = figureraster(fig, picture, &drawn) &&
             encodepng(drawn.width, drawn.height, rasterrow, &drawn, texts, 2, appendbytes, &bytes, true) ==
                 PNG_OK;
    }
    if (!ok)
        return ENOMEM;
    return savefigurebytes(path, bytes);
}
