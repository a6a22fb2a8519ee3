// A set of series drawn with one chart type against one X and one Y axis. Loads its
// values from a data source, follows the source's changes, computes the data limits
// the axes scale to, and tells the chart whenever something changed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/model/ChartDataModel.h"
#include "chart/model/ChartDataViewSeries.h"
#include "chart/base/ChartLinks.h"
#include "chart/model/DataInterpretation.h"
#include "chart/base/DoubleCoord.h"
#include "chart/base/NxDataCoord.h"
#include "chart/base/NxDataIndex.h"
#include "chart/base/MinMax.h"
#include "chart/model/NxBarChartFormat.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/base/TrackChange.h"
#include "host/base/Geometry.h"
#include "util/NxVector.h"

namespace host {
class Graphics;
}

namespace norvex::chart {

class NxAxis;

class ChartDataView : public TrackChange, public ChartDataObserver {
    HOST_OBJECT(ChartDataView, "norvex.chart.ChartDataView", TrackChange)
public:
    // Chart types.
    static constexpr int NONE = -1, PLOT = 0, SCATTER_PLOT = 1, POLAR = 2, RADAR = 3, FILLED_RADAR = 4,
                         HILO = 5, HILO_OPEN_CLOSE = 6, CANDLE = 7, AREA = 8, BAR = 9, STACKING_BAR = 10,
                         PIE = 11;
    static constexpr int PICK_FOCUS_LOCAL = -1, PICK_FOCUS_XY = 0, PICK_FOCUS_X = 1, PICK_FOCUS_Y = 2;

    ChartDataView();
    explicit ChartDataView(DataViewParent* chart);
    ~ChartDataView() override;

    std::string toString() const override { return name; }
    virtual void setParent(DataViewParent* chart);
    DataViewParent* getParent() const { return chart; }
    // Views draw through the drawers of their chart type; nothing here.
    virtual void draw(host::Graphics&) {}
    virtual bool editPoint(const ChartDataViewSeries* s, int index, const host::Value& value);
    void update(ChartDataModel& model, const host::Value& arg) override;

    double getHoleValue() const { return holeValue; }
    void setHoleValue(double v);
    bool getIsBatched() const { return isBatched; }
    void setIsBatched(bool b);
    int getChartType() const { return chartType; }
    void setChartType(int t);
    const std::string& getName() const { return name; }
    void setName(const std::string& s);
    int getDrawingOrder() const { return drawingOrder; }
    void setDrawingOrder(int n);
    const std::shared_ptr<Chartable>& getDataSource() const { return dataSource; }
    void setDataSource(std::shared_ptr<Chartable> source);

    const std::string& getPointLabel(int i) const;
    void setPointLabel(int i, const std::string& s);
    std::optional<std::vector<std::string>> getPointLabels() const;
    int getNumPointLabels() const { return int(pointLabels.size()); }
    void setPointLabels(std::vector<std::string> labels);

    std::vector<ChartDataViewSeriesPtr> getSeries() const { return series; }
    ChartDataViewSeriesPtr getSeries(int i) const;
    void setSeries(std::vector<ChartDataViewSeriesPtr> list);
    void setSeries(int i, ChartDataViewSeriesPtr s);
    ChartDataViewSeriesPtr addSeries(int index);
    void addSeries(ChartDataViewSeriesPtr s);
    void removeSeries(int i);
    int getSeriesIndex(const std::string& seriesName) const;
    int getSeriesIndex(const ChartDataViewSeries* s) const;
    int getNumSeries() const { return int(series.size()); }
    int getVisibleDataSeries() const;

    std::shared_ptr<NxBarChartFormat> getBarChartFormat();
    std::shared_ptr<NxPieChartFormat> getPieChartFormat();

    const std::shared_ptr<NxAxis>& getXAxis() const { return xaxis; }
    void setXAxis(std::shared_ptr<NxAxis> a);
    const std::shared_ptr<NxAxis>& getYAxis() const { return yaxis; }
    void setYAxis(std::shared_ptr<NxAxis> a);

    // Numbers give their value, numeric strings are parsed, anything else is a hole.
    std::optional<std::vector<double>> toDoubleArray(const util::NxVectorPtr& v) const;
    // Row row of a source as doubles (empty rows give nullopt, as toDoubleArray).
    std::optional<std::vector<double>> rowValues(const Chartable& source, int row) const;

