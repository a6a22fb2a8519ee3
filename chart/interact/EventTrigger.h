// Which interaction a mouse drag performs: a trigger pairs modifier and button bits
// (shift 1, control 2, button 3 = 4, button 2 = 8, button 1 = 16) with an action.
#pragma once

#include <memory>
#include <vector>

namespace norvex::chart {

class EventTrigger {
public:
    static constexpr int ROTATE = 0, ZOOM = 1, TRANSLATE = 2, EDIT = 3, PICK = 4, DEPTH = 5;
    static constexpr int SHIFT = 1, CTRL = 2, META = 4, ALT = 8, BUTTON1 = 16;

    EventTrigger() = default;
    // "Invalid action specified for EventTrigger" outside ROTATE..DEPTH.
    EventTrigger(int modifiers, int action);

    int getModifiers() const { return modifiers; }
    void setModifiers(int m) { modifiers = m; }
    int getAction() const { return action; }
    void setAction(int a);

    // Button 1 is meant when no button bit (16, 8, 4) is given.
    static int adjustModifier(int m);
    // Whether an input's modifiers (buttons included) select this trigger.
    bool matches(int inputModifiers) const { return adjustModifier(modifiers) == adjustModifier(inputModifiers); }

private:
    int modifiers = 0;
    int action = ZOOM;
};

using EventTriggerPtr = std::shared_ptr<EventTrigger>;

// The chart's ordered trigger list: the first match wins.
class TriggerList {
public:
    std::shared_ptr<EventTrigger> add();
    // "Invalid EventTrigger index." outside the list (set: 0..count, count appends).
    std::shared_ptr<EventTrigger> get(int i) const;
    void set(int i, std::shared_ptr<EventTrigger> t);
    void remove(int i);
    int size() const { return int(triggers.size()); }
    std::shared_ptr<EventTrigger> findMatching(int modifiers) const;

private:
    std::vector<std::shared_ptr<EventTrigger>> triggers;
};

}  // namespace norvex::chart
