// Clustered bars (BAR) and stacked bars (STACKING_BAR): every bar's front face and,
// with a 3-D depth, its top and side faces are computed in recalc; draw and pick
// only read them.
#pragma once

#include <optional>
#include <vector>

#include "chart/draw/ChartDraw.h"

namespace norvex::chart {

class NxAxis;

struct BarPoint {
    int series = -1, point = -1;
    double xbeg = 0;          // start along X, data units
    double low = 0, high = 0;  // value span, data units (high is the value end)
    // A value v shows as a bar ending at base + v / scale: 0 and 1 for clustered bars;
    // stacked bars start where the stack below ends, in percent with a 100 % stack.
    double base = 0, scale = 1;
    host::Rectangle front;     // front face, top-left corner first
    std::vector<host::Point> top, side;  // 3-D faces (empty when flat)
};

class BarChartDraw : public ChartDraw {
    HOST_OBJECT(BarChartDraw, "norvex.chart.BarChartDraw", ChartDraw)
public:
    using ChartDraw::ChartDraw;

    void recalc() override;
    void draw(host::Graphics& g) override;
    std::optional<NxDataIndex> pick(host::Point p, int focus) override;
    std::optional<host::Point> unpick(int series, int point) override;
    // Editing moves the value end of the bar's front face along the value axis; the
    // value follows from where it is let go (for stacked bars, above the stack below).
    void startEdit(const NxDataIndex& di) override;
    void showEdit(const NxDataIndex& di, int x, int y) override;
    int endEdit(const NxDataIndex& di, int x, int y) override;
    ChartFeedback editFeedback() const override;

    // The bars in drawing order of the front faces (point, then series).
    const std::vector<BarPoint>& getBars() const { return bars; }
    double getBarWidth() const { return barWidth; }
    bool getOutline() const { return outline; }

protected:
    // Pixel faces of a bar spanning [xbeg, xbeg + barWidth] x [low, high].
    void place(BarPoint& b, NxAxis& xa, NxAxis& ya) const;
    // Sets the outline flag from the pixel width of one bar.
    void calcOutline(NxAxis& xa);

    std::vector<BarPoint> bars;
    double barWidth = 0;
    bool outline = false;
    std::optional<BarPoint> editBar;  // the bar being edited
    int editFixed = 0;                // pixel of its fixed end on the value axis
    std::optional<int> editEnd;       // pixel of the dragged value end
};

// One bar per point with the series' values stacked: positive values upward and
// negative values downward from 0, optionally scaled so each stack totals 100.
class SBarChartDraw : public BarChartDraw {
    HOST_OBJECT(SBarChartDraw, "norvex.chart.SBarChartDraw", BarChartDraw)
public:
    using BarChartDraw::BarChartDraw;
    void recalc() override;
};

}  // namespace norvex::chart
