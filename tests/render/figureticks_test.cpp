/*
 * figureticks_test.cpp - the axes' ticks over many random views and
 * lengths: inside the view, every multiple of one 1-2-5 step, labels that
 * read back as exactly their tick and tell neighbours apart, spaced as
 * asked, and no smaller step that would still be spaced so.
 */
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "render/figureticks.h"

namespace {

double readback(std::string label)
{
    const std::string minus = "\xe2\x88\x92";
    if (label.compare(0, minus.size(), minus) == 0)
        label = "-" + label.substr(minus.size());
    char *end = nullptr;
    double v = std::strtod(label.c_str(), &end);
    EXPECT_EQ(*end, '\0') << label;
    return v;
}

int widest(const std::vector<FIGTICK> &ticks)
{
    int w = 1;
    for (const FIGTICK &t : ticks)
        w = std::max(w, labelchars(t.label));
    return w;
}

double stepsize(TICKSTEP s)
{
    return s.mantissa * std::pow(10.0, s.exponent);
}

TICKSTEP smaller(TICKSTEP s)
{
    if (s.mantissa == 5)
        return {2, s.exponent};
    if (s.mantissa == 2)
        return {1, s.exponent};
    return {5, s.exponent - 1};
}

}   // namespace

TEST(FigureTicks, RandomViewsAndLengths)
{
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int n = 0; n < 2000; n++) {
        double low = -30.0 + 50.0 * unit(random);
        double width = std::pow(10.0, -8.0 + 9.7 * unit(random));
        double high = low + width;
        double length = 32.0 + 9568.0 * unit(random) * unit(random);
        bool across = n % 2 == 0;
        double gap = 20.0, charwidth = across ? 8.0 : 0.0;
        TICKSTEP step = choosestep(low, high, length, gap, charwidth, across);
        ASSERT_TRUE(step.mantissa == 1 || step.mantissa == 2 || step.mantissa == 5);
        std::vector<FIGTICK> ticks = ticksat(step, low, high);
        SCOPED_TRACE(std::to_string(low) + " .. " + std::to_string(high) + " over " +
                     std::to_string(length));

        double size = stepsize(step);
        std::set<std::string> labels;
        for (size_t k = 0; k < ticks.size(); k++) {
            const FIGTICK &t = ticks[k];
            EXPECT_TRUE(t.value >= low && t.value <= high) << t.label;
            EXPECT_EQ(readback(t.label), t.value) << t.label;
            /* Ticks are doubles near decimals: allow a few of their ulps. */
            double slack = 1e-14 * std::max(1.0, std::fabs(t.value));
            double multiple = t.value / size;
            EXPECT_NEAR(multiple, std::round(multiple), 1e-6 + slack / size) << t.label;
            EXPECT_TRUE(labels.insert(t.label).second) << t.label;
            if (k > 0) {
                EXPECT_NEAR(t.value - ticks[k - 1].value, size, size * 1e-6 + slack);
            }
            /* No trailing zeros, no needless decimals. */
            size_t point = t.label.find('.');
            if (point != std::string::npos) {
                EXPECT_NE(t.label.back(), '0') << t.label;
                EXPECT_LE((int)(t.label.size() - point - 1), std::max(0, -step.exponent)) << t.label;
            }
        }
        /* Every multiple of the step inside the view has its tick. */
        if (!ticks.empty()) {
            EXPECT_LT(ticks.front().value - size, low);
            EXPECT_GT(ticks.back().value + size, high);
        }
        double spacing = size / width * length;
        double needed = gap + (across ? widest(ticks) * charwidth : 0.0);
        EXPECT_GE(spacing, needed);
        /* The step is the smallest spaced so. */
        TICKSTEP less = smaller(step);
        double lessneeded = gap + (across ? widest(ticksat(less, low, high)) * charwidth : 0.0);
        EXPECT_LT(stepsize(less) / width * length, lessneeded);
        if (HasFailure())
            return;
    }
}

TEST(FigureTicks, ZeroAndSigns)
{
    std::vector<FIGTICK> t = ticksat({5, -1}, -1.0, 1.0);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].label, "\xe2\x88\x92" "1");
    EXPECT_EQ(t[1].label, "\xe2\x88\x92" "0.5");
    EXPECT_EQ(t[2].label, "0");
    EXPECT_EQ(t[3].label, "0.5");
    EXPECT_EQ(t[4].label, "1");
}
