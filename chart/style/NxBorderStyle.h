// The border of a chart region or text: one of the component base's frame types
// drawn with a width.
#pragma once

#include "chart/base/Changeable.h"
#include "host/base/Color.h"
#include "host/runtime/Object.h"

namespace host {
class Graphics;
}

namespace norvex::chart {

class NxBorderStyle : public host::Object {
    HOST_OBJECT(NxBorderStyle, "norvex.chart.NxBorderStyle", host::Object)
public:
    static constexpr int NONE = 0, ETCHED_IN = 1, ETCHED_OUT = 2, IN = 3, OUT = 4, PLAIN = 5, FRAME_IN = 6,
                         FRAME_OUT = 7;

    NxBorderStyle() = default;
    explicit NxBorderStyle(Changeable* owner) : parent(owner) {}
    NxBorderStyle(Changeable* owner, int t, int w) : parent(owner), type(t), width(w) {}

    void setParent(Changeable* owner) { parent = owner; }
    int getType() const { return type; }
    // "Invalid Type in NxBorderStyle" outside NONE..FRAME_OUT.
    void setType(int t);
    int getWidth() const { return width; }
    // Negative widths are taken as 0.
    void setWidth(int w);
    // The frame around (x, y, w, h); plain and frame lines in the shadow colour.
    void draw(host::Graphics& g, int x, int y, int w, int h, const host::Color& highlight,
              const host::Color& shadow) const;

private:
    Changeable* parent = nullptr;  // not owned
    int type = PLAIN;
    int width = 1;
};

}  // namespace norvex::chart
