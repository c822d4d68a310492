/*
 * syntax.h - the syntax tree of a typed function, as the parser leaves it
 * for the compiler: nodes in one array, children by index, each with the
 * column of the token it came from so that the compiler's errors point at
 * the text too.
 */
#ifndef LUMO_EXPR_SYNTAX_H
#define LUMO_EXPR_SYNTAX_H

#include <string>
#include <vector>

#include "expr/expr.h"

enum NODEKIND {
    NODE_NUMBER,        /* value; integer 1 when written as digits only */
    NODE_IMAGINARY,     /* value i */
    NODE_Z,
    NODE_PARAMETER,     /* parameter number op, in order of first appearance */
    NODE_NEGATE,        /* -a */
    NODE_ADD, NODE_SUBTRACT, NODE_MULTIPLY, NODE_DIVIDE, NODE_POWER,
    NODE_CALL,          /* function (a FUNCTION) of args[0..nargs-1] */
    NODE_COMPARE,       /* a op b, op a COMPARISON */
    NODE_AND, NODE_OR, NODE_NOT
};

/* Functions of the language, in the order of the name table. */
enum FUNCTION {
    FUNC_RE, FUNC_IM, FUNC_ABS, FUNC_ARG, FUNC_CONJ,
    FUNC_EXP, FUNC_LOG, FUNC_SQRT,
    FUNC_SIN, FUNC_COS, FUNC_TAN, FUNC_SINH, FUNC_COSH, FUNC_TANH,
    FUNC_ASIN, FUNC_ACOS, FUNC_ATAN,
    FUNC_GAMMA, FUNC_LOGGAMMA, FUNC_ZETA,
    FUNC_POW, FUNC_IF,
    NFUNCTIONS
};

enum COMPARISON { CMP_LT, CMP_LE, CMP_GT, CMP_GE, CMP_EQ, CMP_NE };

struct NODE {
    NODEKIND kind;
    int column;
    double value;
    int integer;        /* NODE_NUMBER: digits only, no point or exponent */
    int op;             /* FUNCTION of a call, COMPARISON of a compare */
    int nargs;
    int args[3];
};

/* The largest depth of nested parentheses, calls, minus signs and powers. */
enum { EXPRMAXDEPTH = 200 };

/* The function named name (length bytes), or -1. */
int findfunction(const char *name, int length);
/* The number of arguments function f takes, and its name. */
int functionarity(int f);
const char *functionname(int f);

/* Parses text into nodes; returns the index of the root, or -1 with error
   filled in.  The names of the parameters (bare unknown names, at most
   EXPRMAXPARAMS) come back in parameters, in order of first appearance. */
int parseexpr(const char *text, std::vector<NODE> *nodes, std::vector<std::string> *parameters,
              EXPRERROR *error);

#endif
