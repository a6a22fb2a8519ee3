#include "ombu/list/NxListComponent.h"
#include "ombu/widgets/TreeLock.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <stdexcept>

#include "host/graphics/Graphics.h"
#include "ombu/OmbuUtil.h"
#include "ombu/list/ListSelection.h"
#include "ombu/list/NxList.h"
#include "ombu/widgets/NxScrollbar.h"

namespace norvex::ombu {

namespace {

std::string nextListName() {
    static std::atomic<int> counter{0};
    return "list" + std::to_string(counter++);
}

}  // namespace

using host::Color;
using host::Lock;
using host::Rectangle;
using host::Value;

NxListComponent::NxListComponent() : NxListComponent(nullptr, "") {}

NxListComponent::NxListComponent(host::Applet* applet, const std::string& name) : NxComponent(applet, name) {
    if (!applet && name.empty()) setName(nextListName());
    insets_ = host::Insets{5, 5, 5, 5};
}

NxListComponent::NxListComponent(int rows, bool multipleSelections) : NxListComponent() {
    visible_rows = rows;
    multiple_select = multipleSelections;
}

NxListComponent::~NxListComponent() = default;

void NxListComponent::getParameters() { NxComponent::getParameters(); }

// Items

void NxListComponent::insertRows(int row, int count) {
    selected.insert(selected.begin() + row, size_t(count), 0);
    last_selected.insert(last_selected.begin() + row, size_t(count), 0);
    userdata_list.insert(userdata_list.begin() + row, size_t(count), Value());
    if (selected_hint >= row) selected_hint += count;
    block_known = false;
}

void NxListComponent::eraseRows(int row, int count) {
    for (int r = row; r < row + count; ++r)
        if (selected[size_t(r)]) --num_selected;
    selected.erase(selected.begin() + row, selected.begin() + row + count);
    last_selected.erase(last_selected.begin() + row, last_selected.begin() + row + count);
    userdata_list.erase(userdata_list.begin() + row, userdata_list.begin() + row + count);
    if (selected_hint >= row + count)
        selected_hint -= count;
    else if (selected_hint >= row)
        selected_hint = -1;
    int n = int(items.size());
    if (focus_row >= row + count)
        focus_row -= count;
    else if (focus_row >= row)
        focus_row = std::min(row, n - 1);
    block_known = false;
}

void NxListComponent::setItems(std::vector<Value> list) {
    {
        Lock guard(mutex());
        items = std::move(list);
        size_t n = items.size();
        selected.assign(n, 0);
        last_selected.assign(n, 0);
        userdata_list.assign(n, Value());
        num_selected = 0;
        selected_hint = -1;
        block_known = false;
        focus_row = -1;
        top_row = 0;
        vert_origin = -999;
        pref_width_internal = 0;
        rebuildRowPositions(0);
    }
    calcSize(true);
    repaint();
}

void NxListComponent::setItems(const std::vector<std::string>& list) {
    std::vector<Value> values;
    values.reserve(list.size());
    for (const auto& s : list) values.emplace_back(s);
    setItems(std::move(values));
}

std::vector<std::string> NxListComponent::getItemsStrings() {
    Lock guard(mutex());
    std::vector<std::string> out;
    out.reserve(items.size());
    for (const auto& v : items) out.push_back(v.isNull() ? std::string() : v.toString());
    return out;
}

Value NxListComponent::getItem(int row) {
    Lock guard(mutex());
    if (row < 0 || row >= int(items.size())) throw std::out_of_range("row " + std::to_string(row) + " not in NxList");
    return items[size_t(row)];
}

int NxListComponent::countItems() {
    Lock guard(mutex());
    return int(items.size());
}

void NxListComponent::addItem(const Value& item) { addItem(item, -1); }

void NxListComponent::addItem(const Value& item, int row) {
    {
        Lock guard(mutex());
        int n = int(items.size());
        if (row < 0 || row > n) row = n;
        items.insert(items.begin() + row, item);
        insertRows(row, 1);
        if (focus_row >= row) ++focus_row;
        if (pref_width_internal > 0 && hasPeer())
            pref_width_internal = std::max(pref_width_internal, calcRowWidth(row));
        rebuildRowPositions(row);
    }
    itemsChanged(false);
}

void NxListComponent::replaceItem(const Value& item, int row) {
    {
        Lock guard(mutex());
        if (row < 0 || row >= int(items.size())) return;
        items[size_t(row)] = item;
        rebuildRowPositions(row);
    }
    itemsChanged(true);
}

void NxListComponent::deleteItem(int row) { deleteItems(row, row); }

void NxListComponent::deleteItems(int start_row, int end_row) {
    {
        Lock guard(mutex());
        int n = int(items.size());
        start_row = std::max(start_row, 0);
        end_row = std::min(end_row, n - 1);
        if (start_row > end_row) return;
        int count = end_row - start_row + 1;
        items.erase(items.begin() + start_row, items.begin() + end_row + 1);
        eraseRows(start_row, count);
        rebuildRowPositions(start_row);
    }
    itemsChanged(true);
}

void NxListComponent::remove(const std::string& item) {
    int row = find(Value(item));
    if (row == NOT_FOUND) throw std::invalid_argument("item " + item + " not found in NxList");
    deleteItem(row);
}

void NxListComponent::clear() { setItems(std::vector<Value>{}); }

int NxListComponent::find(const Value& item) {
    Lock guard(mutex());
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == item) return int(i);
    return NOT_FOUND;
}

