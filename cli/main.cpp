/*
 * main.cpp - lumo, the command-line renderer: dispatches to a subcommand.
 */
#include <cstdio>
#include <cstring>

#include "cli/commands.h"

static const char usage[] =
    "usage: lumo formulas\n"
    "       lumo eval --formula N [fractal options]   (reads \"x y\" lines)\n"
    "       lumo eval --expr TEXT                     (formula 30 as TEXT)\n"
    "       lumo functions                            (names TEXT may use)\n"
    "       lumo render -o FILE [options]\n";

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    const char *command = argv[1];
    if (std::strcmp(command, "formulas") == 0)
        return cmd_formulas(argc - 2, argv + 2);
    if (std::strcmp(command, "functions") == 0)
        return cmd_functions(argc - 2, argv + 2);
    if (std::strcmp(command, "eval") == 0)
        return cmd_eval(argc - 2, argv + 2);
    if (std::strcmp(command, "render") == 0)
        return cmd_render(argc - 2, argv + 2);
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    std::fprintf(stderr, "lumo: unknown command '%s'\n%s", command, usage);
    return 2;
}
