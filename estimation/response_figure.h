// The response figure of a run: the direction reached at the point against
// θo for each Smax, the observed direction with its uncertainty as a band and
// the candidates where a curve crosses it; below, Ho = H1/3 / K against θo.
// It shows why a case has none, one or two candidates, and how flat (how
// ill-conditioned) a crossing is.
#pragma once

#include <vector>

#include "estimation/response_curves.h"
#include "estimation/result.h"
#include "mapview/plot.h"

namespace vornel {

struct ResponseFigureInput {
    const ResponseCurves* curves = nullptr;
    double thetaCon = 0.0;
    double observedDirection = 0.0;
    double directionUncertainty = 0.0;  // half width of the band, degrees
    double height = 0.0;                // H1/3 at the point
    std::vector<ResultRow> candidates;
};

// The two panels laid out in `frame` (direction above, Ho below).
std::vector<PlotPanel> responsePanels(const ResponseFigureInput& input, PixelRect frame);

// Draws the figure into `frame`; without curves it says that the solver gave none.
void drawResponseFigure(Canvas& canvas, const ResponseFigureInput& input, PixelRect frame);

// Line colours of the three standard Smax (10, 25, 75) and of any other.
Colour smaxColour(int smax);

}  // namespace vornel
