// The title of an axis: chart text with a placement at one side or end of the axis.
#pragma once

#include <string>

#include "chart/base/ChartText.h"
#include "chart/base/DerivedInt.h"

namespace norvex::chart {

class NxAxis;

class NxAxisTitle : public ChartText {
    HOST_OBJECT(NxAxisTitle, "norvex.chart.NxAxisTitle", ChartText)
public:
    // Anchors, as for the legend and the chart's labels.
    static constexpr int EAST = 1, WEST = 2, NORTH = 16, SOUTH = 32, NORTHEAST = 17, NORTHWEST = 18,
                         SOUTHEAST = 33, SOUTHWEST = 34;

    NxAxisTitle() = default;
    explicit NxAxisTitle(const std::string& text, bool richText = false) : ChartText(text, richText) {}

    void setParentAxis(NxAxis* axis) { parentAxis = axis; }
    NxAxis* getParentAxis() const { return parentAxis; }
    // One of the eight anchors that suits the axis direction; std::invalid_argument otherwise.
    void setPlacement(int p);
    int getPlacement() const { return placement.value; }
    void setPlacementIsDefault(bool b);
    bool getPlacementIsDefault() const { return placement.isDefault; }
    // Chooses the default placement from the axis' anchors; an invalid stored
    // placement gives way to the valid default for the axis direction.
    void fixPlacement(NxAxis& axis);
    // Places the title at its anchor next to the axis' labels.
    void layout(NxAxis& axis);

private:
    static int defaultPlacement(NxAxis& axis);
    DerivedInt placement{WEST, true};
    NxAxis* parentAxis = nullptr;  // not owned
};

}  // namespace norvex::chart
