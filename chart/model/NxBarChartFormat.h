// Geometry settings shared by the bar and stacking-bar drawers of one view.
#pragma once

#include "chart/base/Changeable.h"
#include "host/runtime/Object.h"

namespace norvex::chart {

class NxBarChartFormat : public host::Object {
    HOST_OBJECT(NxBarChartFormat, "norvex.chart.NxBarChartFormat", host::Object)
public:
    NxBarChartFormat() = default;
    // parent is told setChanged(true) on every change; not owned.
    explicit NxBarChartFormat(Changeable* p) : parent(p) {}

    int getClusterWidth() const { return clusterWidth; }
    // 0..100, else "ClusterWidth must be between 0 and 100".
    void setClusterWidth(int w);
    int getClusterOverlap() const { return clusterOverlap; }
    // -100..100, else "ClusterOverlap must be between -100 and 100".
    void setClusterOverlap(int o);
    bool get100Percent() const { return is100Percent; }
    void set100Percent(bool b);

private:
    void changed();

    int clusterWidth = 80;
    int clusterOverlap = 0;
    bool is100Percent = false;
    Changeable* parent = nullptr;
};

}  // namespace norvex::chart
