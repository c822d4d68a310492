/*
 * renderjob_test.cpp - the render job: any number of threads leave the
 * picture that driver() leaves row by row, over a surface that held
 * another picture, and a stopped job leaves the rows it showed and grey
 * below them.
 */
#include <cstring>
#include <thread>
#include <vector>

#include "render/renderjob.h"
#include "render_fixture.h"

namespace {

std::vector<unsigned char> pixels()
{
    const unsigned char *p = headless_pixels();
    return std::vector<unsigned char>(p, p + (size_t)surface_width() * surface_height() * 3);
}

/* Fills the surface with a pattern no render draws. */
void scribble()
{
    unsigned char *p = headless_pixels();
    for (size_t k = 0; k < (size_t)surface_width() * surface_height() * 3; k++)
        p[k] = (unsigned char)(k * 7 + 3);
}

void renderjob(int nthreads)
{
    okrender = 1;
    j = 0;
    RENDERJOB job;
    ASSERT_EQ(job_begin(&job), 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < nthreads; t++)
        threads.emplace_back(job_work, &job);
    for (std::thread &t : threads)
        t.join();
    EXPECT_EQ(job_advance(&job), yres);
    job_end(&job);
    EXPECT_EQ(okrender, 0);
}

struct CASE {
    int formula, w, h, graph, map, square, phase, grey, limit;
};

/* Fractals with escape colouring, the graph strip, every colour map with
   and without grids, a wide image, the |w| report. */
const CASE cases[] = {
    {3, 600, 600, 1, 0, 0, 0, 0, 0},   {0, 64, 48, 0, 1, 1, 0, 1, 0},   {1, 50, 70, 0, 2, 0, 1, 1, 1},
    {2, 40, 40, 0, 3, 1, 1, 1, 1},     {16, 600, 600, 1, 4, 0, 0, 0, 1}, {27, 90, 60, 0, 5, 0, 0, 0, 1},
    {21, 120, 33, 0, 6, 1, 1, 0, 1},   {4, 1400, 40, 0, 0, 1, 1, 0, 0},  {6, 600, 600, 1, 3, 1, 0, 0, 0},
};

class RenderJobTest : public RenderTest {};

TEST_F(RenderJobTest, AnyThreadCountLeavesTheRowByRowPicture)
{
    for (const CASE &c : cases) {
        SCOPED_TRACE(testing::Message() << "formula " << c.formula << " " << c.w << "x" << c.h);
        setup(c.formula, c.w, c.h, c.graph);
        gradient[formula] = c.map;
        squaregridflag[formula] = c.square;
        phasegridflag[formula] = c.phase;
        greyflag = c.grey;
        displaylimitflag = c.limit;
        render();
        std::vector<unsigned char> expected = pixels();
        double expectedmax = absmax;
        for (int nthreads : {1, 3, 8}) {
            scribble();
            graphflag = c.graph;
            absmax = -1.0;
            renderjob(nthreads);
            EXPECT_TRUE(pixels() == expected) << nthreads << " threads";
            if (c.limit) {
                EXPECT_EQ(absmax, expectedmax) << nthreads << " threads";
            }
        }
    }
}

TEST_F(RenderJobTest, AStoppedJobKeepsItsShownRowsAndIsGreyBelow)
{
    setup(16, 80, 60, 0);
    render();
    std::vector<unsigned char> full = pixels();
    scribble();

    RENDERJOB job;
    ASSERT_EQ(job_begin(&job), 0);
    ROWSCRATCH scratch(xres);
    for (int k = 0; k < 25; k++)
        job_row(&job, &scratch);
    job.stop = 1;
    EXPECT_EQ(job_row(&job, &scratch), -1);
    job_abort(&job);
    EXPECT_EQ(job.shown, 25);
    std::vector<unsigned char> now = pixels();
    EXPECT_EQ(std::memcmp(now.data(), full.data(), (size_t)25 * 80 * 3), 0);
    for (size_t k = (size_t)25 * 80 * 3; k < now.size(); k++)
        ASSERT_EQ(now[k], 128) << "byte " << k;
}

}  // namespace
