/*
 * replay.cpp - runs the fuzz harness's entry point over every file of the
 * saved corpus, with the normal compiler and no fuzzing engine, so that the
 * test suite keeps every input the fuzzer found interesting.
 *
 * usage: expr_corpus_replay CORPUS-FOLDER
 */
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: expr_corpus_replay CORPUS-FOLDER\n");
        return 2;
    }
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(argv[1])) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
        count++;
    }
    std::printf("%d inputs replayed\n", count);
    /* An empty folder would make this test prove nothing. */
    return count > 0 ? 0 : 1;
}
