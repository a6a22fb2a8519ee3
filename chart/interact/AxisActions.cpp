#include "chart/interact/AxisActions.h"

#include <algorithm>
#include <cmath>

#include "chart/base/NxChartUtil.h"

namespace norvex::chart {

namespace {
// Sets both bounds without passing through a state where min > max.
void setBounds(NxAxis& axis, double lo, double hi) {
    if (lo > axis.getMax()) {
        axis.setMax(hi);
        axis.setMin(lo);
    } else {
        axis.setMin(lo);
        axis.setMax(hi);
    }
}
}  // namespace

bool AxisActions::zoom(NxAxis& axis, double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    if (std::fabs(b - a) < NxChartUtil::calcError(axis.getPrecision())) return false;
    double lo = std::min(a, b), hi = std::max(a, b);
    if (axis.getIsLogarithmic() && lo <= 0) return false;
    setBounds(axis, lo, hi);
    return true;
}

bool AxisActions::scale(NxAxis& axis, double factor) {
    if (!(factor > 0) || !std::isfinite(factor)) return false;
    double lo = axis.getMin(), hi = axis.getMax();
    if (axis.getIsLogarithmic()) {
        if (lo <= 0 || hi <= 0) return false;
        double c = (std::log10(lo) + std::log10(hi)) / 2, h = (std::log10(hi) - std::log10(lo)) / 2 * factor;
        return zoom(axis, std::pow(10.0, c - h), std::pow(10.0, c + h));
    }
    double c = (lo + hi) / 2, h = (hi - lo) / 2 * factor;
    return zoom(axis, c - h, c + h);
}

void AxisActions::translateStart(NxAxis& axis) {
    if (axis.getMinIsDefault()) axis.setMin(axis.getMin());
    if (axis.getMaxIsDefault()) axis.setMax(axis.getMax());
}

bool AxisActions::translate(NxAxis& axis, double delta) {
    if (delta == 0 || !std::isfinite(delta)) return false;
    double d = axis.getIsReversed() ? -delta : delta;
    double lo, hi;
    if (axis.getIsLogarithmic()) {
        if (axis.getMin() <= 0 || axis.getMax() <= 0) return false;
        lo = std::pow(10.0, std::log10(axis.getMin()) + d);
        hi = std::pow(10.0, std::log10(axis.getMax()) + d);
        if (!(lo > 0) || !(hi > 0)) return false;
    } else {
        lo = axis.getMin() + d;
        hi = axis.getMax() + d;
    }
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo == hi) return false;
    setBounds(axis, lo, hi);
    return true;
}

AxisStateSnapshot AxisStateSnapshot::take(NxChartArea& area) {
    AxisStateSnapshot s;
    auto add = [&](const std::vector<NxAxisPtr>& list) {
        for (auto& a : list)
            s.axes.push_back({a, a->getMin(), a->getMax(), a->getMinIsDefault(), a->getMaxIsDefault()});
    };
    add(area.getXAxes());
    add(area.getYAxes());
    s.depth = area.getDepth();
    s.elevation = area.getElevation();
    s.rotation = area.getRotation();
    return s;
}

bool AxisStateSnapshot::restore(NxChartArea& area) const {
    bool changed = false;
    auto inArea = [&](const NxAxis* a) {
        for (auto& l : {area.getXAxes(), area.getYAxes()})
            for (auto& b : l)
                if (b.get() == a) return true;
        return false;
    };
    for (auto& st : axes) {
        auto a = st.axis.lock();
        if (!a || !inArea(a.get())) continue;
        if (a->getMinIsDefault() != st.minDefault || a->getMaxIsDefault() != st.maxDefault ||
            (!st.minDefault && a->getMin() != st.min) || (!st.maxDefault && a->getMax() != st.max))
            changed = true;
        // User values first: setting one clears its default flag.
        if (!st.minDefault) a->setMin(st.min);
        if (!st.maxDefault) a->setMax(st.max);
        if (st.minDefault) a->setMinIsDefault(true);
        if (st.maxDefault) a->setMaxIsDefault(true);
    }
    if (area.getDepth() != depth || area.getElevation() != elevation || area.getRotation() != rotation) {
        changed = true;
        area.setDepth(depth);
        area.setElevation(elevation);
        area.setRotation(rotation);
    }
    return changed;
}

}  // namespace norvex::chart
