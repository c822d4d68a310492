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
#include <vector>

#include "cli/commands.h"
#include "cli/figure.h"
#include "cli/figurecairo.h"
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
#include "render/figurelayout.h"
#include "render/params.h"
#include "render/renderoptions.h"
#include "render/reproduce.h"
#include "render/settings.h"
#include "common/platform.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

static const char renderusage[] =
    "usage: lumo render -o FILE [--formula N | --expr TEXT [--param NAME=VALUE]...]\n"
    "                   [--view XMIN XMAX YMIN YMAX]\n"
    "                   [--size W H] [--map 0..9|NAME] [--grid none|square|phase|both]\n"
    "                   [--brightness 1|2|3] [--escape 0|1|2] [--maxiter N]\n"
    "                   [--bailout X] [--exponent X] [--julia CX CY]\n"
    "                   [--abs-limit X] [--grid-width GW] [--grid-extent GP]\n"
    "                   [--graph] [--lzw] [--report-max] [--threads N] [--time]\n"
    "                   [--format png|tiff] [--figure [--title TEXT] [--dpi X]]\n"
    "                   [--projection plane|sphere|landscape] [--center X Y]\n"
    "                   [--camera AZ EL] [--shade on|off] [--height log|abs]\n"
    "                   [--height-limit X] [--png-level 0..9]\n"
    "Files: NAME.png is written as PNG, any other name as TIFF; --format\n"
    "       overrides the name.  A PNG carries in its Comment the lumo render\n"
    "       command that makes the same picture again.  --png-level is zlib's\n"
    "       level: 0 stores, 1 is fastest, 9 smallest; without it, a level\n"
    "       between 1 and 4 tuned for these pictures.\n"
    "Maps: 0 continuous, 1 modular, 2 angular, 3 both (Cyclic - Modular, - Angular,\n"
    "      - Both), 4 3d (Cyclic - 3-D), 5 abs-grey, 6 abs-colour (Absolute Value\n"
    "      greyscale and colour), 7 perceptual, 8 colour-blind-safe, 9 enhanced;\n"
    "      the number or the name.\n"
    "--expr renders formula 30 with TEXT as its function (lumo functions lists\n"
    "the names); formula 30 without it renders the default text.  A name the\n"
    "language does not know, written bare, is a parameter: --param NAME=VALUE\n"
    "gives its value (0.25, 0.25+0.1i; 1 when not given).  Formula 30 takes\n"
    "views within -1e6 .. 1e6, down to 1e-12 of max(1, |min|, |max|) wide.\n"
    "Defaults: formula 3, the formula's own view, map and grids, 600 x 600,\n"
    "          all hardware threads.\n"
    "--time says on standard error how long the render took.\n"
    "--figure (or lumo figure) saves the picture with axes, ticks, a title and\n"
    "         a colour key as SVG, PDF or PNG, by the name's extension;\n"
    "         --title replaces the formula's label, --dpi (default 96) sets\n"
    "         the PDF's size: the picture's pixels to the inch.\n"
    "Projections: plane (the default) is a window of the plane; sphere is the\n"
    "      Riemann sphere turned so that --center X Y (inf inf: infinity; default\n"
    "      0 0) lies in the middle; landscape is the view's height field, log|w|\n"
    "      or |w| (--height, default log) clipped to --height-limit (default 3),\n"
    "      seen from azimuth AZ and elevation EL 0..90 (--camera, default 30 40).\n"
    "      --shade: sphere off, landscape on by default.  --graph is the plane's.\n";

static const long MAXTHREADS = 256;

/* The options of lumo render itself, beside the picture's settings
   (render/renderoptions.h): the file, how it is written, the threads. */
struct RUNOPTIONS {
    const char *output;
    int lzw;
    int png;                /* 1 PNG, 0 TIFF, -1 by the file name */
    long pnglevel;          /* -1 when not given */
    int reportmax;
    int timed;
    long threads;
    int figure;             /* --figure: a figure, its format by the name */
    FIGFORMAT figureformat;
    const char *title;      /* the figure's title, or null for the formula's */
    double dpi;
};

