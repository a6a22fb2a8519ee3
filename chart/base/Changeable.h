// Something that wants to hear that an object it owns has changed (the chart area,
// a series, a format, a region's canvas).
#pragma once

namespace norvex::chart {

class Changeable {
public:
    virtual ~Changeable() = default;
    virtual void setChanged(bool changed) = 0;
};

}  // namespace norvex::chart
