/*
 * replay.cpp - runs a fuzz target over every file of its saved corpus, for
 * builds without libFuzzer.  Usage: replay CORPUS_FOLDER.
 */
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: replay CORPUS_FOLDER\n");
        return 2;
    }
    int files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput((const uint8_t *)bytes.data(), bytes.size());
        files++;
    }
    std::printf("%d inputs replayed\n", files);
    return files > 0 ? 0 : 1;
}
