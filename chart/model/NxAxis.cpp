#include "chart/model/NxAxis.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <stdexcept>

#include "chart/model/AnnotationHandler.h"
#include "chart/model/AxisHandler.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/base/NxChartUtil.h"
#include "chart/model/NxLabelGenerator.h"
#include "chart/model/NxValueLabel.h"
#include "util/NxString.h"

namespace norvex::chart {

namespace {
std::atomic<int> axisCounter{0};
}

NxAxis::NxAxis() { init(); }

NxAxis::NxAxis(AxisArea* area, bool vert, int meth) : isVertical(vert), chartArea(area), annotationMethod(meth) {
    init();
}

NxAxis::~NxAxis() = default;

void NxAxis::init() {
    name = "Axis " + std::to_string(++axisCounter);
    parent = chartArea;
    if (!annoHandler) annoHandler = std::make_unique<AnnotationHandler>(this);
    if (!title) {
        title = std::make_shared<NxAxisTitle>();
        title->setParentAxis(this);
        title->setIsShowing(false);
    }
}

std::string NxAxis::toString() const {
    if (!name.empty()) return name;
    return std::string("Unnamed ") + (isVertical ? "Vertical" : "Horizontal") + " Axis";
}

void NxAxis::changedProperty() { setChanged(true); }

#define NX_SET_FIELD(field, v) \
    host::Lock lock(mutex());  \
    if ((field) == (v)) return; \
    (field) = (v);             \
    changedProperty()

#define NX_SET_DERIVED(field, v)                                 \
    host::Lock lock(mutex());                                    \
    if (!(field).isDefault && (field).value == (v)) return;      \
    (field).set(v);                                              \
    changedProperty()

#define NX_SET_DEFAULT(field, b)        \
    host::Lock lock(mutex());           \
    if ((field).isDefault == (b)) return; \
    (field).isDefault = (b);            \
    changedProperty()

NxLineStyle& NxAxis::getGridStyle() {
    host::Lock lock(mutex());
    if (!gridStyle) {
        gridStyle = std::make_shared<NxLineStyle>(1, host::Color::lightGray, NxLineStyle::SOLID);
        gridOwner = std::make_unique<NxChartStyle>(gridStyle, nullptr, nullptr);
        gridOwner->setParent(this);
    }
    return *gridStyle;
}

void NxAxis::setGridIsShowing(bool b) { NX_SET_FIELD(gridIsShowing, b); }
void NxAxis::setGridSpacing(double v) { NX_SET_DERIVED(gridSpacing, v); }
void NxAxis::setGridSpacingIsDefault(bool b) { NX_SET_DEFAULT(gridSpacing, b); }
void NxAxis::setIsEditable(bool b) { NX_SET_FIELD(isEditable, b); }
void NxAxis::setMin(double v) { NX_SET_DERIVED(min, v); }
void NxAxis::setMinIsDefault(bool b) { NX_SET_DEFAULT(min, b); }
void NxAxis::setMax(double v) { NX_SET_DERIVED(max, v); }
void NxAxis::setMaxIsDefault(bool b) { NX_SET_DEFAULT(max, b); }
void NxAxis::setOrigin(double v) { NX_SET_DERIVED(origin, v); }
void NxAxis::setOriginIsDefault(bool b) { NX_SET_DEFAULT(origin, b); }
void NxAxis::setIsReversed(bool b) { NX_SET_FIELD(isReversed, b); }
void NxAxis::setPrecision(int p) { NX_SET_DERIVED(precision, p); }
void NxAxis::setPrecisionIsDefault(bool b) { NX_SET_DEFAULT(precision, b); }
void NxAxis::setNumSpacing(double v) { NX_SET_DERIVED(numSpacing, v); }
void NxAxis::setNumSpacingIsDefault(bool b) { NX_SET_DEFAULT(numSpacing, b); }
void NxAxis::setTickSpacing(double v) { NX_SET_DERIVED(tickSpacing, v); }
void NxAxis::setTickSpacingIsDefault(bool b) { NX_SET_DEFAULT(tickSpacing, b); }
void NxAxis::setTimeFormat(const std::string& f) { NX_SET_DERIVED(timeFormat, f); }
void NxAxis::setTimeFormatIsDefault(bool b) { NX_SET_DEFAULT(timeFormat, b); }
void NxAxis::setIsVertical(bool b) { NX_SET_FIELD(isVertical, b); }
void NxAxis::setPlacementLocation(double v) { NX_SET_FIELD(placementLocation, v); }

void NxAxis::setIsLogarithmic(bool b) {
    host::Lock lock(mutex());
    if (b == isLogarithmic) return;
    isLogarithmic = b;
    axisHandler.reset();
    changedProperty();
}

void NxAxis::setOriginPlacement(int p) {
    host::Lock lock(mutex());
    if (p < AUTOMATIC || p > ZERO) throw std::invalid_argument("Invalid OriginPlacement in NxAxis");
    if (!originPlacement.isDefault && originPlacement.value == p) return;
    originPlacement.set(p);
    changedProperty();
}

void NxAxis::setOriginPlacementIsDefault(bool b) {
    host::Lock lock(mutex());
    if (originPlacement.isDefault == b) return;
    originPlacement.isDefault = b;
    if (b) originPlacement.value = AUTOMATIC;
    changedProperty();
}

NxAxisFormula& NxAxis::getFormula() {
    host::Lock lock(mutex());
    if (!formula) formula = std::make_unique<NxAxisFormula>(this);
    return *formula;
}

void NxAxis::setAnnotationRotation(int r) {
    host::Lock lock(mutex());
    if (r < ROTATE_NONE || r > ROTATE_270) throw std::invalid_argument("Invalid AnnotationRotation value in NxAxis");
    if (r == annotationRotation) return;
    annotationRotation = r;
    changedProperty();
}

void NxAxis::setPlacement(int p) {
    host::Lock lock(mutex());
    if (p != AUTOMATIC && p != MIN && p != MAX && p != VALUE_ANCHORED && p != ORIGIN)
        throw std::invalid_argument("Invalid Placement value in NxAxis");
    if (!placement.isDefault && placement.value == p) return;
    placement.set(p);
    changedProperty();
}

void NxAxis::setPlacement(const std::shared_ptr<NxAxis>& axis) {
    host::Lock lock(mutex());
    placementAxis = axis;
    placement.set(ORIGIN);
    changedProperty();
}

void NxAxis::setPlacement(const std::shared_ptr<NxAxis>& axis, double location) {
    host::Lock lock(mutex());
    placementAxis = axis;
    placementLocation = location;
    placement.set(VALUE_ANCHORED);
    changedProperty();
}

void NxAxis::setPlacementIsDefault(bool b) {
    host::Lock lock(mutex());
    if (placement.isDefault == b) return;
    placement.isDefault = b;
    if (b) placement.value = AUTOMATIC;
    changedProperty();
}

void NxAxis::setPlacementAxis(const std::shared_ptr<NxAxis>& axis) {
    host::Lock lock(mutex());
    if (placementAxis.lock() == axis) return;
    placementAxis = axis;
    changedProperty();
}

void NxAxis::setAnnotationMethod(int m) {
    host::Lock lock(mutex());
    if (m < VALUE || m > POINT_LABELS) throw std::invalid_argument("Invalid AnnotationMethod value in NxAxis");
    if (m == POINT_LABELS) {
        bool isX = false;
        if (chartArea)
            for (const auto& a : chartArea->getXAxes())
                if (a.get() == this) isX = true;
        if (!isX) throw std::invalid_argument("Only X axes can use point labels");
    }
    if (m == annotationMethod) return;
    annotationMethod = m;
    changedProperty();
}

void NxAxis::setTimeUnit(int64_t u) {
    host::Lock lock(mutex());
    if (u != SECONDS && u != MINUTES && u != HOURS && u != DAYS && u != WEEKS && u != MONTHS && u != YEARS)
        throw std::invalid_argument("Invalid TimeUnit value in NxAxis");
    if (u == timeUnit) return;
    timeUnit = u;
    changedProperty();
}

host::Date NxAxis::getTimeBase() {
    host::Lock lock(mutex());
    if (!timeBase) timeBase = host::Date();
    return *timeBase;
}

void NxAxis::setTimeBase(const std::optional<host::Date>& d) {
    host::Lock lock(mutex());
    if (!d || d == timeBase) return;
    timeBase = d;
    changedProperty();
}

void NxAxis::setGap(int g) {
    host::Lock lock(mutex());
    if (g < 0) throw std::invalid_argument("Gap in NxAxis must be >= 0");
    if (g == gap) return;
    gap = g;
    changedProperty();
}

AxisHandler& NxAxis::getAxisHandler() {
    if (!axisHandler) {
        if (isLogarithmic)
            axisHandler = std::make_unique<LogAxisHandler>(this);
        else
            axisHandler = std::make_unique<LinearAxisHandler>(this);
    }
    return *axisHandler;
}

int NxAxis::toPixel(double value) { return getAxisHandler().toPixel(value); }
double NxAxis::toData(int pixel) { return getAxisHandler().toData(pixel); }
double NxAxis::range() { return getAxisHandler().range(); }
void NxAxis::calcTransformation() { getAxisHandler().calcTransformation(); }

void NxAxis::translate(double d) {
    host::Lock lock(mutex());
    getAxisHandler().translate(d);
    changedProperty();
}

void NxAxis::setLimits(const MinMax& mm) {
    if (mm.isEmpty())
        dataLimits.reset();
    else
        dataLimits = mm;
}

void NxAxis::calcAxisParams(bool) {
    chartType = -1;
    bool active = formula && formula->isActive();
    NxAxis* counting = active ? formula->getOriginator().get() : this;
    isPrimary = false;
    otherAxis.reset();
    DataViewParent* chart = chartArea ? chartArea->getChart() : nullptr;
    if (chart) {
        int n = chart->getNumData();
        for (int i = 0; i < n && chartType == -1; ++i) {
            auto v = chart->getDataView(i);
            if (v && v->getXAxis().get() == counting) {
                chartType = v->getChartType();
                isPrimary = !active;
                otherAxis = v->getYAxis();
            }
        }
        for (int i = 0; i < n && chartType == -1; ++i) {
            auto v = chart->getDataView(i);
            if (v && v->getYAxis().get() == counting) {
                chartType = v->getChartType();
                isPrimary = false;
                otherAxis = v->getXAxis();
            }
        }
    }
    hasBar = chartType == ChartDataView::BAR || chartType == ChartDataView::STACKING_BAR;
    getAxisHandler().calcParams();
    if (active) formula->calcRelatedParams();
    makeAnnotations();
}

double NxAxis::firstInc(double inc) const {
    if (inc == 0) return min.value;
    int prec = precision.value;
    double r = NxChartUtil::precCorrect(prec, min.value);
    double n = std::ceil((min.value - r) / inc);
    if (n < 0) return r;
    double c = NxChartUtil::precCorrect(prec, r + inc * n);
    return c <= max.value ? c : r;
}

void NxAxis::getAnnoExtent(host::Dimension& d, double value, int prec) {
    if (!chartArea) return;
    host::Font f = font.value_or(host::Font());
    host::Dimension e;
    host::Value made = labelGenerator ? labelGenerator->makeLabel(value, prec) : host::Value();
    if (auto rich = made.as<util::NxString>())
        e = rich->getSize(nullptr, f);
    else if (auto text = made.as<ChartText>())
        e = annoHandler->measure(*text);
    else
        e = chartArea->measureText(f, labelGenerator ? (made.isString() ? made.asString() : made.toString())
                                                     : getAxisHandler().format(value, prec));
    if (annotationRotation != ROTATE_NONE) std::swap(e.width, e.height);
    d.width = std::max(d.width, e.width);
    d.height = std::max(d.height, e.height);
}

int NxAxis::calcMaxAnnoSize(double lo, double hi) {
    host::Dimension d;
    getAnnoExtent(d, lo, precision.value);
    getAnnoExtent(d, hi, precision.value);
    if (isVertical) {
        if (width.isDefault) width.value = tickLength / 2 + d.width + 1;
        return d.height;
    }
    if (height.isDefault) height.value = tickLength / 2 + d.height + 1;
    return d.width;
}

// ---- annotation ----

NxAxisTitle& NxAxis::getTitle() {
    host::Lock lock(mutex());
    if (!title) init();
    return *title;
}

void NxAxis::setTitle(std::shared_ptr<NxAxisTitle> t) {
    host::Lock lock(mutex());
    if (t == title || !t) return;
    title = std::move(t);
    title->setParentAxis(this);
    changedProperty();
}

void NxAxis::setLabelGenerator(std::shared_ptr<NxLabelGenerator> g) { NX_SET_FIELD(labelGenerator, g); }

std::shared_ptr<NxValueLabel> NxAxis::getValueLabel(double value) const {
    for (const auto& l : annoHandler->userLabels())
        if (l->getValue() == value) return l;
    return nullptr;
}

void NxAxis::addValueLabel(std::shared_ptr<NxValueLabel> vl) {
    if (!vl) return;
    host::Lock lock(mutex());
    auto& list = annoHandler->userLabels();
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& l) { return l->getValue() >= vl->getValue(); });
    vl->setParent(this);
    if (it != list.end() && (*it)->getValue() == vl->getValue())
        *it = std::move(vl);
    else
        list.insert(it, std::move(vl));
    changedProperty();
}

