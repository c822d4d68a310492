/*
 * renderoptions.cpp - the picture settings as options (see
 * renderoptions.h): one table row per option, then the dialogs' checks
 * and the application to the settings globals.
 */
#include "render/renderoptions.h"

#include <cstring>

#include "common/LumoIO.h"
#include "formulas/formulas.h"
#include "render/paramoptions.h"
#include "render/params.h"
#include "render/settings.h"

const char *const mapnames[NMAPNAMES] = {
    "continuous", "modular", "angular", "both", "3d",
    "abs-grey", "abs-colour", "perceptual", "colour-blind-safe", "enhanced",
};

static const char *const gridnames[4] = {"none", "square", "phase", "both"};

/* A whole number lo..hi. */
static int wholein(const char *text, long lo, long hi, long *value)
{
    return parsewhole(text, value) && *value >= lo && *value <= hi;
}

/* Finds text among count names; 0 when it is none of them. */
static int byname(const char *text, const char *const *names, long count, long *index)
{
    for (long k = 0; k < count && text != nullptr; k++) {
        if (std::strcmp(text, names[k]) == 0) {
            *index = k;
            return 1;
        }
    }
    return 0;
}

/* Each reader takes an option's values (nullptr where the command line
   ran out) and returns -1, or the index of the first value it cannot
   take. */
typedef int (*TAKEVALUES)(RENDEROPTIONS *o, const char *const *v);

static int takeformula(RENDEROPTIONS *o, const char *const *v)
{
    if (!wholein(v[0], 0, NFORMULAS - 1, &o->formula))
        return 0;
    o->formulaset = 1;
    return -1;
}

static int takeexpr(RENDEROPTIONS *o, const char *const *v)
{
    if (v[0] == nullptr)
        return 0;
    o->expression = v[0];
    return -1;
}

static int takeview(RENDEROPTIONS *o, const char *const *v)
{
    for (int k = 0; k < 4; k++) {
        if (!parsefinite(v[k], &o->view[k]))
            return k;
    }
    o->viewset = 1;
    return -1;
}

static int takesize(RENDEROPTIONS *o, const char *const *v)
{
    if (!parsewhole(v[0], &o->width))
        return 0;
    return parsewhole(v[1], &o->height) ? -1 : 1;
}

static int takemap(RENDEROPTIONS *o, const char *const *v)
{
    return wholein(v[0], 0, NMAPNAMES - 1, &o->map) || byname(v[0], mapnames, NMAPNAMES, &o->map) ? -1 : 0;
}

static int takegrid(RENDEROPTIONS *o, const char *const *v)
{
    return byname(v[0], gridnames, 4, &o->grid) ? -1 : 0;
}

static int takebrightness(RENDEROPTIONS *o, const char *const *v)
{
    return wholein(v[0], 1, 3, &o->brightness) ? -1 : 0;
}

static int takeabslimit(RENDEROPTIONS *o, const char *const *v)
{
    if (!parsenumber(v[0], &o->abslimit))
        return 0;
    o->abslimitset = 1;
    return -1;
}

static int takegridwidth(RENDEROPTIONS *o, const char *const *v)
{
    if (!parsefinite(v[0], &o->gridwidth))
        return 0;
    o->gridwidthset = 1;
    return -1;
}

static int takegridextent(RENDEROPTIONS *o, const char *const *v)
{
    if (!parsewhole(v[0], &o->gridextent))
        return 0;
    o->gridextentset = 1;
    return -1;
}

static int takeparam(RENDEROPTIONS *o, const char *const *v)
{
    if (v[0] == nullptr || o->nparams == 2 * EXPRMAXPARAMS)
        return 0;
    o->params[o->nparams++] = v[0];
    return -1;
}

static int takegraph(RENDEROPTIONS *o, const char *const *)
{
    o->graph = 1;
    return -1;
}

/* One option: its name, how many values follow it, what they must be (for
   the complaint), and its reader. */
struct RENDEROPTIONROW {
    const char *name;
    int values;
    const char *needs;
    TAKEVALUES take;
};

static const RENDEROPTIONROW optiontable[] = {
    {"--formula", 1, "a formula number 0..30", takeformula},
    {"--expr", 1, "a function of z", takeexpr},
    {"--view", 4, "four finite numbers XMIN XMAX YMIN YMAX", takeview},
    {"--size", 2, "two whole numbers W H", takesize},
    {"--map", 1, "a colour map 0..9 or its name", takemap},
    {"--grid", 1, "none, square, phase or both", takegrid},
    {"--brightness", 1, "1, 2 or 3", takebrightness},
    {"--abs-limit", 1, "a number", takeabslimit},
    {"--grid-width", 1, "a number", takegridwidth},
    {"--grid-extent", 1, "a whole number", takegridextent},
    {"--graph", 0, "", takegraph},
    {"--param", 1, "NAME=VALUE, once for each parameter", takeparam},
    {"--projection", 1, "plane, sphere or landscape", takeprojection},
    {"--center", 2, "two numbers X Y (inf for the point at infinity)", takecenter},
    {"--camera", 2, "two numbers AZ EL (degrees)", takecamera},
    {"--shade", 1, "on or off", takeshade},
    {"--height", 1, "log or abs", takeheight},
    {"--height-limit", 1, "a number", takeheightlimit},
};

