/*
 * paramoptions.cpp - formula 30's parameters from options (see
 * paramoptions.h).
 */
#include "render/paramoptions.h"

#include <cstring>

/* One value, complex when asked; "" or the reason it does not read. */
static std::string readvalue(const std::string &text, EXPRVALUE *value)
{
    EXPRERROR error;
    if (exprreadvalue(text.c_str(), value, &error))
        return "";
    return error.message;
}

int readparamoption(const char *given, int ranges, PARAMRANGE *range, std::string *error)
{
    const char *equals = std::strchr(given, '=');
    std::string head = "--param " + std::string(given) + ": ";
    if (equals == nullptr || equals == given) {
        *error = head + "needs NAME=VALUE" + (ranges ? " or NAME=FROM:TO" : "");
        return 0;
    }
    std::string name(given, (size_t)(equals - given));
    range->param = findcustomparam(name.c_str());
    if (range->param < 0) {
        std::string names;
        for (int k = 0; k < customparamcount(); k++)
            names += std::string(k == 0 ? "" : ", ") + customparamname(k);
        *error = head + "the function has no parameter \"" + name + "\"" +
                 (names.empty() ? " (it has none)" : " (it has " + names + ")");
        return 0;
    }
    std::string value(equals + 1);
    size_t colon = ranges ? value.find(':') : std::string::npos;
    std::string why = readvalue(value.substr(0, colon), &range->from);
    range->to = range->from;
    if (why.empty() && colon != std::string::npos)
        why = readvalue(value.substr(colon + 1), &range->to);
    if (!why.empty()) {
        *error = head + "the value does not read: " + why;
        return 0;
    }
    /* Both ends complex when one is, so every frame has the same types. */
    if (range->from.iscomplex || range->to.iscomplex)
        range->from.iscomplex = range->to.iscomplex = 1;
    range->moving = std::memcmp(&range->from.re, &range->to.re, sizeof range->from.re) != 0 ||
                    std::memcmp(&range->from.im, &range->to.im, sizeof range->from.im) != 0;
    return 1;
}

int applyparamoptions(int count, const char *const *given, int ranges, std::string *error,
                      std::string *note)
{
    note->clear();
    int n = customparamcount();
    for (int k = 0; k < n; k++)
        setcustomparam(k, EXPRVALUE{1.0, 0.0, 0}, nullptr);
    int named[EXPRMAXPARAMS] = {0};
    for (int g = 0; g < count; g++) {
        PARAMRANGE range;
        if (!readparamoption(given[g], ranges, &range, error))
            return 0;
        if (named[range.param]) {
            *error = "--param " + std::string(given[g]) + ": \"" + customparamname(range.param) +
                     "\" was given a value already";
            return 0;
        }
        named[range.param] = 1;
        EXPRERROR why;
        if (!setcustomparam(range.param, range.from, &why)) {
            *error = "--param " + std::string(given[g]) + ": " + why.message;
            return 0;
        }
    }
    std::string names, values;
    int unset = 0;
    for (int k = 0; k < n; k++) {
        if (named[k])
            continue;
        names += std::string(unset ? ", " : "") + customparamname(k);
        values += std::string(unset ? ", " : "") + customparamname(k) + "=1";
        unset++;
    }
    if (unset == 1)
        *note = "note: parameter " + names + " has no --param; using " + values;
    if (unset > 1)
        *note = "note: parameters " + names + " have no --param; using " + values;
    return 1;
}

/* One part of the straight line. */
static double along(double from, double to, long k, long n)
{
    if (k >= n - 1)
        return to;
    return from + (to - from) * (double)k / (double)(n - 1);
}

EXPRVALUE paramatframe(const PARAMRANGE &range, long k, long n)
{
    if (!range.moving || n <= 1)
        return range.from;
    EXPRVALUE v = range.from;
    v.re = along(range.from.re, range.to.re, k, n);
    if (v.iscomplex)
        v.im = along(range.from.im, range.to.im, k, n);
    return v;
}
