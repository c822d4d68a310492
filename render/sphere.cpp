/*
 * sphere.cpp - the Riemann sphere's pixels (see sphere.h).
 *
 * The rotation is computed from c with + - * / and square roots only:
 * cos(theta) = (1 - |c|^2) / (1 + |c|^2), sin(theta) = 2|c| / (1 + |c|^2)
 * for theta = 2 atan|c|, cos(phi) = Re c / |c|, sin(phi) = Im c / |c|.  So
 * every build gets the same picture, and c = infinity (theta = pi) turns
 * the sphere exactly upside down.
 */
#include "render/sphere.h"

#include <cmath>

#include "render/projection.h"

/* |c| without overflow for large c. */
static double modulus(double x, double y)
{
    double big = std::fabs(x) > std::fabs(y) ? std::fabs(x) : std::fabs(y);
    if (big == 0.0)
        return 0.0;
    double a = x / big, b = y / big;
    return big * std::sqrt(a * a + b * b);
}

static void multiply(const double a[3][3], const double b[3][3], double out[3][3])
{
    for (int r = 0; r < 3; r++)
        for (int k = 0; k < 3; k++)
            out[r][k] = a[r][0] * b[0][k] + a[r][1] * b[1][k] + a[r][2] * b[2][k];
}

void sphereview(const PROJECTION *p, int w, int h, SPHEREVIEW *v)
{
    v->w = w;
    v->h = h;
    v->radius = (w < h ? w : h) / 2.0;
    double ct = 1.0, st = 0.0, cp = 1.0, sp = 0.0;
    if (p->centerinfinite) {
        ct = -1.0;
    } else {
        double r = modulus(p->centerx, p->centery);
        if (r > 0.0) {
            cp = p->centerx / r;
            sp = p->centery / r;
            /* For |c| > 1 the same fractions in 1 / |c|, which do not
               overflow. */
            double q = r <= 1.0 ? r : 1.0 / r;
            double d = 1.0 + q * q;
            ct = (r <= 1.0 ? 1.0 - q * q : q * q - 1.0) / d;
            st = 2.0 * q / d;
        }
    }
    /* P = Rz(phi) Ry(-theta) Rz(-phi) P0. */
    const double rzphi[3][3] = {{cp, -sp, 0.0}, {sp, cp, 0.0}, {0.0, 0.0, 1.0}};
    const double rytheta[3][3] = {{ct, 0.0, -st}, {0.0, 1.0, 0.0}, {st, 0.0, ct}};
    const double rzback[3][3] = {{cp, sp, 0.0}, {-sp, cp, 0.0}, {0.0, 0.0, 1.0}};
    double half[3][3];
    multiply(rzphi, rytheta, half);
    multiply(half, rzback, v->m);
}

int spherepoint(const SPHEREVIEW *v, int px, int py, double point[3], double *depth)
{
    double u = (px + 0.5 - v->w / 2.0) / v->radius;
    double t = (v->h / 2.0 - py - 0.5) / v->radius;
    double q = u * u + t * t;
    if (q > 1.0)
        return SPHERE_OUTSIDE;
    double s = std::sqrt(1.0 - q);
    const double p0[3] = {u, t, -s};
    for (int r = 0; r < 3; r++)
        point[r] = v->m[r][0] * p0[0] + v->m[r][1] * p0[1] + v->m[r][2] * p0[2];
    *depth = s;
    return SPHERE_FINITE;
}

int spherepixel(const SPHEREVIEW *v, int px, int py, double *zx, double *zy, double *depth)
{
    double p[3];
    if (spherepoint(v, px, py, p, depth) == SPHERE_OUTSIDE)
        return SPHERE_OUTSIDE;
    if (p[2] <= 0.0) {
        double d = 1.0 - p[2];
        *zx = p[0] / d;
        *zy = p[1] / d;
        return SPHERE_FINITE;
    }
    /* z = (1 + Z) / (X - iY) = (1 + Z)(X + iY) / (X^2 + Y^2): no 1 - Z
       that cancels near the north pole. */
    double d = p[0] * p[0] + p[1] * p[1];
    if (d == 0.0) {
        *zx = HUGE_VAL;
        *zy = 0.0;
        return SPHERE_INFINITY;
    }
    double k = (1.0 + p[2]) / d;
    *zx = k * p[0];
    *zy = k * p[1];
    return SPHERE_FINITE;
}

unsigned int sphereshade(unsigned int color, double depth)
{
    return dimcolour(color, 0.3 + 0.7 * depth);
}

unsigned int dimcolour(unsigned int color, double f)
{
    unsigned int out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        double c = (double)((color >> shift) & 0xff);
        out |= (unsigned int)(c * f + 0.5) << shift;
    }
    return out;
}
