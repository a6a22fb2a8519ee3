// A pair of doubles; the axis code returns (tick spacing, numbering spacing) in one.
#pragma once

namespace norvex::chart {

struct DoubleCoord {
    double x = 0.0;
    double y = 0.0;

    DoubleCoord() = default;
    DoubleCoord(double px, double py) : x(px), y(py) {}
    bool operator==(const DoubleCoord&) const = default;
};

}  // namespace norvex::chart
