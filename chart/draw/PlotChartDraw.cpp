#include "chart/draw/PlotChartDraw.h"

#include <cmath>

#include "chart/base/NxChartUtil.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxis.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

namespace {
const std::vector<PlotChartDraw::Segment> kNoSegments;

// Clipping outcodes: 1 left of xmin, 2 right of xmax, 4 below ymin, 8 above ymax.
int outcode(double x, double y, double x0, double y0, double x1, double y1) {
    return (x < x0 ? 1 : 0) | (x > x1 ? 2 : 0) | (y < y0 ? 4 : 0) | (y > y1 ? 8 : 0);
}
}  // namespace

// Data values to clipping space (log10 on a logarithmic axis, so that clipped lines
// stay straight on it) and clipping space to pixels.
struct PlotChartDraw::Mapper {
    NxAxis* xa;
    NxAxis* ya;
    bool xlog, ylog, swapped;
    double hole;
    double x0, y0, x1, y1;  // the axis bounds in clipping space

    Mapper(NxAxis& x, NxAxis& y, double holeValue)
        : xa(&x), ya(&y), xlog(x.getIsLogarithmic()), ylog(y.getIsLogarithmic()), swapped(x.getIsVertical()),
          hole(holeValue) {
        x0 = toSpace(std::min(x.getMin(), x.getMax()), xlog);
        x1 = toSpace(std::max(x.getMin(), x.getMax()), xlog);
        y0 = toSpace(std::min(y.getMin(), y.getMax()), ylog);
        y1 = toSpace(std::max(y.getMin(), y.getMax()), ylog);
    }
    static double toSpace(double v, bool lg) { return lg ? (v > 0 ? std::log10(v) : NAN) : v; }
    // False for holes and values the axis cannot show (non-finite, or not positive on a log axis).
    bool convert(double x, double y, double& cx, double& cy) const {
        if (x == hole || y == hole) return false;
        cx = toSpace(x, xlog);
        cy = toSpace(y, ylog);
        return std::isfinite(cx) && std::isfinite(cy);
    }
    PlotPoint pixel(int point, double cx, double cy, bool isData) const {
        int px = xa->toPixel(xlog ? std::pow(10.0, cx) : cx);
        int py = ya->toPixel(ylog ? std::pow(10.0, cy) : cy);
        PlotPoint p;
        p.point = point;
        p.drawPoint = isData;
        if (swapped) std::swap(px, py);
        p.x = px;
        p.y = py;
        return p;
    }
    bool inside(double cx, double cy) const { return outcode(cx, cy, x0, y0, x1, y1) == 0; }
    // Cohen-Sutherland; moved1/moved2 tell which ends were cut.
    bool clip(double& ax, double& ay, double& bx, double& by, bool& moved1, bool& moved2) const {
        int c1 = outcode(ax, ay, x0, y0, x1, y1), c2 = outcode(bx, by, x0, y0, x1, y1);
        for (int guard = 0; guard < 8; ++guard) {
            if (acceptPoint(c1, c2)) return true;
            if (rejectPoint(c1, c2)) return false;
            bool first = c1 != 0;
            int c = first ? c1 : c2;
            double x, y;
            if (c & 1) {
                y = ay + (x0 - ax) * (by - ay) / (bx - ax);
                x = x0;
            } else if (c & 2) {
                y = ay + (x1 - ax) * (by - ay) / (bx - ax);
                x = x1;
            } else if (c & 4) {
                x = ax + (y0 - ay) * (bx - ax) / (by - ay);
                y = y0;
            } else {
                x = ax + (y1 - ay) * (bx - ax) / (by - ay);
                y = y1;
            }
            if (first) {
                ax = x, ay = y, moved1 = true;
                c1 = outcode(ax, ay, x0, y0, x1, y1);
            } else {
                bx = x, by = y, moved2 = true;
                c2 = outcode(bx, by, x0, y0, x1, y1);
            }
        }
        return acceptPoint(c1, c2);
    }
};

const std::vector<PlotChartDraw::Segment>& PlotChartDraw::getSegments(int s) const {
    if (s < 0 || size_t(s) >= lines.size()) return kNoSegments;
    return lines[size_t(s)];
}

