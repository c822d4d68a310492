/*
 * render.cpp - `lumo render`: renders one image without a window and saves
 * it as a TIFF file, as the window program would save it, or as a PNG file
 * that carries the command making it again.
 *
 * The options set what the window program's menus and dialogs set, with
 * their rules: values the dialogs clamp are clamped (a view beyond the
 * allowed range with a note that names the range), values they refuse are
 * refused with the dialog's own text (exit status 2).  Whether the file can
 * be written is checked before anything is rendered, and a failed save
 * names the file and the system's reason (exit status 1); either way the
 * file that was there stays as it was.  Ctrl+C, SIGTERM and SIGHUP during
 * the save take its temporary file away with them.
 */
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/parallel.h"
#include "cli/pngdeflate.h"
#include "cli/pngsave.h"
#include "cli/system.h"
#include "common/LumoIO.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/params.h"
#include "render/reproduce.h"
#include "render/settings.h"
#include "common/platform.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

static const char renderusage[] =
    "usage: lumo render -o FILE [--formula N | --expr TEXT] [--view XMIN XMAX YMIN YMAX]\n"
    "                   [--size W H] [--map 0..9|NAME] [--grid none|square|phase|both]\n"
    "                   [--brightness 1|2|3] [--escape 0|1|2] [--maxiter N]\n"
    "                   [--bailout X] [--exponent X] [--julia CX CY]\n"
    "                   [--abs-limit X] [--grid-width GW] [--grid-extent GP]\n"
    "                   [--graph] [--lzw] [--report-max] [--threads N] [--time]\n"
    "                   [--format png|tiff] [--png-level 0..9]\n"
    "Files: NAME.png is written as PNG, any other name as TIFF; --format\n"
    "       overrides the name.  A PNG carries in its Comment the lumo render\n"
    "       command that makes the same picture again.  --png-level is zlib's\n"
    "       level: 0 stores, 1 is fastest, 9 smallest; the default is 4.\n"
    "Maps: 0 continuous, 1 modular, 2 angular, 3 both (Cyclic - Modular, - Angular,\n"
    "      - Both), 4 3d (Cyclic - 3-D), 5 abs-grey, 6 abs-colour (Absolute Value\n"
    "      greyscale and colour), 7 perceptual, 8 colour-blind-safe, 9 enhanced;\n"
    "      the number or the name.\n"
    "--expr renders formula 30 with TEXT as its function (lumo functions lists\n"
    "the names); formula 30 without it renders the default text.\n"
    "Defaults: formula 3, the formula's own view, map and grids, 600 x 600,\n"
    "          all hardware threads.\n"
    "--time says on standard error how long the render took.\n";

static const long MAXTHREADS = 256;

/* The colour maps' names on the command line, by gradient code. */
static const int NMAPS = 10;
static const char *const mapnames[NMAPS] = {
    "continuous", "modular", "angular", "both", "3d",
    "abs-grey", "abs-colour", "perceptual", "colour-blind-safe", "enhanced",
};

/* Reads a colour map's name; 0 when it is none of them. */
static int mapbyname(const char *text, long *map)
{
    for (int k = 0; k < NMAPS && text != nullptr; k++) {
        if (std::strcmp(text, mapnames[k]) == 0) {
            *map = k;
            return 1;
        }
    }
    return 0;
}

/* Everything the command line can set; -1 (or a clear flag) where it was
   not given, so the formula's own setting stays. */
struct RENDEROPTIONS {
    const char *output;
    long formula;
    int formulaset;
    const char *expression;
    int viewset;
    double view[4];
    long width, height;
    long map;
    long grid;              /* square + 2 * phase */
    long brightness;
    int abslimitset;
    double abslimit;
    int gridwidthset;
    double gridwidth;
    int gridextentset;
    long gridextent;
    int graph;
    int lzw;
    int png;                /* 1 PNG, 0 TIFF, -1 by the file name */
    long pnglevel;          /* -1 when not given */
    int reportmax;
    int timed;
    long threads;
    FRACTALOPTIONS fractal;
    char fractalerror[256];  /* the first refused fractal value */
};

/* Prints one line of complaint and gives the exit status for bad input. */
static int badinput(const char *text)
{
    std::fprintf(stderr, "lumo render: %s\n", text);
    return 2;
}

/* Prints a refused value with the dialog's text for its bound. */
static int refused(const char *option, int error)
{
    char line[128], text[160];
    paramerrorline(error, line, sizeof line);
    LumoIO::sprintf_s(text, sizeof text, "%s: %s", option, line);
    return badinput(text);
}

