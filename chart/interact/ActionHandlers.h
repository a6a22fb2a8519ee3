// The handlers of the mouse-driven chart actions. Each gets the press (start), the
// drags (animate), a redraw after the chart repainted under a drag (reanimate) and the
// release (end), in the chart area's component coordinates, on the input thread.
#pragma once

#include <memory>
#include <optional>

#include "chart/base/NxDataIndex.h"
#include "chart/draw/ChartDraw.h"
#include "chart/interact/InteractiveChart.h"
#include "host/base/Geometry.h"

namespace norvex::chart {

class ActionHandler {
public:
    explicit ActionHandler(InteractiveChart& chart) : chart(chart), area(chart.getChartAreaRegion()) {}
    virtual ~ActionHandler() = default;
    virtual void start(int, int) {}
    virtual void animate(int, int) {}
    virtual void reanimate(int, int) {}
    virtual void end(int, int) {}
    // Stops the gesture without its effect (what is drawn for it is taken away).
    virtual void abandon() {}

protected:
    // The plot rectangle in component coordinates.
    host::Rectangle plotRect() const;
    // The two action axes as (horizontal, vertical) by their orientation now.
    std::pair<NxAxisPtr, NxAxisPtr> actionAxes() const;
    // The first view's chart type (NONE without views).
    int firstChartType() const;

    InteractiveChart& chart;
    NxChartArea& area;
};

// Drags a rubber band and zooms the editable action axes into it; a click zooms into
// the 20 x 20 pixel square around the point.
class ZoomHandler : public ActionHandler {
public:
    using ActionHandler::ActionHandler;
    static constexpr int kClickSlop = 7, kClickHalf = 10;
    void start(int x, int y) override;
    void animate(int x, int y) override;
    void reanimate(int x, int y) override;
    void end(int x, int y) override;
    void abandon() override;
    // The band drawn now, if any.
    std::optional<host::Rectangle> getBand() const;
    // The rectangle a release at (x, y) zooms into.
    host::Rectangle zoomRect(int x, int y) const;

private:
    host::Point press;
};

// Pans the editable action axes with the pointer.
class TranslateHandler : public ActionHandler {
public:
    using ActionHandler::ActionHandler;
    static constexpr const char* kSameOrientation =
        "Cannot translate:[NEWLINE]the horizontal and vertical action axes have the same orientation.";
    void start(int x, int y) override;
    void animate(int x, int y) override;
    void end(int x, int y) override;
    void abandon() override;

private:
    bool active = false;
    host::Point press;
    NxAxisPtr horiz, vert;
    double horizExtent = 0, vertExtent = 0;
    int plotWidth = 0, plotHeight = 0;  // at the press: labels that change size while moving do not change the pace
};

// Turns a 3-D chart: horizontal movement rotates, vertical movement elevates (a pie
// only elevates); both within +-45 degrees.
class RotateHandler : public ActionHandler {
public:
    using ActionHandler::ActionHandler;
    void start(int x, int y) override;
    void animate(int x, int y) override;
    void end(int x, int y) override;
    bool isEnabled() const { return enabled; }

private:
    bool enabled = false, pie = false;
    std::optional<host::Point> last;
    host::Point press;
    int startElevation = 0, startRotation = 0;
};

// Vertical movement changes the 3-D depth (the other way on a pie).
class DepthHandler : public ActionHandler {
public:
    using ActionHandler::ActionHandler;
    void start(int x, int y) override;
    void animate(int x, int y) override;
    void end(int x, int y) override;

private:
    bool enabled = false, pie = false;
    host::Point press;
    int startDepth = 0;
};

// Drags a picked data point to a new value through its view's drawer.
class EditHandler : public ActionHandler {
public:
    using ActionHandler::ActionHandler;
    void start(int x, int y) override;
    void animate(int x, int y) override;
    void end(int x, int y) override;
    void abandon() override;
    const std::optional<NxDataIndex>& getPicked() const { return picked; }

private:
    std::optional<NxDataIndex> picked;
    ChartDrawPtr drawer;
};

// Scaling by dragging is not offered: every operation does nothing.
class ScaleHandler : public ActionHandler {
public:
    using ActionHandler::ActionHandler;
};

// The handler of a trigger action (null for PICK, which has none).
std::unique_ptr<ActionHandler> makeActionHandler(int action, InteractiveChart& chart);

}  // namespace norvex::chart