std::optional<std::vector<std::shared_ptr<NxValueLabel>>> NxAxis::getValueLabels() const {
    const auto& list = annoHandler->userLabels();
    if (list.empty()) return std::nullopt;
    return list;
}

std::shared_ptr<NxValueLabel> NxAxis::getValueLabels(int i) const {
    const auto& list = annoHandler->userLabels();
    if (i < 0 || i >= int(list.size())) return nullptr;
    return list[size_t(i)];
}

void NxAxis::setValueLabels(std::vector<std::shared_ptr<NxValueLabel>> labels) {
    host::Lock lock(mutex());
    if (annotationMethod != VALUE_LABELS) return;
    labels.erase(std::remove(labels.begin(), labels.end(), nullptr), labels.end());
    for (auto& l : labels) l->setParent(this);
    annoHandler->userLabels() = std::move(labels);
    changedProperty();
}

void NxAxis::setValueLabels(int i, std::shared_ptr<NxValueLabel> vl) {
    host::Lock lock(mutex());
    if (annotationMethod != VALUE_LABELS) return;
    auto& list = annoHandler->userLabels();
    if (i < 0 || i > int(list.size())) throw std::invalid_argument("Invalid ValueLabels index in NxAxis");
    if (!vl) return;
    vl->setParent(this);
    if (i == int(list.size()))
        list.push_back(std::move(vl));
    else
        list[size_t(i)] = std::move(vl);
    changedProperty();
}

