/*
 * names.cpp - the names of the language: the table `lumo functions` and
 * the Custom Function dialog list, and the parser's lookup of functions.
 */
#include <cstring>

#include "expr/syntax.h"

/* The first four are the constants and z, then one row per FUNCTION in its
   order, then the words of conditions. */
const EXPRNAME exprnames[] = {
    {"z", "the point, x + iy"},
    {"i", "the imaginary unit; also 2i, 0.5i"},
    {"pi", "3.14159..."},
    {"e", "2.71828..."},
    {"re", "re(a): real part"},
    {"im", "im(a): imaginary part"},
    {"abs", "abs(a): modulus"},
    {"arg", "arg(a): argument, -pi..pi"},
    {"conj", "conj(a): complex conjugate"},
    {"exp", "exp(a)"},
    {"log", "log(a): principal logarithm"},
    {"sqrt", "sqrt(a): principal square root"},
    {"sin", "sin(a)"},
    {"cos", "cos(a)"},
    {"tan", "tan(a)"},
    {"sinh", "sinh(a)"},
    {"cosh", "cosh(a)"},
    {"tanh", "tanh(a)"},
    {"asin", "asin(a): principal inverse sine"},
    {"acos", "acos(a): principal inverse cosine"},
    {"atan", "atan(a): principal inverse tangent"},
    {"gamma", "gamma(a): the gamma function, accurate"},
    {"loggamma", "loggamma(a): continuous log of gamma, accurate"},
    {"zeta", "zeta(a): Riemann zeta, accurate"},
    {"pow", "pow(a, b): a^b"},
    {"if", "if(condition, a, b): a where the condition holds, else b"},
    {"and", "condition and condition"},
    {"or", "condition or condition"},
    {"not", "not condition"},
};
const int nexprnames = sizeof exprnames / sizeof exprnames[0];

static const int FIRSTFUNCTION = 4;

int findfunction(const char *name, int length)
{
    for (int f = 0; f < NFUNCTIONS; f++) {
        const char *candidate = exprnames[FIRSTFUNCTION + f].name;
        if ((int)std::strlen(candidate) == length && std::strncmp(candidate, name, length) == 0)
            return f;
    }
    return -1;
}

int functionarity(int f)
{
    return f == FUNC_IF ? 3 : f == FUNC_POW ? 2 : 1;
}

const char *functionname(int f)
{
    return exprnames[FIRSTFUNCTION + f].name;
}
