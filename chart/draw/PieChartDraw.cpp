#include "chart/draw/PieChartDraw.h"

#include <algorithm>
#include <cmath>

#include "chart/base/NxChartUtil.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

namespace {

int nearest(double v) { return int(std::floor(v + 0.5)); }
int normalise(int a) { return ((a % 360) + 360) % 360; }
constexpr double kDegree = 0.017453292519943295;

// A point on the ellipse inscribed in (x, y, w, h) at angle a (degrees, counter-clockwise).
host::Point onEllipse(int x, int y, int w, int h, double a) {
    return {nearest(x + w / 2.0 + w / 2.0 * std::cos(a * kDegree)),
            nearest(y + h / 2.0 - h / 2.0 * std::sin(a * kDegree))};
}

}  // namespace

std::pair<int, int> PieChartDraw::sliceArc(const std::vector<int>& ends, size_t k) {
    int prev = k == 0 ? 0 : ends[k - 1];
    int extent = ends[k] - prev;
    // The slice runs clockwise from 135 - prev; as an arc it starts at its far end.
    return {normalise(135 - prev - extent), extent};
}

host::Point PieChartDraw::calcExplodeOffset(int startAngle, int extent, int offset) {
    double b = normalise(nearest(startAngle + extent / 2.0)) * kDegree;
    return {nearest(offset * std::cos(b)), nearest(-offset * std::sin(b))};
}

void PieChartDraw::calcTransientData() {
    info = std::make_shared<PieChartInfo>();
    auto fmt = data->getPieChartFormat();
    auto series = data->getSeries();
    numPies = 0;
    for (auto& s : series)
        if (s && s->getY()) numPies = std::max(numPies, int(s->getY()->size()));
    info->pies.resize(size_t(numPies));
    double hole = data->getHoleValue();
    for (int i = 0; i < numPies; ++i) PieSlices::computeOtherSlice(series, i, hole, *fmt, info->pies[size_t(i)]);
    data->setTransientData(info);
}

void PieChartDraw::recalc() {
    ChartDraw::recalc();
    info.reset();
    labels.clear();
    numPies = rows = perRow = cellWidth = cellHeight = centerOffset = 0;
    labelHeight = explodeMargin = explodeOffset = edge = 0;
    if (!data) return;
    calcTransientData();
    plotX = plotFrame.x;
    plotY = plotFrame.y;
    int width = std::max(plotFrame.width, 0), height = std::max(plotFrame.height, 0);
    if (numPies == 0) return;

    // Point labels above the pies; the margin is the tallest.
    auto names = data->getPointLabels();
    for (int i = 0; i < numPies; ++i) {
        ChartTextPtr t;
        if (names && size_t(i) < names->size() && !(*names)[size_t(i)].empty()) {
            t = std::make_shared<ChartText>((*names)[size_t(i)]);
            t->setFont(font);
            t->setForeground(foreground.value_or(host::Color::black));
            labelHeight = std::max(labelHeight, t->calcSize().height);
        }
        labels.push_back(std::move(t));
    }

    std::tie(rows, perRow) = PieSlices::pieLayout(numPies, width, height);
    cellWidth = width / perRow;
    cellHeight = height / rows;

    auto fmt = data->getPieChartFormat();
    bool exploding = fmt->getExplodeList().has_value();
    explodeOffset = fmt->getExplodeOffset();
    explodeMargin = exploding ? explodeOffset : 0;
    int aw = std::max(cellWidth - 2 * labelHeight - 2 * explodeMargin, 0);
    int ah = std::max(cellHeight - 2 * labelHeight - 2 * explodeMargin, 0);

    // Exploded pies are drawn flat.
    double e = exploding ? 0.0 : std::max(elevation, 0) * kDegree;
    double f = depth * 0.01;
    double tilt = std::sin(e) * f + std::cos(e);
    int pw = aw;
    if (tilt * aw >= ah) pw = nearest(ah / tilt);
    int ph = nearest(pw * std::cos(e));
    edge = std::max(nearest(pw * f * std::sin(e)), 0);
    if (pw % 2 == 0) --pw;
    if (ph % 2 == 0) --ph;
    info->pieWidth = std::max(pw, 0);
    info->pieHeight = std::max(ph, 0);
    if (info->pieWidth < 1 || info->pieHeight < 1) edge = 0;
    setDepthOffsets(0, -edge);
    centerOffset = std::max(nearest((cellWidth - info->pieWidth) * 0.5), 0);
}

