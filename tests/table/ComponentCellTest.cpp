// Live components in table cells: clones made on demand for the visible cells of a
// row or column entry, reused while scrolling, released when replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TableViewSupport.h"
#include "ombu/widgets/NxButton.h"
#include "ombu/widgets/NxLabel.h"
#include "ombu/widgets/NxCheckbox.h"
#include "table/cells/Widget.h"

using host::Value;
using namespace norvex::table;
using norvex::ombu::NxButton;
using norvex::ombu::NxCheckbox;
using tabletest::ShownTable;

namespace {

constexpr int ALL = NxTblEnum::ALL;

struct ComponentTable : ShownTable {
    ComponentTable() : ShownTable(300, 200) {
        table->setNumRows(1000);
        table->setNumColumns(3);
    }
    void paint() { view().repaintAll(); }
    int visibleRows() const {
        NxCellRange r;
        if (!table->getVisibleCells(&r)) return 0;
        return r.end_row - r.start_row + 1;
    }
    // The clones of the one entry of the table.
    WidgetSeriesValue* entry() const {
        auto all = Widget::entries(*table);
        return all.size() == 1 ? all[0].second : nullptr;
    }
    // Children of the table that are check boxes, and those of them that show.
    int checkboxes(bool visible_only) const {
        int n = 0;
        for (auto& c : table->getComponents())
            if (dynamic_cast<NxCheckbox*>(c.get()) && (!visible_only || c->isVisible())) ++n;
        return n;
    }
};

struct CreateSpy : NxCreateComponentListener {
    int calls = 0;
    host::Component* source = nullptr;
    void createComponent(NxCreateComponentEvent& e) override {
        ++calls;
        source = e.source_component;
        e.component = host::create<NxButton>(nullptr, "made" + std::to_string(calls));
    }
};

struct DisplaySpy : NxDisplayComponentListener {
    std::vector<std::pair<int, int>> cells;
    void displayComponent(NxDisplayComponentEvent& e) override { cells.push_back({e.row, e.column}); }
};

}  // namespace

TEST(ComponentCells, AColumnEntryShowsOneCloneOfItsClassPerVisibleCell) {
    ComponentTable s;
    auto source = host::create<NxCheckbox>(nullptr, "source");
    s.table->setComponent(ALL, 1, source);
    s.show();
    s.paint();
    const int rows = s.visibleRows();
    ASSERT_GT(rows, 3);
    WidgetSeriesValue* w = s.entry();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->cloneCount(), rows);
    EXPECT_EQ(s.checkboxes(true), rows);
    EXPECT_EQ(source->getParent(), nullptr);  // the source itself never shows
    // Each visible cell of column 1 has its own clone, placed over the cell.
    std::set<host::Component*> distinct;
    Clip* cells = s.clip(Clip::CELL);
    for (int r = 0; r < rows; ++r) {
        auto c = s.table->getComponent(r, 1);
        ASSERT_TRUE(c) << r;
        EXPECT_NE(c.get(), source.get());
        distinct.insert(c.get());
        EXPECT_EQ(c->getX(), cells->getX() + int(cells->columnX(1)) + s.table->getShadowThickness());
        NxCellPosition at;
        ASSERT_TRUE(Widget::getPosition(*s.table, c.get(), &at));
        EXPECT_EQ(at, (NxCellPosition{r, 1}));
    }
    EXPECT_EQ(int(distinct.size()), rows);
    EXPECT_FALSE(s.table->getComponent(0, 0));  // other columns show text
    EXPECT_FALSE(s.table->getComponent(rows + 50, 1));  // no clone for a cell out of view
}

TEST(ComponentCells, ScrollingFarAndBackReusesTheClones) {
    ComponentTable s;
    s.table->setComponent(ALL, 1, host::create<NxCheckbox>(nullptr, "source"));
    DisplaySpy display;
    s.table->addDisplayComponentListener(&display);
    s.show();
    s.paint();
    WidgetSeriesValue* w = s.entry();
    ASSERT_NE(w, nullptr);
    const int made = w->cloneCount();
    const std::set<host::ComponentPtr> first(w->clones.begin(), w->clones.end());
    const int row_height = s.table->getRowHeights().getValue(0);

    // A small scroll brings one row in: at most one more clone.
    s.view().scrollVertical(row_height / 2);
    EXPECT_LE(w->cloneCount(), made + 1);
    const int after_small = w->cloneCount();
    // Far down and back, in whole pages and in one jump: no clone is made any more.
    for (int64_t y = 0; y < 300LL * row_height; y += 150) s.view().scrollVertical(y);
    s.view().scrollVertical(900LL * row_height);
    s.view().scrollVertical(0);
    EXPECT_EQ(w->cloneCount(), after_small);
    EXPECT_EQ(s.checkboxes(false), after_small);
    EXPECT_EQ(s.checkboxes(true), s.visibleRows());
    for (auto& c : first) EXPECT_NE(std::find(w->clones.begin(), w->clones.end(), c), w->clones.end());
    // The rows at the top show again, each through a reassigned clone that was told.
    for (int r = 0; r < s.visibleRows(); ++r) EXPECT_TRUE(s.table->getComponent(r, 1)) << r;
    display.cells.clear();
    s.view().scrollVertical(10LL * row_height);
    ASSERT_FALSE(display.cells.empty());
    for (auto& [row, col] : display.cells) EXPECT_EQ(col, 1);
    s.table->removeDisplayComponentListener(&display);
}

