/*
 * projection_test.cpp - the Riemann sphere and the analytic landscape.
 *
 * The sphere's pixels are held to the formulas of the README, written
 * again here in long double with the C library's trigonometry (the code
 * uses neither); the landscape's first hits to a brute-force march of each
 * ray in small steps through the same height field.
 */
#include <cmath>
#include <thread>
#include <vector>

#include "expr/expr.h"
#include "render/landscape.h"
#include "render/renderjob.h"
#include "render/sphere.h"
#include "render_fixture.h"

namespace {

typedef long double LD;

/* The README's formulas: the sphere point of pixel (px, py) for centre
   (cx, cy) (infinite: infinity), and its z; false outside the disk. */
bool referencez(int w, int h, LD cx, LD cy, int px, int py, LD *zx, LD *zy, bool *infinite)
{
    LD r = (w < h ? w : h) / 2.0L;
    LD u = (px + 0.5L - w / 2.0L) / r, v = (h / 2.0L - py - 0.5L) / r;
    if (u * u + v * v > 1.0L)
        return false;
    LD p0[3] = {u, v, -std::sqrt(1.0L - u * u - v * v)};
    bool atinfinity = std::isinf(cx);
    LD theta = atinfinity ? 3.14159265358979323846L : 2.0L * std::atan(std::hypot(cx, cy));
    LD phi = atinfinity ? 0.0L : std::atan2(cy, cx);
    /* Rz(-phi), then Ry(-theta), then Rz(phi). */
    LD a[3] = {std::cos(phi) * p0[0] + std::sin(phi) * p0[1], -std::sin(phi) * p0[0] + std::cos(phi) * p0[1],
               p0[2]};
    LD b[3] = {std::cos(theta) * a[0] - std::sin(theta) * a[2], a[1],
               std::sin(theta) * a[0] + std::cos(theta) * a[2]};
    LD p[3] = {std::cos(phi) * b[0] - std::sin(phi) * b[1], std::sin(phi) * b[0] + std::cos(phi) * b[1], b[2]};
    *infinite = p[2] == 1.0L;
    *zx = p[0] / (1.0L - p[2]);
    *zy = p[1] / (1.0L - p[2]);
    return true;
}

struct SPHERECASE {
    int w, h;
    double cx, cy;
    int px, py;
    const char *what;
};

const double INF = HUGE_VAL;

/* Rim, poles and infinity, on square and wide pictures, even and odd. */
const SPHERECASE spherecases[] = {
    {101, 101, 0, 0, 50, 50, "centre of an odd picture: the south pole, z = 0"},
    {101, 101, INF, INF, 50, 50, "centre seen from infinity: the north pole"},
    {101, 101, 1, 0, 50, 50, "centre c = 1 on the equator"},
    {100, 100, 0, 0, 0, 49, "left rim, just inside: |z| near 1"},
    {100, 100, 0, 0, 99, 50, "right rim"},
    {100, 100, 0, 0, 50, 0, "top rim"},
    {100, 100, 0, 0, 0, 0, "corner: outside"},
    {160, 100, 0, 0, 20, 50, "wide picture, left of the disk: outside"},
    {160, 100, 0, 0, 30, 50, "wide picture, left rim"},
    {100, 100, INF, 0, 49, 50, "next to the north pole: large z"},
    {100, 100, INF, 0, 0, 49, "rim seen from infinity"},
    {100, 100, -2.5, 3, 70, 20, "a turned sphere"},
    {100, 100, 1e200, -1e200, 50, 51, "a centre near infinity"},
    {100, 100, 1e-9, 0, 50, 50, "a centre near 0"},
};

TEST(SphereTest, PixelsShowTheZOfTheFormulas)
{
    for (const SPHERECASE &c : spherecases) {
        SCOPED_TRACE(c.what);
        PROJECTION p = defaultprojection();
        p.kind = PROJECTION_SPHERE;
        p.centerinfinite = std::isinf(c.cx);
        p.centerx = p.centerinfinite ? 0.0 : c.cx;
        p.centery = p.centerinfinite ? 0.0 : c.cy;
        SPHEREVIEW view;
        sphereview(&p, c.w, c.h, &view);
        double zx, zy, depth;
        int got = spherepixel(&view, c.px, c.py, &zx, &zy, &depth);
        LD rx, ry;
        bool infinite;
        if (!referencez(c.w, c.h, c.cx, c.cy, c.px, c.py, &rx, &ry, &infinite)) {
            EXPECT_EQ(got, SPHERE_OUTSIDE);
            continue;
        }
        if (infinite) {
            EXPECT_EQ(got, SPHERE_INFINITY);
            continue;
        }
        ASSERT_EQ(got, SPHERE_FINITE);
        LD size = std::hypot(rx, ry);
        LD error = std::hypot(zx - rx, zy - ry);
        EXPECT_LE(error, 1e-13L * (size > 1e-300L ? size : 1.0L) + 1e-300L)
            << "z " << zx << " " << zy << ", formulas " << (double)rx << " " << (double)ry;
    }
}

/* Every pixel of a picture, against the formulas, for centres around
   the sphere. */
TEST(SphereTest, EveryPixelFollowsTheFormulas)
{
    const double centres[][2] = {{0, 0}, {0.3, -0.2}, {1, 1}, {-7, 2}, {INF, 0}, {0, 40}};
    for (const auto &c : centres) {
        PROJECTION p = defaultprojection();
        p.centerinfinite = std::isinf(c[0]);
        p.centerx = p.centerinfinite ? 0.0 : c[0];
        p.centery = c[1];
        SPHEREVIEW view;
        sphereview(&p, 64, 48, &view);
        int inside = 0;
        for (int py = 0; py < 48; py++) {
            for (int px = 0; px < 64; px++) {
                double zx, zy, depth;
                int got = spherepixel(&view, px, py, &zx, &zy, &depth);
                LD rx, ry;
                bool infinite;
                bool in = referencez(64, 48, c[0], c[1], px, py, &rx, &ry, &infinite);
                ASSERT_EQ(got != SPHERE_OUTSIDE, in) << px << " " << py;
                if (!in)
                    continue;
                inside++;
                LD scale = std::hypot(rx, ry) + 1e-300L;
                ASSERT_LE(std::hypot(zx - rx, zy - ry) / scale, 1e-12L) << px << " " << py;
            }
        }
        /* The disk of radius 24 holds about pi 24^2 pixel centres. */
        EXPECT_NEAR(inside, 3.14159 * 24 * 24, 40);
    }
}

class ProjectionTest : public RenderTest {
protected:
    std::vector<unsigned char> pixels()
    {
        const unsigned char *p = headless_pixels();
        return std::vector<unsigned char>(p, p + (size_t)surface_width() * surface_height() * 3);
    }
    /* The current settings rendered as a job on nthreads threads. */
    std::vector<unsigned char> renderjob(int nthreads)
    {
        okrender = 1;
        j = 0;
        RENDERJOB job;
        EXPECT_EQ(job_begin(&job), 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < nthreads; t++)
            threads.emplace_back(job_work, &job);
        for (std::thread &t : threads)
            t.join();
        EXPECT_EQ(job_advance(&job), yres);
        job_end(&job);
        return pixels();
    }
    void typed(const char *text, int w, int h)
    {
        ASSERT_TRUE(setcustomtext(text, nullptr));
        setup(30, w, h, 0);
    }
    void TearDown() override
    {
        setcustomtext(customdefaulttext, nullptr);
        RenderTest::TearDown();
    }
};

/* Pixels of two pictures that differ. */
int differing(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b)
{
    int n = 0;
    for (size_t k = 0; k + 2 < a.size(); k += 3)
        n += a[k] != b[k] || a[k + 1] != b[k + 1] || a[k + 2] != b[k + 2];
    return n;
}

TEST_F(ProjectionTest, IdentitySeenFromInfinityIsMinusOneOverZSeenFromZero)
{
    for (int map : {0, 7}) {
        typed("z", 240, 200);
        gradient[30] = map;
        projection.kind = PROJECTION_SPHERE;
        projection.centerinfinite = 1;
        std::vector<unsigned char> frominfinity = renderjob(2);
        typed("-1/z", 240, 200);
        gradient[30] = map;
        projection.centerinfinite = 0;
        std::vector<unsigned char> fromzero = renderjob(2);
        int n = differing(frominfinity, fromzero);
        /* Rounding moves a colour by one step now and then; a wrong turn
           or projection would change most of the disk. */
        EXPECT_LE(n, 240 * 200 / 200) << "map " << map;
        std::printf("map %d: %d of %d pixels differ\n", map, n, 240 * 200);
    }
}

TEST_F(ProjectionTest, SphereShadingDarkensTowardsTheRimOnly)
{
    setup(9, 200, 200, 0);
    projection.kind = PROJECTION_SPHERE;
    std::vector<unsigned char> flat = renderjob(2);
    projection.shade = 1;
    std::vector<unsigned char> shaded = renderjob(2);
    SPHEREVIEW view;
    sphereview(&projection, 200, 200, &view);
    for (int py = 0; py < 200; py++) {
        for (int px = 0; px < 200; px++) {
            double zx, zy, depth;
            int in = spherepixel(&view, px, py, &zx, &zy, &depth) != SPHERE_OUTSIDE;
            for (int k = 0; k < 3; k++) {
                size_t at = ((size_t)py * 200 + px) * 3 + k;
                if (!in) {
                    ASSERT_EQ(shaded[at], flat[at]) << "background " << px << " " << py;
                    continue;
                }
                /* 0.3 of the colour at the rim, all of it in the middle. */
                double f = 0.3 + 0.7 * depth;
                ASSERT_NEAR(shaded[at], flat[at] * f, 0.5001) << px << " " << py;
                ASSERT_LE(shaded[at], flat[at]);
            }
        }
    }
}

struct TOPDOWNCASE {
    int formula, w, h, map, square, phase;
};

/* Escape colouring, grids, odd and wide sizes. */
const TOPDOWNCASE topdowncases[] = {
    {9, 120, 120, 1, 0, 1}, {0, 97, 61, 0, 0, 0}, {27, 80, 130, 3, 1, 1}, {16, 151, 40, 7, 1, 0},
    {20, 64, 64, 4, 0, 0},
};

TEST_F(ProjectionTest, LandscapeFromStraightAboveIsThePlane)
{
    for (const TOPDOWNCASE &c : topdowncases) {
        SCOPED_TRACE(testing::Message() << "formula " << c.formula << " " << c.w << "x" << c.h);
        setup(c.formula, c.w, c.h, 0);
        gradient[formula] = c.map;
        squaregridflag[formula] = c.square;
        phasegridflag[formula] = c.phase;
        std::vector<unsigned char> plane = renderjob(2);
        for (int mode : {HEIGHT_LOG, HEIGHT_ABS}) {
            projection.kind = PROJECTION_LANDSCAPE;
            projection.azimuth = 0.0;
            projection.elevation = 90.0;
            projection.heightmode = mode;
            EXPECT_EQ(differing(renderjob(3), plane), 0) << "height mode " << mode;
            projection = defaultprojection();
        }
    }
}

TEST_F(ProjectionTest, LandscapeLightFallsOnSlopesFacingIt)
{
    /* log|z| is a funnel around 0: seen from above, its slope on the
       lower right faces the light (upper left, 45 degrees up), its upper
       left turns away. */
    typed("z", 101, 101);
    gradient[30] = 0;
    projection.kind = PROJECTION_LANDSCAPE;
    projection.azimuth = 0.0;
    projection.elevation = 90.0;
    std::vector<unsigned char> flat = renderjob(2);
    projection.shade = 1;
    std::vector<unsigned char> lit = renderjob(2);
    auto light = [&](int px, int py) {
        size_t at = ((size_t)py * 101 + px) * 3;
        double a = 0.0, b = 0.0;
        for (int k = 0; k < 3; k++) {
            a += lit[at + k];
            b += flat[at + k];
            EXPECT_LE(lit[at + k], flat[at + k]);
        }
        return a / b;
    };
    EXPECT_GT(light(60, 60), light(40, 40) + 0.2);
    EXPECT_GT(light(60, 40), light(40, 60) - 0.05);
}

TEST(LandscapeTest, HeightsAreTheClippedLogOrModulus)
{
    PROJECTION p = defaultprojection();
    p.heightlimit = 2.5;
    const struct {
        int mode;
        double wx, wy, height;
    } cases[] = {
        {HEIGHT_LOG, 0, 0, -2.5},          {HEIGHT_LOG, HUGE_VAL, 0, 2.5}, {HEIGHT_LOG, NAN, 1, 2.5},
        {HEIGHT_LOG, 3, 4, std::log(5.0)}, {HEIGHT_LOG, 0, -1e-30, -2.5},  {HEIGHT_LOG, 1e200, 1e200, 2.5},
        {HEIGHT_ABS, 3, 4, 2.5},           {HEIGHT_ABS, 0.6, -0.8, 1.0},   {HEIGHT_ABS, 0, 0, 0.0},
        {HEIGHT_ABS, NAN, 0, 2.5},
    };
    for (const auto &c : cases) {
        p.heightmode = c.mode;
        EXPECT_NEAR(landscapeheight(&p, c.wx, c.wy), c.height, 1e-13) << c.wx << " " << c.wy;
    }
    /* log|w| without clipping, against the C library, over the doubles. */
    p.heightmode = HEIGHT_LOG;
    p.heightlimit = 1000.0;
    for (double m = 1e-300; m < 1e300; m *= 1.37) {
        double w = m * 1.0000001;
        ASSERT_NEAR(landscapeheight(&p, w, 0.0), std::log(w), 1e-12 * std::fabs(std::log(w)) + 1e-15) << w;
    }
}

/* The height field of a landscape view, as landscapecolumn takes it. */
struct FIELD {
    int w, h;
    std::vector<float> height;
    std::vector<unsigned int> colour;
};

/* The first grid point a ray meets, found by walking the ray in steps of
   a fortieth of a square from above the highest point of the field. */
int bruteforcehit(const LANDSCAPEVIEW &v, const FIELD &f, int px, int py, LD top)
{
    LD sa = v.sa, ca = v.ca, se = v.se, ce = v.ce;
    LD cx = (f.w - 1) / 2.0L, cy = (f.h - 1) / 2.0L;
    LD a = px - cx, up = cy - py;
    LD right[3] = {ca, sa, 0}, upv[3] = {-se * sa, se * ca, ce}, dir[3] = {-ce * sa, ce * ca, -se};
    /* The ray's point at the aim's height, then back to above the top. */
    LD p[3];
    for (int k = 0; k < 3; k++)
        p[k] = (k == 0 ? cx : k == 1 ? cy : v.middle) + a * right[k] + up * upv[k];
    LD back = (top + 1.0L - p[2]) / se;
    for (int k = 0; k < 3; k++)
        p[k] -= back * dir[k];
    while (p[2] >= v.floor) {
        int i = (int)std::floor(p[0] + 0.5L), y = (int)std::floor(p[1] + 0.5L);
        if (i >= 0 && i < f.w && y >= 0 && y < f.h) {
            int index = (f.h - 1 - y) * f.w + i;
            if (p[2] <= f.height[(size_t)index])
                return index;
        }
        for (int k = 0; k < 3; k++)
            p[k] += dir[k] / 40.0L;
    }
    return -1;
}

/* A plain that rises gently to the right, with a tall round peak of radius
   5 around (24, 21) or without it. */
FIELD peakfield(const LANDSCAPEVIEW &v, bool peak)
{
    FIELD f{48, 40, {}, {}};
    for (int r = 0; r < f.h; r++) {
        for (int i = 0; i < f.w; i++) {
            double d = std::hypot(i - 24.0, r - 21.0);
            double h = peak && d <= 5.0 ? 0.9 * -v.floor : 0.05 * i;
            f.height.push_back((float)h);
            f.colour.push_back((unsigned int)(r * f.w + i));
        }
    }
    return f;
}

TEST(LandscapeTest, AFrontPeakHidesWhatLiesBehindIt)
{
    PROJECTION p = defaultprojection();
    p.kind = PROJECTION_LANDSCAPE;
    for (double azimuth : {0.0, 35.0, 200.0}) {
        SCOPED_TRACE(testing::Message() << "azimuth " << azimuth);
        p.azimuth = azimuth;
        p.elevation = 30.0;
        LANDSCAPEVIEW v;
        landscapeview(&p, 48, 40, &v);
        FIELD f = peakfield(v, true), plain = peakfield(v, false);
        int agree = 0, pixels = 0, hidden = 0;
        std::vector<unsigned int> out(40), plainout(40);
        std::vector<int> cell(40), plaincell(40);
        /* Distance from the camera's side, along the ground. */
        auto depth = [&](int index) {
            double x = index % 48 - 23.5, y = (39 - index / 48) - 19.5;
            return -x * v.sa + y * v.ca;
        };
        for (int px = 0; px < 48; px++) {
            landscapecolumn(&v, f.height.data(), f.colour.data(), px, out.data(), cell.data());
            landscapecolumn(&v, plain.height.data(), plain.colour.data(), px, plainout.data(), plaincell.data());
            for (int py = 0; py < 40; py++) {
                int got = cell[(size_t)py];
                pixels++;
                agree += got == bruteforcehit(v, f, px, py, 0.9 * -v.floor);
                if (got >= 0) {
                    ASSERT_EQ(out[(size_t)py], f.colour[(size_t)got]);
                }
                /* A pixel on the peak that shows, without it, a point
                   behind it. */
                int under = plaincell[(size_t)py];
                if (got >= 0 && f.height[(size_t)got] > 5.0f && (under < 0 || depth(under) > depth(got) + 1.0))
                    hidden++;
            }
        }
        /* Steps of the brute force land past an edge now and then. */
        EXPECT_GE(agree, pixels * 98 / 100);
        EXPECT_GE(hidden, 40);
        std::printf("azimuth %g: %d of %d pixels agree, %d hidden by the peak\n", azimuth, agree, pixels,
                    hidden);
    }
}

TEST_F(ProjectionTest, AnyThreadCountGivesTheSamePicture)
{
    setup(27, 90, 70, 0);
    displaylimitflag = 1;
    for (int kind : {PROJECTION_SPHERE, PROJECTION_LANDSCAPE}) {
        projection.kind = kind;
        projection.shade = 1;
        projection.centerx = 0.5;
        projection.centery = 14.0;
        absmax = -1.0;
        std::vector<unsigned char> one = renderjob(1);
        double max = absmax;
        for (int n : {2, 5}) {
            absmax = -1.0;
            EXPECT_TRUE(renderjob(n) == one) << "projection " << kind << ", " << n << " threads";
            EXPECT_EQ(absmax, max);
        }
    }
}

}  // namespace