void renderoptions_init(RENDEROPTIONS *o)
{
    std::memset(o, 0, sizeof *o);
    o->formula = 3;
    o->width = o->height = 600;
    o->map = o->grid = o->brightness = -1;
    initfractaloptions(&o->fractal);
    projectionoptions_init(&o->projection);
}

/* "OPTION needs WHAT", with the value given when there was one. */
static int needs(const char *option, const char *value, const char *what, RENDEROPTIONERROR *error)
{
    char text[300];
    if (value == nullptr)
        LumoIO::sprintf_s(text, sizeof text, "%s needs %s", option, what);
    else
        LumoIO::sprintf_s(text, sizeof text, "%s needs %s, got '%s'", option, what, value);
    error->text = text;
    return -1;
}

/* The fractal options: a well-formed value out of its bound waits its turn
   among the checks, so that errors come in the Parameters dialog's order;
   a missing or malformed value is refused at once. */
static int takefractal(int count, char *const *words, int i, RENDEROPTIONS *o, RENDEROPTIONERROR *error)
{
    char text[256];
    int took = takefractaloption(count, (char **)words, i, &o->fractal, text, sizeof text);
    if (took >= 0)
        return took;
    int values = std::strcmp(words[i], "--julia") == 0 ? 2 : 1;
    double x;
    const char *a1 = i + 1 < count ? words[i + 1] : nullptr;
    const char *a2 = i + 2 < count ? words[i + 2] : nullptr;
    if (!parsenumber(a1, &x) || (values == 2 && !parsenumber(a2, &x))) {
        error->text = text;
        return -1;
    }
    if (o->fractalerror[0] == '\0')
        LumoIO::strcpy_s(o->fractalerror, sizeof o->fractalerror, text);
    return 1 + values;
}

int renderoptions_take(int count, char *const *words, int i, RENDEROPTIONS *o, RENDEROPTIONERROR *error)
{
    error->expression = 0;
    int took = takefractal(count, words, i, o, error);
    if (took != 0)
        return took;
    for (const RENDEROPTIONROW &row : optiontable) {
        if (std::strcmp(words[i], row.name) != 0)
            continue;
        const char *v[4] = {nullptr, nullptr, nullptr, nullptr};
        for (int k = 0; k < row.values; k++)
            v[k] = i + 1 + k < count ? words[i + 1 + k] : nullptr;
        int bad = row.take(o, v);
        if (bad >= 0)
            return needs(row.name, v[bad], row.needs, error);
        return 1 + row.values;
    }
    return 0;
}

/* A refused value with the dialog's text for its bound. */
static int refused(const char *option, int code, RENDEROPTIONERROR *error)
{
    char line[128];
    paramerrorline(code, line, sizeof line);
    error->text = std::string(option) + ": " + line;
    return 0;
}

/* The values of a view that pass formula f's bounds, each with the bound
   it passed ("ymin 100 > 20"); empty when none does. */
static std::string passedbounds(int f, const double given[4])
{
    static const char *const names[4] = {"xmin", "xmax", "ymin", "ymax"};
    VIEWBOUNDS b = viewbounds(f);
    const double low[4] = {b.xlow, b.xlow, b.ylow, b.ylow};
    const double high[4] = {b.xhigh, b.xhigh, b.yhigh, b.yhigh};
    std::string passed;
    for (int k = 0; k < 4; k++) {
        char text[120];
        if (given[k] < low[k])
            LumoIO::sprintf_s(text, sizeof text, "%s %.17g < %g", names[k], given[k], low[k]);
        else if (given[k] > high[k])
            LumoIO::sprintf_s(text, sizeof text, "%s %.17g > %g", names[k], given[k], high[k]);
        else
            continue;
        passed += (passed.empty() ? "" : ", ") + std::string(text);
    }
    return passed;
}

/* The bounds of formula f's view, for a message. */
static std::string boundstext(int f)
{
    VIEWBOUNDS b = viewbounds(f);
    char text[160];
    LumoIO::sprintf_s(text, sizeof text, "x %g .. %g, y %g .. %g for formula %d", b.xlow, b.xhigh,
                      b.ylow, b.yhigh, f);
    return text;
}

/* Says so when the view was cut to the range the program allows, as the
   Parameters dialog does without a word. */
