// The region of the chart that holds the axes and the plot: lays out the plot
// rectangle from the room the axes and their labels need, places each axis on its
// side of the plot or at the other axis' origin, gives each its data-to-pixel map,
// computes the 3-D depth offsets, and paints backplane, grids, data and axes.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "chart/area/ChartCanvas.h"
#include "chart/area/NxMarker.h"
#include "chart/area/PlotArea.h"
#include "chart/base/NxDataIndex.h"
#include "chart/draw/ChartDraw.h"
#include "chart/model/NxAxis.h"

namespace norvex::chart {

class ChartDataView;

class NxChartArea : public ChartCanvas, public AxisArea {
    HOST_OBJECT(NxChartArea, "norvex.chart.NxChartArea", ChartCanvas)
public:
    NxChartArea();
    ~NxChartArea() override;

    // AxisArea
    std::vector<NxAxisPtr> getXAxes() const override { return xaxes; }
    std::vector<NxAxisPtr> getYAxes() const override { return yaxes; }
    DataViewParent* getChart() const override { return chart; }
    int getAngleUnit() const override { return angleUnit; }
    void dataViewTypeChanged(ChartDataView& view) override;
    host::Dimension measureText(const host::Font& font, const std::string& text) const override;
    host::Point getPlotOrigin() const override;
    std::optional<NxDataIndex> pickPoint(const std::shared_ptr<ChartDataView>& view, host::Point p, int focus) override;
    std::optional<host::Point> unpickPoint(const ChartDataView& view, int series, int point) override;

    // Marks the area (and the drawers) changed; true lets the chart update unless batched.
    void setChanged(bool b) override;
    using ChartCanvas::setChanged;
    bool getChanged() const { return changed; }
    // Limits, axis scales, labels, layout and drawer geometry, when changed.
    void recalc() override;
    bool isDirty() const;

    // DEGREES, RADIANS or GRADS.
    void setAngleUnit(int unit);
    NxAxisPtr getXAxis(int i) const;
    NxAxisPtr getYAxis(int i) const;
    NxAxisPtr getXAxis() const { return getXAxis(0); }
    NxAxisPtr getYAxis() const { return getYAxis(0); }
    // An axis replaces axis i or is appended (i equal to the count); null removes axis i.
    // The last X or Y axis is never removed ("Invalid X axis index").
    void setXAxis(int i, NxAxisPtr axis);
    void setYAxis(int i, NxAxisPtr axis);
    bool isXAxis(const NxAxis* axis) const;
    NxAxisPtr getHorizActionAxis() const { return horizActionAxis; }
    void setHorizActionAxis(NxAxisPtr axis);
    NxAxisPtr getVertActionAxis() const { return vertActionAxis; }
    void setVertActionAxis(NxAxisPtr axis);
    bool getAxisBoundingBox() const { return axisBoundingBox; }
    void setAxisBoundingBox(bool b);
    bool getFastAction() const { return fastAction; }
    void setFastAction(bool b);
    void setInAction(bool b) { inAction = b; }
    int getDepth() const { return depth; }
    void setDepth(int d);  // clamped to 0..500
    int getElevation() const { return elevation; }
    void setElevation(int e);  // clamped to -45..45
    int getRotation() const { return rotation; }
    void setRotation(int r);  // clamped to -45..45
    static void setReentrance(bool b);
    static bool getReentrance();

    // Markers and label connectors, painted over the data.
    void addMarker(NxMarkerPtr m);
    void removeMarker(const NxMarkerPtr& m);
    std::vector<NxMarkerPtr> getMarkers() const;
    void setLabelConnectors(std::vector<LabelConnector> c);
    std::vector<LabelConnector> getLabelConnectors() const;
    ChartOverlay getOverlay() const;
    // What a gesture shows (zoom band, edit feedback), in component coordinates, drawn
    // in exclusive-or: setting it erases the old feedback on screen and draws the new.
    // Every paint of the area draws it again, on whatever thread it paints.
    void setFeedback(ChartFeedback f);
    ChartFeedback getFeedback() const;

