// PIE views: every point is one pie, every series one slice. The pies are laid out in
// a grid of rows in the plot rectangle, each under its point label; small slices may
// merge into an "other" slice, slices may be sorted and pulled out (exploded), and with
// an elevation and depth the pies are tilted discs with a visible edge. recalc computes
// the slices and the pixel geometry; draw and pick only read them.
#pragma once

#include <memory>
#include <vector>

#include "chart/base/ChartText.h"
#include "chart/draw/ChartDraw.h"
#include "chart/draw/PieSlices.h"

namespace norvex::chart {

class NxFillStyle;

class PieChartDraw : public ChartDraw {
    HOST_OBJECT(PieChartDraw, "norvex.chart.PieChartDraw", ChartDraw)
public:
    using ChartDraw::ChartDraw;

    void recalc() override;
    void draw(host::Graphics& g) override;
    // The slice under p (or nearest to it, with the pixel distance to the pie's
    // edge): the series and the pie's point; the other slice has no series and
    // carries NxPieChartFormat::OTHER_SLICE as object. Nothing outside the grid,
    // in an empty cell or on a pie with nothing drawn.
    std::optional<NxDataIndex> pick(host::Point p, int focus) override;
    // A pixel inside the slice of that series (or OTHER_SLICE) of that pie.
    std::optional<host::Point> unpick(int series, int point) override;

    int getNumPies() const { return numPies; }
    int getRows() const { return rows; }
    int getPerRow() const { return perRow; }
    int getCellWidth() const { return cellWidth; }
    int getCellHeight() const { return cellHeight; }
    int getPieWidth() const { return info ? info->pieWidth : 0; }
    int getPieHeight() const { return info ? info->pieHeight : 0; }
    // The thickness of the tilted disc's edge (0 for flat pies).
    int getEdge() const { return edge; }
    const std::shared_ptr<PieChartInfo>& getInfo() const { return info; }
    // The top face's bounds of a pie, or nothing when the pie is not drawn.
    std::optional<host::Rectangle> pieBounds(int pie) const;

    // Arc of slice k with cumulative end angles ends: start (degrees counter-clockwise
    // from 3 o'clock, 0..359) and extent; slices go clockwise from 135 degrees.
    static std::pair<int, int> sliceArc(const std::vector<int>& ends, size_t k);
    // The pixel offset of an exploded slice along its bisecting angle.
    static host::Point calcExplodeOffset(int startAngle, int extent, int offset);

private:
    void calcTransientData();
    const NxFillStyle* getPieSliceFillStyle(const PieData& pie, size_t slice) const;
    host::Color outlineColor(const NxFillStyle* fill) const;
    void drawPieCircle(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x, int y) const;
    void drawPiePlane(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x, int y,
                      bool bottom) const;
    void drawPieEdge(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x, int y) const;
    void drawPieLines(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x, int y,
                      bool explodedToo) const;
    // 0 outside, 1 on the top ellipse, 2 on the side wall below it.
    static int pie_hit(double x, double y, double a, double b, double cx, double cy, int edge);
    std::optional<host::Point> find_point(int series, int point) const;

    std::shared_ptr<PieChartInfo> info;
    int numPies = 0, rows = 0, perRow = 0;
    int cellWidth = 0, cellHeight = 0, centerOffset = 0;
    int plotX = 0, plotY = 0;
    std::vector<ChartTextPtr> labels;
    int labelHeight = 0;
    int explodeMargin = 0, explodeOffset = 0;
    int edge = 0;
};

}  // namespace norvex::chart
