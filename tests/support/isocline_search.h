// The isocline's point at a column, found the plain way: the search that the
// fit shares between columns, one column at a time, to check it against.
#ifndef BRAVOLIN_TESTS_SUPPORT_ISOCLINE_SEARCH_H
#define BRAVOLIN_TESTS_SUPPORT_ISOCLINE_SEARCH_H

#include "core/temperature/isocline.h"

// Walks t up from 0 in steps of 0.1, 0.01, 0.001 and 0.0001, stepping back
// and refining at every overshoot (x(t) beyond x0, or t reaching 1), and
// sets ctx's curve point at the last t reached with x(t) <= x0 and t < 1.
inline void isoclinePointAtColumn(bravolin::TemperatureContext& ctx, float x0)
{
    float t = 0, step = 0.1f;
    for (;;) {
        t = static_cast<float>(static_cast<double>(t) + step);
        bravolin::evaluateIsocline(ctx, t);
        if (ctx.curvePointX > x0 || t >= 1) {
            t = static_cast<float>(static_cast<double>(t) - step);
            step = static_cast<float>(static_cast<double>(step) / 10);
            if (step < 0.00001f)
                break;
        }
    }
    bravolin::evaluateIsocline(ctx, t);
}

#endif
