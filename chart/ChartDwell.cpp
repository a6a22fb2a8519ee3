#include "chart/ChartDwell.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "chart/NxChart.h"
#include "chart/NxChartLabel.h"
#include "host/ui/OneShotTimer.h"
#include "host/ui/Toolkit.h"

namespace norvex::chart {

ChartDwell::ChartDwell(NxChart& c) : chart(c) {
    chart.getChartAreaRegion().addMouseMotionListener(this);
    chart.getChartAreaRegion().addMouseListener(this);
}

ChartDwell::~ChartDwell() {
    closing = true;
    chart.getChartAreaRegion().removeMouseMotionListener(this);
    chart.getChartAreaRegion().removeMouseListener(this);
    timer.reset();  // joins the worker, which sees `closing` and leaves
}

void ChartDwell::add(NxChartLabel* label) {
    if (label && std::find(labels.begin(), labels.end(), label) == labels.end()) labels.push_back(label);
}

void ChartDwell::remove(NxChartLabel* label) {
    std::erase(labels, label);
    if (current == label) {
        ++generation;
        current = nullptr;
        armed = false;
        if (timer) timer->cancel();
    }
}

std::vector<NxChartLabel*> ChartDwell::getLabels() const {
    std::lock_guard tree(host::Component::getTreeLock());
    return labels;
}

NxChartLabel* ChartDwell::getCurrent() const {
    std::lock_guard tree(host::Component::getTreeLock());
    return current;
}

host::Point ChartDwell::getPointer() const {
    std::lock_guard tree(host::Component::getTreeLock());
    return {dwellPointerX, dwellPointerY};
}

void ChartDwell::mouseMoved(host::MouseEvent& e) {
    auto& area = chart.getChartAreaRegion();
    pointerMoved(e.getX() + area.getX(), e.getY() + area.getY());
}

void ChartDwell::mouseExited(host::MouseEvent&) { pointerExited(); }

void ChartDwell::pointerMoved(int x, int y) {
    {
        std::lock_guard tree(host::Component::getTreeLock());
        scan(x, y);
    }
    flushRepaints();
}

void ChartDwell::scan(int x, int y) {
    if (seenPointer && x == dwellPointerX && y == dwellPointerY) return;
    seenPointer = true;
    dwellPointerX = x;
    dwellPointerY = y;
    ++scans;
    ++generation;
    armed = false;
    if (timer) timer->cancel();
    // One pick per view, shared by every label of that view.
    std::vector<std::pair<const ChartDataView*, std::optional<NxDataIndex>>> picked;
    auto pickIn = [&](const std::shared_ptr<ChartDataView>& view) -> const std::optional<NxDataIndex>& {
        for (auto& [v, r] : picked)
            if (v == view.get()) return r;
        ++picks;
        picked.emplace_back(view.get(), chart.pick({x, y}, view));
        return picked.back().second;
    };
    for (NxChartLabel* label : std::vector<NxChartLabel*>(labels)) {
        bool over = label->getAttachMethod() == NxChartLabel::ATTACH_DATAINDEX && label->resolvedView() &&
                    label->matchesPick(pickIn(label->resolvedView()));
        if (!over) {
            hide(label);
            continue;
        }
        if (label->getDwellDelay() > 0) {
            current = label;
            armed = true;
            if (!timer) timer = std::make_unique<host::OneShotTimer>([this] { expired(); });
            timer->start(std::chrono::milliseconds(label->getDwellDelay()));
            break;
        }
        show(label);
    }
}

void ChartDwell::pointerExited() {
    {
        std::lock_guard tree(host::Component::getTreeLock());
        seenPointer = false;
        ++generation;
        armed = false;
        if (timer) timer->cancel();
        for (NxChartLabel* label : labels) hide(label);
    }
    flushRepaints();
}

void ChartDwell::expired() {
    std::unique_lock tree(host::Component::getTreeLock(), std::defer_lock);
    while (!closing && !tree.try_lock()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (closing) return;
    if (!armed || !current) return;
    armed = false;
    NxChartLabel* label = current;
    auto view = label->resolvedView();
    if (!view) return;
    ++picks;
    auto r = chart.pick({dwellPointerX, dwellPointerY}, view);
    if (!r) return;
    if (!label->matchesPick(r)) label->setDataIndex(*r);
    if (!r->isValid()) return;
    // Shown on the event thread, where painting reads the label's visibility, unless
    // the pointer moved on or the chart went away meanwhile.
    std::weak_ptr<host::Object> weak = chart.weak_from_this();
    if (weak.expired()) {
        // A chart no shared pointer owns is shown at once (and repainted by its owner).
        show(label);
        return;
    }
    uint64_t gen = generation;
    host::Toolkit::getDefaultToolkit().getSystemEventQueue().invokeLater([weak, gen, label] {
        auto keep = weak.lock();
        if (!keep) return;
        auto& c = static_cast<NxChart&>(*keep);
        ChartDwell* d = nullptr;
        {
            std::lock_guard tree(host::Component::getTreeLock());
            d = c.getDwell();
            if (!d || d->generation != gen || d->current != label) return;
            d->show(label);
        }
        d->flushRepaints();
    });
}

void ChartDwell::hide(NxChartLabel* label) {
    if (!label->isVisible()) return;
    host::Rectangle b = label->getBounds();
    label->setVisible(false);
    chart.updateChartLabels();
    repaints.push_back(label->getIsConnected() ? host::Rectangle{0, 0, chart.getWidth(), chart.getHeight()} : b);
}

void ChartDwell::show(NxChartLabel* label) {
    if (label->isVisible()) return;
    label->setVisible(true);
    chart.updateChartLabels();
    repaints.push_back(label->getIsConnected() ? host::Rectangle{0, 0, chart.getWidth(), chart.getHeight()}
                                               : label->getBounds());
}

void ChartDwell::flushRepaints() {
    std::vector<host::Rectangle> rs;
    {
        std::lock_guard tree(host::Component::getTreeLock());
        rs.swap(repaints);
    }
    // The chart paints under its own lock, which is never taken inside the tree lock.
    for (auto& r : rs) chart.repaint(r.x, r.y, r.width, r.height);
}

}  // namespace norvex::chart
