/*
 * settings.cpp - the default tables and the globals of the plot settings.
 */
#include "settings.h"

/*   xmin     xmax    ymin    ymax     V   gradient square phase first */
IMAGE im[NFORMULAS] = {
    {-2.25,   2.25,  -2.25,   2.25,  0.5, 0, 0, 0, 1},   /*  0 M_set */
    {-1.75,   1.75,  -1.75,   1.75,  0.5, 0, 0, 0, 1},   /*  1 J_set */
    {-5.5,    7.5,   -6.5,    6.5,   0.5, 4, 0, 0, 1},   /*  2 gamma_fractal */
    {-4.0,    4.0,   -4.0,    4.0,   0.5, 0, 0, 0, 1},   /*  3 color_wheel */
    {-2.5,    2.5,   -2.5,    2.5,   0.5, 1, 1, 0, 1},   /*  4 Eq1 */
    {-4.5,    4.5,   -4.5,    4.5,   0.5, 1, 0, 1, 1},   /*  5 Eq2 */
    {-4.0,    4.0,   -4.0,    4.0,   0.5, 1, 0, 1, 1},   /*  6 Eq3 */
    {-2.2,    2.3,   -2.25,   2.25,  0.5, 2, 1, 0, 1},   /*  7 Eq4 */
    {-12.0,  12.0,  -12.0,   12.0,   0.5, 1, 0, 1, 1},   /*  8 Eq5 */
    {-4.5,    8.0,   -5.25,   7.25,  0.5, 1, 0, 1, 1},   /*  9 Eq6 */
    {-3.9,    2.1,   -2.8,    3.2,   0.5, 4, 0, 0, 1},   /* 10 Eq7 */
    {-4.0,    6.0,   -5.0,    5.0,   0.5, 3, 0, 1, 1},   /* 11 Eq8 */
    {-1.5,    1.5,   -1.5,    1.5,   0.5, 0, 1, 0, 1},   /* 12 Eq9 */
    {-3.0,    3.0,   -3.0,    3.0,   0.5, 1, 0, 0, 1},   /* 13 Eq10 */
    {-3.0,    3.0,   -3.0,    3.0,   0.5, 4, 0, 0, 1},   /* 14 Eq11 */
    {-5.0,    4.0,   -4.5,    4.5,   0.5, 0, 1, 1, 1},   /* 15 Eq12 */
    {-4.75,   4.75,  -4.75,   4.75,  0.5, 3, 0, 1, 1},   /* 16 sine */
    {-1.25,   1.25,  -1.25,   1.25,  0.5, 0, 0, 1, 1},   /* 17 Eq13 */
    {-2.0,    2.0,   -2.0,    2.0,   0.5, 0, 0, 1, 1},   /* 18 Eq14 */
    {-1.25,   1.25,  -1.25,   1.25,  0.5, 4, 0, 0, 1},   /* 19 Lambert */
    {-4.5,    4.5,   -4.5,    4.5,   0.5, 1, 0, 1, 1},   /* 20 gamma */
    {-10.5,  10.0,  -10.25,  10.25,  0.5, 4, 0, 0, 1},   /* 21 log_gamma */
    {-2.25,   2.25,  -2.25,   2.25,  0.5, 1, 0, 1, 1},   /* 22 Eq15 */
    {-3.5,    3.0,   -3.25,   3.25,  0.5, 4, 0, 0, 1},   /* 23 Eq16 */
    {-0.5,    3.5,   -2.0,    2.0,   0.5, 4, 0, 0, 1},   /* 24 Eq17 */
    {-3.0,    3.0,   -3.0,    3.0,   0.5, 2, 1, 0, 1},   /* 25 Eq18 */
    {-2.0,    2.0,   -2.0,    2.0,   0.5, 4, 0, 0, 1},   /* 26 product */
    {-20.0,  10.0,  -15.0,   15.0,   0.5, 3, 0, 1, 1},   /* 27 zeta */
    {-20.0,   8.0,  -15.0,   15.0,   0.5, 1, 0, 1, 1},   /* 28 iterated_zeta */
    {-30.0,   6.0,  -18.0,   18.0,   0.5, 4, 0, 0, 1},   /* 29 log_zeta */
    {-4.0,    4.0,   -4.0,    4.0,   0.5, 0, 0, 0, 1},   /* 30 custom */
};

/*  maxiter maxsize exponent jcx   jcy */
FRACTAL fr[3] = {
    {64,  2.0, 2.0, 0.0,  0.0},     /* Mandelbrot set */
    {64,  2.0, 2.0, 0.32, 0.043},   /* Julia set */
    {4,  16.0, 1.0, 0.0,  0.0},     /* gamma function fractal */
};

const double defabslimitimage[NFORMULAS] = {
    3.0, 3.0, 250.0, 3.5, 5.0, 4.0, 50.0, 2.5, 75.0, 35.0,
    60.0, 7.0, 20.0, 10.0, 2.5, 2.5, 10.0, 12.5, 1.5, 3.0,
    4.0, 15.0, 5.0, 12.5, 150.0, 4.0, 500.0, 5.0, 50.0, 7.5,
    3.0,
};

const double abslimitgraph[NFORMULAS] = {
    21.0, 10.0, 35.0, 21.0, 50.0, 50.0, 5.0, 100.0, 8.0, 5.0,
    10.0, 25.0, 15.0, 50.0, 2.0, 2.5, 1.5, 2.5, 4.0, 85.0,
    100.0, 41.0, 25.0, 10.0, 75.0, 2.0, 1000.0, 2.0, 2.0, 10.0,
    3.0,
};

double xmin[NFORMULAS], xmax[NFORMULAS], ymin[NFORMULAS], ymax[NFORMULAS];
double V[NFORMULAS];
int brightness[NFORMULAS];
int gradient[NFORMULAS];
int squaregridflag[NFORMULAS];
int phasegridflag[NFORMULAS];
double savewindow[NFORMULAS][4];
double abslimitimage[NFORMULAS];

int formula = 3;
int xres = 600, yres = 600;     /* the window program sets them from the screen */
double xside, yside;
double GW = 0.05;
int GP = 20;
int greyflag;
int graphflag = 1;
int displaylimitflag;
int okrender;
int newdimensions;
int j;

void initsettings()
{
    for (int k = 0; k < NFORMULAS; k++) {
        abslimitimage[k] = defabslimitimage[k];
        savewindow[k][0] = im[k].xmin;
        savewindow[k][1] = im[k].xmax;
        savewindow[k][2] = im[k].ymin;
        savewindow[k][3] = im[k].ymax;
    }
}