void PlotChartDraw::recalc() {
    ChartDraw::recalc();
    lines.clear();
    positions.clear();
    if (!data || !data->getXAxis() || !data->getYAxis()) return;
    auto series = data->getSeries();
    lines.resize(series.size());
    positions.resize(series.size());
    Mapper map(*data->getXAxis(), *data->getYAxis(), data->getHoleValue());
    for (size_t s = 0; s < series.size(); ++s) buildSeries(s, map);
}

void PlotChartDraw::buildSeries(size_t s, Mapper& map) {
    const auto& series = *data->getSeries(int(s));
    const std::vector<double>* xs = series.getX();
    const std::vector<double>* ys = series.getY();
    if (!xs || !ys) return;
    int n = int(std::min(xs->size(), ys->size()));
    auto& segs = lines[s];
    auto& pos = positions[s];
    pos.assign(size_t(n), {-1, -1});
    int first = std::max(0, series.getFirstPoint()), last = std::min(n - 1, series.getLastPoint());
    if (first > last) return;

    bool open = false;  // the last segment is still being extended
    auto record = [&](const PlotPoint& p) {
        segs.back().push_back(p);
        if (p.drawPoint) pos[size_t(p.point)] = {int(segs.size()) - 1, int(segs.back().size()) - 1};
    };
    double px = 0, py = 0;
    bool prevOk = map.convert((*xs)[size_t(first)], (*ys)[size_t(first)], px, py);
    for (int i = first + 1; i <= last; ++i) {
        double cx = 0, cy = 0;
        bool ok = map.convert((*xs)[size_t(i)], (*ys)[size_t(i)], cx, cy);
        if (!prevOk || !ok) {
            // A pair with a hole draws no line; its other end keeps its symbol below.
            open = false;
        } else {
            double ax = px, ay = py, bx = cx, by = cy;
            bool m1 = false, m2 = false;
            if (!map.clip(ax, ay, bx, by, m1, m2)) {
                open = false;
            } else {
                if (!open || m1) {
                    segs.emplace_back();
                    // Most series are one unbroken line: size the first one for all points.
                    if (segs.size() == 1) segs.back().reserve(size_t(last - i + 2));
                    record(map.pixel(i - 1, ax, ay, !m1 && pos[size_t(i - 1)].first < 0));
                }
                record(map.pixel(i, bx, by, !m2));
                open = !m2;
            }
        }
        prevOk = ok;
        px = cx;
        py = cy;
    }
    // Visible points no line reached (a single point, or one between holes) still get their symbol.
    for (int i = first; i <= last; ++i) {
        if (pos[size_t(i)].first >= 0) continue;
        double cx, cy;
        if (!map.convert((*xs)[size_t(i)], (*ys)[size_t(i)], cx, cy) || !map.inside(cx, cy)) continue;
        segs.emplace_back();
        record(map.pixel(i, cx, cy, true));
    }
}

void PlotChartDraw::draw(host::Graphics& g) {
    if (!data) return;
    bool lines_ = chartType == ChartDataView::PLOT;
    auto series = data->getSeries();
    for (size_t s = 0; s < series.size() && s < lines.size(); ++s) {
        const auto& ser = *series[s];
        const auto& style = ser.getStyle();
        if (!ser.getIsShowing() || !style) continue;
        const NxLineStyle* line = style->getLineStyle().get();
        const NxSymbolStyle* symbol = style->getSymbolStyle().get();
        bool drawLines = lines_ && line && line->getPattern() != NxLineStyle::NONE && line->getWidth() > 0;
        bool drawSymbols = symbol && symbol->getShape() != NxSymbolStyle::NONE;
        // Exact-pixel lines without symbols: a run of vertices in one pixel column covers
        // the same pixels as one vertical line over the run's y range (dense data has
        // hundreds of points a column).
        bool collapse = drawLines && !drawSymbols && !g.getAntialias();
        for (const auto& seg : lines[s]) {
            if (collapse) {
                drawCollapsed(g, *line, seg);
                continue;
            }
            const PlotPoint* prev = nullptr;
            for (const auto& p : seg) {
                if (!p.valid()) {
                    prev = nullptr;
                    continue;
                }
                if (prev && drawLines) line->draw(g, prev->x, prev->y, p.x, p.y);
                if (p.drawPoint && drawSymbols) symbol->draw(g, p.x, p.y);
                prev = &p;
            }
        }
    }
}