/* Everything the command line can set. */
struct RENDEROPTIONSALL {
    RENDEROPTIONS picture;
    RUNOPTIONS run;
};

/* Prints one line of complaint and gives the exit status for bad input. */
static int badinput(const char *text)
{
    std::fprintf(stderr, "lumo render: %s\n", text);
    return 2;
}

/* Complains that an option's value is missing or not what it needs:
   "OPTION needs WHAT", with the value given when there was one. */
static int needs(const char *option, const char *value, const char *what, const char *hint = "")
{
    char text[400];
    if (value == nullptr)
        LumoIO::sprintf_s(text, sizeof text, "%s needs %s%s", option, what, hint);
    else
        LumoIO::sprintf_s(text, sizeof text, "%s needs %s, got '%s'%s", option, what, value, hint);
    return badinput(text);
}

/* A forgotten name must not turn the next option into a file. */
static int takeoutput(RUNOPTIONS *o, const char *name)
{
    if (name != nullptr && std::strcmp(name, "-") == 0)
        return badinput("-o -: lumo render writes files only, not standard output; give a file name");
    if (name == nullptr || name[0] == '\0')
        return needs("-o", name, "a file name");
    if (name[0] == '-')
        return needs("-o", name, "a file name", " (a name that starts with '-' can be given as ./NAME)");
    o->output = name;
    return 0;
}

static int takethreads(RUNOPTIONS *o, const char *value)
{
    if (parsewhole(value, &o->threads) && o->threads >= 1 && o->threads <= MAXTHREADS)
        return 0;
    return needs("--threads", value, "a number of threads 1..256");
}

static int takeformat(RUNOPTIONS *o, const char *value)
{
    if (value != nullptr && (std::strcmp(value, "png") == 0 || std::strcmp(value, "tiff") == 0)) {
        o->png = value[0] == 'p';
        return 0;
    }
    return needs("--format", value, "png or tiff");
}

static int takepnglevel(RUNOPTIONS *o, const char *value)
{
    if (parsewhole(value, &o->pnglevel) && o->pnglevel >= 0 && o->pnglevel <= 9)
        return 0;
    return needs("--png-level", value, "a compression level 0..9");
}

static int taketitle(RUNOPTIONS *o, const char *value)
{
    if (value != nullptr)
        return o->title = value, 0;
    return needs("--title", value, "a text");
}

static int takedpi(RUNOPTIONS *o, const char *value)
{
    if (parsefinite(value, &o->dpi) && o->dpi >= 1.0 && o->dpi <= 10000.0)
        return 0;
    return needs("--dpi", value, "a resolution 1..10000 dots an inch");
}

/* One option of lumo render's own: its name, whether a value follows,
   and its reader (0, or the exit status after a complaint); a flag's
   field is set to 1. */
struct RUNOPTIONROW {
    const char *name;
    int (*take)(RUNOPTIONS *o, const char *value);
    int RUNOPTIONS::*flag;
};

static const RUNOPTIONROW runtable[] = {
    {"-o", takeoutput, nullptr},
    {"--threads", takethreads, nullptr},
    {"--format", takeformat, nullptr},
    {"--png-level", takepnglevel, nullptr},
    {"--lzw", nullptr, &RUNOPTIONS::lzw},
    {"--report-max", nullptr, &RUNOPTIONS::reportmax},
    {"--time", nullptr, &RUNOPTIONS::timed},
    {"--figure", nullptr, &RUNOPTIONS::figure},
    {"--title", taketitle, nullptr},
    {"--dpi", takedpi, nullptr},
};

/* Takes the option at argv[i] with its values; returns the number of
   arguments used, or -1 after complaining (exit status 2). */
