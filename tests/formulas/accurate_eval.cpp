/*
 * accurate_eval.cpp - reads "NAME x y" lines (NAME gamma, loggamma or
 * zeta) and prints "Re w Im w" of the accurate function at x + iy, with
 * 17 significant digits, for check_accurate.py to compare with mpmath.
 */
#include <cstdio>
#include <cstring>

#include "formulas/accurate.h"

int main()
{
    char name[16];
    double x, y;
    while (std::scanf("%15s %lf %lf", name, &x, &y) == 3) {
        complex w;
        if (std::strcmp(name, "gamma") == 0)
            w = accurate_gamma({x, y});
        else if (std::strcmp(name, "loggamma") == 0)
            w = accurate_loggamma({x, y});
        else if (std::strcmp(name, "zeta") == 0)
            w = accurate_zeta({x, y});
        else
            return 2;
        std::printf("%.17g %.17g\n", w.re, w.im);
    }
    return 0;
}
