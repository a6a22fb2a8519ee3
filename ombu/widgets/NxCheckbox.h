// A check box: a label with a state indicator at its left. A press moves to the
// next of num_states states (shown at once); the release inside applies it and
// tells the item listeners; a release outside puts the state back. Space does
// press and release. In an NxCheckboxGroup with radio behaviour the chosen box
// turns the previous one off and the box that is on stays on.
//
// Locks: a box in a group takes the group's lock before its own whenever its state
// changes, so boxes of one group never wait for each other in opposite order.
//
// Parameters: "indicator" (INDICATOR_FILL ... INDICATOR_IMAGE), "indicatorImageList",
// "numStates", "selectColor", "unselectColor", "state" ("on", "off" or a number),
// after the label's own.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "ombu/NxItemEvent.h"
#include "ombu/widgets/NxLabel.h"

namespace norvex::ombu {

class NxCheckboxGroup;

class NxCheckbox : public NxLabel, public NxItemSelectable {
    HOST_CREATABLE(NxCheckbox, "norvex.ombu.NxCheckbox", NxLabel)
public:
    NxCheckbox();
    NxCheckbox(host::Applet* applet, const std::string& name);
    ~NxCheckbox() override;

    using NxLabel::getParameters;
    void getParameters() override;

    int getIndicator() const { return indicator; }
    // One of the INDICATOR_ kinds; anything else raises invalid_argument.
    void setIndicator(int kind);
    const std::vector<std::shared_ptr<host::Image>>& getIndicatorImageList() const { return image_list; }
    void setIndicatorImageList(const std::vector<std::shared_ptr<host::Image>>& list);
    const std::vector<std::string>& getIndicatorImageURLList() const { return image_url_list; }
    // Loads the images (relative to the page when there is one).
    void setIndicatorImageURLList(const std::vector<std::string>& list);
    int getNumStates() const { return num_states; }
    // At least 1; 0 or less raises invalid_argument. A state past the new count becomes 0.
    void setNumStates(int n);
    const host::OptColor& getSelectColor() const { return select_color; }
    void setSelectColor(const host::OptColor& c);
    const host::OptColor& getUnselectColor() const { return unselect_color; }
    void setUnselectColor(const host::OptColor& c);

    int getState() const { return state; }
    // 0 ... num_states - 1 (else invalid_argument). In a group, 1 makes this box the
    // current one; with radio behaviour the current box stays 1.
    void setState(int s);
    // With notify, the change goes through clickAction so that listeners hear it.
    void setState(int s, bool notify);
    NxCheckboxGroup* getCheckboxGroup() const { return group; }
    // Leaves the previous group; the new group manages the box (it does not add it as a child).
    void setCheckboxGroup(NxCheckboxGroup* g);
    // {0} when the box is not off, else empty.
    std::vector<int> getSelectedIndexes() const;
    // The label when the box is not off, else empty.
    std::vector<host::Value> getSelectedObjects() override;
    void addItemListener(NxItemListener* l) override;
    void removeItemListener(NxItemListener* l) override;

    // A group of boxes, one per label (up to the shorter list); each box keeps its value
    // as user data.
    static std::shared_ptr<NxCheckboxGroup> makeGroup(const std::vector<host::Value>& labels,
                                                      const std::vector<host::Value>& values, bool radio_behavior);

    // Applies new_state and tells the item listeners when the state changed.
    virtual void clickAction(host::Event* ev);
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;
    bool keyDown(host::Event& e, int key) override;

    void layout() override;
    void paintComponent(host::Graphics& g) override;
    int preferredWidth() override;
    int preferredHeight() override;
    const host::Rectangle getIndicatorBounds() const { return {ind_x, ind_y, ind_width, ind_height}; }

    static const std::vector<std::string>& indicatorNames();

protected:
    friend class NxCheckboxGroup;
    void setLabelSize() override;
    // Stores a state and repaints; the caller holds the group's lock (if any) and ours.
    void storeState(int s);
    // The group's lock when the box is in a group (taken before the box's own lock).
    std::unique_lock<std::recursive_mutex> lockGroup();
    void setIndicatorSize();
    void drawIndicator(host::Graphics& g);

    int indicator = OmbuEnum::INDICATOR_CROSS;
    std::vector<std::shared_ptr<host::Image>> image_list;
    std::vector<std::string> image_url_list;
    host::OptColor select_color;
    host::OptColor unselect_color = host::Color::white;
    NxCheckboxGroup* group = nullptr;  // non-owning; the group clears it
    bool armed = false;
    int state = 0;
    int num_states = 2;
    int old_state = 0;
    int new_state = 0;
    int label_offset = 5;
    int ind_height = 13, ind_width = 13, ind_x = 0, ind_y = 0;
    bool indicator_set = false;
    int text_width = 0, text_height = 0;  // the text alone, without the indicator

private:
    std::mutex listenersMutex;
    std::vector<NxItemListener*> itemListeners;
};

using NxCheckboxPtr = std::shared_ptr<NxCheckbox>;

}  // namespace norvex::ombu
