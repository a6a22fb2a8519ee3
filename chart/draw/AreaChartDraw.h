// Area charts (AREA): every series is a filled polygon between its data line and the
// Y axis origin. Series are not stacked; a later series paints over an earlier one.
// A hole ends the current polygon at the last valid point (closed down to the
// origin) and the next valid pair opens a new one.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "chart/draw/ChartDraw.h"
#include "chart/draw/PointEdit.h"

namespace norvex::chart {

class NxAxis;

class AreaChartDraw : public ChartDraw {
    HOST_OBJECT(AreaChartDraw, "norvex.chart.AreaChartDraw", ChartDraw)
public:
    // A vertex in 64-bit drawing-area pixels (zoomed data lies far outside int range).
    struct Vertex {
        int64_t x = 0, y = 0;
        bool operator==(const Vertex&) const = default;
    };
    using Outline = std::vector<Vertex>;

    using ChartDraw::ChartDraw;

    void recalc() override;
    void draw(host::Graphics& g) override;
    std::optional<NxDataIndex> pick(host::Point p, int focus) override;
    std::optional<host::Point> unpick(int series, int point) override;
    void startEdit(const NxDataIndex& di) override;
    void showEdit(const NxDataIndex& di, int x, int y) override;
    int endEdit(const NxDataIndex& di, int x, int y) override;
    ChartFeedback editFeedback() const override { return edit.feedback(); }

    // The polygons of series s before clipping, in order (empty when it has none).
    const std::vector<Outline>& getOutlines(int s) const;
    // The same polygons clipped to the drawing window, as drawn.
    const std::vector<host::Polygon>& getPolygons(int s) const;

    // The drawing window: the axes' pixel spans widened by this margin, so clipped
    // edges never show inside the plot.
    static constexpr int64_t kClipMargin = 64;

    // Cuts a closed polygon to the rectangle [x0, x1] x [y0, y1] (convex clipping).
    static Outline clipToRect(const Outline& in, int64_t x0, int64_t y0, int64_t x1, int64_t y1);

    // Previous and next vertex of the point being edited, and the dragged position.
    const PointEdit& getEdit() const { return edit; }

private:
    struct Mapper;
    void buildSeries(size_t s, const Mapper& map);
    // Distance from p to series s's area near p along the category axis, and the chosen point.
    std::optional<std::pair<int64_t, int>> seriesDistance(size_t s, host::Point p, int focus, int first, int last) const;

    std::vector<std::vector<Outline>> outlines;
    std::vector<std::vector<host::Polygon>> polygons;
    // Per series and point: the pixel of the data point, or nothing for a hole.
    std::vector<std::vector<std::optional<Vertex>>> pixels;
    int64_t baseline = 0;
    bool inverted = false;
    PointEdit edit;
};

}  // namespace norvex::chart
