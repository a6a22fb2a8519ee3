// The table in a real window on a private Xvfb server, driven by XTEST input: click a
// cell, type, commit with Enter, see a refused value stay refused, drag a column border,
// scroll with the bar and the keys, sort by a label click; the screen shows the buffer.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"
#include "table/NxTable.h"
#include "table/view/TableView.h"

// Xlib defines macros such as Bool: after every other header.
#include <X11/keysym.h>

#include "../support/OnDispatch.h"
#include "../support/WindowTest.h"

using namespace norvex::table;
using namespace std::chrono_literals;
using host::Value;
using testsupport::eventually;
using testsupport::onDispatch;

namespace {

using E = NxTblEnum;

class TableWindow : public testsupport::WindowTest<29> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) return;
        frame = host::create<host::Frame>();
        frame->setLayout(nullptr);
        frame->reshape(30, 40, 420, 300);
        table = host::create<NxTable>(nullptr, "grid");
        table->host::Panel::setFont(host::Font("Helvetica", host::Font::PLAIN, 12));
        table->setNumRows(40);
        table->setNumColumns(4);
        table->setColumnLabels({Value("Key"), Value("Count"), Value("Name"), Value("Note")});
        for (int r = 0; r < 40; ++r) {
            table->setCell(r, 0, Value(39 - r));
            table->setCell(r, 1, Value(r));
            table->setCell(r, 2, Value("n" + std::to_string(r)));
        }
        table->setDatatype(E::ALL, 1, E::TYPE_INTEGER);
        table->setValidatePolicy(E::VALIDATE_USER_EDIT);
        table->setColumnLabelSort(true);
        frame->add(table);
        table->reshape(0, 0, 420, 300);
        openWindow(frame);
    }

    using WindowTest::clickAt;
    void clickAt(host::Point p) {
        clickAt(p.x, p.y);
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    }
    void type(const std::string& s) {
        for (char c : s) tap(KeySym(c));
    }
    // The middle of a cell (or label) in frame pixels.
    host::Point middle(int row, int col) {
        return onDispatch([&] {
            Clip* c = TableView::of(*table)->find(row, col);
            if (!c) return host::Point{-1, -1};
            return host::Point{c->getX() + int(c->columnX(col)) + c->columnWidth(col) / 2,
                               c->getY() + int(c->rowY(row)) + c->rowHeight(row) / 2};
        });
    }
    // Whether the screen shows some dark ink in a rectangle of the frame.
    bool inkOnScreen(int x, int y, int w, int h) {
        for (uint32_t p : screen(x, y, w, h))
            if (p < 0x404040) return true;
        return false;
    }

    std::shared_ptr<host::Frame> frame;
    std::shared_ptr<NxTable> table;
};

}  // namespace

TEST_F(TableWindow, ClickTypeCommitAndARefusedValueStaysRefused) {
    clickAt(middle(2, 1));
    ASSERT_TRUE(eventually([&] { return onDispatch([&] { return table->getTextComponent() != nullptr; }); }));
    EXPECT_EQ(onDispatch([&] { return table->getTextComponent()->getText(); }), "2");

    // Letters in an integer cell: Enter refuses them, the editor stays with its text.
    type("ab");
    tap(XK_Return);
    EXPECT_TRUE(eventually([&] {
        return onDispatch([&] { return table->getTextComponent() && table->getTextComponent()->getText() == "2ab"; });
    }));
    EXPECT_EQ(onDispatch([&] { return table->getCell(2, 1); }), Value(2));
    // Tab cannot leave it either.
    tap(XK_Tab);
    EXPECT_EQ(onDispatch([&] { return std::make_pair(table->getEditRow(), table->getEditColumn()); }),
              std::make_pair(2, 1));
    EXPECT_TRUE(eventually([&] { return !table->isFlashing(); }));

    tap(XK_BackSpace);
    tap(XK_BackSpace);
    type("7");
    tap(XK_Return);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return table->getCell(2, 1) == Value(27); }); }));
    EXPECT_EQ(onDispatch([&] { return table->getTextComponent(); }), nullptr);

    // The screen shows the cell's new text: ink in the cell's left part, like the buffer.
    auto m = middle(2, 1);
    const int h = onDispatch([&] { return TableView::of(*table)->find(2, 1)->rowHeight(2); });
    EXPECT_TRUE(eventually([&] { return inkOnScreen(m.x - 40, m.y - h / 2 + 2, 40, h - 4); }));
    // A cell never typed into shows nothing of the kind in its Note column.
    auto empty = middle(2, 3);
    EXPECT_FALSE(inkOnScreen(empty.x - 20, empty.y - 3, 40, 6));
}

TEST_F(TableWindow, DragAColumnBorderScrollAndSortByALabel) {
    // Drag Count's right border 40 pixels to the right in the label row.
    const int w0 = onDispatch([&] { return table->getColumnWidths().getValue(1); });
    auto label = middle(E::LABEL, 1);
    const int border = onDispatch([&] {
        Clip* c = TableView::of(*table)->find(E::LABEL, 1);
        return c->getX() + int(c->columnX(1)) + c->columnWidth(1);
    });
    moveTo(border, label.y);
    button(1, true);
    for (int dx = 10; dx <= 40; dx += 10) moveTo(border + dx, label.y);
    button(1, false);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return table->getColumnWidths().getValue(1); }) == w0 + 40; }));

    // The vertical bar's forward arrow scrolls; Page Down scrolls further.
    auto* view = TableView::of(*table);
    auto arrow = onDispatch([&] {
        auto* sb = view->getVertScrollbar();
        return host::Point{sb->getX() + sb->getWidth() / 2, sb->getY() + sb->getHeight() - 3};
    });
    clickAt(arrow);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return view->getVertOffset(); }) > 0; }));
    const int64_t after_arrow = onDispatch([&] { return view->getVertOffset(); });
    clickAt(middle(0, 3));  // focus on the table (Note cells take the editor; Escape keeps it)
    tap(XK_Next);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return view->getVertOffset(); }) > after_arrow; }));

    // A click on the Key label sorts ascending, a second one descending; the label shows it.
    clickAt(middle(E::LABEL, 0));
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return table->getCell(0, 0); }) == Value(0); }));
    EXPECT_EQ(onDispatch([&] { return table->getCell(0, 2); }), Value("n39"));
    EXPECT_EQ(onDispatch([&] { return table->getSortColumn(); }), 0);
    std::this_thread::sleep_for(450ms);  // not a double click
    clickAt(middle(E::LABEL, 0));
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return table->getCell(0, 0); }) == Value(39); }));

    // The screen shows the buffer.
    auto p = middle(E::LABEL, 0);
    EXPECT_TRUE(eventually([&] {
        return screenPixel(p.x, p.y) == (frame->getBuffer()->getPixel(p.x, p.y) & 0xFFFFFF) &&
               screenPixel(border + 40, p.y + 30) == (frame->getBuffer()->getPixel(border + 40, p.y + 30) & 0xFFFFFF);
    }));
}