int NxListComponent::findItem(char c) {
    Lock guard(mutex());
    char up = char(std::toupper(static_cast<unsigned char>(c)));
    for (size_t i = 0; i < items.size(); ++i)
        if (OmbuUtil::startsWith(items[i], up)) return int(i);
    return NOT_FOUND;
}

void NxListComponent::setUserDataList(const std::vector<Value>& list) {
    Lock guard(mutex());
    userdata_list = list;
    userdata_list.resize(items.size());
}

void NxListComponent::itemsChanged(bool widthMayShrink) {
    if (widthMayShrink) {
        Lock guard(mutex());
        pref_width_internal = 0;
    }
    calcSize(true);
    repaint();
}

// Selection

bool NxListComponent::setRowSelected(int row, bool on) {
    char& s = selected[size_t(row)];
    if (bool(s) == on) return false;
    s = on ? 1 : 0;
    num_selected += on ? 1 : -1;
    if (on) selected_hint = row;
    return true;
}

void NxListComponent::select(int row, bool notify) {
    {
        Lock guard(mutex());
        if (row < 0 || row >= int(items.size())) return;
    }
    ListSelection::select(*this, row, notify);
}

void NxListComponent::select(const Value& item, bool notify) {
    int row = find(item);
    if (row != NOT_FOUND) select(row, notify);
}

void NxListComponent::deselect(int row) {
    Value item;
    {
        Lock guard(mutex());
        if (row < 0 || row >= int(items.size())) return;
        item = items[size_t(row)];
        if (multiple_select) {
            if (setRowSelected(row, false)) paintRow(row);
            block_known = false;
        } else {
            // Single mode: no row stays selected.
            for (size_t r = 0; num_selected > 0 && r < selected.size(); ++r)
                if (setRowSelected(int(r), false)) paintRow(int(r));
        }
    }
    // The listeners hear about the row that was cleared.
    NxItemEvent event(eventSource(), host::ItemEvent::ITEM_STATE_CHANGED, item, host::ItemEvent::DESELECTED);
    for (auto* l : itemListenerList()) l->itemStateChanged(event);
}

void NxListComponent::deselectAll() {
    Lock guard(mutex());
    for (size_t r = 0; num_selected > 0 && r < selected.size(); ++r)
        if (setRowSelected(int(r), false)) paintRow(int(r));
    block_known = false;
}

bool NxListComponent::isSelected(int row) {
    Lock guard(mutex());
    return row >= 0 && row < int(selected.size()) && selected[size_t(row)];
}

