#include "chart/interact/ActionHandlers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/interact/AxisActions.h"
#include "chart/interact/EventTrigger.h"
#include "chart/model/ChartDataView.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

namespace {
int N(double v) { return int(std::nearbyint(v)); }
constexpr int kAngleLimit = 45;
}  // namespace

// ---- base ----

host::Rectangle ActionHandler::plotRect() const {
    host::Rectangle r = area.getPlotRect();
    host::Point o = area.getDrawingOrigin();
    return {r.x + o.x, r.y + o.y, r.width, r.height};
}

std::pair<NxAxisPtr, NxAxisPtr> ActionHandler::actionAxes() const {
    NxAxisPtr h = area.getHorizActionAxis(), v = area.getVertActionAxis();
    // An inverted chart lays its X axis upright: each axis goes where it points.
    if (h && v && h->getIsVertical() && !v->getIsVertical()) std::swap(h, v);
    return {h, v};
}

int ActionHandler::firstChartType() const {
    auto* c = area.getChart();
    auto v = c && c->getNumData() > 0 ? c->getDataView(0) : nullptr;
    return v ? v->getChartType() : ChartDataView::NONE;
}

// ---- zoom ----

// The band lives in the chart area, which draws it again whenever it paints.
void ZoomHandler::start(int x, int y) {
    press = {x, y};
    area.setFeedback({});
}

void ZoomHandler::animate(int x, int y) {
    ChartFeedback band;
    band.rects.push_back({std::min(press.x, x), std::min(press.y, y), std::abs(x - press.x), std::abs(y - press.y)});
    area.setFeedback(std::move(band));
}

void ZoomHandler::reanimate(int x, int y) { animate(x, y); }

void ZoomHandler::abandon() { area.setFeedback({}); }

std::optional<host::Rectangle> ZoomHandler::getBand() const {
    ChartFeedback f = area.getFeedback();
    if (f.rects.empty()) return std::nullopt;
    return f.rects.front();
}

host::Rectangle ZoomHandler::zoomRect(int x, int y) const {
    if (std::abs(x - press.x) + std::abs(y - press.y) < kClickSlop) {
        int left = std::max(0, x - kClickHalf), top = std::max(0, y - kClickHalf);
        return {left, top, x + kClickHalf - left, y + kClickHalf - top};
    }
    return {std::min(press.x, x), std::min(press.y, y), std::abs(x - press.x), std::abs(y - press.y)};
}

void ZoomHandler::end(int x, int y) {
    abandon();
    host::Rectangle plot = plotRect();
    if (plot.width <= 0 || plot.height <= 0) return;  // no pixel has a value
    host::Rectangle r = zoomRect(x, y);
    host::Point o = area.getDrawingOrigin();
    auto [h, v] = actionAxes();
    auto zoomAlong = [&](const NxAxisPtr& a, int p0, int p1) {
        if (!a || !a->getIsEditable()) return false;
        double mn = a->getMin(), mx = a->getMax();
        bool wasDefault = a->getMinIsDefault() || a->getMaxIsDefault();
        chart.zoom(a->toData(p0), a->toData(p1), a, false);
        return a->getMin() != mn || a->getMax() != mx || wasDefault != (a->getMinIsDefault() || a->getMaxIsDefault());
    };
    chart.setIsBatched(true);
    bool zoomed = zoomAlong(h, r.x - o.x, r.x + r.width - o.x);
    if (v != h) zoomed |= zoomAlong(v, r.y - o.y, r.y + r.height - o.y);
    if (zoomed) area.setChanged(true);
    chart.setIsBatched(false);
}

// ---- translate ----

void TranslateHandler::start(int x, int y) {
    active = false;
    auto [h, v] = actionAxes();
    if (!h || !v || h->getIsVertical() == v->getIsVertical()) {
        chart.showError(kSameOrientation);
        return;
    }
    active = true;
    area.setInAction(true);
    press = {x, y};
    host::Rectangle plot = plotRect();
    plotWidth = plot.width;
    plotHeight = plot.height;
    horiz = h->getIsEditable() ? h : nullptr;
    vert = v->getIsEditable() ? v : nullptr;
    if (horiz) {
        chart.translateStart(horiz);
        horizExtent = horiz->range();
    }
    if (vert) {
        chart.translateStart(vert);
        vertExtent = vert->range();
    }
}

void TranslateHandler::animate(int x, int y) {
    if (!active) return;
    bool moved = false;
    chart.setIsBatched(true);
    // The exact share of the plot each movement covers: a drag of many one-pixel
    // steps pans as far as one step of the same length. An empty plot pans nothing.
    if (horiz && plotWidth > 0 && x != press.x) {
        chart.translate(horizExtent * double(press.x - x) / plotWidth, horiz, false);
        moved = true;
    }
    if (vert && plotHeight > 0 && y != press.y) {
        chart.translate(vertExtent * double(y - press.y) / plotHeight, vert, false);
        moved = true;
    }
    press = {x, y};
    if (moved) area.setChanged(true);
    chart.setIsBatched(false);
}

