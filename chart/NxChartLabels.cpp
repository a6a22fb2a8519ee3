// The chart's labels: chart labels as children stacked above the chart area, the
// lines connecting them to their points, and the dwell labels with their timer.
// Label and dwell state is guarded by the component-tree lock alone: the chart's own
// lock is taken after the tree lock by layout, so holding it here first could invert them.
#include <algorithm>
#include <mutex>

#include "chart/ChartDwell.h"
#include "chart/NxChart.h"
#include "chart/NxChartLabel.h"

namespace norvex::chart {

void NxChart::addChartLabel(const std::shared_ptr<NxChartLabel>& label) {
    if (!label) return;
    {
        std::lock_guard tree(getTreeLock());
        if (label->getParent() == this) return;
        add(label);
        label->setParentChart(this);
        label->setDoubleBuffer(getDoubleBuffer());
        addChartListener(label.get());
        if (label->getIsDwellLabel()) {
            addToDwellLabels(label.get());
            label->setVisible(false);
        }
        label->recalc();
    }
    updateChartLabels();
    repaint();
}

void NxChart::removeChartLabel(const std::shared_ptr<NxChartLabel>& label) {
    if (!label) return;
    {
        std::lock_guard tree(getTreeLock());
        if (label->getParent() != this) return;
        removeFromDwellLabels(label.get());
        removeChartListener(label.get());
        label->setParentChart(nullptr);
        remove(label.get());
    }
    updateChartLabels();
    repaint();
}

std::vector<std::shared_ptr<NxChartLabel>> NxChart::getChartLabels() const {
    std::lock_guard tree(getTreeLock());
    std::vector<std::shared_ptr<NxChartLabel>> out;
    for (auto& c : getComponents())
        if (auto l = std::dynamic_pointer_cast<NxChartLabel>(c)) out.push_back(l);
    return out;
}

void NxChart::addToDwellLabels(NxChartLabel* label) {
    if (!label || !label->getIsDwellLabel() || label->getParent() != this) return;
    std::lock_guard tree(getTreeLock());
    if (!dwell) dwell = std::make_unique<ChartDwell>(*this);
    dwell->add(label);
}

void NxChart::removeFromDwellLabels(NxChartLabel* label) {
    std::lock_guard tree(getTreeLock());
    if (dwell) dwell->remove(label);
}

void NxChart::updateChartLabels() {
    std::vector<LabelConnector> lines;
    auto labels = getChartLabels();
    NxChartArea& area = *chartArea;
    host::Point o = area.getPlotOrigin();
    for (auto& l : labels) {
        l->recalc();
        if (auto line = l->connectorLine())
            lines.push_back({{line->first.x - o.x, line->first.y - o.y},
                             {line->second.x - o.x, line->second.y - o.y},
                             l->getForeground().value_or(host::Color::black)});
    }
    area.setLabelConnectors(std::move(lines));
}

void NxChart::dwellPointerMoved(int x, int y) {
    if (dwell) dwell->pointerMoved(x, y);
}

void NxChart::dwellPointerExited() {
    if (dwell) dwell->pointerExited();
}

void NxChart::timerExpired() {
    if (dwell) dwell->expired();
}

}  // namespace norvex::chart