std::optional<host::Rectangle> PieChartDraw::pieBounds(int pie) const {
    if (!info || pie < 0 || pie >= numPies || perRow < 1) return std::nullopt;
    if (info->pieWidth < 1 || info->pieHeight < 1) return std::nullopt;
    int row = pie / perRow, col = pie % perRow;
    return host::Rectangle{plotX + col * cellWidth + centerOffset, plotY + row * cellHeight + labelHeight + explodeMargin,
                           info->pieWidth, info->pieHeight};
}

const NxFillStyle* PieChartDraw::getPieSliceFillStyle(const PieData& pie, size_t slice) const {
    const PieSlice& s = pie.slices[slice];
    if (s.series == NxPieChartFormat::OTHER_SLICE) {
        auto fmt = data->getPieChartFormat();
        auto& st = fmt->getOtherStyle();
        return st && st->getFillStyle() ? st->getFillStyle().get() : nullptr;
    }
    if (s.series < 0) return nullptr;
    auto sr = data->getSeries(s.series);
    if (!sr || !sr->getStyle() || !sr->getStyle()->getFillStyle()) return nullptr;
    return sr->getStyle()->getFillStyle().get();
}

host::Color PieChartDraw::outlineColor(const NxFillStyle* fill) const {
    return fill ? ChartDraw::outlineColor(*fill, foreground) : foreground.value_or(host::Color::black);
}

void PieChartDraw::drawPieCircle(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x,
                                 int y) const {
    int w = info->pieWidth, h = info->pieHeight;
    for (int pass = 0; pass < 2; ++pass)
        for (size_t k = 0; k < pie.slices.size(); ++k) {
            if (pie.slices[k].exploded != (pass == 1)) continue;
            auto [start, extent] = sliceArc(ends, k);
            const NxFillStyle* fill = getPieSliceFillStyle(pie, k);
            if (extent <= 0 || !fill) continue;
            host::Point o = pass == 1 ? calcExplodeOffset(start, extent, explodeOffset) : host::Point{0, 0};
            fill->fillArc(g, x + o.x, y + o.y, w, h, start, extent);
        }
}

void PieChartDraw::drawPiePlane(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x, int y,
                                bool bottom) const {
    int w = info->pieWidth, h = info->pieHeight;
    int dy = bottom ? edge : 0;
    for (size_t k = 0; k < pie.slices.size(); ++k) {
        auto [start, extent] = sliceArc(ends, k);
        const NxFillStyle* fill = getPieSliceFillStyle(pie, k);
        if (extent <= 0 || !fill) continue;
        if (bottom) {
            g.setColor(NxChartUtil::darker(fill->getColor()));
            g.fillArc(x, y + dy, w, h, start, extent);
        } else {
            fill->fillArc(g, x, y, w, h, start, extent);
        }
    }
}

