/*
 * graph.h - the graph of log(1 + |f(x)|) along the real axis, drawn in the
 * strip right of a 600 x 600 image by five hooks in the renderer.
 */
#ifndef LUMO_GRAPH_H
#define LUMO_GRAPH_H

/* 0: the render has not reached the real axis yet; 1: the current row is
   the first at or below it and the graph is drawn during it; -1: the graph
   of this render is done. */
extern int yzero;

/* Decides graphflag for this render from the view and the image size. */
void graph_renderstart();
/* Notes the row whose imaginary part ystart is the first at or below 0. */
void graph_rowstep(double ystart);
/* Draws the graph's part for column i, whose real part is xstart. */
void graph_pixelstep(int i, double xstart);
/* Closes the graph after the row in which it was drawn. */
void graph_rowend();
/* Shows the graph strip in the window. */
void graph_renderend();

/* The y coordinate of the curve for a modulus: 597 at |f| = 0 up to 0 at
   |f| >= abslimitgraph[formula], on the scale log(1 + |f|). */
int graph_y(double modulus);

#endif
