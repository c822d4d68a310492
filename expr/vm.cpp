/*
 * vm.cpp - the block interpreter (see program.h).
 *
 * Each opcode is one loop over the block that reads its operands, computes
 * the value with the same operation the built-in formulas use, and only
 * then stores it: the compiler may give an instruction the register of an
 * operand it no longer needs.
 */
#include <cmath>

#include "expr/functions.h"
#include "expr/program.h"
#include "formulas/accurate.h"

namespace {

struct REAL {
    const double *re;
    double get(int k) const { return re[k]; }
};

struct CPLX {
    const double *re, *im;
    complex get(int k) const { return complex{re[k], im[k]}; }
};

struct OUT {
    double *re, *im;
    void put(int k, double v) const { re[k] = v; }
    void put(int k, complex v) const { re[k] = v.re; im[k] = v.im; }
};

template <class A, class F>
void unary(OUT d, A a, int n, F f)
{
    for (int k = 0; k < n; k++)
        d.put(k, f(a.get(k)));
}

template <class A, class B, class F>
void binary(OUT d, A a, B b, int n, F f)
{
    for (int k = 0; k < n; k++)
        d.put(k, f(a.get(k), b.get(k)));
}

template <class A>
void select(OUT d, REAL c, A a, A b, int n)
{
    for (int k = 0; k < n; k++)
        d.put(k, c.get(k) != 0.0 ? a.get(k) : b.get(k));
}

/* a^n as ((a a) a)..., the order the built-ins write their powers in. */
template <class T>
T repeated(T a, int n)
{
    T p = a;
    for (int m = 1; m < n; m++)
        p = p * a;
    return p;
}

/* A real operand divides both parts of a complex one. */
complex divide(complex a, double r) { return complex{a.re / r, a.im / r}; }

}

