// The choice of the axes a drag acts on, for a chart area with more than one axis
// of an orientation: the candidates of each orientation by name, and the choice made
// the chart area's horizontal or vertical action axis.
#pragma once

#include <string>
#include <vector>

#include "chart/area/NxChartArea.h"

namespace norvex::chart {

class AxisSelector {
public:
    explicit AxisSelector(NxChartArea& area) : area(area) {}

    // The X and Y axes lying that way now, X axes first.
    std::vector<NxAxisPtr> candidates(bool vertical) const;
    // Their names, in the same order (an unnamed axis shows as "X axis 2", "Y axis 1").
    std::vector<std::string> choices(bool vertical) const;
    // The index of the current action axis of that orientation, or -1.
    int selected(bool vertical) const;
    // Makes candidate index the action axis; false (nothing changed) outside the list.
    bool select(bool vertical, int index);

private:
    NxChartArea& area;
};

}  // namespace norvex::chart
