#include "chart/interact/EventTrigger.h"

#include <stdexcept>

namespace norvex::chart {

namespace {
constexpr int kButtons = 16 | 8 | 4;
[[noreturn]] void badIndex() { throw std::invalid_argument("Invalid EventTrigger index."); }
}  // namespace

EventTrigger::EventTrigger(int m, int a) : modifiers(m) { setAction(a); }

void EventTrigger::setAction(int a) {
    if (a < ROTATE || a > DEPTH) throw std::invalid_argument("Invalid action specified for EventTrigger");
    action = a;
}

int EventTrigger::adjustModifier(int m) { return (m & kButtons) ? m : m | BUTTON1; }

std::shared_ptr<EventTrigger> TriggerList::add() {
    triggers.push_back(std::make_shared<EventTrigger>());
    return triggers.back();
}

std::shared_ptr<EventTrigger> TriggerList::get(int i) const {
    if (i < 0 || i >= size()) badIndex();
    return triggers[size_t(i)];
}

void TriggerList::set(int i, std::shared_ptr<EventTrigger> t) {
    if (i < 0 || i > size() || !t) badIndex();
    if (i == size())
        triggers.push_back(std::move(t));
    else
        triggers[size_t(i)] = std::move(t);
}

void TriggerList::remove(int i) {
    if (i < 0 || i >= size()) badIndex();
    triggers.erase(triggers.begin() + i);
}

std::shared_ptr<EventTrigger> TriggerList::findMatching(int modifiers) const {
    for (auto& t : triggers)
        if (t->matches(modifiers)) return t;
    return nullptr;
}

}  // namespace norvex::chart
