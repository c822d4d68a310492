/*
 * initformula_test.cpp - loading a formula's settings on first use, keeping
 * them afterwards, and the menu commands that bring the menu in line.
 */
#include <gtest/gtest.h>

#include <vector>

#include "headless/headless.h"
#include "render/settings.h"

namespace {

std::vector<int> commands;

void record(int id) { commands.push_back(id); }

class InitFormulaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int k = 0; k < NFORMULAS; k++)
            im[k].first = 1;
        initsettings();
        commands.clear();
        headless_menuhook(record);
    }
    void TearDown() override { headless_menuhook(nullptr); }

    std::vector<int> init(int f)
    {
        commands.clear();
        formula = f;
        EXPECT_EQ(InitFormula(f), 0);
        return commands;
    }
};

TEST_F(InitFormulaTest, StartFormula)
{
    init(3);
    EXPECT_EQ(xmin[3], -4.0);
    EXPECT_EQ(xmax[3], 4.0);
    EXPECT_EQ(ymin[3], -4.0);
    EXPECT_EQ(ymax[3], 4.0);
    EXPECT_EQ(gradient[3], 0);
    EXPECT_EQ(squaregridflag[3], 0);
    EXPECT_EQ(phasegridflag[3], 0);
    EXPECT_EQ(brightness[3], 2);
    EXPECT_EQ(V[3], 0.5);
    EXPECT_EQ(abslimitimage[3], 3.5);
    EXPECT_EQ(im[3].first, 0);
}

TEST_F(InitFormulaTest, FirstUseLoadsDefaults)
{
    init(9);
    EXPECT_EQ(xmin[9], -4.5);
    EXPECT_EQ(xmax[9], 8.0);
    EXPECT_EQ(ymin[9], -5.25);
    EXPECT_EQ(ymax[9], 7.25);
    EXPECT_EQ(gradient[9], 1);
    EXPECT_EQ(squaregridflag[9], 0);
    EXPECT_EQ(phasegridflag[9], 1);
    /* other formulas are untouched */
    EXPECT_EQ(im[8].first, 1);
}

TEST_F(InitFormulaTest, SettingsSurviveSwitchingFormulas)
{
    init(5);
    xmin[5] = -1.0;
    xmax[5] = 2.0;
    gradient[5] = GRADIENT_3D;
    squaregridflag[5] = phasegridflag[5] = 0;
    init(12);
    init(5);
    EXPECT_EQ(xmin[5], -1.0);
    EXPECT_EQ(xmax[5], 2.0);
    EXPECT_EQ(ymin[5], -4.5);
    EXPECT_EQ(gradient[5], GRADIENT_3D);
    EXPECT_EQ(phasegridflag[5], 0);
}

TEST_F(InitFormulaTest, BrightnessKeptOnReselect)
{
    init(7);
    brightness[7] = 3;
    V[7] = 0.0;
    init(3);
    init(7);
    EXPECT_EQ(brightness[7], 3);
    EXPECT_EQ(V[7], 0.0);
}

TEST_F(InitFormulaTest, BrightnessFromDefaultV)
{
    struct Case {
        double V;
        int brightness;
    } cases[] = {{0.5, 2}, {0.0, 3}, {1.0, 1}, {0.75, 2}, {0.49, 3}};
    const IMAGE saved = im[30];
    for (const Case &c : cases) {
        im[30].first = 1;
        im[30].V = c.V;
        init(30);
        EXPECT_EQ(brightness[30], c.brightness) << c.V;
        EXPECT_EQ(V[30], c.V);
    }
    im[30] = saved;
}

TEST_F(InitFormulaTest, MenuCommandsFollowTheFormula)
{
    struct Case {
        int formula;
        std::vector<int> commands;
    } cases[] = {
        {3, {140, 160}},    /* Continuous, no grids */
        {4, {141, 161}},    /* Cyclic - Modular, square grid */
        {7, {142, 161}},    /* Cyclic - Angular, square grid */
        {11, {143, 162}},   /* Cyclic - Both, phase grid */
        {15, {140, 163}},   /* Continuous, both grids */
        {2, {144, 160}},    /* Cyclic - 3-D, no grids */
    };
    for (const Case &c : cases)
        EXPECT_EQ(init(c.formula), c.commands) << c.formula;
}

TEST_F(InitFormulaTest, AbsoluteValueMapsSendTheirCommands)
{
    init(6);
    gradient[6] = GRADIENT_ABSGREY;
    EXPECT_EQ(init(6), (std::vector<int>{150, 162}));
    gradient[6] = GRADIENT_ABSCOLOR;
    squaregridflag[6] = 1;
    EXPECT_EQ(init(6), (std::vector<int>{151, 163}));
}

TEST_F(InitFormulaTest, NoCommandsReachAnAbsentWindow)
{
    headless_menuhook(nullptr);
    init(4);
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(gradient[4], 1);
}

}
