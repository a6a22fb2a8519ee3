// Cell editing (open, commit, cancel, validation with its events and the flash of a
// refused value), resizing rows and columns by dragging a border, and the current cell
// following inserted, deleted and moved rows.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TableViewSupport.h"
#include "host/ui/Toolkit.h"
#include "table/interact/Actions.h"
#include "table/model/NxTblEnum.h"

using host::Event;
using host::Value;
using namespace norvex::table;
using tabletest::ShownTable;

namespace {

using E = NxTblEnum;

struct Events : NxValidateCellListener, NxResizeCellListener {
    int begins = 0, ends = 0, resize_begins = 0, resize_ends = 0;
    bool veto = false, veto_resize = false;
    std::optional<Value> replace;
    int last_width = 0, last_height = 0;
    void validateCellBegin(NxValidateCellEvent& e) override {
        ++begins;
        if (veto) e.doit = false;
        if (replace) e.value = *replace;
    }
    void validateCellEnd(NxValidateCellEvent&) override { ++ends; }
    void resizeCellBegin(NxResizeCellEvent& e) override {
        ++resize_begins;
        last_width = e.current_column_width, last_height = e.current_row_height;
    }
    void resizeCellEnd(NxResizeCellEvent& e) override {
        ++resize_ends;
        if (veto_resize) e.doit = false;
    }
};

struct Sheet : ShownTable {
    int64_t when = 0;
    Events ev;
    Sheet(int rows = 6, int cols = 4) : ShownTable(400, 300) {
        table->setNumRows(rows);
        table->setNumColumns(cols);
        std::vector<Value> labels;
        for (int c = 0; c < cols; ++c) labels.emplace_back("C" + std::to_string(c));
        table->setColumnLabels(labels);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) table->setCell(r, c, Value(r * 10 + c));
        table->addValidateCellListener(&ev);
        table->addResizeCellListener(&ev);
        show();
    }
    ~Sheet() {
        table->removeValidateCellListener(&ev);
        table->removeResizeCellListener(&ev);
    }
    // Table pixels of a cell's top-left corner.
    host::Point corner(int row, int col) const {
        Clip* c = view().find(row, col);
        return {c->getX() + int(c->columnX(col)), c->getY() + int(c->rowY(row))};
    }
    void mouseAt(int id, int x, int y, int mods = 0) {
        Event e(table.get(), ++when, id, x, y, 0, mods);
        table->postEvent(e);
    }
    // A click in the middle of a cell, away from the borders that start a resize.
    void click(int row, int col) {
        Clip* c = view().find(row, col);
        auto p = corner(row, col);
        const int x = p.x + c->columnWidth(col) / 2, y = p.y + c->rowHeight(row) / 2;
        mouseAt(Event::MOUSE_DOWN, x, y);
        mouseAt(Event::MOUSE_UP, x, y);
    }
    void key(int k, int mods = 0) {
        Event e(table.get(), ++when, k >= 1000 ? Event::KEY_ACTION : Event::KEY_PRESS, 0, 0, k, mods);
        table->postEvent(e);
    }
    void type(const std::string& s) {
        for (char c : s) key(c);
    }
    std::string editorText() const { return table->getTextComponent() ? table->getTextComponent()->getText() : "-"; }
    std::pair<int, int> current() const { return {table->getEditRow(), table->getEditColumn()}; }
    // Drags the right border of a column (or bottom border of a row) by d pixels.
    void dragBorder(bool row, int index, int d, bool escape = false) {
        Clip* c = view().find(row ? index : 0, row ? 0 : index);
        const int x = row ? c->getX() + 3 : c->getX() + int(c->columnX(index) + c->columnWidth(index));
        const int y = row ? c->getY() + int(c->rowY(index) + c->rowHeight(index)) : c->getY() + 3;
        mouseAt(Event::MOUSE_DOWN, x - 1, y - (row ? 1 : 0));
        mouseAt(Event::MOUSE_DRAG, row ? x : x + d / 2, row ? y + d / 2 : y);
        mouseAt(Event::MOUSE_DRAG, row ? x : x + d, row ? y + d : y);
        if (escape) key(Event::ESCAPE);
        mouseAt(Event::MOUSE_UP, row ? x : x + d, row ? y + d : y);
    }
};

}  // namespace

