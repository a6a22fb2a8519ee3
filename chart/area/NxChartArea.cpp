#include "chart/area/NxChartArea.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iostream>
#include <stdexcept>

#include "chart/base/ChartDiagnostics.h"
#include "chart/base/NxChartUtil.h"
#include "chart/model/AnnotationHandler.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxisTitle.h"
#include "host/graphics/Graphics.h"

namespace norvex::chart {

namespace {
std::atomic<bool> reentranceTrace{false};
constexpr int EAST = AnnotationHandler::EAST, WEST = AnnotationHandler::WEST, NORTH = AnnotationHandler::NORTH,
              SOUTH = AnnotationHandler::SOUTH;

// Room across the axis its labels need (without the title).
int labelThickness(NxAxis& a) {
    int across = 0;
    bool any = false;
    for (auto& l : a.getAnnotations()) {
        if (!l->getIsVisible()) continue;
        any = true;
        const ChartText& t = l->getChartText();
        across = std::max(across, a.getIsVertical() ? t.getWidth() : t.getHeight());
    }
    return any ? across + a.getTickLength() / 2 + 1 : a.getTickLength() / 2 + 1;
}

bool edgePlaced(int placement) { return placement == NxAxis::MIN || placement == NxAxis::MAX; }
}  // namespace

NxChartArea::NxChartArea() {
    auto x = std::make_shared<NxAxis>(this, false, NxAxis::VALUE);
    x->setName("Default X");
    auto y = std::make_shared<NxAxis>(this, true, NxAxis::VALUE);
    y->setName("Default Y");
    xaxes.push_back(x);
    yaxes.push_back(y);
    horizActionAxis = x;
    vertActionAxis = y;
    x->setChanged(false);
    y->setChanged(false);
}

NxChartArea::~NxChartArea() {
    for (auto& a : xaxes) a->setChartArea(nullptr), a->setParent(nullptr);
    for (auto& a : yaxes) a->setChartArea(nullptr), a->setParent(nullptr);
}

void NxChartArea::attach(const NxAxisPtr& axis, bool vertical) {
    axis->setChartArea(this);
    axis->setParent(static_cast<AxisArea*>(this));
    axis->setIsVertical(vertical);
}

// ---- properties ----

void NxChartArea::dataViewTypeChanged(ChartDataView&) { setChanged(true); }

host::Dimension NxChartArea::measureText(const host::Font& font, const std::string& text) const {
    host::FontMetrics fm = host::FontMetrics::get(font);
    return {fm.stringWidth(text), fm.getHeight()};
}

host::Point NxChartArea::getPlotOrigin() const {
    host::Point o = getDrawingOrigin();
    return {getX() + o.x, getY() + o.y};
}

std::optional<NxDataIndex> NxChartArea::pickPoint(const std::shared_ptr<ChartDataView>& view, host::Point p, int focus) {
    auto d = getDrawable(view.get());
    return d ? d->pick(p, focus) : std::nullopt;
}

std::optional<host::Point> NxChartArea::unpickPoint(const ChartDataView& view, int series, int point) {
    auto d = getDrawable(&view);
    return d ? d->unpick(series, point) : std::nullopt;
}

void NxChartArea::setAngleUnit(int unit) {
    if (!NxChartUtil::validUnit(unit))
        throw std::invalid_argument("Invalid value for AngleUnit.  Must be one of DEGREES, RADIANS or GRADS");
    {
        host::Lock lock(mutex());
        if (unit == angleUnit) return;
        angleUnit = unit;
    }
    setChanged(true);
}

NxAxisPtr NxChartArea::getXAxis(int i) const { return i >= 0 && size_t(i) < xaxes.size() ? xaxes[size_t(i)] : nullptr; }
NxAxisPtr NxChartArea::getYAxis(int i) const { return i >= 0 && size_t(i) < yaxes.size() ? yaxes[size_t(i)] : nullptr; }

void NxChartArea::setXAxis(int i, NxAxisPtr axis) {
    auto check = [&] {
        const int n = int(xaxes.size());
        if (axis ? (i < 0 || i > n) : (i < 0 || i >= n || n == 1)) throw std::invalid_argument("Invalid X axis index");
        return n;
    };
    {
        host::Lock lock(mutex());
        check();
    }
    // The axis takes its place outside our lock: its change may lay the chart out under
    // the tree lock, which layout takes before ours.
    if (axis) attach(axis, false);
    {
        host::Lock lock(mutex());
        const int n = check();
        if (!axis) {
            xaxes.erase(xaxes.begin() + i);
        } else {
            if (i == n) xaxes.push_back(axis);
            else xaxes[size_t(i)] = axis;
        }
        if (!horizActionAxis || !isXAxis(horizActionAxis.get())) horizActionAxis = xaxes.front();
    }
    setChanged(true);
}

void NxChartArea::setYAxis(int i, NxAxisPtr axis) {
    auto check = [&] {
        const int n = int(yaxes.size());
        if (axis ? (i < 0 || i > n) : (i < 0 || i >= n || n == 1)) throw std::invalid_argument("Invalid Y axis index");
        return n;
    };
    {
        host::Lock lock(mutex());
        check();
    }
    // The axis takes its place outside our lock: its change may lay the chart out under
    // the tree lock, which layout takes before ours.
    if (axis) attach(axis, true);
    {
        host::Lock lock(mutex());
        const int n = check();
        if (!axis) {
            yaxes.erase(yaxes.begin() + i);
        } else {
            if (i == n) yaxes.push_back(axis);
            else yaxes[size_t(i)] = axis;
        }
        auto inY = [this](const NxAxis* a) {
            for (auto& y : yaxes) if (y.get() == a) return true;
            return false;
        };
        if (!vertActionAxis || !inY(vertActionAxis.get())) vertActionAxis = yaxes.front();
    }
    setChanged(true);
}

bool NxChartArea::isXAxis(const NxAxis* axis) const {
    for (auto& a : xaxes)
        if (a.get() == axis) return true;
    return false;
}

void NxChartArea::setHorizActionAxis(NxAxisPtr axis) {
    bool ok = false;
    for (auto* list : {&xaxes, &yaxes})
        for (auto& a : *list) ok = ok || (a == axis && !a->getIsVertical());
    if (!ok) throw std::invalid_argument("Invalid horizontal action axis");
    horizActionAxis = std::move(axis);
}

void NxChartArea::setVertActionAxis(NxAxisPtr axis) {
    bool ok = false;
    for (auto* list : {&xaxes, &yaxes})
        for (auto& a : *list) ok = ok || (a == axis && a->getIsVertical());
    if (!ok) throw std::invalid_argument("Invalid vertical action axis");
    vertActionAxis = std::move(axis);
}

void NxChartArea::setAxisBoundingBox(bool b) {
    {
        host::Lock lock(mutex());
        if (b == axisBoundingBox) return;
        axisBoundingBox = b;
    }
    setChanged(true);
}

void NxChartArea::setFastAction(bool b) {
    {
        host::Lock lock(mutex());
        if (b == fastAction) return;
        fastAction = b;
    }
    setChanged(true);
}

void NxChartArea::setDepth(int d) {
    d = std::clamp(d, 0, 500);
    {
        host::Lock lock(mutex());
        if (d == depth) return;
        depth = d;
    }
    setChanged(true);
}

void NxChartArea::setElevation(int e) {
    e = std::clamp(e, -45, 45);
    {
        host::Lock lock(mutex());
        if (e == elevation) return;
        elevation = e;
    }
    setChanged(true);
}

void NxChartArea::setRotation(int r) {
    r = std::clamp(r, -45, 45);
    {
        host::Lock lock(mutex());
        if (r == rotation) return;
        rotation = r;
    }
    setChanged(true);
}

void NxChartArea::setReentrance(bool b) { reentranceTrace = b; }
bool NxChartArea::getReentrance() { return reentranceTrace; }

host::Point NxChartArea::getDrawingOrigin() const {
    host::Rectangle r = getDrawingArea();
    return {r.x, r.y};
}

int NxChartArea::drawingWidth() const { return getDrawingAreaWidth(); }
int NxChartArea::drawingHeight() const { return getDrawingAreaHeight(); }

// ---- change ----

void NxChartArea::setChanged(bool b) {
    if (inChanged) {
        if (b == changed) {
            ChartDiagnostics::print("ChartArea re-entrance.  Please report");
            return;
        }
    }
    inChanged = true;
    for (auto& [view, d] : drawables) d->setChanged(b, false);
    if (b) {
        ChartCanvas::setChanged(true);
    } else {
        changed = false;
        for (auto& a : xaxes) a->setChanged(false);
        for (auto& a : yaxes) a->setChanged(false);
    }
    inChanged = false;
}

bool NxChartArea::isDirty() const {
    for (auto& [v, d] : drawables)
        if (d->isChanged()) return true;
    for (auto& a : xaxes)
        if (a->isChanged()) return true;
    for (auto& a : yaxes)
        if (a->isChanged()) return true;
    return false;
}

// ---- drawables ----

void NxChartArea::ensureDrawables() {
    std::vector<std::pair<const ChartDataView*, ChartDrawPtr>> next;
    if (chart) {
        for (int i = 0; i < chart->getNumData(); ++i) {
            auto view = chart->getDataView(i);
            if (!view) continue;
            ChartDrawPtr d = getDrawable(view.get());
            if (!d || d->getChartType() != view->getChartType()) d = ChartDraw::makeDrawObject(view);
            next.emplace_back(view.get(), d);
        }
    }
    drawables = std::move(next);
}

ChartDrawPtr NxChartArea::getDrawable(const ChartDataView* view) const {
    for (auto& [v, d] : drawables)
        if (v == view) return d;
    return nullptr;
}

void NxChartArea::removeDrawable(const ChartDataView* view) {
    std::erase_if(drawables, [view](auto& p) { return p.first == view; });
}

void NxChartArea::removeView(const ChartDataView* view) {
    removeDrawable(view);
    setChanged(true);
}

std::optional<NxDataIndex> NxChartArea::pick(host::Point p, const std::shared_ptr<ChartDataView>& view, int focus) {
    host::Point o = getDrawingOrigin();
    host::Point q{p.x - o.x, p.y - o.y};
    std::optional<NxDataIndex> best;
    for (auto& [v, d] : drawables) {
        if (view && v != view.get()) continue;
        if (!v->getAllowPick()) continue;
        auto r = d->pick(q, focus);
        if (r && (!best || r->distance < best->distance)) best = r;
    }
    return best;
}

// ---- recalculation ----

void NxChartArea::calcLimits() {
    for (auto& a : xaxes) a->clearLimits();
    for (auto& a : yaxes) a->clearLimits();
    if (!chart) return;
    auto merge = [](NxAxis* axis, const std::optional<MinMax>& l) {
        if (!axis || !l || l->isEmpty()) return;
        MinMax m = *l;
        if (auto& cur = axis->getDataLimits()) {
            m.min = std::min(m.min, cur->min);
            m.max = std::max(m.max, cur->max);
        }
        axis->setLimits(m);
    };
    std::vector<std::shared_ptr<ChartDataView>> views;
    for (int i = 0; i < chart->getNumData(); ++i)
        if (auto v = chart->getDataView(i)) views.push_back(v);
    for (auto& v : views) v->calcLimits();
    for (auto& a : xaxes) a->clearLimits();
    for (auto& a : yaxes) a->clearLimits();
    for (auto& v : views) {
        merge(v->getXAxis().get(), v->getXLimits());
        merge(v->getYAxis().get(), v->getYLimits());
    }
}

void NxChartArea::recalc() {
    std::lock_guard tree(getTreeLock());
    if (!changed && !isDirty()) return;
    if (drawingWidth() < 1 || drawingHeight() < 1) return;
    ensureDrawables();
    resetPlotArea();
    calc3D();
    calcLimits();
    bool annotate = !(fastAction && inAction);
    // Scales and label counts depend on the axis lengths, which the layout decides:
    // a second pass settles them when the first layout changed them.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<int> lengths;
        for (auto* list : {&xaxes, &yaxes})
            for (auto& a : *list) {
                a->calcAxisParams();
                lengths.push_back(a->pixelLength());
            }
        if (annotate) {
            for (auto& a : xaxes) a->calcAnchors();
            for (auto& a : yaxes) a->calcAnchors();
            for (auto& a : xaxes) a->makeAnnotations();
            for (auto& a : yaxes) a->makeAnnotations();
        }
        layoutChartArea();
        if (checkDeltaValues()) layoutChartArea();
        size_t k = 0;
        bool same = true;
        for (auto* list : {&xaxes, &yaxes})
            for (auto& a : *list) same = same && std::abs(a->pixelLength() - lengths[k++]) <= 2;
        if (same) break;
    }
    for (auto& [v, d] : drawables) {
        d->setDepthOffsets(deltaX, deltaY);
        d->setPlotFrame(plotRect, elevation, depth, getFont());
        d->setForeground(plotArea.getForeground() ? plotArea.getForeground() : getForeground());
        d->recalc();
        d->setChanged(false, false);
    }
    changed = false;
    for (auto& a : xaxes) a->setChanged(false);
    for (auto& a : yaxes) a->setChanged(false);
    axisDrawOkay = true;
}

