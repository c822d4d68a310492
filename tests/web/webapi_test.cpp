/*
 * webapi_test.cpp - the page's calls into the core, compiled natively:
 * the settings written back as words make the same settings and the same
 * rows again (the page's URL round trip), and nothing of one set of words
 * leaks into the next (each is laid over fresh defaults, as in a new lumo).
 */
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

extern "C" {
void lumo_start();
const char *lumo_apply(const char *words);
const char *lumo_words();
int lumo_width();
int lumo_height();
unsigned char *lumo_rows(int first, int count);
}

namespace {

/* lumo_words' lines (words separated by tabs) as lumo_apply's words. */
std::string applyform(std::string words)
{
    for (char &c : words)
        if (c == '\t')
            c = '\n';
    return words;
}

struct PICTURE {
    std::string words;
    std::vector<unsigned char> rows;
};

/* Applies words and takes what the page would show: the words written
   back and three rows of the picture. */
PICTURE take(const std::string &words)
{
    std::string error = lumo_apply(words.c_str());
    EXPECT_EQ(error, "") << words;
    PICTURE p;
    p.words = lumo_words();
    for (int row : {0, lumo_height() / 2, lumo_height() - 1}) {
        const unsigned char *rgba = lumo_rows(row, 1);
        p.rows.insert(p.rows.end(), rgba, rgba + 4 * lumo_width());
    }
    return p;
}

/* A random picture's options, one word a line. */
std::string randomwords(std::mt19937 &random)
{
    static const char *const maps[] = {"0", "continuous", "both", "3d", "abs-grey", "perceptual", "enhanced", "9"};
    static const char *const grids[] = {"none", "square", "phase", "both"};
    static const char *const texts[] = {"zeta(z)", "sin(z)^2 - 1/z", "if(abs(z) < 1, z, 1/z)", "gamma(z) + 2i"};
    auto pick = [&](int n) { return (int)(random() % (unsigned)n); };
    std::string w;
    int f = pick(31);
    if (f == 30 && pick(2))
        w += std::string("--expr\n") + texts[pick(4)] + "\n";
    else
        w += "--formula\n" + std::to_string(f) + "\n";
    if (pick(2)) {
        double a = -3.0 + pick(100) * 0.01237, b = a + 0.5 + pick(50) * 0.1;
        w += "--view\n" + std::to_string(a) + "\n" + std::to_string(b) + "\n-1.25\n" + std::to_string(1.0 + pick(7)) + "\n";
    }
    w += "--size\n" + std::to_string(32 + pick(40)) + "\n" + std::to_string(32 + pick(40)) + "\n";
    int map = pick(8);
    w += std::string("--map\n") + maps[map] + "\n";
    if (map != 3)
        w += std::string("--grid\n") + grids[pick(4)] + "\n";
    w += "--brightness\n" + std::to_string(1 + pick(3)) + "\n";
    if (pick(2))
        w += "--grid-width\n0.0" + std::to_string(1 + pick(9)) + "\n--grid-extent\n" + std::to_string(2 + pick(49)) + "\n";
    if (pick(2))
        w += "--abs-limit\n" + std::to_string(0.5 + pick(100)) + "\n";
    if (pick(4) == 0)
        w += pick(2) ? "--projection\nsphere\n--center\n0.5\n-1\n" : "--projection\nlandscape\n--camera\n30\n40\n";
    if (f <= 2)
        w += "--maxiter\n" + std::to_string(1 + pick(300)) + "\n--escape\n" + std::to_string(pick(3)) +
             "\n--julia\n0.25\n-0.5\n";
    return w;
}

class WebApi : public ::testing::Test {
protected:
    static void SetUpTestSuite() { lumo_start(); }
};

TEST_F(WebApi, TheWordsWrittenBackMakeTheSamePicture)
{
    std::mt19937 random(15);
    for (int k = 0; k < 60; k++) {
        PICTURE first = take(randomwords(random));
        PICTURE again = take(applyform(first.words));
        EXPECT_EQ(again.words, first.words);
        EXPECT_TRUE(again.rows == first.rows) << first.words;
        if (HasFailure())
            return;
    }
}

TEST_F(WebApi, NothingOfOneSetOfWordsLeaksIntoTheNext)
{
    std::mt19937 random(16);
    for (int k = 0; k < 40; k++) {
        std::string before = randomwords(random), words = randomwords(random);
        PICTURE fresh = take(words);
        take(before);
        PICTURE after = take(words);
        EXPECT_EQ(after.words, fresh.words) << "after " << before;
        EXPECT_TRUE(after.rows == fresh.rows) << words << " after " << before;
        if (HasFailure())
            return;
    }
}

TEST_F(WebApi, RefusedWordsSayWhyAndTheNextWordsStillWork)
{
    const char *const bad[] = {"--formula\n31", "--size\n10\n600", "--map\nnope", "--view\na\n1\n2\n3",
                               "--expr\nsinn(z)", "--frob", "--graph\n--size\n300\n300", "--grid\nsquare\n--map\n3d"};
    for (const char *words : bad) {
        EXPECT_STRNE(lumo_apply(words), "") << words;
        EXPECT_STREQ(lumo_apply("--formula\n16"), "") << "after " << words;
    }
    std::string typed = lumo_apply("--expr\nsinn(z)");
    EXPECT_NE(typed.find("column 1"), std::string::npos) << typed;
}

}   // namespace
