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

#include "render/projection.h"
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

std::string exactvalue(const EXPRVALUE &value)
{
    if (!value.iscomplex)
        return exactnumber(value.re);
    /* re+imi reads back exactly but for some signed zeros, which one of
       the other forms brings back; the shortest that does is taken. */
    std::string re = exactnumber(value.re), im = exactnumber(value.im);
    std::string negre = exactnumber(-value.re), negim = exactnumber(-value.im);
    auto joined = [](const std::string &a, const std::string &b) {
        return a + (b[0] == '-' ? b : "+" + b) + "i";
    };
    const std::string candidates[] = {
        joined(re, im), "-(" + joined(negre, negim) + ")", im + "i", "-" + negim + "i",
    };
    std::string best = candidates[0];
    int found = 0;
    for (const std::string &text : candidates) {
        EXPRVALUE back;
        if (exprreadvalue(text.c_str(), &back, nullptr) && back.iscomplex &&
            std::memcmp(&back.re, &value.re, sizeof back.re) == 0 &&
            std::memcmp(&back.im, &value.im, sizeof back.im) == 0 && (!found || text.size() < best.size())) {
            best = text;
            found = 1;
        }
    }
    return best;
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

/* The file name without its folders. */
static const char *filename(const char *path, int windowsnames)
{
    const char *name = path;
    for (const char *c = path; *c != '\0'; c++) {
        if (*c == '/' || (windowsnames && *c == '\\'))
            name = c + 1;
    }
    return name;
}

/* Whether text is UTF-8 (no overlong forms, surrogates or code points
   past U+10FFFF), of characters other than controls unless controls is
   set. */
static bool utf8(const std::string &text, bool controls)
{
    const unsigned char *p = (const unsigned char *)text.data();
    const unsigned char *end = p + text.size();
    while (p < end) {
        unsigned c = *p;
        if (c < 0x80) {
            if (!controls && (c < 0x20 || c == 0x7f))
                return false;
            p++;
            continue;
        }
        int extra = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : 1;
        if (c < 0xc2 || c > 0xf4 || end - p <= extra)
            return false;
        unsigned cp = c & (0x3f >> extra);
        for (int k = 1; k <= extra; k++) {
            if ((p[k] & 0xc0) != 0x80)
                return false;
            cp = (cp << 6) | (p[k] & 0x3f);
        }
        static const unsigned least[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < least[extra] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff) ||
            (!controls && cp < 0xa0))
            return false;
        p += extra + 1;
    }
    return true;
}

std::string shellname(const std::string &name)
{
    std::string word = name[0] == '-' ? "./" + name : name;
    /* A command substitution would drop the line ends a name ends with:
       such a name is quoted as it is, line ends and all, if it is UTF-8. */
    if (utf8(word, false) || (word.back() == '\n' && utf8(word, true)))
        return shellword(word.c_str());
    /* printf's format in single quotes: printable ASCII as it is (but for
       the quote, the per cent sign and the backslash, which the quotes or
       printf would take), every other byte as three octal digits. */
    std::string format;
    for (unsigned char c : word) {
        char octal[8];
        if (c == '%')
            format += "%%";
        else if (c == '\\')
            format += "\\\\";
        else if (c >= 0x20 && c < 0x7f && c != '\'')
            format += (char)c;
        else {
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            format += octal;
        }
    }
    return "\"$(printf '" + format + "')\"";
}

/* Whether lumo takes the name for a PNG: it ends in .png, in any case. */
static bool pngname(const char *name)
{
    size_t n = std::strlen(name);
    return n >= 4 && name[n - 4] == '.' && (name[n - 3] | 0x20) == 'p' && (name[n - 2] | 0x20) == 'n' &&
           (name[n - 1] | 0x20) == 'g';
}

/* Adds one option with its values. */
static void add(std::vector<OPTIONWORDS> *words, const char *name, std::vector<std::string> values)
{
    words->push_back(OPTIONWORDS{name, std::move(values)});
}

/* The projection's options, only where it is not the plane: a plane
   picture's command stays as it always was. */
static void addprojection(std::vector<OPTIONWORDS> *w)
{
    const PROJECTION &p = projection;
    if (p.kind == PROJECTION_PLANE)
        return;
    add(w, "--projection", {projectionnames[p.kind]});
    if (p.kind == PROJECTION_SPHERE) {
        if (p.centerinfinite)
            add(w, "--center", {"inf", "inf"});
        else
            add(w, "--center", {exactnumber(p.centerx), exactnumber(p.centery)});
    } else {
        add(w, "--camera", {exactnumber(p.azimuth), exactnumber(p.elevation)});
        add(w, "--height", {heightnames[p.heightmode]});
        add(w, "--height-limit", {exactnumber(p.heightlimit)});
    }
    add(w, "--shade", {p.shade ? "on" : "off"});
}

std::vector<OPTIONWORDS> reproducewords(const char *expr, int graph)
{
    static const char *const gridnames[4] = {"none", "square", "phase", "both"};
    const int f = formula;
    std::vector<OPTIONWORDS> w;
    add(&w, "--formula", {std::to_string(f)});
    if (expr != nullptr) {
        add(&w, "--expr", {expr});
        /* Every parameter, at 1 too, so that the command does not lean on
           the default. */
        const EXPRPARAMS &values = customparams();
        for (int k = 0; k < values.count; k++)
            add(&w, "--param", {std::string(customparamname(k)) + "=" + exactvalue(values.value[k])});
    }
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
    addprojection(&w);
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

std::string reproducefile(const char *path, int windowsnames)
{
    return " -o " + shellname(filename(path, windowsnames));
}

std::string reproduceoutput(const char *path, int windowsnames)
{
    const char *name = filename(path, windowsnames);
    return std::string(pngname(name) ? "" : " --format png") + reproducefile(path, windowsnames);
}
