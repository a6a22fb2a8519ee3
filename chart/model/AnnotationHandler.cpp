#include "chart/model/AnnotationHandler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "chart/model/ChartDataView.h"
#include "chart/base/ChartErrorDialog.h"
#include "chart/model/NxAxis.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/model/NxChartTimeUtil.h"
#include "chart/base/NxChartUtil.h"
#include "util/NxString.h"

namespace norvex::chart {

namespace {
// More labels than this are never made for one axis (a range of many years at a
// fine format would otherwise ask for millions).
constexpr int64_t kMaxTimeLabels = 10000;

bool rotated(int rotation) { return rotation == NxAxis::ROTATE_90 || rotation == NxAxis::ROTATE_270; }
}  // namespace

bool AnnotationHandler::isVertical() const { return parent->getIsVertical(); }

host::Dimension AnnotationHandler::measure(const ChartText& text) const {
    host::Font font = text.getFont().value_or(parent->getFont().value_or(host::Font()));
    host::Dimension d;
    if (auto rich = text.getRealContents())
        d = rich->getSize(nullptr, font);
    else if (AxisArea* area = parent->getChartArea())
        d = area->measureText(font, text.getText());
    else
        d = text.calcSize();
    if (rotated(text.getRotation())) std::swap(d.width, d.height);
    return d;
}

// ---- making labels ----

void AnnotationHandler::makeAnnotations() {
    NxAxis& a = *parent;
    switch (a.getAnnotationMethod()) {
        case NxAxis::VALUE: {
            valueLabels.clear();
            int prec = a.getPrecision();
            if (a.getIsLogarithmic()) {
                // Decades of finite positive doubles only (an explicit bound may be infinite).
                int e1 = std::clamp(NxChartUtil::intLog10(a.getMin()), -324, 308);
                int e2 = std::clamp(NxChartUtil::intLog10(a.getMax()), -324, 308);
                int step = std::max(1, a.getLogIncrement());
                for (int e = e1; e <= e2; e += step) valueLabels.push_back(NxValueLabel::decade(a, e, prec));
                break;
            }
            double inc = a.getNumSpacing();
            double err = NxChartUtil::calcError(prec);
            if (!(inc >= err) || !std::isfinite(inc)) break;
            double max = a.getMax();
            double first = a.firstInc(inc);
            // A spacing too fine for the range would make more labels than any axis has
            // pixels; the check pass reduces them to one a pixel anyway.
            double count = (max - first) / inc;
            if (!(count < 1e6)) break;
            // Counted steps: where the spacing is below the resolution of doubles at
            // these values, adding it would not move on.
            double last = -std::numeric_limits<double>::infinity();
            for (int64_t k = 0; k <= int64_t(count) + 1; ++k) {
                double v = first + double(k) * inc;
                if (v > max + err) break;
                if (v <= last) continue;
                last = v;
                valueLabels.push_back(std::make_shared<NxValueLabel>(a, v, prec));
            }
            break;
        }
        case NxAxis::VALUE_LABELS:
            sortValueLabels();
            valueLabels = programLabels;
            for (auto& l : valueLabels) l->setIsVisible(true);
            break;
        case NxAxis::TIME_LABELS:
            makeTimeLabels();
            break;
        case NxAxis::POINT_LABELS: {
            valueLabels.clear();
            DataViewParent* chart = a.getChartArea() ? a.getChartArea()->getChart() : nullptr;
            if (!chart) break;
            for (int v = 0; v < chart->getNumData(); ++v) {
                auto view = chart->getDataView(v);
                if (!view || view->getXAxis().get() != &a) continue;
                auto series = view->getNumSeries() > 0 ? view->getSeries(0) : nullptr;
                if (series) {
                    int n = std::min({view->getNumPointLabels(), series->maxXIndex(), series->maxYIndex()});
                    for (int i = 0; i < n; ++i) {
                        auto l = std::make_shared<NxValueLabel>(series->getX(i), view->getPointLabel(i), true);
                        l->setParent(&a);
                        l->getChartText().setRotation(a.getAnnotationRotation());
                        l->getChartText().setFont(a.getFont());
                        valueLabels.push_back(l);
                    }
                }
                break;
            }
            break;
        }
    }
}

void AnnotationHandler::sortValueLabels() {
    std::stable_sort(programLabels.begin(), programLabels.end(),
                     [](const NxValueLabelPtr& x, const NxValueLabelPtr& y) { return x->getValue() < y->getValue(); });
}

host::Date AnnotationHandler::dataToTime(double value, int64_t unit) {
    return NxChartTimeUtil::dataToTime(parent->getTimeBase(), value, unit);
}

double AnnotationHandler::timeToData(const host::Date& date, int64_t unit) {
    return NxChartTimeUtil::timeToData(parent->getTimeBase(), date, unit);
}

void AnnotationHandler::makeTimeLabels() {
    using TU = NxChartTimeUtil;
    NxAxis& a = *parent;
    valueLabels.clear();
    double min = a.getMin(), max = a.getMax();
    int64_t unit = a.getTimeUnit();
    double rangeMs = (max - min) * double(unit);
    if (!std::isfinite(rangeMs) || rangeMs <= 0) return;
    rangeMs = std::min(rangeMs, 9.0e18);
    std::string format = a.getTimeFormatIsDefault() ? std::string() : a.getTimeFormat();
    if (format.empty()) format = TU::getDefaultTimeFormat(int64_t(rangeMs));
    timeFormat = format;
    bool rich = format.find("%n") != std::string::npos;

    host::Dimension size = timeLabelExtents({});
    int along = isVertical() ? size.height : size.width;
    int n = std::max(2, a.pixelLength() / std::max(1, along + 2 * a.getGap()));
    int64_t inc = TU::niceInc(int64_t(std::llround(rangeMs / n)) / 2, format);
    int64_t u = TU::timeIncUnits(inc);
    int64_t xinc = std::max<int64_t>(1, inc / u);

    host::Date minTime = TU::getMinTime(), maxTime = TU::getMaxTime();
    host::Date base = a.getTimeBase();
    host::Date clamped(std::clamp(base.getTime(), minTime.getTime(), maxTime.getTime()));
    int64_t offset = clamped.getTime() - TU::roundTime(clamped, inc, false).getTime();
    if (offset < 0) offset += NxAxis::HOURS;

    host::Date minDate = dataToTime(min, unit), maxDate = dataToTime(max, unit);
    host::Date lo = TU::roundTime(minDate, inc, false), hi = TU::roundTime(maxDate, inc, true);
    double x0 = std::round(timeToData(minDate, u) / double(xinc)) * double(xinc);
    int64_t count = std::min<int64_t>(kMaxTimeLabels, std::llround(rangeMs / double(inc)) + 2);
    bool outOfRange = false;
    for (int64_t k = 0; k < count; ++k) {
        host::Date d(dataToTime(x0 + double(k * xinc), u).getTime() - offset);
        if (d < minTime || d > maxTime) {
            outOfRange = true;
            continue;
        }
        if (d < lo || d > hi) continue;
        auto l = std::make_shared<NxValueLabel>(timeToData(d, unit), TU::timeLabel(format, d), rich);
        l->setParent(&a);
        l->getChartText().setRotation(a.getAnnotationRotation());
        l->getChartText().setFont(a.getFont());
        valueLabels.push_back(l);
    }
    if (outOfRange)
        ChartErrorDialog::show(
            "One or more time labels are out of the supported time range.[NEWLINE]"
            "Only dates from 1970 to 2037 are labelled.");
}

host::Dimension AnnotationHandler::timeLabelExtents(host::Dimension ext) {
    NxAxis& a = *parent;
    std::string format = timeFormat.empty() ? a.getTimeFormat() : timeFormat;
    ChartText sample(NxChartTimeUtil::getLargestTimeLabel(format), format.find("%n") != std::string::npos);
    sample.setRotation(a.getAnnotationRotation());
    host::Dimension d = measure(sample);
    ext.width = std::max(ext.width, d.width);
    ext.height = std::max(ext.height, d.height);
    return ext;
}

// ---- checking ----

void AnnotationHandler::checkAnnotations() {
    switch (parent->getAnnotationMethod()) {
        case NxAxis::VALUE: checkValueAnnotations(); break;
        case NxAxis::TIME_LABELS: checkTimeAnnotations(); break;
        default: checkUserProvidedAnnotations(); break;
    }
}

void AnnotationHandler::checkValueAnnotations() {
    NxAxis& a = *parent;
    int p0 = a.toPixel(a.getMin()), p1 = a.toPixel(a.getMax());
    int n = std::abs(p1 - p0);
    if (int(valueLabels.size()) > n) {
        int prec = a.getPrecision();
        int dir = p1 >= p0 ? 1 : -1;
        valueLabels.clear();
        for (int i = 0; i < n; ++i) {
            double v = NxChartUtil::precCorrect(prec, a.toData(p0 + dir * i));
            valueLabels.push_back(std::make_shared<NxValueLabel>(a, v, prec));
        }
        layout();
    }
    checkUserProvidedAnnotations();
}

void AnnotationHandler::checkUserProvidedAnnotations() {
    NxAxis& a = *parent;
    double min = a.getMin(), max = a.getMax();
    int gap = a.getGap();
    auto widened = [gap](const NxValueLabel& l) {
        const ChartText& t = l.getChartText();
        return host::Rectangle{t.getLeft(), t.getTop(), t.getWidth() + gap, t.getHeight() + gap};
    };
    bool haveLast = false;
    host::Rectangle last;
    for (auto& l : valueLabels) {
        double v = l->getValue();
        if (v < min || v > max) {
            l->setIsVisible(false);
            continue;
        }
        host::Rectangle r = widened(*l);
        bool show = !haveLast || !r.intersects(last);
        l->setIsVisible(show);
        if (show) {
            last = r;
            haveLast = true;
        }
    }
}

bool AnnotationHandler::checkLocation(const NxValueLabel& label) const {
    const ChartText& t = label.getChartText();
    if (isVertical()) {
        int c = t.getTop() + t.getHeight() / 2;
        return c >= parent->getTop() && c <= parent->getTop() + parent->getHeight();
    }
    int c = t.getLeft() + t.getWidth() / 2;
    return c >= parent->getLeft() && c <= parent->getLeft() + parent->getWidth();
}

void AnnotationHandler::checkTimeAnnotations() {
    NxAxis& a = *parent;
    for (auto& l : valueLabels) l->setIsVisible(true);
    int first = firstVisibleLabel(), last = lastVisibleLabel();
    if (first < 0) return;
    host::Dimension size = timeLabelExtents({});
    int d = 1;
    double span = a.getMax() - a.getMin();
    if (valueLabels.size() >= 2 && span > 0) {
        double diff = std::fabs(valueLabels[1]->getValue() - valueLabels[0]->getValue());
        double px = std::round(double(a.pixelLength()) * diff / span);
        d = int(std::clamp(px, 1.0, 1.0e9));
    }
    int room = (isVertical() ? size.height : size.width) + 2 * a.getGap();
    int nskip = room / d;
    for (int i = first; i <= last; ++i) {
        auto& l = valueLabels[size_t(i)];
        bool visible = checkLocation(*l);
        if (visible && nskip >= 1) visible = (i - first) % (nskip + 1) == 0;
        l->setIsVisible(visible);
    }
}

int AnnotationHandler::firstVisibleLabel() const {
    for (size_t i = 0; i < valueLabels.size(); ++i)
        if (valueLabels[i]->getIsVisible()) return int(i);
    return -1;
}

int AnnotationHandler::lastVisibleLabel() const {
    for (size_t i = valueLabels.size(); i-- > 0;)
        if (valueLabels[i]->getIsVisible()) return int(i);
    return -1;
}

// ---- anchoring, room and placing ----

void AnnotationHandler::calcAnchor() {
    NxAxis& a = *parent;
    auto other = a.getOtherAxis();
    realPlacement = a.getPlacement();
    if (a.getPlacementIsDefault())
        realPlacement = other && !other->getOriginIsDefault() ? NxAxis::ORIGIN : NxAxis::MIN;
    bool nearMax = other && other->getMax() - other->getOrigin() < other->getOrigin() - other->getMin();
    bool high = realPlacement == NxAxis::MAX || (realPlacement == NxAxis::ORIGIN && nearMax);
    if (isVertical())
        anchor = high ? EAST : WEST;
    else
        anchor = high ? NORTH : SOUTH;
    if (other && other->getIsReversed()) {
        switch (anchor) {
            case EAST: anchor = WEST; break;
            case WEST: anchor = EAST; break;
            case NORTH: anchor = SOUTH; break;
            default: anchor = NORTH; break;
        }
    }
}

int AnnotationHandler::lineCoordinate() const {
    const NxAxis& a = *parent;
    switch (anchor) {
        case WEST: return a.getLeft() + a.getWidth();
        case EAST: return a.getLeft();
        case NORTH: return a.getTop() + a.getHeight();
        default: return a.getTop();
    }
}

void AnnotationHandler::layout(ChartText& text, int offset) {
    host::Dimension d = measure(text);
    int line = lineCoordinate(), gap = parent->getGap();
    int x, y;
    switch (anchor) {
        case WEST: x = line - gap - d.width; y = offset - d.height / 2; break;
        case EAST: x = line + gap; y = offset - d.height / 2; break;
        case NORTH: x = offset - d.width / 2; y = line - gap - d.height; break;
        default: x = offset - d.width / 2; y = line + gap; break;
    }
    text.reshape(x, y, d.width, d.height);
}

void AnnotationHandler::layout() {
    for (auto& l : valueLabels) layout(l->getChartText(), parent->toPixel(l->getValue()));
}

void AnnotationHandler::calcAnnotationExtents() {
    NxAxis& a = *parent;
    extents = {};
    if (!a.getIsShowing()) return;
    int first = firstVisibleLabel(), last = lastVisibleLabel();
    if (first >= 0) {
        const ChartText& f = valueLabels[size_t(first)]->getChartText();
        const ChartText& l = valueLabels[size_t(last)]->getChartText();
        int across = 0;
        for (auto& v : valueLabels)
            if (v->getIsVisible())
                across = std::max(across, isVertical() ? v->getChartText().getWidth() : v->getChartText().getHeight());
        if (isVertical()) {
            extents.minor = l.getHeight() / 2 + 1;
            extents.major = f.getHeight() / 2 + 1;
        } else {
            extents.minor = f.getWidth() / 2 + 1;
            extents.major = l.getWidth() / 2 + 1;
        }
        extents.ortho = across + a.getTickLength() / 2 + 1;
    }
    NxAxisTitle* title = a.peekTitle();
    if (!title || !title->getIsShowing() || title->getText().empty()) return;
    title->fixPlacement(a);
    host::Dimension t = measure(*title);
    switch (title->getPlacement()) {
        case EAST:
        case WEST: extents.ortho += t.width + 1; break;
        case NORTHEAST:
        case NORTHWEST:
            extents.minor += t.height + 1;
            extents.ortho = std::max(extents.ortho, t.width + 1);
            break;
        case SOUTHEAST:
        case SOUTHWEST:
            extents.major += t.height + 1;
            extents.ortho = std::max(extents.ortho, t.width + 1);
            break;
        default: extents.ortho += t.height + 1; break;
    }
}

void AnnotationHandler::draw(host::Graphics& g) {
    for (auto& l : valueLabels)
        if (l->getIsVisible()) l->getChartText().draw(g);
}

}  // namespace norvex::chart
