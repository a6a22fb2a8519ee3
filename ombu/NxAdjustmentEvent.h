// The adjustment event of scroll bars and sliders, and its listener. The host's
// event needs an Adjustable; one shared do-nothing AdjustableObject stands in for
// it and the real source object becomes the event's source.
#pragma once

#include "host/ui/AWTEvent.h"
#include "ombu/NxEventListener.h"

namespace norvex::ombu {

// An Adjustable whose accessors return 0 and whose setters ignore their value.
class AdjustableObject : public host::Adjustable {
public:
    static AdjustableObject& shared();
    int getOrientation() override { return 0; }
    void setMinimum(int) override {}
    int getMinimum() override { return 0; }
    void setMaximum(int) override {}
    int getMaximum() override { return 0; }
    void setUnitIncrement(int) override {}
    int getUnitIncrement() override { return 0; }
    void setBlockIncrement(int) override {}
    int getBlockIncrement() override { return 0; }
    void setVisibleAmount(int) override {}
    int getVisibleAmount() override { return 0; }
    void setValue(int) override {}
    int getValue() override { return 0; }
};

// The adjustment constants (ADJUSTMENT_VALUE_CHANGED, UNIT_INCREMENT, UNIT_DECREMENT,
// BLOCK_DECREMENT, BLOCK_INCREMENT, TRACK) are the host event's.
class NxAdjustmentEvent : public host::AdjustmentEvent {
    HOST_OBJECT(NxAdjustmentEvent, "norvex.ombu.NxAdjustmentEvent", host::AdjustmentEvent)
public:
    NxAdjustmentEvent(host::Object* source, int id, int type, int value);
};

class NxAdjustmentListener : public NxEventListener {
public:
    virtual void adjustmentValueChanged(NxAdjustmentEvent& e) = 0;
};

}  // namespace norvex::ombu
