#include "chart/model/ChartDataView.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "chart/model/NxAxis.h"
#include "chart/base/NxChartUtil.h"

namespace norvex::chart {

namespace {
std::atomic<int> viewCounter{0};
constexpr double kLargest = std::numeric_limits<double>::max();
}  // namespace

ChartDataView::ChartDataView() : holeValue(kLargest), name("DataView #" + std::to_string(++viewCounter)) {
    changed = true;
}

ChartDataView::ChartDataView(DataViewParent* c) : ChartDataView() { setParent(c); }

ChartDataView::~ChartDataView() { detachSource(); }

void ChartDataView::detachSource() {
    if (auto m = std::dynamic_pointer_cast<ChartDataModel>(dataSource)) m->deleteObserver(this);
}

void ChartDataView::setParent(DataViewParent* c) {
    host::Lock lock(mutex());
    chart = c;
    if (!chart) return;
    if (AxisArea* area = chart->getChartArea()) {
        auto pick = [](std::shared_ptr<NxAxis>& cur, const std::vector<std::shared_ptr<NxAxis>>& list) {
            for (const auto& a : list)
                if (a == cur) return;
            if (!list.empty()) cur = list.front();
        };
        pick(xaxis, area->getXAxes());
        pick(yaxis, area->getYAxes());
    }
    chart->setChanged(true);
}

bool ChartDataView::editPoint(const ChartDataViewSeries* s, int index, const host::Value& value) {
    if (!dataSource) return true;
    if (!std::dynamic_pointer_cast<EditableChartable>(dataSource)) return false;
    int i = getSeriesIndex(s);
    if (i < 0) throw std::runtime_error("Bad row in editPoint!");
    return dataInterpretation->editPoint(i, index, value);
}

void ChartDataView::update(ChartDataModel&, const host::Value& arg) {
    auto u = arg.as<ChartDataModelUpdate>();
    if (!u || !dataInterpretation) return;
    bool reset = false, saved = false;
    {
        host::Lock lock(mutex());
        // Marked changed while the series take the new data, so they announce nothing
        // under our lock; the one announcement follows below. A failure puts the mark
        // back, so later changes are still announced.
        const bool was = changed;
        changed = true;
        DataInterpretation& di = *dataInterpretation;
        int r = u->row, c = u->column;
        try {
            switch (u->message) {
                case ChartDataModelUpdate::CHANGE_VALUE: di.changeValue(r, c); break;
                case ChartDataModelUpdate::ADD_VALUE: di.addValue(r, c); break;
                case ChartDataModelUpdate::REMOVE_VALUE: di.removeValue(r, c); break;
                case ChartDataModelUpdate::CHANGE_ROW: di.changeRow(r, c); break;
                case ChartDataModelUpdate::ADD_ROW: di.addRow(r, c); break;
                case ChartDataModelUpdate::REMOVE_ROW: di.removeRow(r, c); break;
                case ChartDataModelUpdate::CHANGE_COLUMN: di.changeColumn(r, c); break;
                case ChartDataModelUpdate::ADD_COLUMN: di.addColumn(r, c); break;
                case ChartDataModelUpdate::REMOVE_COLUMN: di.removeColumn(r, c); break;
                case ChartDataModelUpdate::CHANGE_POINT_LABEL: di.changePointLabel(r, c); break;
                case ChartDataModelUpdate::CHANGE_SERIES_NAME: di.changeSeriesName(r, c); break;
                case ChartDataModelUpdate::CHANGE_SERIES_LABEL: di.changeSeriesLabel(r, c); break;
                case ChartDataModelUpdate::RESET:
                    // Batched while reloading; the chart hears of it once, when batching ends.
                    saved = isBatched;
                    isBatched = true;
                    reset = true;
                    di.reset(r, c);
                    break;
                default: changed = was; return;
            }
        } catch (...) {
            if (reset) isBatched = saved;  // a failed reload must not leave the view batched
            changed = was;
            throw;
        }
        changed = false;  // the data moved: always tell the chart
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
    if (reset) setIsBatched(saved);
}

void ChartDataView::setHoleValue(double v) {
    host::Lock lock(mutex());
    holeValue = v;
}

void ChartDataView::setIsBatched(bool b) {
    {
        host::Lock lock(mutex());
        if (b == isBatched) return;
        isBatched = b;
    }
    if (!b) propagateChange();
}

void ChartDataView::setChartType(int t) {
    int old;
    std::shared_ptr<NxAxis> x, y;
    DataViewParent* c;
    {
        host::Lock lock(mutex());
        if (t == chartType) return;
        if (t < 0 || t > PIE) throw std::invalid_argument("Invalid chart type");
        // Area charts have a drawer; polar, radar, hi-lo and candle charts have none.
        if (t == POLAR || t == RADAR || t == FILLED_RADAR || t == HILO || t == HILO_OPEN_CLOSE || t == CANDLE)
            throw std::invalid_argument("Currently unsupported chart type");
        old = chartType;
        chartType = t;
        x = xaxis, y = yaxis, c = chart;
    }
    if (t == BAR || t == STACKING_BAR) getBarChartFormat();
    if (t == PIE) getPieChartFormat();

    // The axes are set up outside our lock: each tells the chart area, which may lay the
    // chart out under the chart's lock.
    // Point labels are only allowed on an axis its chart area holds as an X axis;
    // elsewhere the method stays as it is.
    auto setMethod = [](NxAxis& a, int m) {
        try {
            a.setAnnotationMethod(m);
        } catch (const std::invalid_argument&) {
        }
    };
    if (x) setMethod(*x, previousXAxisAnnotationMethod);
    if (old == PIE)
        for (auto* a : {x.get(), y.get()})
            if (a) {
                a->setIsShowing(true);
                a->setChanged(true);
            }
    if ((old == BAR || old == STACKING_BAR) && x) {
        previousXAxisAnnotationMethod = x->getAnnotationMethod();
        x->setAnnotationMethod(NxAxis::VALUE);
    }
    if ((t == BAR || t == STACKING_BAR) && x && y) {
        previousXAxisAnnotationMethod = x->getAnnotationMethod();
        x->setPlacementAxis(y);
        // Point labels need the axis to be one of its chart area's X axes.
        setMethod(*x, NxAxis::POINT_LABELS);
        if (x->getPlacementIsDefault())
            x->setPlacement(NxAxis::ORIGIN);
        else
            x->setChanged(true);
        if (y->getOriginPlacementIsDefault()) y->setOriginPlacement(NxAxis::ZERO);
    } else if (t == PIE) {
        for (auto* a : {x.get(), y.get()})
            if (a) {
                a->setIsShowing(false);
                a->setChanged(true);
            }
    }
    if (c)
        if (AxisArea* area = c->getChartArea()) area->dataViewTypeChanged(*this);
    setChanged(true);
}

void ChartDataView::setName(const std::string& s) {
    {
        host::Lock lock(mutex());
        if (s == name) return;
        name = s;
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setDrawingOrder(int n) {
    {
        host::Lock lock(mutex());
        if (n < 0 || (chart && n >= chart->getNumData()))
            throw std::invalid_argument("DrawingOrder property for ChartDataView is out of range");
        drawingOrder = n;
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setDataSource(std::shared_ptr<Chartable> source) {
    {
        host::Lock lock(mutex());
        if (!source) {
            detachSource();
            dataSource.reset();
            return;
        }
        // Loading is all or nothing: a source that cannot be read leaves the view, and
        // the source it follows, as they were.
        auto interpretation = DataInterpretation::getData(this, source);
        // Marked changed while loading, so the series and the name announce nothing
        // under our lock; the one announcement follows below.
        changed = true;
        detachSource();
        dataSource = source;
        dataInterpretation = std::move(interpretation);
        if (auto labels = source->getPointLabels())
            for (const auto& l : *labels) pointLabels.push_back(l);
        for (int i = 0; i < getNumSeries(); ++i) {
            series[size_t(i)]->setName(source->getSeriesName(i));
            series[size_t(i)]->setLabel(source->getSeriesLabel(i));
        }
        setName(source->getName());
        auto model = std::dynamic_pointer_cast<ChartDataModel>(source);
        if (model) {
            // Views made by host::create are shared; the model holds them weakly.
            if (auto self = std::dynamic_pointer_cast<ChartDataView>(weak_from_this().lock()))
                model->addObserver(std::shared_ptr<ChartDataObserver>(self, static_cast<ChartDataObserver*>(this)));
        }
        if (!model && !std::dynamic_pointer_cast<EditableChartable>(source)) dataSource.reset();
        changed = false;
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

const std::string& ChartDataView::getPointLabel(int i) const {
    if (i < 0 || size_t(i) >= pointLabels.size()) throw std::invalid_argument("Invalid point label index");
    return pointLabels[size_t(i)];
}

void ChartDataView::setPointLabel(int i, const std::string& s) {
    {
        host::Lock lock(mutex());
        if (i < 0 || size_t(i) >= pointLabels.size()) throw std::invalid_argument("Invalid point label index");
        pointLabels[size_t(i)] = s;
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

std::optional<std::vector<std::string>> ChartDataView::getPointLabels() const {
    if (pointLabels.empty()) return std::nullopt;
    return pointLabels;
}

void ChartDataView::setPointLabels(std::vector<std::string> labels) {
    {
        host::Lock lock(mutex());
        pointLabels = std::move(labels);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

ChartDataViewSeriesPtr ChartDataView::getSeries(int i) const {
    if (i < 0 || i >= getNumSeries()) throw std::invalid_argument("Invalid ChartDataViewSeries index.");
    return series[size_t(i)];
}

void ChartDataView::attach(const ChartDataViewSeriesPtr& s) {
    if (s) s->setParent(this);
}

void ChartDataView::setSeries(std::vector<ChartDataViewSeriesPtr> list) {
    {
        host::Lock lock(mutex());
        series = std::move(list);
        for (const auto& s : series) attach(s);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setSeries(int i, ChartDataViewSeriesPtr s) {
    {
        host::Lock lock(mutex());
        if (i < 0 || i >= getNumSeries()) throw std::invalid_argument("Invalid ChartDataViewSeries index.");
        attach(s);
        series[size_t(i)] = std::move(s);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

ChartDataViewSeriesPtr ChartDataView::addSeries(int index) {
    auto s = std::make_shared<ChartDataViewSeries>();
    {
        host::Lock lock(mutex());
        index = NxChartUtil::clamp(index, 0, getNumSeries());
        attach(s);
        s->setDrawingOrder(index);
        series.insert(series.begin() + index, s);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
    return s;
}

void ChartDataView::addSeries(ChartDataViewSeriesPtr s) {
    if (!s) return;
    {
        host::Lock lock(mutex());
        attach(s);
        s->setDrawingOrder(getNumSeries());
        series.push_back(std::move(s));
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::removeSeries(int i) {
    {
        host::Lock lock(mutex());
        if (i < 0 || i >= getNumSeries()) throw std::invalid_argument("Invalid ChartDataViewSeries index");
        series.erase(series.begin() + i);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

int ChartDataView::getSeriesIndex(const std::string& seriesName) const {
    for (size_t i = 0; i < series.size(); ++i)
        if (series[i] && series[i]->getName() == seriesName) return int(i);
    return -1;
}

int ChartDataView::getSeriesIndex(const ChartDataViewSeries* s) const {
    for (size_t i = 0; i < series.size(); ++i)
        if (series[i].get() == s) return int(i);
    return -1;
}

int ChartDataView::getVisibleDataSeries() const {
    int n = 0;
    for (const auto& s : series)
        if (s && s->getIsShowing()) ++n;
    return n;
}

std::shared_ptr<NxBarChartFormat> ChartDataView::getBarChartFormat() {
    host::Lock lock(mutex());
    if (!barChartFormat) barChartFormat = std::make_shared<NxBarChartFormat>(this);
    return barChartFormat;
}

std::shared_ptr<NxPieChartFormat> ChartDataView::getPieChartFormat() {
    host::Lock lock(mutex());
    if (!pieChartFormat) pieChartFormat = std::make_shared<NxPieChartFormat>(this);
    return pieChartFormat;
}

void ChartDataView::setXAxis(std::shared_ptr<NxAxis> a) {
    {
        host::Lock lock(mutex());
        if (a == xaxis) return;
        xaxis = std::move(a);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setYAxis(std::shared_ptr<NxAxis> a) {
    {
        host::Lock lock(mutex());
        if (a == yaxis) return;
        yaxis = std::move(a);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

std::optional<std::vector<double>> ChartDataView::toDoubleArray(const util::NxVectorPtr& v) const {
    if (!v || v->size() == 0) return std::nullopt;
    std::vector<host::Value> elems = v->elements();
    std::vector<double> out(elems.size());
    for (size_t i = 0; i < elems.size(); ++i) {
        const host::Value& e = elems[i];
        if (e.isNumber())
            out[i] = e.asDouble();
        else if (e.isString() && !e.asString().empty())
            out[i] = NxChartUtil::parseDouble(e.asString());
        else
            out[i] = holeValue;
    }
    return out;
}

std::optional<std::vector<double>> ChartDataView::rowValues(const Chartable& source, int row) const {
    if (auto d = source.getDoubleRow(row)) {
        if (d->empty()) return std::nullopt;
        return d;
    }
    return toDoubleArray(source.getRow(row));
}

void ChartDataView::calcXMinMax(MinMax& mm) {
    if (!xaxis) {
        for (const auto& s : series)
            if (s->getIsIncluded()) s->getXMinMax(mm);
        return;
    }
    double saved = xaxis->getStep();
    xaxis->setStep(kLargest);
    for (const auto& s : series) {
        if (!s->getIsIncluded()) continue;
        s->getXMinMax(mm);
        s->calcStep(*xaxis);
    }
    if (xaxis->getStep() == kLargest) xaxis->setStep(saved);
}

void ChartDataView::calcYMinMax(MinMax& mm) const {
    for (const auto& s : series)
        if (s->getIsIncluded()) s->getYMinMax(mm);
}

void ChartDataView::calcYMinMaxOfTotals(MinMax& mm) const {
    auto fl = getFirstLast();
    if (!fl) return;
    MinMax result;
    for (int i = fl->x; i <= fl->y; ++i) {
        MinMax point(0.0, 0.0);
        for (const auto& s : series) {
            if (!s->getIsIncluded()) continue;
            double y = s->getY(i);
            if (y == holeValue) continue;
            if (y >= 0)
                point.max += y;
            else
                point.min += y;
        }
        result.unite(point);
    }
    mm.reset(result);
}

void ChartDataView::getDataBounds(MinMax& xl, MinMax& yl) {
    calcXMinMax(xl);
    calcYMinMax(yl);
    auto narrow = [](MinMax& l, const NxAxis* a) {
        if (!a) return;
        if (!a->getMinIsDefault() && a->getMin() > l.min) l.min = a->getMin();
        if (!a->getMaxIsDefault() && a->getMax() < l.max) l.max = a->getMax();
    };
    narrow(xl, xaxis.get());
    narrow(yl, yaxis.get());
}

DoubleCoord ChartDataView::getOrigin(const MinMax& xl, const MinMax& yl, bool primary) const {
    DoubleCoord o(xl.min, yl.min);
    if (!primary) return o;
    auto byPlacement = [](int placement, const MinMax& l, bool automaticZero) {
        switch (placement) {
            case NxAxis::MIN: return l.min;
            case NxAxis::MAX: return l.max;
            case NxAxis::ZERO: return 0.0;
            default: return automaticZero || (l.min <= 0 && 0 <= l.max) ? 0.0 : l.min;
        }
    };
    if (xaxis) {
        if (xaxis->getOriginIsDefault())
            o.x = byPlacement(xaxis->getOriginPlacement(), xl, false);
        else
            o.x = xaxis->getOrigin();  // the accepted chart types have no angular X axes
    }
    if (chartType == STACKING_BAR) {
        o.y = yaxis && yaxis->getIsLogarithmic() ? std::max(0.0, yl.min) : 0.0;
    } else if (yaxis) {
        if (yaxis->getOriginIsDefault()) {
            bool barZero = (chartType == BAR || chartType == AREA) && !yaxis->getIsLogarithmic();
            o.y = byPlacement(yaxis->getOriginPlacement(), yl, barZero);
        } else {
            o.y = yaxis->getOrigin();
        }
    }
    return o;
}

void ChartDataView::clearLimits() {
    xLimits.reset();
    yLimits.reset();
}

void ChartDataView::calcLimits() {
    if (xaxis) {
        xLimits.emplace();
        calcXMinMax(*xLimits);
        xaxis->setLimits(*xLimits);
    }
    if (yaxis) {
        yLimits.emplace();
        if (chartType == STACKING_BAR) {
            if (barChartFormat && barChartFormat->get100Percent())
                *yLimits = MinMax(-100.0, 100.0);
            else
                calcYMinMaxOfTotals(*yLimits);
        } else {
            calcYMinMax(*yLimits);
        }
        yaxis->setLimits(*yLimits);
    }
}

// The flag changes under our lock; the announcement (axes, chart area, the chart's
// update) runs after it, since it may lay the chart out under the chart's lock, which
// layout takes before ours. Setters therefore call these with our lock released.
void ChartDataView::setChanged(bool b) {
    {
        host::Lock lock(mutex());
        if (b == changed) return;
        changed = b;
    }
    if (b) {
        markAsChanged();
        propagateChange();
    }
}

void ChartDataView::setChanged(bool b, bool updateParent) {
    if (updateParent) return setChanged(b);
    {
        host::Lock lock(mutex());
        if (b == changed) return;
        changed = b;
    }
    if (b) markAsChanged();
}

void ChartDataView::propagateChange() {
    DataViewParent* c;
    {
        host::Lock lock(mutex());
        if (!changed || isBatched || !chart) return;
        c = chart;
    }
    if (!c->getIsBatched()) c->update();
}

void ChartDataView::markAsChanged() {
    std::shared_ptr<NxAxis> x, y;
    DataViewParent* c;
    {
        host::Lock lock(mutex());
        x = xaxis, y = yaxis, c = chart;
    }
    if (x) x->setChanged(true);
    if (y) y->setChanged(true);
    if (c)
        if (AxisArea* area = c->getChartArea()) area->setChanged(true);
}

std::optional<host::Point> ChartDataView::getFirstLast() const {
    int first = 0, last = std::numeric_limits<int>::max(), m = std::numeric_limits<int>::max();
    bool found = false;
    for (const auto& s : series) {
        if (!s->getIsShowing()) continue;
        found = true;
        first = std::max(first, s->getFirstPoint());
        last = std::min(last, s->getLastPoint());
        m = std::min(m, s->maxIndex());
    }
    if (!found || m < first) return std::nullopt;
    last = std::min(last, m);
    if (last < first) return std::nullopt;
    return host::Point{first, last};
}

void ChartDataView::setIsInverted(bool b) {
    {
        host::Lock lock(mutex());
        if (b == isInverted) return;
        isInverted = b;
        if (xaxis) xaxis->setIsVertical(b);
        if (yaxis) yaxis->setIsVertical(!b);
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setPickFocus(int f) {
    {
        host::Lock lock(mutex());
        if (f == pickFocus) return;
        pickFocus = f;
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setIsShowingInLegend(bool b) {
    {
        host::Lock lock(mutex());
        if (b == isShowingInLegend) return;
        isShowingInLegend = b;
    }
    // Outside our lock: the change may lay the chart out, under the chart's lock.
    setChanged(true);
}

void ChartDataView::setX(std::optional<std::vector<double>> x) {
    host::Lock lock(mutex());
    xvalues = std::move(x);
    setChanged(true);
}

// ---- pixels and data ----

namespace {
AxisArea* areaOf(const DataViewParent* chart) { return chart ? chart->getChartArea() : nullptr; }
}  // namespace

NxDataCoord ChartDataView::map(int x, int y) const {
    if (!xaxis || !yaxis) return {};
    host::Point o = areaOf(chart) ? areaOf(chart)->getPlotOrigin() : host::Point{0, 0};
    int px = x - o.x, py = y - o.y;
    if (xaxis->getIsVertical()) return {xaxis->toData(py), yaxis->toData(px)};
    return {xaxis->toData(px), yaxis->toData(py)};
}

host::Point ChartDataView::unmap(double x, double y) const {
    if (!xaxis || !yaxis) return {};
    host::Point o = areaOf(chart) ? areaOf(chart)->getPlotOrigin() : host::Point{0, 0};
    int px = xaxis->toPixel(x), py = yaxis->toPixel(y);
    if (xaxis->getIsVertical()) std::swap(px, py);
    return {px + o.x, py + o.y};
}

std::optional<host::Point> ChartDataView::dataIndexToCoord(const NxDataIndex& index) const {
    AxisArea* area = areaOf(chart);
    if (!area || !index.series) return std::nullopt;
    auto p = area->unpickPoint(*this, getSeriesIndex(index.series.get()), index.point);
    if (!p) return std::nullopt;
    host::Point o = area->getPlotOrigin();
    return host::Point{p->x + o.x, p->y + o.y};
}

std::optional<NxDataIndex> ChartDataView::coordToDataIndex(int x, int y, int focus) {
    AxisArea* area = areaOf(chart);
    if (!area || !chart) return std::nullopt;
    std::shared_ptr<ChartDataView> self;
    for (int i = 0; i < chart->getNumData() && !self; ++i)
        if (chart->getDataView(i).get() == this) self = chart->getDataView(i);
    if (!self) return std::nullopt;
    host::Point o = area->getPlotOrigin();
    return area->pickPoint(self, {x - o.x, y - o.y}, focus);
}

NxChartStylePtr ChartDataView::getChartStyle(int i) const {
    return i >= 0 && size_t(i) < series.size() ? series[size_t(i)]->getStyle() : nullptr;
}

void ChartDataView::setChartStyle(int i, NxChartStylePtr style) {
    if (i >= 0 && size_t(i) < series.size()) series[size_t(i)]->setStyle(std::move(style));
}

std::vector<NxChartStylePtr> ChartDataView::getChartStyle() const {
    std::vector<NxChartStylePtr> out;
    for (auto& s : series) out.push_back(s->getStyle());
    return out;
}

void ChartDataView::setChartStyle(const std::vector<NxChartStylePtr>& styles) {
    for (size_t i = 0; i < styles.size() && i < series.size(); ++i) series[i]->setStyle(styles[i]);
}

}  // namespace norvex::chart
