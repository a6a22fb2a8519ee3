#include "table/cells/Widget.h"

#include <algorithm>

#include "host/graphics/Graphics.h"
#include "host/ui/Container.h"
#include "host/ui/Event.h"
#include "ombu/widgets/TreeLock.h"
#include "table/NxTable.h"
#include "table/view/Clip.h"
#include "table/view/TableView.h"

namespace norvex::table {

using host::ComponentPtr;
using host::Value;
using E = NxTblEnum;

namespace {

void detach(const ComponentPtr& c) {
    if (!c) return;
    if (auto* p = c->getParent()) p->remove(c.get());
}

std::shared_ptr<WidgetSeriesValue> widgetOf(const Value& v) { return v.as<WidgetSeriesValue>(); }

// Paints c and its children into g at r, as the window would paint them.
void paintInto(host::Graphics& g, host::Component& c, const host::Rectangle& r) {
    auto cg = g.create(r.x, r.y, r.width, r.height);
    if (!cg) return;
    cg->setFont(c.getFont());
    if (auto bg = c.getBackground()) {
        cg->setColor(*bg);
        cg->fillRect(0, 0, r.width, r.height);
    }
    cg->setColor(c.getForeground().value_or(host::Color::black));
    c.paint(*cg);
    if (auto* ct = dynamic_cast<host::Container*>(&c)) ct->paintComponents(*cg);
    cg->dispose();
}

}  // namespace

// ---- WidgetSeriesValue ----

void WidgetSeriesValue::destroy() {
    for (auto& c : clones) detach(c);
    clones.clear();
    row.clear();
    column.clear();
    moved.clear();
    detach(component);
}

std::string WidgetSeriesValue::toString() const {
    return std::string("WidgetSeriesValue[") + (component ? component->classInfo().name : "null") + ", " +
           std::to_string(clones.size()) + " clones]";
}

// ---- Setting and finding ----

std::vector<std::pair<NxCellPosition, WidgetSeriesValue*>> Widget::entries(NxTable& t) {
    std::vector<std::pair<NxCellPosition, WidgetSeriesValue*>> out;
    for (const SeriesValue& e : t.component_series.getEntries())
        if (auto w = widgetOf(e.value)) out.push_back({{e.row, e.column}, w.get()});
    return out;
}

void Widget::setValue(NxTable& t, int row, int col, const ComponentPtr& c) {
    ombu::TreeLock guard(t);
    if (t.in_setComponent) {
        t.component_series.setValue(row, col, c ? Value(std::make_shared<WidgetSeriesValue>(c)) : Value());
        return;
    }
    if (!c && row == E::ALL && col == E::ALL) {
        for (const SeriesValue& e : t.component_series.getEntries()) {
            if (auto w = widgetOf(e.value)) w->destroy();
            t.component_series.remove(e.row, e.column);
        }
        t.setProperty(PropertyEnum::REDISPLAY);
        return;
    }
    if (c) {
        // One component, one place: an entry that already holds it is dropped (its
        // clones with it); the component itself is about to move.
        for (const SeriesValue& e : t.component_series.getEntries()) {
            auto w = widgetOf(e.value);
            if (!w || w->component != c) continue;
            w->component = nullptr;
            w->destroy();
            t.component_series.remove(e.row, e.column);
            t.setProperty(e.row, e.column, PropertyEnum::DRAW_CELL);
        }
        detach(c);
    }
    if (auto old = t.component_series.findExact(row, col)) {
        if (auto w = widgetOf(old->value)) w->destroy();
        t.component_series.remove(row, col);
    }
    if (c) {
        t.in_setComponent = true;
        t.component_series.setValue(row, col, Value(std::make_shared<WidgetSeriesValue>(c)));
        t.in_setComponent = false;
    }
    t.setProperty(row, col, PropertyEnum::DRAW_CELL);
}

ComponentPtr Widget::getComponent(NxTable& t, int row, int col, bool create) {
    ombu::TreeLock guard(t);
    auto found = t.component_series.find(row, col);
    if (!found) return nullptr;
    auto w = widgetOf(found->value);
    if (!w || !w->component) return nullptr;
    if (found->row == row && found->column == col) return w->component;
    for (size_t i = 0; i < w->clones.size(); ++i)
        if (w->row[i] == row && w->column[i] == col) return w->clones[i];
    if (!create || row < 0 || col < 0 || row >= t.getNumRows() || col >= t.getNumColumns()) return nullptr;
    const int i = find_clone(t, row, col, *w);
    return i < 0 ? nullptr : w->clones[size_t(i)];
}

bool Widget::getPosition(NxTable& t, const host::Component* c, NxCellPosition* cell) {
    if (!c) return false;
    ombu::TreeLock guard(t);
    for (auto& [key, w] : entries(t)) {
        if (w->component.get() == c && key.row >= 0 && key.column >= 0) {
            if (cell) *cell = key;
            return true;
        }
        for (size_t i = 0; i < w->clones.size(); ++i)
            if (w->clones[i].get() == c && w->row[i] != E::NOVALUE) {
                if (cell) *cell = {w->row[i], w->column[i]};
                return true;
            }
    }
    return false;
}

bool Widget::componentExistsInTable(NxTable& t, const host::Component* c) {
    if (!c) return false;
    ombu::TreeLock guard(t);
    for (auto& [key, w] : entries(t)) {
        if (w->component.get() == c) return true;
        for (auto& clone : w->clones)
            if (clone.get() == c) return true;
    }
    return false;
}

// ---- Clones ----

ComponentPtr Widget::create(NxTable& t, int row, int col, const ComponentPtr& source) {
    NxCreateComponentEvent e(&t, row, col, source.get());
    ComponentPtr made;
    for (auto* l : t.create_component_listeners.snapshot()) {
        l->createComponent(e);
        if (e.component) made = e.component;
    }
    if (made) return made;
    // No page: the clone is a bare instance of the source's class, in the source's font
    // (which also has it measure its contents, as a font change does).
    auto clone = host::cast<host::Component>(
        host::ClassRegistry::instance().createObject(source->classInfo().name, nullptr, ""));
    if (clone) clone->setFont(source->getFont());
    return clone;
}

bool Widget::isVisible(const NxTable& t, int row, int col) {
    if (row < 0 || col < 0) return false;
    auto* view = dynamic_cast<TableView*>(t.getViewHooks());
    if (!view) return false;
    for (int type = 0; type < Clip::NUM_TYPE; ++type) {
        const Clip* clip = view->clip(type);
        if (!clip || !clip->getRange().inside(row, col)) continue;
        NxCellRange shown;
        if (clip->visibleRange({0, 0, clip->getWidth(), clip->getHeight()}, &shown) && shown.inside(row, col))
            return true;
    }
    return false;
}

int Widget::find_clone(NxTable& t, int row, int col, WidgetSeriesValue& wv) {
    for (size_t i = 0; i < wv.clones.size(); ++i)
        if (wv.row[i] == row && wv.column[i] == col) return int(i);
    auto assign = [&](size_t i) {
        wv.row[i] = row, wv.column[i] = col;
        wv.moved[i] = true;
        return int(i);
    };
    // A clone that waits unassigned, or whose cell scrolled out of view, is taken over.
    for (size_t i = 0; i < wv.clones.size(); ++i)
        if (wv.row[i] == E::NOVALUE) return assign(i);
    for (size_t i = 0; i < wv.clones.size(); ++i)
        if (!isVisible(t, wv.row[i], wv.column[i])) return assign(i);
    ComponentPtr clone = create(t, row, col, wv.component);
    if (!clone) return -1;
    wv.clones.push_back(clone);
    wv.row.push_back(E::NOVALUE);
    wv.column.push_back(E::NOVALUE);
    wv.moved.push_back(true);
    return assign(wv.clones.size() - 1);
}

// ---- Drawing and scrolling ----

bool Widget::draw(NxTable& t, host::Graphics& g, Clip& clip, int row, int col, const host::Rectangle& b) {
    if (t.component_series.size() == 0) return false;
    auto found = t.component_series.find(row, col);
    if (!found) return false;
    auto w = widgetOf(found->value);
    if (!w || !w->component) return false;
    ComponentPtr comp;
    bool needs_display;
    int slot = -1;
    if (found->row == row && found->column == col) {
        comp = w->component;
        needs_display = w->needs_displaycb;
    } else {
        slot = find_clone(t, row, col, *w);
        if (slot < 0) return false;
        comp = w->clones[size_t(slot)];
        needs_display = w->moved[size_t(slot)];
    }
    if (needs_display) {
        if (!t.display_component_listeners.empty()) {
            NxDisplayComponentEvent e(&t, row, col, comp.get());
            for (auto* l : t.display_component_listeners.snapshot()) l->displayComponent(e);
        }
        if (slot < 0)
            w->needs_displaycb = false;
        else
            w->moved[size_t(slot)] = false;
    }
    // Inside the cell's border; placed in the table so that it takes the clicks (first
    // among the children) and painted here so that the area's picture holds it.
    const int inset = t.getBorderType(row, col) == E::BORDER_NONE ? 0 : t.getShadowThickness();
    const host::Rectangle r{b.x + inset, b.y + inset, std::max(0, b.width - 2 * inset),
                            std::max(0, b.height - 2 * inset)};
    if (comp->getParent() != &t) t.add(comp, 0);
    comp->reshape(clip.getX() + r.x, clip.getY() + r.y, r.width, r.height);
    comp->setVisible(true);
    comp->validate();
    if (r.width > 0 && r.height > 0) paintInto(g, *comp, r);
    return true;
}

void Widget::unmanageInvisible(NxTable& t) {
    if (t.component_series.size() == 0) return;
    for (auto& [key, w] : entries(t)) {
        if (w->component && key.row >= 0 && key.column >= 0 && w->component->getParent() == &t &&
            !isVisible(t, key.row, key.column))
            w->component->setVisible(false);
        for (size_t i = 0; i < w->clones.size(); ++i) {
            if (w->row[i] == E::NOVALUE || isVisible(t, w->row[i], w->column[i])) continue;
            w->row[i] = w->column[i] = E::NOVALUE;
            w->clones[i]->setVisible(false);
        }
    }
}

void Widget::redisplayComponents(NxTable& t) {
    for (auto& [key, w] : entries(t)) {
        w->needs_displaycb = true;
        std::fill(w->moved.begin(), w->moved.end(), true);
    }
}

bool Widget::is_child(const host::Component* ancestor, const host::Component* w) {
    for (const host::Component* c = w; c; c = c->getParent())
        if (c == ancestor) return true;
    return false;
}

bool Widget::checkChild(NxTable& t, const host::Event& e) {
    auto* target = dynamic_cast<const host::Component*>(e.target);
    if (!target || target == &t) return false;
    ombu::TreeLock guard(t);
    for (auto& [key, w] : entries(t)) {
        if (is_child(w->component.get(), target)) return true;
        for (auto& c : w->clones)
            if (is_child(c.get(), target)) return true;
    }
    return false;
}

// ---- The table's side ----

void NxTable::setComponent(int row, int col, const ComponentPtr& c) { Widget::setValue(*this, row, col, c); }

ComponentPtr NxTable::getComponent(int row, int col, bool create) {
    return Widget::getComponent(*this, row, col, create);
}

bool NxTable::drawComponent(host::Graphics& g, Clip& clip, int row, int col, const host::Rectangle& bounds) {
    return Widget::draw(*this, g, clip, row, col, bounds);
}

void NxTable::componentsMoved(bool redisplay) {
    if (component_series.size() == 0) return;
    ombu::TreeLock guard(*this);
    if (redisplay) Widget::redisplayComponents(*this);
    Widget::unmanageInvisible(*this);
}

}  // namespace norvex::table
