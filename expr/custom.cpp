/*
 * custom.cpp - formula 30's typed function: its current text, the program
 * compiled from it, and the per-point entry of the function table.
 *
 * The text is compiled when it is set, and again only when a parameter's
 * value changes between real and complex; a render reads the values from
 * its own settings snapshot.  So a render (and every point the
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
    EXPRPARAMS values;      /* the program is compiled for their types */
};

EXPRPARAMS defaultvalues(int count)
{
    EXPRPARAMS values;
    values.count = count;
    for (int k = 0; k < EXPRMAXPARAMS; k++)
        values.value[k] = EXPRVALUE{1.0, 0.0, 0};
    return values;
}

CUSTOM &current()
{
    static CUSTOM custom = [] {
        CUSTOM c;
        c.text = customdefaulttext;
        exprcompile(customdefaulttext, &c.program, nullptr);
        c.values = defaultvalues(0);
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
    CUSTOM &c = current();
    EXPRPARAMS values = defaultvalues((int)program.parameters.size());
    for (int k = 0; k < values.count; k++) {
        int old = findcustomparam(program.parameters[(size_t)k].c_str());
        if (old >= 0)
            values.value[k] = c.values.value[old];
    }
    /* A kept complex value the new text compares is dropped. */
    if (!exprretype(&program, exprparamtypes(values), nullptr))
        values = defaultvalues(values.count);
    c.text = text;
    c.program = std::move(program);
    c.values = values;
    return 1;
}

int customparamcount()
{
    return current().values.count;
}

const char *customparamname(int k)
{
    return current().program.parameters[(size_t)k].c_str();
}

const EXPRPARAMS &customparams()
{
    return current().values;
}

int findcustomparam(const char *name)
{
    const std::vector<std::string> &names = current().program.parameters;
    for (size_t k = 0; k < names.size(); k++) {
        if (names[k] == name)
            return (int)k;
    }
    return -1;
}

int setcustomparam(int k, EXPRVALUE value, EXPRERROR *error)
{
    CUSTOM &c = current();
    EXPRPARAMS values = c.values;
    values.value[k] = value;
    if (!value.iscomplex)
        values.value[k].im = 0.0;
    if (!exprretype(&c.program, exprparamtypes(values), error))
        return 0;
    c.values = values;
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
    exprsetparams(customprogram(), customparams(), &scratch);
    exprrun(customprogram(), &scratch, 1, &zx, &zy, wx, wy);
    return 0;
}