void exprexecute(const INSTR &in, double *const *re, double *const *im, int n)
{
    OUT d = {re[in.dest], im[in.dest]};
    REAL ra = {re[in.a]}, rb = {re[in.b]}, rc = {re[in.c]};
    CPLX ca = {re[in.a], im[in.a]}, cb = {re[in.b], im[in.b]}, cc = {re[in.c], im[in.c]};
    int e = in.n;
    switch (in.op) {
    case OP_ADD_RR: binary(d, ra, rb, n, [](double a, double b) { return a + b; }); break;
    case OP_ADD_RC: binary(d, ra, cb, n, [](double a, complex b) { return a + b; }); break;
    case OP_ADD_CR: binary(d, ca, rb, n, [](complex a, double b) { return a + b; }); break;
    case OP_ADD_CC: binary(d, ca, cb, n, [](complex a, complex b) { return a + b; }); break;
    case OP_SUB_RR: binary(d, ra, rb, n, [](double a, double b) { return a - b; }); break;
    case OP_SUB_RC: binary(d, ra, cb, n, [](double a, complex b) { return a - b; }); break;
    case OP_SUB_CR: binary(d, ca, rb, n, [](complex a, double b) { return a - b; }); break;
    case OP_SUB_CC: binary(d, ca, cb, n, [](complex a, complex b) { return a - b; }); break;
    case OP_MUL_RR: binary(d, ra, rb, n, [](double a, double b) { return a * b; }); break;
    case OP_MUL_RC: binary(d, ra, cb, n, [](double a, complex b) { return a * b; }); break;
    case OP_MUL_CR: binary(d, ca, rb, n, [](complex a, double b) { return a * b; }); break;
    case OP_MUL_CC: binary(d, ca, cb, n, [](complex a, complex b) { return a * b; }); break;
    case OP_DIV_RR: binary(d, ra, rb, n, [](double a, double b) { return a / b; }); break;
    case OP_DIV_RC: binary(d, ra, cb, n, [](double a, complex b) { return a / b; }); break;
    case OP_DIV_CR: binary(d, ca, rb, n, [](complex a, double b) { return divide(a, b); }); break;
    case OP_DIV_CC: binary(d, ca, cb, n, [](complex a, complex b) { return a / b; }); break;
    case OP_NEG_R: unary(d, ra, n, [](double a) { return -a; }); break;
    case OP_NEG_C: unary(d, ca, n, [](complex a) { return -a; }); break;
    /* The common squares and cubes get loops the compiler can keep in
       registers; the products are the same. */
    case OP_POWN_R: unary(d, ra, n, [e](double a) { return repeated(a, e); }); break;
    case OP_POWN_C:
        if (e == 2)
            unary(d, ca, n, [](complex a) { return a * a; });
        else if (e == 3)
            unary(d, ca, n, [](complex a) { return (a * a) * a; });
        else
            unary(d, ca, n, [e](complex a) { return repeated(a, e); });
        break;
    case OP_POW_RR:
        binary(d, ra, rb, n, [](double a, double b) { return pow(complex{a, 0.0}, b); });
        break;
    case OP_POW_RC: binary(d, ra, cb, n, [](double a, complex b) { return pow(a, b); }); break;
    case OP_POW_CR: binary(d, ca, rb, n, [](complex a, double b) { return pow(a, b); }); break;
    case OP_POW_CC: binary(d, ca, cb, n, [](complex a, complex b) { return pow(a, b); }); break;
    case OP_COMPLEX_R: unary(d, ra, n, [](double a) { return complex{a, 0.0}; }); break;
    case OP_RE_C: unary(d, ca, n, [](complex a) { return a.re; }); break;
    case OP_IM_C: unary(d, ca, n, [](complex a) { return a.im; }); break;
    case OP_ABS_C: unary(d, ca, n, [](complex a) { return abs(a); }); break;
    case OP_ARG_C: unary(d, ca, n, [](complex a) { return arg(a); }); break;
    case OP_CONJ_C: unary(d, ca, n, [](complex a) { return complex{a.re, -a.im}; }); break;
    case OP_ABS_R: unary(d, ra, n, [](double a) { return std::fabs(a); }); break;
    case OP_ARG_R: unary(d, ra, n, [](double a) { return std::atan2(0.0, a); }); break;
    case OP_EXP_C: unary(d, ca, n, [](complex a) { return exp(a); }); break;
    case OP_LOG_C: unary(d, ca, n, [](complex a) { return log(a); }); break;
    case OP_SQRT_C: unary(d, ca, n, [](complex a) { return csqrt(a); }); break;
    case OP_SIN_C: unary(d, ca, n, [](complex a) { return sin(a); }); break;
    case OP_COS_C: unary(d, ca, n, [](complex a) { return cos(a); }); break;
    case OP_TAN_C: unary(d, ca, n, [](complex a) { return ctan(a); }); break;
    case OP_SINH_C: unary(d, ca, n, [](complex a) { return csinh(a); }); break;
    case OP_COSH_C: unary(d, ca, n, [](complex a) { return ccosh(a); }); break;
    case OP_TANH_C: unary(d, ca, n, [](complex a) { return ctanh(a); }); break;
    case OP_ASIN_C: unary(d, ca, n, [](complex a) { return casin(a); }); break;
    case OP_ACOS_C: unary(d, ca, n, [](complex a) { return cacos(a); }); break;
    case OP_ATAN_C: unary(d, ca, n, [](complex a) { return catan(a); }); break;
    case OP_GAMMA_C: unary(d, ca, n, [](complex a) { return accurate_gamma(a); }); break;
    case OP_LOGGAMMA_C: unary(d, ca, n, [](complex a) { return accurate_loggamma(a); }); break;
    case OP_ZETA_C: unary(d, ca, n, [](complex a) { return accurate_zeta(a); }); break;
    case OP_LT: binary(d, ra, rb, n, [](double a, double b) { return a < b ? 1.0 : 0.0; }); break;
    case OP_LE: binary(d, ra, rb, n, [](double a, double b) { return a <= b ? 1.0 : 0.0; }); break;
    case OP_GT: binary(d, ra, rb, n, [](double a, double b) { return a > b ? 1.0 : 0.0; }); break;
    case OP_GE: binary(d, ra, rb, n, [](double a, double b) { return a >= b ? 1.0 : 0.0; }); break;
    case OP_EQ: binary(d, ra, rb, n, [](double a, double b) { return a == b ? 1.0 : 0.0; }); break;
    case OP_NE: binary(d, ra, rb, n, [](double a, double b) { return a != b ? 1.0 : 0.0; }); break;
    case OP_AND:
        binary(d, ra, rb, n, [](double a, double b) { return a != 0.0 && b != 0.0 ? 1.0 : 0.0; });
        break;
    case OP_OR:
        binary(d, ra, rb, n, [](double a, double b) { return a != 0.0 || b != 0.0 ? 1.0 : 0.0; });
        break;
    case OP_NOT: unary(d, ra, n, [](double a) { return a == 0.0 ? 1.0 : 0.0; }); break;
    case OP_SELECT_R: select(d, ra, rb, rc, n); break;
    case OP_SELECT_C: select(d, ra, cb, cc, n); break;
    }
}

