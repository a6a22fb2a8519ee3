// The drag of one point's value, shared by the line and area drawers: the pixels of
// the point's neighbours, kept at the start, and the dragged pixel, which moves along
// the value axis only. The feedback is a rubber line from each neighbour to it.
#pragma once

#include <optional>

#include "chart/draw/ChartDraw.h"

namespace norvex::chart {

class NxAxis;

class PointEdit {
public:
    // Starts a drag with the neighbours' pixels (either may be missing).
    void start(std::optional<host::Point> previous, std::optional<host::Point> next);
    bool dragging() const { return pos.has_value(); }
    // The pointer at (x, y); inverted: the value axis runs horizontally. The first call
    // places the dragged pixel at `own` (the point's pixel) moved to the pointer along
    // the value axis; without `own` nothing is dragged.
    void show(std::optional<host::Point> own, int x, int y, bool inverted);
    // The value of the dragged pixel on the value axis; the drag ends. Nothing when
    // nothing was dragged.
    std::optional<double> end(NxAxis& valueAxis, bool inverted);
    ChartFeedback feedback() const;

    const std::optional<host::Point>& getPrevious() const { return prev; }
    const std::optional<host::Point>& getNext() const { return next; }
    const std::optional<host::Point>& getPosition() const { return pos; }

private:
    std::optional<host::Point> prev, next, pos;
};

}  // namespace norvex::chart
