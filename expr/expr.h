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
   error may be null). */
int setcustomtext(const char *text, EXPRERROR *error);

#endif