void exprscratch(const EXPRPROGRAM &program, EXPRSCRATCH *scratch)
{
    size_t registers = (size_t)program.nregisters;
    scratch->memory.assign(registers * 2 * EXPRBLOCK, 0.0);
    scratch->re.assign(registers, nullptr);
    scratch->im.assign(registers, nullptr);
    for (size_t r = 1; r < registers; r++) {
        scratch->re[r] = &scratch->memory[(2 * r) * EXPRBLOCK];
        scratch->im[r] = &scratch->memory[(2 * r + 1) * EXPRBLOCK];
    }
    for (size_t c = 0; c < program.constants.size(); c++) {
        for (int k = 0; k < EXPRBLOCK; k++) {
            scratch->re[c + 1][k] = program.constants[c].re;
            scratch->im[c + 1][k] = program.constants[c].im;
        }
    }
    EXPRPARAMS ones;
    ones.count = (int)program.parameters.size();
    for (int p = 0; p < ones.count; p++)
        ones.value[p] = EXPRVALUE{1.0, 0.0, 0};
    exprsetparams(program, ones, scratch);
}

void exprsetparams(const EXPRPROGRAM &program, const EXPRPARAMS &values, EXPRSCRATCH *scratch)
{
    int count = values.count < (int)program.parameters.size() ? values.count : (int)program.parameters.size();
    for (int p = 0; p < count; p++) {
        double *re = scratch->re[(size_t)(program.firstparam + p)];
        double *im = scratch->im[(size_t)(program.firstparam + p)];
        /* A real value's register has im 0, as a real constant's has. */
        double valueim = values.value[p].iscomplex ? values.value[p].im : 0.0;
        for (int k = 0; k < EXPRBLOCK; k++) {
            re[k] = values.value[p].re;
            im[k] = valueim;
        }
    }
}

void exprrun(const EXPRPROGRAM &program, EXPRSCRATCH *scratch, int n, const double *zx,
             const double *zy, double *wx, double *wy)
{
    double *const *re = scratch->re.data();
    double *const *im = scratch->im.data();
    const double *resultre = nullptr;
    const double *resultim = nullptr;
    for (int start = 0; start < n; start += EXPRBLOCK) {
        int count = n - start < EXPRBLOCK ? n - start : EXPRBLOCK;
        /* z is read in place: no instruction writes register 0. */
        scratch->re[0] = const_cast<double *>(zx + start);
        scratch->im[0] = const_cast<double *>(zy + start);
        for (const INSTR &instr : program.code)
            exprexecute(instr, re, im, count);
        resultre = re[program.result];
        resultim = im[program.result];
        for (int k = 0; k < count; k++) {
            wx[start + k] = resultre[k];
            wy[start + k] = program.resultreal ? 0.0 : resultim[k];
        }
    }
}