void PieChartDraw::drawPieEdge(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x,
                               int y) const {
    int w = info->pieWidth, h = info->pieHeight;
    // Only the front half (180..360 degrees) of the wall shows.
    for (size_t k = 0; k < pie.slices.size(); ++k) {
        auto [start, extent] = sliceArc(ends, k);
        const NxFillStyle* fill = getPieSliceFillStyle(pie, k);
        if (extent <= 0 || !fill) continue;
        // A slice past 360 degrees wraps: its part beyond is tested one turn back.
        for (int shift : {0, -360}) {
            double a0 = std::max<double>(start + shift, 180), a1 = std::min<double>(start + extent + shift, 360);
            if (a0 >= a1) continue;
            int steps = std::max(2, int(std::ceil((a1 - a0) * kDegree * w / 4.0)));
            host::Polygon p;
            for (int i = 0; i <= steps; ++i) {
                host::Point q = onEllipse(x, y, w, h, a0 + (a1 - a0) * i / steps);
                p.addPoint(q.x, q.y);
            }
            for (int i = steps; i >= 0; --i) {
                host::Point q = onEllipse(x, y + edge, w, h, a0 + (a1 - a0) * i / steps);
                p.addPoint(q.x, q.y);
            }
            g.setColor(NxChartUtil::darker(fill->getColor()));
            g.fillPolygon(p);
            // The wall's seams at the slice's ends.
            g.setColor(outlineColor(fill));
            for (double a : {a0, a1}) {
                if (a <= 180 || a >= 360) continue;
                host::Point top = onEllipse(x, y, w, h, a);
                g.drawLine(top.x, top.y, top.x, top.y + edge);
            }
        }
    }
    // The wall's outline: the lower rim and the two sides.
    g.setColor(foreground.value_or(host::Color::black));
    g.drawArc(x, y + edge, w, h, 180, 180);
    int cy = y + h / 2;
    g.drawLine(x, cy, x, cy + edge);
    g.drawLine(x + w, cy, x + w, cy + edge);
}

void PieChartDraw::drawPieLines(host::Graphics& g, const PieData& pie, const std::vector<int>& ends, int x, int y,
                                bool explodedToo) const {
    int w = info->pieWidth, h = info->pieHeight;
    int cx = x + w / 2, cy = y + h / 2;
    for (size_t k = 0; k < pie.slices.size(); ++k) {
        auto [start, extent] = sliceArc(ends, k);
        const NxFillStyle* fill = getPieSliceFillStyle(pie, k);
        if (extent <= 0 || !fill) continue;
        host::Point o{0, 0};
        if (pie.slices[k].exploded && explodedToo) o = calcExplodeOffset(start, extent, explodeOffset);
        g.setColor(outlineColor(fill));
        if (extent >= 360) {
            g.drawOval(x + o.x, y + o.y, w, h);
            continue;
        }
        g.drawArc(x + o.x, y + o.y, w, h, start, extent);
        for (int a : {start, start + extent}) {
            host::Point q = onEllipse(x, y, w, h, a);
            g.drawLine(cx + o.x, cy + o.y, q.x + o.x, q.y + o.y);
        }
    }
}

void PieChartDraw::draw(host::Graphics& g) {
    if (!info || numPies == 0) return;
    for (int i = 0; i < numPies; ++i) {
        auto r = pieBounds(i);
        if (!r) break;
        if (size_t(i) < labels.size() && labels[size_t(i)]) {
            auto& t = *labels[size_t(i)];
            host::Dimension d = t.calcSize();
            int cellTop = plotY + (i / perRow) * cellHeight;
            t.reshape(r->x + r->width / 2 - d.width / 2, cellTop, d.width, d.height);
            t.draw(g);
        }
        const PieData& pie = info->pies[size_t(i)];
        if (pie.allZero) continue;
        std::vector<int> ends = pie.angles();
        if (edge > 0) {
            drawPiePlane(g, pie, ends, r->x, r->y, true);
            drawPieEdge(g, pie, ends, r->x, r->y);
            drawPiePlane(g, pie, ends, r->x, r->y, false);
            drawPieLines(g, pie, ends, r->x, r->y, false);
        } else {
            drawPieCircle(g, pie, ends, r->x, r->y);
            drawPieLines(g, pie, ends, r->x, r->y, true);
        }
    }
}

int PieChartDraw::pie_hit(double x, double y, double a, double b, double cx, double cy, int edge) {
    double dx = x - cx;
    if (a <= 0 || b <= 0 || std::abs(dx) > a) return 0;
    double d = std::sqrt(a * a - dx * dx) * b / a;
    if (y < cy - d || y > cy + edge + d) return 0;
    return y <= cy + d ? 1 : 2;
}

