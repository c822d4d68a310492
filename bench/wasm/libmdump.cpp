/*
 * libmdump.cpp - the C library's results for the maths functions the core
 * calls, on fixed pseudo-random arguments, so that two builds (glibc native,
 * musl in WebAssembly) can be compared result by result.
 *
 *   libmdump FILE            writes every function's results to FILE
 *   libmdump --compare A B   counts, per function, the results that differ
 *
 * The arguments come from one seeded generator, so every build draws the
 * same ones; their ranges are those where the formulas call each function.
 */
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

enum { COUNT = 1 << 20 };

struct Arguments {
    std::uint64_t state = 0x2545f4914f6cdd1dULL;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    /* uniform in [lo, hi) */
    double uniform(double lo, double hi) { return lo + (hi - lo) * (next() >> 11) * 0x1p-53; }
    /* sign * 2^e, e uniform in [elo, ehi) */
    double logscale(double elo, double ehi, bool signs)
    {
        double v = std::exp2(uniform(elo, ehi));   /* exp2 is exact enough: only a draw */
        return signs && (next() & 1) ? -v : v;
    }
};

double sincos_sin(double x) { double s, c; s = std::sin(x); c = std::cos(x); return s + 0.0 * c; }

struct Function {
    const char *name;
    void (*run)(Arguments &, std::vector<double> &);
};

#define ONE(NAME, CALL, DRAW)                                             \
    void run_##NAME(Arguments &g, std::vector<double> &out)                \
    {                                                                       \
        std::vector<double> a(COUNT);                                       \
        for (double &v : a) v = DRAW;                                       \
        for (int i = 0; i < COUNT; ++i) { double x = a[i]; out[i] = CALL; } \
    }
#define TWO(NAME, CALL, DRAWX, DRAWY)                                       \
    void run_##NAME(Arguments &g, std::vector<double> &out)                 \
    {                                                                        \
        std::vector<double> a(COUNT), b(COUNT);                              \
        for (int i = 0; i < COUNT; ++i) { a[i] = DRAWX; b[i] = DRAWY; }      \
        for (int i = 0; i < COUNT; ++i) { double x = a[i], y = b[i]; out[i] = CALL; } \
    }

ONE(exp, std::exp(x), g.uniform(-40.0, 40.0))
ONE(exp_wide, std::exp(x), g.uniform(-745.0, 710.0))
ONE(log, std::log(x), g.logscale(-40.0, 40.0, false))
ONE(log_near1, std::log(x), g.uniform(0.5, 2.0))
TWO(pow, std::pow(x, y), g.logscale(-12.0, 12.0, false), g.uniform(-12.0, 12.0))
TWO(pow_int, std::pow(x, y), g.uniform(-30.0, 30.0), double(int(g.uniform(-10.0, 11.0))))
TWO(atan2, std::atan2(y, x), g.logscale(-20.0, 20.0, true), g.logscale(-20.0, 20.0, true))
ONE(sin, std::sin(x), g.uniform(-2.0, 2.0))
ONE(sin_far, std::sin(x), g.uniform(10.0, 540.0))
ONE(cos, std::cos(x), g.uniform(-2.0, 2.0))
ONE(cos_far, std::cos(x), g.uniform(10.0, 540.0))
ONE(sincos, sincos_sin(x), g.uniform(-20.0, 20.0))
ONE(sinh, std::sinh(x), g.uniform(-30.0, 30.0))
ONE(cosh, std::cosh(x), g.uniform(-30.0, 30.0))
ONE(tanh, std::tanh(x), g.uniform(-20.0, 20.0))
ONE(tan, std::tan(x), g.uniform(-10.0, 10.0))
TWO(hypot, std::hypot(x, y), g.logscale(-20.0, 20.0, true), g.logscale(-20.0, 20.0, true))
ONE(expm1, std::expm1(x), g.uniform(-20.0, 20.0))
ONE(asinh, std::asinh(x), g.logscale(-20.0, 20.0, true))
ONE(atanh, std::atanh(x), g.uniform(-1.0, 1.0))
ONE(atan, std::atan(x), g.logscale(-20.0, 20.0, true))
ONE(asin, std::asin(x), g.uniform(-1.0, 1.0))
ONE(acos, std::acos(x), g.uniform(-1.0, 1.0))
ONE(exp2, std::exp2(x), g.uniform(-60.0, 60.0))
ONE(log2, std::log2(x), g.logscale(-40.0, 40.0, false))
ONE(cbrt, std::cbrt(x), g.logscale(-40.0, 40.0, true))
TWO(fmod, std::fmod(x, y), g.uniform(-1e3, 1e3), g.uniform(1.0, 60.0))
TWO(remainder, std::remainder(x, y), g.uniform(-1e3, 1e3), g.uniform(1.0, 60.0))

#define F(NAME) {#NAME, run_##NAME}
const Function Functions[] = {
    F(exp), F(exp_wide), F(log), F(log_near1), F(pow), F(pow_int), F(atan2),
    F(sin), F(sin_far), F(cos), F(cos_far), F(sincos), F(sinh), F(cosh), F(tanh),
    F(tan), F(hypot), F(expm1), F(asinh), F(atanh), F(atan), F(asin), F(acos),
    F(exp2), F(log2), F(cbrt), F(fmod), F(remainder),
};
const int FunctionCount = sizeof Functions / sizeof Functions[0];

int dump(const char *path)
{
    std::FILE *f = std::fopen(path, "wb");
    if (!f) { std::perror(path); return 1; }
    std::vector<double> out(COUNT);
    for (const Function &fn : Functions) {
        Arguments g;                      /* each function its own draw */
        for (const char *c = fn.name; *c; ++c) g.state += std::uint64_t(*c) << 8;
        fn.run(g, out);
        std::fwrite(out.data(), sizeof(double), COUNT, f);
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

int compare(const char *patha, const char *pathb)
{
    std::FILE *fa = std::fopen(patha, "rb"), *fb = std::fopen(pathb, "rb");
    if (!fa || !fb) { std::perror("open"); return 1; }
    std::vector<std::uint64_t> a(COUNT), b(COUNT);
    std::printf("%-10s %9s %8s %s\n", "function", "differ", "per 1M", "largest difference (units in the last place)");
    for (const Function &fn : Functions) {
        if (std::fread(a.data(), 8, COUNT, fa) != COUNT || std::fread(b.data(), 8, COUNT, fb) != COUNT) {
            std::fprintf(stderr, "short file\n");
            return 1;
        }
        long differ = 0;
        std::uint64_t worst = 0;
        for (int i = 0; i < COUNT; ++i) {
            if (a[i] == b[i]) continue;
            ++differ;
            std::uint64_t d = a[i] > b[i] ? a[i] - b[i] : b[i] - a[i];
            if (d > worst) worst = d;
        }
        std::printf("%-10s %9ld %8.1f %llu\n", fn.name, differ, differ * 1e6 / COUNT, (unsigned long long)worst);
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--compare") == 0)
        return compare(argv[2], argv[3]);
    if (argc == 2)
        return dump(argv[1]);
    std::fprintf(stderr, "usage: libmdump FILE | libmdump --compare A B\n");
    return 2;
}
