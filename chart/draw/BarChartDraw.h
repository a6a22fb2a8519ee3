// Clustered bars (BAR) and stacked bars (STACKING_BAR): every bar's front face and,
// with a 3-D depth, its top and side faces are computed in recalc; draw and pick
// only read them.
#pragma once

#include <vector>

#include "chart/draw/ChartDraw.h"

namespace norvex::chart {

class NxAxis;

struct BarPoint {
    int series = -1, point = -1;
    double xbeg = 0;          // start along X, data units
    double low = 0, high = 0;  // value span, data units (high is the value end)
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