void NxChartArea::resetPlotArea() {
    if (plotArea.top.isDefault) plotArea.top.value = 0;
    if (plotArea.left.isDefault) plotArea.left.value = 0;
    if (plotArea.bottom.isDefault) plotArea.bottom.value = drawingHeight();
    if (plotArea.right.isDefault) plotArea.right.value = drawingWidth();
}

void NxChartArea::calc3D() {
    double r = NxChartUtil::degToRad(rotation), e = NxChartUtil::degToRad(elevation);
    double factor = depth * 0.01;
    double w = std::max(double(drawingWidth()), 1.0);
    double u = factor * w / (std::fabs(std::sin(r)) * std::cos(e) * factor + 1);
    // One convention: the back face lies up (negative y) for a positive elevation,
    // so the tops of bars and pies show.
    deltaX = int(std::cos(e) * std::sin(r) * u);
    deltaY = int(-u * std::sin(e));
    checkDeltaValues();
    bool solid = false;
    if (chart)
        for (int i = 0; i < chart->getNumData(); ++i) {
            auto v = chart->getDataView(i);
            if (v && v->getChartType() != ChartDataView::PLOT && v->getChartType() != ChartDataView::SCATTER_PLOT &&
                v->getChartType() != ChartDataView::AREA)
                solid = true;
        }
    draw3D = (deltaX != 0 || deltaY != 0) && solid;
}

