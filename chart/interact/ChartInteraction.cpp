#include "chart/interact/ChartInteraction.h"

#include "chart/model/ChartDataView.h"

namespace norvex::chart {

bool ChartInteraction::press(int x, int y, int modifiers) {
    if (handler) cancel();  // a second button during a drag ends the first gesture
    auto trigger = triggers.findMatching(modifiers);
    if (!trigger) return false;
    NxChartArea& area = chart.getChartAreaRegion();
    if (trigger->getAction() == EventTrigger::PICK) {
        if (auto di = area.pick({x, y}, nullptr, ChartDataView::PICK_FOCUS_XY)) chart.sendPickEvent(*di);
        return true;
    }
    remember();
    atPress = AxisStateSnapshot::take(area);
    handler = makeActionHandler(trigger->getAction(), chart);
    if (handler) handler->start(x, y);
    return true;
}

void ChartInteraction::drag(int x, int y) {
    if (!handler) return;
    handler->animate(x, y);
}

void ChartInteraction::release(int x, int y) {
    if (!handler) return;
    auto h = std::move(handler);
    atPress.reset();
    h->end(x, y);
}

bool ChartInteraction::key(int keyChar) {
    if (keyChar == resetKey) {
        reset();
        return true;
    }
    if (keyChar == cancelKey) {
        cancel();
        return true;
    }
    return false;
}

void ChartInteraction::remember() {
    if (!original) original = AxisStateSnapshot::take(chart.getChartAreaRegion());
}

bool ChartInteraction::reset() {
    if (handler) {
        handler->abandon();
        handler.reset();
        atPress.reset();
    }
    if (!original) return false;
    auto saved = std::move(*original);
    original.reset();
    chart.setIsBatched(true);
    bool changed = saved.restore(chart.getChartAreaRegion());
    chart.setIsBatched(false);
    return changed;
}

bool ChartInteraction::cancel() {
    if (!handler) return false;
    handler->abandon();
    handler.reset();
    bool changed = false;
    if (atPress) {
        chart.setIsBatched(true);
        changed = atPress->restore(chart.getChartAreaRegion());
        chart.setIsBatched(false);
    }
    atPress.reset();
    return changed;
}

}  // namespace norvex::chart