int NxListComponent::getSelectedIndex() {
    Lock guard(mutex());
    if (num_selected == 0) return NOT_FOUND;
    for (size_t r = 0; r < selected.size(); ++r)
        if (selected[r]) return int(r);
    return NOT_FOUND;
}

std::vector<int> NxListComponent::getSelectedIndexes() {
    Lock guard(mutex());
    std::vector<int> out;
    out.reserve(size_t(num_selected));
    for (size_t r = 0; r < selected.size() && int(out.size()) < num_selected; ++r)
        if (selected[r]) out.push_back(int(r));
    return out;
}

Value NxListComponent::getSelectedItem() {
    Lock guard(mutex());
    int r = getSelectedIndex();
    return r == NOT_FOUND ? Value() : items[size_t(r)];
}

std::vector<Value> NxListComponent::getSelectedObjects() {
    Lock guard(mutex());
    std::vector<Value> out;
    for (int r : getSelectedIndexes()) out.push_back(items[size_t(r)]);
    return out;
}

int NxListComponent::countSelected() {
    Lock guard(mutex());
    return num_selected;
}

void NxListComponent::setAllowMultipleSelections(bool b) {
    Lock guard(mutex());
    multiple_select = b;
}

void NxListComponent::setFocus(int row) {
    Lock guard(mutex());
    int old = focus_row;
    focus_row = row >= 0 && row < int(items.size()) ? row : -1;
    if (old == focus_row) return;
    if (old >= 0) paintRow(old);
    if (focus_row >= 0) paintRow(focus_row);
}

// Geometry

void NxListComponent::setRowHeight(int h) {
    if (h < 0 && h != FONT_HEIGHT && h != VARIABLE)
        throw std::invalid_argument("invalid row height: " + std::to_string(h));
    {
        Lock guard(mutex());
        row_height_ext = h;
        vert_origin = -999;
        rebuildRowPositions(0);
    }
    calcSize(true);
    repaint();
}

void NxListComponent::rebuildRowPositions(int from) {
    if (row_height_ext != VARIABLE) {
        row_heights.clear();
        row_pos.clear();
        return;
    }
    size_t n = items.size();
    from = std::clamp(from, 0, int(std::min(row_heights.size(), n)));
    row_heights.resize(n);
    row_pos.resize(n + 1);
    row_pos[0] = 0;
    for (size_t i = size_t(from); i < n; ++i) {
        row_heights[i] = OmbuUtil::getHeight(items[i], this) + space();
        row_pos[i + 1] = row_pos[i] + row_heights[i];
    }
}

int NxListComponent::getRowHeight(int row) {
    if (row_height_ext != VARIABLE) return row_height;
    return row >= 0 && row < int(row_heights.size()) ? row_heights[size_t(row)] : 0;
}

int NxListComponent::getRowPosition(int row) {
    int n = int(items.size());
    if (n == 0) return 0;
    row = std::clamp(row, 0, n - 1);
    if (row_height_ext == VARIABLE)
        return row < int(row_pos.size()) ? int(std::min<int64_t>(row_pos[size_t(row)], INT32_MAX)) : 0;
    return int(std::min<int64_t>(int64_t(row) * row_height, INT32_MAX));
}

int64_t NxListComponent::totalHeight() {
    if (row_height_ext == VARIABLE) return row_pos.empty() ? 0 : row_pos.back();
    return int64_t(items.size()) * row_height;
}

int NxListComponent::rowAt(int y) {
    int n = int(items.size());
    if (y < 0 || n == 0) return NOT_FOUND;
    if (row_height_ext == VARIABLE) {
        if (row_pos.size() != size_t(n) + 1 || y >= row_pos.back()) return NOT_FOUND;
        auto it = std::upper_bound(row_pos.begin(), row_pos.end(), int64_t(y));
        return int(it - row_pos.begin()) - 1;
    }
    // A row height of 0 has no rows to find.
    if (row_height <= 0) return NOT_FOUND;
    int row = y / row_height;
    return row < n ? row : NOT_FOUND;
}

