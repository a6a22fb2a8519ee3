// A free-standing text label over a chart: at a pixel position, at a data
// coordinate or at a data point, with an anchor saying on which side of that
// position it sits and a pixel offset. A connected label also gets a line from its
// point to its nearest edge (drawn by the chart area). A dwell label stays hidden
// until the pointer rests on its data point (the chart runs the timer).
#pragma once

#include <memory>
#include <optional>

#include "chart/NxChart.h"
#include "chart/NxTitle.h"
#include "chart/base/NxDataCoord.h"
#include "chart/base/NxDataIndex.h"
#include "chart/model/ChartDataView.h"

namespace norvex::chart {

class NxChartLabel : public NxTitle, public NxChartListener {
    HOST_OBJECT(NxChartLabel, "norvex.chart.NxChartLabel", NxTitle)
public:
    // The label's own anchors (the legend and titles use other values).
    static constexpr int NORTHEAST = 1, NORTH = 2, NORTHWEST = 3, EAST = 4, WEST = 5, SOUTHEAST = 6, SOUTH = 7,
                         SOUTHWEST = 8, CENTER = 9, AUTO = 10;
    static constexpr int ATTACH_NONE = 0, ATTACH_COORD = 1, ATTACH_DATACOORD = 2, ATTACH_DATAINDEX = 3;
    // Where a label whose point is not drawn goes: off the chart.
    static constexpr int OFF_X = -9999;

    NxChartLabel();
    NxChartLabel(const std::string& text, bool richText);

    int getAnchor() const { return anchor; }
    // 1..10, else "Invalid Anchor value in NxChartLabel. ..."
    void setAnchor(int a);
    int getAttachMethod() const { return attachMethod; }
    // 0..3, else "Invalid AttachMethod in NxChartLabel. ..."
    void setAttachMethod(int m);
    host::Point getCoord() const { return {attachX, attachY}; }
    void setCoord(host::Point p);
    NxDataCoord getDataCoord() const { return {dataAttachX, dataAttachY}; }
    void setDataCoord(NxDataCoord c);
    const NxDataIndex& getDataIndex() const { return attachDataIndex; }
    void setDataIndex(const NxDataIndex& di);
    // Attaches to point `point` of series number `series` (0-based) of the label's view.
    void setDataIndex(int series, int point);
    const std::shared_ptr<ChartDataView>& getDataView() const { return dataView; }
    void setDataView(std::shared_ptr<ChartDataView> v);
    host::Point getOffset() const { return {offsetX, offsetY}; }
    void setOffset(host::Point p);
    bool getIsDwellLabel() const { return isDwellLabel; }
    void setIsDwellLabel(bool b);
    int getDwellDelay() const { return dwellDelay; }
    void setDwellDelay(int ms);
    bool getIsConnected() const { return isConnected; }
    void setIsConnected(bool b);
    // The parent when it is a chart, else null.
    NxChart* getChart() const;

    // The view meant: the label's own, else the attached point's, else the chart's first.
    std::shared_ptr<ChartDataView> resolvedView() const;
    // The attach point in the chart's coordinates; nothing when the point is not drawn
    // (outside the plot, a hole, no such point) or the method is ATTACH_NONE.
    std::optional<host::Point> attachPoint() const;
    // Where a label of size `size` with its centre on p goes for the anchor and offset.
    static host::Point anchoredOrigin(host::Point p, host::Dimension size, int anchor, host::Point offset);

    // Sizes the label as a title, then moves it to its anchored position.
    void recalc() override;
    // A pick result equal to the attached data point (for the chart's dwell scan).
    bool matchesPick(const std::optional<NxDataIndex>& pick) const;
    // True for ATTACH_DATAINDEX labels when the chart's pick at (x, y) in the label's
    // view is the attached point.
    bool shouldPopupHere(int x, int y) const;
    // Data-attached labels follow zooming and scrolling.
    void changeChart(const NxChartEvent& e) override;
    // The line from the attach point to the label's nearest edge, in chart coordinates;
    // nothing unless connected, shown and placed, or when the point is inside the label.
    std::optional<std::pair<host::Point, host::Point>> connectorLine() const;

private:
    // Marks the label changed and repositions it at once when it is in a chart.
    void moved();

    int anchor = CENTER;
    int attachMethod = ATTACH_COORD;
    int attachX = 0, attachY = 0;
    double dataAttachX = 0.0, dataAttachY = 0.0;
    int offsetX = 0, offsetY = 0;
    NxDataIndex attachDataIndex;
    std::shared_ptr<ChartDataView> dataView;
    bool isDwellLabel = false;
    int dwellDelay = 0;
    bool isConnected = false;
    std::optional<host::Point> lastAttach;  // the attach point of the last positioning
};

using NxChartLabelPtr = std::shared_ptr<NxChartLabel>;

}  // namespace norvex::chart
