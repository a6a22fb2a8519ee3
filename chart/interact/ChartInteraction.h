// The chart's mouse interaction: the trigger list, the handler of the gesture under
// way, the reset and cancel keys, and the axis state those keys go back to.
// Everything runs on the input thread; points are in the chart area's coordinates.
#pragma once

#include <memory>
#include <optional>

#include "chart/interact/ActionHandlers.h"
#include "chart/interact/AxisActions.h"
#include "chart/interact/EventTrigger.h"

namespace norvex::chart {

class ChartInteraction {
public:
    static constexpr int kDefaultResetKey = 114, kDefaultCancelKey = 99;  // "r", "c"
    static constexpr int kDefaultAxisSelectKey = 97;                      // "a"

    explicit ChartInteraction(InteractiveChart& chart) : chart(chart) {}

    TriggerList& getTriggers() { return triggers; }
    const TriggerList& getTriggers() const { return triggers; }
    int getResetKey() const { return resetKey; }
    void setResetKey(int k) { resetKey = k; }
    int getCancelKey() const { return cancelKey; }
    void setCancelKey(int k) { cancelKey = k; }
    // The key that opens the axis selector (0: none).
    int getAxisSelectKey() const { return axisSelectKey; }
    void setAxisSelectKey(int k) { axisSelectKey = k; }

    // A press with the input's modifiers (buttons included): starts the matching
    // trigger's handler, or picks for a PICK trigger. False when no trigger matches.
    bool press(int x, int y, int modifiers);
    void drag(int x, int y);
    void release(int x, int y);
    bool inGesture() const { return handler != nullptr; }
    ActionHandler* getHandler() const { return handler.get(); }

    // The reset key: the axes and 3-D view as they were before the first interaction;
    // the cancel key: the gesture under way stops and its changes are undone. True
    // when the key was one of them.
    bool key(int keyChar);

    // Keeps the state before the first change, for reset (the chart's own zoom and
    // translate call this too).
    void remember();
    // True when anything changed back.
    bool reset();
    bool cancel();

private:
    InteractiveChart& chart;
    TriggerList triggers;
    int resetKey = kDefaultResetKey, cancelKey = kDefaultCancelKey, axisSelectKey = kDefaultAxisSelectKey;
    std::unique_ptr<ActionHandler> handler;
    std::optional<AxisStateSnapshot> original, atPress;
};

}  // namespace norvex::chart
