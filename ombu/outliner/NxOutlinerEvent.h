// Outliner events: selection (state change SELECTED/DESELECTED) and folder-state
// changes (NEW_STATE with the state asked for); a listener clears the allow-change
// flag to veto, or sets another new state in the begin stage.
#pragma once

#include "ombu/NxItemEvent.h"
#include "ombu/outliner/NxOutlinerNode.h"

namespace norvex::ombu {

class NxOutlinerEvent : public NxItemEvent {
    HOST_OBJECT(NxOutlinerEvent, "norvex.ombu.NxOutlinerEvent", NxItemEvent)
public:
    static constexpr int NEW_STATE = 101;

    NxOutlinerEvent(host::Object* source, const NxOutlinerNodePtr& node, bool selected)
        : NxItemEvent(source, ITEM_STATE_CHANGED, host::Value(node), selected ? SELECTED : DESELECTED), node(node) {}
    NxOutlinerEvent(host::Object* source, const NxOutlinerNodePtr& node, int newState)
        : NxItemEvent(source, ITEM_STATE_CHANGED, host::Value(node), NEW_STATE), node(node), new_state(newState) {}

    const NxOutlinerNodePtr& getNode() const { return node; }
    int getState() const { return getStateChange(); }
    int getNewState() const { return new_state; }
    void setNewState(int s) { new_state = s; }
    bool getAllowChange() const { return doit; }
    void setAllowChange(bool b) { doit = b; }

private:
    NxOutlinerNodePtr node;
    int new_state = -999;
    bool doit = true;
};

class NxOutlinerListener : public NxItemListener {
public:
    virtual void outlinerNodeSelectBegin(NxOutlinerEvent& e) = 0;
    virtual void outlinerNodeSelectEnd(NxOutlinerEvent& e) = 0;
    virtual void outlinerFolderStateChangeBegin(NxOutlinerEvent& e) = 0;
    virtual void outlinerFolderStateChangeEnd(NxOutlinerEvent& e) = 0;
};

class NxOutlinerAdapter : public NxOutlinerListener {
public:
    void itemStateChanged(NxItemEvent&) override {}
    void outlinerNodeSelectBegin(NxOutlinerEvent&) override {}
    void outlinerNodeSelectEnd(NxOutlinerEvent&) override {}
    void outlinerFolderStateChangeBegin(NxOutlinerEvent&) override {}
    void outlinerFolderStateChangeEnd(NxOutlinerEvent&) override {}
};

}  // namespace norvex::ombu
