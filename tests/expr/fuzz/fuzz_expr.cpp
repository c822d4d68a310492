/*
 * fuzz_expr.cpp - one input of the libFuzzer harness: the bytes as a typed
 * text through the parser, the compiler and the interpreter.  A text that
 * compiles runs on points that cross a block boundary, including the
 * special values, and each point must give in the block what it gives
 * alone, with its parameters at 1 and again, where the text allows it, at
 * complex values; anything else (a crash, a sanitizer report, a hang) is a fault.
 */
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "expr/program.h"

/* Runs the program over a block and a bit; each point alone must give what
   it gave in the block. */
static void runblocks(const EXPRPROGRAM &program, const EXPRPARAMS &values)
{
    const double special[] = {0.0, -0.0, 1.0, -1.0, 0.5, 3.0, -2.5, 1e-300, 1e300, HUGE_VAL, std::nan("")};
    const int n = EXPRBLOCK + 3;
    std::vector<double> x(n), y(n), wx(n), wy(n);
    for (int k = 0; k < n; k++) {
        x[k] = special[k % 11];
        y[k] = special[(k / 11) % 11];
    }
    EXPRSCRATCH scratch;
    exprscratch(program, &scratch);
    exprsetparams(program, values, &scratch);
    exprrun(program, &scratch, n, x.data(), y.data(), wx.data(), wy.data());
    for (int k = 0; k < n; k += 17) {
        double sx, sy;
        exprrun(program, &scratch, 1, &x[k], &y[k], &sx, &sy);
        int same = (std::memcmp(&sx, &wx[k], sizeof sx) == 0 || (std::isnan(sx) && std::isnan(wx[k]))) &&
                   (std::memcmp(&sy, &wy[k], sizeof sy) == 0 || (std::isnan(sy) && std::isnan(wy[k])));
        if (!same)
            std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    /* A little longer than the limit, so the length check is reached. */
    if (size > EXPRMAXLENGTH + 16)
        size = EXPRMAXLENGTH + 16;
    std::string text(reinterpret_cast<const char *>(data), size);
    EXPRPROGRAM program;
    EXPRERROR error;
    if (!exprcompile(text.c_str(), &program, &error)) {
        if (error.column < 1 || error.column > (int)text.size() + 1 || error.message[0] == '\0')
            std::abort();
        return 0;
    }
    if (program.parameters.size() > EXPRMAXPARAMS)
        std::abort();
    runblocks(program, EXPRPARAMS{0, {}});
    EXPRPARAMS values = {(int)program.parameters.size(), {}};
    for (int k = 0; k < values.count; k++)
        values.value[k] = EXPRVALUE{0.5 - k, 0.25 * k - 1.0, 1};
    if (exprretype(&program, exprparamtypes(values), &error))
        runblocks(program, values);
    else if (error.column < 1 || error.column > (int)text.size() + 1 || error.message[0] == '\0')
        std::abort();
    return 0;
}