bool NxChartArea::checkDeltaValues() {
    int w = std::max(0, plotArea.getRight() - plotArea.getLeft());
    int h = std::max(0, plotArea.getBottom() - plotArea.getTop());
    bool limited = false;
    if (std::abs(deltaX) > w) deltaX = deltaX < 0 ? -w : w, limited = true;
    if (std::abs(deltaY) > h) deltaY = deltaY < 0 ? -h : h, limited = true;
    return limited;
}

// ---- layout ----

void NxChartArea::getHorizVertAxes(std::vector<NxAxisPtr>& h, std::vector<NxAxisPtr>& v) const {
    for (auto* list : {&xaxes, &yaxes})
        for (auto& a : *list) (a->getIsVertical() ? v : h).push_back(a);
}

int NxChartArea::placementOf(NxAxis& a) const { return a.getAnnotationHandler().getRealPlacement(); }

void NxChartArea::prepareAnnotations(const std::vector<NxAxisPtr>& list, const host::Rectangle& span) {
    for (auto& a : list) {
        // Until the first layout an axis has no length: give it the whole span.
        if (a->getIsVertical() && a->getHeight() < 1) a->reshape(span.x, span.y, a->getWidth(), span.height);
        if (!a->getIsVertical() && a->getWidth() < 1) a->reshape(span.x, span.y, span.width, a->getHeight());
        a->calcTransformation();
        a->layoutAnnotations();
        a->checkAnnotations();
        a->calcAnnotationExtents();
    }
}

