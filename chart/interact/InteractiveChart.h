// What the interaction handlers drive: the chart's axis operations, batching, pick
// events and the error dialog. The chart component implements it; tests may too.
#pragma once

#include <memory>
#include <string>

#include "chart/area/NxChartArea.h"
#include "chart/base/NxDataIndex.h"

namespace norvex::chart {

class InteractiveChart {
public:
    virtual ~InteractiveChart() = default;
    virtual NxChartArea& getChartAreaRegion() = 0;
    // The axis takes [min(start, end), max(start, end)] as user-set bounds.
    virtual void zoom(double start, double end, const NxAxisPtr& axis, bool update) = 0;
    // Makes the axis' current bounds user-set, so translation moves them.
    virtual void translateStart(const NxAxisPtr& axis) = 0;
    // Moves the axis by delta (in decades on a logarithmic axis).
    virtual void translate(double delta, const NxAxisPtr& axis, bool update) = 0;
    virtual void setIsBatched(bool b) = 0;
    virtual void sendPickEvent(const NxDataIndex& di) = 0;
    // Shows a message in the chart's error dialog.
    virtual void showError(const std::string& message) = 0;
};

}  // namespace norvex::chart
