#include "chart/draw/AreaChartDraw.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/model/AxisHandler.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxis.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

namespace {
const std::vector<AreaChartDraw::Outline> kNoOutlines;
const std::vector<host::Polygon> kNoPolygons;

// Beyond this a pixel means nothing on screen; doubles still hold it exactly.
constexpr double kFar = 4.0e15;

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }
}  // namespace

// Data values to 64-bit drawing-area pixels: the axis' own map (pixel = scale x value
// + shift, on log10 of the value for a log axis, flipped on a vertical axis) without
// the int clamp of NxAxis::toPixel.
struct AreaChartDraw::Mapper {
    NxAxis& xa;
    NxAxis& ya;
    double hole;
    double xmin, xmax;

    Mapper(NxAxis& x, NxAxis& y, double holeValue)
        : xa(x), ya(y), hole(holeValue), xmin(std::min(x.getMin(), x.getMax())), xmax(std::max(x.getMin(), x.getMax())) {}

    static bool pixel(NxAxis& a, double v, int64_t& out) {
        if (a.getIsLogarithmic()) {
            if (!(v > 0)) return false;
            v = std::log10(v);
        }
        AxisHandler& h = a.getAxisHandler();
        double p = std::floor(h.getScale() * v + h.getShift() + 0.5);
        if (!std::isfinite(p)) return false;
        p = std::clamp(p, -kFar, kFar);
        out = int64_t(p);
        if (a.getIsVertical()) out = int64_t(a.getHeight()) - out;
        return true;
    }
    // False for holes and values the axes cannot show (they break the area).
    bool value(double x, double y, int64_t& cx, int64_t& cy) const {
        if (x == hole || y == hole || !std::isfinite(x) || !std::isfinite(y)) return false;
        return pixel(xa, x, cx) && pixel(ya, y, cy);
    }
    // Where x lies against the X axis range: 1 left of the minimum, 2 right of the maximum.
    int locate(double x) const { return (x < xmin ? 1 : 0) | (x > xmax ? 2 : 0); }
};

const std::vector<AreaChartDraw::Outline>& AreaChartDraw::getOutlines(int s) const {
    if (s < 0 || size_t(s) >= outlines.size()) return kNoOutlines;
    return outlines[size_t(s)];
}

const std::vector<host::Polygon>& AreaChartDraw::getPolygons(int s) const {
    if (s < 0 || size_t(s) >= polygons.size()) return kNoPolygons;
    return polygons[size_t(s)];
}

void AreaChartDraw::recalc() {
    ChartDraw::recalc();
    outlines.clear();
    polygons.clear();
    pixels.clear();
    if (!data || !data->getXAxis() || !data->getYAxis()) return;
    NxAxis& xa = *data->getXAxis();
    NxAxis& ya = *data->getYAxis();
    inverted = xa.getIsVertical();
    Mapper map(xa, ya, data->getHoleValue());
    // The baseline is the Y origin; a log axis without a positive origin uses its minimum.
    if (!Mapper::pixel(ya, ya.getOrigin(), baseline) && !Mapper::pixel(ya, std::min(ya.getMin(), ya.getMax()), baseline))
        baseline = 0;

    auto series = data->getSeries();
    outlines.resize(series.size());
    polygons.resize(series.size());
    pixels.resize(series.size());
    for (size_t s = 0; s < series.size(); ++s) buildSeries(s, map);

    // Clip to the axes' pixel spans plus a margin: the fill inside the plot is the
    // same, and no coordinate handed to the rasteriser overflows.
    NxAxis& h = inverted ? ya : xa;
    NxAxis& v = inverted ? xa : ya;
    int64_t x0 = h.getLeft() - kClipMargin, x1 = int64_t(h.getLeft()) + h.getWidth() + kClipMargin;
    int64_t y0 = v.getTop() - kClipMargin, y1 = int64_t(v.getTop()) + v.getHeight() + kClipMargin;
    for (size_t s = 0; s < outlines.size(); ++s)
        for (const auto& o : outlines[s]) {
            Outline c = clipToRect(o, x0, y0, x1, y1);
            if (c.size() < 2) continue;
            host::Polygon p;
            for (const auto& w : c) p.addPoint(clampToInt(w.x), clampToInt(w.y));
            polygons[s].push_back(std::move(p));
        }
}

