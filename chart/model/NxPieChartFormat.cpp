#include "chart/model/NxPieChartFormat.h"

#include <stdexcept>

#include "chart/style/NxChartStyle.h"

namespace norvex::chart {

NxPieChartFormat::NxPieChartFormat() : NxPieChartFormat(nullptr) {}

NxPieChartFormat::NxPieChartFormat(Changeable* p) : otherStyle(std::make_shared<NxChartStyle>()), parent(p) {
    otherStyle->setParent(parent);
}

NxPieChartFormat::~NxPieChartFormat() = default;

void NxPieChartFormat::changed() {
    if (parent) parent->setChanged(true);
}

std::string NxPieChartFormat::getOtherLabel() const { return otherLabel.value_or("Other"); }

void NxPieChartFormat::setOtherLabel(const std::string& s) {
    {
        host::Lock lock(mutex());
        if (otherLabel == s) return;
        otherLabel = s;
    }
    changed();
}

void NxPieChartFormat::setOtherStyle(std::shared_ptr<NxChartStyle> s) {
    if (!s) throw std::invalid_argument("OtherStyle must not be null");
    {
        host::Lock lock(mutex());
        if (s == otherStyle) return;
        otherStyle = std::move(s);
        otherStyle->setParent(parent);
    }
    changed();
}

void NxPieChartFormat::setThresholdMethod(int m) {
    if (m != SLICE_CUTOFF && m != PIE_PERCENTILE)
        throw std::invalid_argument(
            "Invalid value for ThresholdMethod in NxPieChartFormat.  Must be one of SLICE_CUTOFF or PIE_PERCENTILE");
    {
        host::Lock lock(mutex());
        if (m == thresholdMethod) return;
        thresholdMethod = m;
    }
    changed();
}

void NxPieChartFormat::setThresholdValue(double v) {
    // Written so that NaN is refused too.
    if (!(v >= 0.0 && v <= 100.0)) throw std::invalid_argument("ThresholdValue must be between 0.0 and 100.0");
    {
        host::Lock lock(mutex());
        if (v == thresholdValue) return;
        thresholdValue = v;
    }
    changed();
}

void NxPieChartFormat::setSortOrder(int o) {
    if (o < DATA_ORDER || o > DESCENDING_ORDER)
        throw std::invalid_argument("Invalid value for SortOrder in NxPieChartFormat.  Must be one of "
                                    "ASCENDING_ORDER, DESCENDING_ORDER or DATA_ORDER");
    {
        host::Lock lock(mutex());
        if (o == sortOrder) return;
        sortOrder = o;
    }
    changed();
}

void NxPieChartFormat::setMinSlices(int n) {
    {
        host::Lock lock(mutex());
        if (n == minSlices) return;
        minSlices = n;
    }
    changed();
}

void NxPieChartFormat::setExplodeList(std::optional<std::vector<host::Point>> list) {
    {
        host::Lock lock(mutex());
        explodeList = std::move(list);
    }
    changed();
}

void NxPieChartFormat::setExplodeOffset(int px) {
    if (px < 0) throw std::invalid_argument("ExplodeOffset must not be negative");
    {
        host::Lock lock(mutex());
        if (px == explodeOffset) return;
        explodeOffset = px;
    }
    changed();
}

bool NxPieChartFormat::isExploded(int point, int series) const {
    host::Lock lock(mutex());
    if (!explodeList) return false;
    for (const auto& p : *explodeList)
        if (p.x == point && p.y == series) return true;
    return false;
}

}  // namespace norvex::chart
