/*
 * settings.h - the plot settings: every formula's defaults, its remembered
 * current settings, and the settings shared by all formulas.
 *
 * These are plain process-wide globals.  The front end (menus, dialogs, or
 * the command-line options) writes them while no render runs; the renderer
 * and the formula functions only read them, apart from the render state
 * that the renderer owns (j, okrender, xside, yside, graphflag).
 */
#ifndef LUMO_SETTINGS_H
#define LUMO_SETTINGS_H

enum { NFORMULAS = 31 };

/* One formula's built-in view and colour settings. */
struct IMAGE {
    double xmin;
    double xmax;
    double ymin;
    double ymax;
    double V;
    int gradient;
    int squaregridflag;
    int phasegridflag;
    int first;          /* 1 until the formula is first loaded */
};

/* Parameters of the escape-time fractals, formulas 0..2. */
struct FRACTAL {
    int maxiter;
    double maxsize;
    double exponent;
    double jcx;
    double jcy;
};

/* Colour-map codes held in gradient[]. */
enum {
    GRADIENT_CONTINUOUS = 0,
    GRADIENT_MODULAR = 1,
    GRADIENT_ANGULAR = 2,
    GRADIENT_BOTH = 3,
    GRADIENT_3D = 4,
    GRADIENT_ABSGREY = 5,
    GRADIENT_ABSCOLOR = 6,
    GRADIENT_PERCEPTUAL = 7,
    GRADIENT_CBSAFE = 8,
    GRADIENT_ENHANCED = 9
};

/* Default tables.  fr is both default and current value. */
extern IMAGE im[NFORMULAS];
extern FRACTAL fr[3];
extern const double defabslimitimage[NFORMULAS];
extern const double abslimitgraph[NFORMULAS];

/* Per-formula current settings. */
extern double xmin[NFORMULAS], xmax[NFORMULAS], ymin[NFORMULAS], ymax[NFORMULAS];
extern double V[NFORMULAS];
extern int brightness[NFORMULAS];
extern int gradient[NFORMULAS];
extern int squaregridflag[NFORMULAS];
extern int phasegridflag[NFORMULAS];
extern double savewindow[NFORMULAS][4];
extern double abslimitimage[NFORMULAS];

/* Settings shared by all formulas. */
extern int formula;
extern int xres, yres;
extern double xside, yside;
extern double GW;
extern int GP;
extern int greyflag;
extern int graphflag;
extern int displaylimitflag;
extern int okrender;
extern int newdimensions;
extern int j;

/* Start-up initialisation, done once before the first InitFormula:
   abslimitimage and savewindow of every formula from the defaults. */
void initsettings();

/* Makes formula f current: loads its defaults on first use and sends the
   colour-map and grid menu commands that match its settings.  Returns 0. */
int InitFormula(int f);

#endif