void AreaChartDraw::buildSeries(size_t s, const Mapper& map) {
    const auto& ser = *data->getSeries(int(s));
    const std::vector<double>* xs = ser.getX();
    const std::vector<double>* ys = ser.getY();
    if (!xs || !ys) return;
    int n = int(std::min(xs->size(), ys->size()));
    auto& pix = pixels[s];
    pix.assign(size_t(n), std::nullopt);
    for (int i = 0; i < n; ++i) {
        Vertex w;
        if (map.value((*xs)[size_t(i)], (*ys)[size_t(i)], w.x, w.y)) pix[size_t(i)] = w;
    }
    int first = std::max(0, ser.getFirstPoint()), last = std::min(n - 1, ser.getLastPoint());
    auto at = [&](int64_t cat, int64_t val) { return inverted ? Vertex{val, cat} : Vertex{cat, val}; };
    auto finish = [&](Outline& o) {
        // Down to the baseline at the last point's category position.
        const Vertex& e = o.back();
        o.push_back(at(inverted ? e.y : e.x, baseline));
        outlines[s].push_back(std::move(o));
        o.clear();
    };
    Outline cur;
    bool open = false;
    for (int i = first; i < last; ++i) {
        const auto& a = pix[size_t(i)];
        const auto& b = pix[size_t(i + 1)];
        // A hole (or a value the axes cannot show) at either end breaks the area:
        // no hole ever becomes a vertex.
        bool ok = a && b;
        if (ok) {
            int ca = map.locate((*xs)[size_t(i)]), cb = map.locate((*xs)[size_t(i + 1)]);
            ok = !(ca != 0 && ca == cb);  // wholly on one side of the X range: rejected
        }
        if (ok) {
            if (!open) {
                cur.push_back(at(inverted ? a->y : a->x, baseline));
                cur.push_back(*a);
            }
            cur.push_back(*b);
        } else if (!cur.empty()) {
            finish(cur);
        }
        open = ok;
    }
    if (!cur.empty()) finish(cur);
}

AreaChartDraw::Outline AreaChartDraw::clipToRect(const Outline& in, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    Outline cur = in, next;
    // One pass per edge: keep what lies inside, add the crossing points.
    for (int edge = 0; edge < 4 && !cur.empty(); ++edge) {
        auto inside = [&](const Vertex& v) {
            switch (edge) {
                case 0: return v.x >= x0;
                case 1: return v.x <= x1;
                case 2: return v.y >= y0;
                default: return v.y <= y1;
            }
        };
        auto cross = [&](const Vertex& a, const Vertex& b) {
            double ax = double(a.x), ay = double(a.y), bx = double(b.x), by = double(b.y);
            if (edge < 2) {
                double x = double(edge == 0 ? x0 : x1);
                return Vertex{int64_t(x), int64_t(std::llround(ay + (x - ax) * (by - ay) / (bx - ax)))};
            }
            double y = double(edge == 2 ? y0 : y1);
            return Vertex{int64_t(std::llround(ax + (y - ay) * (bx - ax) / (by - ay))), int64_t(y)};
        };
        next.clear();
        const Vertex* prev = &cur.back();
        for (const auto& v : cur) {
            bool vin = inside(v), pin = inside(*prev);
            if (vin != pin) next.push_back(cross(*prev, v));
            if (vin) next.push_back(v);
            prev = &v;
        }
        cur.swap(next);
    }
    return cur;
}

void AreaChartDraw::draw(host::Graphics& g) {
    if (!data) return;
    auto series = data->getSeries();
    for (size_t s = 0; s < series.size() && s < polygons.size(); ++s) {
        const auto& ser = *series[s];
        const auto& style = ser.getStyle();
        if (!ser.getIsShowing() || !style || !style->getFillStyle()) continue;
        const NxFillStyle& fill = *style->getFillStyle();
        host::Color outline = outlineColor(fill, foreground);
        for (const auto& p : polygons[s]) fill.fillOutlinePolygon(g, p, outline);
    }
}

