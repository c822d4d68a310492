/*
 * figureticks.cpp - see figureticks.h.
 *
 * Tick k of step m * 10^e is k * m * 10^e, computed as (k * m) / 10^-e for
 * negative e: two exact numbers and one rounding, so the tick is the double
 * nearest the decimal it is labelled with.  Its label has -e decimals (the
 * last one is where neighbours differ) with trailing zeros dropped.
 */
#include "render/figureticks.h"

#include <cmath>
#include <cstdio>

namespace {

double power10(int e)
{
    double p = 1.0;
    for (int k = 0; k < (e < 0 ? -e : e); k++)
        p *= 10.0;
    return p;
}

double tickvalue(TICKSTEP step, double k)
{
    double multiple = k * step.mantissa;
    return step.exponent >= 0 ? multiple * power10(step.exponent) : multiple / power10(-step.exponent);
}

std::string ticklabel(TICKSTEP step, double value)
{
    if (value == 0.0)
        return "0";
    int decimals = step.exponent < 0 ? -step.exponent : 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value));
    std::string label = text;
    if (label.find('.') != std::string::npos) {
        while (label.back() == '0')
            label.pop_back();
        if (label.back() == '.')
            label.pop_back();
    }
    return value < 0.0 ? "\xe2\x88\x92" + label : label;
}

/* The steps of 1, 2, 5 in increasing order, one after another. */
TICKSTEP nextstep(TICKSTEP s)
{
    if (s.mantissa == 1)
        return {2, s.exponent};
    if (s.mantissa == 2)
        return {5, s.exponent};
    return {1, s.exponent + 1};
}

}   // namespace

std::vector<FIGTICK> ticksat(TICKSTEP step, double low, double high)
{
    std::vector<FIGTICK> ticks;
    double size = tickvalue(step, 1.0);
    double first = std::floor(low / size) - 1.0;
    double last = std::ceil(high / size) + 1.0;
    for (double k = first; k <= last; k += 1.0) {
        double v = tickvalue(step, k);
        if (v >= low && v <= high)
            ticks.push_back({v, ticklabel(step, v)});
    }
    return ticks;
}

int labelchars(const std::string &label)
{
    int n = 0;
    for (unsigned char c : label)
        n += (c & 0xc0) != 0x80;
    return n;
}

TICKSTEP choosestep(double low, double high, double length, double gap, double charwidth,
                    bool labelsacross)
{
    double span = high - low;
    /* No smaller step than this power of ten is spaced gap apart. */
    int e = (int)std::floor(std::log10(span * (gap > 1.0 ? gap : 1.0) / length));
    TICKSTEP step = {1, e};
    for (int tries = 0; tries < 64; tries++, step = nextstep(step)) {
        double spacing = tickvalue(step, 1.0) / span * length;
        std::vector<FIGTICK> ticks = ticksat(step, low, high);
        int widest = 1;
        for (const FIGTICK &t : ticks)
            widest = labelchars(t.label) > widest ? labelchars(t.label) : widest;
        double needed = gap + (labelsacross ? widest * charwidth : 0.0);
        if (spacing >= needed)
            return step;
    }
    return step;
}
