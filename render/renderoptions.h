/*
 * renderoptions.h - a picture's settings read as `lumo render` options.
 *
 * Every front end that takes settings as words - lumo's subcommands, the
 * page's URL - reads them here, with the rules of the window program's
 * menus and dialogs: values the dialogs clamp are clamped, values they
 * refuse are refused with the dialog's own text.  Reading goes in three
 * steps: take the words one option at a time (renderoptions_take), check
 * the whole in the dialogs' order (renderoptions_check), and lay the
 * result over the formula's defaults in the settings globals
 * (renderoptions_apply).  Options of one front end only (the output file,
 * threads) are its own business: take returns 0 for a word it does not
 * know, so the front end can try its own.
 *
 * The options are a table (renderoptions.cpp); a new setting is one row
 * there, one field here, and one line in render/reproduce.cpp, which
 * writes the settings back as these options.
 */
#ifndef LUMO_RENDEROPTIONS_H
#define LUMO_RENDEROPTIONS_H

#include <string>

#include "expr/expr.h"
#include "render/optionvalues.h"
#include "render/projectionoptions.h"

/* Everything the options can set; -1 (or a clear flag) where an option
   was not given, so the formula's own setting stays. */
struct RENDEROPTIONS {
    long formula;
    int formulaset;
    const char *expression;     /* points into the words taken */
    int viewset;
    double view[4];
    long width, height;
    long map;
    long grid;                  /* square + 2 * phase */
    long brightness;
    int abslimitset;
    double abslimit;
    int gridwidthset;
    double gridwidth;
    int gridextentset;
    long gridextent;
    int graph;
    /* --param NAME=VALUE, as given (render/paramoptions.h); with
       paramranges set (lumo animate) NAME=FROM:TO too, the FROM set. */
    int nparams;
    const char *params[2 * EXPRMAXPARAMS];
    int paramranges;
    FRACTALOPTIONS fractal;
    char fractalerror[256];     /* the first refused fractal value */
    PROJECTIONOPTIONS projection;
};

/* What went wrong, for the front end to show.  `text` is one line without
   the front end's prefix; for a typed function that does not compile,
   `expression` is set and `exprerror` has its problem and column. */
struct RENDEROPTIONERROR {
    std::string text;
    int expression;
    EXPRERROR exprerror;
};

/* No option given: formula 3 at 600 x 600, everything else the formula's. */
void renderoptions_init(RENDEROPTIONS *o);

/* Takes the option words[i] with its values (count words in all).
   Returns the number of words used; 0 when words[i] is no picture
   setting; -1 when its value is missing or malformed (error filled). */
int renderoptions_take(int count, char *const *words, int i, RENDEROPTIONS *o,
                       RENDEROPTIONERROR *error);

/* The checks of the Parameters and Debug dialogs in the dialog's order,
   and the map and grid rule of the menu.  Clamped values are written back
   into o; a view cut to the allowed range, and parameters left at 1, are
   said in *note, a line each (empty when neither).  A typed function is
   compiled and made formula 30's, with its parameters' values.  Returns 1
   when the settings can be rendered, else 0 with error filled. */
int renderoptions_check(RENDEROPTIONS *o, RENDEROPTIONERROR *error, std::string *note);

/* Makes the formula current with its defaults and lays the options over
   them, as the menus and dialogs of the window program would. */
void renderoptions_apply(const RENDEROPTIONS *o);

/* The colour maps' option names, by gradient code (0..9). */
extern const char *const mapnames[];
enum { NMAPNAMES = 10 };

#endif
