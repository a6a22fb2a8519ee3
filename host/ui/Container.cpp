#include "host/ui/Container.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "host/ui/Window.h"

namespace host {

Container::~Container() {
    for (auto& c : children_) c->parent_ = nullptr;
}

void Container::addImpl(const ComponentPtr& c, const Value& constraints, int index) {
    if (!c) return;
    std::lock_guard tree(getTreeLock());
    for (const Container* p = this; p; p = p->getParent())
        if (p == c.get()) throw std::invalid_argument("adding container's parent to itself");
    if (c->parent_) c->parent_->remove(c.get());
    if (index < 0 || index > int(children_.size()))
        children_.push_back(c);
    else
        children_.insert(children_.begin() + index, c);
    c->parent_ = this;
    if (layout_) layout_->addLayoutComponent(c.get(), constraints);
    if (hasPeer()) c->addNotify();
    invalidate();
}

void Container::remove(Component* c) {
    std::lock_guard tree(getTreeLock());
    auto it = std::find_if(children_.begin(), children_.end(), [c](auto& p) { return p.get() == c; });
    if (it == children_.end()) return;
    ComponentPtr keep = *it;  // alive until the end of removal
    if (keep->hasPeer()) keep->removeNotify();
    if (layout_) layout_->removeLayoutComponent(c);
    keep->parent_ = nullptr;
    children_.erase(it);
    invalidate();
}

void Container::remove(int index) {
    if (auto c = getComponent(index)) remove(c.get());
}

void Container::removeAll() {
    while (!children_.empty()) remove(children_.back().get());
}

int Container::getComponentCount() const {
    std::lock_guard tree(getTreeLock());
    return int(children_.size());
}

ComponentPtr Container::getComponent(int index) const {
    std::lock_guard tree(getTreeLock());
    if (index < 0 || index >= int(children_.size())) return nullptr;
    return children_[index];
}

std::vector<ComponentPtr> Container::getComponents() const {
    std::lock_guard tree(getTreeLock());
    return children_;
}

bool Container::isAncestorOf(const Component* c) const {
    for (const Component* p = c ? c->getParent() : nullptr; p; p = p->getParent())
        if (p == this) return true;
    return false;
}

Component* Container::getComponentAt(int x, int y) {
    if (!contains(x, y)) return nullptr;
    for (auto& c : getComponents())
        if (c->isVisible() && c->contains(x - c->getX(), y - c->getY())) return c.get();
    return this;
}

Component* Container::findComponentAt(int x, int y) {
    if (!contains(x, y)) return nullptr;
    for (auto& c : getComponents()) {
        if (!c->isVisible()) continue;
        int cx = x - c->getX(), cy = y - c->getY();
        if (!c->contains(cx, cy)) continue;
        if (auto* ct = dynamic_cast<Container*>(c.get())) return ct->findComponentAt(cx, cy);
        return c.get();
    }
    return this;
}

void Container::setLayout(std::shared_ptr<LayoutManager> lm) {
    layout_ = std::move(lm);
    invalidate();
}

void Container::layout() {
    if (layout_) layout_->layoutContainer(*this);
}

void Container::invalidate() {
    if (layout_) {
        // Layout managers cache nothing here, so no per-manager invalidation is needed.
    }
    Component::invalidate();
}

void Container::validate() {
    std::lock_guard tree(getTreeLock());
    if (!isValid()) validateTree();
}

void Container::validateTree() {
    if (!isValid()) {
        layout();
        for (auto& c : children_) {
            if (auto* ct = dynamic_cast<Container*>(c.get()))
                ct->validateTree();
            else
                c->validate();
        }
    }
    Component::validate();
}

Dimension Container::preferredSize() {
    std::lock_guard tree(getTreeLock());
    return layout_ ? layout_->preferredLayoutSize(*this) : Component::preferredSize();
}

Dimension Container::minimumSize() {
    std::lock_guard tree(getTreeLock());
    return layout_ ? layout_->minimumLayoutSize(*this) : Component::minimumSize();
}

void Container::addNotify() {
    std::lock_guard tree(getTreeLock());
    Component::addNotify();
    for (auto& c : children_) c->addNotify();
}

void Container::removeNotify() {
    std::lock_guard tree(getTreeLock());
    for (auto& c : children_) c->removeNotify();
    Component::removeNotify();
}

void Container::setVisible(bool b) { Component::setVisible(b); }

void Container::paintComponents(Graphics& g) {
    for (auto& c : getComponents()) {
        if (!c->isVisible()) continue;
        auto cg = g.create(c->getX(), c->getY(), c->getWidth(), c->getHeight());
        c->paint(*cg);
        if (auto* ct = dynamic_cast<Container*>(c.get())) ct->paintComponents(*cg);
        cg->dispose();
    }
}

Panel::Panel() { setLayout(std::make_shared<FlowLayout>()); }

// ---- FlowLayout ----

// Sizes, gaps and positions of the layouts are summed in 64 bits and clamped to int
// where they leave, so huge preferred sizes or gaps from a page cannot overflow.
static int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// One row of every visible child at its preferred or minimum size, with the gaps.
static Dimension flowRowSize(Container& parent, bool preferred, int hgap, int vgap) {
    int64_t w = 0, h = 0;
    bool first = true;
    for (auto& c : parent.getComponents()) {
        if (!c->isVisible()) continue;
        Dimension p = preferred ? c->preferredSize() : c->minimumSize();
        h = std::max<int64_t>(h, p.height);
        if (!first) w += hgap;
        first = false;
        w += p.width;
    }
    Insets in = parent.getInsets();
    w += int64_t(in.left) + in.right + int64_t(hgap) * 2;
    h += int64_t(in.top) + in.bottom + int64_t(vgap) * 2;
    return {clampToInt(w), clampToInt(h)};
}

Dimension FlowLayout::preferredLayoutSize(Container& parent) { return flowRowSize(parent, true, hgap_, vgap_); }
Dimension FlowLayout::minimumLayoutSize(Container& parent) { return flowRowSize(parent, false, hgap_, vgap_); }

void FlowLayout::layoutContainer(Container& parent) {
    Insets in = parent.getInsets();
    const int64_t maxw = int64_t(parent.getWidth()) - (int64_t(in.left) + in.right + int64_t(hgap_) * 2);
    auto comps = parent.getComponents();
    int64_t x = 0, y = int64_t(in.top) + vgap_, rowh = 0;
    size_t rowStart = 0;
    auto placeRow = [&](size_t from, size_t to, int64_t rowWidth) {
        int64_t startX = int64_t(in.left) + hgap_;
        if (align_ == CENTER) startX += (maxw - rowWidth) / 2;
        else if (align_ == RIGHT) startX += maxw - rowWidth;
        for (size_t i = from; i < to; ++i) {
            auto& c = comps[i];
            if (!c->isVisible()) continue;
            c->reshape(clampToInt(startX), clampToInt(y + (rowh - c->getHeight()) / 2), c->getWidth(), c->getHeight());
            startX += int64_t(c->getWidth()) + hgap_;
        }
    };
    for (size_t i = 0; i < comps.size(); ++i) {
        auto& c = comps[i];
        if (!c->isVisible()) continue;
        Dimension d = c->preferredSize();
        c->resize(d.width, d.height);
        if (x == 0 || x + d.width <= maxw) {
            if (x > 0) x += hgap_;
            x += d.width;
            rowh = std::max<int64_t>(rowh, d.height);
        } else {
            placeRow(rowStart, i, x);
            y += vgap_ + rowh;
            x = d.width;
            rowh = d.height;
            rowStart = i;
        }
    }
    placeRow(rowStart, comps.size(), x);
}

// ---- BorderLayout ----

void BorderLayout::addLayoutComponent(Component* c, const Value& constraints) {
    std::string where = constraints.isString() ? constraints.asString() : "Center";
    if (where == "North") north_ = c;
    else if (where == "South") south_ = c;
    else if (where == "East") east_ = c;
    else if (where == "West") west_ = c;
    else if (where == "Center" || where.empty()) center_ = c;
    else throw std::invalid_argument("cannot add to layout: unknown constraint: " + where);
}

void BorderLayout::removeLayoutComponent(Component* c) {
    for (Component** slot : {&north_, &south_, &east_, &west_, &center_})
        if (*slot == c) *slot = nullptr;
}

Dimension BorderLayout::layoutSize(Container& parent, bool preferred) {
    int64_t w = 0, h = 0;
    auto sz = [&](Component* c) { return preferred ? c->preferredSize() : c->minimumSize(); };
    if (east_ && east_->isVisible()) {
        Dimension e = sz(east_);
        w += int64_t(e.width) + hgap_;
        h = std::max<int64_t>(e.height, h);
    }
    if (west_ && west_->isVisible()) {
        Dimension d = sz(west_);
        w += int64_t(d.width) + hgap_;
        h = std::max<int64_t>(d.height, h);
    }
    if (center_ && center_->isVisible()) {
        Dimension c = sz(center_);
        w += c.width;
        h = std::max<int64_t>(c.height, h);
    }
    if (north_ && north_->isVisible()) {
        Dimension n = sz(north_);
        w = std::max<int64_t>(n.width, w);
        h += int64_t(n.height) + vgap_;
    }
    if (south_ && south_->isVisible()) {
        Dimension d = sz(south_);
        w = std::max<int64_t>(d.width, w);
        h += int64_t(d.height) + vgap_;
    }
    Insets in = parent.getInsets();
    return {clampToInt(w + in.left + in.right), clampToInt(h + in.top + in.bottom)};
}

Dimension BorderLayout::preferredLayoutSize(Container& parent) { return layoutSize(parent, true); }
Dimension BorderLayout::minimumLayoutSize(Container& parent) { return layoutSize(parent, false); }

void BorderLayout::layoutContainer(Container& parent) {
    Insets in = parent.getInsets();
    int64_t top = in.top, bottom = int64_t(parent.getHeight()) - in.bottom;
    int64_t left = in.left, right = int64_t(parent.getWidth()) - in.right;
    auto place = [](Component* c, int64_t x, int64_t y, int64_t w, int64_t h) {
        c->reshape(clampToInt(x), clampToInt(y), clampToInt(w), clampToInt(h));
    };
    if (north_ && north_->isVisible()) {
        Dimension d = north_->preferredSize();
        place(north_, left, top, right - left, d.height);
        top += int64_t(d.height) + vgap_;
    }
    if (south_ && south_->isVisible()) {
        Dimension d = south_->preferredSize();
        place(south_, left, bottom - d.height, right - left, d.height);
        bottom -= int64_t(d.height) + vgap_;
    }
    if (east_ && east_->isVisible()) {
        Dimension d = east_->preferredSize();
        place(east_, right - d.width, top, d.width, bottom - top);
        right -= int64_t(d.width) + hgap_;
    }
    if (west_ && west_->isVisible()) {
        Dimension d = west_->preferredSize();
        place(west_, left, top, d.width, bottom - top);
        left += int64_t(d.width) + hgap_;
    }
    if (center_ && center_->isVisible()) place(center_, left, top, right - left, bottom - top);
}

// ---- GridLayout ----

GridLayout::GridLayout(int rows, int cols, int hgap, int vgap) : rows_(rows), cols_(cols), hgap_(hgap), vgap_(vgap) {
    if (rows == 0 && cols == 0) throw std::invalid_argument("rows and cols cannot both be zero");
}

// Counts are worked out in 64 bits: a page may ask for billions of rows or columns.
void GridLayout::gridShape(int n, int& rows, int& cols) const {
    rows = rows_;
    cols = cols_;
    if (rows > 0)
        cols = int((int64_t(n) + rows - 1) / rows);
    else if (cols > 0)
        rows = int((int64_t(n) + cols - 1) / cols);
    else  // negative counts: one row
        rows = 1, cols = std::max(n, 1);
}

Dimension GridLayout::layoutSize(Container& parent, bool preferred) {
    auto comps = parent.getComponents();
    int n = int(comps.size()), rows, cols;
    gridShape(n, rows, cols);
    int64_t w = 0, h = 0;
    for (auto& c : comps) {
        Dimension d = preferred ? c->preferredSize() : c->minimumSize();
        w = std::max<int64_t>(w, d.width);
        h = std::max<int64_t>(h, d.height);
    }
    Insets in = parent.getInsets();
    // At most 2^31 cells of at most 2^31 pixels: the products stay far inside 64 bits.
    return {clampToInt(int64_t(in.left) + in.right + cols * w + (int64_t(cols) - 1) * hgap_),
            clampToInt(int64_t(in.top) + in.bottom + rows * h + (int64_t(rows) - 1) * vgap_)};
}

Dimension GridLayout::preferredLayoutSize(Container& parent) { return layoutSize(parent, true); }
Dimension GridLayout::minimumLayoutSize(Container& parent) { return layoutSize(parent, false); }

// Child i goes to row i / cols, column i % cols; only the children are visited, so
// empty cells cost nothing.
void GridLayout::layoutContainer(Container& parent) {
    auto comps = parent.getComponents();
    int n = int(comps.size());
    if (n == 0) return;
    int rows, cols;
    gridShape(n, rows, cols);
    Insets in = parent.getInsets();
    const int64_t w = (int64_t(parent.getWidth()) - in.left - in.right - (int64_t(cols) - 1) * hgap_) / cols;
    const int64_t h = (int64_t(parent.getHeight()) - in.top - in.bottom - (int64_t(rows) - 1) * vgap_) / rows;
    for (int i = 0; i < n; ++i) {
        const int64_t r = i / cols, c = i % cols;
        comps[size_t(i)]->reshape(clampToInt(in.left + c * (w + hgap_)), clampToInt(in.top + r * (h + vgap_)),
                                  clampToInt(w), clampToInt(h));
    }
}

}  // namespace host