void NxChartArea::adjustPlotRectForAxes(const std::vector<NxAxisPtr>& list) {
    for (auto& a : list) {
        if (!a->getIsShowing() || !edgePlaced(placementOf(*a))) continue;
        int side = a->getAnnotationAnchor();
        int thick = labelThickness(*a);
        bool vertical = a->getIsVertical();
        // The axis box holds line, ticks and labels; the title lies beyond it.
        if (vertical)
            a->reshape(a->getLeft(), a->getTop(), thick, a->getHeight());
        else
            a->reshape(a->getLeft(), a->getTop(), a->getWidth(), thick);
        int box = vertical ? a->getWidth() : a->getHeight();
        int room = std::max({thick, box, a->getExtents().ortho});
        int used = 0;
        for (auto& e : edgeAxes)
            if (e.side == side) used += e.room;
        edgeAxes.push_back({a, side, used, room});
        bool keep = (side == WEST && !plotArea.getLeftIsDefault()) || (side == EAST && !plotArea.getRightIsDefault()) ||
                    (side == NORTH && !plotArea.getTopIsDefault()) || (side == SOUTH && !plotArea.getBottomIsDefault());
        if (keep) continue;
        switch (side) {
            case WEST: plotRect.x += room; plotRect.width -= room; break;
            case EAST: plotRect.width -= room; break;
            case NORTH: plotRect.y += room; plotRect.height -= room; break;
            default: plotRect.height -= room; break;
        }
    }
}