int NxListComponent::calcRowWidth(int row) {
    if (row < 0 || row >= int(items.size())) return 0;
    return OmbuUtil::getWidth(items[size_t(row)], this) + 2 * highlight;
}

void NxListComponent::setSpacing(int s) {
    {
        Lock guard(mutex());
        spacing = std::max(0, s);
        rebuildRowPositions(0);
    }
    calcSize(true);
    repaint();
}

void NxListComponent::setVisibleRows(int rows) {
    {
        Lock guard(mutex());
        visible_rows = rows;
    }
    calcSize(true);
}

void NxListComponent::setTopRow(int row) {
    Lock guard(mutex());
    top_row = row;
    vert_origin = -999;
    if (scrolled_window) scrollTo(getRowPosition(row));
}

void NxListComponent::setHorizOrigin(int v) {
    Lock guard(mutex());
    horiz_origin = std::max(0, v);
    repaint();
}

void NxListComponent::setVertOrigin(int v) {
    Lock guard(mutex());
    vert_origin = std::max(0, v);
    int r = rowAt(vert_origin);
    top_row = r == NOT_FOUND ? std::max(0, int(items.size()) - 1) : r;
    repaint();
}

void NxListComponent::scrollHorizontal(int value) { setHorizOrigin(value); }
void NxListComponent::scrollVertical(int value) { setVertOrigin(value); }

void NxListComponent::scrollTo(int v) {
    if (scrolled_window) {
        auto& bar = scrolled_window->getVertScrollbar();
        bar->setValue(v);
        setVertOrigin(bar->getValue());
    } else {
        setVertOrigin(v);
    }
}

void NxListComponent::calcBottomRow() {
    int n = int(items.size());
    if (n == 0) {
        bottom_row = -999;
        return;
    }
    int64_t limit = int64_t(std::max(vert_origin, 0)) + getDrawingAreaHeight();
    int r = limit <= 0 ? NOT_FOUND : rowAt(int(std::min<int64_t>(limit - 1, INT32_MAX)));
    bottom_row = r == NOT_FOUND ? n - 1 : r;
    bottom_row = std::max(bottom_row, top_row);
}

void NxListComponent::makeVisible(int row) {
    TreeLock guard(*this);  // scrolling sets the scroll bar, which takes the tree lock first
    int n = int(items.size());
    if (row < 0 || row >= n) return;
    last_visible = row;
    int origin = std::max(vert_origin, 0);
    int view = getDrawingAreaHeight();
    int top = getRowPosition(row);
    int64_t bottom = int64_t(top) + getRowHeight(row);
    if (top < origin)
        scrollTo(top);
    else if (bottom > int64_t(origin) + view)
        scrollTo(int(std::min<int64_t>(bottom - view, INT32_MAX)));
}

Rectangle NxListComponent::getBounds(int row, bool adjust) {
    if (row < 0 || row >= int(items.size())) return {};
    Rectangle a = getDrawingArea();
    int y = a.y + getRowPosition(row);
    int x = a.x;
    if (adjust) {
        x -= horiz_origin;
        y -= std::max(vert_origin, 0);
    }
    return {x, y, std::max(preferredWidth(), a.width), getRowHeight(row)};
}

bool NxListComponent::inside(int row, int x, int y) { return getBounds(row, true).contains(x, y); }

int NxListComponent::eventToRow(const host::Event& e, bool visible) {
    Rectangle a = getDrawingArea();
    if (visible && !a.contains(e.x, e.y)) return NOT_FOUND;
    int64_t y = int64_t(e.y) - a.y + std::max(vert_origin, 0);
    if (y < 0 || y > INT32_MAX) return NOT_FOUND;
    return rowAt(int(y));
}

