// The X and Y values of one series of a data view, the range of points drawn, and
// how the series shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/base/DerivedInt.h"
#include "chart/base/MinMax.h"
#include "chart/style/NxChartStyle.h"
#include "host/runtime/Object.h"
#include "host/runtime/Value.h"

namespace norvex::chart {

class ChartDataView;
class NxAxis;

class ChartDataViewSeries : public host::Object, public Changeable {
    HOST_OBJECT(ChartDataViewSeries, "norvex.chart.ChartDataViewSeries", host::Object)
public:
    using Values = std::optional<std::vector<double>>;

    ChartDataViewSeries();
    ~ChartDataViewSeries() override {
        if (style && style->getParent() == this) style->setParent(nullptr);
    }
    std::string toString() const override { return name; }

    // Sets the values (x null: the view's shared X values) and the owning view.
    void init(Values x, Values y, ChartDataView* view);
    bool editPoint(int index, const host::Value& value);

    ChartDataView* getParent() const { return parent; }
    void setParent(ChartDataView* view) { parent = view; }

    int getFirstPoint() const { return firstPoint; }
    void setFirstPoint(int n);
    int getLastPoint() const;
    bool getLastPointIsDefault() const { return lastPoint.isDefault; }
    void setLastPoint(int n);
    void setLastPointIsDefault(bool b) { lastPoint.isDefault = b; }

    const std::string& getName() const { return name; }
    void setName(const std::string& n);
    int getDrawingOrder() const { return drawingOrder; }
    void setDrawingOrder(int n);
    bool getIsShowing() const { return isShowing; }
    void setIsShowing(bool b);
    bool getIsShowingInLegend() const { return isShowingInLegend; }
    void setIsShowingInLegend(bool b);
    bool getIsIncluded() const { return isIncluded; }
    void setIsIncluded(bool b);
    const std::string& getLabel() const { return label; }
    void setLabel(const std::string& s);

    int maxXIndex() const;
    int maxYIndex() const;
    int maxIndex() const;
    void getXMinMax(MinMax& mm) const;
    void getYMinMax(MinMax& mm) const;
    // Narrows the axis' step to the smallest non-zero spacing of neighbouring X values.
    void calcStep(NxAxis& axis) const;

    // Value i; a hole value when i is outside the values.
    double getX(int i) const;
    double getY(int i) const;
    // The own X values or the view's shared ones; null when there are none.
    const std::vector<double>* getX() const;
    const std::vector<double>* getY() const { return yvalues ? &*yvalues : nullptr; }
    void setX(Values x);
    void setY(Values y);
    // Index of the value nearest to value (the first on ties); 0 when there are none.
    int getX(double value) const { return getPoint(value, getX()); }
    int getY(double value) const { return getPoint(value, getY()); }
    static int getPoint(double value, const std::vector<double>* array);

    bool hasOwnX() const { return xvalues.has_value(); }

    // How the series is drawn; null until the chart gives it the next default style.
    const NxChartStylePtr& getStyle() const { return style; }
    void setStyle(NxChartStylePtr s);
    // A change of the style marks the view changed.
    void setChanged(bool b) override;

private:
    double holeValue() const;
    void markParentChanged();

    ChartDataView* parent = nullptr;  // not owned
    Values xvalues, yvalues;
    int firstPoint = 0;
    DerivedInt lastPoint{0, true};
    std::string name;
    int drawingOrder = -1;
    bool isShowing = true;
    bool isShowingInLegend = true;
    bool isIncluded = true;
    std::string label;
    NxChartStylePtr style;
};

using ChartDataViewSeriesPtr = std::shared_ptr<ChartDataViewSeries>;

}  // namespace norvex::chart
