// What the data views and axes need from the chart that holds them and from its
// chart area. The chart component and the chart area implement these; tests and
// headless programs may implement them directly.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/base/Changeable.h"
#include "chart/base/NxDataIndex.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"

namespace norvex::chart {

class ChartDataView;
class NxAxis;
class DataViewParent;

// The chart area: it owns the axes and lays them out.
class AxisArea : public Changeable {
public:
    virtual std::vector<std::shared_ptr<NxAxis>> getXAxes() const = 0;
    virtual std::vector<std::shared_ptr<NxAxis>> getYAxes() const = 0;
    // The chart whose views use the axes (null when the area is not in a chart).
    virtual DataViewParent* getChart() const = 0;
    // DEGREES, RADIANS or GRADS (the unit of angular X origins).
    virtual int getAngleUnit() const = 0;
    // A view changed its chart type (the area counts its bar views).
    virtual void dataViewTypeChanged(ChartDataView& view) = 0;
    // Width and height of a label in the font, as the area draws it.
    virtual host::Dimension measureText(const host::Font& font, const std::string& text) const = 0;
    // Where the axes' pixel 0,0 lies in the chart's coordinates (the chart area's
    // position plus its drawing-area origin).
    virtual host::Point getPlotOrigin() const { return {0, 0}; }
    // The nearest point of the view to p (axis pixels), and a point's axis pixel.
    virtual std::optional<NxDataIndex> pickPoint(const std::shared_ptr<ChartDataView>&, host::Point, int) {
        return std::nullopt;
    }
    virtual std::optional<host::Point> unpickPoint(const ChartDataView&, int, int) { return std::nullopt; }
};

// The chart: it keeps the views in drawing order and recomputes and repaints on update.
class DataViewParent : public Changeable {
public:
    virtual int getNumData() const = 0;
    virtual std::shared_ptr<ChartDataView> getDataView(int index) const = 0;
    virtual bool getIsBatched() const = 0;
    virtual void update() = 0;
    // Null while the chart has no chart area.
    virtual AxisArea* getChartArea() const = 0;
};

}  // namespace norvex::chart
