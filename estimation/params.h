// The estimation parameters: the four points, the two directions that belong
// to two of them, the diffraction switch and the undo record of the last map
// setting. One instance for the whole run.
#pragma once

namespace vornel {

// Not-set values: the record holds no flags, an out-of-range value marks a
// value as empty.
inline constexpr double NOT_SET_LAT = 99.9;
inline constexpr double NOT_SET_LON = 999.9;
inline constexpr double NOT_SET_DEPTH = 9999.9;
inline constexpr double NOT_SET_ANGLE = 999.9;

// Point kinds, in the order of the side panel, the commands and the markers.
enum PointKind { POINT_QUASI_OFFSHORE = 0, POINT_CONTOUR = 1, POINT_DIFFRACTION = 2, POINT_OFFSHORE = 3 };

struct EstimationPoint {
    double lat = NOT_SET_LAT;      // decimal degrees
    double lon = NOT_SET_LON;      // decimal degrees
    double depth = NOT_SET_DEPTH;  // metres, positive down
    double north = 0.0;            // plane metres
    double east = 0.0;

    // Set when both coordinates are inside their ranges (strict tests).
    bool isSet() const { return lat < 90.0 && lon < 360.0; }
    void clear() {
        lat = NOT_SET_LAT;
        lon = NOT_SET_LON;
        depth = NOT_SET_DEPTH;
    }
};

// The values that the last map setting replaced; `angle` is thetaCon (kind 1)
// or shoreNormal (kind 2).
struct PointUndo {
    double lat = NOT_SET_LAT;
    double lon = NOT_SET_LON;
    double depth = NOT_SET_DEPTH;
    double north = 0.0;
    double east = 0.0;
    double angle = NOT_SET_ANGLE;
};

struct EstimationParams {
    EstimationPoint quasiOffshorePoint;  // 準沖波地点
    EstimationPoint contourPoint;        // 等深線の代表点
    double thetaCon = NOT_SET_ANGLE;     // azimuth of the contour normal, degrees
    EstimationPoint diffractionPoint;    // 回折地点
    double shoreNormal = NOT_SET_ANGLE;  // 汀線の直交方向, degrees
    int diffractionOff = 0;              // 1: the diffraction point takes no part
    EstimationPoint offshorePoint;       // 沖波地点
    int lastSetKind = -1;                // kind of the last map setting, -1: nothing to undo
    PointUndo undo;

    EstimationPoint& point(int kind);
};

EstimationParams& estimationParams();
// Back to the state at program start (tests).
void resetEstimationParams();

// |value - sentinel| < 0.01: the value shows as an empty field.
bool isNearSentinel(double value, double sentinel);

// An angle into [0, 360): add 360 while below 0, subtract 360 while >= 360.
double reduceAngle(double degrees);
// a - b in (-180, 180].
double angleDifference(double a, double b);
// Only the upper reduction (subtract 360 while >= 360), as θdiff takes it.
double reduceAngleBelow360(double degrees);
// θdiff, the normal of the virtual breakwater: shoreNormal + 180, reduced.
double breakwaterNormal(double shoreNormal);

}  // namespace vornel
