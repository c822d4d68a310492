/*
 * commands.h - the subcommands of the lumo command-line tool.  Each takes
 * the arguments after its own name and returns the exit status: 0 success,
 * 1 a file or standard output that cannot be written or input that cannot
 * be read, 2 bad input (one line on standard error says what).
 */
#ifndef LUMO_CLI_COMMANDS_H
#define LUMO_CLI_COMMANDS_H

int cmd_formulas(int argc, char **argv);
int cmd_eval(int argc, char **argv);
int cmd_functions(int argc, char **argv);
int cmd_render(int argc, char **argv);
int cmd_animate(int argc, char **argv);
/* lumo render --figure. */
int cmd_figure(int argc, char **argv);

#endif
