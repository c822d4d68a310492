/*
 * expr.h - the typed function of formula 30 ("Custom"): checking a text of
 * the expression language, and the text formula 30 currently renders.
 *
 * The language is described in the README ("Your own function").  A text
 * is checked by compiling it; an error names the problem and the 1-based
 * column of the character where it was found.  The current text is a
 * plain process-wide global like the other settings: the front end sets it
 * while no render runs.
 */
#ifndef LUMO_EXPR_H
#define LUMO_EXPR_H

/* Longest text accepted, in characters. */
enum { EXPRMAXLENGTH = 4096 };

/* Most parameters one text may have. */
enum { EXPRMAXPARAMS = 8 };

/* The value of a parameter: real (im 0, iscomplex 0) or complex.  A real
   value takes part in the arithmetic as a real constant of the text would,
   a complex one as a complex constant, bit for bit. */
struct EXPRVALUE {
    double re, im;
    int iscomplex;
};

/* The values of a text's parameters, by number (order of first appearance
   in the text); each 1 until set. */
struct EXPRPARAMS {
    int count;
    EXPRVALUE value[EXPRMAXPARAMS];
};

/* Why a text was refused: column (1-based; 0 when the text is accepted)
   and a message without the column, such as: unknown name "sinn". */
struct EXPRERROR {
    int column;
    char message[160];
};

/* Compiles text and throws the program away: 1 when it is a function of
   the language, else 0 with error filled in (error may be null). */
int exprcheck(const char *text, EXPRERROR *error);

/* The names a text may use, each with a short description, in the order
   `lumo functions` and the Custom Function dialog list them. */
struct EXPRNAME {
    const char *name;
    const char *description;
};
extern const EXPRNAME exprnames[];
extern const int nexprnames;

/* The text formula 30 starts with; it gives the fixed "Custom" function's
   values bit for bit. */
extern const char customdefaulttext[];

/* The text formula 30 renders now (customdefaulttext until set). */
const char *customtext();

/* Makes text the function of formula 30: 1 on success; 0, leaving the
   current text as it was, when it does not compile (error filled in,
   error may be null).  A parameter of the same name as one of the old text
   keeps its value; the others start at 1. */
int setcustomtext(const char *text, EXPRERROR *error);

/* Reads a parameter's value: a constant expression of the language, such
   as 0.25, -1e-3, 0.25+0.1i, 2i or pi/4, whose value and type are those it
   has in a text (so 0.25+0i is complex).  1, or 0 with error filled in
   (error may be null) when it does not read, uses z or a parameter, or is
   not finite. */
int exprreadvalue(const char *text, EXPRVALUE *value, EXPRERROR *error);

/* The parameters of formula 30's text: how many, their names, their
   current values (what the next render takes). */
int customparamcount();
const char *customparamname(int k);
const EXPRPARAMS &customparams();
/* The number of the parameter called name, or -1. */
int findcustomparam(const char *name);
/* Sets parameter k's value: 1; 0, leaving it as it was, when the text
   cannot take a complex value there (it is compared), error filled in. */
int setcustomparam(int k, EXPRVALUE value, EXPRERROR *error);

#endif
