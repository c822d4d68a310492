/*
 * options.cpp - the typed function from the command line (see options.h).
 */
#include "cli/options.h"

#include <cstdio>

#include "expr/expr.h"

void printexprerror(const char *text, int column, const char *problem)
{
    std::fprintf(stderr, "lumo: expression: %s at column %d\n%s", problem, column,
                 exprexcerpt(text, column).c_str());
}

int takeexpression(const char *text)
{
    EXPRERROR error;
    if (setcustomtext(text, &error))
        return 1;
    printexprerror(text, error.column, error.message);
    return 0;
}
