/*
 * custom.cpp - formula 30's typed function: its current text, the program
 * compiled from it, and the per-point entry of the function table.
 *
 * The text is compiled when it is set, so a render (and every point the
 * graph, lumo eval or a readout asks for) runs the program compiled from
 * the text that was current when the render started; the front end sets
 * it only while no render runs.
 */
#include <string>

#include "expr/program.h"
#include "formulas/formulas.h"

/* The fixed "Custom" function of old: z inside the circle of radius 3,
   0.125 + 0.125i on and outside it.  0.125 + 0.125i is the real constant
   added to the real part of 0 + 0.125i, which gives 0.125 exactly. */
const char customdefaulttext[] = "if(abs(z) >= 3, 0.125 + 0.125i, z)";

namespace {

struct CUSTOM {
    std::string text;
    EXPRPROGRAM program;
};

CUSTOM &current()
{
    static CUSTOM custom = [] {
        CUSTOM c;
        c.text = customdefaulttext;
        exprcompile(customdefaulttext, &c.program, nullptr);
        return c;
    }();
    return custom;
}

}

const char *customtext()
{
    return current().text.c_str();
}

int setcustomtext(const char *text, EXPRERROR *error)
{
    EXPRPROGRAM program;
    if (!exprcompile(text, &program, error))
        return 0;
    current().text = text;
    current().program = program;
    return 1;
}

const EXPRPROGRAM &customprogram()
{
    return current().program;
}

int typedfunction(double zx, double zy, double *wx, double *wy)
{
    EXPRSCRATCH scratch;
    exprscratch(customprogram(), &scratch);
    exprrun(customprogram(), &scratch, 1, &zx, &zy, wx, wy);
    return 0;
}
