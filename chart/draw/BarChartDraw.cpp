#include "chart/draw/BarChartDraw.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/base/NxChartUtil.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxis.h"
#include "chart/model/NxBarChartFormat.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

namespace {

host::Polygon toPolygon(const std::vector<host::Point>& pts) {
    host::Polygon p;
    for (auto& q : pts) p.addPoint(q.x, q.y);
    return p;
}

// The edge (a, b) and the same edge moved back by the depth (dy < 0: the back lies up).
std::vector<host::Point> face(host::Point a, host::Point b, int dx, int dy) {
    return {a, b, {b.x + dx, b.y + dy}, {a.x + dx, a.y + dy}};
}

void fillShaded(host::Graphics& g, const NxFillStyle& fill, const std::vector<host::Point>& pts, bool highlight,
                bool outline, const host::OptColor& fg) {
    if (pts.empty()) return;
    host::Color base = fill.getColor();
    NxFillStyle shade(highlight ? base.brighter() : base.darker(), fill.getPattern());
    host::Polygon p = toPolygon(pts);
    if (outline)
        shade.fillOutlinePolygon(g, p, ChartDraw::outlineColor(fill, fg));
    else
        shade.fillPolygon(g, p);
}

}  // namespace

void BarChartDraw::calcOutline(NxAxis& xa) {
    double x0 = std::min(xa.getMin(), xa.getMax());
    outline = std::abs(xa.toPixel(x0 + barWidth) - xa.toPixel(x0)) > 3;
}

void BarChartDraw::place(BarPoint& b, NxAxis& xa, NxAxis& ya) const {
    bool inverted = xa.getIsVertical();
    int x0 = xa.toPixel(b.xbeg), x1 = xa.toPixel(b.xbeg + barWidth);
    int vHigh = ya.toPixel(b.high), vLow = ya.toPixel(b.low);
    host::Rectangle r;
    if (!inverted)
        r = {std::min(x0, x1), std::min(vHigh, vLow), std::abs(x1 - x0), std::abs(vLow - vHigh)};
    else
        r = {std::min(vHigh, vLow), std::min(x0, x1), std::abs(vLow - vHigh), std::abs(x1 - x0)};
    b.front = r;
    b.top.clear();
    b.side.clear();
    if (!is3D()) return;
    int L = r.x, T = r.y, R = r.x + r.width, B = r.y + r.height;
    // The depth face shows on the side the offsets point to: the top face on the upper
    // edge when the back lies up (deltaY < 0), the side face on the right edge when
    // the back lies right (deltaX > 0).
    if (deltaY <= 0)
        b.top = face({L, T}, {R, T}, deltaX, deltaY);
    else
        b.top = face({L, B}, {R, B}, deltaX, deltaY);
    if (deltaX >= 0)
        b.side = face({R, T}, {R, B}, deltaX, deltaY);
    else
        b.side = face({L, T}, {L, B}, deltaX, deltaY);
}

void BarChartDraw::recalc() {
    ChartDraw::recalc();
    bars.clear();
    barWidth = 0;
    outline = false;
    if (!data || !data->getXAxis() || !data->getYAxis() || numShowing == 0) return;
    auto fmt = data->getBarChartFormat();
    if (!fmt || fmt->getClusterWidth() == 0) return;
    if (is3D() && fmt->getClusterOverlap() > 0) fmt->setClusterOverlap(0);
    NxAxis& xa = *data->getXAxis();
    NxAxis& ya = *data->getYAxis();
    double step = xa.getStep() > 0 ? xa.getStep() : 1.0;
    double barf = 1 - fmt->getClusterOverlap() * 0.01;
    double csize = (numShowing - 1) * barf + 1;
    barWidth = step * fmt->getClusterWidth() / (csize * 100);
    double half = barWidth * csize * 0.5, inc = barWidth * barf;
    calcOutline(xa);

    double hole = data->getHoleValue();
    double xmin = std::min(xa.getMin(), xa.getMax()), xmax = std::max(xa.getMin(), xa.getMax());
    double ymin = std::min(ya.getMin(), ya.getMax()), ymax = std::max(ya.getMin(), ya.getMax());
    double origin = std::clamp(ya.getOrigin(), ymin, ymax);
    auto series = data->getSeries();
    int npts = 0;
    for (auto& s : series)
        if (s->getY()) npts = std::max(npts, int(s->getY()->size()));
    for (int i = 0; i < npts; ++i) {
        int n = 0;
        for (size_t si = 0; si < series.size(); ++si) {
            auto& s = *series[si];
            if (!s.getIsShowing()) continue;
            int k = n++;
            const auto* ys = s.getY();
            if (!ys || i >= int(ys->size()) || i < s.getFirstPoint() || i > s.getLastPoint()) continue;
            double x = s.getX(i), v = (*ys)[size_t(i)];
            if (x == hole || v == hole || !std::isfinite(x) || !std::isfinite(v)) continue;
            if (ya.getIsLogarithmic() && v <= 0) continue;
            double xbeg = x - half + k * inc, xend = xbeg + barWidth;
            if (xend < xmin || xbeg > xmax) continue;
            BarPoint b;
            b.series = int(si);
            b.point = i;
            b.xbeg = xbeg;
            b.low = origin;
            b.high = std::clamp(v, ymin, ymax);
            place(b, xa, ya);
            bars.push_back(std::move(b));
        }
    }
}

