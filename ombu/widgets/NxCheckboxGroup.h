// A group of check boxes laid out in a row or a column. With radio behaviour at
// most one box is on: choosing a box turns the current one off, and the current
// box cannot be turned off. The group's own lock guards every change of its boxes'
// states, and is always taken before a box's lock.
//
// Item listeners of the group hear the item events of all its boxes.
//
// Parameters: "orientation" ("vertical", "horizontal"), "RadioBehavior", and to
// fill the group from a page: "labels" (a list; one box each, named after the
// group with "_1", "_2" ...), "indicator" (given to every box) and "value" (the
// index of the box that starts on).
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ombu/NxContainer.h"
#include "ombu/NxItemEvent.h"
#include "ombu/OmbuEnum.h"

namespace norvex::ombu {

class NxCheckbox;

class NxCheckboxGroup : public NxContainer, public NxItemSelectable {
    HOST_CREATABLE(NxCheckboxGroup, "norvex.ombu.NxCheckboxGroup", NxContainer)
public:
    NxCheckboxGroup();
    NxCheckboxGroup(host::Applet* applet, const std::string& name);
    ~NxCheckboxGroup() override;

    using NxContainer::getParameters;
    void getParameters() override;

    // Adds the box as a child and manages it.
    void add(const std::shared_ptr<NxCheckbox>& box);
    using NxContainer::add;
    // Makes the box part of the group without adding it as a child.
    void manage(const std::shared_ptr<NxCheckbox>& box);
    // Stops managing the box (and removes it when it is a child).
    void unmanage(NxCheckbox* box);
    int numCheckboxes() const;
    // The box at i, or null.
    std::shared_ptr<NxCheckbox> getCheckbox(int i) const;

    int getOrientation() const { return orientation; }
    // HORIZONTAL or VERTICAL; anything else raises "invalid orientation: <value>".
    void setOrientation(int o);
    NxCheckbox* getCurrent() const;
    // Turns box on and the previous current box off (null: none is current, all off).
    void setCurrent(NxCheckbox* box);
    bool getRadioBehavior() const { return radio_behavior; }
    void setRadioBehavior(bool b);
    // The user data of the current box (null when none), and choosing a box by it.
    host::Value getValue() const;
    void setValue(const host::Value& v);
    NxCheckbox* getSelected() const { return getCurrent(); }
    // Indexes of the boxes that are not off, and their labels.
    std::vector<int> getSelectedIndexes() const;
    std::vector<host::Value> getSelectedObjects() override;
    void addItemListener(NxItemListener* l) override;
    void removeItemListener(NxItemListener* l) override;

protected:
    friend class NxCheckbox;
    // Called when a box's state became s, with the group's lock held and no box's lock.
    void boxStateChanged(NxCheckbox* box, int s);
    // Passes a box's item event on to the group's listeners.
    void fireItemEvent(NxItemEvent& e);

private:
    void applyLayout();

    std::vector<std::shared_ptr<NxCheckbox>> boxes;
    NxCheckbox* current = nullptr;
    int orientation = OmbuEnum::VERTICAL;
    bool radio_behavior = true;
    std::mutex listenersMutex;
    std::vector<NxItemListener*> itemListeners;
};

using NxCheckboxGroupPtr = std::shared_ptr<NxCheckboxGroup>;

}  // namespace norvex::ombu
