#include "chart/interact/AxisSelector.h"

namespace norvex::chart {

std::vector<NxAxisPtr> AxisSelector::candidates(bool vertical) const {
    std::vector<NxAxisPtr> out;
    for (auto& list : {area.getXAxes(), area.getYAxes()})
        for (auto& a : list)
            if (a->getIsVertical() == vertical) out.push_back(a);
    return out;
}

std::vector<std::string> AxisSelector::choices(bool vertical) const {
    std::vector<std::string> out;
    auto xs = area.getXAxes(), ys = area.getYAxes();
    for (auto& a : candidates(vertical)) {
        if (!a->getName().empty()) {
            out.push_back(a->getName());
            continue;
        }
        bool isX = area.isXAxis(a.get());
        auto& list = isX ? xs : ys;
        size_t i = 0;
        while (i < list.size() && list[i] != a) ++i;
        out.push_back(std::string(isX ? "X axis " : "Y axis ") + std::to_string(i + 1));
    }
    return out;
}

int AxisSelector::selected(bool vertical) const {
    auto list = candidates(vertical);
    NxAxisPtr current = vertical ? area.getVertActionAxis() : area.getHorizActionAxis();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == current) return int(i);
    return -1;
}

bool AxisSelector::select(bool vertical, int index) {
    auto list = candidates(vertical);
    if (index < 0 || size_t(index) >= list.size()) return false;
    if (vertical)
        area.setVertActionAxis(list[size_t(index)]);
    else
        area.setHorizActionAxis(list[size_t(index)]);
    return true;
}

}  // namespace norvex::chart