    PlotArea& getPlotArea() { return plotArea; }
    // The plot rectangle in drawing-area coordinates.
    const host::Rectangle& getPlotRect() const { return plotRect; }
    int getDeltaX() const { return deltaX; }
    int getDeltaY() const { return deltaY; }
    bool getDraw3D() const { return draw3D; }
    // Top-left corner of the drawing area in component coordinates.
    host::Point getDrawingOrigin() const;

    // The drawing object of each view of the chart (made or replaced as types change).
    void ensureDrawables();
    ChartDrawPtr getDrawable(const ChartDataView* view) const;
    void removeDrawable(const ChartDataView* view);
    // The view's axis bindings are dropped along with its drawer.
    void removeView(const ChartDataView* view);

    // p in component coordinates; null view: the nearest point of any view.
    std::optional<NxDataIndex> pick(host::Point p, const std::shared_ptr<ChartDataView>& view, int focus);

    void resetPlotArea();
    void layoutChartArea();
    void calc3D();
    bool checkDeltaValues();
    void calcLimits();

    void paintComponent(host::Graphics& g) override;
    void drawBackplane(host::Graphics& g);
    void preDrawGrids(host::Graphics& g, const std::vector<NxAxisPtr>& list);
    void drawAxes(host::Graphics& g, const std::vector<NxAxisPtr>& list);
    void drawAxisAnnotationsAndTitle(host::Graphics& g, const std::vector<NxAxisPtr>& list);

private:
    struct EdgeAxis {
        NxAxisPtr axis;
        int side;    // the annotation anchor: EAST, WEST, NORTH or SOUTH
        int offset;  // distance from the plot edge to the axis' near edge
        int room;    // what the axis with its labels and title takes from the plot
    };
    void attach(const NxAxisPtr& axis, bool vertical);
    void prepareAnnotations(const std::vector<NxAxisPtr>& list, const host::Rectangle& span);
    void adjustPlotRectForAxes(const std::vector<NxAxisPtr>& list);
    void adjustForExtents(const std::vector<NxAxisPtr>& horiz, const std::vector<NxAxisPtr>& vert);
    void layoutAxes(const std::vector<NxAxisPtr>& list);
    void layoutOrigins(const std::vector<NxAxisPtr>& list);
    bool adjustForOrthoExtents(const std::vector<NxAxisPtr>& list);
    void getHorizVertAxes(std::vector<NxAxisPtr>& h, std::vector<NxAxisPtr>& v) const;
    int placementOf(NxAxis& a) const;
    void drawAxisLine(host::Graphics& g, NxAxis& a);
    void drawGrid(host::Graphics& g, NxAxis& a);
    host::Color axisColor(const NxAxis& a) const;
    int drawingWidth() const;
    int drawingHeight() const;

    std::vector<NxAxisPtr> xaxes, yaxes;
    int angleUnit = 1;
    NxAxisPtr horizActionAxis, vertActionAxis;
    bool axisBoundingBox = false, fastAction = false, inAction = false;
    int depth = 0, elevation = 0, rotation = 0;
    std::vector<std::pair<const ChartDataView*, ChartDrawPtr>> drawables;
    PlotArea plotArea{static_cast<ChartCanvas*>(this)};
    host::Rectangle plotRect, total;
    std::vector<EdgeAxis> edgeAxes;
    int deltaX = 0, deltaY = 0;
    bool draw3D = false;
    bool inChanged = false;
    bool axisDrawOkay = false;
    static void drawFeedback(host::Graphics& g, const ChartFeedback& f);
    ChartOverlay overlay;
    mutable std::mutex feedbackMutex;  // taken last: nothing is locked while it is held
    ChartFeedback feedback;
};

using NxChartAreaPtr = std::shared_ptr<NxChartArea>;

}  // namespace norvex::chart
