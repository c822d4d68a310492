/*
 * optionvalues.cpp - strict number parsing and the fractal options (see
 * optionvalues.h).
 */
#include "render/optionvalues.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/LumoIO.h"
#include "render/params.h"

/* A number as strtod reads it, taking the whole text. */
int parsenumber(const char *text, double *value)
{
    if (text == nullptr || text[0] == '\0' || std::isspace((unsigned char)text[0]))
        return 0;
    char *end = nullptr;
    double v = std::strtod(text, &end);
    if (end == text || *end != '\0')
        return 0;
    *value = v;
    return 1;
}

/* A number that is finite. */
int parsefinite(const char *text, double *value)
{
    double v;
    if (!parsenumber(text, &v) || !std::isfinite(v))
        return 0;
    *value = v;
    return 1;
}

/* A base-10 integer taking the whole text. */
int parsewhole(const char *text, long *value)
{
    if (text == nullptr || text[0] == '\0' || std::isspace((unsigned char)text[0]))
        return 0;
    char *end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0')
        return 0;
    *value = v;
    return 1;
}

/* No fractal option given yet. */
void initfractaloptions(FRACTALOPTIONS *options)
{
    std::memset(options, 0, sizeof *options);
    options->escape = -1;
}

/* A paramerror text for a one-line message. */
void paramerrorline(int error, char *buffer, size_t size)
{
    LumoIO::strcpy_s(buffer, size, paramerror[error]);
    for (char *c = buffer; *c != '\0'; c++) {
        if (*c == '\n')
            *c = ' ';
    }
}

/* Reports a refused value: the option, what was given, and the dialog's
   text for the bound. */
static int refuse(const char *option, const char *given, int error,
                  char *message, size_t size)
{
    char text[128];
    paramerrorline(error, text, sizeof text);
    LumoIO::sprintf_s(message, size, "%s %s: %s", option, given, text);
    return -1;
}

/* Reports an option whose value is missing or not a number of the kind
   it needs. */
static int notnumber(const char *option, const char *given, const char *kind,
                     char *message, size_t size)
{
    if (given == nullptr)
        LumoIO::sprintf_s(message, size, "%s needs %s", option, kind);
    else
        LumoIO::sprintf_s(message, size, "%s needs %s, got '%s'", option, kind, given);
    return -1;
}

/* Takes --maxiter, --bailout, --exponent, --julia or --escape with its
   values, checked against the dialog's bounds. */
int takefractaloption(int argc, char **argv, int i, FRACTALOPTIONS *options,
                      char *error, size_t size)
{
    const char *option = argv[i];
    const char *value = (i + 1 < argc) ? argv[i + 1] : nullptr;
    FRACTAL *v = &options->values;

    if (std::strcmp(option, "--maxiter") == 0) {
        long n;
        if (!parsewhole(value, &n))
            return notnumber(option, value, "a whole number", error, size);
        if (checkmaxiter(n) >= 0)
            return refuse(option, value, checkmaxiter(n), error, size);
        v->maxiter = (int)n;
        options->maxiterset = 1;
        return 2;
    }
    if (std::strcmp(option, "--bailout") == 0) {
        double x;
        if (!parsefinite(value, &x))
            return notnumber(option, value, "a number", error, size);
        if (checkmaxsize(x) >= 0)
            return refuse(option, value, checkmaxsize(x), error, size);
        v->maxsize = x;
        options->maxsizeset = 1;
        return 2;
    }
    if (std::strcmp(option, "--exponent") == 0) {
        double x;
        if (!parsefinite(value, &x))
            return notnumber(option, value, "a number", error, size);
        if (checkexponent(x) >= 0)
            return refuse(option, value, checkexponent(x), error, size);
        v->exponent = x;
        options->exponentset = 1;
        return 2;
    }
    if (std::strcmp(option, "--julia") == 0) {
        const char *second = (i + 2 < argc) ? argv[i + 2] : nullptr;
        double cx, cy;
        if (!parsefinite(value, &cx))
            return notnumber(option, value, "two numbers CX CY", error, size);
        if (!parsefinite(second, &cy))
            return notnumber(option, second, "two numbers CX CY", error, size);
        v->jcx = clampjulia(cx);
        v->jcy = clampjulia(cy);
        options->juliaset = 1;
        return 3;
    }
    if (std::strcmp(option, "--escape") == 0) {
        long n;
        if (!parsewhole(value, &n) || n < 0 || n > 2)
            return notnumber(option, value, "0, 1 or 2", error, size);
        options->escape = (int)n;
        return 2;
    }
    return 0;
}

/* Puts the given fractal options into effect for formula f. */
void applyfractaloptions(const FRACTALOPTIONS *options, int f)
{
    if (options->escape >= 0)
        greyflag = options->escape;
    if (f < 0 || f > 2)
        return;
    if (options->maxiterset)
        fr[f].maxiter = options->values.maxiter;
    if (options->maxsizeset)
        fr[f].maxsize = options->values.maxsize;
    if (options->exponentset)
        fr[f].exponent = options->values.exponent;
    if (options->juliaset) {
        fr[f].jcx = options->values.jcx;
        fr[f].jcy = options->values.jcy;
    }
}

/* The text goes out as typed, with tabs and line ends as blanks so that
   the caret stands under its column; of a long text only the stretch
   around the column, marked by dots. */
std::string exprexcerpt(const char *text, int column)
{
    std::string shown(text);
    for (char &c : shown) {
        if (std::iscntrl((unsigned char)c))
            c = ' ';
    }
    size_t caret = column > 0 ? (size_t)column - 1 : 0;
    const size_t WIDTH = 72;
    if (shown.size() > WIDTH) {
        size_t start = caret > WIDTH / 2 ? caret - WIDTH / 2 : 0;
        std::string part = shown.substr(start, WIDTH);
        if (start > 0) {
            part = "..." + part;
            caret = caret - start + 3;
        }
        if (start + WIDTH < shown.size())
            part += "...";
        shown = part;
    }
    return "  " + shown + "\n  " + std::string(caret, ' ') + "^\n";
}