void NxChartArea::adjustForExtents(const std::vector<NxAxisPtr>& horiz, const std::vector<NxAxisPtr>& vert) {
    AnnotationExtents H, V;
    for (auto& a : horiz) {
        if (!a->getIsShowing()) continue;
        H.major = std::max(H.major, a->getExtents().major);
        H.minor = std::max(H.minor, a->getExtents().minor);
    }
    for (auto& a : vert) {
        if (!a->getIsShowing()) continue;
        V.major = std::max(V.major, a->getExtents().major);
        V.minor = std::max(V.minor, a->getExtents().minor);
    }
    if (plotArea.getLeftIsDefault() && H.minor > plotRect.x - total.x) {
        int d = H.minor - (plotRect.x - total.x);
        plotRect.x += d;
        plotRect.width -= d;
    }
    int right = total.x + total.width;
    if (plotArea.getRightIsDefault() && plotRect.x + plotRect.width + H.major > right)
        plotRect.width -= plotRect.x + plotRect.width + H.major - right;
    int bottom = total.y + total.height;
    if (plotArea.getBottomIsDefault() && plotRect.y + plotRect.height + V.major > bottom)
        plotRect.height -= plotRect.y + plotRect.height + V.major - bottom;
    if (plotArea.getTopIsDefault() && V.minor > plotRect.y - total.y) {
        int d = V.minor - (plotRect.y - total.y);
        plotRect.y += d;
        plotRect.height -= d;
    }
}

void NxChartArea::layoutAxes(const std::vector<NxAxisPtr>& list) {
    plotRect.width = std::max(0, plotRect.width);
    plotRect.height = std::max(0, plotRect.height);
    // Plots and areas are flat; solid charts keep their front face clear of the back face.
    int fx = draw3D ? std::abs(deltaX) : 0, fy = draw3D ? std::abs(deltaY) : 0;
    int x = plotRect.x, y = plotRect.y + (draw3D && deltaY < 0 ? fy : 0);
    int w = std::max(0, plotRect.width - fx), h = std::max(0, plotRect.height - fy);
    for (auto& a : list) {
        // Every axis is as thick as its line, ticks and labels (origin-placed ones too).
        int thick = labelThickness(*a);
        if (a->getIsVertical())
            a->reshape(a->getLeft(), a->getTop(), thick, a->getHeight());
        else
            a->reshape(a->getLeft(), a->getTop(), a->getWidth(), thick);
        const EdgeAxis* edge = nullptr;
        for (auto& e : edgeAxes)
            if (e.axis == a) edge = &e;
        if (a->getIsVertical()) {
            int ax = a->getLeft();
            if (edge) ax = edge->side == WEST ? x - edge->offset - a->getWidth() : x + plotRect.width + edge->offset;
            a->reshape(ax, y, a->getWidth(), h);
        } else {
            int ay = a->getTop();
            if (edge) ay = edge->side == NORTH ? y - edge->offset - a->getHeight() : y + h + edge->offset;
            a->reshape(x, ay, w, a->getHeight());
        }
        a->calcTransformation();
    }
}