void BarChartDraw::draw(host::Graphics& g) {
    if (bars.empty()) return;
    auto series = data->getSeries();
    auto fillOf = [&](const BarPoint& b) -> const NxFillStyle* {
        auto& st = series[size_t(b.series)]->getStyle();
        return st && st->getFillStyle() ? st->getFillStyle().get() : nullptr;
    };
    if (is3D()) {
        // Back to front: the faces nearer the viewer are painted last.
        bool reverse = data->getXAxis()->getIsReversed();
        bool inverted = data->getXAxis()->getIsVertical();
        if (inverted ? deltaY < 0 : deltaX < 1) reverse = !reverse;
        auto paint = [&](const BarPoint& b) {
            const NxFillStyle* f = fillOf(b);
            if (!f || f->getImage()) return;
            fillShaded(g, *f, b.top, deltaY < 0, outline, foreground);
            fillShaded(g, *f, b.side, deltaX < 0, outline, foreground);
        };
        if (reverse)
            for (auto it = bars.rbegin(); it != bars.rend(); ++it) paint(*it);
        else
            for (auto& b : bars) paint(b);
    }
    bool inverted = data->getIsInverted() || data->getXAxis()->getIsVertical();
    for (auto& b : bars) {
        const NxFillStyle* f = fillOf(b);
        if (!f) continue;
        const auto& r = b.front;
        if (f->getImage())
            f->fillImageRect(g, r.x, r.y, r.width, r.height, b.high >= b.low, inverted);
        else if (outline)
            f->fillOutlineRect(g, r.x, r.y, r.width, r.height, ChartDraw::outlineColor(*f, foreground));
        else
            f->fillRect(g, r.x, r.y, r.width, r.height);
    }
}

std::optional<NxDataIndex> BarChartDraw::pick(host::Point p, int focus) {
    if (bars.empty()) return std::nullopt;
    bool inverted = data->getXAxis() && data->getXAxis()->getIsVertical();
    int best = INT_MAX;
    const BarPoint* chosen = nullptr;
    if (is3D())
        for (auto& b : bars) {
            int d = std::min(NxChartUtil::distanceTo3dPolygon(p.x, p.y, &b.top, inverted, focus),
                             NxChartUtil::distanceTo3dPolygon(p.x, p.y, &b.side, inverted, focus));
            if (d <= best) best = d, chosen = &b;
        }
    for (auto& b : bars) {
        const auto& r = b.front;
        int d = NxChartUtil::distanceToFrontRect(p.x, p.y, r.x, r.y, r.width, r.height, inverted, focus);
        if (d <= best) best = d, chosen = &b;
    }
    if (!chosen) return std::nullopt;
    return NxDataIndex(data, data->getSeries(chosen->series), chosen->point, best);
}

std::optional<host::Point> BarChartDraw::unpick(int series, int point) {
    auto ya = data ? data->getYAxis() : nullptr;
    if (!ya) return std::nullopt;
    for (auto& b : bars) {
        if (b.series != series || b.point != point) continue;
        int v = ya->toPixel(b.high);
        if (data->getXAxis()->getIsVertical()) return host::Point{v, b.front.y + b.front.height / 2};
        return host::Point{b.front.x + b.front.width / 2, v};
    }
    return std::nullopt;
}

void BarChartDraw::startEdit(const NxDataIndex& di) {
    editBar.reset();
    editEnd.reset();
    if (!data || di.dataView != data || !di.series || !data->getYAxis()) return;
    int s = data->getSeriesIndex(di.series.get());
    for (auto& b : bars)
        if (b.series == s && b.point == di.point) {
            editBar = b;
            editFixed = data->getYAxis()->toPixel(b.low);
            return;
        }
}

