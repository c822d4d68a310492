/*
 * compile.cpp - syntax tree to program (see program.h).
 *
 * The tree is walked once in node order (the parser stores children before
 * their parents), so nothing here recurses.  Each node becomes a value
 * that is real, complex or a condition; the operands' types choose the
 * typed opcode, which is the operation a built-in formula would write for
 * them.  The compiler does little and only what cannot change a bit:
 *  - an instruction whose operands are all constants is run once, through
 *    the interpreter itself, and becomes a constant;
 *  - an instruction with the same operands as an earlier one reuses it;
 *  - instructions whose values are not used are dropped;
 *  - registers are reused once their last reader has run.
 * Nothing is reassociated or rewritten.
 */
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "expr/program.h"
#include "expr/syntax.h"

namespace {

enum VALUETYPE { TYPE_REAL, TYPE_COMPLEX, TYPE_CONDITION };

/* A reference to a value: an instruction's index (>= 0), z (-1),
   parameter k (REF_PARAM - k), or the constant with index -2 - ref. */
enum { REF_Z = -1, REF_PARAM = -500000000, REF_NONE = -1000000000 };

int isparamref(int ref)
{
    return ref <= REF_PARAM && ref > REF_PARAM - EXPRMAXPARAMS;
}

struct VALUE {
    int type;
    int constant;       /* known at compile time: value holds it */
    complex value;
    int ref;
};

int operandcount(int op)
{
    if (op == OP_SELECT_R || op == OP_SELECT_C)
        return 3;
    if (op <= OP_DIV_CC || (op >= OP_POW_RR && op <= OP_POW_CC) || (op >= OP_LT && op <= OP_OR))
        return 2;
    return 1;
}

struct COMPILER {
    const std::vector<NODE> &nodes;
    unsigned complexparams;
    EXPRERROR *error;
    std::vector<VALUE> values;          /* one per node */
    std::vector<INSTR> code;            /* operands as refs */
    std::vector<int> types;             /* of each instruction's value */
    std::vector<complex> constants;
    std::map<std::array<unsigned long long, 2>, int> constantindex;
    std::map<std::array<int, 5>, int> seen;
    int failed;

    int fail(int column, const std::string &message)
    {
        if (!failed) {
            failed = 1;
            error->column = column;
            std::snprintf(error->message, sizeof error->message, "%s", message.c_str());
        }
        return 0;
    }

    VALUE constantvalue(int type, complex value)
    {
        if (type != TYPE_COMPLEX)
            value.im = 0.0;
        VALUE v = {type, 1, value, REF_NONE};
        return v;
    }

    int ref(const VALUE &v)
    {
        if (!v.constant)
            return v.ref;
        std::array<unsigned long long, 2> bits;
        std::memcpy(&bits[0], &v.value.re, sizeof(double));
        std::memcpy(&bits[1], &v.value.im, sizeof(double));
        auto found = constantindex.find(bits);
        if (found != constantindex.end())
            return -2 - found->second;
        constants.push_back(v.value);
        constantindex[bits] = (int)constants.size() - 1;
        return -2 - ((int)constants.size() - 1);
    }

    /* The value of op on a, b, c: folded when every operand is known. */
    VALUE emit(int op, int type, const VALUE &a, const VALUE &b = VALUE(), const VALUE &c = VALUE(),
               int n = 0)
    {
        int count = operandcount(op);
        const VALUE *operands[3] = {&a, &b, &c};
        int known = 1;
        for (int k = 0; k < count; k++)
            known = known && operands[k]->constant;
        if (known) {
            double re[4] = {a.value.re, b.value.re, c.value.re, 0.0};
            double im[4] = {a.value.im, b.value.im, c.value.im, 0.0};
            double *rp[4] = {&re[0], &re[1], &re[2], &re[3]};
            double *ip[4] = {&im[0], &im[1], &im[2], &im[3]};
            INSTR instr = {op, 3, 0, 1, 2, n};
            exprexecute(instr, rp, ip, 1);
            return constantvalue(type, complex{re[3], im[3]});
        }
        INSTR instr = {op, 0, REF_NONE, REF_NONE, REF_NONE, n};
        int *slots[3] = {&instr.a, &instr.b, &instr.c};
        for (int k = 0; k < count; k++)
            *slots[k] = ref(*operands[k]);
        std::array<int, 5> key = {op, instr.a, instr.b, instr.c, n};
        auto found = seen.find(key);
        int index;
        if (found != seen.end()) {
            index = found->second;
        } else {
            code.push_back(instr);
            types.push_back(type);
            index = (int)code.size() - 1;
            seen[key] = index;
        }
        VALUE v = {type, 0, complex{0.0, 0.0}, index};
        return v;
    }

