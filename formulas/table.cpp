/*
 * table.cpp - the function table: entry k is the function for formula
 * number k, beside it the label the formula dialog (and `lumo formulas`)
 * shows for that number.
 */
#include "formulas/formulas.h"

const FORMULA fpointer[NFORMULAS] = {
    M_set, J_set, gamma_fractal, color_wheel,
    Eq1, Eq2, Eq3, Eq4, Eq5, Eq6, Eq7, Eq8, Eq9, Eq10, Eq11, Eq12,
    sine, Eq13, Eq14, Lambert, gamma, log_gamma,
    Eq15, Eq16, Eq17, Eq18, product,
    zeta, iterated_zeta, log_zeta, typedfunction,
};

/* The spacing inside the labels is part of the dialog's look. */
const char *const formulalabel[NFORMULAS] = {
    "z = z^2 + c   ( Mandelbrot set )",
    "z = z^2 + c    ( Julia set )",
    "gamma function fractal",
    "w = z   ( color wheel )",
    "w = 1 / z",
    "w = z + 1 / z",
    "w = z^3 - 1",
    "w = 1 / ( z^4 - z )",
    "w = z^( 2/3 - i )",
    "w = ( z^2 - 1 ) (z - 2 - i )^2 / ( z^2 + 2 + 2i ) ( Wikipedia )",
    "w = ( z + 2 )^2 ( z - 1 - 2i ) ( z + i )",
    "w = ( z - 2 )^2 ( z + 1 - 2i )( z + 2 + 2i ) / z^3",
    "w = ( z^3 - 1 ) / ( z^3 + 1 ) ( Mobius transformation )",
    "w = ( 1 - z )^( -2 - 3i )",
    "w = ( 1 - zi ) / ( ( -zi )^2 -  zi + 1 )",
    "w = ( z - 1 ) / ( z^2 + z + 1 )",
    "w = sin( z )",
    "w = sin ( 1 / z^3 )",
    "w = cos ( z ) / sin( z^4 - 1.0 )",
    "Lambert series",
    "w = gamma ( z )",
    "w = log ( gamma ( z ) )",
    "w = exp ( z^2 )",
    "w = exp ( z^( -2z ) )",
    "w = exp [ 2z ] / ( z - 1 )^2",
    "w = exp ( 1 - z^2) - 1",
    "w = Product [ k = 1 -> 6 ] exp ( ( z + u^k ) / ( z - u^k ) )",
    "w = Riemann zeta ( z )",
    "iterated zeta function",
    "w = log ( zeta ( z )",
    "Custom",
};

const char productnote[] = "u = exp ( 2 Pi i / 6 )";
