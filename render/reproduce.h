/*
 * reproduce.h - the `lumo render` command line that makes the current
 * picture again, bit for bit: what a saved PNG carries as its Comment.
 */
#ifndef LUMO_REPRODUCE_H
#define LUMO_REPRODUCE_H

#include <string>
#include <vector>

#include "expr/expr.h"

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
   or nullptr; with it come its parameters' values, one --param NAME=VALUE
   each.
   Every word that a POSIX shell would split or expand is quoted, so the
   line can be pasted into a shell as it is. */
std::string reproducecommand(const char *expr, int graph);

/* The end of the command, which makes the file again when a POSIX shell
   runs it in the file's folder: " --format png" unless the name ends in
   .png (in any case), then " -o " and the base name of path, without its
   folders ('/' separates them, and '\\' too where windowsnames is set),
   written so that the shell turns it back into exactly its bytes (see
   shellname). */
std::string reproduceoutput(const char *path, int windowsnames);

/* " -o " and the base name as reproduceoutput writes it, for a file whose
   kind its name gives (a figure). */
std::string reproducefile(const char *path, int windowsnames);

/* A file name as one word that a POSIX shell turns back into exactly its
   bytes, in plain text: a name that starts with '-' gets "./" (lumo would
   take it for an option); a UTF-8 name of printable characters is quoted
   as shellword quotes it; any other (control characters, bytes that are
   not UTF-8) is made by printf from octal escapes, "$(printf '\\377')",
   so the command stays valid UTF-8 - except that a shell drops the line
   ends that such a name ends with. */
std::string shellname(const std::string &name);

/* A word quoted for a POSIX shell when it needs it. */
std::string shellword(const char *word);

/* The shortest decimal text that reads back as exactly x. */
std::string exactnumber(double x);

/* A parameter's value as a text that reads back (exprreadvalue) as
   exactly the same value: 0.25, or 0.25+0.1i for a complex one. */
std::string exactvalue(const EXPRVALUE &value);

#endif