    VALUE tocomplex(const VALUE &v)
    {
        return v.type == TYPE_REAL ? emit(OP_COMPLEX_R, TYPE_COMPLEX, v) : v;
    }

    /* Op in its four typed forms, in the order rr, rc, cr, cc. */
    VALUE arithmetic(int rr, const VALUE &a, const VALUE &b)
    {
        int ac = a.type == TYPE_COMPLEX, bc = b.type == TYPE_COMPLEX;
        return emit(rr + 2 * ac + bc, ac || bc ? TYPE_COMPLEX : TYPE_REAL, a, b);
    }

    /* The exponent written as an integer literal, optionally negated:
       1 with *n set, else 0. */
    int integerexponent(int node, int *n)
    {
        int sign = 1;
        if (nodes[node].kind == NODE_NEGATE) {
            sign = -1;
            node = nodes[node].args[0];
        }
        const NODE &e = nodes[node];
        if (e.kind != NODE_NUMBER || !e.integer || e.value > 64.0)
            return 0;
        *n = sign * (int)e.value;
        return 1;
    }

    VALUE power(const VALUE &base, int exponentnode)
    {
        const VALUE &e = values[exponentnode];
        int n;
        if (integerexponent(exponentnode, &n)) {
            if (n == 0)
                return constantvalue(TYPE_REAL, complex{1.0, 0.0});
            int m = n < 0 ? -n : n;
            VALUE p = m == 1 ? base
                             : emit(base.type == TYPE_REAL ? OP_POWN_R : OP_POWN_C, base.type, base,
                                    VALUE(), VALUE(), m);
            if (n > 0)
                return p;
            return arithmetic(OP_DIV_RR, constantvalue(TYPE_REAL, complex{1.0, 0.0}), p);
        }
        /* Even a real base and exponent give a complex power: (-8)^(1/3). */
        int bc = base.type == TYPE_COMPLEX, ec = e.type == TYPE_COMPLEX;
        return emit(OP_POW_RR + 2 * bc + ec, TYPE_COMPLEX, base, e);
    }

    int needvalue(int node)
    {
        if (values[node].type == TYPE_CONDITION)
            return fail(nodes[node].column, "a condition is not a value; use it in if(condition, a, b)");
        return 1;
    }

    int needcondition(int node)
    {
        if (values[node].type != TYPE_CONDITION)
            return fail(nodes[node].column, "expected a condition such as re(z) > 0");
        return 1;
    }

    int call(const NODE &node, VALUE *v)
    {
        const int *args = node.args;
        if (node.op == FUNC_IF) {
            if (!needcondition(args[0]) || !needvalue(args[1]) || !needvalue(args[2]))
                return 0;
            const VALUE &c = values[args[0]];
            VALUE a = values[args[1]], b = values[args[2]];
            if (a.type != b.type) {
                a = tocomplex(a);
                b = tocomplex(b);
            }
            if (c.constant)
                *v = c.value.re != 0.0 ? a : b;
            else
                *v = emit(a.type == TYPE_REAL ? OP_SELECT_R : OP_SELECT_C, a.type, c, a, b);
            return 1;
        }
        for (int k = 0; k < node.nargs; k++) {
            if (!needvalue(args[k]))
                return 0;
        }
        const VALUE &a = values[args[0]];
        int real = a.type == TYPE_REAL;
        switch (node.op) {
        case FUNC_POW: *v = power(a, args[1]); return 1;
        case FUNC_RE: *v = real ? a : emit(OP_RE_C, TYPE_REAL, a); return 1;
        case FUNC_IM:
            *v = real ? constantvalue(TYPE_REAL, complex{0.0, 0.0}) : emit(OP_IM_C, TYPE_REAL, a);
            return 1;
        case FUNC_ABS: *v = emit(real ? OP_ABS_R : OP_ABS_C, TYPE_REAL, a); return 1;
        case FUNC_ARG: *v = emit(real ? OP_ARG_R : OP_ARG_C, TYPE_REAL, a); return 1;
        case FUNC_CONJ: *v = real ? a : emit(OP_CONJ_C, TYPE_COMPLEX, a); return 1;
        }
        static const int ops[] = {
            OP_EXP_C, OP_LOG_C, OP_SQRT_C, OP_SIN_C, OP_COS_C, OP_TAN_C,
            OP_SINH_C, OP_COSH_C, OP_TANH_C, OP_ASIN_C, OP_ACOS_C, OP_ATAN_C,
            OP_GAMMA_C, OP_LOGGAMMA_C, OP_ZETA_C,
        };
        *v = emit(ops[node.op - FUNC_EXP], TYPE_COMPLEX, tocomplex(a));
        return 1;
    }