void BarChartDraw::showEdit(const NxDataIndex&, int x, int y) {
    if (!editBar || !data->getXAxis()) return;
    editEnd = data->getXAxis()->getIsVertical() ? x : y;
}

ChartFeedback BarChartDraw::editFeedback() const {
    ChartFeedback f;
    if (!editBar || !editEnd || !data->getXAxis()) return f;
    const host::Rectangle& r = editBar->front;
    int a = std::min(editFixed, *editEnd), len = std::abs(*editEnd - editFixed);
    if (data->getXAxis()->getIsVertical())
        f.rects.push_back({a, r.y, len, r.height});
    else
        f.rects.push_back({r.x, a, r.width, len});
    return f;
}

int BarChartDraw::endEdit(const NxDataIndex& di, int x, int y) {
    showEdit(di, x, y);
    if (!editBar || !editEnd || !di.series || !data->getYAxis()) return -1;
    BarPoint b = *editBar;
    double shown = data->getYAxis()->toData(*editEnd);
    editBar.reset();
    editEnd.reset();
    double value = (shown - b.base) * b.scale;
    if (!std::isfinite(value) || !data->editPoint(di.series.get(), b.point, host::Value(value))) return -1;
    return b.point;
}

void SBarChartDraw::recalc() {
    ChartDraw::recalc();
    bars.clear();
    barWidth = 0;
    outline = false;
    if (!data || !data->getXAxis() || !data->getYAxis() || numShowing == 0) return;
    auto fmt = data->getBarChartFormat();
    if (!fmt || fmt->getClusterWidth() == 0) return;
    NxAxis& xa = *data->getXAxis();
    NxAxis& ya = *data->getYAxis();
    double step = xa.getStep() > 0 ? xa.getStep() : 1.0;
    barWidth = step * fmt->getClusterWidth() * 0.01;
    calcOutline(xa);
    bool percent = fmt->get100Percent(), ylog = ya.getIsLogarithmic();
    double hole = data->getHoleValue();
    double xmin = std::min(xa.getMin(), xa.getMax()), xmax = std::max(xa.getMin(), xa.getMax());
    double ymin = std::min(ya.getMin(), ya.getMax()), ymax = std::max(ya.getMin(), ya.getMax());
    auto series = data->getSeries();
    int npts = 0;
    for (auto& s : series)
        if (s->getY()) npts = std::max(npts, int(s->getY()->size()));
    auto valueAt = [&](const ChartDataViewSeries& s, int i, double& v) {
        const auto* ys = s.getY();
        if (!ys || i >= int(ys->size()) || i < s.getFirstPoint() || i > s.getLastPoint()) return false;
        v = (*ys)[size_t(i)];
        return v != hole && std::isfinite(v) && (!ylog || v > 0);
    };
    for (int i = 0; i < npts; ++i) {
        // The stack's X position is the first included series' X at i.
        double x = hole;
        for (auto& s : series)
            if (s->getIsIncluded() && s->getY() && i < int(s->getY()->size())) {
                x = s->getX(i);
                break;
            }
        if (x == hole || !std::isfinite(x)) continue;
        double xbeg = x - barWidth * 0.5;
        if (xbeg + barWidth < xmin || xbeg > xmax) continue;
        double total = 0;
        if (percent) {
            for (auto& s : series) {
                double v = 0;
                if (s->getIsIncluded() && valueAt(*s, i, v)) total += std::abs(v);
            }
            if (total == 0) total = 1;
        }
        double pos = ylog ? std::max(ymin, 0.0) : 0.0, neg = pos;
        for (size_t si = 0; si < series.size(); ++si) {
            auto& s = *series[si];
            double v = 0;
            if (!s.getIsIncluded() || !s.getIsShowing() || !valueAt(s, i, v)) continue;
            if (percent) v = v / total * 100;
            double& run = v >= 0 ? pos : neg;
            BarPoint b;
            b.series = int(si);
            b.point = i;
            b.xbeg = xbeg;
            b.low = std::clamp(run, ymin, ymax);
            b.base = run;
            b.scale = percent ? total * 0.01 : 1;
            run += v;
            b.high = std::clamp(run, ymin, ymax);
            place(b, xa, ya);
            bars.push_back(std::move(b));
        }
    }
}

}  // namespace norvex::chart