std::optional<std::pair<int64_t, int>> AreaChartDraw::seriesDistance(size_t s, host::Point p, int focus, int first,
                                                                    int last) const {
    const auto& pix = pixels[s];
    int lo = std::max(0, first), hi = std::min(int(pix.size()) - 1, last);
    if (lo > hi) return std::nullopt;
    auto cat = [&](const Vertex& w) { return inverted ? w.y : w.x; };
    auto val = [&](const Vertex& w) { return inverted ? w.x : w.y; };
    const int64_t c = inverted ? p.y : p.x, v = inverted ? p.x : p.y;
    auto measure = [&](const Vertex& w) -> int64_t {
        int64_t dx = w.x - p.x, dy = w.y - p.y;
        if (focus == ChartDataView::PICK_FOCUS_X) return std::abs(dx);
        if (focus == ChartDataView::PICK_FOCUS_Y) return std::abs(dy);
        double d2 = double(dx) * double(dx) + double(dy) * double(dy);
        return int64_t(std::min(std::sqrt(d2), kFar));
    };
    auto squared = [&](const Vertex& w) {
        double dx = double(w.x - p.x), dy = double(w.y - p.y);
        if (focus == ChartDataView::PICK_FOCUS_X) return std::abs(dx);
        if (focus == ChartDataView::PICK_FOCUS_Y) return std::abs(dy);
        return dx * dx + dy * dy;
    };
    for (int i = lo; i < hi; ++i) {
        const auto& a = pix[size_t(i)];
        const auto& b = pix[size_t(i + 1)];
        if (!a || !b) continue;
        int64_t ca = cat(*a), cb = cat(*b);
        if (c < std::min(ca, cb) || c > std::max(ca, cb)) continue;
        // The line's value at the pointer's category position.
        double line = ca == cb ? double(val(*a)) : double(val(*a)) + double(c - ca) * double(val(*b) - val(*a)) / double(cb - ca);
        double low = std::min(line, double(baseline)), high = std::max(line, double(baseline));
        int64_t d = 0;
        if (double(v) < low) d = int64_t(std::ceil(low - double(v)));
        else if (double(v) > high) d = int64_t(std::ceil(double(v) - high));
        int chosen = squared(*a) <= squared(*b) ? i : i + 1;
        return std::make_pair(d, chosen);
    }
    // No pair of valid points brackets the pointer: the nearest valid point alone.
    int chosen = -1;
    int64_t best = 0;
    for (int i = lo; i <= hi; ++i) {
        if (!pix[size_t(i)]) continue;
        int64_t d = std::abs(cat(*pix[size_t(i)]) - c);
        if (chosen < 0 || d < best) best = d, chosen = i;
    }
    if (chosen < 0) return std::nullopt;
    return std::make_pair(measure(*pix[size_t(chosen)]), chosen);
}

std::optional<NxDataIndex> AreaChartDraw::pick(host::Point p, int focus) {
    if (!data) return std::nullopt;
    auto fl = data->getFirstLast();
    if (!fl) return std::nullopt;
    auto series = data->getSeries();
    std::optional<std::pair<int64_t, int>> best;
    size_t bestSeries = 0;
    // The topmost (last painted) series first; an area containing p ends the search.
    for (size_t s = std::min(series.size(), pixels.size()); s-- > 0;) {
        if (!series[s]->getIsShowing()) continue;
        auto r = seriesDistance(s, p, focus, fl->x, fl->y);
        if (!r) continue;
        if (!best || r->first < best->first) best = r, bestSeries = s;
        if (r->first == 0) break;
    }
    if (!best) return std::nullopt;
    return NxDataIndex(data, series[bestSeries], best->second, int(std::min<int64_t>(best->first, INT_MAX)));
}

std::optional<host::Point> AreaChartDraw::unpick(int s, int point) {
    if (s < 0 || size_t(s) >= pixels.size() || point < 0 || size_t(point) >= pixels[size_t(s)].size())
        return std::nullopt;
    const auto& w = pixels[size_t(s)][size_t(point)];
    if (!w) return std::nullopt;
    return host::Point{clampToInt(w->x), clampToInt(w->y)};
}

void AreaChartDraw::startEdit(const NxDataIndex& di) {
    edit.start(std::nullopt, std::nullopt);
    if (!data || di.dataView != data || !di.series) return;
    int s = data->getSeriesIndex(di.series.get());
    edit.start(unpick(s, di.point - 1), unpick(s, di.point + 1));
}

void AreaChartDraw::showEdit(const NxDataIndex& di, int x, int y) {
    if (!data || di.dataView != data) return;
    edit.show(edit.dragging() ? std::nullopt : unpick(data->getSeriesIndex(di.series.get()), di.point), x, y,
              inverted);
}

int AreaChartDraw::endEdit(const NxDataIndex& di, int x, int y) {
    showEdit(di, x, y);
    if (!data || !di.series || !data->getYAxis()) return -1;
    auto value = edit.end(*data->getYAxis(), inverted);
    if (!value || !data->editPoint(di.series.get(), di.point, host::Value(*value))) return -1;
    return di.point;
}

}  // namespace norvex::chart