    int compilenode(int index)
    {
        const NODE &node = nodes[index];
        const int *args = node.args;
        VALUE &v = values[index];
        switch (node.kind) {
        case NODE_NUMBER: v = constantvalue(TYPE_REAL, complex{node.value, 0.0}); return 1;
        case NODE_IMAGINARY: v = constantvalue(TYPE_COMPLEX, complex{0.0, node.value}); return 1;
        case NODE_Z: v = VALUE{TYPE_COMPLEX, 0, complex{0.0, 0.0}, REF_Z}; return 1;
        case NODE_PARAMETER:
            v = VALUE{(complexparams >> node.op) & 1 ? TYPE_COMPLEX : TYPE_REAL, 0, complex{0.0, 0.0},
                      REF_PARAM - node.op};
            return 1;
        case NODE_NEGATE: {
            if (!needvalue(args[0]))
                return 0;
            const VALUE &a = values[args[0]];
            v = emit(a.type == TYPE_REAL ? OP_NEG_R : OP_NEG_C, a.type, a);
            return 1;
        }
        case NODE_ADD: case NODE_SUBTRACT: case NODE_MULTIPLY: case NODE_DIVIDE: case NODE_POWER: {
            if (!needvalue(args[0]) || !needvalue(args[1]))
                return 0;
            static const int first[] = {OP_ADD_RR, OP_SUB_RR, OP_MUL_RR, OP_DIV_RR};
            if (node.kind == NODE_POWER)
                v = power(values[args[0]], args[1]);
            else
                v = arithmetic(first[node.kind - NODE_ADD], values[args[0]], values[args[1]]);
            return 1;
        }
        case NODE_CALL: return call(node, &v);
        case NODE_COMPARE:
            if (!needvalue(args[0]) || !needvalue(args[1]))
                return 0;
            if (values[args[0]].type != TYPE_REAL || values[args[1]].type != TYPE_REAL)
                return fail(node.column, "comparisons take real values: use re, im or abs of a complex one");
            v = emit(OP_LT + node.op, TYPE_CONDITION, values[args[0]], values[args[1]]);
            return 1;
        case NODE_AND: case NODE_OR:
            if (!needcondition(args[0]) || !needcondition(args[1]))
                return 0;
            v = emit(node.kind == NODE_AND ? OP_AND : OP_OR, TYPE_CONDITION, values[args[0]],
                     values[args[1]]);
            return 1;
        case NODE_NOT:
            if (!needcondition(args[0]))
                return 0;
            v = emit(OP_NOT, TYPE_CONDITION, values[args[0]]);
            return 1;
        }
        return 0;
    }
};

/* Drops unused instructions and gives the rest registers: z, then the
   constants still read, then working registers reused after their last
   reader. */
void allocate(const std::vector<INSTR> &ssa, const std::vector<complex> &constants, int resultref,
              int nparams, EXPRPROGRAM *program)
{
    int count = (int)ssa.size();
    std::vector<char> live(count, 0);
    if (resultref >= 0)
        live[resultref] = 1;
    for (int k = count - 1; k >= 0; k--) {
        if (!live[k])
            continue;
        const int *operands[3] = {&ssa[k].a, &ssa[k].b, &ssa[k].c};
        for (int m = 0; m < operandcount(ssa[k].op); m++) {
            if (*operands[m] >= 0)
                live[*operands[m]] = 1;
        }
    }

    std::vector<int> constantregister(constants.size(), -1);
    program->constants.clear();
    auto constantreg = [&](int ref) {
        int c = -2 - ref;
        if (constantregister[c] < 0) {
            program->constants.push_back(constants[c]);
            constantregister[c] = (int)program->constants.size();
        }
        return constantregister[c];
    };
    std::vector<int> lastuse(count, -1);
    for (int k = 0; k < count; k++) {
        if (!live[k])
            continue;
        const int *operands[3] = {&ssa[k].a, &ssa[k].b, &ssa[k].c};
        for (int m = 0; m < operandcount(ssa[k].op); m++) {
            if (*operands[m] >= 0)
                lastuse[*operands[m]] = k;
            else if (*operands[m] <= -2 && !isparamref(*operands[m]))
                constantreg(*operands[m]);
        }
    }
    if (resultref <= -2 && !isparamref(resultref))
        program->result = constantreg(resultref);
    if (resultref >= 0)
        lastuse[resultref] = count;

    program->firstparam = 1 + (int)program->constants.size();
    auto paramreg = [&](int ref) { return program->firstparam + (REF_PARAM - ref); };
    if (isparamref(resultref))
        program->result = paramreg(resultref);
    int first = program->firstparam + nparams;
    std::vector<int> reg(count, -1);
    std::vector<int> free;
    int next = first;
    program->code.clear();
    for (int k = 0; k < count; k++) {
        if (!live[k])
            continue;
        INSTR instr = ssa[k];
        int *operands[3] = {&instr.a, &instr.b, &instr.c};
        int n = operandcount(instr.op);
        for (int m = 0; m < n; m++) {
            int r = *operands[m];
            *operands[m] = r >= 0 ? reg[r] : r == REF_Z ? 0 : isparamref(r) ? paramreg(r) : constantreg(r);
        }
        for (int m = 0; m < n; m++) {
            int r = m == 0 ? ssa[k].a : m == 1 ? ssa[k].b : ssa[k].c;
            int again = (m >= 1 && r == ssa[k].a) || (m == 2 && r == ssa[k].b);
            if (r >= 0 && lastuse[r] == k && !again)
                free.push_back(reg[r]);
        }
        for (int m = n; m < 3; m++)
            *operands[m] = 0;
        if (free.empty()) {
            reg[k] = next++;
        } else {
            reg[k] = free.back();
            free.pop_back();
        }
        instr.dest = reg[k];
        program->code.push_back(instr);
    }
    if (resultref >= 0)
        program->result = reg[resultref];
    if (resultref == REF_Z)
        program->result = 0;
    program->nregisters = next;
}

}