TEST(ComponentCells, ACreateListenerIsAskedOncePerNewCloneWithTheSource) {
    ComponentTable s;
    CreateSpy spy;
    s.table->addCreateComponentListener(&spy);
    auto source = host::create<NxCheckbox>(nullptr, "source");
    s.table->setComponent(ALL, 2, source);
    s.show();
    s.paint();
    WidgetSeriesValue* w = s.entry();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(spy.calls, w->cloneCount());
    EXPECT_EQ(spy.source, source.get());
    EXPECT_NE(dynamic_cast<NxButton*>(s.table->getComponent(0, 2).get()), nullptr);
    // Painting again asks nobody.
    s.paint();
    EXPECT_EQ(spy.calls, w->cloneCount());
    s.table->removeCreateComponentListener(&spy);
}

TEST(ComponentCells, OneComponentOnePlaceAndNullClearsEverything) {
    ComponentTable s;
    s.show();
    auto box = host::create<NxCheckbox>(nullptr, "box");
    s.table->setComponent(2, 0, box);
    s.paint();
    EXPECT_EQ(box->getParent(), s.table.get());
    EXPECT_EQ(s.table->getComponent(2, 0), box);
    // The same component set elsewhere moves there and its old entry goes.
    s.table->setComponent(3, 2, box);
    s.paint();
    EXPECT_FALSE(s.table->getComponent(2, 0));
    EXPECT_EQ(s.table->getComponent(3, 2), box);
    EXPECT_EQ(Widget::entries(*s.table).size(), 1u);
    NxCellPosition at;
    ASSERT_TRUE(Widget::getPosition(*s.table, box.get(), &at));
    EXPECT_EQ(at, (NxCellPosition{3, 2}));

    // Replacing a column entry releases its clones.
    s.table->setComponent(ALL, 1, host::create<NxCheckbox>(nullptr, "col"));
    s.paint();
    EXPECT_GT(s.checkboxes(false), 1);
    std::vector<host::ComponentPtr> old_clones;
    for (auto& [key, w] : Widget::entries(*s.table))
        if (key.row == ALL) old_clones = w->clones;
    ASSERT_EQ(int(old_clones.size()), s.visibleRows());
    s.table->setComponent(ALL, 1, host::create<NxCheckbox>(nullptr, "col2"));
    for (auto& c : old_clones) EXPECT_EQ(c->getParent(), nullptr);
    s.paint();
    EXPECT_EQ(s.checkboxes(false), 1 + s.visibleRows());  // the box and the new clones

    s.table->setComponent(ALL, ALL, nullptr);
    EXPECT_TRUE(Widget::entries(*s.table).empty());
    EXPECT_EQ(s.checkboxes(false), 0);
    EXPECT_EQ(box->getParent(), nullptr);
    EXPECT_FALSE(Widget::componentExistsInTable(*s.table, box.get()));
}

TEST(ComponentCells, DeletingTheRowOfAComponentReleasesIt) {
    ComponentTable s;
    s.show();
    auto box = host::create<NxCheckbox>(nullptr, "box");
    s.table->setComponent(1, 1, box);
    s.paint();
    ASSERT_EQ(box->getParent(), s.table.get());
    s.table->deleteRows(1, 1);
    EXPECT_EQ(box->getParent(), nullptr);
    EXPECT_TRUE(Widget::entries(*s.table).empty());
}

TEST(ComponentCells, PressesAComponentLeavesAloneDoNotReachTheCellBelow) {
    ComponentTable s;
    s.table->setSelectionPolicy(NxTblEnum::SELECT_SINGLE);
    // A label takes no presses: they travel up to the table.
    s.table->setComponent(ALL, 1, host::create<norvex::ombu::NxLabel>(nullptr, "label"));
    s.show();
    s.paint();
    auto c = s.table->getComponent(2, 1);
    ASSERT_TRUE(c);
    host::Event down(c.get(), 1, host::Event::MOUSE_DOWN, 3, 3, 0, 0);
    c->postEvent(down);
    EXPECT_EQ(s.table->getEditRow(), NxTblEnum::NOVALUE);
    EXPECT_TRUE(s.table->getSelectedCells().empty());
    // The same press inside a text cell of that row (away from its borders, where a press
    // would start a resize) does reach it.
    Clip* cells = s.clip(Clip::CELL);
    host::Event press(cells, 2, host::Event::MOUSE_DOWN, int(cells->columnX(0)) + 10, int(cells->rowY(2)) + 8, 0, 0);
    cells->postEvent(press);
    EXPECT_EQ(s.table->getEditRow(), 2);
}