void NxAxis::makeAnnotations() { annoHandler->makeAnnotations(); }
void NxAxis::checkAnnotations() { annoHandler->checkAnnotations(); }
void NxAxis::calcAnchors() { annoHandler->calcAnchor(); }
void NxAxis::calcAnnotationExtents() { annoHandler->calcAnnotationExtents(); }
void NxAxis::layoutAnnotations() {
    annoHandler->layout();
    if (title && title->getIsShowing()) title->layout(*this);
}
const std::vector<std::shared_ptr<NxValueLabel>>& NxAxis::getAnnotations() const {
    return annoHandler->getAnnotations();
}
const AnnotationExtents& NxAxis::getExtents() const { return annoHandler->getExtents(); }
int NxAxis::getAnnotationAnchor() const { return annoHandler->getAnchor(); }
double NxAxis::dateToValue(const host::Date& date) { return annoHandler->timeToData(date, timeUnit); }
host::Date NxAxis::valueToDate(double value) { return annoHandler->dataToTime(value, timeUnit); }

void NxAxis::drawAnnotationsAndTitle(host::Graphics& g) {
    if (!isShowing) return;
    annoHandler->draw(g);
    if (title && title->getIsShowing() && !title->getText().empty()) title->draw(g);
}

// ---- formula ----

