// A point in data units (the X and Y values of a view's axes).
#pragma once

namespace norvex::chart {

struct NxDataCoord {
    double x = 0.0;
    double y = 0.0;

    NxDataCoord() = default;
    NxDataCoord(double px, double py) : x(px), y(py) {}
    bool operator==(const NxDataCoord&) const = default;
};

}  // namespace norvex::chart
