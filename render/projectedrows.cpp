/*
 * projectedrows.cpp - the sphere's and the landscape's rows of a render
 * job (see projectedrows.h).  Both colour their values with the plane's
 * own evaluation and colouring (evaluatepoints, colourpoints), so a pixel
 * shows exactly the colour the plane gives its z.
 */
#include "render/projectedrows.h"

#include <new>
#include <thread>
#include <vector>

#include "common/platform.h"
#include "render/landscape.h"
#include "render/renderjob.h"
#include "render/sphere.h"

void sphere_row(RENDERJOB *job, int row, ROWSCRATCH *scratch)
{
    const RENDERSETTINGS *s = &job->s;
    SPHEREVIEW view;
    sphereview(&s->projection, s->xres, s->yres, &view);
    /* The pixels inside the disk, packed: only they are evaluated. */
    std::vector<int> column((size_t)s->xres);
    int n = 0;
    for (int i = 0; i < s->xres; i++) {
        if (spherepixel(&view, i, row, &scratch->zx[n], &scratch->zy[n], &scratch->depth[n]) != SPHERE_OUTSIDE)
            column[(size_t)n++] = i;
    }
    evaluatepoints(s, n, scratch->zx.get(), scratch->zy.get(), scratch->wx.get(), scratch->wy.get(),
                   scratch->result.get());
    colourpoints(s, n, scratch->wx.get(), scratch->wy.get(), scratch->result.get(), scratch->colors.get(),
                 &job->rowmax[row]);
    /* Distinct rows are distinct bytes of the surface: no lock needed. */
    int k = 0;
    for (int i = 0; i < s->xres; i++) {
        unsigned int c = PROJECTIONBACKGROUND;
        if (k < n && column[(size_t)k] == i) {
            c = scratch->colors[k];
            if (s->projection.shade)
                c = sphereshade(c, scratch->depth[k]);
            k++;
        }
        surface_setpixel(i, row, c);
    }
}

int landscape_begin(RENDERJOB *job)
{
    job->gridrowsdone = 0;
    job->columnsdone = 0;
    if (job->s.projection.kind != PROJECTION_LANDSCAPE)
        return 0;
    size_t points = (size_t)job->s.xres * (size_t)job->s.yres;
    job->gridheight.reset(new (std::nothrow) float[points]);
    job->gridcolour.reset(new (std::nothrow) unsigned int[points]);
    return job->gridheight && job->gridcolour ? 0 : 1;
}

/* One row of the grid: the plane's values and colours, and the heights. */
static void gridrow(RENDERJOB *job, int row, ROWSCRATCH *scratch, const LANDSCAPEVIEW *view)
{
    const RENDERSETTINGS *s = &job->s;
    size_t base = (size_t)row * s->xres;
    evaluaterow(s, row, scratch->wx.get(), scratch->wy.get(), scratch->result.get());
    colourrow(s, scratch->wx.get(), scratch->wy.get(), scratch->result.get(), &job->gridcolour[base],
              &job->rowmax[row]);
    for (int i = 0; i < s->xres; i++)
        job->gridheight[base + i] =
            (float)(landscapeheight(&s->projection, scratch->wx[i], scratch->wy[i]) * view->scale);
    job->gridrowsdone.fetch_add(1, std::memory_order_release);
}

static void picturecolumn(RENDERJOB *job, int px, const LANDSCAPEVIEW *view)
{
    const RENDERSETTINGS *s = &job->s;
    /* The rows still being computed were all handed out before this
       column: each ends within a row's time, unless it ran out of memory,
       which stops the job. */
    while (job->gridrowsdone.load(std::memory_order_acquire) < s->yres) {
        if (job->stop.load())
            return;
        std::this_thread::yield();
    }
    std::vector<unsigned int> colours((size_t)s->yres);
    landscapecolumn(view, job->gridheight.get(), job->gridcolour.get(), px, colours.data(), nullptr);
    /* Distinct columns are distinct bytes of the surface. */
    for (int row = 0; row < s->yres; row++)
        surface_setpixel(px, row, colours[(size_t)row]);
    if (job->columnsdone.fetch_add(1, std::memory_order_acq_rel) + 1 == s->xres) {
        /* Every column is in: each row can now be shown and saved. */
        for (int row = 0; row < s->yres; row++)
            job->done[row].store(1, std::memory_order_release);
        job->rowsdone.store(s->yres);
    }
}

int landscape_task(RENDERJOB *job, int task, ROWSCRATCH *scratch)
{
    const RENDERSETTINGS *s = &job->s;
    if (task >= s->yres + s->xres)
        return -1;
    LANDSCAPEVIEW view;
    landscapeview(&s->projection, s->xres, s->yres, &view);
    if (task < s->yres)
        gridrow(job, task, scratch, &view);
    else
        picturecolumn(job, task - s->yres, &view);
    return task;
}
