/*
 * evalline.cpp - one input line of `lumo eval` (see evalline.h).
 */
#include "cli/evalline.h"

#include <cstring>

#include "cli/options.h"
#include "common/LumoIO.h"

long readline(FILE *in, char *line, size_t size)
{
    size_t length = 0;
    int c = 0;
    while (length + 1 < size && c != '\n' && (c = std::getc(in)) != EOF)
        line[length++] = (char)c;
    line[length] = '\0';
    return length == 0 ? -1 : (long)length;
}

/* Splits a line into exactly two numbers x and y separated by blanks;
   returns 1 when that is what the line holds. */
int readpoint(char *line, double *x, double *y)
{
    const char *blanks = " \t\r\n\v\f";
    char *words[3];
    int count = 0;
    for (char *word = std::strtok(line, blanks); word != nullptr;
         word = std::strtok(nullptr, blanks)) {
        if (count == 3)
            break;
        words[count++] = word;
    }
    return count == 2 && parsenumber(words[0], x) && parsenumber(words[1], y);
}

/* A line for quoting in a message: cut short, its line end dropped, and
   control characters and bytes beyond ASCII written as escapes, so what
   reaches the terminal is only ever plain text. */
void quoteline(const char *line, size_t length, char *quote, size_t size)
{
    size_t used = 0;
    if (size == 0)
        return;
    while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r'))
        length--;
    for (size_t k = 0; k < length && used + 5 < size; k++) {
        unsigned char c = (unsigned char)line[k];
        if (c >= 0x20 && c < 0x7f && c != '\\')
            quote[used++] = (char)c;
        else if (c == '\\' || c == '\t')
            used += (size_t)LumoIO::sprintf_s(quote + used, size - used, "\\%c", c == '\t' ? 't' : '\\');
        else
            used += (size_t)LumoIO::sprintf_s(quote + used, size - used, "\\x%02x", c);
    }
    quote[used] = '\0';
}
