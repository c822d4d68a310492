/*
 * animate.cpp - `lumo animate`: the frames of an animation in which
 * parameters of a typed function move in straight lines, rendered
 * without a window into numbered PNG files, an animated WebP, or an MP4
 * or WebM video.
 *
 * The picture is set as in `lumo render` (the same option table); each
 * --param NAME=FROM:TO moves, NAME=VALUE stays.  Frame k of N has the
 * values at k / (N - 1) of the way, so a frame rendered alone (its
 * PNG's Comment), in a --frame-range or in the whole run is the same.
 * The frame before is encoded and written while a frame renders; an
 * error names the frame and keeps the frames written before it.
 */
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/frameout.h"
#include "cli/options.h"
#include "cli/parallel.h"
#include "cli/system.h"
#include "common/LumoIO.h"
#include "common/platform.h"
#include "expr/expr.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/paramoptions.h"
#include "render/renderoptions.h"
#include "render/reproduce.h"
#include "render/settings.h"
#include "tiff/savesink.h"

static const char animateusage[] =
    "usage: lumo animate -o OUT --frames N --expr TEXT [--param NAME=FROM:TO]...\n"
    "                    [--param NAME=VALUE]... [--frame-range A-B] [--fps F]\n"
    "                    [--quality Q] [--threads N] [--time] [lumo render's options]\n"
    "Renders N frames (numbered 0 .. N-1); each --param NAME=FROM:TO moves in a\n"
    "straight line from FROM at frame 0 to TO at frame N-1 (real or complex).\n"
    "OUT: NAME-%04d.png numbered PNG frames, each with the lumo render command\n"
    "     that makes it in its Comment; NAME.webp an animated WebP (lossless, or\n"
    "     lossy with --quality 0..100); NAME.mp4 or NAME.webm a video made by the\n"
    "     ffmpeg program (even width and height).  --fps (default 30) sets the\n"
    "     WebP's and the video's speed.\n"
    "--frame-range A-B renders frames A to B of the N only (numbered frames),\n"
    "     each the same file as in a whole run, so one animation can be split\n"
    "     over jobs or machines.\n";

static const long MAXTHREADS = 256;
static const long MAXFRAMES = 1000000;

/* lumo animate's own options, beside the picture's. */
struct ANIMOPTIONS {
    const char *output;
    long frames;
    long first, last;       /* the frames to render; last -1 until known */
    double fps;
    long quality;           /* -1: lossless WebP */
    long threads;
    int timed;
};

static int badinput(const std::string &text)
{
    std::fprintf(stderr, "lumo animate: %s\n", text.c_str());
    return 2;
}

static std::string got(const char *option, const char *needs, const char *value)
{
    return std::string(option) + " needs " + needs + (value ? std::string(", got '") + value + "'" : "");
}

static int takeout(ANIMOPTIONS *o, const char *v)
{
    if (v == nullptr || v[0] == '\0' || v[0] == '-')
        return badinput(got("-o", "a file name or a frame pattern such as frames/z-%04d.png", v));
    o->output = v;
    return 0;
}

static int takeframes(ANIMOPTIONS *o, const char *v)
{
    if (!parsewhole(v, &o->frames) || o->frames < 1 || o->frames > MAXFRAMES)
        return badinput(got("--frames", "a number of frames 1..1000000", v));
    return 0;
}

static int takerange(ANIMOPTIONS *o, const char *v)
{
    const char *dash = v != nullptr ? std::strchr(v, '-') : nullptr;
    if (dash != nullptr) {
        std::string a(v, (size_t)(dash - v));
        if (parsewhole(a.c_str(), &o->first) && parsewhole(dash + 1, &o->last) && o->first >= 0 &&
            o->last >= o->first)
            return 0;
    }
    return badinput(got("--frame-range", "frames A-B, 0 <= A <= B", v));
}

static int takefps(ANIMOPTIONS *o, const char *v)
{
    if (!parsefinite(v, &o->fps) || !(o->fps >= 0.01 && o->fps <= 1000.0))
        return badinput(got("--fps", "frames per second 0.01..1000", v));
    return 0;
}

static int takequality(ANIMOPTIONS *o, const char *v)
{
    if (!parsewhole(v, &o->quality) || o->quality < 0 || o->quality > 100)
        return badinput(got("--quality", "a WebP quality 0..100", v));
    return 0;
}

static int takethreads(ANIMOPTIONS *o, const char *v)
{
    if (!parsewhole(v, &o->threads) || o->threads < 1 || o->threads > MAXTHREADS)
        return badinput(got("--threads", "a number of threads 1..256", v));
    return 0;
}

/* An option of lumo animate's own and its reader (null for a flag). */
struct ANIMOPTIONROW {
    const char *name;
    int (*take)(ANIMOPTIONS *o, const char *value);
    int ANIMOPTIONS::*flag;
};

