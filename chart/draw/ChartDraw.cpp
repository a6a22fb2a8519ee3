#include "chart/draw/ChartDraw.h"

#include <stdexcept>

#include "chart/draw/AreaChartDraw.h"
#include "chart/draw/BarChartDraw.h"
#include "chart/draw/PieChartDraw.h"
#include "chart/draw/PlotChartDraw.h"
#include "chart/model/ChartDataView.h"
#include "chart/style/NxChartStyle.h"

namespace norvex::chart {

ChartFeedback ChartFeedback::translated(int dx, int dy) const {
    ChartFeedback out = *this;
    for (auto& r : out.rects) r.x += dx, r.y += dy;
    for (auto& [a, b] : out.lines) a.x += dx, a.y += dy, b.x += dx, b.y += dy;
    return out;
}

ChartDraw::ChartDraw(std::shared_ptr<ChartDataView> view) : data(std::move(view)) {
    chartType = data ? data->getChartType() : -1;
    changed = true;
}

std::shared_ptr<ChartDraw> ChartDraw::makeDrawObject(const std::shared_ptr<ChartDataView>& view) {
    int type = view ? view->getChartType() : -1;
    switch (type) {
        case ChartDataView::PLOT:
        case ChartDataView::SCATTER_PLOT: return std::make_shared<PlotChartDraw>(view);
        // Types whose drawers come later draw nothing and pick nothing.
        case ChartDataView::POLAR:
        case ChartDataView::RADAR:
        case ChartDataView::FILLED_RADAR:
        case ChartDataView::HILO:
        case ChartDataView::CANDLE:
        case ChartDataView::BAR: return std::make_shared<BarChartDraw>(view);
        case ChartDataView::STACKING_BAR: return std::make_shared<SBarChartDraw>(view);
        case ChartDataView::AREA: return std::make_shared<AreaChartDraw>(view);
        case ChartDataView::PIE: return std::make_shared<PieChartDraw>(view);
        default: throw std::invalid_argument("Illegal chart type specified in ChartDraw");
    }
}

host::Color ChartDraw::outlineColor(const NxFillStyle& fill, const host::OptColor& fg) {
    host::Color c = fg.value_or(host::Color::black);
    return c == fill.getColor() ? fill.calcOutlineColor() : c;
}

void ChartDraw::recalc() {
    numShowing = 0;
    if (!data) return;
    for (const auto& s : data->getSeries())
        if (s->getIsShowing()) ++numShowing;
}

void ChartDraw::setChanged(bool b) {
    changed = b;
    if (!b && data) data->setChanged(false, false);
}

void ChartDraw::setChanged(bool b, bool updateParent) {
    if (updateParent) return setChanged(b);
    changed = b;
    if (!b && data) data->setChanged(false, false);
}

}  // namespace norvex::chart