/* Compiles the tree of program for the given parameter types. */
static int compiletree(EXPRPROGRAM *program, unsigned complexparams, EXPRERROR *error)
{
    const std::vector<NODE> &nodes = program->tree;
    int root = program->root;
    COMPILER compiler = {nodes, complexparams, error, std::vector<VALUE>(nodes.size()), {}, {}, {}, {}, {}, 0};
    for (int k = 0; k < (int)nodes.size(); k++) {
        if (!compiler.compilenode(k))
            return 0;
    }
    if (!compiler.needvalue(root))
        return 0;
    const VALUE &w = compiler.values[root];
    int resultref = compiler.ref(w);
    allocate(compiler.code, compiler.constants, resultref, (int)program->parameters.size(), program);
    program->resultreal = w.type == TYPE_REAL;
    program->complexparams = complexparams;
    return 1;
}

int exprcompile(const char *text, EXPRPROGRAM *program, EXPRERROR *error)
{
    EXPRERROR scratch;
    if (error == nullptr)
        error = &scratch;
    EXPRPROGRAM compiled;
    compiled.root = parseexpr(text, &compiled.tree, &compiled.parameters, error);
    if (compiled.root < 0 || !compiletree(&compiled, 0, error))
        return 0;
    *program = std::move(compiled);
    return 1;
}

int exprretype(EXPRPROGRAM *program, unsigned complexparams, EXPRERROR *error)
{
    EXPRERROR scratch;
    if (error == nullptr)
        error = &scratch;
    if (complexparams == program->complexparams)
        return 1;
    EXPRPROGRAM compiled;
    compiled.tree = program->tree;
    compiled.root = program->root;
    compiled.parameters = program->parameters;
    if (!compiletree(&compiled, complexparams, error))
        return 0;
    *program = std::move(compiled);
    return 1;
}

unsigned exprparamtypes(const EXPRPARAMS &values)
{
    unsigned types = 0;
    for (int k = 0; k < values.count && k < EXPRMAXPARAMS; k++)
        types |= values.value[k].iscomplex ? 1u << k : 0u;
    return types;
}

int exprcheck(const char *text, EXPRERROR *error)
{
    EXPRPROGRAM program;
    return exprcompile(text, &program, error);
}
