/*
 * reproduce.h - the `lumo render` command line that makes the current
 * picture again, bit for bit: what a saved PNG carries as its Comment.
 */
#ifndef LUMO_REPRODUCE_H
#define LUMO_REPRODUCE_H

#include <string>
#include <vector>

/* One option and its values, as words. */
struct OPTIONWORDS {
    std::string name;                   /* "--view" */
    std::vector<std::string> values;    /* {"-4", "4", "-4", "4"} */
};

/* The options that set the current formula's settings, as
   reproducecommand writes them; other front ends write them their own way
   (the page as its URL). */
std::vector<OPTIONWORDS> reproducewords(const char *expr, int graph);

/* The command for the current formula's settings, up to the output
   option; `graph` says whether the picture has the graph strip (is 1300
   wide).  `expr` is formula 30's typed text (expr/expr.h customtext),
   or nullptr.
   Every word that a POSIX shell would split or expand is quoted, so the
   line can be pasted into a shell as it is. */
std::string reproducecommand(const char *expr, int graph);

/* The output option that ends the command: " -o " and the base name of
   path (without its folders, Windows' or POSIX'). */
std::string reproduceoutput(const char *path);

/* A word quoted for a POSIX shell when it needs it. */
std::string shellword(const char *word);

/* The shortest decimal text that reads back as exactly x. */
std::string exactnumber(double x);

#endif