TEST(TableEdit, ClickOpensTheEditorTypingAndEnterCommit) {
    Sheet s;
    s.click(1, 2);
    ASSERT_NE(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.editorText(), "12");
    // The editor draws in the cell: its text shows in the paint log.
    s.key(Event::END);
    s.type("5");
    EXPECT_EQ(s.editorText(), "125");
    EXPECT_EQ(s.table->getCell(1, 2), Value(12));
    s.key(Event::ENTER);
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.table->getCell(1, 2).toString(), "125");
    EXPECT_EQ(s.current(), std::make_pair(1, 2));
    // Without validation no event is sent.
    EXPECT_EQ(s.ev.begins, 0);

    // The first key on the current cell opens the editor with that key alone.
    s.type("x");
    EXPECT_EQ(s.editorText(), "x");
    // Tab commits and moves on, the next cell gets its editor.
    s.key(Event::TAB);
    EXPECT_EQ(s.table->getCell(1, 2).toString(), "x");
    EXPECT_EQ(s.current(), std::make_pair(1, 3));
    EXPECT_EQ(s.editorText(), "13");
    // Backspace opens it empty; Down from the field commits and moves down.
    s.key(Event::ENTER);
    s.key(Event::BACK_SPACE);
    EXPECT_EQ(s.editorText(), "");
    s.key(Event::DOWN);
    EXPECT_EQ(s.current(), std::make_pair(2, 3));
    EXPECT_EQ(s.table->getCell(1, 3).toString(), "");
}

TEST(TableEdit, EscapeRestoresTheTextAndKeepsTheEditor) {
    Sheet s;
    s.click(0, 0);
    s.type("abc");
    s.key(Event::ESCAPE);
    ASSERT_NE(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.editorText(), "0");
    EXPECT_EQ(s.table->getCell(0, 0), Value(0));
    // An unchanged commit stores nothing: the integer stays an integer.
    s.key(Event::ENTER);
    EXPECT_EQ(s.table->getCell(0, 0), Value(0));
    s.table->cancelEdit(true);
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
}

TEST(TableEdit, NonEditableAndMultiLineCells) {
    Sheet s;
    s.table->setEditable(2, 1, false);
    s.click(2, 1);
    EXPECT_EQ(s.current(), std::make_pair(2, 1));
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
    s.type("z");  // no editor opens
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.table->getCell(2, 1), Value(21));

    s.table->setMultiline(3, 1, true);
    s.table->setMaxLength(3, 1, 4);
    s.table->setStringCase(3, 1, E::CASE_UPPER);
    s.click(3, 1);
    auto* area = dynamic_cast<host::TextArea*>(s.table->getTextComponent());
    ASSERT_NE(area, nullptr);
    s.key(Event::BACK_SPACE);
    s.key(Event::BACK_SPACE);
    s.type("a");
    s.key(Event::ENTER);  // a line break, not a commit
    s.type("bcd");
    EXPECT_EQ(s.editorText(), "A\nBC");
    s.key(Event::UP);  // moves inside the area, not to another cell
    EXPECT_EQ(s.current(), std::make_pair(3, 1));
    s.key(Event::TAB);
    EXPECT_EQ(s.table->getCell(3, 1).toString(), "A\nBC");
}

TEST(TableValidate, ValueChecksOfTheDataTypes) {
    EXPECT_TRUE(Actions::checkValue("TRUE", E::TYPE_BOOLEAN));
    EXPECT_TRUE(Actions::checkValue("false", E::TYPE_BOOLEAN));
    EXPECT_TRUE(Actions::checkValue("t", E::TYPE_BOOLEAN));
    EXPECT_TRUE(Actions::checkValue("f", E::TYPE_BOOLEAN));
    EXPECT_FALSE(Actions::checkValue("T", E::TYPE_BOOLEAN));
    EXPECT_FALSE(Actions::checkValue("yes", E::TYPE_BOOLEAN));
    EXPECT_TRUE(Actions::checkValue(" 42 ", E::TYPE_INTEGER));
    EXPECT_FALSE(Actions::checkValue("abc", E::TYPE_INTEGER));
    EXPECT_FALSE(Actions::checkValue("4.5", E::TYPE_INTEGER));
    EXPECT_FALSE(Actions::checkValue("", E::TYPE_INTEGER));
    EXPECT_TRUE(Actions::checkValue("4.5", E::TYPE_DOUBLE));
    EXPECT_TRUE(Actions::checkValue("1e3", E::TYPE_FLOAT));
    EXPECT_FALSE(Actions::checkValue("x1", E::TYPE_DOUBLE));
    EXPECT_TRUE(Actions::checkValue("anything", E::TYPE_STRING));
    EXPECT_FALSE(Actions::checkValue("not a date", E::TYPE_DATE));
    EXPECT_EQ(Actions::convertValue("t", E::TYPE_BOOLEAN), Value(true));
    EXPECT_EQ(Actions::convertValue("FALSE", E::TYPE_BOOLEAN), Value(false));
    EXPECT_EQ(Actions::convertValue("7", E::TYPE_INTEGER), Value(7));
}

