/*
 * interimoptions.cpp - `lumo render`'s options for the page until the core
 * has its option table: the subset the page's tests use.
 */
#include "web/webapi.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/options.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "render/params.h"
#include "render/reproduce.h"
#include "render/settings.h"

static const char *const mapnames[10] = {
    "continuous", "modular", "angular", "both", "3d",
    "abs-grey", "abs-colour", "perceptual", "colour-blind-safe", "enhanced",
};
static const char *const gridnames[4] = {"none", "square", "phase", "both"};

static int named(const char *text, const char *const *names, int n)
{
    for (int k = 0; k < n && text; k++)
        if (std::strcmp(text, names[k]) == 0)
            return k;
    long v;
    if (text && parsewhole(text, &v) && v >= 0 && v < n)
        return (int)v;
    return -1;
}

std::string web_applyoptions(int argc, char **argv)
{
    long f = 3, w = 600, h = 600, map = -1, grid = -1, bright = -1;
    double view[4];
    int viewset = 0, graph = 0;
    double abslim = NAN, gw = NAN;
    long gp = -1;
    const char *expression = nullptr;
    FRACTALOPTIONS fo;
    initfractaloptions(&fo);
    for (int i = 0; i < argc;) {
        const char *o = argv[i], *a = i + 1 < argc ? argv[i + 1] : nullptr;
        const char *b = i + 2 < argc ? argv[i + 2] : nullptr;
        char error[256];
        int took = takefractaloption(argc, argv, i, &fo, error, sizeof error);
        if (took < 0)
            return error;
        if (took > 0) {
            i += took;
            continue;
        }
        if (!std::strcmp(o, "--formula")) {
            if (!parsewhole(a, &f) || f < 0 || f > 30)
                return "--formula needs a formula number 0..30";
            i += 2;
        } else if (!std::strcmp(o, "--expr") && a) {
            expression = a;
            i += 2;
        } else if (!std::strcmp(o, "--view")) {
            for (int k = 0; k < 4; k++)
                if (i + 1 + k >= argc || !parsefinite(argv[i + 1 + k], &view[k]))
                    return "--view needs four finite numbers XMIN XMAX YMIN YMAX";
            viewset = 1;
            i += 5;
        } else if (!std::strcmp(o, "--size")) {
            if (!parsewhole(a, &w) || !parsewhole(b, &h))
                return "--size needs two whole numbers W H";
            if (checkresolution(w) >= 0 || checkresolution(h) >= 0)
                return "--size: x / y resolution range: 32 - 9600";
            i += 3;
        } else if (!std::strcmp(o, "--map") && (map = named(a, mapnames, 10)) >= 0) {
            i += 2;
        } else if (!std::strcmp(o, "--grid") && (grid = named(a, gridnames, 4)) >= 0) {
            i += 2;
        } else if (!std::strcmp(o, "--brightness") && parsewhole(a, &bright) && bright >= 1 && bright <= 3) {
            i += 2;
        } else if (!std::strcmp(o, "--abs-limit") && parsenumber(a, &abslim)) {
            i += 2;
        } else if (!std::strcmp(o, "--grid-width") && parsefinite(a, &gw) && checkgridwidth(gw) < 0) {
            i += 2;
        } else if (!std::strcmp(o, "--grid-extent") && parsewhole(a, &gp) && checkgridextent(gp) < 0) {
            i += 2;
        } else if (!std::strcmp(o, "--graph")) {
            graph = 1;
            i += 1;
        } else {
            return std::string("unknown option or value '") + o + "'";
        }
    }
    if (expression) {
        EXPRERROR e;
        if (!exprcheck(expression, &e))
            return "--expr: " + std::string(e.message) + " at column " + std::to_string(e.column);
        f = 30;
    }
    if (viewset && (checkxrange((int)f, &view[0], &view[1]) >= 0 || checkyrange(&view[2], &view[3]) >= 0))
        return "--view: the range is too narrow";
    if (graph && (w != 600 || h != 600))
        return "--graph needs --size 600 600";

    formula = (int)f;
    setcustomtext(expression ? expression : customdefaulttext, nullptr);
    InitFormula(formula);
    if (viewset) {
        xmin[f] = view[0];
        xmax[f] = view[1];
        ymin[f] = view[2];
        ymax[f] = view[3];
    }
    xres = (int)w;
    yres = (int)h;
    if (map >= 0)
        gradient[f] = (int)map;
    if (gradient[f] == GRADIENT_3D)
        squaregridflag[f] = phasegridflag[f] = 0;
    if (grid >= 0) {
        squaregridflag[f] = (int)(grid & 1);
        phasegridflag[f] = (int)(grid >> 1);
    }
    if (bright >= 0) {
        brightness[f] = (int)bright;
        V[f] = (3 - bright) * 0.5;
    }
    applyfractaloptions(&fo, (int)f);
    if (!std::isnan(abslim))
        abslimitimage[f] = clampabslimit(abslim);
    if (!std::isnan(gw))
        GW = gw;
    if (gp >= 0)
        GP = (int)gp;
    graphflag = graph;
    return "";
}

std::vector<std::vector<std::string>> web_optionwords(int graph)
{
    /* The command split back into words: nothing but --expr's text is
       quoted, and that is added here unquoted. */
    std::vector<std::vector<std::string>> options;
    std::string line = reproducecommand(nullptr, graph);
    size_t p = std::strlen("lumo render ");
    while (p < line.size()) {
        size_t q = line.find(' ', p);
        if (q == std::string::npos)
            q = line.size();
        std::string word = line.substr(p, q - p);
        p = q + 1;
        if (word.compare(0, 2, "--") == 0)
            options.push_back({word});
        else
            options.back().push_back(word);
        if (options.size() == 1 && options[0].size() == 2 && formula == 30)
            options.push_back({"--expr", customtext()});
    }
    return options;
}
