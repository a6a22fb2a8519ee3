#include "chart/model/AxisHandler.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/model/ChartDataView.h"
#include "chart/base/ChartErrorDialog.h"
#include "chart/model/NxAxis.h"
#include "chart/base/NxChartUtil.h"

namespace norvex::chart {

using U = NxChartUtil;

void AxisHandler::calcParams() {
    do {
        calcPrecision();
    } while (fixBounds());
    calcRange();
}

void AxisHandler::calcPrecision() {}

bool AxisHandler::fixBounds() {
    NxAxis& a = *parent;
    if (!a.min.isDefault && !a.max.isDefault && a.min.value >= a.max.value) {
        ChartErrorDialog::show("Min must be less than Max.[NEWLINE]Setting MaxIsDefault to true.");
        a.max.isDefault = true;
        return true;
    }
    return false;
}

// p is the pixel before the vertical flip; rounds down and keeps it inside int.
int AxisHandler::finishPixel(double p) const {
    if (std::isnan(p)) p = 0;  // no scale (an empty or unbounded range)
    p = std::floor(p);
    p = std::clamp(p, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
    int r = int(p);
    if (parent->isVertical) r = int(std::clamp(int64_t(parent->height.value) - r, int64_t(INT32_MIN), int64_t(INT32_MAX)));
    return r;
}

double AxisHandler::startPixel(int p) const {
    return parent->isVertical ? double(parent->height.value) - p : double(p);
}

// ---- linear ----

void LinearAxisHandler::calcPrecision() {
    NxAxis& a = *parent;
    if (a.precision.isDefault) {
        int p = 0;
        if (a.annotationMethod != NxAxis::TIME_LABELS && a.dataLimits) {
            double lo = a.min.isDefault ? a.dataLimits->min : a.min.value;
            double hi = a.max.isDefault ? a.dataLimits->max : a.max.value;
            double r = lo >= hi ? hi : hi - lo;
            p = U::nicePrecision(r);
        }
        a.precision.value = p;
    }
    a.precision.value = U::clamp(a.precision.value, -U::MAX_PRECISION, U::MAX_PRECISION);
}

double LinearAxisHandler::calcOrigin(double minReal, double maxReal) const {
    const NxAxis& a = *parent;
    if (!a.origin.isDefault) return 0.0;
    switch (a.originPlacement.value) {
        case NxAxis::MIN: return minReal;
        case NxAxis::MAX: return maxReal;
        case NxAxis::ZERO: return 0.0;
        default: return (minReal <= 0 && 0 <= maxReal) ? 0.0 : minReal;
    }
}

void LinearAxisHandler::calcRange() {
    NxAxis& a = *parent;
    double dlmin = a.dataLimits ? a.dataLimits->min : 0.0;
    double dlmax = a.dataLimits ? a.dataLimits->max : 100.0;
    int prec = a.precision.value;

    double lmin = U::precFloor(prec, dlmin);
    double lmax = U::precCeil(prec, dlmax);
    for (int k = -prec; lmax <= lmin && k < 400; ++k) {
        if (a.max.isDefault)
            lmax = lmin + U::pow10(k);
        else
            lmin = lmax - U::pow10(k);
    }
    double minReal = a.min.isDefault ? lmin : a.min.value;
    double maxReal = a.max.isDefault ? lmax : a.max.value;
    double org = calcOrigin(minReal, maxReal);
    double minOrig = a.min.isDefault ? std::min(org, minReal) : minReal;
    double maxOrig = a.max.isDefault ? std::max(org, maxReal) : maxReal;
    double t = minReal, v = maxReal;
    double inc = 0.0, tick = 0.0;

    for (int pass = 0; pass < 2; ++pass) {
        double a1 = U::precFloor(prec, t), a2 = U::precCeil(prec, v);
        double lo = a.min.isDefault ? std::min(org, a1) : a.min.value;
        double hi = a.max.isDefault ? std::max(org, a2) : a.max.value;
        double error = 0.5 * U::pow10(-prec - 1);

        bool numDef = a.numSpacing.isDefault, tickDef = a.tickSpacing.isDefault;
        if (numDef && tickDef) {
            int size = a.calcMaxAnnoSize(lo, hi);
            int n = size == 0 ? 0 : a.pixelLength() / size;
            if (n < 1) {
                inc = tick = 0.0;
            } else {
                DoubleCoord c = U::calcTik(std::fabs(hi - lo) / n, prec);
                tick = c.x;
                inc = c.y;
            }
            // A spread beyond the largest double has no finite spacing: no numbering.
            if (!std::isfinite(inc) || !std::isfinite(tick)) inc = tick = 0.0;
        } else if (tickDef) {
            inc = U::precCorrect(prec, a.numSpacing.value);
            tick = a.numSpacing.value * 0.5;
        } else if (numDef) {
            inc = U::precCorrect(prec, a.tickSpacing.value * 2.0);
            tick = a.tickSpacing.value;
        } else {
            inc = a.numSpacing.value;
            tick = a.tickSpacing.value;
        }

        t = lo;
        v = hi;
        if (inc != 0) {
            double L = (t - org) / inc;
            t = L == std::floor(L) ? org + inc * L : org + inc * (std::floor(L) - 1);
            double P = (v - org) / inc;
            v = P == std::floor(P) ? org + inc * P : org + inc * (std::floor(P) + 1);
            if (std::fabs(v - t) < error) v = t + inc;
        } else if (std::fabs(v - t) < error) {
            v = t + 1;
        }
        if (std::fabs(t - lo) <= error && std::fabs(v - hi) <= error) continue;

        bool changed = true;
        if (v - inc >= maxOrig)
            v -= inc;
        else
            changed = false;
        if (t + inc <= minOrig)
            t += inc;
        else
            changed = false;
        if (changed) break;
    }

    if (!a.isVertical && a.annotationMethod == NxAxis::TIME_LABELS) {
        t = dlmin;
        v = dlmax;
        for (int i = 0; v <= t && i < 400; ++i) {
            t = dlmin - U::pow10(i);
            v = dlmin + U::pow10(i);
        }
        minOrig = t;
        maxOrig = v;
    }
    if (a.dataLimits && (a.annotationMethod == NxAxis::POINT_LABELS || (a.isPrimary && a.hasBar))) {
        t = std::min(a.min.isDefault ? dlmin - a.step * 0.5 : dlmin, dlmin);
        v = std::max(a.max.isDefault ? dlmax + a.step * 0.5 : dlmax, dlmax);
        minOrig = t;
        maxOrig = v;
    }
    if (a.min.isDefault) a.min.value = a.isShowing ? t : minOrig;
    if (a.max.isDefault) a.max.value = a.isShowing ? v : maxOrig;
    if (a.origin.isDefault) a.origin.value = calcOrigin(a.min.value, a.max.value);
    if (a.tickSpacing.isDefault) a.tickSpacing.value = tick;
    if (a.numSpacing.isDefault) a.numSpacing.value = inc;
    if (a.gridSpacing.isDefault) a.gridSpacing.value = a.numSpacing.value;
}

void LinearAxisHandler::calcTransformation() {
    const NxAxis& a = *parent;
    double length = a.pixelLength();
    if (a.isReversed) length = -length;
    double start = a.pixelStart();
    double mn = a.min.value, mx = a.max.value;
    if (std::fabs(mx - mn) >= U::calcError(a.precision.value)) {
        scale = length / (mx - mn);
        shift = start - (length < 0 ? mx : mn) * scale;
    } else {
        scale = 1.0;
        shift = 0.0;
    }
}

int LinearAxisHandler::toPixel(double v) const { return finishPixel(scale * v + shift + 0.5); }

double LinearAxisHandler::toData(int p) const { return (startPixel(p) - shift) / scale; }

double LinearAxisHandler::range() const { return parent->max.value - parent->min.value; }

void LinearAxisHandler::translate(double d) {
    if (parent->isReversed) d = -d;
    parent->min.value += d;
    parent->max.value += d;
}

std::string LinearAxisHandler::format(double value, int precision) const {
    return U::internalFormat(value, precision);
}

// ---- logarithmic ----

namespace {

// The decades at or below and at or above a positive value: an exact power of ten is
// its own decade (the chart's log10 is a few ulps off, 1000 giving 3.0000000000000004).
double decadeBelow(double v) {
    double d = std::floor(std::log10(v));
    if (std::isfinite(d) && std::pow(10.0, d) > v) d -= 1;
    return d;
}

double decadeAbove(double v) {
    double d = std::ceil(std::log10(v));
    if (std::isfinite(d) && std::pow(10.0, d) < v) d += 1;
    return d;
}

}  // namespace

bool LogAxisHandler::fixBounds() {
    bool changed = AxisHandler::fixBounds();
    NxAxis& a = *parent;
    if (!a.max.isDefault && a.max.value <= 0) {
        ChartErrorDialog::show("Max must be positive for log axis.[NEWLINE]Setting MaxIsDefault to true.");
        a.max.isDefault = true;
        changed = true;
    }
    if (!a.min.isDefault && a.min.value <= 0) {
        ChartErrorDialog::show("Min must be positive for log axis.[NEWLINE]Setting MinIsDefault to true.");
        a.min.isDefault = true;
        changed = true;
    }
    if (!a.min.isDefault && !a.max.isDefault &&
        std::fabs(U::log10(a.max.value) - U::log10(a.min.value)) < std::numeric_limits<double>::denorm_min()) {
        ChartErrorDialog::show("Axis range is to small.[NEWLINE]Setting MaxIsDefault to true");
        a.max.isDefault = true;
        changed = true;
    }
    return changed;
}

void LogAxisHandler::calcRange() {
    NxAxis& a = *parent;
    double lmin = a.dataLimits ? a.dataLimits->min : 1.0;
    double lmax = a.dataLimits ? a.dataLimits->max : 100.0;
    double startMin = a.min.isDefault ? lmin : a.min.value;
    double startMax = a.max.isDefault ? lmax : a.max.value;
    // Non-positive data have no logarithm: they count as the first decade.
    if (!(startMin > 0)) startMin = 1.0;
    if (!(startMax > 0)) startMax = std::max(startMin, 1.0);
    // Decades whose powers of ten are positive finite doubles.
    constexpr double kLowest = -323, kHighest = 308;
    int logMin = int(std::clamp(decadeBelow(startMin), kLowest, kHighest - 1));
    int logMax = int(std::clamp(decadeAbove(startMax), kLowest + 1, kHighest));

    bool originPositive = !a.origin.isDefault && a.origin.value > 0;
    if (originPositive) {
        int od = int(std::clamp(decadeBelow(a.origin.value), kLowest, kHighest));
        if (a.min.isDefault) logMin = std::min(logMin, od);
        if (a.max.isDefault) logMax = std::max(logMax, od);
    }
    if (a.isVertical && !originPositive &&
        (a.chartType == ChartDataView::BAR || a.chartType == ChartDataView::STACKING_BAR ||
         a.chartType == ChartDataView::AREA))
        --logMin;
    if (logMax <= logMin) logMax = logMin + 1;

    bool fitted = false;
    for (int i = 1; i <= 5 && !fitted; ++i) {
        int lo = logMin, hi = logMax;
        bool top = std::abs(lo) < std::abs(hi);
        while ((hi - lo) % i != 0) {
            if (top)
                ++hi;
            else
                --lo;
            top = !top;
        }
        host::Dimension d;
        a.getAnnoExtent(d, lo, 0);
        a.getAnnoExtent(d, hi, 0);
        bool rotated = a.annotationRotation != NxAxis::ROTATE_NONE;
        int m;
        if (a.isVertical)
            m = rotated ? int(1.5 * d.width) : 2 * d.height;
        else
            m = rotated ? 2 * d.height : int(1.5 * d.width);
        int64_t needed = int64_t((hi - lo) / i) * m;
        if (needed < a.pixelLength()) {
            a.logIncrement = i;
            logMin = lo;
            logMax = hi;
            fitted = true;
        }
    }
    if (!fitted) a.logIncrement = std::max(1, logMax - logMin);

    if (a.min.isDefault) a.min.value = U::pow10(std::max(logMin, int(kLowest)));
    if (a.max.isDefault) a.max.value = U::pow10(std::min(logMax, int(kHighest)));
    if (!originPositive) a.origin.value = a.originPlacement.value == NxAxis::MAX ? a.max.value : a.min.value;
    a.calcMaxAnnoSize(logMin, logMax);
}

void LogAxisHandler::calcTransformation() {
    const NxAxis& a = *parent;
    double length = a.pixelLength();
    if (a.isReversed) length = -length;
    double start = a.pixelStart();
    double mn = U::log10(a.min.value), mx = U::log10(a.max.value);
    if (std::fabs(mx - mn) >= U::calcError(a.precision.value)) {
        scale = length / (mx - mn);
        shift = start - (length < 0 ? mx : mn) * scale;
    } else {
        scale = 1.0;
        shift = 0.0;
    }
}

int LogAxisHandler::toPixel(double v) const {
    if (v <= 0) v = parent->min.value;
    return finishPixel(scale * U::log10(v) + shift + 0.5);
}

double LogAxisHandler::toData(int p) const { return std::pow(10.0, (startPixel(p) - shift) / scale); }

double LogAxisHandler::range() const {
    return decadeAbove(parent->max.value) - decadeBelow(parent->min.value);
}

void LogAxisHandler::translate(double d) {
    if (parent->isReversed) d = -d;
    parent->min.value = std::pow(10.0, U::log10(parent->min.value) + d);
    parent->max.value = std::pow(10.0, U::log10(parent->max.value) + d);
}

std::string LogAxisHandler::format(double value, int) const { return U::logFormat(int(value)); }

}  // namespace norvex::chart