TEST(TableValidate, RefusedValueStaysRefusedAndTheEditorFlashes) {
    Sheet s;
    s.table->setValidatePolicy(E::VALIDATE_USER_EDIT);
    s.table->setDatatype(E::ALL, 1, E::TYPE_INTEGER);
    s.click(0, 1);
    s.key(Event::BACK_SPACE, 0);
    s.table->getTextComponent()->selectAll();
    s.type("abc");
    s.key(Event::ENTER);
    // Not an integer: the old value is kept, the editor stays with its text, and flashes.
    EXPECT_EQ(s.table->getCell(0, 1), Value(1));
    ASSERT_NE(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.editorText(), "abc");
    EXPECT_TRUE(s.table->isFlashing());
    EXPECT_EQ(s.ev.begins, 0);  // the type check refused it before the listeners
    // Moving away is refused as well.
    s.key(Event::TAB);
    EXPECT_EQ(s.current(), std::make_pair(0, 1));
    s.click(3, 3);
    EXPECT_EQ(s.current(), std::make_pair(0, 1));
    // The flash ends by itself, through the event queue.
    EXPECT_TRUE([&] {
        for (int i = 0; i < 300 && s.table->isFlashing(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return !s.table->isFlashing();
    }());
    host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    EXPECT_FALSE(s.table->getTextComponent()->isInverted());

    // A listener's veto: the event is sent, the value kept, no end event.
    s.table->getTextComponent()->selectAll();
    s.type("13");
    s.ev.veto = true;
    EXPECT_FALSE(s.table->commitEdit(true));
    EXPECT_EQ(s.ev.begins, 1);
    EXPECT_EQ(s.ev.ends, 0);
    EXPECT_EQ(s.table->getCell(0, 1), Value(1));
    EXPECT_NE(s.table->getTextComponent(), nullptr);
    // A listener may change the value; it is stored typed, without a second validation.
    s.ev.veto = false;
    s.ev.replace = Value(130);
    EXPECT_TRUE(s.table->commitEdit(true));
    EXPECT_EQ(s.table->getCell(0, 1), Value(130));
    EXPECT_EQ(s.ev.begins, 2);
    EXPECT_EQ(s.ev.ends, 1);
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
    host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
}

TEST(TableValidate, AcceptedTextIsStoredAsTheCellType) {
    Sheet s;
    s.table->setValidatePolicy(E::VALIDATE_ALWAYS);
    s.table->setDatatype(E::ALL, 2, E::TYPE_BOOLEAN);
    s.click(1, 2);
    s.table->getTextComponent()->selectAll();
    s.type("t");
    s.key(Event::ENTER);
    EXPECT_EQ(s.table->getCell(1, 2), Value(true));
    EXPECT_EQ(s.ev.ends, 1);
    s.table->setDatatype(E::ALL, 3, E::TYPE_INTEGER);
    s.click(2, 3);
    s.table->getTextComponent()->selectAll();
    s.type(" 77");
    s.key(Event::ENTER);
    EXPECT_EQ(s.table->getCell(2, 3), Value(77));
}

TEST(TableResize, DraggingAColumnBorder) {
    Sheet s;
    s.table->setTraversable(E::ALL, E::ALL, false);
    const int w0 = s.table->getColumnWidths().getValue(1);
    s.dragBorder(false, 1, 30);
    EXPECT_EQ(s.table->getColumnWidths().getValue(1), w0 + 30);
    EXPECT_EQ(s.table->getPixelWidth(1), w0 + 30);
    EXPECT_EQ(s.ev.resize_begins, 1);
    EXPECT_EQ(s.ev.last_width, w0);
    EXPECT_EQ(s.ev.resize_ends, 1);
    // The guide line was drawn by inversion, and erased the same way.
    EXPECT_GE(s.count("setXORMode"), 2);
    // Dragged to 2 pixels from its left edge: the smallest width, 5.
    Clip* c = s.view().find(0, 2);
    const int left = c->getX() + int(c->columnX(2)), right = left + c->columnWidth(2);
    s.mouseAt(Event::MOUSE_DOWN, right + 2, c->getY() + 3);
    s.mouseAt(Event::MOUSE_DRAG, left + 2, c->getY() + 3);
    s.mouseAt(Event::MOUSE_UP, left + 2, c->getY() + 3);
    EXPECT_EQ(s.table->getColumnWidths().getValue(2), Actions::MINSIZE);
    EXPECT_EQ(s.table->getResizeColumn(), E::NOVALUE);
}

TEST(TableResize, EscapeVetoAndPolicyLeaveTheSizeAlone) {
    Sheet s;
    const int w0 = s.table->getColumnWidths().getValue(0);
    s.dragBorder(false, 0, 25, true);
    EXPECT_EQ(s.table->getColumnWidths().getValue(0), w0);
    EXPECT_EQ(s.ev.resize_ends, 0);
    s.ev.veto_resize = true;
    s.dragBorder(false, 0, 25);
    EXPECT_EQ(s.table->getColumnWidths().getValue(0), w0);
    EXPECT_EQ(s.ev.resize_ends, 1);
    s.ev.veto_resize = false;
    s.table->setAllowCellResize(E::RESIZE_ROW);
    s.dragBorder(false, 0, 25);
    EXPECT_EQ(s.table->getColumnWidths().getValue(0), w0);
    // A press just inside the border but away from it by more than DELTA is a click.
    s.table->setAllowCellResize(E::RESIZE_ALL);
    Clip* c = s.view().find(0, 0);
    const int right = c->getX() + int(c->columnX(0)) + c->columnWidth(0);
    s.mouseAt(Event::MOUSE_DOWN, right - Actions::DELTA - 2, c->getY() + 3);
    EXPECT_EQ(s.table->getResizeColumn(), E::NOVALUE);
    s.mouseAt(Event::MOUSE_UP, right - Actions::DELTA - 2, c->getY() + 3);
    EXPECT_EQ(s.current(), std::make_pair(0, 0));
}

TEST(TableResize, DraggingARowBorderAndTheBorderInsideASpan) {
    Sheet s;
    s.table->setTraversable(E::ALL, E::ALL, false);
    const int h0 = s.table->getRowHeights().getValue(2);
    s.dragBorder(true, 2, 12);
    EXPECT_EQ(s.table->getRowHeights().getValue(2), h0 + 12);
    EXPECT_EQ(s.ev.last_height, h0);
    s.dragBorder(true, 3, -100);
    EXPECT_EQ(s.table->getRowHeights().getValue(3), Actions::MINSIZE);

    // Column 0's right border inside a span over columns 0-1 does not resize.
    s.table->setSpans({NxCellRange(4, 0, 4, 1)});
    Clip* c = s.view().find(4, 0);
    const int border = c->getX() + int(c->columnX(0)) + c->columnWidth(0);
    const int y = c->getY() + int(c->rowY(4)) + 4;
    EXPECT_EQ(Actions::resizeTarget(*s.table, border, y, false), E::NOVALUE);
    EXPECT_EQ(Actions::resizeTarget(*s.table, border, c->getY() + int(c->rowY(0)) + 4, false), 0);
}

TEST(TableResize, PointerShapes) {
    Sheet s;
    Clip* c = s.view().find(1, 1);
    const int right = c->getX() + int(c->columnX(1)) + c->columnWidth(1);
    const int bottom = c->getY() + int(c->rowY(1)) + c->rowHeight(1);
    s.mouseAt(Event::MOUSE_MOVE, right, bottom - 8);
    EXPECT_EQ(s.table->getCursor(), Actions::HORIZ_CURSOR);
    s.mouseAt(Event::MOUSE_MOVE, right - 8, bottom);
    EXPECT_EQ(s.table->getCursor(), Actions::VERT_CURSOR);
    s.mouseAt(Event::MOUSE_MOVE, right, bottom);
    EXPECT_EQ(s.table->getCursor(), Actions::CORNER_CURSOR);
    s.mouseAt(Event::MOUSE_MOVE, right - 8, bottom - 8);
    EXPECT_EQ(s.table->getCursor(), Actions::TRAV_CURSOR);
    s.table->setTraversable(1, 1, false);
    s.mouseAt(Event::MOUSE_MOVE, right - 9, bottom - 8);
    EXPECT_EQ(s.table->getCursor(), Actions::NONTRAV_CURSOR);
}

TEST(TableCurrentCell, FollowsInsertedDeletedAndMovedRows) {
    Sheet s(8, 3);
    s.table->setEditable(E::ALL, E::ALL, false);
    s.click(3, 1);
    s.table->addRow(1, Value(), {});
    EXPECT_EQ(s.current(), std::make_pair(4, 1));
    s.table->addRow(6, Value(), {});
    EXPECT_EQ(s.current(), std::make_pair(4, 1));
    s.table->deleteRows(0, 2);
    EXPECT_EQ(s.current(), std::make_pair(2, 1));
    EXPECT_EQ(s.table->getCell(2, 1), Value(31));
    s.table->addColumn(0, Value(), {});
    EXPECT_EQ(s.current(), std::make_pair(2, 2));
    // Moving a block over the current row carries it along.
    EXPECT_TRUE(s.table->moveRows(2, 2, 6));
    EXPECT_EQ(s.current(), std::make_pair(4, 2));
    EXPECT_EQ(s.table->getCell(4, 2), Value(31));
    EXPECT_TRUE(s.table->moveRows(5, 2, 0));
    EXPECT_EQ(s.current(), std::make_pair(4 + 2, 2));
    // Refused moves: into the block, past the end, every row.
    EXPECT_FALSE(s.table->moveRows(1, 3, 2));
    EXPECT_FALSE(s.table->moveRows(0, 2, s.table->getNumRows() + 1));
    EXPECT_FALSE(s.table->moveRows(0, s.table->getNumRows(), 0));
    EXPECT_EQ(s.current(), std::make_pair(6, 2));
    // Deleting the current row leaves no current cell.
    s.table->deleteRows(6, 1);
    EXPECT_EQ(s.current(), std::make_pair(int(E::NOVALUE), int(E::NOVALUE)));
}

TEST(TableCurrentCell, AnInsertionAboveClosesTheEditorUnstored) {
    Sheet s;
    s.click(2, 0);
    s.type("99");
    s.table->addRow(0, Value(), {});
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.current(), std::make_pair(3, 0));
    EXPECT_EQ(s.table->getCell(3, 0), Value(20));
}

TEST(TableEdit, TheOpenEditorFollowsTheCellAndItsAttributes) {
    Sheet s;
    s.click(1, 1);
    s.type("9");
    // A value stored in the cell shows in the editor; one stored elsewhere does not.
    s.table->setCell(1, 1, Value("new"));
    EXPECT_EQ(s.editorText(), "new");
    s.table->setCell(1, 2, Value("other"));
    EXPECT_EQ(s.editorText(), "new");
    s.table->setStringCase(E::ALL, 1, E::CASE_UPPER);
    EXPECT_EQ(s.editorText(), "NEW");
    s.table->setMaxLength(1, E::ALL, 2);
    EXPECT_EQ(s.editorText(), "NE");
    s.table->setMultiline(1, 1, true);
    EXPECT_NE(dynamic_cast<host::TextArea*>(s.table->getTextComponent()), nullptr);
    EXPECT_EQ(s.editorText(), "NE");
    // Made read-only: the editor goes without storing.
    s.table->setEditable(E::ALL, E::ALL, false);
    EXPECT_EQ(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.table->getCell(1, 1), Value("new"));
}

TEST(TableEdit, PressAndDragInTheEditorPlaceTheCaretAndSelect) {
    Sheet s;
    s.table->setCell(1, 0, Value("abcdef"));
    s.click(1, 0);
    ASSERT_NE(s.table->getTextComponent(), nullptr);
    EXPECT_EQ(s.table->getTextComponent()->getCaretPosition(), 6);
    // (Column 0: no border of a column on its left starts a resize there.)
    // Pressing at the editor's left edge puts the caret first; dragging right selects.
    auto p = s.corner(1, 0);
    const int y = p.y + s.view().find(1, 0)->rowHeight(1) / 2;
    s.mouseAt(Event::MOUSE_DOWN, p.x + 2 + host::TextComponent::MARGIN, y);
    EXPECT_EQ(s.table->getTextComponent()->getCaretPosition(), 0);
    const int w = host::FontMetrics::get(s.table->host::Panel::getFont()).stringWidth("abc");
    s.mouseAt(Event::MOUSE_DRAG, p.x + 2 + host::TextComponent::MARGIN + w, y);
    s.mouseAt(Event::MOUSE_UP, p.x + 2 + host::TextComponent::MARGIN + w, y);
    EXPECT_EQ(s.table->getTextComponent()->getSelectedText(), "abc");
    // The press stayed in the editor: no selection of cells, same current cell.
    EXPECT_EQ(s.current(), std::make_pair(1, 0));
    s.type("X");
    EXPECT_EQ(s.editorText(), "Xdef");
}

namespace {

// Hands events straight to a table's handler.
struct Sender {
    Table* table;
    int64_t when = 0;
    bool send(int id, int x, int y, int key) {
        Event e(table, ++when, id, x, y, key, 0, Value());
        return table->handleEvent(e);
    }
};

}  // namespace

// The plain table has the reduced action table: a border drag resizes, Escape cancels a
// resize, a label click sorts, Page Down scrolls and the pointer shape follows the
// borders; no cell ever becomes current. Without a view it takes no input at all.
TEST(TableResize, ThePlainTableResizesSortsScrollsAndTracksThePointer) {
    auto frame = host::create<host::Frame>();
    frame->setLayout(nullptr);
    frame->reshape(0, 0, 300, 200);
    frame->setGraphicsFactory([](host::Component&) -> host::GraphicsPtr {
        return std::make_unique<host::RecordingGraphics>();
    });
    auto table = host::create<Table>();
    Sender sender{table.get()};
    auto send = [&](int id, int x, int y, int key = 0) { return sender.send(id, x, y, key); };
    EXPECT_FALSE(send(Event::MOUSE_DOWN, 10, 10));  // no view yet
    table->setViewHooks(std::make_unique<TableView>(*table));
    table->host::Panel::setFont(host::Font("Helvetica", host::Font::PLAIN, 12));
    table->setNumRows(60);
    table->setNumColumns(3);
    table->setColumnLabels({Value("A"), Value("B"), Value("C")});
    for (int r = 0; r < 60; ++r) table->setCell(r, 0, Value(59 - r));
    table->setAllowCellResize(E::RESIZE_ALL);
    table->setColumnLabelSort(true);
    table->setTrackCursor(true);
    frame->add(table);
    table->reshape(0, 0, 300, 200);
    frame->setVisible(true);
    frame->validate();
    TableView& view = *TableView::of(*table);

    Clip* c = view.find(0, 1);
    const int right = c->getX() + int(c->columnX(1)) + c->columnWidth(1), y = c->getY() + 3;
    const int w0 = table->getColumnWidths().getValue(1);
    send(Event::MOUSE_MOVE, right, y);
    EXPECT_EQ(table->getCursor(), Actions::HORIZ_CURSOR);
    send(Event::MOUSE_MOVE, right - 20, y + 8);
    EXPECT_EQ(table->getCursor(), Actions::NONTRAV_CURSOR);
    EXPECT_TRUE(send(Event::MOUSE_DOWN, right - 1, y));
    send(Event::MOUSE_DRAG, right + 20, y);
    EXPECT_TRUE(send(Event::KEY_PRESS, 0, 0, Event::ESCAPE));
    send(Event::MOUSE_UP, right + 20, y);
    EXPECT_EQ(table->getColumnWidths().getValue(1), w0);
    send(Event::MOUSE_DOWN, right - 1, y);
    send(Event::MOUSE_DRAG, right + 20, y);
    send(Event::MOUSE_UP, right + 20, y);
    EXPECT_EQ(table->getColumnWidths().getValue(1), w0 + 20);

    Clip* labels = view.find(E::LABEL, 0);
    ASSERT_NE(labels, nullptr);
    const int lx = labels->getX() + int(labels->columnX(0)) + 10, ly = labels->getY() + 5;
    EXPECT_TRUE(send(Event::MOUSE_DOWN, lx, ly));
    send(Event::MOUSE_UP, lx, ly);
    EXPECT_EQ(table->getCell(0, 0), Value(0));
    EXPECT_EQ(table->getSortColumn(), 0);
    EXPECT_EQ(table->getEditRow(), E::NOVALUE);

    EXPECT_TRUE(send(Event::KEY_ACTION, 0, 0, Event::PGDN));
    EXPECT_GT(view.getVertOffset(), 0);
    EXPECT_FALSE(send(Event::KEY_ACTION, 0, 0, Event::LEFT));  // no traversal
    frame->dispose();
}
