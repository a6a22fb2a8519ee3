// The axis changes behind zooming, scaling and translating, and the saved axis and
// 3-D state that reset and cancel go back to.
#pragma once

#include <memory>
#include <vector>

#include "chart/area/NxChartArea.h"
#include "chart/model/NxAxis.h"

namespace norvex::chart {

namespace AxisActions {
// Sets [min(a, b), max(a, b)] as the axis' user bounds; false (nothing changed) when
// the span is below the axis' precision error or not finite.
bool zoom(NxAxis& axis, double a, double b);
// Scales the axis' span about its centre (factor 0.5 halves it); false for a factor
// of 0 or less.
bool scale(NxAxis& axis, double factor);
// Makes the current bounds user-set.
void translateStart(NxAxis& axis);
// Moves both bounds by delta (decades on a logarithmic axis); false, and nothing
// changed, when the result would not be finite (or not positive on a log axis).
bool translate(NxAxis& axis, double delta);
}  // namespace AxisActions

// The bounds of every axis of a chart area with their default flags, and its depth,
// elevation and rotation, as they were when taken.
class AxisStateSnapshot {
public:
    static AxisStateSnapshot take(NxChartArea& area);
    // Puts every axis (still in the area) and the 3-D values back; true when any differed.
    bool restore(NxChartArea& area) const;

private:
    struct AxisState {
        std::weak_ptr<NxAxis> axis;
        double min, max;
        bool minDefault, maxDefault;
    };
    std::vector<AxisState> axes;
    int depth = 0, elevation = 0, rotation = 0;
};

}  // namespace norvex::chart