/* Complains about an option whose value is missing or malformed. */
static int needs(const char *option, const char *value, const char *what)
{
    char text[300];
    if (value == nullptr)
        LumoIO::sprintf_s(text, sizeof text, "%s needs %s", option, what);
    else
        LumoIO::sprintf_s(text, sizeof text, "%s needs %s, got '%s'", option, what, value);
    return badinput(text);
}

/* Reads a whole number lo..hi at argv[i]; 0 when it is not one. */
static int wholein(const char *text, long lo, long hi, long *value)
{
    return parsewhole(text, value) && *value >= lo && *value <= hi;
}

/* Takes the option at argv[i] with its values; returns the number of
   arguments used, or -1 after complaining (exit status 2). */
static int takeoption(int argc, char **argv, int i, RENDEROPTIONS *o)
{
    const char *opt = argv[i];
    const char *a1 = i + 1 < argc ? argv[i + 1] : nullptr;
    const char *a2 = i + 2 < argc ? argv[i + 2] : nullptr;

    char error[256];
    int took = takefractaloption(argc, argv, i, &o->fractal, error, sizeof error);
    if (took > 0)
        return took;
    if (took < 0) {
        /* A well-formed value out of its bound waits its turn among the
           checks below, so that errors come in the Parameters dialog's
           order; a missing or malformed value is refused at once. */
        int values = std::strcmp(opt, "--julia") == 0 ? 2 : 1;
        double x;
        if (!parsenumber(a1, &x) || (values == 2 && !parsenumber(a2, &x))) {
            badinput(error);
            return -1;
        }
        if (o->fractalerror[0] == '\0')
            LumoIO::strcpy_s(o->fractalerror, sizeof o->fractalerror, error);
        return 1 + values;
    }

    if (std::strcmp(opt, "-o") == 0) {
        /* A forgotten name must not turn the next option into a file. */
        if (a1 != nullptr && std::strcmp(a1, "-") == 0)
            return badinput("-o -: lumo render writes files only, not standard output; "
                            "give a file name"), -1;
        if (a1 == nullptr || a1[0] == '\0')
            return needs(opt, a1, "a file name"), -1;
        if (a1[0] == '-') {
            char text[300];
            LumoIO::sprintf_s(text, sizeof text, "-o needs a file name, got '%s' "
                              "(a name that starts with '-' can be given as ./NAME)", a1);
            return badinput(text), -1;
        }
        o->output = a1;
        return 2;
    }
    if (std::strcmp(opt, "--formula") == 0) {
        if (!wholein(a1, 0, NFORMULAS - 1, &o->formula))
            return needs(opt, a1, "a formula number 0..30"), -1;
        o->formulaset = 1;
        return 2;
    }
    if (std::strcmp(opt, "--expr") == 0) {
        if (a1 == nullptr)
            return needs(opt, a1, "a function of z"), -1;
        o->expression = a1;
        return 2;
    }
    if (std::strcmp(opt, "--view") == 0) {
        for (int k = 0; k < 4; k++) {
            const char *v = i + 1 + k < argc ? argv[i + 1 + k] : nullptr;
            if (!parsefinite(v, &o->view[k]))
                return needs(opt, v, "four finite numbers XMIN XMAX YMIN YMAX"), -1;
        }
        o->viewset = 1;
        return 5;
    }
    if (std::strcmp(opt, "--size") == 0) {
        if (!parsewhole(a1, &o->width))
            return needs(opt, a1, "two whole numbers W H"), -1;
        if (!parsewhole(a2, &o->height))
            return needs(opt, a2, "two whole numbers W H"), -1;
        return 3;
    }
    if (std::strcmp(opt, "--map") == 0) {
        if (!wholein(a1, 0, NMAPS - 1, &o->map) && !mapbyname(a1, &o->map))
            return needs(opt, a1, "a colour map 0..9 or its name"), -1;
        return 2;
    }
    if (std::strcmp(opt, "--grid") == 0) {
        static const char *const names[4] = {"none", "square", "phase", "both"};
        for (long k = 0; k < 4 && a1 != nullptr; k++) {
            if (std::strcmp(a1, names[k]) == 0) {
                o->grid = k;
                return 2;
            }
        }
        return needs(opt, a1, "none, square, phase or both"), -1;
    }
    if (std::strcmp(opt, "--brightness") == 0) {
        if (!wholein(a1, 1, 3, &o->brightness))
            return needs(opt, a1, "1, 2 or 3"), -1;
        return 2;
    }
    if (std::strcmp(opt, "--abs-limit") == 0) {
        if (!parsenumber(a1, &o->abslimit))
            return needs(opt, a1, "a number"), -1;
        o->abslimitset = 1;
        return 2;
    }
    if (std::strcmp(opt, "--grid-width") == 0) {
        if (!parsefinite(a1, &o->gridwidth))
            return needs(opt, a1, "a number"), -1;
        o->gridwidthset = 1;
        return 2;
    }
    if (std::strcmp(opt, "--grid-extent") == 0) {
        if (!parsewhole(a1, &o->gridextent))
            return needs(opt, a1, "a whole number"), -1;
        o->gridextentset = 1;
        return 2;
    }
    if (std::strcmp(opt, "--threads") == 0) {
        if (!wholein(a1, 1, MAXTHREADS, &o->threads))
            return needs(opt, a1, "a number of threads 1..256"), -1;
        return 2;
    }
    if (std::strcmp(opt, "--format") == 0) {
        if (a1 != nullptr && (std::strcmp(a1, "png") == 0 || std::strcmp(a1, "tiff") == 0))
            return o->png = a1[0] == 'p', 2;
        return needs(opt, a1, "png or tiff"), -1;
    }
    if (std::strcmp(opt, "--png-level") == 0) {
        if (!wholein(a1, 0, 9, &o->pnglevel))
            return needs(opt, a1, "a compression level 0..9"), -1;
        return 2;
    }
    if (std::strcmp(opt, "--graph") == 0)
        return o->graph = 1, 1;
    if (std::strcmp(opt, "--lzw") == 0)
        return o->lzw = 1, 1;
    if (std::strcmp(opt, "--report-max") == 0)
        return o->reportmax = 1, 1;
    if (std::strcmp(opt, "--time") == 0)
        return o->timed = 1, 1;

    char text[300];
    LumoIO::sprintf_s(text, sizeof text, "unknown option '%s' (lumo render --help lists them)", opt);
    badinput(text);
    return -1;
}