void TranslateHandler::end(int x, int y) {
    animate(x, y);
    abandon();
}

void TranslateHandler::abandon() {
    if (!active) return;
    active = false;
    area.setInAction(false);
    area.setChanged(true);  // the labels left out while moving come back
}

// ---- rotate and depth ----

void RotateHandler::start(int x, int y) {
    area.setInAction(true);
    press = {x, y};
    last.reset();
    startElevation = area.getElevation();
    startRotation = area.getRotation();
    int type = firstChartType();
    enabled = area.getDepth() > 0 && type != ChartDataView::PLOT && type != ChartDataView::NONE;
    pie = type == ChartDataView::PIE;
}

void RotateHandler::animate(int x, int y) {
    if (!enabled) return;
    if (!last) {
        last = host::Point{x, y};
        return;
    }
    if (*last == host::Point{x, y}) return;
    last = host::Point{x, y};
    host::Rectangle plot = plotRect();
    int dy = y - press.y;
    double f = plot.height > 0 ? 90.0 / plot.height : 0.0;
    int rotation = startRotation, elevation = startElevation;
    if (pie) {
        elevation = startElevation - N(dy * f);
    } else {
        if (plot.width > 0) rotation = startRotation - N((x - press.x) * 90.0 / plot.width);
        elevation = startElevation + N(dy * f);
    }
    rotation = std::clamp(rotation, -kAngleLimit, kAngleLimit);
    elevation = std::clamp(elevation, -kAngleLimit, kAngleLimit);
    if (rotation == area.getRotation() && elevation == area.getElevation()) return;
    chart.setIsBatched(true);
    area.setElevation(elevation);
    area.setRotation(rotation);
    chart.setIsBatched(false);
}

void RotateHandler::end(int, int) { area.setInAction(false); }

void DepthHandler::start(int x, int y) {
    area.setInAction(true);
    press = {x, y};
    startDepth = area.getDepth();
    int type = firstChartType();
    enabled = type != ChartDataView::PLOT && type != ChartDataView::NONE;
    pie = type == ChartDataView::PIE;
}

void DepthHandler::animate(int, int y) {
    if (!enabled) return;
    int dy = y - press.y;
    int depth = startDepth + (pie ? -dy : dy);
    if (depth != area.getDepth()) area.setDepth(depth);
}

void DepthHandler::end(int, int) { area.setInAction(false); }

// ---- edit ----

void EditHandler::start(int x, int y) {
    picked.reset();
    drawer.reset();
    // An empty plot maps no pixel to a value.
    host::Rectangle plot = plotRect();
    if (plot.width <= 0 || plot.height <= 0) return;
    auto di = area.pick({x, y}, nullptr, ChartDataView::PICK_FOCUS_XY);
    if (!di || !di->isValid()) return;
    drawer = area.getDrawable(di->dataView.get());
    if (!drawer) return;
    picked = di;
    drawer->startEdit(*di);
}

void EditHandler::animate(int x, int y) {
    if (!picked || !drawer) return;
    host::Point o = area.getDrawingOrigin();
    drawer->showEdit(*picked, x - o.x, y - o.y);
    // The chart area draws the drawer's rubber lines or moved bar face.
    area.setFeedback(drawer->editFeedback().translated(o.x, o.y));
}

void EditHandler::end(int x, int y) {
    area.setFeedback({});
    if (!picked || !drawer) return;
    host::Point o = area.getDrawingOrigin();
    // The drawer sets the value through the view, whose model tells the chart.
    drawer->endEdit(*picked, x - o.x, y - o.y);
    picked.reset();
    drawer.reset();
}

void EditHandler::abandon() {
    area.setFeedback({});
    picked.reset();
    drawer.reset();
}

std::unique_ptr<ActionHandler> makeActionHandler(int action, InteractiveChart& chart) {
    switch (action) {
        case EventTrigger::ZOOM: return std::make_unique<ZoomHandler>(chart);
        case EventTrigger::TRANSLATE: return std::make_unique<TranslateHandler>(chart);
        case EventTrigger::ROTATE: return std::make_unique<RotateHandler>(chart);
        case EventTrigger::DEPTH: return std::make_unique<DepthHandler>(chart);
        case EventTrigger::EDIT: return std::make_unique<EditHandler>(chart);
        default: return nullptr;
    }
}

}  // namespace norvex::chart
