/*
 * zetareference.h - zeta as it was before the Laurent loop learned to leave
 * out terms that cannot change the sum: every one of the 171 terms added.
 * zeta must agree with it bit for bit everywhere, so the check here and
 * bench/zeta measure against it.  Also the points to compare at: the
 * views of the zeta formulas and the places where a skipped term is most
 * likely to matter.
 */
#ifndef LUMO_TESTS_ZETAREFERENCE_H
#define LUMO_TESTS_ZETAREFERENCE_H

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "common/complex.h"
#include "formulas/formulas.h"
#include "formulas/helpers.h"

namespace zetareference {

/* The full sums as zeta.cpp had them, with the same tables built the same
   way once, so that the reference is also the old code's speed.
   fillfactorial must have run before the first call. */
struct TABLES {
    double laurent[171];
    double lnn[20];
    TABLES()
    {
        for (int m = 0; m <= 170; m++) {
            double sign = (m % 2 == 0) ? 1.0 : -1.0;
            laurent[m] = Stieltjes[m] * (sign / factorial[m]);
        }
        for (int n = 1; n < 20; n++)
            lnn[n] = std::log((double)n);
    }
};

inline const TABLES &tables()
{
    static const TABLES built;
    return built;
}

inline complex alternating(complex z)
{
    const TABLES &t = tables();
    complex sum1 = {0.0, 0.0};
    for (int n = 1; n < 20; n++) {
        double sign = (n % 2 == 1) ? 1.0 : -1.0;
        complex nz = exp(t.lnn[n] * z);
        sum1 = sum1 + sign / nz;
    }
    complex p = exp(t.lnn[2] * (1.0 - z));
    return sum1 / (1.0 - p);
}

/* The series part alone, without 1/(z-1). */
inline complex laurentseries(complex z)
{
    const TABLES &t = tables();
    complex z_minus_1 = z - 1.0;
    POLARBASE base = polarbase(z_minus_1);
    complex sum1 = {0.0, 0.0};
    for (int m = 0; m < 171; m++) {
        complex p = polarpow(base, (double)m);
        complex term = {p.re * t.laurent[m], p.im * t.laurent[m]};
        sum1 = sum1 + term;
    }
    return sum1;
}

inline complex laurentsum(complex z)
{
    return 1.0 / (z - 1.0) + laurentseries(z);
}

inline complex zeta(complex z)
{
    if (z.re > 2.0)
        return alternating(z);
    if (z.re == 1.0 && z.im == 0.0)
        z.re = 1.000001;
    return laurentsum(z);
}

/* Same bits in both parts, or NaN in the same parts: which operand's NaN a
   sum passes on depends on the order the compiler gives the operands of an
   addition, so the sign and payload of a NaN are not part of the value. */
inline bool samebits(complex a, complex b)
{
    auto same = [](double x, double y) {
        return std::memcmp(&x, &y, sizeof x) == 0 || (std::isnan(x) && std::isnan(y));
    };
    return same(a.re, b.re) && same(a.im, b.im);
}

/* n points, the same for the same seed, and if asked the kind of each (an
   index into kindname): a third spread evenly at random
   over the views of formulas 27, 28 and 29 (and the values zeta takes
   there, which formula 28 feeds back in), the rest where skipping is
   closest to the edge: where a part of the sum changes sign, |z - 1| a few
   ulps either side of 1 and of the
   powers 2^(j/4) where the loop's bounds change, far beyond them, at the
   pole, near the zeros of zeta (where the sum is nearly -1/(z-1)), on and
   just off the real axis (where the imaginary part of the sum is tiny or
   zero), astride Re z = 2, and infinite or NaN input. */
enum { KINDS = 10 };
static const char *const kindname[KINDS] = {
    "views of formulas 27-29", "zeta's values there", "|z-1| at a bound's edge",
    "next to the pole", "next to a zero off the axis", "next to a zero on the axis",
    "on and just off the real axis", "astride Re z = 2", "infinite, NaN or huge",
    "where a part of the sum is 0"};

inline std::vector<complex> points(size_t n, uint32_t seed, std::vector<int> *kinds = nullptr)
{
    static const double zeros[] = {14.134725141734693, 21.022039638771555,
                                   25.010857580145688, 30.424876125859513,
                                   32.935061587739189, 37.586178158825671};
    static const double views[][4] = {
        {-20.0, 10.0, -15.0, 15.0}, {-20.0, 8.0, -15.0, 15.0}, {-30.0, 6.0, -18.0, 18.0}};
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto uniform = [&](double a, double b) { return a + (b - a) * unit(random); };
    auto tiny = [&]() { return std::pow(10.0, uniform(-300.0, -1.0)); };
    auto ulps = [&](double x) {
        int k = (int)(random() % 9) - 4;
        for (; k > 0; k--) x = std::nextafter(x, INFINITY);
        for (; k < 0; k++) x = std::nextafter(x, -INFINITY);
        return x;
    };
    /* Points where one part of the series changes sign along a row of the
       view: found by halving, then used 32 times with ulps and tiny
       steps in y, as finding one costs a hundred sums. */
    std::vector<complex> crossings;
    auto crossing = [&]() {
        for (;;) {
            double y = uniform(-15.0, 15.0);
            int part = (int)(random() % 2);
            auto sign = [&](double x) {
                complex s = laurentseries(complex{x, y});
                return std::signbit(part ? s.im : s.re);
            };
            double a = uniform(-20.0, 2.0), b = a + 2.0;
            if (b > 2.0 || sign(a) == sign(b))
                continue;
            bool left = sign(a);
            for (int k = 0; k < 80 && std::nextafter(a, b) != b; k++) {
                double middle = a + (b - a) / 2.0;
                (sign(middle) == left ? a : b) = middle;
            }
            return complex{a, y};
        }
    };
    std::vector<complex> result;
    result.reserve(n);
    while (result.size() < n) {
        complex z;
        int kind;
        switch (random() % 13) {
        case 0: case 1: case 2: case 3: {
            const double *v = views[random() % 3];
            z = {uniform(v[0], v[1]), uniform(v[2], v[3])};
            kind = 0;
            if (random() % 4 == 0) {
                z = zeta(z);
                kind = 1;
            }
            break;
        }
        case 4: case 5: {
            int j = (int)(random() % 26);
            double r = ulps(j == 25 ? uniform(64.0, 1e4) : std::exp2(j / 4.0));
            double t = uniform(-3.2, 3.2);
            z = {1.0 + r * std::cos(t), r * std::sin(t)};
            kind = 2;
            break;
        }
        case 6:
            z = {1.0 + uniform(-1.0, 1.0) * tiny(), uniform(-1.0, 1.0) * tiny()};
            if (random() % 8 == 0)
                z = {1.0, 0.0};
            kind = 3;
            break;
        case 7: {
            double t = zeros[random() % 6] * (random() % 2 ? 1.0 : -1.0);
            z = {0.5 + uniform(-1.0, 1.0) * tiny(), t + uniform(-1.0, 1.0) * tiny()};
            kind = 4;
            break;
        }
        case 8:
            z = {-2.0 * (double)(1 + random() % 15) + uniform(-1.0, 1.0) * tiny(),
                 random() % 2 ? 0.0 : uniform(-1.0, 1.0) * tiny()};
            kind = 5;
            break;
        case 9: {
            static const double offaxis[] = {0.0, -0.0, 1e-300, -1e-300, 5e-324};
            z = {uniform(-30.0, 2.0), offaxis[random() % 5]};
            if (random() % 2)
                z.im = uniform(-1.0, 1.0) * tiny();
            kind = 6;
            break;
        }
        case 10:
            z = {ulps(2.0), uniform(-40.0, 40.0)};
            kind = 7;
            break;
        case 12:
            if (crossings.empty()) {
                complex c = crossing();
                for (int k = 0; k < 32; k++)
                    crossings.push_back({ulps(c.re), k < 16 ? c.im : c.im + uniform(-1.0, 1.0) * tiny()});
            }
            z = crossings.back();
            crossings.pop_back();
            kind = 9;
            break;
        default: {
            static const double odd[] = {INFINITY, -INFINITY, NAN, 1e300, -1e300, 0.0};
            z = {odd[random() % 6], odd[random() % 6]};
            if (random() % 2)
                z.re = uniform(-1e6, 2.0);
            kind = 8;
            break;
        }
        }
        result.push_back(z);
        if (kinds)
            kinds->push_back(kind);
    }
    return result;
}

}

#endif
