// A marker names a value on an axis, or a point of a series, and is drawn as a
// line across the plot at that value (perpendicular to its axis). The chart area
// keeps its markers in a ChartOverlay together with the lines that connect chart
// labels to their points, and paints both after the data.
#pragma once

#include <memory>
#include <vector>

#include "chart/style/NxChartStyle.h"
#include "host/base/Geometry.h"
#include "host/runtime/Object.h"

namespace host {
class Graphics;
}

namespace norvex::chart {

class NxAxis;
class ChartDataViewSeries;

class NxMarker : public host::Object {
    HOST_OBJECT(NxMarker, "norvex.chart.NxMarker", host::Object)
public:
    // A solid black line one pixel wide until the style is changed.
    NxMarker();

    double getValue() const { return value; }
    void setValue(double v) { value = v; }
    const std::shared_ptr<NxChartStyle>& getStyle() const { return style; }
    const std::shared_ptr<NxAxis>& getAxis() const { return axis; }
    void setAxis(std::shared_ptr<NxAxis> a) { axis = std::move(a); }
    int getPoint() const { return point; }
    // "Invalid value for Point in NxMarker" for negative indexes.
    void setPoint(int p);
    const std::shared_ptr<ChartDataViewSeries>& getSeries() const { return series; }
    void setSeries(std::shared_ptr<ChartDataViewSeries> s) { series = std::move(s); }

    // The axis the line belongs to: the set axis, else the series' X axis.
    std::shared_ptr<NxAxis> resolvedAxis() const;
    // The marked value on that axis: the point's X or Y value when a series is set
    // (X for the series' X axis, Y otherwise), else value. NaN when there is none.
    double resolvedValue() const;
    // The line in drawing-area coordinates, or false when the value is outside the
    // axis' range or not a number.
    bool line(const host::Rectangle& plot, host::Point& from, host::Point& to) const;
    // Draws a horizontal or vertical line from a to b in the current colour, in the
    // line pattern (dashes) and width given.
    static void drawLine(host::Graphics& g, host::Point a, host::Point b, int pattern, int width);

private:
    double value = 0.0;
    std::shared_ptr<ChartDataViewSeries> series;
    int point = 0;
    std::shared_ptr<NxAxis> axis;
    std::shared_ptr<NxChartStyle> style;
};

using NxMarkerPtr = std::shared_ptr<NxMarker>;

// A line from a chart label to the point it is attached to.
struct LabelConnector {
    host::Point from, to;
    host::Color color = host::Color::black;
    bool operator==(const LabelConnector&) const = default;
};

// What the chart area paints over the data: markers, then label connectors.
struct ChartOverlay {
    std::vector<NxMarkerPtr> markers;
    std::vector<LabelConnector> connectors;

    // g in drawing-area coordinates (clipped to the plot), plot the plot rectangle there.
    void drawMarkers(host::Graphics& g, const host::Rectangle& plot) const;
    // g in drawing-area coordinates; connectors may leave the plot.
    void drawConnectors(host::Graphics& g) const;
};

}  // namespace norvex::chart
