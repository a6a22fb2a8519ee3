#include "ombu/widgets/NxCheckboxGroup.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "ombu/widgets/NxCheckbox.h"

namespace norvex::ombu {

using host::Lock;
using host::Value;

NxCheckboxGroup::NxCheckboxGroup() : NxCheckboxGroup(nullptr, "") {}

NxCheckboxGroup::NxCheckboxGroup(host::Applet* applet, const std::string& name) : NxContainer(applet, name) {
    applyLayout();
}

NxCheckboxGroup::~NxCheckboxGroup() {
    Lock guard(mutex());
    for (auto& b : boxes) {
        Lock boxGuard(b->mutex());
        b->group = nullptr;
    }
}

void NxCheckboxGroup::getParameters() {
    NxContainer::getParameters();
    auto conv = getConverter();
    int o = conv->toEnum(getParam("orientation"), "orientation", {"horizontal", "vertical"},
                         {OmbuEnum::HORIZONTAL, OmbuEnum::VERTICAL}, orientation);
    setOrientation(o);
    setRadioBehavior(conv->toBoolean(getParam("RadioBehavior"), radio_behavior));
    if (auto labels = conv->toStringList(getParam("labels"))) {
        auto indicator = getParam("indicator");
        for (size_t i = 0; i < labels->size(); ++i) {
            auto box = host::create<NxCheckbox>(applet, getName() + "_" + std::to_string(i + 1));
            box->setLabel(conv->toNxString(box.get(), (*labels)[i], Value((*labels)[i])));
            if (indicator)
                box->setIndicator(conv->toEnum(indicator, "indicator", NxCheckbox::indicatorNames(),
                                               {0, 1, 2, 3, 4, 5}, box->getIndicator()));
            add(box);
        }
        int start = conv->toInt(getParam("value"), -1);
        if (auto b = getCheckbox(start)) b->setState(1);
    }
}

void NxCheckboxGroup::add(const std::shared_ptr<NxCheckbox>& box) {
    if (!box) return;
    manage(box);
    NxContainer::add(box);
}

void NxCheckboxGroup::manage(const std::shared_ptr<NxCheckbox>& box) {
    if (!box) return;
    NxCheckboxGroup* old;
    {
        Lock guard(box->mutex());
        old = box->group;
    }
    if (old == this) return;
    if (old) old->unmanage(box.get());
    Lock guard(mutex());
    int state;
    {
        Lock boxGuard(box->mutex());
        box->group = this;
        state = box->state;
    }
    boxes.push_back(box);
    // A box that is on joins as the current one; with radio behaviour the others go off.
    if (state == 1) boxStateChanged(box.get(), 1);
}

void NxCheckboxGroup::unmanage(NxCheckbox* box) {
    std::shared_ptr<NxCheckbox> keep;
    {
        Lock guard(mutex());
        auto it = std::find_if(boxes.begin(), boxes.end(), [box](auto& b) { return b.get() == box; });
        if (it == boxes.end()) return;
        keep = *it;
        boxes.erase(it);
        Lock boxGuard(box->mutex());
        box->group = nullptr;
        if (current == box) current = nullptr;
    }
    if (box->getParent() == this) remove(box);
}

int NxCheckboxGroup::numCheckboxes() const {
    Lock guard(mutex());
    return int(boxes.size());
}

std::shared_ptr<NxCheckbox> NxCheckboxGroup::getCheckbox(int i) const {
    Lock guard(mutex());
    if (i < 0 || i >= int(boxes.size())) return nullptr;
    return boxes[size_t(i)];
}

void NxCheckboxGroup::setOrientation(int o) {
    if (o != OmbuEnum::HORIZONTAL && o != OmbuEnum::VERTICAL)
        throw std::invalid_argument("invalid orientation: " + std::to_string(o));
    Lock guard(mutex());
    if (o == orientation) return;
    orientation = o;
    applyLayout();
    invalidate();
    validate();
}

void NxCheckboxGroup::applyLayout() {
    if (orientation == OmbuEnum::VERTICAL)
        setLayout(std::make_shared<host::GridLayout>(0, 1));
    else
        setLayout(std::make_shared<host::GridLayout>(1, 0));
}

NxCheckbox* NxCheckboxGroup::getCurrent() const {
    Lock guard(mutex());
    return current;
}

void NxCheckboxGroup::setCurrent(NxCheckbox* box) {
    Lock guard(mutex());
    if (box && box->group != this) return;
    if (box) {
        {
            Lock boxGuard(box->mutex());
            box->storeState(1);
        }
        boxStateChanged(box, 1);
        return;
    }
    // No current box: every box goes off.
    current = nullptr;
    for (auto& b : boxes) {
        Lock boxGuard(b->mutex());
        b->storeState(0);
    }
}

// Called with the group's lock and no box's lock held.
void NxCheckboxGroup::boxStateChanged(NxCheckbox* box, int s) {
    Lock guard(mutex());
    if (s == 1) {
        NxCheckbox* previous = current;
        current = box;
        if (radio_behavior && previous && previous != box) {
            Lock boxGuard(previous->mutex());
            previous->storeState(0);
        }
    } else if (s == 0 && current == box) {
        current = nullptr;
    }
}

void NxCheckboxGroup::setRadioBehavior(bool b) {
    Lock guard(mutex());
    radio_behavior = b;
    if (!b) return;
    // Only the current box may stay on (the first box that is on when none is current).
    if (!current)
        for (auto& box : boxes)
            if (box->getState() != 0) {
                current = box.get();
                break;
            }
    for (auto& box : boxes) {
        if (box.get() == current) continue;
        Lock boxGuard(box->mutex());
        box->storeState(0);
    }
}

Value NxCheckboxGroup::getValue() const {
    Lock guard(mutex());
    return current ? current->getUserData() : Value();
}

void NxCheckboxGroup::setValue(const Value& v) {
    Lock guard(mutex());
    for (auto& b : boxes)
        if (b->getUserData() == v) {
            setCurrent(b.get());
            return;
        }
}

std::vector<int> NxCheckboxGroup::getSelectedIndexes() const {
    Lock guard(mutex());
    std::vector<int> out;
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i]->getState() != 0) out.push_back(int(i));
    return out;
}

std::vector<Value> NxCheckboxGroup::getSelectedObjects() {
    Lock guard(mutex());
    std::vector<Value> out;
    for (auto& b : boxes)
        if (b->getState() != 0) out.push_back(b->getLabel());
    return out;
}

void NxCheckboxGroup::addItemListener(NxItemListener* l) {
    std::lock_guard lock(listenersMutex);
    if (l && std::find(itemListeners.begin(), itemListeners.end(), l) == itemListeners.end())
        itemListeners.push_back(l);
}

void NxCheckboxGroup::removeItemListener(NxItemListener* l) {
    std::lock_guard lock(listenersMutex);
    itemListeners.erase(std::remove(itemListeners.begin(), itemListeners.end(), l), itemListeners.end());
}

void NxCheckboxGroup::fireItemEvent(NxItemEvent& e) {
    std::vector<NxItemListener*> listeners;
    {
        std::lock_guard lock(listenersMutex);
        listeners = itemListeners;
    }
    for (auto* l : listeners) l->itemStateChanged(e);
}

}  // namespace norvex::ombu