void NxChartArea::layoutOrigins(const std::vector<NxAxisPtr>& list) {
    for (auto& a : list) {
        int p = placementOf(*a);
        if (p != NxAxis::ORIGIN && p != NxAxis::VALUE_ANCHORED) continue;
        NxAxisPtr other = a->getPlacementAxis();
        if (!other) other = a->getOtherAxis();
        if (!other) other = a->getIsVertical() ? xaxes.front() : yaxes.front();
        double loc = p == NxAxis::ORIGIN ? other->getOrigin() : a->getPlacementLocation();
        int pixel = other->toPixel(loc);
        int side = a->getAnnotationAnchor();
        if (a->getIsVertical())
            a->reshape(side == WEST ? pixel - a->getWidth() : pixel, a->getTop(), a->getWidth(), a->getHeight());
        else
            a->reshape(a->getLeft(), side == NORTH ? pixel - a->getHeight() : pixel, a->getWidth(), a->getHeight());
        a->calcTransformation();
    }
}

bool NxChartArea::adjustForOrthoExtents(const std::vector<NxAxisPtr>& list) {
    bool changedRect = false;
    for (auto& a : list) {
        int p = placementOf(*a);
        if (!a->getIsShowing() || (p != NxAxis::ORIGIN && p != NxAxis::VALUE_ANCHORED)) continue;
        int ortho = std::max(a->getExtents().ortho, labelThickness(*a));
        switch (a->getAnnotationAnchor()) {
            case WEST: {
                int line = a->getLeft() + a->getWidth(), over = total.x - (line - ortho);
                if (over > 0 && plotArea.getLeftIsDefault()) plotRect.x += over, plotRect.width -= over, changedRect = true;
                break;
            }
            case EAST: {
                int over = a->getLeft() + ortho - (total.x + total.width);
                if (over > 0 && plotArea.getRightIsDefault()) plotRect.width -= over, changedRect = true;
                break;
            }
            case NORTH: {
                int line = a->getTop() + a->getHeight(), over = total.y - (line - ortho);
                if (over > 0 && plotArea.getTopIsDefault()) plotRect.y += over, plotRect.height -= over, changedRect = true;
                break;
            }
            default: {
                int over = a->getTop() + ortho - (total.y + total.height);
                if (over > 0 && plotArea.getBottomIsDefault()) plotRect.height -= over, changedRect = true;
                break;
            }
        }
    }
    return changedRect;
}

void NxChartArea::layoutChartArea() {
    resetPlotArea();
    plotRect = {plotArea.getLeft(), plotArea.getTop(), std::max(0, plotArea.getRight() - plotArea.getLeft()),
                std::max(0, plotArea.getBottom() - plotArea.getTop())};
    total = plotRect;
    std::vector<NxAxisPtr> horiz, vert, all;
    getHorizVertAxes(horiz, vert);
    all = horiz;
    all.insert(all.end(), vert.begin(), vert.end());
    edgeAxes.clear();
    prepareAnnotations(all, total);
    adjustPlotRectForAxes(xaxes);
    adjustPlotRectForAxes(yaxes);
    layoutAxes(all);
    adjustForExtents(horiz, vert);
    layoutAxes(all);
    layoutOrigins(all);
    for (int i = 0; i < 2 && adjustForOrthoExtents(all); ++i) {
        layoutAxes(all);
        layoutOrigins(all);
    }
    if (!(fastAction && inAction)) {
        for (auto& a : all) {
            a->layoutAnnotations();
            a->checkAnnotations();
            a->calcAnnotationExtents();
        }
    }
    if (plotArea.top.isDefault) plotArea.top.value = plotRect.y;
    if (plotArea.left.isDefault) plotArea.left.value = plotRect.x;
    if (plotArea.bottom.isDefault) plotArea.bottom.value = plotRect.y + plotRect.height;
    if (plotArea.right.isDefault) plotArea.right.value = plotRect.x + plotRect.width;
}

