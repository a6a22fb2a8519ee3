#include "chart/NxLegend.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "chart/area/NxChartArea.h"
#include "chart/draw/ChartDraw.h"
#include "chart/model/ChartDataView.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Graphics.h"
#include "host/graphics/Image.h"
#include "util/NxString.h"

namespace norvex::chart {

namespace {
bool validAnchor(int a) {
    switch (a) {
        case NxLegend::EAST:
        case NxLegend::WEST:
        case NxLegend::NORTH:
        case NxLegend::SOUTH:
        case NxLegend::NORTHEAST:
        case NxLegend::NORTHWEST:
        case NxLegend::SOUTHEAST:
        case NxLegend::SOUTHWEST: return true;
        default: return false;
    }
}

int sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

// Left (or top) edges of consecutive cells, starting at start, with gap after each
// cell whose flag is set.
std::vector<int> edges(const std::vector<int>& sizes, int start, int gap) {
    std::vector<int> out(sizes.size());
    int at = start;
    for (size_t i = 0; i < sizes.size(); ++i) {
        out[i] = at;
        at += sizes[i] + gap;
    }
    return out;
}

// The cell index whose [edge, edge + size) holds p, or -1.
int find(const std::vector<int>& edge, const std::vector<int>& size, int p) {
    for (size_t i = 0; i < edge.size(); ++i)
        if (p >= edge[i] && p < edge[i] + size[i]) return int(i);
    return -1;
}
}  // namespace

NxLegend::NxLegend() {
    isShowing_ = false;
    setVisible(false);
}

void NxLegend::setAnchor(int a) {
    if (!validAnchor(a))
        throw std::invalid_argument(
            "Invalid Anchor value in NxLegend.  Should be one of NORTH, SOUTH, EAST, WEST, NORTHEAST, SOUTHEAST, "
            "NORTHWEST or SOUTHWEST");
    {
        host::Lock lock(mutex());
        if (a == anchor) return;
        anchor = a;
    }
    setChanged(true);
}

void NxLegend::setOrientation(int o) {
    if (o != HORIZONTAL && o != VERTICAL)
        throw std::invalid_argument("Invalid value for Orientation in NxLegend.  Should be one of VERTICAL or HORIZONTAL");
    {
        host::Lock lock(mutex());
        if (o == orientation) return;
        orientation = o;
    }
    setChanged(true);
}

void NxLegend::setIsShowing(bool b) {
    if (b != isVisible()) setVisible(b);
    ChartCanvas::setIsShowing(b);
}

std::vector<std::shared_ptr<ChartDataView>> NxLegend::views() const {
    std::vector<std::shared_ptr<ChartDataView>> out;
    if (!chart) return out;
    for (int i = 0; i < chart->getNumData(); ++i)
        if (auto v = chart->getDataView(i)) out.push_back(v);
    return out;
}

bool NxLegend::getChanged() const {
    if (changed) return true;
    for (auto& v : views())
        if (v->isChanged()) return true;
    return false;
}

std::pair<int, int> NxLegend::cellOf(int v, int k) const {
    return orientation == VERTICAL ? std::pair{v, k} : std::pair{k, v};
}

void NxLegend::recalc() {
    if (!getChanged()) return;
    if (!isShowing_) {
        changed = false;
        return;
    }
    host::Font font = getFont();
    host::FontMetrics fm = host::FontMetrics::get(font);
    symbolSize = fm.getAscent();
    descent = fm.getDescent();
    const int H = fm.getHeight();

    measuredViews = views();
    labelSizes.assign(measuredViews.size(), {});
    size_t entries = 0;
    auto measure = [&](Entry& e, const std::string& text) {
        e.label = util::NxString::parse(this, text);
        host::Dimension d = e.label ? e.label->getSize(this, font) : host::Dimension{0, H};
        e.text = {d.width + smallGap, std::max(d.height, H)};
    };
    for (size_t v = 0; v < measuredViews.size(); ++v) {
        ChartDataView& view = *measuredViews[v];
        view.calcTransientData();
        auto series = view.getSeries();
        if (series.empty()) continue;
        auto& row = labelSizes[v];
        row.resize(series.size() + 1);
        if (view.getIsShowingInLegend() && !view.getName().empty()) {
            row[0].present = true;
            measure(row[0], view.getName());
        }
        for (size_t s = 0; s < series.size(); ++s) {
            const auto& ser = *series[s];
            if (!ser.getIsShowing() || !ser.getIsShowingInLegend()) continue;
            Entry& e = row[s + 1];
            e.present = true;
            e.series = int(s);
            measure(e, ser.getLabel().empty() ? ser.getName() : ser.getLabel());
            e.symbol = {symbolSize + smallGap, symbolSize};
            const auto& st = ser.getStyle();
            if (view.getChartType() == ChartDataView::BAR && st && st->getFillStyle() && st->getFillStyle()->getImage()) {
                const auto& img = st->getFillStyle()->getImage();
                if (img->getWidth() > 0 && img->getHeight() > 0)
                    e.symbol = {img->getWidth() + smallGap, img->getHeight()};
            }
        }
        entries = std::max(entries, row.size());
    }

    // The grid: views are columns (VERTICAL) or rows (HORIZONTAL); entry k is row k or column k.
    size_t nv = measuredViews.size();
    size_t cols = orientation == VERTICAL ? nv : entries, rows = orientation == VERTICAL ? entries : nv;
    colWidths.assign(cols, 0);
    rowHeights.assign(rows, 0);
    symWidths.assign(cols, 0);
    strWidths.assign(cols, 0);
    for (size_t v = 0; v < nv; ++v)
        for (size_t k = 0; k < labelSizes[v].size(); ++k) {
            const Entry& e = labelSizes[v][k];
            if (!e.present) continue;
            auto [c, r] = cellOf(int(v), int(k));
            rowHeights[size_t(r)] = std::max({rowHeights[size_t(r)], e.symbol.height, e.text.height});
            symWidths[size_t(c)] = std::max(symWidths[size_t(c)], e.symbol.width);
            strWidths[size_t(c)] = std::max(strWidths[size_t(c)], e.text.width);
        }
    for (size_t c = 0; c < cols; ++c) colWidths[c] = std::max(colWidths[c], symWidths[c] + strWidths[c]);
    // The gap between views runs between columns (VERTICAL) or rows (HORIZONTAL).
    colX = edges(colWidths, smallGap, orientation == VERTICAL ? betweenGap : 0);
    rowY = edges(rowHeights, smallGap, orientation == HORIZONTAL ? betweenGap : 0);

    int t = shadow + highlight;
    host::Insets in = insets();
    int gaps = nv > 1 ? int(nv - 1) * betweenGap : 0;
    int w = in.left + in.right + 2 * t + smallGap + sum(colWidths) + (orientation == VERTICAL ? gaps : 0);
    int h = in.top + in.bottom + 2 * t + smallGap + sum(rowHeights) + (orientation == HORIZONTAL ? gaps : 0);
    prefSize = {cc_width.isDefault ? w : cc_width.value, cc_height.isDefault ? h : cc_height.value};
    needsRepaint = true;
    changed = false;
}

host::Dimension NxLegend::preferredSize() {
    if (!isShowing_) return {0, 0};
    recalc();
    return prefSize;
}

void NxLegend::drawSymbol(host::Graphics& g, const ChartDataView& view, const ChartDataViewSeries& s, int x,
                          int cy) const {
    const auto& st = s.getStyle();
    if (!st) return;
    const NxLineStyle* line = st->getLineStyle().get();
    const NxSymbolStyle* symbol = st->getSymbolStyle().get();
    const NxFillStyle* fill = st->getFillStyle().get();
    auto drawLine = [&] {
        if (line && line->getPattern() != NxLineStyle::NONE) line->draw(g, x, cy, x + symbolSize, cy);
    };
    auto drawMark = [&] {
        if (symbol && symbol->getShape() != NxSymbolStyle::NONE)
            symbol->draw(g, x + symbolSize / 2, cy, std::min(symbol->getSize(), symbolSize));
    };
    auto drawBox = [&] {
        if (!fill) return;
        host::OptColor fg;
        if (auto* area = dynamic_cast<NxChartArea*>(chart ? chart->getChartArea() : nullptr))
            fg = area->getPlotArea().getForeground() ? area->getPlotArea().getForeground() : area->getForeground();
        int side = symbolSize - 1;
        fill->fillOutlineRect(g, x, cy - side / 2, side, side, ChartDraw::outlineColor(*fill, fg));
    };
    switch (view.getChartType()) {
        case ChartDataView::PLOT:
            drawLine();
            drawMark();
            break;
        case ChartDataView::SCATTER_PLOT: drawMark(); break;
        case ChartDataView::AREA:
        case ChartDataView::STACKING_BAR:
        case ChartDataView::PIE: drawBox(); break;
        case ChartDataView::BAR:
            if (fill && fill->getImage() && fill->getImage()->getWidth() > 0) {
                const auto& img = fill->getImage();
                g.drawImage(img, x, cy - img->getHeight() / 2);
            } else {
                drawBox();
            }
            break;
        default: drawLine(); break;
    }
}

void NxLegend::paintComponent(host::Graphics& g) {
    if (!chart || !isShowing_) return;
    host::Rectangle area = getDrawingArea();
    host::Font font = getFont();
    host::FontMetrics fm = host::FontMetrics::get(font);
    host::Color fg = getForeground().value_or(host::Color::black);
    auto inner = g.create();
    inner->translate(area.x, area.y);
    inner->setFont(font);
    for (size_t v = 0; v < labelSizes.size() && v < measuredViews.size(); ++v) {
        const ChartDataView& view = *measuredViews[v];
        for (size_t k = 0; k < labelSizes[v].size(); ++k) {
            const Entry& e = labelSizes[v][k];
            if (!e.present) continue;
            auto [c, r] = cellOf(int(v), int(k));
            int x = colX[size_t(c)], y = rowY[size_t(r)], rh = rowHeights[size_t(r)];
            // Text centred in the row; the symbol centred on the text's capital height.
            int textTop = y + (rh - e.text.height) / 2;
            int cy = textTop + (fm.getAscent() + 1) / 2 + (e.text.height - fm.getHeight()) / 2;
            if (e.series >= 0 && e.series < view.getNumSeries()) drawSymbol(*inner, view, *view.getSeries(e.series), x, cy);
            inner->setColor(fg);
            int tx = x + symWidths[size_t(c)];
            if (e.label) e.label->draw(this, *inner, {tx, textTop, e.text.width, e.text.height}, 0);
        }
    }
    inner->dispose();
}

std::optional<NxDataIndex> NxLegend::pick(host::Point p, const std::shared_ptr<ChartDataView>& view) {
    host::Rectangle area = getDrawingArea();
    int px = p.x - area.x, py = p.y - area.y;
    int c = find(colX, colWidths, px), r = find(rowY, rowHeights, py);
    if (c < 0 || r < 0) return std::nullopt;
    int v = orientation == VERTICAL ? c : r, k = orientation == VERTICAL ? r : c;
    if (v >= int(measuredViews.size())) return std::nullopt;
    // A cell another view's entry sized, with nothing of this view in it.
    if (k >= int(labelSizes[size_t(v)].size()) || !labelSizes[size_t(v)][size_t(k)].present) return std::nullopt;
    NxDataIndex di;
    if (auto self = weak_from_this().lock()) di.object = host::Value(self);
    const auto& hit = measuredViews[size_t(v)];
    if (view && view != hit) return di;
    di.dataView = hit;
    if (k >= 1) {
        if (k - 1 < hit->getNumSeries()) {
            di.series = hit->getSeries(k - 1);
            di.seriesIndex = k - 1;
        } else {
            di.seriesIndex = OTHER_SLICE;
        }
    }
    return di;
}

}  // namespace norvex::chart
