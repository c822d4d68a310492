/*
 * value.cpp - a parameter's value read as the language reads a constant:
 * the text is compiled, and what it folds to is the value, with its type.
 * So "0.25+0.1i" gives exactly the complex constant (0.25+0.1i) of a
 * text, and a real value exactly the real constant.
 */
#include <cmath>
#include <cstdio>

#include "expr/program.h"

static int refuse(EXPRERROR *error, const char *message)
{
    error->column = 1;
    std::snprintf(error->message, sizeof error->message, "%s", message);
    return 0;
}

int exprreadvalue(const char *text, EXPRVALUE *value, EXPRERROR *error)
{
    EXPRERROR scratch;
    if (error == nullptr)
        error = &scratch;
    EXPRPROGRAM program;
    if (!exprcompile(text, &program, error))
        return 0;
    if (!program.parameters.empty())
        return refuse(error, "a value cannot have parameters");
    /* A constant text folds to one constant register and no code. */
    if (!program.code.empty() || program.result == 0)
        return refuse(error, "a value cannot depend on z");
    complex c = program.constants[(size_t)program.result - 1];
    if (!std::isfinite(c.re) || !std::isfinite(c.im))
        return refuse(error, "a value must be finite");
    value->re = c.re;
    value->im = program.resultreal ? 0.0 : c.im;
    value->iscomplex = !program.resultreal;
    return 1;
}
