/*
 * program.h - a compiled typed function: a flat list of instructions over
 * numbered registers, each register a block of EXPRBLOCK points, run by a
 * small interpreter one instruction at a time over a whole block, so that
 * one dispatch is paid per block and not per point.
 *
 * Every opcode is typed: the compiler knows whether each value is real
 * (held in the register's re array only), complex, or a condition (1 or 0
 * in re), and picks the operation the built-in formulas would use for
 * those operands.  Register 0 is z; registers 1..nconstants hold the
 * constants, filled once per scratch; the next nparameters registers the
 * parameters' values; the rest are working registers.
 *
 * A parameter is typed like a constant: the program is compiled for each
 * parameter being real or complex, and kept with its syntax tree so that a
 * value of the other type only recompiles (exprretype), never reparses.
 * A parameter's value is never folded into the code, so a value change
 * needs no compile at all; since the compiler folds constants through the
 * interpreter's own operations, the runtime result is the folded one.
 */
#ifndef LUMO_EXPR_PROGRAM_H
#define LUMO_EXPR_PROGRAM_H

#include <string>
#include <vector>

#include "common/complex.h"
#include "expr/expr.h"
#include "expr/syntax.h"

enum { EXPRBLOCK = 128 };

enum OPCODE {
    /* r: real, c: complex, in operand order */
    OP_ADD_RR, OP_ADD_RC, OP_ADD_CR, OP_ADD_CC,
    OP_SUB_RR, OP_SUB_RC, OP_SUB_CR, OP_SUB_CC,
    OP_MUL_RR, OP_MUL_RC, OP_MUL_CR, OP_MUL_CC,
    OP_DIV_RR, OP_DIV_RC, OP_DIV_CR, OP_DIV_CC,
    OP_NEG_R, OP_NEG_C,
    OP_POWN_R, OP_POWN_C,       /* a^n, integer n >= 1, product from the left */
    OP_POW_RR, OP_POW_RC, OP_POW_CR, OP_POW_CC,
    OP_COMPLEX_R,               /* r + 0i */
    OP_RE_C, OP_IM_C, OP_ABS_C, OP_ARG_C, OP_CONJ_C, OP_ABS_R, OP_ARG_R,
    OP_EXP_C, OP_LOG_C, OP_SQRT_C, OP_SIN_C, OP_COS_C, OP_TAN_C,
    OP_SINH_C, OP_COSH_C, OP_TANH_C, OP_ASIN_C, OP_ACOS_C, OP_ATAN_C,
    OP_GAMMA_C, OP_LOGGAMMA_C, OP_ZETA_C,
    OP_LT, OP_LE, OP_GT, OP_GE, OP_EQ, OP_NE,   /* real, real: condition */
    OP_AND, OP_OR, OP_NOT,
    OP_SELECT_R, OP_SELECT_C,   /* condition, a, b */
    NOPCODES
};

struct INSTR {
    int op;
    int dest;
    int a, b, c;
    int n;              /* the integer exponent of OP_POWN_* */
};

struct EXPRPROGRAM {
    std::vector<INSTR> code;
    std::vector<complex> constants;     /* registers 1..constants.size() */
    int nregisters = 1;
    int result = 0;                     /* register holding w */
    int resultreal = 0;                 /* w is real: Im w = 0 */
    std::vector<std::string> parameters;    /* names, by number */
    unsigned complexparams = 0;         /* bit k: parameter k compiled complex */
    int firstparam = 1;                 /* register of parameter 0; the rest follow */
    std::vector<NODE> tree;             /* the parsed text, for exprretype */
    int root = -1;
};

/* Compiles text with every parameter real: 1, or 0 with error filled in
   (error may be null). */
int exprcompile(const char *text, EXPRPROGRAM *program, EXPRERROR *error);

/* Compiles the program's text again for parameter k being complex where
   bit k of complexparams is set: 1, or 0 (the program as it was) with
   error filled in when the text compares a parameter made complex. */
int exprretype(EXPRPROGRAM *program, unsigned complexparams, EXPRERROR *error);

/* The bits of complexparams that values asks for. */
unsigned exprparamtypes(const EXPRPARAMS &values);

/* Working memory for running a program, one per thread. */
struct EXPRSCRATCH {
    std::vector<double> memory;
    std::vector<double *> re, im;
};

/* Readies scratch for program (registers allocated, constants filled,
   every parameter 1). */
void exprscratch(const EXPRPROGRAM &program, EXPRSCRATCH *scratch);

/* Puts the parameters' values into scratch; values->count may be fewer than
   the program's parameters (the rest stay as they were).  The program
   must have been compiled for the values' types (exprparamtypes). */
void exprsetparams(const EXPRPROGRAM &program, const EXPRPARAMS &values, EXPRSCRATCH *scratch);

/* w = f(z) for the n points (zx[k], zy[k]), block by block; scratch must
   have been readied for this program. */
void exprrun(const EXPRPROGRAM &program, EXPRSCRATCH *scratch, int n, const double *zx,
             const double *zy, double *wx, double *wy);

/* One instruction over n points of the registers re[], im[]; the compiler
   folds constants through it, so a folded value is the value the
   interpreter would compute. */
void exprexecute(const INSTR &instr, double *const *re, double *const *im, int n);

/* The program of formula 30's current text (see expr.h). */
const EXPRPROGRAM &customprogram();

#endif
