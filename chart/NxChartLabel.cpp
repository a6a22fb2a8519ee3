#include "chart/NxChartLabel.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chart/area/NxChartArea.h"
#include "chart/model/ChartDataViewSeries.h"
#include "chart/model/NxAxis.h"

namespace norvex::chart {

NxChartLabel::NxChartLabel() : NxChartLabel("", false) {}

NxChartLabel::NxChartLabel(const std::string& text, bool richText) {
    // Unlike titles, a new label is showing.
    setText(text, richText);
    setIsShowing(true);
}

void NxChartLabel::setAnchor(int a) {
    if (a < NORTHEAST || a > AUTO)
        throw std::invalid_argument(
            "Invalid Anchor value in NxChartLabel.  Should be one of NORTH, SOUTH, EAST, WEST, NORTHEAST, SOUTHEAST, "
            "NORTHWEST, SOUTHWEST, CENTER or AUTO.");
    {
        host::Lock lock(mutex());
        if (a == anchor) return;
        anchor = a;
    }
    moved();
}

void NxChartLabel::setAttachMethod(int m) {
    if (m < ATTACH_NONE || m > ATTACH_DATAINDEX)
        throw std::invalid_argument(
            "Invalid AttachMethod in NxChartLabel. Should be one of ATTACH_NONE, ATTACH_COORD, ATTACH_DATACOORD, "
            "ATTACH_DATAINDEX.");
    {
        host::Lock lock(mutex());
        if (m == attachMethod) return;
        attachMethod = m;
    }
    moved();
}

void NxChartLabel::setCoord(host::Point p) {
    {
        host::Lock lock(mutex());
        attachX = p.x;
        attachY = p.y;
    }
    moved();
}

void NxChartLabel::setDataCoord(NxDataCoord c) {
    {
        host::Lock lock(mutex());
        dataAttachX = c.x;
        dataAttachY = c.y;
    }
    moved();
}

void NxChartLabel::setDataIndex(const NxDataIndex& di) {
    {
        host::Lock lock(mutex());
        attachDataIndex = di;
    }
    moved();
}

void NxChartLabel::setDataIndex(int series, int point) {
    auto v = resolvedView();
    NxDataIndex di;
    di.dataView = v;
    di.series = v ? v->getSeries(series) : nullptr;
    di.point = point;
    di.distance = 0;
    setDataIndex(di);
}

void NxChartLabel::setDataView(std::shared_ptr<ChartDataView> v) {
    {
        host::Lock lock(mutex());
        if (v == dataView) return;
        dataView = std::move(v);
    }
    moved();
}

void NxChartLabel::setOffset(host::Point p) {
    {
        host::Lock lock(mutex());
        offsetX = p.x;
        offsetY = p.y;
    }
    moved();
}

void NxChartLabel::setIsDwellLabel(bool b) {
    {
        host::Lock lock(mutex());
        if (b == isDwellLabel) return;
        isDwellLabel = b;
    }
    NxChart* c = getChart();
    if (b) {
        if (c) c->addToDwellLabels(this);
        setVisible(false);
    } else {
        if (c) c->removeFromDwellLabels(this);
        setVisible(true);
    }
    moved();
}

void NxChartLabel::setDwellDelay(int ms) {
    host::Lock lock(mutex());
    dwellDelay = ms;
}

void NxChartLabel::setIsConnected(bool b) {
    {
        host::Lock lock(mutex());
        if (b == isConnected) return;
        isConnected = b;
    }
    moved();
}

NxChart* NxChartLabel::getChart() const { return dynamic_cast<NxChart*>(getParent()); }

std::shared_ptr<ChartDataView> NxChartLabel::resolvedView() const {
    if (dataView) return dataView;
    if (attachDataIndex.dataView) return attachDataIndex.dataView;
    NxChart* c = getChart();
    return c ? c->getDataView(0) : nullptr;
}

std::optional<host::Point> NxChartLabel::attachPoint() const {
    switch (attachMethod) {
        case ATTACH_COORD: return host::Point{attachX, attachY};
        case ATTACH_NONE: return std::nullopt;
        default: break;
    }
    NxChart* c = getChart();
    auto view = resolvedView();
    if (!c || !view) return std::nullopt;
    NxChartArea& area = c->getChartAreaRegion();
    host::Point o = area.getPlotOrigin();
    std::optional<host::Point> p;
    if (attachMethod == ATTACH_DATACOORD) {
        if (!view->getXAxis() || !view->getYAxis() || !std::isfinite(dataAttachX) || !std::isfinite(dataAttachY))
            return std::nullopt;
        p = view->unmap(dataAttachX, dataAttachY);
    } else {
        const NxDataIndex& di = attachDataIndex;
        if (!di.series || di.point < 0) return std::nullopt;
        int s = view->getSeriesIndex(di.series.get());
        if (s < 0) return std::nullopt;
        p = c->unpick(view, s, di.point);
    }
    if (!p) return std::nullopt;
    // A point outside the plot is not drawn, and neither is its label.
    const host::Rectangle& plot = area.getPlotRect();
    int x = p->x - o.x, y = p->y - o.y;
    if (x < plot.x || x > plot.x + plot.width || y < plot.y || y > plot.y + plot.height) return std::nullopt;
    return p;
}

host::Point NxChartLabel::anchoredOrigin(host::Point p, host::Dimension size, int anchor, host::Point offset) {
    int hw = size.width / 2, hh = size.height / 2;
    int x = p.x - hw, y = p.y - hh;
    if (anchor == NORTHEAST || anchor == EAST || anchor == SOUTHEAST) x += hw;
    if (anchor == NORTHWEST || anchor == WEST || anchor == SOUTHWEST) x -= hw;
    if (anchor == NORTHEAST || anchor == NORTH || anchor == NORTHWEST) y -= hh;
    if (anchor == SOUTHEAST || anchor == SOUTH || anchor == SOUTHWEST) y += hh;
    return {x + offset.x, y + offset.y};
}

void NxChartLabel::moved() {
    setChanged(true);
    if (getChart()) recalc();
}

void NxChartLabel::recalc() {
    changed = true;
    NxTitle::recalc();
    host::Dimension d = prefSize;
    if (!resolvedView() && attachMethod != ATTACH_COORD) {
        lastAttach.reset();
        reshape(getX(), getY(), d.width, d.height);
        return;
    }
    if (attachMethod == ATTACH_NONE) {
        lastAttach.reset();
        reshape(getX(), getY(), d.width, d.height);
        return;
    }
    lastAttach = attachPoint();
    if (!lastAttach) {
        reshape(OFF_X, getY(), d.width, d.height);
        return;
    }
    host::Point q = anchoredOrigin(*lastAttach, d, anchor, {offsetX, offsetY});
    reshape(q.x, q.y, d.width, d.height);
}

bool NxChartLabel::matchesPick(const std::optional<NxDataIndex>& pick) const {
    if (attachMethod != ATTACH_DATAINDEX || !pick || !pick->isValid()) return false;
    const NxDataIndex& di = attachDataIndex;
    return pick->series == di.series && pick->point == di.point &&
           (!di.dataView || pick->dataView == di.dataView);
}

bool NxChartLabel::shouldPopupHere(int x, int y) const {
    if (attachMethod != ATTACH_DATAINDEX) return false;
    NxChart* c = getChart();
    if (!c) return false;
    return matchesPick(c->pick({x, y}, resolvedView()));
}

void NxChartLabel::changeChart(const NxChartEvent&) { recalc(); }

std::optional<std::pair<host::Point, host::Point>> NxChartLabel::connectorLine() const {
    if (!isConnected || !lastAttach || !isVisible() || !isShowing_ || getX() == OFF_X) return std::nullopt;
    host::Point p = *lastAttach;
    int x0 = getX(), y0 = getY(), x1 = x0 + getWidth() - 1, y1 = y0 + getHeight() - 1;
    if (x1 < x0 || y1 < y0) return std::nullopt;
    host::Point q{std::clamp(p.x, x0, x1), std::clamp(p.y, y0, y1)};
    if (q == p) return std::nullopt;
    return std::pair{p, q};
}

}  // namespace norvex::chart