void NxListComponent::calcSize(bool update_parent) {
    {
        Lock guard(mutex());
        if (!hasPeer()) return;
        if (batched) {
            needs_recalc = true;
            return;
        }
        int n = int(items.size());
        int fontHeight = getFontMetrics(getFont()).getHeight() + space();
        if (row_height_ext == FONT_HEIGHT)
            row_height = fontHeight;
        else if (row_height_ext >= 0)
            row_height = row_height_ext;
        else if (row_pos.size() != size_t(n) + 1)
            rebuildRowPositions(0);
        int64_t total = totalHeight();
        int64_t pref;
        if (visible_rows < 1) {
            int rh = row_height_ext == VARIABLE ? fontHeight : row_height;
            // An empty list still prefers room for rows of the font's height.
            if (rh <= 0) rh = fontHeight;
            pref = 4 * int64_t(rh);
            if (row_height_ext == VARIABLE) pref = std::max(pref, total);
        } else if (visible_rows < n) {
            pref = row_height_ext == VARIABLE ? row_pos[size_t(visible_rows)] : int64_t(visible_rows) * row_height;
        } else {
            int64_t avg = n > 0 ? total / n : (row_height > 0 && row_height_ext != VARIABLE ? row_height : fontHeight);
            pref = total + avg * (visible_rows - n);
        }
        pref_height_internal = int(std::min<int64_t>(pref, INT32_MAX));
    }
    if (update_parent) updateParent();
    if (scrolled_window && update_parent) scrolled_window->layout();
}

int NxListComponent::preferredWidth() {
    Lock guard(mutex());
    if (pref_width_internal == 0) {
        int w = 0;
        for (size_t i = 0; i < items.size(); ++i) w = std::max(w, OmbuUtil::getWidth(items[i], this));
        pref_width_internal = w + 2 * highlight;
    }
    return pref_width_internal;
}

int NxListComponent::preferredHeight() {
    Lock guard(mutex());
    if (pref_height_internal == 0) {
        int fh = getFontMetrics(getFont()).getHeight() + space();
        return 4 * fh;
    }
    return pref_height_internal;
}

host::Dimension NxListComponent::scrollableSize() {
    Lock guard(mutex());
    // The frame around the drawing area, whatever size the list has now.
    int k = 2 * (highlight + shadow);
    int frameW = k + insets_.left + insets_.right, frameH = k + insets_.top + insets_.bottom;
    int64_t h = totalHeight() + frameH;
    return {preferredWidth() + frameW, int(std::min<int64_t>(h, INT32_MAX))};
}

// Appearance

Color NxListComponent::getSelectedBackground() const {
    if (selected_bg) return *selected_bg;
    if (getUseSystemColors()) return host::SystemColor::textHighlight;
    return getForeground().value_or(Color::black);
}

void NxListComponent::setSelectedBackground(const host::OptColor& c) {
    Lock guard(mutex());
    selected_bg = c;
    repaint();
}

Color NxListComponent::getSelectedForeground() const {
    if (selected_fg) return *selected_fg;
    if (getUseSystemColors()) return host::SystemColor::textHighlightText;
    return getBackground().value_or(Color::white);
}

void NxListComponent::setSelectedForeground(const host::OptColor& c) {
    Lock guard(mutex());
    selected_fg = c;
    repaint();
}

void NxListComponent::setFont(const host::Font& f) {
    {
        Lock guard(mutex());
        NxComponent::setFont(f);
        pref_width_internal = 0;
        rebuildRowPositions(0);
    }
    calcSize(true);
}

void NxListComponent::repaint() {
    Lock guard(mutex());
    if (batched) {
        needs_repaint = true;
        return;
    }
    ++repaints;
    NxComponent::repaint();
}

void NxListComponent::setBatched(bool b) {
    bool recalc, paint;
    {
        Lock guard(mutex());
        if (b == batched) return;
        batched = b;
        if (b) return;
        recalc = needs_recalc;
        paint = needs_repaint || recalc;
        needs_recalc = needs_repaint = false;
    }
    if (recalc) calcSize(true);
    if (paint) repaint();
}

