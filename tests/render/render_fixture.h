/*
 * render_fixture.h - a fresh program state for renderer tests: defaults of
 * every formula reloaded, a surface of the requested size, and a helper
 * that runs a whole render through driver() row by row.
 */
#ifndef LUMO_TESTS_RENDER_FIXTURE_H
#define LUMO_TESTS_RENDER_FIXTURE_H

#include <gtest/gtest.h>

#include "common/platform.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/projection.h"
#include "render/settings.h"

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fillfactorial();
        for (int k = 0; k < NFORMULAS; k++)
            im[k].first = 1;
        initsettings();
        greyflag = 0;
        displaylimitflag = 0;
        GW = 0.05;
        GP = 20;
        projection = defaultprojection();
        headless_messagestream(nullptr);
    }
    void TearDown() override
    {
        headless_freesurface();
        projection = defaultprojection();
    }

    /* Makes formula f current at size w x h on a surface w (or 1300 with
       the graph strip) wide. */
    void setup(int f, int w, int h, int graph)
    {
        formula = f;
        InitFormula(f);
        xres = w;
        yres = h;
        graphflag = graph;
        ASSERT_EQ(headless_createsurface(graph ? 1300 : w, h), 0);
    }

    void view(double x0, double x1, double y0, double y1)
    {
        xmin[formula] = x0;
        xmax[formula] = x1;
        ymin[formula] = y0;
        ymax[formula] = y1;
    }

    /* Runs driver() until the render ends; returns the number of calls. */
    int render()
    {
        okrender = 1;
        j = 0;
        int calls = 0;
        while (okrender && calls <= yres) {
            driver();
            calls++;
        }
        return calls;
    }
};

#endif