static const ANIMOPTIONROW animtable[] = {
    {"-o", takeout, nullptr},
    {"--frames", takeframes, nullptr},
    {"--frame-range", takerange, nullptr},
    {"--fps", takefps, nullptr},
    {"--quality", takequality, nullptr},
    {"--threads", takethreads, nullptr},
    {"--time", nullptr, &ANIMOPTIONS::timed},
};

/* Reads the words: 0, -1 after --help, or the exit status. */
static int parseanimate(int argc, char **argv, RENDEROPTIONS *picture, ANIMOPTIONS *o)
{
    renderoptions_init(picture);
    picture->paramranges = 1;
    std::memset(o, 0, sizeof *o);
    o->last = -1;
    o->fps = 30.0;
    o->quality = -1;
    long hardware = system_hardwarethreads();
    o->threads = hardware > MAXTHREADS ? MAXTHREADS : hardware;
    for (int i = 0; i < argc;) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(animateusage, stdout);
            return -1;
        }
        RENDEROPTIONERROR error;
        int took = renderoptions_take(argc, argv, i, picture, &error);
        if (took < 0)
            return badinput(error.text);
        if (took == 0) {
            const ANIMOPTIONROW *row = nullptr;
            for (const ANIMOPTIONROW &r : animtable)
                row = std::strcmp(argv[i], r.name) == 0 ? &r : row;
            if (row == nullptr)
                return badinput(std::string("unknown option '") + argv[i] + "' (lumo animate --help lists them)");
            if (row->flag != nullptr) {
                o->*row->flag = 1;
                took = 1;
            } else {
                if (row->take(o, i + 1 < argc ? argv[i + 1] : nullptr) != 0)
                    return 2;
                took = 2;
            }
        }
        i += took;
    }
    if (o->output == nullptr)
        return badinput("-o OUT is required (lumo animate --help lists the options)");
    if (o->frames == 0)
        return badinput("--frames N is required");
    if (o->last < 0) {
        o->first = 0;
        o->last = o->frames - 1;
    }
    if (o->last >= o->frames)
        return badinput("--frame-range " + std::to_string(o->first) + "-" + std::to_string(o->last) +
                        " goes past the last frame, " + std::to_string(o->frames - 1));
    return 0;
}

/* The picture's checks, with their notes; the moving parameters into
   ranges.  0, or the exit status. */
static int checkanimate(RENDEROPTIONS *picture, std::vector<PARAMRANGE> *ranges)
{
    RENDEROPTIONERROR error;
    std::string note;
    int ok = renderoptions_check(picture, &error, &note);
    for (size_t start = 0; start < note.size();) {
        size_t end = note.find('\n', start);
        end = end == std::string::npos ? note.size() : end;
        std::fprintf(stderr, "lumo animate: %s\n", note.substr(start, end - start).c_str());
        start = end + 1;
    }
    if (!ok) {
        if (error.expression)
            printexprerror(picture->expression, error.exprerror.column, error.exprerror.message);
        else
            badinput(error.text);
        return 2;
    }
    for (int k = 0; k < picture->nparams; k++) {
        PARAMRANGE range;
        std::string why;
        if (!readparamoption(picture->params[k], 1, &range, &why))
            return badinput(why);
        if (range.moving)
            ranges->push_back(range);
    }
    return 0;
}

/* The moving parameters' values at frame k, for a message. */
static std::string framevalues(const std::vector<PARAMRANGE> &ranges, long k, long n)
{
    std::string text;
    for (const PARAMRANGE &r : ranges)
        text += std::string(text.empty() ? " (" : ", ") + customparamname(r.param) + "=" +
                exactvalue(paramatframe(r, k, n));
    return text.empty() ? text : text + ")";
}

/* One frame waiting to be written while the next renders. */
struct DONEFRAME {
    long k = -1;
    std::vector<unsigned char> rgb;
    std::string command;
};

/* The surface's image, width pixels of each row, into frame. */
static void takeframe(DONEFRAME *frame, int width, int height)
{
    frame->rgb.resize((size_t)width * height * 3);
    const unsigned char *p = headless_pixels();
    for (int y = 0; y < height; y++)
        std::memcpy(&frame->rgb[(size_t)y * width * 3], p + (size_t)y * surface_width() * 3, (size_t)width * 3);
}

/* The output for the frames, made when the first frame's size is known. */
static FRAMEOUT *openout(const ANIMOPTIONS *o, int kind, int width, int height, std::string *why)
{
    if (kind == FRAMES_PNG)
        return pngframes(o->output, width, height);
    if (kind == FRAMES_WEBP)
        return webpanimation(o->output, width, height, o->fps, (int)o->quality, why);
    return ffmpegvideo(o->output, kind, width, height, o->fps, why);
}