void PlotChartDraw::drawCollapsed(host::Graphics& g, const NxLineStyle& line, const Segment& seg) {
    size_t n = seg.size(), i = 0;
    const PlotPoint* prev = nullptr;
    while (i < n) {
        const PlotPoint& p = seg[i];
        if (!p.valid()) {
            prev = nullptr;
            ++i;
            continue;
        }
        // The run of valid vertices in p's column.
        size_t j = i + 1;
        int lo = p.y, hi = p.y;
        while (j < n && seg[j].valid() && seg[j].x == p.x) {
            lo = std::min(lo, seg[j].y);
            hi = std::max(hi, seg[j].y);
            ++j;
        }
        if (prev) line.draw(g, prev->x, prev->y, p.x, p.y);
        if (j - i > 1) line.draw(g, p.x, lo, p.x, hi);
        prev = &seg[j - 1];
        i = j;
    }
}

std::optional<NxDataIndex> PlotChartDraw::pick(host::Point p, int focus) {
    if (!data) return std::nullopt;
    int best = INT_MAX, bestSeries = -1, bestPoint = -1;
    auto series = data->getSeries();
    for (size_t s = 0; s < series.size() && s < lines.size(); ++s) {
        if (!series[s]->getIsShowing()) continue;
        for (const auto& seg : lines[s])
            for (const auto& v : seg) {
                if (!v.valid() || !v.drawPoint) continue;
                int d;
                if (focus == ChartDataView::PICK_FOCUS_X)
                    d = std::abs(v.x - p.x);
                else if (focus == ChartDataView::PICK_FOCUS_Y)
                    d = std::abs(v.y - p.y);
                else
                    d = NxChartUtil::distance(v.x, v.y, p.x, p.y);
                if (d < best) {
                    best = d;
                    bestSeries = int(s);
                    bestPoint = v.point;
                }
            }
    }
    if (bestSeries < 0) return std::nullopt;
    return NxDataIndex(data, series[size_t(bestSeries)], bestPoint, best);
}

std::optional<host::Point> PlotChartDraw::unpick(int s, int point) {
    if (!data || s < 0 || s >= data->getNumSeries() || !data->getXAxis() || !data->getYAxis()) return std::nullopt;
    auto ser = data->getSeries(s);
    double x = ser->getX(point), y = ser->getY(point), hole = data->getHoleValue();
    if (x == hole || y == hole) return std::nullopt;
    int px = data->getXAxis()->toPixel(x), py = data->getYAxis()->toPixel(y);
    if (data->getXAxis()->getIsVertical()) std::swap(px, py);
    return host::Point{px, py};
}

void PlotChartDraw::startEdit(const NxDataIndex& di) {
    edit.start(std::nullopt, std::nullopt);
    if (!data || di.dataView != data || !di.series) return;
    int s = data->getSeriesIndex(di.series.get());
    if (s < 0 || size_t(s) >= positions.size() || di.point < 0 || size_t(di.point) >= positions[size_t(s)].size())
        return;
    auto [seg, idx] = positions[size_t(s)][size_t(di.point)];
    if (seg < 0) return;
    const Segment& vs = lines[size_t(s)][size_t(seg)];
    std::optional<host::Point> prev, next;
    if (idx > 0 && vs[size_t(idx - 1)].valid()) prev = host::Point{vs[size_t(idx - 1)].x, vs[size_t(idx - 1)].y};
    if (size_t(idx + 1) < vs.size() && vs[size_t(idx + 1)].valid())
        next = host::Point{vs[size_t(idx + 1)].x, vs[size_t(idx + 1)].y};
    edit.start(prev, next);
}

void PlotChartDraw::showEdit(const NxDataIndex& di, int x, int y) {
    if (!data || di.dataView != data) return;
    bool inverted = data->getXAxis() && data->getXAxis()->getIsVertical();
    edit.show(edit.dragging() ? std::nullopt : unpick(data->getSeriesIndex(di.series.get()), di.point), x, y,
              inverted);
}

int PlotChartDraw::endEdit(const NxDataIndex& di, int x, int y) {
    showEdit(di, x, y);
    if (!data || !di.series || !data->getYAxis()) return -1;
    bool inverted = data->getXAxis() && data->getXAxis()->getIsVertical();
    auto value = edit.end(*data->getYAxis(), inverted);
    if (!value || !data->editPoint(di.series.get(), di.point, host::Value(*value))) return -1;
    return di.point;
}

}  // namespace norvex::chart
