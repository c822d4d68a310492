/*
 * figurecairo_none.cpp - figurecairo.h for builds without cairo: lumo
 * refuses a PDF or PNG figure before it renders, so these are never
 * reached.
 */
#include "cli/figurecairo.h"

const int cairosupported = 0;

bool figurepdf(const FIGURE &, const FIGRASTER &, double, const std::string &, const std::string &,
               std::string *)
{
    return false;
}

bool figureraster(const FIGURE &, const FIGRASTER &, FIGRASTER *)
{
    return false;
}

FIGUREFONTSAHEAD::FIGUREFONTSAHEAD(bool) {}

FIGUREFONTSAHEAD::~FIGUREFONTSAHEAD() {}
