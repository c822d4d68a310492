/*
 * main.cpp - lumo, the command-line renderer: dispatches to a subcommand.
 */
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "cli/commands.h"
#include "cli/system.h"

static const char usage[] =
    "usage: lumo formulas\n"
    "       lumo eval --formula N [fractal options]   (reads \"x y\" lines)\n"
    "       lumo eval --expr TEXT                     (formula 30 as TEXT)\n"
    "       lumo functions                            (names TEXT may use)\n"
    "       lumo render -o FILE [options]\n"
    "       lumo animate -o OUT --frames N [--param NAME=FROM:TO]... [options]\n"
    "       lumo figure -o FILE.svg|.pdf|.png [--title TEXT] [--dpi X] [render options]\n";

static int runcommand(int argc, char **argv)
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
    if (std::strcmp(command, "animate") == 0)
        return cmd_animate(argc - 2, argv + 2);
    if (std::strcmp(command, "figure") == 0)
        return cmd_figure(argc - 2, argv + 2);
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    std::fprintf(stderr, "lumo: unknown command '%s'\n%s", command, usage);
    return 2;
}

/* Whatever the command, output that did not reach its file or pipe is a
   failure. */
int main(int argc, char **argv)
{
    /* Output short of this size is written once, at the end, where a
       failure can be reported with its reason. */
    if (!system_stdoutisterminal())
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    int status;
    try {
        status = runcommand(argc, argv);
    } catch (const std::bad_alloc &) {
        /* Memory the commands do not ask for themselves (a typed text's
           compilation, say) ran out before any file was begun. */
        std::fprintf(stderr, "lumo: not enough memory\n");
        status = 1;
    }
    errno = 0;
    int flushed = std::fflush(stdout) == 0;
    int reason = errno;
    if (!flushed || std::ferror(stdout)) {
        std::fprintf(stderr, "lumo: cannot write standard output: %s\n",
                     reason != 0 ? std::strerror(reason) : "a write failed");
        return status != 0 ? status : 1;
    }
    return status;
}
