#include "chart/model/NxAxisTitle.h"

#include <algorithm>
#include <stdexcept>

#include "chart/model/AnnotationHandler.h"
#include "chart/model/NxAxis.h"
#include "chart/model/NxValueLabel.h"

namespace norvex::chart {

namespace {
bool validFor(int p, bool vertical) {
    if (p == NxAxisTitle::NORTH || p == NxAxisTitle::SOUTH) return !vertical;
    return vertical && (p == NxAxisTitle::EAST || p == NxAxisTitle::WEST || p == NxAxisTitle::NORTHEAST ||
                        p == NxAxisTitle::NORTHWEST || p == NxAxisTitle::SOUTHEAST || p == NxAxisTitle::SOUTHWEST);
}
}  // namespace

void NxAxisTitle::setPlacement(int p) {
    bool known = p == EAST || p == WEST || p == NORTH || p == SOUTH || p == NORTHEAST || p == NORTHWEST ||
                 p == SOUTHEAST || p == SOUTHWEST;
    if (!known) throw std::invalid_argument("Invalid title Placement in NxAxisTitle");
    if (parentAxis) {
        bool vertical = parentAxis->getIsVertical();
        if (!vertical && !validFor(p, false))
            throw std::invalid_argument("Invalid title Placement for horizontal axis in NxAxisTitle");
        if (vertical && !validFor(p, true))
            throw std::invalid_argument("Invalid title Placement for vertical axis in NxAxisTitle");
    }
    host::Lock lock(mutex());
    if (!placement.isDefault && placement.value == p) return;
    placement.set(p);
    setChanged(true);
}

void NxAxisTitle::setPlacementIsDefault(bool b) {
    host::Lock lock(mutex());
    if (placement.isDefault == b) return;
    placement.isDefault = b;
    setChanged(true);
}

int NxAxisTitle::defaultPlacement(NxAxis& axis) {
    int anchor = axis.getAnnotationAnchor();
    if (!axis.getIsVertical()) return anchor == NORTH ? NORTH : SOUTH;
    auto other = axis.getOtherAxis();
    bool south = other && other->getAnnotationAnchor() == NORTH;
    bool east = anchor == EAST;
    if (south) return east ? SOUTHEAST : SOUTHWEST;
    return east ? NORTHEAST : NORTHWEST;
}

void NxAxisTitle::fixPlacement(NxAxis& axis) {
    if (placement.isDefault) placement.value = defaultPlacement(axis);
    if (!validFor(placement.value, axis.getIsVertical())) placement.value = defaultPlacement(axis);
}

void NxAxisTitle::layout(NxAxis& axis) {
    fixPlacement(axis);
    host::Dimension d = axis.getAnnotationHandler().measure(*this);
    int l = axis.getLeft(), t = axis.getTop(), w = axis.getWidth(), h = axis.getHeight();
    // Labels at the ends of a vertical axis reach beyond it: titles above or below
    // the axis clear them.
    int above = 0, below = 0;
    if (axis.getIsVertical())
        for (auto& v : axis.getAnnotations()) {
            if (!v->getIsVisible()) continue;
            const ChartText& lt = v->getChartText();
            above = std::max(above, t - lt.getTop());
            below = std::max(below, lt.getTop() + lt.getHeight() - (t + h));
        }
    t -= above;
    h += above + below;
    int x = l, y = t;
    switch (placement.value) {
        case NORTH: x = l + (w - d.width) / 2; y = t - d.height - 1; break;
        case SOUTH: x = l + (w - d.width) / 2; y = t + h + 1; break;
        case WEST: x = l - d.width - 1; y = t + (h - d.height) / 2; break;
        case EAST: x = l + w + 1; y = t + (h - d.height) / 2; break;
        case NORTHWEST: x = l + w - d.width; y = t - d.height - 1; break;
        case NORTHEAST: x = l; y = t - d.height - 1; break;
        case SOUTHWEST: x = l + w - d.width; y = t + h + 1; break;
        case SOUTHEAST: x = l; y = t + h + 1; break;
        default: break;
    }
    reshape(x, y, d.width, d.height);
}

}  // namespace norvex::chart