    void calcXMinMax(MinMax& mm);
    void calcYMinMax(MinMax& mm) const;
    void calcYMinMaxOfTotals(MinMax& mm) const;
    void getDataBounds(MinMax& xl, MinMax& yl);
    DoubleCoord getOrigin(const MinMax& xl, const MinMax& yl, bool primary) const;
    void clearLimits();
    void calcLimits();
    const std::optional<MinMax>& getXLimits() const { return xLimits; }
    const std::optional<MinMax>& getYLimits() const { return yLimits; }

    bool isChanged() const override { return changed; }
    bool getChanged() const { return changed; }
    void setChanged(bool b) override;
    void setChanged(bool b, bool updateParent);
    void propagateChange();
    void markAsChanged();

    // The point indices that every showing series has: (first, last) in x and y.
    std::optional<host::Point> getFirstLast() const;

    bool getIsInverted() const { return isInverted; }
    void setIsInverted(bool b);
    int getPickFocus() const { return pickFocus; }
    void setPickFocus(int f);
    bool getIsShowingInLegend() const { return isShowingInLegend; }
    void setIsShowingInLegend(bool b);

    // The X values the series of an ARRAY layout share.
    const std::optional<std::vector<double>>& getX() const { return xvalues; }
    void setX(std::optional<std::vector<double>> x);

    // Chart coordinates to data values and back, through the view's axes and the
    // chart area's plot origin (X and Y exchanged when the X axis is vertical).
    NxDataCoord map(int x, int y) const;
    host::Point unmap(double x, double y) const;
    NxDataCoord coordToDataCoord(int x, int y) const { return map(x, y); }
    host::Point dataCoordToCoord(double x, double y) const { return unmap(x, y); }
    // The chart coordinates of a picked point, or nothing (a hole, no drawing yet).
    std::optional<host::Point> dataIndexToCoord(const NxDataIndex& index) const;
    // The nearest drawn point to a chart pixel, or nothing.
    std::optional<NxDataIndex> coordToDataIndex(int x, int y, int focus);
    // Drawers keep their geometry themselves; the slot stays for derived views.
    virtual void calcTransientData() {}

    // The chart styles of the series (null for an index outside the series).
    NxChartStylePtr getChartStyle(int i) const;
    void setChartStyle(int i, NxChartStylePtr style);
    std::vector<NxChartStylePtr> getChartStyle() const;
    void setChartStyle(const std::vector<NxChartStylePtr>& styles);

    const host::Value& getTransientData() const { return transientData; }
    void setTransientData(host::Value v) { transientData = std::move(v); }
    bool getAllowPick() const { return allowPick; }
    void setAllowPick(bool b) { allowPick = b; }
    int getPreviousXAxisAnnotationMethod() const { return previousXAxisAnnotationMethod; }

private:
    friend class DataInterpretation;
    friend class ArrayDataInterpretation;
    friend class GeneralDataInterpretation;

    void attach(const ChartDataViewSeriesPtr& s);
    void detachSource();

    std::vector<ChartDataViewSeriesPtr> series;
    std::optional<std::vector<double>> xvalues;
    bool isBatched = false;
    double holeValue;
    int chartType = PLOT;
    std::string name;
    int drawingOrder = -1;
    std::shared_ptr<Chartable> dataSource;
    std::unique_ptr<DataInterpretation> dataInterpretation;
    std::shared_ptr<NxAxis> xaxis, yaxis;
    std::vector<std::string> pointLabels;
    std::shared_ptr<NxBarChartFormat> barChartFormat;
    std::shared_ptr<NxPieChartFormat> pieChartFormat;
    host::Value transientData;
    bool isInverted = false;
    int pickFocus = PICK_FOCUS_XY;
    bool isShowingInLegend = true;
    int previousXAxisAnnotationMethod = 0;
    bool allowPick = true;
    DataViewParent* chart = nullptr;  // not owned
    std::optional<MinMax> xLimits, yLimits;
};

using ChartDataViewPtr = std::shared_ptr<ChartDataView>;

}  // namespace norvex::chart