/* Whether a file name ends in .png, in any case. */
static int pngname(const char *name)
{
    size_t n = std::strlen(name);
    if (n < 4)
        return 0;
    const char *ext = name + n - 4;
    return ext[0] == '.' && (ext[1] | 0x20) == 'p' && (ext[2] | 0x20) == 'n' && (ext[3] | 0x20) == 'g';
}

/* Reads the command line into o; returns 0, or the exit status after a
   complaint. */
static int parseoptions(int argc, char **argv, RENDEROPTIONS *o)
{
    std::memset(o, 0, sizeof *o);
    o->formula = 3;
    o->width = o->height = 600;
    o->map = o->grid = o->brightness = -1;
    o->png = -1;
    o->pnglevel = -1;
    long hardware = system_hardwarethreads();
    o->threads = hardware > MAXTHREADS ? MAXTHREADS : hardware;
    initfractaloptions(&o->fractal);

    for (int i = 0; i < argc;) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(renderusage, stdout);
            return -1;
        }
        int took = takeoption(argc, argv, i, o);
        if (took < 0)
            return 2;
        i += took;
    }
    if (o->output == nullptr)
        return badinput("-o FILE is required (lumo render --help lists the options)");
    if (std::strlen(o->output) >= sizeof tifffile)
        return badinput("the file name is longer than 259 characters");
    if (o->png < 0)
        o->png = pngname(o->output);
    if (o->png && !pngsupported)
        return badinput("this build of lumo writes TIFF only: PNG needs libpng, "
                        "which it was built without (give a .tif name or --format tiff)");
    if (o->png && o->lzw)
        return badinput("--lzw compresses TIFF files; a PNG file is always compressed");
    if (!o->png && o->pnglevel >= 0)
        return badinput("--png-level compresses PNG files; for a TIFF file give --lzw");
    return 0;
}

/* Says so when the view was cut to the range the program allows, as the
   Parameters dialog does without a word. */
static void notecutview(int f, const double given[4], const double view[4])
{
    double low = (f >= 27 && f <= 29) ? -30.0 : -20.0;
    int cut = 0;
    for (int k = 0; k < 4; k++)
        cut |= given[k] < (k < 2 ? low : -20.0) || given[k] > 20.0;
    if (!cut)
        return;
    std::fprintf(stderr,
                 "lumo render: note: --view lies outside the allowed range "
                 "(x %g .. 20, y -20 .. 20 for formula %d); rendering %.17g %.17g %.17g %.17g\n",
                 low, f, view[0], view[1], view[2], view[3]);
}