static void notecutview(int f, const double given[4], const double view[4], std::string *note)
{
    std::string passed = passedbounds(f, given);
    if (passed.empty())
        return;
    char text[200];
    LumoIO::sprintf_s(text, sizeof text, "; rendering %.17g %.17g %.17g %.17g", view[0], view[1],
                      view[2], view[3]);
    *note = "note: --view lies outside the allowed range (" + boundstext(f) + "): " + passed + text;
}

/* The typed function, compiled: it must be formula 30's. */
static int checkexpression(RENDEROPTIONS *o, RENDEROPTIONERROR *error)
{
    if (o->formulaset && o->formula != 30) {
        char text[120];
        LumoIO::sprintf_s(text, sizeof text, "--expr is formula 30's function; leave out --formula %ld",
                          o->formula);
        error->text = text;
        return 0;
    }
    o->formula = 30;
    if (setcustomtext(o->expression, &error->exprerror))
        return 1;
    error->expression = 1;
    error->text = std::string("expression: ") + error->exprerror.message;
    return 0;
}

/* The view, ordered and clamped as the Parameters dialog does. */
static int checkview(RENDEROPTIONS *o, RENDEROPTIONERROR *error, std::string *note)
{
    int f = (int)o->formula;
    double given[4] = {o->view[0], o->view[1], o->view[2], o->view[3]};
    int code = checkxrange(f, &o->view[0], &o->view[1]);
    if (code < 0)
        code = checkyrange(f, &o->view[2], &o->view[3]);
    std::string passed = passedbounds(f, given);
    /* A range cut to nothing says which bound cut it, not only that the
       rest is too narrow. */
    if (code >= 0 && !passed.empty()) {
        error->text = "--view lies outside the allowed range (" + boundstext(f) + "): " + passed;
        return 0;
    }
    if (code >= 0)
        return refused("--view", code, error);
    notecutview(f, given, o->view, note);
    return 1;
}

/* The menu greys the grids under Cyclic - 3-D: asking for both is a
   contradiction, not something to guess about. */
static int checkgrids(const RENDEROPTIONS *o, RENDEROPTIONERROR *error)
{
    if (o->grid > 0 && o->map == GRADIENT_3D) {
        error->text = "the Cyclic - 3-D map (--map 4) shows no grids: leave out --grid or give --grid none";
        return 0;
    }
    if (o->grid > 0 && o->map < 0 && im[o->formula].gradient == GRADIENT_3D) {
        char text[200];
        LumoIO::sprintf_s(text, sizeof text,
                          "formula %ld uses the Cyclic - 3-D map, which shows no grids: "
                          "choose another --map to show grids", o->formula);
        error->text = text;
        return 0;
    }
    return 1;
}

/* The parameters' values, once the text is known. */
static int checkparams(const RENDEROPTIONS *o, RENDEROPTIONERROR *error, std::string *note)
{
    if (o->formula != 30) {
        if (o->nparams == 0)
            return 1;
        error->text = "--param sets a parameter of a typed function (--expr)";
        return 0;
    }
    std::string paramnote;
    if (!applyparamoptions(o->nparams, o->params, o->paramranges, &error->text, &paramnote))
        return 0;
    if (!paramnote.empty())
        *note += (note->empty() ? "" : "\n") + paramnote;
    return 1;
}

int renderoptions_check(RENDEROPTIONS *o, RENDEROPTIONERROR *error, std::string *note)
{
    error->expression = 0;
    note->clear();
    if (o->expression != nullptr && !checkexpression(o, error))
        return 0;
    if (o->viewset && !checkview(o, error, note))
        return 0;
    if (!checkparams(o, error, note))
        return 0;
    int code = checkresolution(o->width);
    if (code < 0)
        code = checkresolution(o->height);
    if (code >= 0)
        return refused("--size", code, error);
    if (o->fractalerror[0] != '\0') {
        error->text = o->fractalerror;
        return 0;
    }
    if (o->gridwidthset && checkgridwidth(o->gridwidth) >= 0)
        return refused("--grid-width", checkgridwidth(o->gridwidth), error);
    if (o->gridextentset && checkgridextent(o->gridextent) >= 0)
        return refused("--grid-extent", checkgridextent(o->gridextent), error);
    if (o->abslimitset)
        o->abslimit = clampabslimit(o->abslimit);
    if (o->graph && (o->width != 600 || o->height != 600)) {
        error->text = "--graph needs --size 600 600: the graph is drawn only beside a 600 x 600 image";
        return 0;
    }
    if (!projectionoptions_check(&o->projection, o->graph, &error->text))
        return 0;
    return checkgrids(o, error);
}

void renderoptions_apply(const RENDEROPTIONS *o)
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
    /* With --graph (only ever with a 600 x 600 image), as after the window
       program's size change: the graph strip.  Without it the surface has no
       strip: should the render start switch the graph on for a 600 x 600
       view of the axis, it is drawn beyond the surface's edge and is not
       saved. */
    graphflag = o->graph ? 1 : 0;
    projectionoptions_apply(&o->projection);
}
