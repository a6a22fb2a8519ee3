#include "chart/area/NxMarker.h"

#include <algorithm>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "chart/area/NxChartArea.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/ChartDataViewSeries.h"
#include "chart/model/NxAxis.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

NxMarker::NxMarker()
    : style(std::make_shared<NxChartStyle>(std::make_shared<NxLineStyle>(1, host::Color::black, NxLineStyle::SOLID),
                                           nullptr, nullptr)) {}

void NxMarker::setPoint(int p) {
    if (p < 0) throw std::invalid_argument("Invalid value for Point in NxMarker");
    point = p;
}

std::shared_ptr<NxAxis> NxMarker::resolvedAxis() const {
    if (axis) return axis;
    if (series && series->getParent()) return series->getParent()->getXAxis();
    return nullptr;
}

double NxMarker::resolvedValue() const {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    if (!series) return value;
    ChartDataView* view = series->getParent();
    auto a = resolvedAxis();
    bool isX = !view || a == view->getXAxis();
    const std::vector<double>* values = isX ? series->getX() : series->getY();
    if (!values || point >= int(values->size())) return nan;
    double v = (*values)[size_t(point)];
    if (view && v == view->getHoleValue()) return nan;
    return v;
}

bool NxMarker::line(const host::Rectangle& plot, host::Point& from, host::Point& to) const {
    auto a = resolvedAxis();
    double v = resolvedValue();
    if (!a || !std::isfinite(v)) return false;
    double lo = std::min(a->getMin(), a->getMax()), hi = std::max(a->getMin(), a->getMax());
    if (v < lo || v > hi) return false;
    int p = a->toPixel(v);
    if (a->getIsVertical()) {
        from = {plot.x, p};
        to = {plot.x + plot.width, p};
    } else {
        from = {p, plot.y};
        to = {p, plot.y + plot.height};
    }
    return true;
}

namespace {
// On and off lengths of each line pattern, in pixels.
std::vector<int> dashesOf(int pattern) {
    switch (pattern) {
        case NxLineStyle::LONG_DASH: return {10, 5};
        case NxLineStyle::SHORT_DASH: return {5, 4};
        case NxLineStyle::LSL_DASH: return {10, 4, 4, 4};
        case NxLineStyle::DASH_DOT: return {8, 3, 1, 3};
        default: return {};
    }
}
}  // namespace

void NxMarker::drawLine(host::Graphics& g, host::Point a, host::Point b, int pattern, int width) {
    if (pattern == NxLineStyle::NONE || width <= 0) return;
    bool vertical = a.x == b.x;
    int from = vertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
    int to = vertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
    std::vector<int> dashes = dashesOf(pattern);
    // Wider lines are drawn as parallel lines centred on the marked pixel.
    for (int w = 0; w < width; ++w) {
        int d = w - (width - 1) / 2;
        auto seg = [&](int s, int e) {
            if (vertical)
                g.drawLine(a.x + d, s, a.x + d, e);
            else
                g.drawLine(s, a.y + d, e, a.y + d);
        };
        if (dashes.empty()) {
            seg(from, to);
            continue;
        }
        size_t i = 0;
        for (int p = from; p <= to; p += dashes[i], i = (i + 1) % dashes.size())
            if (i % 2 == 0) seg(p, std::min(to, p + dashes[i] - 1));
    }
}

void ChartOverlay::drawMarkers(host::Graphics& g, const host::Rectangle& plot) const {
    for (auto& m : markers) {
        host::Point a, b;
        if (!m || !m->line(plot, a, b)) continue;
        NxChartStyle& st = *m->getStyle();
        g.setColor(st.getLineColor());
        NxMarker::drawLine(g, a, b, st.getLinePattern(), st.getLineWidth());
    }
}

void ChartOverlay::drawConnectors(host::Graphics& g) const {
    for (auto& c : connectors) {
        g.setColor(c.color);
        g.drawLine(c.from.x, c.from.y, c.to.x, c.to.y);
    }
}

// ---- the chart area's overlay ----

void NxChartArea::addMarker(NxMarkerPtr m) {
    if (!m) return;
    {
        host::Lock lock(mutex());
        for (auto& x : overlay.markers)
            if (x == m) return;
        overlay.markers.push_back(std::move(m));
    }
    setChanged(true);
}

void NxChartArea::removeMarker(const NxMarkerPtr& m) {
    {
        host::Lock lock(mutex());
        if (std::erase(overlay.markers, m) == 0) return;
    }
    setChanged(true);
}

std::vector<NxMarkerPtr> NxChartArea::getMarkers() const {
    host::Lock lock(mutex());
    return overlay.markers;
}

void NxChartArea::setLabelConnectors(std::vector<LabelConnector> c) {
    host::Lock lock(mutex());
    overlay.connectors = std::move(c);
}

std::vector<LabelConnector> NxChartArea::getLabelConnectors() const {
    host::Lock lock(mutex());
    return overlay.connectors;
}

ChartOverlay NxChartArea::getOverlay() const {
    host::Lock lock(mutex());
    return overlay;
}

}  // namespace norvex::chart