/* The checks of the Parameters and Debug dialogs, in the dialog's order,
   and the map and grid rule of the menu.  Clamped values are written back
   into o.  Returns 0, or the exit status after a complaint. */
static int checkoptions(RENDEROPTIONS *o)
{
    if (o->expression != nullptr) {
        if (o->formulaset && o->formula != 30) {
            char text[120];
            LumoIO::sprintf_s(text, sizeof text,
                              "--expr is formula 30's function; leave out --formula %ld", o->formula);
            return badinput(text);
        }
        o->formula = 30;
        if (!takeexpression(o->expression))
            return 2;
    }
    int f = (int)o->formula;
    if (o->viewset) {
        double given[4] = {o->view[0], o->view[1], o->view[2], o->view[3]};
        int error = checkxrange(f, &o->view[0], &o->view[1]);
        if (error >= 0)
            return refused("--view", error);
        error = checkyrange(&o->view[2], &o->view[3]);
        if (error >= 0)
            return refused("--view", error);
        notecutview(f, given, o->view);
    }
    int error = checkresolution(o->width);
    if (error < 0)
        error = checkresolution(o->height);
    if (error >= 0)
        return refused("--size", error);
    if (o->fractalerror[0] != '\0')
        return badinput(o->fractalerror);
    if (o->gridwidthset && checkgridwidth(o->gridwidth) >= 0)
        return refused("--grid-width", checkgridwidth(o->gridwidth));
    if (o->gridextentset && checkgridextent(o->gridextent) >= 0)
        return refused("--grid-extent", checkgridextent(o->gridextent));
    if (o->abslimitset)
        o->abslimit = clampabslimit(o->abslimit);
    if (o->graph && (o->width != 600 || o->height != 600))
        return badinput("--graph needs --size 600 600: the graph is drawn only beside "
                        "a 600 x 600 image");

    /* The menu greys the grids under Cyclic - 3-D: asking for both is a
       contradiction, not something to guess about. */
    if (o->grid > 0 && o->map == GRADIENT_3D)
        return badinput("the Cyclic - 3-D map (--map 4) shows no grids: "
                        "leave out --grid or give --grid none");
    if (o->grid > 0 && o->map < 0 && im[f].gradient == GRADIENT_3D) {
        char text[200];
        LumoIO::sprintf_s(text, sizeof text,
                          "formula %d uses the Cyclic - 3-D map, which shows no grids: "
                          "choose another --map to show grids", f);
        return badinput(text);
    }
    return 0;
}

/* Makes the formula current with its defaults and lays the options over
   them, as the menus and dialogs of the window program would. */
static void applyoptions(const RENDEROPTIONS *o)
{
    fillfactorial();
    initsettings();
    formula = (int)o->formula;
    InitFormula(formula);
    int f = formula;

    if (o->viewset) {
        xmin[f] = o->view[0];
        xmax[f] = o->view[1];
        ymin[f] = o->view[2];
        ymax[f] = o->view[3];
    }
    xres = (int)o->width;
    yres = (int)o->height;
    if (o->map >= 0)
        gradient[f] = (int)o->map;
    if (gradient[f] == GRADIENT_3D)
        squaregridflag[f] = phasegridflag[f] = 0;
    if (o->grid >= 0) {
        squaregridflag[f] = (int)(o->grid & 1);
        phasegridflag[f] = (int)(o->grid >> 1);
    }
    if (o->brightness >= 0) {
        brightness[f] = (int)o->brightness;
        V[f] = (3 - brightness[f]) * 0.5;
    }
    applyfractaloptions(&o->fractal, f);
    if (o->abslimitset)
        abslimitimage[f] = o->abslimit;
    if (o->gridwidthset)
        GW = o->gridwidth;
    if (o->gridextentset)
        GP = (int)o->gridextent;
    displaylimitflag = o->reportmax;
    /* With --graph (only ever with a 600 x 600 image), as after the window
       program's size change: the graph strip.  Without it the surface has no
       strip: should the render start switch the graph on for a 600 x 600
       view of the axis, it is drawn beyond the surface's edge and is not
       saved. */
    graphflag = o->graph ? 1 : 0;
}

/* Whether the save can take rows while the render still makes them: a
   file of the image alone (the graph strip is drawn only at the end). */
