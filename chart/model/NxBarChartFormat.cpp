#include "chart/model/NxBarChartFormat.h"

#include <stdexcept>

namespace norvex::chart {

void NxBarChartFormat::changed() {
    if (parent) parent->setChanged(true);
}

void NxBarChartFormat::setClusterWidth(int w) {
    host::Lock lock(mutex());
    if (w == clusterWidth) return;
    if (w < 0 || w > 100) throw std::invalid_argument("ClusterWidth must be between 0 and 100");
    clusterWidth = w;
    changed();
}

void NxBarChartFormat::setClusterOverlap(int o) {
    host::Lock lock(mutex());
    if (o == clusterOverlap) return;
    if (o < -100 || o > 100) throw std::invalid_argument("ClusterOverlap must be between -100 and 100");
    clusterOverlap = o;
    changed();
}

void NxBarChartFormat::set100Percent(bool b) {
    host::Lock lock(mutex());
    if (b == is100Percent) return;
    is100Percent = b;
    changed();
}

}  // namespace norvex::chart