void NxAxisFormula::setConstant(double c) {
    if (c == constant) return;
    constant = c;
    axis->changedProperty();
}

void NxAxisFormula::setMultiplier(double m) {
    if (m == multiplier) return;
    multiplier = m;
    axis->changedProperty();
}

void NxAxisFormula::setOriginator(const std::shared_ptr<NxAxis>& o) {
    if (o.get() == axis) throw std::invalid_argument("NxAxis cannot be related to itself");
    originator = o;
    axis->changedProperty();
}

bool NxAxisFormula::isActive() const { return !originator.expired() && multiplier != 0; }

void NxAxisFormula::calcRelatedParams() {
    auto o = originator.lock();
    if (!o || multiplier == 0) return;
    NxAxis& a = *axis;
    double m = multiplier, c = constant;
    a.isVertical = o->isVertical;
    a.isReversed = o->isReversed;

    bool numDef = a.numSpacing.isDefault, tickDef = a.tickSpacing.isDefault;
    if (numDef && tickDef) {
        a.numSpacing.value = NxChartUtil::precCorrect(a.precision.value, o->numSpacing.value * std::fabs(m));
        a.tickSpacing.value = a.numSpacing.value * 0.5;
    } else if (numDef) {
        a.numSpacing.value = a.tickSpacing.value * 2.0;
    } else if (tickDef) {
        a.tickSpacing.value = a.numSpacing.value * 0.5;
    }

    // With a negative multiplier the axis minimum pairs with the originator maximum.
    DerivedDouble& omin = m > 0 ? o->min : o->max;
    DerivedDouble& omax = m > 0 ? o->max : o->min;
    if (a.min.isDefault)
        a.min.value = omin.value * m + c;
    else if (omin.isDefault)
        omin.value = (a.min.value - c) / m;
    if (a.max.isDefault)
        a.max.value = omax.value * m + c;
    else if (omax.isDefault)
        omax.value = (a.max.value - c) / m;
}

}  // namespace norvex::chart
