// Base of the chart's non-component objects: one "changed" flag.
#pragma once

#include "chart/base/Changeable.h"
#include "host/runtime/Object.h"

namespace norvex::chart {

class TrackChange : public host::Object, public Changeable {
    HOST_OBJECT(TrackChange, "norvex.chart.TrackChange", host::Object)
public:
    virtual bool isChanged() const { return changed; }
    void setChanged(bool b) override { changed = b; }

protected:
    bool changed = false;
};

}  // namespace norvex::chart