std::optional<NxDataIndex> PieChartDraw::pick(host::Point p, int) {
    if (!info || numPies == 0 || perRow < 1 || cellWidth < 1 || cellHeight < 1) return std::nullopt;
    int rx = p.x - plotX, ry = p.y - plotY;
    if (rx < 0 || ry < 0) return std::nullopt;
    int col = rx / cellWidth, row = ry / cellHeight;
    if (col >= perRow || row >= rows) return std::nullopt;
    int pieIndex = row * perRow + col;
    auto r = pieBounds(pieIndex);
    if (!r) return std::nullopt;
    const PieData& pie = info->pies[size_t(pieIndex)];
    if (pie.allZero || pie.slices.empty()) return std::nullopt;
    std::vector<int> ends = pie.angles();

    double a = r->width / 2.0, b = r->height / 2.0;
    auto result = [&](size_t k, int distance) {
        const PieSlice& s = pie.slices[k];
        NxDataIndex idx(data, s.series >= 0 ? data->getSeries(s.series) : nullptr, pieIndex, distance);
        if (s.series == NxPieChartFormat::OTHER_SLICE) idx.object = NxPieChartFormat::OTHER_SLICE;
        return idx;
    };
    // The slice whose range (clockwise from 135 degrees) holds angle ang.
    auto sliceAt = [&](double ang) -> std::optional<size_t> {
        double u = 135.0 - ang;
        u = std::fmod(std::fmod(u, 360.0) + 360.0, 360.0);
        int prev = 0;
        for (size_t k = 0; k < ends.size(); ++k) {
            if (ends[k] > prev && u >= prev && u < ends[k]) return k;
            prev = ends[k];
        }
        return std::nullopt;
    };
    auto angleOf = [&](double dx, double dy) { return std::atan2(-dy * a / b, dx) / kDegree; };

    // An exploded slice is hit where it was moved to.
    for (size_t k = 0; k < pie.slices.size(); ++k) {
        if (!pie.slices[k].exploded) continue;
        auto [start, extent] = sliceArc(ends, k);
        if (extent <= 0) continue;
        host::Point o = calcExplodeOffset(start, extent, explodeOffset);
        double cx = r->x + o.x + a, cy = r->y + o.y + b;
        if (pie_hit(p.x, p.y, a, b, cx, cy, 0) == 0) continue;
        if (sliceAt(angleOf(p.x - cx, p.y - cy)) == k) return result(k, 0);
    }

    double cx = r->x + a, cy = r->y + b;
    double dx = p.x - cx, dy = p.y - cy;
    int hit = pie_hit(p.x, p.y, a, b, cx, cy, edge);
    double ang = angleOf(dx, dy);
    int distance = 0;
    if (hit == 2) {
        // On the wall: the slice of the rim point above.
        ang = std::atan2(-std::sqrt(std::max(a * a - dx * dx, 0.0)), dx) / kDegree;
    } else if (hit == 0) {
        double scaled = std::hypot(dx, dy * a / b);
        if (scaled > a) distance = nearest(std::hypot(dx, dy) * (1 - a / scaled));
    }
    auto k = sliceAt(ang);
    if (!k) return std::nullopt;
    return result(*k, distance);
}

std::optional<host::Point> PieChartDraw::find_point(int series, int point) const {
    auto r = pieBounds(point);
    if (!r) return std::nullopt;
    const PieData& pie = info->pies[size_t(point)];
    if (pie.allZero) return std::nullopt;
    std::vector<int> ends = pie.angles();
    for (size_t k = 0; k < pie.slices.size(); ++k) {
        if (pie.slices[k].series != series) continue;
        auto [start, extent] = sliceArc(ends, k);
        if (extent <= 0) return std::nullopt;
        host::Point o = pie.slices[k].exploded ? calcExplodeOffset(start, extent, explodeOffset) : host::Point{0, 0};
        // Halfway out along the slice's bisector.
        host::Point q = onEllipse(r->x + r->width / 4, r->y + r->height / 4, r->width / 2, r->height / 2,
                                  start + extent / 2.0);
        return host::Point{q.x + o.x, q.y + o.y};
    }
    return std::nullopt;
}

std::optional<host::Point> PieChartDraw::unpick(int series, int point) { return find_point(series, point); }

}  // namespace norvex::chart
