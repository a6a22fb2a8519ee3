// The slices of each pie of a PIE view (every point is one pie, every series one
// slice): values, order, the merged "other" slice and exploded flags, and the grid
// the pies are laid out in.
#pragma once

#include <vector>

#include "host/runtime/Object.h"

namespace norvex::chart {

class ChartDataViewSeries;
class NxPieChartFormat;

// One drawn slice of a pie.
struct PieSlice {
    int series = -1;       // series index, or NxPieChartFormat::OTHER_SLICE
    double value = 0;      // the value drawn (the merged sum for the other slice)
    double fraction = 0;   // value / pie total
    bool exploded = false;
};

struct PieData {
    // Slices in drawing order (clockwise from 135 degrees); the other slice, when
    // there is one, is last. Hidden series (holes, not showing) have no slice.
    std::vector<PieSlice> slices;
    int otherPosition = -1;  // index of the other slice in slices, or -1
    bool hasOther = false;
    bool allZero = true;     // nothing to draw or pick
    double total = 0;

    // The cumulative angles in whole degrees: angles[k] is where slice k ends,
    // counted clockwise from the start, computed from the cumulative value so the
    // last one is exactly 360. Empty for an all-zero pie.
    std::vector<int> angles() const;
};

// The view's transient data: the pie size and the slices of each pie.
class PieChartInfo : public host::Object {
    HOST_OBJECT(PieChartInfo, "norvex.chart.PieChartInfo", host::Object)
public:
    int pieWidth = 0, pieHeight = 0;
    std::vector<PieData> pies;
};

class PieSlices {
public:
    PieSlices() = delete;
    // (rows, pies per row) for n pies in a rect of the given size; (0, 0) for no pies.
    static std::pair<int, int> pieLayout(int n, int width, int height);
    // The slices of the pie at point from the series (holes given by hole); returns
    // whether an other slice was made.
    static bool computeOtherSlice(const std::vector<std::shared_ptr<ChartDataViewSeries>>& series, int point,
                                  double hole, const NxPieChartFormat& format, PieData& data);
};

}  // namespace norvex::chart
