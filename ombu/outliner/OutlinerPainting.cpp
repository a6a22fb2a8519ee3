// NxOutlinerComponent: icons, row geometry, column widths and painting. Painting
// draws only the rows in view, found by index in the row list.
#include <algorithm>

#include "host/graphics/Graphics.h"
#include "ombu/OmbuUtil.h"
#include "ombu/outliner/NxOutliner.h"
#include "ombu/outliner/NxOutlinerComponent.h"
#include "util/NxImageCreator.h"
#include "util/NxVector.h"

namespace norvex::ombu {

using host::Color;
using host::Lock;
using host::Rectangle;
using host::Value;
using Rows = std::vector<std::string>;

namespace {

const Rows& itemIconRows() {
    static const Rows r{"                ", "   .......      ", "   .XXXXXX.     ", "   .XXXXXXX.    ",
                        "   .X.....XX.   ", "   .XXXXXXXX.   ", "   .X......X.   ", "   .XXXXXXXX.   ",
                        "   .X......X.   ", "   .XXXXXXXX.   ", "   .X......X.   ", "   .XXXXXXXX.   ",
                        "   .X......X.   ", "   .XXXXXXXX.   ", "   ..........   ", "                "};
    return r;
}

const Rows& openFolderRows() {
    static const Rows r{"  ......        ", " .XXXXXX.       ", " .XXXXXX.       ", ".XXXXXXXX..     ",
                        ".XXXXXXXXXX.    ", ".XXXXXXXXXX.    ", ".XXX........... ", ".XXX.ooooooooo. ",
                        ".XX.oooooooooo. ", ".XX.ooooooooo.  ", ".X.oooooooooo.  ", ".X.ooooooooo.   ",
                        "..oooooooooo.   ", " ...........    ", "                ", "                "};
    return r;
}

const Rows& closedFolderRows() {
    static const Rows r{"  ........      ", " .XXXXXXXX.     ", " .XXXXXXXX.     ", "............... ",
                        ".XXXXXXXXXXXXXX.", ".XXXXXXXXXXXXXX.", ".XXXXXXXXXXXXXX.", ".XXXXXXXXXXXXXX.",
                        ".XXXXXXXXXXXXXX.", ".XXXXXXXXXXXXXX.", ".XXXXXXXXXXXXXX.", ".XXXXXXXXXXXXXX.",
                        ".XXXXXXXXXXXXXX.", " ...............", "                ", "                "};
    return r;
}

std::shared_ptr<host::Image> makeIcon(const Rows& rows, Color x) {
    util::NxImageCreator c(nullptr, int(rows[0].size()), int(rows.size()));
    c.setColor('X', x);
    c.setColor('.', Color::black);
    c.setColor('o', Color::lightGray);
    return c.create(rows);
}

// Column 0's value, or cell col of a vector label.
Value cellOf(const NxOutlinerNode* n, int col) {
    const Value& l = n->getLabel();
    if (auto v = l.isObject() ? host::cast<util::NxVector>(l.asObject()) : nullptr)
        return col < v->size() ? v->elementAt(col) : Value();
    return col == 0 ? l : Value();
}

}  // namespace

void NxOutlinerComponent::makeDefaultIcons() {
    auto item = makeIcon(itemIconRows(), Color::white);
    auto closed = makeIcon(closedFolderRows(), Color::yellow);
    auto open = makeIcon(openFolderRows(), Color::yellow);
    default_style->setItemIcon(item);
    default_style->setItemSelectedIcon(item);
    default_style->setFolderClosedIcon(closed);
    default_style->setFolderClosedSelectedIcon(closed);
    default_style->setFolderOpenIcon(open);
    default_style->setFolderOpenSelectedIcon(open);
}

void NxOutlinerComponent::makeShortcutIcons() {
    Rows plus{".........", ".       .", ".   .   .", ".   .   .", ". ..... .",
              ".   .   .", ".   .   .", ".       .", "........."};
    Rows minus = plus;
    for (int r : {2, 3, 5, 6}) minus[size_t(r)] = ".       .";
    util::NxImageCreator c(nullptr, SHORTCUT_SIZE, SHORTCUT_SIZE);
    c.setColor('.', getForeground().value_or(Color::black));
    c.setColor(' ', getBackground().value_or(Color::white));
    shortcut_open_icon = c.create(plus);
    shortcut_close_icon = c.create(minus);
}

void NxOutlinerComponent::addNotify() {
    NxComponent::addNotify();
    makeShortcutIcons();
    {
        Lock guard(mutex());
        rebuildRows();
    }
    pref_width_internal = 0;
    updateParent();
    if (scrolled_window) scrolled_window->layout();
}

void NxOutlinerComponent::setForeground(const Color& c) {
    NxComponent::setForeground(c);
    makeShortcutIcons();
}

void NxOutlinerComponent::setBackground(const Color& c) {
    NxComponent::setBackground(c);
    makeShortcutIcons();
}

void NxOutlinerComponent::setFont(const host::Font& f) {
    NxComponent::setFont(f);
    pref_width_internal = 0;
    setNodeHeight(0);
}

// Geometry

NxOutlinerNodeStyle& NxOutlinerComponent::getStyle(const NxOutlinerNode* node) const {
    if (node && node->getStyle()) return *node->getStyle();
    return *default_style;
}

std::shared_ptr<host::Image> NxOutlinerComponent::getIcon(const NxOutlinerNode* node) const {
    if (!node) return nullptr;
    const NxOutlinerNodeStyle& s = getStyle(node);
    auto pick = [&](const std::shared_ptr<host::Image>& plain, const std::shared_ptr<host::Image>& sel) {
        return node->selected && sel ? sel : plain;
    };
    if (!node->isFolder()) return pick(s.getItemIcon(), s.getItemSelectedIcon());
    if (node->getState() == OmbuEnum::FOLDER_CLOSED)
        return pick(s.getFolderClosedIcon(), s.getFolderClosedSelectedIcon());
    return pick(s.getFolderOpenIcon(), s.getFolderOpenSelectedIcon());
}

int NxOutlinerComponent::calculateStyleHeight(const NxOutlinerNodeStyle* style) {
    if (!style) return 0;
    host::Font f = style->getFont().value_or(getFont());
    int h = getFontMetrics(f).getHeight();
    for (const auto* im : {&style->getItemIcon(), &style->getItemSelectedIcon(), &style->getFolderClosedIcon(),
                           &style->getFolderClosedSelectedIcon(), &style->getFolderOpenIcon(),
                           &style->getFolderOpenSelectedIcon()})
        if (*im) h = std::max(h, (*im)->getHeight());
    return h;
}

int NxOutlinerComponent::calculateNodeHeight(const NxOutlinerNode* node) { return calculateStyleHeight(&getStyle(node)); }

int NxOutlinerComponent::labelX(int depth) const {
    int x = COLUMN_MARGIN + depth * node_indent + getDrawingArea().x - horiz_origin;
    if (!root_visible && root_shortcut) x += node_indent / 2;
    return x;
}

Rectangle NxOutlinerComponent::getBounds(const NxOutlinerNode* node) {
    if (!node) return {};
    const NxOutlinerNodeStyle& s = getStyle(node);
    host::Font f = s.getFont().value_or(getFont());
    int w = OmbuUtil::getWidth(cellOf(node, 0), this, f) + 2 * highlight + 1;
    if (auto icon = getIcon(node)) w += icon->getWidth() + s.getIconSpacing();
    int full = getFullNodeHeight();
    return {labelX(node->indent), node->row * full + getDrawingArea().y - vert_origin, w, full};
}

bool NxOutlinerComponent::isVisible(const NxOutlinerNode* node) {
    Rectangle a = getDrawingArea();
    int y = getBounds(node).y;
    return a.y < y + full_node_height && y < a.y + a.height;
}

int NxOutlinerComponent::calcWidth(const NxOutlinerNode* node, int col) {
    if (!node) return 0;
    const NxOutlinerNodeStyle& s = getStyle(node);
    int w = OmbuUtil::getWidth(cellOf(node, col), this, s.getFont().value_or(getFont()));
    if (col == 0) {
        if (auto icon = getIcon(node)) w += icon->getWidth() + s.getIconSpacing();
        w += node->getLevel() * node_indent;
    }
    return w;
}

int NxOutlinerComponent::calcWidth(int col) {
    ensureRows();
    int w = 0;
    for (auto* n : node_list) w = std::max(w, calcWidth(n, col));
    return w + 2 * COLUMN_MARGIN;
}

void NxOutlinerComponent::calcColumnWidths() {
    column_widths.assign(size_t(num_columns), 0);
    if (!hasPeer()) return;
    for (int c = 0; c < num_columns; ++c) column_widths[size_t(c)] = calcWidth(c);
}

void NxOutlinerComponent::setNumColumns(int n) {
    num_columns = std::max(1, n);
    pref_width_internal = 0;
    repaint();
}

int NxOutlinerComponent::getColumnPosition(int col) const {
    int x = 0;
    for (int c = 0; c < col && size_t(c) < column_widths.size(); ++c) x += column_widths[size_t(c)];
    return x;
}

int NxOutlinerComponent::getColumnWidth(int col) const {
    return col >= 0 && size_t(col) < column_widths.size() ? column_widths[size_t(col)] : 0;
}

int NxOutlinerComponent::preferredWidth() {
    Lock guard(mutex());
    if (pref_width_internal == 0) {
        calcColumnWidths();
        pref_width_internal = getColumnPosition(num_columns);
    }
    return pref_width_internal;
}

int NxOutlinerComponent::preferredHeight() {
    Lock guard(mutex());
    ensureRows();
    int full = getFullNodeHeight();
    int n = visible_rows >= 1 ? visible_rows : num_rows;
    int64_t h = int64_t(full) * n + 2 * (shadow + highlight) + insets_.top + insets_.bottom;
    return int(std::min<int64_t>(h, INT32_MAX));
}

host::Dimension NxOutlinerComponent::scrollableSize() {
    Lock guard(mutex());
    ensureRows();
    int k = 2 * (shadow + highlight);
    int64_t h = int64_t(getFullNodeHeight()) * num_rows + k + insets_.top + insets_.bottom;
    return {preferredWidth() + k + insets_.left + insets_.right, int(std::min<int64_t>(h, INT32_MAX))};
}

// Painting

void NxOutlinerComponent::repaint() {
    Lock guard(mutex());
    if (batched) {
        needs_repaint = true;
        return;
    }
    NxComponent::repaint();
}

void NxOutlinerComponent::paintComponent(host::Graphics& g) {
    Lock guard(mutex());
    ensureRows();
    if (!root) return;
    if (column_widths.size() != size_t(num_columns)) calcColumnWidths();
    root_shortcut = getStyle(root.get()).getShortcut();
    int full = getFullNodeHeight();
    if (full <= 0 || rows.empty()) return;
    Rectangle a = getDrawingArea();
    int64_t first = std::max<int64_t>(0, vert_origin / full);
    int64_t last = std::min<int64_t>(int64_t(rows.size()) - 1, (int64_t(vert_origin) + a.height) / full);
    for (int64_t r = first; r <= last; ++r) {
        NxOutlinerNode* n = rows[size_t(r)];
        drawConnectors(g, n);
        drawRow(g, n);
    }
}

void NxOutlinerComponent::drawConnectors(host::Graphics& g, NxOutlinerNode* node) {
    int full = full_node_height;
    int half = node_indent / 2;
    int y = node->row * full + getDrawingArea().y - vert_origin;
    int ym = y + full / 2;
    Rectangle a = getDrawingArea();
    // Lines are drawn unless the parent is the hidden root without a shortcut.
    auto linesUnder = [&](const NxOutlinerNode* parent) { return parent != root.get() || root_visible || root_shortcut; };
    NxOutlinerFolderNode* parent = node->getParent();
    if (!parent || !linesUnder(parent)) return;
    Color lineColor = getStyle(node).getLineColor().value_or(getForeground().value_or(Color::black));
    g.setColor(lineColor);
    int xm = labelX(node->indent - 1) + half;
    g.drawLine(xm, ym, xm + half - 1, ym);
    g.drawLine(xm, y, xm, isLastDrawn(node) ? ym : y + full - 1);
    if (node->isFolder()) drawShortcut(g, static_cast<NxOutlinerFolderNode*>(node), xm, ym);
    // Lines of the ancestors that have later drawn siblings pass through this row.
    for (NxOutlinerNode* anc = parent; anc && anc->getParent() && linesUnder(anc->getParent());
         anc = anc->getParent()) {
        int ax = labelX(anc->indent - 1) + half;
        if (ax > a.x + a.width) continue;
        if (!isLastDrawn(anc)) {
            g.setColor(getStyle(anc).getLineColor().value_or(getForeground().value_or(Color::black)));
            g.drawLine(ax, y, ax, y + full - 1);
        }
    }
}

void NxOutlinerComponent::drawShortcut(host::Graphics& g, NxOutlinerFolderNode* folder, int x, int y) {
    if (!getStyle(folder).getShortcut()) {
        folder->shortcut_x = -999;
        return;
    }
    auto& icon = folder->getState() == OmbuEnum::FOLDER_CLOSED ? shortcut_open_icon : shortcut_close_icon;
    if (icon) g.drawImage(icon.get(), x - 4, y - 4);
    folder->shortcut_x = x;
    folder->shortcut_y = y;
}

void NxOutlinerComponent::drawRow(host::Graphics& g, NxOutlinerNode* node) {
    const NxOutlinerNodeStyle& s = getStyle(node);
    Rectangle r = getBounds(node);
    host::Font font = s.getFont().value_or(getFont());
    Color fg;
    if (node->selected) {
        g.setColor(s.getBackgroundSelected().value_or(host::SystemColor::textHighlight));
        g.fillRect(r.x, r.y, r.width, r.height);
        fg = s.getForegroundSelected().value_or(host::SystemColor::textHighlightText);
    } else {
        fg = s.getForeground().value_or(getForeground().value_or(Color::black));
    }
    if (hasFocus() && node == focus_node.get()) {
        g.setColor(Color::yellow);
        OmbuUtil::drawDashedRect(g, r.x, r.y, r.width - 1, r.height - 1);
    }
    Rectangle box{r.x + highlight, r.y + highlight, r.width - 2 * highlight, r.height - 2 * highlight};
    if (auto icon = getIcon(node)) {
        g.drawImage(icon.get(), box.x, box.y + (box.height - icon->getHeight()) / 2);
        int step = icon->getWidth() + s.getIconSpacing();
        box.x += step;
        box.width -= step;
    }
    g.setColor(fg);
    g.setFont(font);
    OmbuUtil::draw(this, g, cellOf(node, 0), OmbuEnum::MIDDLELEFT, box);
    // Further cells in their columns.
    Rectangle a = getDrawingArea();
    for (int c = 1; c < num_columns; ++c) {
        Value v = cellOf(node, c);
        if (v.isNull()) continue;
        Rectangle cell{a.x - horiz_origin + getColumnPosition(c) + COLUMN_MARGIN, r.y,
                       getColumnWidth(c) - 2 * COLUMN_MARGIN, r.height};
        g.setColor(getForeground().value_or(Color::black));
        OmbuUtil::draw(this, g, v, OmbuEnum::MIDDLELEFT, cell);
    }
}

void NxOutlinerComponent::drawNode(NxOutlinerNode* node, bool erase) {
    Lock guard(mutex());
    if (!node || batched || !isShowing() || !isDrawn(node) || !isVisible(node)) return;
    auto g = getGraphics();
    if (!g) return;
    Rectangle a = getDrawingArea();
    g->clipRect(a.x, a.y, a.width, a.height);
    if (erase && !node->selected) {
        Rectangle r = getBounds(node);
        g->setColor(getBackground().value_or(Color::white));
        g->fillRect(r.x, r.y, r.width, r.height);
    }
    g->setFont(getFont());
    drawRow(*g, node);
    g->dispose();
}

}  // namespace norvex::ombu