static int savewhilerendering()
{
    return surface_width() == xres;
}

/* The save's wait for a row: the render's own. */
static void awaitrow(int row, void *run)
{
    render_awaitrow((RENDERRUN *)run, row);
}

/* The command that makes the same file again: the level only when it is
   not the default, as the file is then other bytes. */
static std::string pngcomment(const RENDEROPTIONS *o, int graph)
{
    std::string level;
    if (o->pnglevel >= 0 && o->pnglevel != PNG_DEFAULTLEVEL)
        level = " --png-level " + std::to_string(o->pnglevel);
    return reproducecommand(formula == 30 ? customtext() : nullptr, graph) + level +
           reproduceoutput(o->output);
}

/* Saves the image, 1300 wide with the graph strip when the graph was
   asked for and shown; returns 0 or the save error code.  With a run,
   rows are saved as the render finishes them. */
static int saveimage(const RENDEROPTIONS *o, RENDERRUN *run)
{
    LumoIO::strcpy_s(tifffile, sizeof tifffile, o->output);
    int graph = o->graph && graphflag;
    int width = graph ? 1300 : xres;
    if (o->png)
        return savepng(o->output, width, yres, pngcomment(o, graph).c_str(),
                       o->pnglevel >= 0 ? (int)o->pnglevel : PNG_DEFAULTLEVEL, (int)o->threads,
                       run != nullptr ? awaitrow : nullptr, run, &tiffsavereason);
    int savedxres = xres;
    xres = width;
    /* The window program's warning box does not tell a command line what
       to do; the message below does. */
    headless_messagestream(nullptr);
    int code = writetiffwhile(o->lzw ? TIFF_LZW : TIFF_UNCOMPRESSED, run != nullptr ? awaitrow : nullptr, run);
    headless_messagestream(stderr);
    xres = savedxres;
    return code;
}

/* The one line that says why the file was not written. */
static void reportsave(const char *path, int code)
{
    if (code == 4)
        std::fprintf(stderr,
                     "lumo render: LZW compression cannot make this picture smaller, so %s was "
                     "not written; leave out --lzw to save it uncompressed%s\n", path,
                     pngsupported ? ", or save it as PNG (-o NAME.png)" : "");
    else
        std::fprintf(stderr, "lumo: cannot write %s: %s\n", path, savesink_reason(tiffsavereason));
}

int cmd_render(int argc, char **argv)
{
    RENDEROPTIONS o;
    int status = parseoptions(argc, argv, &o);
    if (status < 0)
        return 0;
    if (status == 0)
        status = checkoptions(&o);
    if (status != 0)
        return status;
    /* Minutes of rendering must not end in a file that cannot be made. */
    int error = savefile_check(o.output);
    if (error != 0) {
        std::fprintf(stderr, "lumo: cannot write %s: %s\n", o.output, savesink_reason(error));
        return 1;
    }
    headless_cleanuponsignals();

    applyoptions(&o);
    if (headless_createsurface(graphflag ? 1300 : xres, yres) != 0) {
        std::fprintf(stderr, "lumo render: not enough memory for a %d x %d image\n", xres, yres);
        return 1;
    }

    /* The |w| report is the render's only message: it goes to standard
       output; the save's messages go to standard error.  A TIFF without
       the graph strip is written while the rows are made; a failed save
       still lets the render finish, so the report comes all the same. */
    headless_messagestream(stdout);
    RENDERRUN *run = render_begin((int)o.threads, system_stderristerminal());
    if (run == nullptr)
        return 1;
    int code = 0;
    if (savewhilerendering()) {
        code = saveimage(&o, run);
        headless_messagestream(stdout);
    }
    double took = render_end(run);
    int reportlost = std::fflush(stdout) != 0 ? errno : 0;
    if (o.timed)
        std::fprintf(stderr, "Rendered %d x %d in %.3f s on %ld thread%s\n", xres, yres, took, o.threads,
                     o.threads == 1 ? "" : "s");
    headless_messagestream(stderr);
    if (!savewhilerendering())
        code = saveimage(&o, nullptr);

    /* A report that could not be written does not cost the picture. */
    headless_freesurface();
    if (code != 0)
        reportsave(o.output, code);
    if (reportlost != 0) {
        std::fprintf(stderr, "lumo: cannot write standard output: %s\n", std::strerror(reportlost));
        std::clearerr(stdout);
    }
    return code != 0 || reportlost != 0 ? 1 : 0;
}
