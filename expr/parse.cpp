/*
 * parse.cpp - text to syntax tree, by recursive descent over this grammar
 * (the README writes it down for users):
 *
 *   condition  = conjunct { "or" conjunct }
 *   conjunct   = negation { "and" negation }
 *   negation   = "not" negation | relation
 *   relation   = sum [ ( "<" | "<=" | ">" | ">=" | "==" | "!=" ) sum ]
 *   sum        = product { ( "+" | "-" ) product }
 *   product    = signed { ( "*" | "/" ) signed | power }   (power: implicit *)
 *   signed     = "-" signed | power
 *   power      = primary [ "^" exponent ]
 *   exponent   = "-" exponent | power                      (so ^ is right-assoc)
 *   primary    = number | imaginary | name | name open args close
 *              | open condition close
 *
 * A bare name that is none of the language's is a parameter (at most
 * EXPRMAXPARAMS of them); the compiler reads its value from a register the
 * caller fills, so a new value needs no new parse.
 *   open/close = "(" and ")" or "[" and "]", matched
 *
 * Conditions and values share the grammar so that "(a < b) and not (c < d)"
 * needs no look-ahead; the compiler refuses a condition where a value
 * belongs and the reverse.  Implicit multiplication only starts at a name or
 * an opening bracket: "2z", "2 sin(z)", "(z+1)(z-1)", but "2 3" is an
 * error rather than a guess.  Every way into a deeper level counts against
 * EXPRMAXDEPTH, so no text can exhaust the stack.
 */
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "expr/syntax.h"

namespace {

enum TOKENKIND { TK_END, TK_NUMBER, TK_IMAGINARY, TK_NAME, TK_SYMBOL };

struct TOKEN {
    TOKENKIND kind;
    int start;          /* offset into the text */
    int length;
    double value;
    int integer;
};

struct PARSER {
    const char *text;
    std::vector<NODE> *nodes;
    std::vector<std::string> *parameters;
    EXPRERROR *error;
    TOKEN token;
    int position;       /* offset just after token */
    int depth;
    int failed;

    int fail(int offset, const std::string &message)
    {
        if (!failed) {
            failed = 1;
            error->column = offset + 1;
            std::snprintf(error->message, sizeof error->message, "%s", message.c_str());
        }
        return -1;
    }

    int isnamechar(char c) { return std::isalnum((unsigned char)c) || c == '_'; }

    /* Reads a number starting at p: digits with an optional point, an
       exponent only where a digit follows the e (so "2e" is 2 times e),
       and a trailing i when no name character follows it. */
    void readnumber(int p)
    {
        int start = p;
        int plain = 1;
        while (std::isdigit((unsigned char)text[p]))
            p++;
        if (text[p] == '.') {
            plain = 0;
            p++;
            while (std::isdigit((unsigned char)text[p]))
                p++;
        }
        if (text[p] == 'e' || text[p] == 'E') {
            int q = p + 1;
            if (text[q] == '+' || text[q] == '-')
                q++;
            if (std::isdigit((unsigned char)text[q])) {
                plain = 0;
                p = q;
                while (std::isdigit((unsigned char)text[p]))
                    p++;
            }
        }
        /* from_chars rounds correctly and ignores the locale on every
           platform; it leaves an overflow or underflow to strtod, whose
           infinity or zero is then the value. */
        auto read = std::from_chars(text + start, text + p, token.value);
        if (read.ec != std::errc()) {
            std::string digits(text + start, p - start);
            token.value = std::strtod(digits.c_str(), nullptr);
        }
        token.integer = plain && p - start <= 9;
        token.kind = TK_NUMBER;
        if (text[p] == 'i' && !isnamechar(text[p + 1])) {
            token.kind = TK_IMAGINARY;
            p++;
        }
        token.length = p - start;
        position = p;
    }

    void next()
    {
        int p = position;
        while (text[p] == ' ' || text[p] == '\t' || text[p] == '\n' || text[p] == '\r')
            p++;
        token.start = p;
        token.integer = 0;
        token.value = 0.0;
        char c = text[p];
        if (c == '\0') {
            token.kind = TK_END;
            token.length = 0;
            position = p;
        } else if (std::isdigit((unsigned char)c) ||
                   (c == '.' && std::isdigit((unsigned char)text[p + 1]))) {
            readnumber(p);
        } else if (std::isalpha((unsigned char)c) || c == '_') {
            int q = p;
            while (isnamechar(text[q]))
                q++;
            token.kind = TK_NAME;
            token.length = q - p;
            position = q;
        } else {
            token.kind = TK_SYMBOL;
            token.length = 1;
            if ((c == '<' || c == '>' || c == '=' || c == '!') && text[p + 1] == '=')
                token.length = 2;
            position = p + token.length;
        }
    }

    int is(const char *symbol)
    {
        int n = (int)std::strlen(symbol);
        return (token.kind == TK_SYMBOL || token.kind == TK_NAME) && token.length == n &&
               std::strncmp(text + token.start, symbol, n) == 0;
    }

