#include "host/Container.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "host/Window.h"

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

// One row of every visible child at its preferred or minimum size, with the gaps.
static Dimension flowRowSize(Container& parent, bool preferred, int hgap, int vgap) {
    Dimension d{0, 0};
    bool first = true;
    for (auto& c : parent.getComponents()) {
        if (!c->isVisible()) continue;
        Dimension p = preferred ? c->preferredSize() : c->minimumSize();
        d.height = std::max(d.height, p.height);
        if (!first) d.width += hgap;
        first = false;
        d.width += p.width;
    }
    Insets in = parent.getInsets();
    d.width += in.left + in.right + hgap * 2;
    d.height += in.top + in.bottom + vgap * 2;
    return d;
}

Dimension FlowLayout::preferredLayoutSize(Container& parent) { return flowRowSize(parent, true, hgap_, vgap_); }
Dimension FlowLayout::minimumLayoutSize(Container& parent) { return flowRowSize(parent, false, hgap_, vgap_); }

void FlowLayout::layoutContainer(Container& parent) {
    Insets in = parent.getInsets();
    int maxw = parent.getWidth() - (in.left + in.right + hgap_ * 2);
    auto comps = parent.getComponents();
    int x = 0, y = in.top + vgap_, rowh = 0;
    size_t rowStart = 0;
    auto placeRow = [&](size_t from, size_t to, int rowWidth) {
        int startX = in.left + hgap_;
        if (align_ == CENTER) startX += (maxw - rowWidth) / 2;
        else if (align_ == RIGHT) startX += maxw - rowWidth;
        for (size_t i = from; i < to; ++i) {
            auto& c = comps[i];
            if (!c->isVisible()) continue;
            c->reshape(startX, y + (rowh - c->getHeight()) / 2, c->getWidth(), c->getHeight());
            startX += c->getWidth() + hgap_;
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
            rowh = std::max(rowh, d.height);
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
    Dimension d{0, 0};
    auto sz = [&](Component* c) { return preferred ? c->preferredSize() : c->minimumSize(); };
    if (east_ && east_->isVisible()) {
        Dimension e = sz(east_);
        d.width += e.width + hgap_;
        d.height = std::max(e.height, d.height);
    }
    if (west_ && west_->isVisible()) {
        Dimension w = sz(west_);
        d.width += w.width + hgap_;
        d.height = std::max(w.height, d.height);
    }
    if (center_ && center_->isVisible()) {
        Dimension c = sz(center_);
        d.width += c.width;
        d.height = std::max(c.height, d.height);
    }
    if (north_ && north_->isVisible()) {
        Dimension n = sz(north_);
        d.width = std::max(n.width, d.width);
        d.height += n.height + vgap_;
    }
    if (south_ && south_->isVisible()) {
        Dimension s = sz(south_);
        d.width = std::max(s.width, d.width);
        d.height += s.height + vgap_;
    }
    Insets in = parent.getInsets();
    d.width += in.left + in.right;
    d.height += in.top + in.bottom;
    return d;
}

Dimension BorderLayout::preferredLayoutSize(Container& parent) { return layoutSize(parent, true); }
Dimension BorderLayout::minimumLayoutSize(Container& parent) { return layoutSize(parent, false); }

void BorderLayout::layoutContainer(Container& parent) {
    Insets in = parent.getInsets();
    int top = in.top, bottom = parent.getHeight() - in.bottom;
    int left = in.left, right = parent.getWidth() - in.right;
    if (north_ && north_->isVisible()) {
        Dimension d = north_->preferredSize();
        north_->reshape(left, top, right - left, d.height);
        top += d.height + vgap_;
    }
    if (south_ && south_->isVisible()) {
        Dimension d = south_->preferredSize();
        south_->reshape(left, bottom - d.height, right - left, d.height);
        bottom -= d.height + vgap_;
    }
    if (east_ && east_->isVisible()) {
        Dimension d = east_->preferredSize();
        east_->reshape(right - d.width, top, d.width, bottom - top);
        right -= d.width + hgap_;
    }
    if (west_ && west_->isVisible()) {
        Dimension d = west_->preferredSize();
        west_->reshape(left, top, d.width, bottom - top);
        left += d.width + hgap_;
    }
    if (center_ && center_->isVisible()) center_->reshape(left, top, right - left, bottom - top);
}

// ---- GridLayout ----

GridLayout::GridLayout(int rows, int cols, int hgap, int vgap) : rows_(rows), cols_(cols), hgap_(hgap), vgap_(vgap) {
    if (rows == 0 && cols == 0) throw std::invalid_argument("rows and cols cannot both be zero");
}

namespace {

int clampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

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