// ---- painting ----

host::Color NxChartArea::axisColor(const NxAxis& a) const {
    if (a.getForeground()) return *a.getForeground();
    if (plotArea.getForeground()) return *plotArea.getForeground();
    return getForeground().value_or(host::Color::black);
}

void NxChartArea::paintComponent(host::Graphics& g) {
    if (!isShowing_ || !axisDrawOkay) return;
    ChartOverlay over = getOverlay();
    host::Point o = getDrawingOrigin();
    auto base = g.create();
    base->translate(o.x, o.y);
    std::vector<NxAxisPtr> all = xaxes;
    all.insert(all.end(), yaxes.begin(), yaxes.end());
    {
        auto back = base->create();
        back->clipRect(plotRect.x - 3, plotRect.y - 3, plotRect.width + 7, plotRect.height + 7);
        drawBackplane(*back);
        back->dispose();
    }
    {
        auto plot = base->create();
        plot->clipRect(plotRect.x, plotRect.y, plotRect.width + 1, plotRect.height + 1);
        preDrawGrids(*plot, xaxes);
        preDrawGrids(*plot, yaxes);
        std::vector<std::pair<int, ChartDraw*>> order;
        for (auto& [v, d] : drawables) order.emplace_back(v->getDrawingOrder(), d.get());
        std::stable_sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first < b.first; });
        for (auto& [n, d] : order) d->draw(*plot);
        over.drawMarkers(*plot, plotRect);
        plot->dispose();
    }
    drawAxes(*base, all);
    drawAxisAnnotationsAndTitle(*base, all);
    over.drawConnectors(*base);
    base->dispose();
    // The paint covered the feedback: drawn once more it shows again, and the next
    // move's exclusive-or erases it as usual.
    std::lock_guard lock(feedbackMutex);
    drawFeedback(g, feedback);
}

void NxChartArea::drawFeedback(host::Graphics& g, const ChartFeedback& f) {
    if (f.empty()) return;
    g.setColor(host::Color::black);
    g.setXORMode(host::Color::white);
    for (auto& r : f.rects) g.drawRect(r.x, r.y, r.width, r.height);
    for (auto& [a, b] : f.lines) g.drawLine(a.x, a.y, b.x, b.y);
    g.setPaintMode();
}

void NxChartArea::setFeedback(ChartFeedback f) {
    // The graphics first: getting it may take the tree's locks, never wanted under feedbackMutex.
    auto g = getGraphics();
    std::lock_guard lock(feedbackMutex);
    if (f == feedback) {
        if (g) g->dispose();
        return;
    }
    if (g) {
        drawFeedback(*g, feedback);
        drawFeedback(*g, f);
        g->dispose();
    }
    feedback = std::move(f);
}

ChartFeedback NxChartArea::getFeedback() const {
    std::lock_guard lock(feedbackMutex);
    return feedback;
}

void NxChartArea::drawBackplane(host::Graphics& g) {
    if (auto bg = plotArea.getBackground()) {
        g.setColor(*bg);
        g.fillRect(plotRect.x, plotRect.y, plotRect.width + 1, plotRect.height + 1);
    }
}

void NxChartArea::preDrawGrids(host::Graphics& g, const std::vector<NxAxisPtr>& list) {
    for (auto& a : list)
        if (a->getGridIsShowing()) drawGrid(g, *a);
}