    /* The current token as the user wrote it, for a message. */
    std::string describe()
    {
        if (token.kind == TK_END)
            return "the end of the text";
        unsigned char c = (unsigned char)text[token.start];
        if (token.kind == TK_SYMBOL && (c < 0x21 || c > 0x7e)) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "character 0x%02X", c);
            return buffer;
        }
        std::string s(text + token.start, token.length);
        if (s.size() > 40)
            s = s.substr(0, 40) + "...";
        return "\"" + s + "\"";
    }

    int add(NODEKIND kind, int column, int a = -1, int b = -1)
    {
        NODE node = {};
        node.kind = kind;
        node.column = column;
        node.args[0] = a;
        node.args[1] = b;
        node.nargs = (a >= 0) + (b >= 0);
        nodes->push_back(node);
        return (int)nodes->size() - 1;
    }

    /* Enters one level deeper; 0 (with the error set) past the bound. */
    int enter()
    {
        if (++depth > EXPRMAXDEPTH) {
            fail(token.start, "nested more than " + std::to_string((int)EXPRMAXDEPTH) + " levels deep");
            return 0;
        }
        return 1;
    }

    int condition()
    {
        int left = conjunct();
        while (left >= 0 && is("or")) {
            int column = token.start + 1;
            next();
            int right = conjunct();
            if (right < 0)
                return -1;
            left = add(NODE_OR, column, left, right);
        }
        return left;
    }

    int conjunct()
    {
        int left = negation();
        while (left >= 0 && is("and")) {
            int column = token.start + 1;
            next();
            int right = negation();
            if (right < 0)
                return -1;
            left = add(NODE_AND, column, left, right);
        }
        return left;
    }

    int negation()
    {
        if (!is("not"))
            return relation();
        int column = token.start + 1;
        if (!enter())
            return -1;
        next();
        int a = negation();
        depth--;
        return a < 0 ? -1 : add(NODE_NOT, column, a);
    }

    int relation()
    {
        static const char *const symbols[] = {"<", "<=", ">", ">=", "==", "!="};
        int left = sum();
        if (left < 0)
            return -1;
        for (int op = 0; op < 6; op++) {
            if (token.kind == TK_SYMBOL && is(symbols[op])) {
                int column = token.start + 1;
                next();
                int right = sum();
                if (right < 0)
                    return -1;
                int n = add(NODE_COMPARE, column, left, right);
                (*nodes)[n].op = op;
                return n;
            }
        }
        if (is("="))
            return fail(token.start, "\"=\" is not a comparison; write \"==\"");
        return left;
    }

    int sum()
    {
        int left = product();
        while (left >= 0 && (is("+") || is("-"))) {
            NODEKIND kind = is("+") ? NODE_ADD : NODE_SUBTRACT;
            int column = token.start + 1;
            next();
            int right = product();
            if (right < 0)
                return -1;
            left = add(kind, column, left, right);
        }
        return left;
    }

    /* A name other than a condition word, or an opening bracket, right
       after a value multiplies it. */
    int startsimplicit()
    {
        if (token.kind == TK_NAME)
            return !is("and") && !is("or") && !is("not");
        return is("(") || is("[");
    }

    int product()
    {
        int left = signedvalue();
        while (left >= 0) {
            int column = token.start + 1;
            int right;
            NODEKIND kind = NODE_MULTIPLY;
            if (is("*") || is("/")) {
                kind = is("*") ? NODE_MULTIPLY : NODE_DIVIDE;
                next();
                right = signedvalue();
            } else if (startsimplicit()) {
                right = power();
            } else {
                break;
            }
            if (right < 0)
                return -1;
            left = add(kind, column, left, right);
        }
        return left;
    }

    int signedvalue()
    {
        if (!is("-"))
            return power();
        int column = token.start + 1;
        if (!enter())
            return -1;
        next();
        int a = signedvalue();
        depth--;
        return a < 0 ? -1 : add(NODE_NEGATE, column, a);
    }

    int power()
    {
        int base = primary();
        if (base < 0 || !is("^"))
            return base;
        int column = token.start + 1;
        if (!enter())
            return -1;
        next();
        int e = exponent();
        depth--;
        return e < 0 ? -1 : add(NODE_POWER, column, base, e);
    }

    int exponent()
    {
        if (!is("-"))
            return power();
        int column = token.start + 1;
        if (!enter())
            return -1;
        next();
        int a = exponent();
        depth--;
        return a < 0 ? -1 : add(NODE_NEGATE, column, a);
    }

    /* After an opening bracket: the closing one of the same kind. */
    int close(char open, int openstart)
    {
        const char *want = open == '(' ? ")" : "]";
        if (is(want)) {
            next();
            return 1;
        }
        if (token.kind == TK_END)
            fail(token.start, std::string("missing \"") + want + "\" (to close column " +
                              std::to_string(openstart + 1) + ")");
        else
            fail(token.start, "expected \"" + std::string(want) + "\", found " + describe());
        return 0;
    }

    int group()
    {
        char open = text[token.start];
        int openstart = token.start;
        if (!enter())
            return -1;
        next();
        int inner = condition();
        depth--;
        if (inner < 0 || !close(open, openstart))
            return -1;
        return inner;
    }

    int call(int f, int column)
    {
        char open = text[token.start];
        int openstart = token.start;
        if (!enter())
            return -1;
        next();
        int args[3];
        int count = 0;
        int arity = functionarity(f);
        for (;;) {
            int a = condition();
            if (a < 0)
                return -1;
            args[count++] = a;
            if (!is(","))
                break;
            if (count == arity)
                return fail(token.start, fnname(f) + " takes " + plural(arity));
            next();
        }
        depth--;
        if (!close(open, openstart))
            return -1;
        if (count != arity)
            return fail(column - 1, fnname(f) + " takes " + plural(arity));
        /* Added after its arguments: the compiler relies on children
           coming first. */
        int n = add(NODE_CALL, column);
        NODE &node = (*nodes)[n];
        node.op = f;
        node.nargs = count;
        for (int k = 0; k < count; k++)
            node.args[k] = args[k];
        return n;
    }

    int parameter(const std::string &name, int column)
    {
        int k = 0;
        while (k < (int)parameters->size() && (*parameters)[k] != name)
            k++;
        if (k == (int)parameters->size()) {
            if (k == EXPRMAXPARAMS)
                return fail(column - 1, "more than " + std::to_string((int)EXPRMAXPARAMS) +
                                            " parameters: \"" + name + "\" is one too many");
            parameters->push_back(name);
        }
        int n = add(NODE_PARAMETER, column);
        (*nodes)[n].op = k;
        return n;
    }

    std::string fnname(int f) { return "\"" + std::string(functionname(f)) + "\""; }
    std::string plural(int n) { return std::to_string(n) + (n == 1 ? " argument" : " arguments"); }

    int primary()
    {
        int column = token.start + 1;
        if (token.kind == TK_NUMBER || token.kind == TK_IMAGINARY) {
            int n = add(token.kind == TK_NUMBER ? NODE_NUMBER : NODE_IMAGINARY, column);
            (*nodes)[n].value = token.value;
            (*nodes)[n].integer = token.integer;
            next();
            return n;
        }
        if (is("(") || is("["))
            return group();
        if (token.kind != TK_NAME)
            return fail(token.start, "expected a value, found " + describe());
        const char *name = text + token.start;
        int length = token.length;
        std::string quoted = describe();
        next();
        if (length == 1 && name[0] == 'z')
            return add(NODE_Z, column);
        if (length == 1 && name[0] == 'i') {
            int n = add(NODE_IMAGINARY, column);
            (*nodes)[n].value = 1.0;
            return n;
        }
        if ((length == 2 && std::strncmp(name, "pi", 2) == 0) || (length == 1 && name[0] == 'e')) {
            int n = add(NODE_NUMBER, column);
            (*nodes)[n].value = length == 2 ? 3.141592653589793 : 2.718281828459045;
            return n;
        }
        int f = findfunction(name, length);
        if (f < 0) {
            if (length == 3 && (std::strncmp(name, "and", 3) == 0 || std::strncmp(name, "not", 3) == 0))
                return fail(column - 1, "expected a value, found " + quoted);
            if (length == 2 && std::strncmp(name, "or", 2) == 0)
                return fail(column - 1, "expected a value, found " + quoted);
            /* Written bare, a name the language does not know is a
               parameter; called, it is a misspelt function. */
            if (is("(") || is("[") || !std::isalpha((unsigned char)name[0]))
                return fail(column - 1, "unknown name " + quoted);
            return parameter(std::string(name, length), column);
        }
        if (!is("(") && !is("["))
            return fail(column - 1, quoted + " needs its argument in parentheses");
        return call(f, column);
    }
};

}

int parseexpr(const char *text, std::vector<NODE> *nodes, std::vector<std::string> *parameters,
              EXPRERROR *error)
{
    EXPRERROR scratch;
    if (error == nullptr)
        error = &scratch;
    error->column = 0;
    error->message[0] = '\0';
    nodes->clear();
    parameters->clear();
    size_t length = std::strlen(text);
    if (length > EXPRMAXLENGTH) {
        error->column = EXPRMAXLENGTH + 1;
        std::snprintf(error->message, sizeof error->message, "longer than %d characters",
                      (int)EXPRMAXLENGTH);
        return -1;
    }
    PARSER parser = {text, nodes, parameters, error, TOKEN(), 0, 0, 0};
    parser.next();
    int root = parser.condition();
    if (root >= 0 && parser.token.kind != TK_END) {
        if (parser.token.kind == TK_NUMBER || parser.token.kind == TK_IMAGINARY)
            return parser.fail(parser.token.start, "missing operator before " + parser.describe());
        if (parser.is(")") || parser.is("]"))
            return parser.fail(parser.token.start, "unmatched " + parser.describe());
        return parser.fail(parser.token.start, "unexpected " + parser.describe());
    }
    return root;
}
