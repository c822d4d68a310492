/*
 * eval.cpp - `lumo formulas` lists the function table; `lumo eval`
 * evaluates one formula at the points read from standard input, one
 * "x y" line each, and prints "wx wy result" per point.
 */
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/evalline.h"
#include "cli/options.h"
#include "cli/system.h"
#include "common/LumoIO.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "render/paramoptions.h"
#include "render/params.h"

static const char evalusage[] =
    "usage: lumo eval --formula N | --expr TEXT [--param NAME=VALUE]... [--maxiter N]\n"
    "                 [--bailout X] [--exponent X]\n"
    "                 [--julia CX CY] [--escape 0|1|2] [--yside H] [--yres N]\n"
    "Reads lines \"x y\" from standard input and prints \"wx wy result\" for each.\n";

/* Prints the formula numbers with their labels, and the product's note
   under its line. */
int cmd_formulas(int argc, char **argv)
{
    if (argc > 0) {
        std::fprintf(stderr, "lumo formulas: unexpected argument '%s'\n", argv[0]);
        return 2;
    }
    for (int k = 0; k < NFORMULAS; k++) {
        std::printf("%2d  %s\n", k, formulalabel[k]);
        if (fpointer[k] == product)
            std::printf("      %s\n", productnote);
    }
    return 0;
}

/* Lists the names a typed function may use, with what each is. */
int cmd_functions(int argc, char **argv)
{
    if (argc > 0) {
        std::fprintf(stderr, "lumo functions: unexpected argument '%s'\n", argv[0]);
        return 2;
    }
    for (int k = 0; k < nexprnames; k++)
        std::printf("%-9s %s\n", exprnames[k].name, exprnames[k].description);
    std::printf("Operators: + - * / ^, unary -, ( ) [ ], comparisons < <= > >= == !=\n");
    return 0;
}

enum { LONGEST = 4094 };

/* Reads the points and prints their values: 0; 2 on a bad line (the lines
   before it are printed); 1 when standard input cannot be read or the
   output cannot be written.  A line is read into a buffer one byte longer
   than the longest line with its line end, so a longer one is known by
   that byte and never takes more memory.  Into a pipe each result goes out
   at once, so a program can drive the evaluation a line at a time. */
static int evaluatelines(FORMULA f)
{
    int piped = system_stdoutispipe();
    static char line[LONGEST + 3];
    char quote[80];
    long number = 0;
    int status = 0;
    long length;
    errno = 0;
    while ((length = readline(stdin, line, sizeof line)) >= 0) {
        number++;
        quoteline(line, (size_t)length, quote, sizeof quote);
        if (std::memchr(line, '\0', (size_t)length) != nullptr) {
            std::fprintf(stderr, "lumo eval: line %ld holds a NUL character: '%s'\n", number, quote);
            status = 2;
            break;
        }
        if (length > LONGEST + 1 || (length == LONGEST + 1 && line[LONGEST] != '\n')) {
            std::fprintf(stderr, "lumo eval: line %ld is longer than %d characters\n",
                         number, LONGEST);
            status = 2;
            break;
        }
        double x, y;
        if (!readpoint(line, &x, &y)) {
            std::fprintf(stderr, "lumo eval: line %ld: expected two numbers \"x y\", got '%s'\n",
                         number, quote);
            status = 2;
            break;
        }
        /* gamma_fractal's early exit leaves w unwritten. */
        double wx = 0.0, wy = 0.0;
        int result = 0;
        try {
            result = f(x, y, &wx, &wy);
        } catch (const std::bad_alloc &) {
            /* A typed function's registers are had per point. */
            std::fprintf(stderr, "lumo eval: line %ld: not enough memory to evaluate the function\n",
                         number);
            status = 1;
            break;
        }
        if (std::printf("%.17g %.17g %d\n", wx, wy, result) < 0 ||
            (piped && std::fflush(stdout) != 0))
            break;
        errno = 0;
    }
    if (status == 0 && std::ferror(stdin)) {
        std::fprintf(stderr, "lumo eval: cannot read standard input: %s\n",
                     errno != 0 ? std::strerror(errno) : "a read failed");
        status = 1;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "lumo eval: cannot write the results: %s\n",
                     errno != 0 ? std::strerror(errno) : "a write failed");
        /* Said once: the results that did not go out are given up. */
        std::clearerr(stdout);
        return 1;
    }
    return status;
}

