#include "chart/model/ChartDataViewSeries.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxis.h"

namespace norvex::chart {

namespace {
std::atomic<int> seriesCounter{0};
}

ChartDataViewSeries::ChartDataViewSeries() : name("DataViewSeries #" + std::to_string(++seriesCounter)) {}

void ChartDataViewSeries::init(Values x, Values y, ChartDataView* view) {
    xvalues = std::move(x);
    yvalues = std::move(y);
    parent = view;
}

bool ChartDataViewSeries::editPoint(int index, const host::Value& value) {
    return parent ? parent->editPoint(this, index, value) : true;
}

double ChartDataViewSeries::holeValue() const {
    return parent ? parent->getHoleValue() : std::numeric_limits<double>::max();
}

void ChartDataViewSeries::markParentChanged() {
    if (parent) parent->setChanged(true);
}

void ChartDataViewSeries::setFirstPoint(int n) {
    {
        host::Lock lock(mutex());
        if (n < 0 || n > maxIndex())
            throw std::invalid_argument("FirstPoint value does not address a point in the data series");
        if (n == firstPoint) return;
        firstPoint = n;
    }
    markParentChanged();
}

int ChartDataViewSeries::getLastPoint() const {
    if (!lastPoint.isDefault) return lastPoint.value;
    return std::min(maxXIndex(), maxYIndex()) - 1;
}

void ChartDataViewSeries::setLastPoint(int n) {
    {
        host::Lock lock(mutex());
        if (n < 0 || n > maxIndex())
            throw std::invalid_argument("LastPoint value does not address a point in the data series");
        if (!lastPoint.isDefault && lastPoint.value == n) return;
        lastPoint.set(n);
    }
    markParentChanged();
}

// The field changes under the series' lock; the view hears of it afterwards.
#define NX_SERIES_SET(field, v)         \
    {                                   \
        host::Lock lock(mutex());       \
        if ((field) == (v)) return;     \
        (field) = (v);                  \
    }                                   \
    markParentChanged()

void ChartDataViewSeries::setName(const std::string& n) { NX_SERIES_SET(name, n); }
void ChartDataViewSeries::setDrawingOrder(int n) { NX_SERIES_SET(drawingOrder, n); }
void ChartDataViewSeries::setIsShowing(bool b) { NX_SERIES_SET(isShowing, b); }
void ChartDataViewSeries::setIsShowingInLegend(bool b) { NX_SERIES_SET(isShowingInLegend, b); }
void ChartDataViewSeries::setIsIncluded(bool b) { NX_SERIES_SET(isIncluded, b); }
void ChartDataViewSeries::setLabel(const std::string& s) { NX_SERIES_SET(label, s); }

int ChartDataViewSeries::maxXIndex() const {
    const auto* x = getX();
    return x ? int(x->size()) : 0;
}

int ChartDataViewSeries::maxYIndex() const { return yvalues ? int(yvalues->size()) : 0; }

int ChartDataViewSeries::maxIndex() const { return std::max(std::min(maxXIndex(), maxYIndex()) - 1, 0); }

void ChartDataViewSeries::getXMinMax(MinMax& mm) const { mm.setMinMax(getX(), holeValue()); }

void ChartDataViewSeries::getYMinMax(MinMax& mm) const { mm.setMinMax(getY(), holeValue()); }

void ChartDataViewSeries::calcStep(NxAxis& axis) const {
    const auto* x = getX();
    double step = axis.getStep();
    if (x) {
        for (size_t i = 1; i < x->size(); ++i) {
            double d = std::fabs((*x)[i] - (*x)[i - 1]);
            if (d != 0 && d < step) step = d;
        }
    }
    if (step == std::numeric_limits<double>::max()) step = 1.0;
    axis.setStep(step);
}

double ChartDataViewSeries::getX(int i) const {
    const auto* x = getX();
    if (!x || i < 0 || size_t(i) >= x->size()) return holeValue();
    return (*x)[size_t(i)];
}

double ChartDataViewSeries::getY(int i) const {
    if (!yvalues || i < 0 || size_t(i) >= yvalues->size()) return holeValue();
    return (*yvalues)[size_t(i)];
}

const std::vector<double>* ChartDataViewSeries::getX() const {
    if (xvalues) return &*xvalues;
    if (parent && parent->getX()) return &*parent->getX();
    return nullptr;
}

void ChartDataViewSeries::setX(Values x) {
    {
        host::Lock lock(mutex());
        xvalues = std::move(x);
    }
    // Outside our lock: the change may lay the chart out, under the tree lock.
    markParentChanged();
}

void ChartDataViewSeries::setY(Values y) {
    {
        host::Lock lock(mutex());
        yvalues = std::move(y);
    }
    // Outside our lock: the change may lay the chart out, under the tree lock.
    markParentChanged();
}

int ChartDataViewSeries::getPoint(double value, const std::vector<double>* array) {
    if (!array || array->empty()) return 0;
    int best = 0;
    double bestDist = std::fabs((*array)[0] - value);
    for (size_t i = 1; i < array->size(); ++i) {
        double d = std::fabs((*array)[i] - value);
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

void ChartDataViewSeries::setStyle(NxChartStylePtr s) {
    {
        host::Lock lock(mutex());
        if (s == style) return;
        if (style && style->getParent() == this) style->setParent(nullptr);
        style = std::move(s);
        if (style) style->setParent(this);
    }
    markParentChanged();  // outside our lock, as in setY
}

void ChartDataViewSeries::setChanged(bool b) {
    if (b) markParentChanged();
}

}  // namespace norvex::chart