void NxListComponent::paintComponent(host::Graphics& g) {
    Lock guard(mutex());
    int n = int(items.size());
    if (n == 0) return;
    top_row = std::clamp(top_row, 0, n - 1);
    if (vert_origin == -999) vert_origin = getRowPosition(top_row);
    calcBottomRow();
    g.setColor(isEnabled() ? getForeground().value_or(Color::black) : OmbuUtil::darker(Color::lightGray));
    for (int r = top_row; r <= bottom_row; ++r) paintRow(r, g);
}

void NxListComponent::paintRow(int row) {
    Lock guard(mutex());
    if (batched || !isShowing() || row < top_row || row > bottom_row || row >= int(items.size())) return;
    auto gp = getGraphics();
    if (!gp) return;
    Rectangle a = getDrawingArea();
    gp->clipRect(a.x, a.y, a.width, a.height);
    gp->setFont(getFont());
    paintRow(row, *gp);
    gp->dispose();
}

void NxListComponent::paintRow(int row, host::Graphics& g) {
    Lock guard(mutex());
    if (row < 0 || row >= int(items.size())) return;
    Rectangle a = getDrawingArea();
    Rectangle r{a.x - horiz_origin, a.y + getRowPosition(row) - std::max(vert_origin, 0),
                std::max(preferredWidth(), a.width), getRowHeight(row)};
    if (auto clip = g.getClipBounds(); clip && !clip->intersects(r)) return;
    Color fg = isEnabled() ? getForeground().value_or(Color::black) : OmbuUtil::darker(Color::lightGray);
    if (selected[size_t(row)]) {
        g.setColor(getSelectedBackground());
        g.fillRect(r.x, r.y, r.width, r.height);
        fg = getSelectedForeground();
    } else {
        g.setColor(getBackground().value_or(Color::white));
        g.fillRect(r.x, r.y, r.width, r.height);
    }
    if (hasFocus() && row == focus_row) drawHighlight(g, row, true);
    g.setColor(fg);
    g.setFont(getFont());
    int h = highlight;
    draw(g, items[size_t(row)], row, {r.x + h, r.y + h, r.width - 2 * h, r.height - 2 * h});
}

void NxListComponent::draw(host::Graphics& g, const Value& item, int, const Rectangle& r) {
    OmbuUtil::draw(this, g, item, OmbuEnum::MIDDLELEFT, r);
}

void NxListComponent::drawHighlight(int row, bool on) {
    Lock guard(mutex());
    if (!isShowing() || row < top_row || row > bottom_row) return;
    if (auto gp = getGraphics()) {
        Rectangle a = getDrawingArea();
        gp->clipRect(a.x, a.y, a.width, a.height);
        drawHighlight(*gp, row, on);
        gp->dispose();
    }
}

void NxListComponent::drawHighlight(host::Graphics& g, int row, bool on) {
    if (row < 0 || row >= int(items.size())) return;
    Rectangle r = getBounds(row, true);
    host::OptColor c = on ? highlight_color : getBackground();
    Color color = c.value_or(getForeground().value_or(Color::black));
    if (selected[size_t(row)]) color = on ? Color::yellow : getSelectedBackground();
    g.setColor(color);
    if (on)
        OmbuUtil::drawDashedRect(g, r.x, r.y, r.width - 1, r.height - 1);
    else
        g.drawRect(r.x, r.y, r.width - 1, r.height - 1);
}

// Listeners

void NxListComponent::addItemListener(NxItemListener* l) { itemListeners.add(l); }
void NxListComponent::removeItemListener(NxItemListener* l) { itemListeners.remove(l); }
void NxListComponent::addActionListener(NxActionListener* l) { actionListeners.add(l); }
void NxListComponent::removeActionListener(NxActionListener* l) { actionListeners.remove(l); }
std::vector<NxItemListener*> NxListComponent::itemListenerList() { return itemListeners.snapshot(); }
std::vector<NxActionListener*> NxListComponent::actionListenerList() { return actionListeners.snapshot(); }

host::Object* NxListComponent::eventSource() {
    if (scrolled_window) return scrolled_window;
    return this;
}

}  // namespace norvex::ombu
