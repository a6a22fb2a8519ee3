// Line (PLOT) and symbol (SCATTER_PLOT) charts: each series becomes pixel polylines,
// clipped to the axis bounds, broken at holes; picking by distance.
#pragma once

#include <climits>
#include <utility>
#include <vector>

#include "chart/draw/ChartDraw.h"
#include "chart/draw/PointEdit.h"

namespace norvex::chart {

class NxAxis;
class NxLineStyle;

struct PlotPoint {
    static constexpr int NO_PIXEL = INT_MAX;
    int point = -1;  // data point index
    int x = NO_PIXEL, y = NO_PIXEL;
    bool drawPoint = false;  // a real data point (gets a symbol), not a clipping vertex
    bool valid() const { return x != NO_PIXEL && y != NO_PIXEL; }
};

class PlotChartDraw : public ChartDraw {
    HOST_OBJECT(PlotChartDraw, "norvex.chart.PlotChartDraw", ChartDraw)
public:
    using Segment = std::vector<PlotPoint>;

    using ChartDraw::ChartDraw;

    void recalc() override;
    void draw(host::Graphics& g) override;
    std::optional<NxDataIndex> pick(host::Point p, int focus) override;
    std::optional<host::Point> unpick(int series, int point) override;
    void startEdit(const NxDataIndex& di) override;
    void showEdit(const NxDataIndex& di, int x, int y) override;
    int endEdit(const NxDataIndex& di, int x, int y) override;
    ChartFeedback editFeedback() const override { return edit.feedback(); }

    static bool acceptPoint(int code1, int code2) { return code1 == 0 && code2 == 0; }
    static bool rejectPoint(int code1, int code2) { return (code1 & code2) != 0; }

    // The polylines of series s (empty when it has none).
    const std::vector<Segment>& getSegments(int s) const;
    // Previous and next vertex of the point being edited, and the dragged position.
    const PointEdit& getEdit() const { return edit; }

private:
    struct Mapper;
    void buildSeries(size_t s, Mapper& map);
    static void drawCollapsed(host::Graphics& g, const NxLineStyle& line, const Segment& seg);

    std::vector<std::vector<Segment>> lines;
    // Per series and data point: (segment, index) of its vertex, or (-1, -1).
    std::vector<std::vector<std::pair<int, int>>> positions;
    PointEdit edit;
};

}  // namespace norvex::chart
