// A range of values; a new one is empty (min = largest double, max = its negation).
#pragma once

#include <limits>
#include <vector>

namespace norvex::chart {

class MinMax {
public:
    double min = std::numeric_limits<double>::max();
    double max = -std::numeric_limits<double>::max();

    MinMax() = default;
    MinMax(double mn, double mx) : min(mn), max(mx) {}
    // The range of the values that are not equal to hole.
    MinMax(const std::vector<double>* values, double hole) { setMinMax(values, hole); }

    bool isEmpty() const { return min > max; }

    // Widens the range by every value not equal to hole; a null array does nothing.
    void setMinMax(const std::vector<double>* values, double hole) {
        if (!values) return;
        for (double v : *values) {
            if (v == hole) continue;
            if (v < min) min = v;
            if (v > max) max = v;
        }
    }
    void unite(const MinMax& o) {
        if (o.min < min) min = o.min;
        if (o.max > max) max = o.max;
    }
    void reset(const MinMax& o) {
        min = o.min;
        max = o.max;
    }
    bool operator==(const MinMax&) const = default;
};

}  // namespace norvex::chart
