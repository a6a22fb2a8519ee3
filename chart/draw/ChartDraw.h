// The drawer of one data view, chosen by its chart type: recomputes pixel geometry
// when data or axes changed, draws, finds the point nearest a pixel (pick), gives a
// point's pixel back (unpick) and edits a point interactively.
#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "chart/base/NxDataIndex.h"
#include "chart/base/TrackChange.h"
#include "host/base/Color.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"

namespace host {
class Graphics;
}

namespace norvex::chart {

class ChartDataView;
class NxFillStyle;

// What a gesture shows over the chart, drawn in exclusive-or (drawing it twice takes
// it away): rectangles (the zoom band, a bar being edited) and rubber lines (a point
// being edited).
struct ChartFeedback {
    std::vector<host::Rectangle> rects;
    std::vector<std::pair<host::Point, host::Point>> lines;

    bool empty() const { return rects.empty() && lines.empty(); }
    ChartFeedback translated(int dx, int dy) const;
    bool operator==(const ChartFeedback&) const = default;
};

class ChartDraw : public TrackChange {
    HOST_OBJECT(ChartDraw, "norvex.chart.ChartDraw", TrackChange)
public:
    explicit ChartDraw(std::shared_ptr<ChartDataView> view);

    // The drawer of the view's chart type; "Illegal chart type specified in
    // ChartDraw" for HILO_OPEN_CLOSE and values outside the table.
    static std::shared_ptr<ChartDraw> makeDrawObject(const std::shared_ptr<ChartDataView>& view);

    int getChartType() const { return chartType; }
    const std::shared_ptr<ChartDataView>& getDataView() const { return data; }
    int getNumShowing() const { return numShowing; }

    // The chart area's 3-D depth offsets (back face = front + (dx, dy), dy < 0 up) and
    // foreground colour (outlines), set before recalc.
    void setDepthOffsets(int dx, int dy) { deltaX = dx, deltaY = dy; }
    int getDeltaX() const { return deltaX; }
    int getDeltaY() const { return deltaY; }
    bool is3D() const { return deltaX != 0 || deltaY != 0; }
    void setForeground(const host::OptColor& c) { foreground = c; }
    // The chart area's plot rectangle (drawing-area coordinates), elevation (degrees),
    // depth (percent) and font, set before recalc; drawers that lay their own shapes
    // out in the plot (pies) use them.
    void setPlotFrame(const host::Rectangle& plot, int elevationDeg, int depthPercent,
                      const std::optional<host::Font>& f) {
        plotFrame = plot, elevation = elevationDeg, depth = depthPercent, font = f;
    }

    // Counts the showing series.
    virtual void recalc();
    // Draws in the chart area's drawing-area coordinates.
    virtual void draw(host::Graphics&) {}
    // p in drawing-area coordinates (the chart area converts); focus PICK_FOCUS_XY,
    // PICK_FOCUS_X or PICK_FOCUS_Y.
    virtual std::optional<NxDataIndex> pick(host::Point, int) { return std::nullopt; }
    // Drawing-area pixel of a data point, or nothing.
    virtual std::optional<host::Point> unpick(int, int) { return std::nullopt; }
    virtual void startEdit(const NxDataIndex&) {}
    virtual void showEdit(const NxDataIndex&, int, int) {}
    // The edited point's index, or -1 when nothing was changed.
    virtual int endEdit(const NxDataIndex&, int, int) { return -1; }
    // What the edit under way shows (drawing-area coordinates); the chart area draws it.
    virtual ChartFeedback editFeedback() const { return {}; }

    // Becoming unchanged also clears the view's flag (without telling the chart).
    void setChanged(bool b) override;
    void setChanged(bool b, bool updateParent);

    // The outline of a filled shape: the foreground (black when unset), unless it
    // equals the fill, where the fill's own outline shade keeps the edges visible.
    static host::Color outlineColor(const NxFillStyle& fill, const host::OptColor& fg);

protected:
    int chartType = -1;
    std::shared_ptr<ChartDataView> data;
    int numShowing = 0;
    int deltaX = 0, deltaY = 0;
    host::OptColor foreground;
    host::Rectangle plotFrame;
    int elevation = 0, depth = 0;
    std::optional<host::Font> font;
};

using ChartDrawPtr = std::shared_ptr<ChartDraw>;

}  // namespace norvex::chart