/* Renders and writes the frames; 0, or 1 after saying which frame failed. */
static int runframes(const RENDEROPTIONS *picture, const ANIMOPTIONS *o, int kind,
                     const std::vector<PARAMRANGE> &ranges)
{
    std::unique_ptr<FRAMEOUT> out;
    DONEFRAME done;
    std::string why;
    long failed = -1;
    int progress = system_stderristerminal();
    for (long k = o->first; k <= o->last + 1 && failed < 0; k++) {
        RENDERRUN *run = nullptr;
        std::string command;
        if (k <= o->last) {
            for (const PARAMRANGE &r : ranges)
                setcustomparam(r.param, paramatframe(r, k, o->frames), nullptr);
            run = render_begin((int)o->threads, 0);
            if (run == nullptr)
                return 1;
        }
        /* The frame before is written while this one renders. */
        if (done.k >= 0 && out->add(done.k, done.rgb.data(), done.command, &why) != 0)
            failed = done.k;
        if (run == nullptr)
            break;
        double took = 0.0;
        if (render_end(run, &took) != 0) {
            if (failed < 0) {
                failed = k;
                why = "not enough memory to evaluate the function";
            }
            break;
        }
        if (failed >= 0)
            break;
        int graph = picture->graph && graphflag;
        int width = graph ? 1300 : xres;
        if (out == nullptr) {
            out.reset(openout(o, kind, width, yres, &why));
            if (out == nullptr) {
                std::fprintf(stderr, "lumo animate: %s\n", why.c_str());
                return 1;
            }
        }
        takeframe(&done, width, yres);
        done.k = k;
        done.command = reproducecommand(formula == 30 ? customtext() : nullptr, graph);
        if (progress)
            std::fprintf(stderr, "\rframe %ld of %ld", k - o->first + 1, o->last - o->first + 1);
    }
    if (progress)
        std::fputc('\n', stderr);
    if (failed < 0 && out != nullptr && out->finish(&why) != 0)
        failed = o->last;
    if (failed < 0)
        return 0;
    std::fprintf(stderr, "lumo animate: frame %ld%s: %s\n", failed,
                 framevalues(ranges, failed, o->frames).c_str(), why.c_str());
    if (kind == FRAMES_PNG && failed > o->first)
        std::fprintf(stderr, "lumo animate: frames %ld to %ld are written\n", o->first, failed - 1);
    return 1;
}

int cmd_animate(int argc, char **argv)
{
    RENDEROPTIONS picture;
    ANIMOPTIONS o;
    int status = parseanimate(argc, argv, &picture, &o);
    if (status != 0)
        return status < 0 ? 0 : status;
    std::string why;
    int kind = framekind(o.output, &why);
    if (kind < 0)
        return badinput(why);
    if (kind != FRAMES_PNG && (o.first != 0 || o.last != o.frames - 1))
        return badinput("--frame-range writes numbered frames (-o NAME-%04d.png); join them into "
                        "a video afterwards");
    if (o.quality >= 0 && kind != FRAMES_WEBP)
        return badinput("--quality is the WebP's; the other outputs leave it out");
    if ((kind == FRAMES_MP4 || kind == FRAMES_WEBM) &&
        ((picture.graph ? 1300 : picture.width) % 2 != 0 || picture.height % 2 != 0))
        return badinput("MP4 and WebM need an even width and height: give --size W H with even numbers");
    std::vector<PARAMRANGE> ranges;
    status = checkanimate(&picture, &ranges);
    if (status != 0)
        return status;
    if ((kind == FRAMES_MP4 || kind == FRAMES_WEBM) && !ffmpegmissing().empty()) {
        std::fprintf(stderr, "lumo animate: %s\n", ffmpegmissing().c_str());
        return 1;
    }
    /* Minutes of rendering must not end in a file that cannot be made. */
    std::string first = kind == FRAMES_PNG ? framename(o.output, o.first) : o.output;
    int error = savefile_check(first.c_str());
    if (error != 0) {
        std::fprintf(stderr, "lumo: cannot write %s: %s\n", first.c_str(), savesink_reason(error));
        return 1;
    }
    headless_cleanuponsignals();
    renderoptions_apply(&picture);
    displaylimitflag = 0;
    if (headless_createsurface(graphflag ? 1300 : xres, yres) != 0) {
        std::fprintf(stderr, "lumo animate: not enough memory for a %d x %d image\n", xres, yres);
        return 1;
    }
    headless_messagestream(stderr);
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    status = runframes(&picture, &o, kind, ranges);
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    double took = elapsed.count();
    headless_freesurface();
    long count = o.last - o.first + 1;
    if (status == 0 && o.timed)
        std::fprintf(stderr, "Rendered %ld frame%s of %d x %d in %.3f s (%.2f frames/s) on %ld thread%s\n",
                     count, count == 1 ? "" : "s", xres, yres, took, count / took, o.threads,
                     o.threads == 1 ? "" : "s");
    return status;
}