static int takeoption(int argc, char **argv, int i, RENDEROPTIONSALL *o)
{
    RENDEROPTIONERROR error;
    int took = renderoptions_take(argc, argv, i, &o->picture, &error);
    if (took < 0)
        return badinput(error.text.c_str()), -1;
    if (took > 0)
        return took;
    for (const RUNOPTIONROW &row : runtable) {
        if (std::strcmp(argv[i], row.name) != 0)
            continue;
        if (row.flag != nullptr)
            return o->run.*row.flag = 1, 1;
        return row.take(&o->run, i + 1 < argc ? argv[i + 1] : nullptr) != 0 ? -1 : 2;
    }
    char text[300];
    LumoIO::sprintf_s(text, sizeof text, "unknown option '%s' (lumo render --help lists them)", argv[i]);
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

/* The rules of a figure's file: its format by the name, no TIFF options,
   no graph strip (the figure draws its own axes).  Returns 0 or 2. */
static int checkfigure(RUNOPTIONS *o, const RENDEROPTIONS *picture)
{
    o->figureformat = figureformat(o->output);
    if (o->figureformat == FIGFORMAT_NONE)
        return badinput("a figure is saved as SVG, PDF or PNG: give a name ending in "
                        ".svg, .pdf or .png");
    if (figureunsupported(o->figureformat) != nullptr)
        return badinput(figureunsupported(o->figureformat));
    if (o->png >= 0 || o->lzw)
        return badinput("--format and --lzw choose a picture's file; a figure's format "
                        "comes from its name (.svg, .pdf or .png)");
    if (picture->graph)
        return badinput("--graph draws beside a plain picture; a figure has its own axes");
    if (picture->projection.kind > 0)
        return badinput("a figure draws the plane's axes around its picture: "
                        "not with --projection sphere or landscape");
    o->png = 0;
    return 0;
}

/* Reads the command line into o; returns 0, -1 after --help, or the exit
   status after a complaint. */
static int parseoptions(int argc, char **argv, RENDEROPTIONSALL *o)
{
    renderoptions_init(&o->picture);
    RUNOPTIONS *run = &o->run;
    std::memset(run, 0, sizeof *run);
    run->png = -1;
    run->pnglevel = -1;
    run->dpi = 96.0;
    long hardware = system_hardwarethreads();
    run->threads = hardware > MAXTHREADS ? MAXTHREADS : hardware;

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
    if (run->output == nullptr)
        return badinput("-o FILE is required (lumo render --help lists the options)");
    if (std::strlen(run->output) >= sizeof tifffile)
        return badinput("the file name is longer than 259 characters");
    if (run->figure && run->pnglevel >= 0)
        return badinput("--png-level compresses the PNG of lumo render's picture, not a figure");
    if (run->figure)
        return checkfigure(run, &o->picture);
    if (run->title != nullptr || run->dpi != 96.0)
        return badinput("--title and --dpi are a figure's: add --figure, or use lumo figure");
    if (run->png < 0)
        run->png = pngname(run->output);
    if (run->png && !pngsupported)
        return badinput("this build of lumo writes TIFF only: PNG needs libpng, "
                        "which it was built without (give a .tif name or --format tiff)");
    if (run->png && run->lzw)
        return badinput("--lzw compresses TIFF files; a PNG file is always compressed");
    if (!run->png && run->pnglevel >= 0)
        return badinput("--png-level compresses PNG files; for a TIFF file give --lzw");
    return 0;
}

/* The picture's settings checked with the dialogs' rules; 0, or the exit
   status after a complaint. */
static int checkoptions(RENDEROPTIONS *o)
{
    RENDEROPTIONERROR error;
    std::string note;
    int ok = renderoptions_check(o, &error, &note);
    for (size_t start = 0; start < note.size();) {
        size_t end = note.find('\n', start);
        if (end == std::string::npos)
            end = note.size();
        std::fprintf(stderr, "lumo render: %s\n", note.substr(start, end - start).c_str());
        start = end + 1;
    }
    if (ok)
        return 0;
    if (error.expression)
        printexprerror(o->expression, error.exprerror.column, error.exprerror.message);
    else
        badinput(error.text.c_str());
    return 2;
}

/* Whether the save can take rows while the render still makes them: a
   TIFF or PNG of the image alone (the graph strip is drawn only at the
   end). */
static int savewhilerendering(const RUNOPTIONS *o)
{
    return !o->figure && surface_width() == xres;
}

/* The save's wait for a row: the render's own. */
static int awaitrow(int row, void *run)
{
    return render_awaitrow((RENDERRUN *)run, row);
}

/* Saves the figure, with the command that makes it again; returns 0 or
   the save error code. */
static int savefigureas(const RUNOPTIONS *o)
{
    FIGUREOPTIONS fo;
    const char *typed = formula == 30 ? customtext() : nullptr;
    fo.title = o->title != nullptr ? o->title : figuretitle(typed);
    fo.dpi = o->dpi;
    fo.command = reproducecommand(typed, 0) + " --figure";
    if (o->title != nullptr)
        fo.command += " --title " + shellword(o->title);
    if (o->dpi != 96.0)
        fo.command += " --dpi " + exactnumber(o->dpi);
    fo.command += reproducefile(o->output, 0);
    tiffsavereason = savefigure(o->output, o->figureformat, fo);
    return tiffsavereason == 0 ? 0 : 3;
}

/* The command that makes the same file again: with the level when one was
   given, as every level makes other bytes than the default. */
static std::string pngcomment(const RUNOPTIONS *o, int graph)
{
    std::string level;
    if (o->pnglevel >= 0)
        level = " --png-level " + std::to_string(o->pnglevel);
    return reproducecommand(formula == 30 ? customtext() : nullptr, graph) + level +
           reproduceoutput(o->output, 0);
}

/* Saves the image, 1300 wide with the graph strip when the graph was
   asked for and shown; returns 0 or the save error code.  With a run,
   rows are saved as the render finishes them. */
static int saveimage(const RENDEROPTIONSALL *all, RENDERRUN *run)
{
    const RUNOPTIONS *o = &all->run;
    LumoIO::strcpy_s(tifffile, sizeof tifffile, o->output);
    int graph = all->picture.graph && graphflag;
    int width = graph ? 1300 : xres;
    if (o->figure)
        return savefigureas(o);
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

int cmd_figure(int argc, char **argv)
{
    std::vector<char *> args(argv, argv + argc);
    static char figure[] = "--figure";
    args.push_back(figure);
    return cmd_render((int)args.size(), args.data());
}

int cmd_render(int argc, char **argv)
{
    RENDEROPTIONSALL all;
    const RUNOPTIONS &o = all.run;
    int status = parseoptions(argc, argv, &all);
    if (status < 0)
        return 0;
    if (status == 0)
        status = checkoptions(&all.picture);
    if (status != 0)
        return status;
    /* Minutes of rendering must not end in a file that cannot be made. */
    int error = savefile_check(o.output);
    if (error != 0) {
        std::fprintf(stderr, "lumo: cannot write %s: %s\n", o.output, savesink_reason(error));
        return 1;
    }
    headless_cleanuponsignals();
    FIGUREFONTSAHEAD fonts(o.figure && o.figureformat != FIGFORMAT_SVG);

    renderoptions_apply(&all.picture);
    displaylimitflag = o.reportmax;
    if (headless_createsurface(graphflag ? 1300 : xres, yres) != 0) {
        std::fprintf(stderr, "lumo render: not enough memory for a %d x %d image\n", xres, yres);
        return 1;
    }

    /* The |w| report is the render's only message: it goes to standard
       output; the save's messages go to standard error.  A file without
       the graph strip is written while the rows are made; a failed save
       still lets the render finish, so the report comes all the same. */
    headless_messagestream(stdout);
    RENDERRUN *run = render_begin((int)o.threads, system_stderristerminal());
    if (run == nullptr)
        return 1;
    int code = 0;
    if (savewhilerendering(&o)) {
        code = saveimage(&all, run);
        headless_messagestream(stdout);
    }
    double took = 0.0;
    if (render_end(run, &took) != 0) {
        /* The save in progress, if any, has been given up: the target is
           as it was. */
        headless_freesurface();
        std::fprintf(stderr, "lumo render: not enough memory to evaluate the function\n");
        return 1;
    }
    int reportlost = std::fflush(stdout) != 0 ? errno : 0;
    if (o.timed)
        std::fprintf(stderr, "Rendered %d x %d in %.3f s on %ld thread%s\n", xres, yres, took, o.threads,
                     o.threads == 1 ? "" : "s");
    headless_messagestream(stderr);
    if (!savewhilerendering(&o))
        code = saveimage(&all, nullptr);

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
