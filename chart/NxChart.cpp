#include "chart/NxChart.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chart/ChartConverter.h"
#include "chart/ChartDwell.h"
#include "chart/NxChartLabel.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Graphics.h"
#include "host/graphics/Image.h"
#include "util/NxRectNode.h"
#include "util/NxRectUtil.h"

namespace norvex::chart {

namespace {
constexpr double kSpacing = 0.75;
// Nearest integer, halves to even.
int N(double v) { return int(std::nearbyint(v)); }
int fontHeight(const host::Font& f) { return host::FontMetrics::get(f).getHeight(); }
}  // namespace

NxChart::NxChart() : NxChart(PLOT) {}

NxChart::NxChart(int type) : NxContainer(nullptr, "") { init(type); }

NxChart::NxChart(host::Applet* applet, const std::string& name) : NxContainer(applet, name) { init(PLOT); }

NxChart::~NxChart() {
    // The dwell timer's worker takes the tree lock: it ends first, with no lock held.
    dwell.reset();
    for (auto& l : getChartLabels()) l->setParentChart(nullptr);
    for (auto& v : data) v->setParent(nullptr);
    for (auto* c : regions()) {
        c->setParentChart(nullptr);
        c->removeMouseListener(this);
        c->removeMouseMotionListener(this);
        c->removeKeyListener(this);
    }
}

void NxChart::init(int type) {
    setLayout(nullptr);
    firstType = type;
    header = std::make_shared<NxTitle>();
    chartArea = std::make_shared<NxChartArea>();
    footer = std::make_shared<NxTitle>();
    legend = std::make_shared<NxLegend>();
    header->setName("header");
    footer->setName("footer");
    chartArea->setName("chartArea");
    legend->setName("legend");
    for (auto* c : regions()) {
        c->setParentChart(this);
        // The chart turns the regions' input into its interactions and hyperlinks.
        c->addMouseListener(this);
        c->addMouseMotionListener(this);
        c->addKeyListener(this);
    }
    add(header);
    add(chartArea);
    add(footer);
    add(legend);
    NxChartStyle::resetDefaults();
    inRecalc = true;  // building the first view changes nothing anyone has seen
    addDataView(0)->setChartType(type);
    inRecalc = false;
    enableEvents(host::AWTEvent::MOUSE_EVENT_MASK);
}

void NxChart::initialize() { NxContainer::initialize(); }

std::vector<ChartCanvas*> NxChart::regions() const {
    return {header.get(), chartArea.get(), footer.get(), legend.get()};
}

void NxChart::getParameters() {
    NxContainer::getParameters();
    if (&classInfo() == &NxChart::staticClass()) ChartConverter::getParams(*this);
}

// ---- views ----

std::shared_ptr<ChartDataView> NxChart::getDataView(int index) const {
    if (index < 0 || size_t(index) >= data.size()) return nullptr;
    return data[size_t(index)];
}

std::shared_ptr<ChartDataView> NxChart::addDataView(int index) {
    auto v = host::create<ChartDataView>();
    v->setName("View " + std::to_string(data.size() + 1));
    if (!data.empty()) v->setChartType(data.front()->getChartType());
    setDataView(index, v);
    return v;
}

void NxChart::setDataView(int index, std::shared_ptr<ChartDataView> view) {
    host::Lock lock(mutex());
    int n = int(data.size());
    if (index < 0 || index > n) throw std::invalid_argument("Invalid ChartDataView index in NxChart.");
    if (!view) {
        // Null removes the view there (nothing to remove at the end).
        if (index < n) removeDataView(index);
        return;
    }
    if (index < n) {
        if (data[size_t(index)] != view) {
            chartArea->removeDrawable(data[size_t(index)].get());
            data[size_t(index)]->setParent(nullptr);
        }
        data[size_t(index)] = view;
    } else {
        data.push_back(view);
    }
    view->setParent(this);
    reorderDataViews();
    ensureStyles();
    setChanged(true);
}

void NxChart::setDataView(const std::vector<std::shared_ptr<ChartDataView>>& views) {
    host::Lock lock(mutex());
    for (auto& v : data) {
        chartArea->removeDrawable(v.get());
        v->setParent(nullptr);
    }
    data.clear();
    for (auto& v : views)
        if (v) {
            data.push_back(v);
            v->setParent(this);
        }
    reorderDataViews();
    ensureStyles();
    setChanged(true);
}

std::shared_ptr<ChartDataView> NxChart::findDataView(const std::string& name) const {
    for (auto& v : data)
        if (v->getName() == name) return v;
    return nullptr;
}

std::shared_ptr<ChartDataView> NxChart::findData(const NxAxis* axis) const {
    for (auto& v : data)
        if (v->getXAxis().get() == axis || v->getYAxis().get() == axis) return v;
    return nullptr;
}

void NxChart::removeDataView(int index) {
    host::Lock lock(mutex());
    if (index < 0 || size_t(index) >= data.size()) throw std::out_of_range("Invalid ChartDataView index in NxChart.");
    auto v = data[size_t(index)];
    chartArea->removeView(v.get());
    data.erase(data.begin() + index);
    v->setParent(nullptr);
    reorderDataViews();
    setChanged(true);
}

void NxChart::reorderDataViews() {
    for (size_t i = 0; i < data.size(); ++i) {
        bool was = inRecalc.exchange(true);
        data[i]->setDrawingOrder(int(i));
        inRecalc = was;
    }
}

void NxChart::ensureStyles() {
    host::OptColor plotBg = chartArea->getPlotArea().getBackground();
    // Slices of a pie chart keep clear of the other slice's colour instead.
    host::OptColor avoidFill = plotBg;
    if (!data.empty() && data.front()->getChartType() == ChartDataView::PIE) {
        auto& other = data.front()->getPieChartFormat()->getOtherStyle();
        if (other && other->getFillStyle()) avoidFill = other->getFillStyle()->getColor();
    }
    for (auto& v : data)
        for (auto& s : v->getSeries())
            if (!s->getStyle()) s->setStyle(NxChartStyle::makeDefault(plotBg, avoidFill));
}

// ---- change and batching ----

void NxChart::setIsBatched(bool b) {
    host::Lock lock(mutex());
    if (b == isBatched) return;
    isBatched = b;
    if (!b) update();
}

void NxChart::setChanged(bool b) {
    // New series (a view read new data) get their styles at once, so parameters and
    // programs can change them before the first paint.
    if (b) ensureStyles();
    if (b == changed) return;
    changed = b;
    if (!b || inRecalc) return;
    if (isBatched)
        invalidate();
    else
        update();
}

void NxChart::setChanged(bool b, bool updateParent) {
    if (updateParent) return setChanged(b);
    changed = b;
}

bool NxChart::getChanged() const {
    return changed || header->isChanged() || footer->isChanged() || legend->getChanged() || chartArea->isChanged() ||
           chartArea->isDirty();
}

void NxChart::update() {
    ensureStyles();
    if (inRecalc) return;
    invalidate();
    if (!hasPeer()) return;
    if (isBatched) return;
    validate();
    ++updateCount;
    repaint();
}

void NxChart::recalc() {
    // A recalculation never starts another: changes made while it runs are recorded only.
    if (inRecalc || !getChanged()) return;
    // Layout work runs under the component tree's lock, as validation does (taking the
    // chart's own lock here would invert the order its setters take the two in).
    std::lock_guard tree(getTreeLock());
    inRecalc = true;
    ensureStyles();
    header->recalc();
    // The legend measures the views before the chart area's drawers mark them seen.
    legend->recalc();
    chartArea->recalc();
    footer->recalc();
    changed = false;
    inRecalc = false;
}

// ---- layout ----

void NxChart::setMargin(int& field, int v) {
    host::Lock lock(mutex());
    if (field == v) return;
    field = v;
    // The margins decide the regions' bounds: lay out again even when nothing else changed.
    chartArea->setChanged(true);
    setChanged(true);
}

void NxChart::setTopMargin(int v) { setMargin(margins.top, v); }
void NxChart::setLeftMargin(int v) { setMargin(margins.left, v); }
void NxChart::setBottomMargin(int v) { setMargin(margins.bottom, v); }
void NxChart::setRightMargin(int v) { setMargin(margins.right, v); }
void NxChart::setOffset(int v) { setMargin(offset, v); }

void NxChart::setPreferredSize(int w, int h) {
    host::Lock lock(mutex());
    prefSize = {w, h};
}

void NxChart::setDoubleBuffer(bool b) {
    NxContainer::setDoubleBuffer(b);
    for (auto* c : regions()) c->setDoubleBuffer(b);
}

host::Dimension NxChart::titleSize(NxTitle& t) { return t.getIsShowing() ? t.preferredSize() : host::Dimension{0, 0}; }

void NxChart::layout() {
    std::lock_guard tree(getTreeLock());
    recalc();
    // Margins larger than the chart leave an empty working rectangle, never a negative one.
    int W = std::max(0, getWidth() - margins.left - margins.right);
    int H = std::max(0, getHeight() - margins.top - margins.bottom);
    host::Dimension hd = titleSize(*header), fd = titleSize(*footer);
    int hf = header->getIsShowing() ? fontHeight(header->getLabel().getFont().value_or(header->getFont())) : 0;
    int ff = footer->getIsShowing() ? fontHeight(footer->getLabel().getFont().value_or(footer->getFont())) : 0;

    int hx = header->getLeftIsDefault() ? std::clamp((W - hd.width) / 2, 0, std::max(0, W)) : header->getLeft();
    int hy = header->getTopIsDefault() ? std::clamp(N(hf * kSpacing), 0, H) : header->getTop();
    int fx = footer->getLeftIsDefault() ? std::clamp((W - fd.width) / 2, 0, std::max(0, W)) : footer->getLeft();
    int fy = footer->getTopIsDefault() ? std::clamp(H - fd.height - N(ff * kSpacing), 0, H) : footer->getTop();
    host::Dimension ld = legend->getIsShowing() ? legend->preferredSize() : host::Dimension{0, 0};
    host::Point lp = placeLegend(W, H, ld, hf, ff, hd.height, fd.height);

    NxChartArea& area = *chartArea;
    host::Rectangle ar{area.getX() - margins.left, area.getY() - margins.top, area.getWidth(), area.getHeight()};
    if (area.getLeftIsDefault() || area.getTopIsDefault() || area.getWidthIsDefault() || area.getHeightIsDefault()) {
        util::NxRectList rl;
        util::NxRectUtil::rl_init(host::Rectangle{0, 0, W, H}, rl);
        if (legend->getIsShowing() && ld.width > 0 && ld.height > 0)
            util::NxRectUtil::rl_remove(host::Rectangle{lp.x, lp.y, ld.width, ld.height}, rl);
        auto cut = [&](NxTitle& t, int x, int y, const host::Dimension& d) {
            if (!t.getIsShowing() || d.width <= 0 || d.height <= 0) return;
            host::Rectangle r{x, y, d.width, d.height};
            if (t.getLeftIsDefault()) r.x = 0, r.width = W;
            util::NxRectUtil::rl_remove(r, rl);
        };
        cut(*header, hx, hy, hd);
        cut(*footer, fx, fy, fd);
        host::Rectangle r = util::NxRectUtil::largest_rect(rl);
        if (r.width < 0 || r.height < 0) r = {};
        ar = {r.x + r.width / 40, r.y + r.height / 40, r.width - 2 * (r.width / 40), r.height - 2 * (r.height / 40)};
    }
    if (!area.getLeftIsDefault()) {
        if (area.getWidthIsDefault()) ar.width = std::max(0, ar.width - (area.getLeft() - ar.x));
        ar.x = area.getLeft();
    }
    if (!area.getTopIsDefault()) {
        if (area.getHeightIsDefault()) ar.height = std::max(0, ar.height - (area.getTop() - ar.y));
        ar.y = area.getTop();
    }
    if (!area.getWidthIsDefault()) ar.width = area.getWidth2();
    if (!area.getHeightIsDefault()) ar.height = area.getHeight2();
    ar.width = std::max(0, ar.width);
    ar.height = std::max(0, ar.height);
    if (header->getLeftIsDefault()) hx = std::max(0, ar.x + (ar.width - hd.width) / 2);
    if (footer->getLeftIsDefault()) fx = std::max(0, ar.x + (ar.width - fd.width) / 2);

    legend->reshape(lp.x + margins.left, lp.y + margins.top, ld.width, ld.height);
    header->reshape(hx + margins.left, hy + margins.top, hd.width, hd.height);
    bool resized = area.getWidth() != ar.width || area.getHeight() != ar.height;
    area.reshape(ar.x + margins.left, ar.y + margins.top, ar.width, ar.height);
    footer->reshape(fx + margins.left, fy + margins.top, fd.width, fd.height);
    if (resized || area.getChanged() || area.isDirty()) {
        // The plot follows the area's new size.
        inRecalc = true;
        area.setChanged(true);
        inRecalc = false;
        area.recalc();
    }
    updateChartLabels();
}

host::Point NxChart::placeLegend(int W, int H, const host::Dimension& ld, int hf, int ff, int headerHeight,
                                 int footerHeight) {
    int L = legend->getIsShowing() ? fontHeight(legend->getFont()) : 0;
    int a = legend->getAnchor();
    int ns = a & NxLegend::NORTHSOUTH_MASK, ew = a & NxLegend::EASTWEST_MASK;
    int gap = N(L * kSpacing);
    host::Point p{legend->getLeftIsDefault() ? 0 : legend->getLeft() - margins.left,
                  legend->getTopIsDefault() ? 0 : legend->getTop() - margins.top};
    if (legend->getTopIsDefault()) {
        int y;
        if (ns == NxLegend::NORTH)
            y = ew ? gap : N(hf * kSpacing * 2 + L * kSpacing + headerHeight);
        else if (ns == NxLegend::SOUTH)
            y = ew ? H - (gap + ld.height) : H - (gap + N(ff * kSpacing * 2) + ld.height + footerHeight);
        else
            y = (H - ld.height) / 2;
        p.y = std::clamp(y, 0, H);
    }
    if (legend->getLeftIsDefault()) {
        int x;
        if (ew == NxLegend::EAST)
            x = W - gap - ld.width;
        else if (ew == NxLegend::WEST)
            x = gap;
        else
            x = (W - ld.width) / 2;
        p.x = std::clamp(x, 0, W);
    }
    return p;
}

host::Dimension NxChart::preferredSize() {
    recalc();
    if (prefSize.width >= 0 && prefSize.height >= 0) return prefSize;
    host::Dimension d = chartArea->preferredSize();
    for (NxTitle* t : {header.get(), footer.get()})
        if (t->getIsShowing()) {
            host::Dimension td = t->preferredSize();
            d.width = std::max(d.width, td.width);
            d.height += td.height + offset;
        }
    if (legend->getIsShowing()) {
        host::Dimension ld = legend->preferredSize();
        int a = legend->getAnchor();
        bool ns = (a & NxLegend::NORTHSOUTH_MASK) != 0, ew = (a & NxLegend::EASTWEST_MASK) != 0;
        if (ns && ew) {
            d.width += ld.width + offset;
            d.height += ld.height + offset;
        } else if (ns) {
            d.width = std::max(d.width, ld.width);
            d.height += ld.height + offset;
        } else {
            d.width += ld.width + offset;
            d.height = std::max(d.height, ld.height);
        }
    }
    d.width += margins.left + margins.right;
    d.height += margins.top + margins.bottom;
    return d;
}

// ---- picking and listeners ----

std::optional<NxDataIndex> NxChart::pick(host::Point p, const std::shared_ptr<ChartDataView>& view) {
    host::Component* c = getComponentAt(p.x, p.y);
    if (!c || c == this) return std::nullopt;
    host::Point q{p.x - c->getX(), p.y - c->getY()};
    if (c == header.get() || c == footer.get()) {
        NxDataIndex di;
        di.object = host::Value(c == header.get() ? header : footer);
        return di;
    }
    if (c == legend.get()) return legend->pick(q, view);
    if (c == chartArea.get()) return chartArea->pick(q, view, view ? view->getPickFocus() : ChartDataView::PICK_FOCUS_XY);
    return std::nullopt;
}

std::optional<host::Point> NxChart::unpick(const std::shared_ptr<ChartDataView>& view, int series, int point) {
    if (!view || series < 0 || series >= view->getNumSeries()) return std::nullopt;
    auto s = view->getSeries(series);
    if (point < s->getFirstPoint() || point > s->getLastPoint()) return std::nullopt;
    auto d = chartArea->getDrawable(view.get());
    if (!d) return std::nullopt;
    auto r = d->unpick(series, point);
    if (!r) return std::nullopt;
    // A point scrolled or zoomed out of the plot has no place on the chart.
    const host::Rectangle& plot = chartArea->getPlotRect();
    if (r->x < plot.x || r->x > plot.x + plot.width || r->y < plot.y || r->y > plot.y + plot.height)
        return std::nullopt;
    host::Point o = chartArea->getDrawingOrigin();
    return host::Point{r->x + chartArea->getX() + o.x, r->y + chartArea->getY() + o.y};
}

void NxChart::addChartListener(NxChartListener* l) {
    if (l && std::find(listeners.begin(), listeners.end(), l) == listeners.end()) listeners.push_back(l);
}
void NxChart::removeChartListener(NxChartListener* l) { std::erase(listeners, l); }
void NxChart::sendEvent(NxAxis* axis) {
    NxChartEvent e{this, axis};
    for (auto* l : std::vector<NxChartListener*>(listeners)) l->changeChart(e);
}
void NxChart::addPickListener(NxPickListener* l) {
    if (l && std::find(pickListeners.begin(), pickListeners.end(), l) == pickListeners.end())
        pickListeners.push_back(l);
}
void NxChart::removePickListener(NxPickListener* l) { std::erase(pickListeners, l); }
void NxChart::sendPickEvent(const NxDataIndex& di) {
    NxPickEvent e{this, di};
    for (auto* l : std::vector<NxPickListener*>(pickListeners)) l->pick(e);
}

// ---- painting ----

void NxChart::paint(host::Graphics& g) {
    NxContainer::paint(g);
    for (auto* l : std::vector<NxChartListener*>(listeners)) l->paintChart(*this);
}

std::shared_ptr<host::Image> NxChart::snapshot() {
    std::lock_guard tree(getTreeLock());
    if (!isValid()) validate();
    auto img = host::Image::createOffscreen(std::max(1, getWidth()), std::max(1, getHeight()));
    if (img->hasError()) return img;
    auto g = img->getGraphics();
    g->setColor(getBackground().value_or(host::Color::white));
    g->fillRect(0, 0, getWidth(), getHeight());
    for (int i = 0; i < getComponentCount(); ++i) {
        auto c = getComponent(i);
        if (!c || !c->isVisible()) continue;
        auto cg = g->create(c->getX(), c->getY(), c->getWidth(), c->getHeight());
        c->paint(*cg);
        cg->dispose();
    }
    g->dispose();
    return img;
}

}  // namespace norvex::chart
