/*
 * words_fuzz.cpp - any bytes as the option words a page's URL hands the
 * core (one word a line): lumo_apply either refuses them with a message or
 * takes them, and then the words it writes back must be taken again and
 * come back unchanged, as the page's URL round trip needs.
 *
 * Built with clang's libFuzzer (-fsanitize=fuzzer,address,undefined) as
 * words_fuzz; every build replays the saved corpus through
 * tests/cli/fuzz/replay.cpp.
 */
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" {
void lumo_start();
const char *lumo_apply(const char *words);
const char *lumo_words();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool started = false;
    if (!started) {
        lumo_start();
        started = true;
    }
    std::string words((const char *)data, size);
    for (char &c : words)
        if (c == '\0')
            c = '\n';
    std::string error = lumo_apply(words.c_str());
    if (!error.empty())
        return 0;
    std::string written = lumo_words();
    std::string again = written;
    for (char &c : again)
        if (c == '\t')
            c = '\n';
    if (std::string(lumo_apply(again.c_str())) != "" || lumo_words() != written)
        std::abort();
    return 0;
}
