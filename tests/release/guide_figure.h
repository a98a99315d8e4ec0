// The guide's figure of the virtual breakwater (guide-6-breakwater.svg),
// drawn from VORNEL's own θdiff and θ functions.
#pragma once

#include <string>

namespace guide {

// Two panels: the angles of a tip whose shore normal is `shoreNormal`, with
// θcon turned `turn` degrees to either side of it, and the point
// `pointAzimuth` from the tip. The same small turn the other way puts the
// breakwater on the other side. Nothing when folder is "-".
void writeBreakwaterFigure(const std::wstring& folder, double shoreNormal, double turn, double pointAzimuth);

// The azimuth in which the virtual breakwater runs from the tip for this
// θcon and shore normal, by VORNEL's own θ: the direction in which θ is 270.
double virtualBreakwaterAzimuth(double thetaCon, double shoreNormal);

}  // namespace guide
