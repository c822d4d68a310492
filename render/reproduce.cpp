/*
 * reproduce.cpp - see reproduce.h.  Every setting that reaches a pixel is
 * written, even at its default, so the command does not depend on the
 * defaults of the lumo that runs it.
 */
#include "render/reproduce.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "render/settings.h"

std::string exactnumber(double x)
{
    char text[40];
    /* 17 significant digits always read back exactly; fewer often do, and
       read better. */
    for (int digits = 15; digits <= 17; digits++) {
        std::snprintf(text, sizeof text, "%.*g", digits, x);
        if (std::strtod(text, nullptr) == x)
            break;
    }
    return text;
}

std::string shellword(const char *word)
{
    static const char safe[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                               "_-+=.,:/@%";
    bool plain = word[0] != '\0';
    for (const char *c = word; *c != '\0' && plain; c++)
        plain = std::strchr(safe, *c) != nullptr;
    if (plain)
        return word;
    /* Inside single quotes nothing is special but the quote itself, which
       closes, is escaped and reopens. */
    std::string quoted = "'";
    for (const char *c = word; *c != '\0'; c++)
        quoted += *c == '\'' ? std::string("'\\''") : std::string(1, *c);
    return quoted + "'";
}

/* The file name without its folders, Windows' or POSIX'. */
static const char *filename(const char *path)
{
    const char *name = path;
    for (const char *c = path; *c != '\0'; c++) {
        if (*c == '/' || *c == '\\')
            name = c + 1;
    }
    return name;
}

/* Adds one option with its values. */
static void add(std::vector<OPTIONWORDS> *words, const char *name, std::vector<std::string> values)
{
    words->push_back(OPTIONWORDS{name, std::move(values)});
}

std::vector<OPTIONWORDS> reproducewords(const char *expr, int graph)
{
    static const char *const gridnames[4] = {"none", "square", "phase", "both"};
    const int f = formula;
    std::vector<OPTIONWORDS> w;
    add(&w, "--formula", {std::to_string(f)});
    if (expr != nullptr)
        add(&w, "--expr", {expr});
    add(&w, "--view", {exactnumber(xmin[f]), exactnumber(xmax[f]), exactnumber(ymin[f]), exactnumber(ymax[f])});
    add(&w, "--size", {std::to_string(xres), std::to_string(yres)});
    add(&w, "--map", {std::to_string(gradient[f])});
    add(&w, "--grid", {gridnames[(squaregridflag[f] & 1) + 2 * (phasegridflag[f] & 1)]});
    add(&w, "--brightness", {std::to_string(brightness[f])});
    add(&w, "--escape", {std::to_string(greyflag)});
    if (f <= 2) {
        add(&w, "--maxiter", {std::to_string(fr[f].maxiter)});
        add(&w, "--bailout", {exactnumber(fr[f].maxsize)});
        add(&w, "--exponent", {exactnumber(fr[f].exponent)});
        add(&w, "--julia", {exactnumber(fr[f].jcx), exactnumber(fr[f].jcy)});
    }
    add(&w, "--abs-limit", {exactnumber(abslimitimage[f])});
    add(&w, "--grid-width", {exactnumber(GW)});
    add(&w, "--grid-extent", {std::to_string(GP)});
    if (graph)
        add(&w, "--graph", {});
    return w;
}

std::string reproducecommand(const char *expr, int graph)
{
    std::string line = "lumo render";
    for (const OPTIONWORDS &option : reproducewords(expr, graph)) {
        line += " " + option.name;
        for (const std::string &value : option.values)
            line += " " + shellword(value.c_str());
    }
    return line;
}

std::string reproduceoutput(const char *path)
{
    return " -o " + shellword(filename(path));
}