namespace {
// Values from the first multiple of inc (counted from origin) at or above lo up to hi.
template <class F>
void forEachStep(double lo, double hi, double origin, double inc, int maxCount, F&& f) {
    if (!(inc > 0) || !std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return;
    if ((hi - lo) / inc > maxCount) return;
    double k0 = std::ceil((lo - origin) / inc - 1e-9);
    for (int k = 0;; ++k) {
        double v = origin + (k0 + k) * inc;
        if (v > hi + inc * 1e-9) break;
        f(v);
    }
}

template <class F>
void forEachDecade(const NxAxis& a, F&& f) {
    if (!(a.getMin() > 0) || !(a.getMax() > 0)) return;
    int e0 = int(std::ceil(std::log10(a.getMin()) - 1e-9)), e1 = int(std::floor(std::log10(a.getMax()) + 1e-9));
    int step = std::max(1, a.getLogIncrement());
    for (int e = e0; e <= e1 && e - e0 < 700; e += step) f(std::pow(10.0, e));
}
}  // namespace

void NxChartArea::drawGrid(host::Graphics& g, NxAxis& a) {
    const NxLineStyle& style = a.getGridStyle();
    auto line = [&](double v) {
        int p = a.toPixel(v);
        if (a.getIsVertical())
            style.draw(g, plotRect.x, p, plotRect.x + plotRect.width, p);
        else
            style.draw(g, p, plotRect.y, p, plotRect.y + plotRect.height);
    };
    if (a.getIsLogarithmic()) return forEachDecade(a, line);
    if (a.getAnnotationMethod() == NxAxis::TIME_LABELS && a.getGridSpacingIsDefault()) {
        // Dates fall at uneven steps: the grid follows the shown labels.
        for (auto& l : a.getAnnotations())
            if (l->getIsVisible()) line(l->getValue());
        return;
    }
    double inc = a.getGridSpacing() > 0 ? a.getGridSpacing() : a.getNumSpacing();
    forEachStep(a.getMin(), a.getMax(), a.getOrigin(), inc, std::max(1, a.pixelLength()), line);
}

void NxChartArea::drawAxes(host::Graphics& g, const std::vector<NxAxisPtr>& list) {
    for (auto& a : list)
        if (a->getIsShowing()) drawAxisLine(g, *a);
    if (axisBoundingBox) {
        g.setColor(getForeground().value_or(host::Color::black));
        g.drawRect(plotRect.x, plotRect.y, plotRect.width, plotRect.height);
    }
}

void NxChartArea::drawAxisLine(host::Graphics& g, NxAxis& a) {
    g.setColor(axisColor(a));
    int anchor = a.getAnnotationAnchor();
    int half = a.getTickLength() / 2;
    int line;
    if (a.getIsVertical()) {
        line = anchor == WEST ? a.getLeft() + a.getWidth() : a.getLeft();
        g.drawLine(line, a.getTop(), line, a.getTop() + a.getHeight());
    } else {
        line = anchor == NORTH ? a.getTop() + a.getHeight() : a.getTop();
        g.drawLine(a.getLeft(), line, a.getLeft() + a.getWidth(), line);
    }
    auto tick = [&](double v) {
        int p = a.toPixel(v);
        if (a.getIsVertical())
            g.drawLine(line - half, p, line + half, p);
        else
            g.drawLine(p, line - half, p, line + half);
    };
    if (a.getIsLogarithmic()) return forEachDecade(a, tick);
    double inc = a.getTickSpacing() > 0 ? a.getTickSpacing() : a.getNumSpacing();
    forEachStep(a.getMin(), a.getMax(), a.getOrigin(), inc, std::max(1, a.pixelLength()), tick);
}

void NxChartArea::drawAxisAnnotationsAndTitle(host::Graphics& g, const std::vector<NxAxisPtr>& list) {
    host::Font f = getFont();
    for (auto& a : list) {
        g.setFont(a->getFont().value_or(f));
        g.setColor(axisColor(*a));
        a->drawAnnotationsAndTitle(g);
    }
}

}  // namespace norvex::chart