/* Reports an option whose value is missing or not of the kind it needs. */
static int badvalue(const char *option, const char *value, const char *needs)
{
    if (value == nullptr)
        std::fprintf(stderr, "lumo eval: %s needs %s\n", option, needs);
    else
        std::fprintf(stderr, "lumo eval: %s needs %s, got '%s'\n", option, needs, value);
    return 2;
}

/* lumo eval: reads the options, sets the settings the formula reads, then
   evaluates the points of standard input. */
int cmd_eval(int argc, char **argv)
{
    FRACTALOPTIONS options;
    initfractaloptions(&options);
    long number = -1;
    double height = 0.0;
    int heightset = 0;
    long rows = 600;
    int expression = 0;
    char error[256];
    std::vector<const char *> params;

    for (int i = 0; i < argc;) {
        int taken = takefractaloption(argc, argv, i, &options, error, sizeof error);
        if (taken < 0) {
            std::fprintf(stderr, "lumo eval: %s\n", error);
            return 2;
        }
        if (taken > 0) {
            i += taken;
            continue;
        }
        const char *option = argv[i];
        const char *value = (i + 1 < argc) ? argv[i + 1] : nullptr;
        if (std::strcmp(option, "--expr") == 0) {
            if (value == nullptr)
                return badvalue(option, value, "a function of z");
            if (!takeexpression(value))
                return 2;
            expression = 1;
        } else if (std::strcmp(option, "--param") == 0) {
            if (value == nullptr)
                return badvalue(option, value, "NAME=VALUE");
            params.push_back(value);
        } else if (std::strcmp(option, "--formula") == 0) {
            if (!parsewhole(value, &number) || number < 0 || number >= NFORMULAS)
                return badvalue(option, value, "a formula number 0..30");
        } else if (std::strcmp(option, "--yside") == 0) {
            if (!parsefinite(value, &height) || !(height > 0.0))
                return badvalue(option, value, "a view height above 0");
            heightset = 1;
        } else if (std::strcmp(option, "--yres") == 0) {
            if (!parsewhole(value, &rows))
                return badvalue(option, value, "a whole number");
            if (checkresolution(rows) >= 0) {
                char text[128];
                paramerrorline(checkresolution(rows), text, sizeof text);
                std::fprintf(stderr, "lumo eval: --yres %s: %s\n", value, text);
                return 2;
            }
        } else if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
            std::fputs(evalusage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "lumo eval: unknown option '%s'\n", option);
            return 2;
        }
        i += 2;
    }
    if (expression && number >= 0 && number != 30) {
        std::fprintf(stderr, "lumo eval: --expr is formula 30's function; leave out --formula %ld\n", number);
        return 2;
    }
    if (expression)
        number = 30;
    if (!params.empty() && number != 30) {
        std::fprintf(stderr, "lumo eval: --param sets a parameter of a typed function (--expr)\n");
        return 2;
    }
    if (number == 30) {
        std::string why, note;
        if (!applyparamoptions((int)params.size(), params.data(), 0, &why, &note)) {
            std::fprintf(stderr, "lumo eval: %s\n", why.c_str());
            return 2;
        }
        if (!note.empty())
            std::fprintf(stderr, "lumo eval: %s\n", note.c_str());
    }
    if (number < 0) {
        std::fprintf(stderr, "lumo eval: --formula N is required (lumo formulas lists them), or --expr TEXT\n");
        return 2;
    }

    formula = (int)number;
    applyfractaloptions(&options, formula);
    yside = heightset ? height : im[formula].ymax - im[formula].ymin;
    yres = (int)rows;
    fillfactorial();
    return evaluatelines(fpointer[formula]);
}
