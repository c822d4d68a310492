/*
 * figurecairo.cpp - see figurecairo.h.  Every item of the layout is drawn
 * as the SVG form draws it: text placed by its baseline and anchor (here
 * measured by cairo), lines and outlines stroked, rasters painted 1:1 with
 * the nearest-pixel filter, so that the picture's pixels stay its pixels.
 */
#include "cli/figurecairo.h"

#include <cmath>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include <cairo-pdf.h>
#include <cairo.h>

const int cairosupported = 1;

namespace {

void setcolour(cairo_t *cr, unsigned int c)
{
    cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
}

/* The pixels the surfaces read: a PDF surface may read them only when the
   page ends, so they live as long as the surface does. */
typedef std::vector<std::vector<uint32_t>> PIXELSTORE;

void drawraster(cairo_t *cr, const FIGRASTER &r, double x, double y, PIXELSTORE *store)
{
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, r.width);
    store->emplace_back((size_t)stride / 4 * r.height);
    std::vector<uint32_t> &data = store->back();
    for (int j = 0; j < r.height; j++) {
        for (int i = 0; i < r.width; i++) {
            const unsigned char *p = &r.rgb[((size_t)j * r.width + i) * 3];
            data[(size_t)j * (stride / 4) + i] = (uint32_t)p[0] << 16 | (uint32_t)p[1] << 8 | p[2];
        }
    }
    cairo_surface_t *image = cairo_image_surface_create_for_data((unsigned char *)data.data(),
                                                                 CAIRO_FORMAT_RGB24, r.width,
                                                                 r.height, stride);
    /* A paint, not a filled rectangle: the PDF then shows the image as an
       image (Do), which readers draw pixel for pixel, not as a pattern. */
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_set_source_surface(cr, image, 0.0, 0.0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

void drawtext(cairo_t *cr, const FIGITEM &it)
{
    cairo_select_font_face(cr, FIGFONT, CAIRO_FONT_SLANT_NORMAL,
                           it.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, it.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, it.text.c_str(), &e);
    double shift = it.anchor == ANCHOR_START ? 0.0 : it.anchor == ANCHOR_MIDDLE ? -e.x_advance / 2.0
                                                                              : -e.x_advance;
    cairo_save(cr);
    setcolour(cr, it.colour);
    cairo_translate(cr, it.x, it.y);
    if (it.vertical)
        cairo_rotate(cr, -M_PI / 2.0);
    cairo_move_to(cr, shift, 0.0);
    cairo_show_text(cr, it.text.c_str());
    cairo_restore(cr);
}

void draw(cairo_t *cr, const FIGURE &fig, const FIGRASTER &picture, PIXELSTORE *store)
{
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    for (const FIGITEM &it : fig.items) {
        switch (it.kind) {
        case FIG_LINE:
            setcolour(cr, it.colour);
            cairo_set_line_width(cr, it.stroke);
            cairo_move_to(cr, it.x, it.y);
            cairo_line_to(cr, it.x + it.w, it.y + it.h);
            cairo_stroke(cr);
            break;
        case FIG_RECT:
            setcolour(cr, it.colour);
            cairo_rectangle(cr, it.x, it.y, it.w, it.h);
            if (it.stroke > 0) {
                cairo_set_line_width(cr, it.stroke);
                cairo_stroke(cr);
            } else {
                cairo_fill(cr);
            }
            break;
        case FIG_TEXT:
            drawtext(cr, it);
            break;
        case FIG_PICTURE:
            drawraster(cr, picture, it.x, it.y, store);
            break;
        case FIG_RASTER:
            drawraster(cr, fig.rasters[(size_t)it.raster], it.x, it.y, store);
            break;
        }
    }
}

/* The thread that looks the font up ahead (see FIGUREFONTSAHEAD). */
std::mutex aheadlock;
std::thread ahead;

void awaitfonts()
{
    std::lock_guard<std::mutex> hold(aheadlock);
    if (ahead.joinable())
        ahead.join();
}

/* What the first text of a figure costs: the font matched through
   fontconfig and loaded, cached by cairo for every surface after. */
void lookupfonts()
{
    cairo_surface_t *surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t *cr = cairo_create(surface);
    cairo_select_font_face(cr, FIGFONT, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "Re z", &e);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

cairo_status_t appendbytes(void *closure, const unsigned char *data, unsigned int length)
{
    ((std::string *)closure)->append((const char *)data, length);
    return CAIRO_STATUS_SUCCESS;
}

}   // namespace

FIGUREFONTSAHEAD::FIGUREFONTSAHEAD(bool wanted)
{
    std::lock_guard<std::mutex> hold(aheadlock);
    if (wanted && !ahead.joinable()) {
        try {
            ahead = std::thread(lookupfonts);
        } catch (const std::system_error &) {
            /* no thread: the first text looks the font up itself */
        }
    }
}

FIGUREFONTSAHEAD::~FIGUREFONTSAHEAD()
{
    awaitfonts();
}

bool figurepdf(const FIGURE &fig, const FIGRASTER &picture, double dpi, const std::string &title,
               const std::string &command, std::string *pdf)
{
    awaitfonts();
    pdf->clear();
    double scale = 72.0 / dpi;
    cairo_surface_t *surface = cairo_pdf_surface_create_for_stream(appendbytes, pdf, fig.width * scale,
                                                                   fig.height * scale);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, validtext(title).c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT, validtext(command).c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Lumo Domain Coloring");
    cairo_t *cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    PIXELSTORE store;
    draw(cr, fig, picture, &store);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    ok = ok && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool figureraster(const FIGURE &fig, const FIGRASTER &picture, FIGRASTER *out)
{
    awaitfonts();
    int width = (int)std::ceil(fig.width), height = (int)std::ceil(fig.height);
    cairo_surface_t *surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t *cr = cairo_create(surface);
    PIXELSTORE store;
    draw(cr, fig, picture, &store);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    ok = ok && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        out->width = width;
        out->height = height;
        out->rgb.resize((size_t)width * height * 3);
        const unsigned char *data = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        for (int j = 0; j < height; j++) {
            const uint32_t *row = (const uint32_t *)(data + (size_t)j * stride);
            for (int i = 0; i < width; i++) {
                unsigned char *p = &out->rgb[((size_t)j * width + i) * 3];
                p[0] = (unsigned char)(row[i] >> 16);
                p[1] = (unsigned char)(row[i] >> 8);
                p[2] = (unsigned char)row[i];
            }
        }
    }
    cairo_surface_destroy(surface);
    return ok;
}
