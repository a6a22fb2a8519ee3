#include <gtest/gtest.h>

#include "TableViewSupport.h"
#include "table/model/NxTblEnum.h"
#include "table/view/Draw.h"
#include "table/view/Size.h"
#include "ombu/OmbuUtil.h"
#include "host/graphics/Image.h"
#include "host/graphics/RasterGraphics.h"
#include <algorithm>
#include <thread>
#include <chrono>
#include "host/ui/Toolkit.h"

using host::Color;
using host::Value;
using namespace norvex::table;
using tabletest::ShownTable;

namespace {

constexpr int ALL = NxTblEnum::ALL;

int rowHeight() { return host::FontMetrics::get(host::Font("Helvetica", host::Font::PLAIN, 12)).getHeight() + 6; }

}  // namespace

TEST(TableScroll, RowAtAPixelAndMakeVisibleForTheLastOfAMillionRows) {
    ShownTable s(600, 400);
    s.table->setNumRows(1000000);
    s.show();
    const int row = rowHeight();
    TableView& v = s.view();
    EXPECT_FALSE(v.isRowVisible(999999));
    EXPECT_TRUE(v.makeVisible(999999, 0));
    EXPECT_TRUE(v.isRowVisible(999999));
    Clip* cells = s.clip(Clip::CELL);
    // The last row ends exactly at the bottom of the view.
    const int64_t total = int64_t(row) * 1000000;
    EXPECT_EQ(v.getVertOffset(), total - cells->getHeight());
    EXPECT_EQ(s.table->getTopRow(), int((total - cells->getHeight()) / row));
    EXPECT_EQ(v.YtoRow(cells->getY() + cells->getHeight() - 1), 999999);
    EXPECT_EQ(cells->rowAt(cells->getHeight() - 1), 999999);
    // A row above the view comes back at the top.
    EXPECT_TRUE(v.makeRowVisible(10));
    EXPECT_EQ(v.getVertOffset(), 10 * row);
    EXPECT_EQ(v.YtoRow(cells->getY()), 10);
    EXPECT_EQ(v.YtoRow(cells->getY() - 1), NxTblEnum::NOVALUE);  // no labels: nothing above the cells
    NxCellRange shown;
    ASSERT_TRUE(s.table->getVisibleCells(&shown));
    EXPECT_EQ(shown.start_row, 10);
    EXPECT_EQ(shown.end_row, 10 + (cells->getHeight() - 1) / row);
    EXPECT_TRUE(s.table->isVisible(10, 4));
    EXPECT_FALSE(s.table->isRowVisible(9));
}

TEST(TableScroll, ScrollBarMapsAMillionRowsIn64Bits) {
    ShownTable s(600, 400);
    s.table->setNumRows(1000000);
    s.table->setPixelHeight(ALL, 3000);  // 3 billion pixels in all
    s.show();
    TblScrollbar* sb = s.view().getVertScrollbar();
    ASSERT_TRUE(s.view().hasVertSB());
    EXPECT_EQ(sb->getMaximum(), int64_t(3000) * 1000000);
    const int trough_end = sb->getHeight() - sb->buttonSize();
    sb->setValue(sb->getMaximum());
    EXPECT_EQ(sb->sliderStart() + sb->sliderSize(), trough_end);
    sb->setValue(sb->getMaximum() / 2);
    const int mid = sb->sliderStart();
    EXPECT_GT(mid, sb->buttonSize());
    EXPECT_LT(mid, trough_end - sb->sliderSize());
    EXPECT_NEAR(double(sb->valueAtSlider(mid)), double(sb->getMaximum() - sb->getVisible()) / 2, 3000.0 * 1000000 / 100);
    s.view().scrollVertical(int64_t(3000) * 999999);
    EXPECT_EQ(s.table->getTopRow(), 1000000 - 1 - (s.clip(Clip::CELL)->getHeight() - 1) / 3000);
}

TEST(TableScroll, SmallScrollsCopyAndRepaintOnlyTheStrip) {
    ShownTable s(600, 400);
    s.table->setNumRows(1000);
    s.table->setDoubleBuffer(false);
    s.show();
    Clip* cells = s.clip(Clip::CELL);
    const int w = cells->getWidth(), h = cells->getHeight();
    s.view().scrollVertical(3);
    EXPECT_TRUE(s.logged("copyArea(0,3," + std::to_string(w) + "," + std::to_string(h - 3) + ",0,-3)"));
    EXPECT_TRUE(s.logged("clipRect(0," + std::to_string(h - 3) + "," + std::to_string(w) + ",3)"));
    s.log->clear();
    s.view().scrollVertical(3 + h + 10);
    EXPECT_EQ(s.count("copyArea("), 0);
    EXPECT_TRUE(s.logged("clipRect(0,0," + std::to_string(w) + "," + std::to_string(h) + ")"));
}

TEST(TableScroll, JumpScrollingLeavesARowBoundaryAtTheTop) {
    ShownTable s(600, 400);
    s.table->setNumRows(1000);
    s.table->setJumpScroll(NxTblEnum::JUMP_ALL);
    s.show();
    const int row = rowHeight();
    s.view().scrollVertical(row + 2);
    EXPECT_EQ(s.view().getVertOffset() % row, 0);
    EXPECT_EQ(s.view().getVertOffset(), row);
    s.view().scrollVertical(2 * row - 2);
    EXPECT_EQ(s.view().getVertOffset(), 2 * row);
}

TEST(TableScroll, AddingRowsRepaintsOnlyWhenTheNewRowShows) {
    struct Paints : NxPaintListener {
        int n = 0;
        void paintBegin(NxPaintEvent&) override { ++n; }
        void paintEnd(NxPaintEvent&) override {}
    } paints;
    ShownTable s(600, 200);
    s.table->setNumRows(100);
    s.show();
    s.table->addPaintListener(&paints);
    s.table->addRow(NxTblEnum::MAXINT, Value(), {Value(std::string("x"))});
    EXPECT_EQ(paints.n, 0);
    EXPECT_EQ(s.table->getRowHeights().getValue(100), rowHeight());  // a real height, not the marker
    s.table->addRow(1, Value(), {Value(std::string("y"))});
    EXPECT_GT(paints.n, 0);
    s.table->removePaintListener(&paints);
}

// ---- Drawing ----

namespace {

struct SmallTable : ShownTable {
    SmallTable() : ShownTable(400, 200) {
        table->setNumRows(2);
        table->setNumColumns(2);
        table->setDoubleBuffer(false);
        table->setBackground(Color::white);
        table->setForeground(Color::black);
    }
    std::vector<std::string> paintCells() {
        host::RecordingGraphics g;
        clip(Clip::CELL)->paint(g);
        return g.log();
    }
};

bool has(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

}  // namespace

TEST(TableDraw, CellBackgroundSunkenBorderAndRightAlignedText) {
    SmallTable s;
    s.table->setCell(0, 1, Value(std::string("ab")));
    s.table->setAlignment(0, 1, NxTblEnum::MIDDLERIGHT);
    s.table->setBackground(0, 1, Color(0, 0, 255));
    s.show();
    auto log = s.paintCells();
    const int row = rowHeight(), col = s.table->getColumnWidths().getValue(0);
    auto fm = host::FontMetrics::get(host::Font("Helvetica", host::Font::PLAIN, 12));
    // The sunken edge: the ring in the brighter colour, all but its last row and column
    // in the darker one, then the inside in the background.
    const Color dark = norvex::ombu::OmbuUtil::darker(Color(0, 0, 255));
    const Color bright = norvex::ombu::OmbuUtil::brighter(Color(0, 0, 255));
    auto color = [](const Color& c) {
        return "setColor(" + std::to_string(c.getRed()) + "," + std::to_string(c.getGreen()) + "," +
               std::to_string(c.getBlue()) + ")";
    };
    const auto ring = std::find(log.begin(), log.end(),
                                "fillRect(" + std::to_string(col) + ",0," + std::to_string(col) + "," + std::to_string(row) + ")");
    ASSERT_NE(ring, log.end());
    EXPECT_EQ(*(ring - 1), color(bright));
    EXPECT_EQ(*(ring + 1), color(dark));
    EXPECT_EQ(*(ring + 2), "fillRect(" + std::to_string(col) + ",0," + std::to_string(col - 1) + "," + std::to_string(row - 1) + ")");
    EXPECT_EQ(*(ring + 3), "setColor(0,0,255)");
    EXPECT_EQ(*(ring + 4), "fillRect(" + std::to_string(col + 1) + ",1," + std::to_string(col - 2) + "," + std::to_string(row - 2) + ")");
    // Text ends at the right edge of the content rectangle and sits in the middle.
    const int x = col + 6 + (col - 12 - fm.stringWidth("ab"));
    const int y = 3 + (row - 6 - fm.getHeight()) / 2 + fm.getAscent();
    EXPECT_TRUE(has(log, "drawString(\"ab\"," + std::to_string(x) + "," + std::to_string(y) + ")"));
}

TEST(TableDraw, SelectedCellIsInvertedByDefaultAndUsesTheSelectionColoursWhenSet) {
    SmallTable s;
    s.table->setCell(1, 0, Value(std::string("sel")));
    s.table->setSelectedCells({NxCellRange(1, 0, 1, 0)});
    s.show();
    const int row = rowHeight(), col = s.table->getColumnWidths().getValue(0);
    auto log = s.paintCells();
    const std::string cell = "fillRect(1," + std::to_string(row + 1) + "," + std::to_string(col - 2) + "," + std::to_string(row - 2) + ")";
    auto bg = std::find(log.begin(), log.end(), cell);
    ASSERT_NE(bg, log.end());
    EXPECT_EQ(*(bg - 1), "setColor(0,0,0)");  // the foreground as background
    auto text = std::find_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("drawString(\"sel\"", 0) == 0; });
    ASSERT_NE(text, log.end());
    EXPECT_EQ(*(text - 1), "setColor(255,255,255)");

    s.table->setSelectedBackground(Color(255, 0, 0));
    s.table->setSelectedForeground(Color(0, 255, 0));
    log = s.paintCells();
    bg = std::find(log.begin(), log.end(), cell);
    ASSERT_NE(bg, log.end());
    EXPECT_EQ(*(bg - 1), "setColor(255,0,0)");
    text = std::find_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("drawString(\"sel\"", 0) == 0; });
    EXPECT_EQ(*(text - 1), "setColor(0,255,0)");
}

TEST(TableDraw, PlainBorderAndClipArrows) {
    SmallTable s;
    s.table->setBorderType(0, 0, NxTblEnum::BORDER_PLAIN);
    s.table->setForeground(0, 0, Color(255, 0, 0));
    s.table->setShadowThickness(2);
    s.table->setCell(0, 0, Value(std::string("a value much too long for this column")));
    s.show();
    const int row = s.table->getRowHeights().getValue(0), col = s.table->getColumnWidths().getValue(0);
    auto log = s.paintCells();
    // Two-pixel lines in the text colour: two top lines at y 0 and 1.
    EXPECT_TRUE(has(log, "fillRect(0,0," + std::to_string(col) + ",1)"));
    EXPECT_TRUE(has(log, "fillRect(1,1," + std::to_string(col - 2) + ",1)"));
    // The right-pointing arrow at the cell's right edge.
    const int ax = col - 2 - 5 - 4, ay = row / 2;
    EXPECT_TRUE(has(log, "fillPolygon([" + std::to_string(ax) + "," + std::to_string(ax + 4) + "," + std::to_string(ax) +
                             "],[" + std::to_string(ay - 4) + "," + std::to_string(ay) + "," + std::to_string(ay + 4) + "])"))
        << [&] { std::string a; for (auto& l : log) if (l.rfind("fillPolygon", 0) == 0) a += l; return a; }();
    s.table->setDisplayClipArrows(false);
    log = s.paintCells();
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("fillPolygon", 0) == 0; }), 0);
}

TEST(TableDraw, FastSunkenAndRaisedEdgesGiveThePixelsOfTheEdgeLines) {
    for (int thickness : {1, 2}) {
        for (int type : {NxTblEnum::BORDER_IN, NxTblEnum::BORDER_OUT}) {
            auto fast = host::Image::createOffscreen(30, 20), lines = host::Image::createOffscreen(30, 20);
            NxCell c;
            c.background = Color(0, 128, 0);
            c.top_shadow = Color(200, 0, 0);
            c.bottom_shadow = Color(0, 0, 200);
            c.shadow_thickness = thickness;
            c.sides = NxTblEnum::BORDERSIDE_ALL;
            c.border = type;
            {
                host::RasterGraphics g(fast);
                Draw::do_background(g, c, 2, 3, 24, 14);
            }
            {
                host::RasterGraphics g(lines);
                g.setColor(c.background);
                g.fillRect(2, 3, 24, 14);
                Border::draw(g, c, 2, 3, 24, 14);
            }
            EXPECT_EQ(fast->getARGB(), lines->getARGB()) << thickness << " " << type;
        }
    }
}

TEST(TableDraw, ThickBordersFlushTheEdgePoolAndStopAtHalfTheCell) {
    host::RecordingGraphics g;
    // 60 levels on four sides: 240 edge lines, more than the pool's 100.
    Border::drawShadow(g, 60, NxTblEnum::BORDERSIDE_ALL, 0, 0, 200, 200, Color::white, Color::black);
    int rects = 0;
    for (auto& l : g.log()) rects += l.rfind("fillRect(", 0) == 0;
    EXPECT_EQ(rects, 240);
    g.clearLog();
    // Thicker than half the height: drawn at half the height.
    Border::drawShadow(g, 30, NxTblEnum::BORDERSIDE_TOP, 0, 0, 100, 20, Color::white, Color::black);
    rects = 0;
    for (auto& l : g.log()) rects += l.rfind("fillRect(", 0) == 0;
    EXPECT_EQ(rects, 10);
}

TEST(TableDraw, MultiLineRightAlignedLinesEndAtTheRightEdge) {
    SmallTable s;
    s.table->setCharHeight(0, 3);
    s.table->setCell(0, 0, Value(std::string("one\nthree")));
    s.table->setAlignment(0, 0, NxTblEnum::TOPRIGHT);
    s.show();
    const int col = s.table->getColumnWidths().getValue(0);
    auto fm = host::FontMetrics::get(host::Font("Helvetica", host::Font::PLAIN, 12));
    auto log = s.paintCells();
    const int right = col - 6;
    EXPECT_TRUE(has(log, "drawString(\"one\"," + std::to_string(right - fm.stringWidth("one")) + "," +
                             std::to_string(3 + fm.getAscent()) + ")"));
    EXPECT_TRUE(has(log, "drawString(\"three\"," + std::to_string(right - fm.stringWidth("three")) + "," +
                             std::to_string(3 + fm.getAscent() + fm.getHeight()) + ")"));
}

TEST(TableDraw, PaintingAMillionRowsAsksOnlyForTheVisibleCells) {
    struct Counter : NxCellValueListener {
        int asked = 0;
        void cellValue(NxValueEvent& e) override {
            ++asked;
            e.value = Value(std::to_string(e.row));
        }
    } counter;
    ShownTable s(600, 400);
    s.table->setNumRows(1000000);
    s.table->addCellValueListener(&counter);
    s.show();
    s.view().scrollVertical(int64_t(rowHeight()) * 500000);
    counter.asked = 0;
    s.view().repaintAll();
    const int visible_rows = s.clip(Clip::CELL)->getHeight() / rowHeight() + 2;
    EXPECT_GT(counter.asked, 0);
    EXPECT_LE(counter.asked, visible_rows * 5);
    s.table->removeCellValueListener(&counter);
}

TEST(TableScroll, ScrollingWithPaintingOffDrawsNothingUntilItIsBackOn) {
    ShownTable s(600, 400);
    s.table->setNumRows(1000);
    s.table->setDoubleBuffer(false);
    s.show();
    s.table->setRepaint(false);
    s.view().scrollVertical(5 * rowHeight());
    EXPECT_EQ(s.count("copyArea("), 0);
    EXPECT_EQ(s.count("fillRect("), 0);
    EXPECT_EQ(s.view().getVertOffset(), 5 * rowHeight());
    EXPECT_TRUE(s.table->needsRepaint());
    s.table->setRepaint(true);
    EXPECT_GT(s.count("fillRect("), 0);
    EXPECT_EQ(s.view().getVertOffset(), 5 * rowHeight());
}

TEST(TableScroll, PaintingAndScrollingFromTwoThreadsTakeTheLocksInOneOrder) {
    ShownTable s(300, 200, false);
    s.table->setNumRows(10000);
    s.show();
    Clip* cells = s.clip(Clip::CELL);
    std::thread painter([&] {
        for (int i = 0; i < 200; ++i) {
            auto img = host::Image::createOffscreen(cells->getWidth(), cells->getHeight());
            host::RasterGraphics g(img);
            cells->paint(g);
            (void)cells->yOffset();
        }
    });
    for (int i = 0; i < 200; ++i) s.view().scrollVertical((i % 50) * 7);
    painter.join();
    EXPECT_EQ(s.view().getVertOffset(), 49 * 7);
}

TEST(TableScroll, PageActionsUseTheShownBarAndDoNothingWithoutOne) {
    ShownTable s(600, 400);
    s.table->setNumRows(1000);
    s.show();
    TableView& v = s.view();
    EXPECT_FALSE(v.hasHorizSB());
    EXPECT_FALSE(v.scrollAction("PAGERIGHT"));
    EXPECT_EQ(v.getHorizOffset(), 0);
    EXPECT_TRUE(v.scrollAction("PAGEDOWN"));
    const int64_t page = s.clip(Clip::CELL)->getHeight();
    EXPECT_EQ(v.getVertOffset(), page);
    EXPECT_TRUE(v.scrollAction("PAGEUP"));
    EXPECT_EQ(v.getVertOffset(), 0);

    host::Event end(nullptr, 0, host::Event::KEY_ACTION, 0, 0, host::Event::END, 0);
    v.getVertScrollbar()->keyDown(end, host::Event::END);
    EXPECT_EQ(v.getVertOffset(), v.getVertScrollbar()->getMaximum() - v.getVertScrollbar()->getVisible());
    EXPECT_TRUE(v.getVertScrollbar()->atEnd());
}

TEST(TableScroll, JumpLinesAndPagesMoveByWholeRowsWhateverTheirHeights) {
    ShownTable s(600, 300);
    s.table->setNumRows(100);
    s.table->setPixelHeight(0, 100);
    s.table->setJumpScroll(NxTblEnum::JUMP_ALL);
    s.show();
    TableView& v = s.view();
    TblScrollbar* sb = v.getVertScrollbar();
    const int row = rowHeight();
    host::Event press(nullptr, 1000, host::Event::MOUSE_DOWN, 0, 0, 0, 0);
    auto click = [&](int y) {
        press.when += 100;  // past the press filter
        sb->mouseDown(press, 5, y);
        sb->mouseUp(press, 5, y);
    };
    click(sb->getHeight() - 2);  // line forward: past the 100-pixel row
    EXPECT_EQ(v.getVertOffset(), 100);
    click(sb->getHeight() - 2);
    EXPECT_EQ(v.getVertOffset(), 100 + row);
    click(2);  // line back
    EXPECT_EQ(v.getVertOffset(), 100);
    click(2);
    EXPECT_EQ(v.getVertOffset(), 0);
    // Page forward: the row at the bottom edge becomes the first.
    const int view = s.clip(Clip::CELL)->getHeight();
    click(sb->sliderStart() + sb->sliderSize() + 2);
    const int bottom = 1 + (view - 1 - 100) / row;
    EXPECT_EQ(v.getVertOffset(), 100 + int64_t(bottom - 1) * row);
    EXPECT_EQ(s.table->getTopRow(), bottom);
    // The end of the table: the last row shows fully.
    host::Event end(nullptr, 0, host::Event::KEY_ACTION, 0, 0, host::Event::END, 0);
    sb->keyDown(end, host::Event::END);
    click(sb->getHeight() - 2);
    EXPECT_EQ(v.getVertOffset(), sb->getMaximum() - sb->getVisible());
}

// A top row and left column set before the table has a size (built in code, placed
// later) are kept until it has one, and then become the offsets.
TEST(TableScroll, TopRowSetBeforeTheTableIsSizedHolds) {
    auto table = host::create<NxTable>(nullptr, "early");
    table->host::Panel::setFont(host::Font("Helvetica", host::Font::PLAIN, 12));
    table->setNumRows(2000);
    table->setNumColumns(30);
    table->setTopRow(1000);
    table->setLeftColumn(12);
    table->setFrozenColumns(1);  // a later relayout before sizing must not drop them either
    table->setColumnLabels({Value("a"), Value("b")});
    table->setCharWidth(ALL, 12);
    // As a program's window does: added to a frame's border layout, shown, then laid out.
    auto frame = host::create<host::Frame>();
    frame->reshape(0, 0, 400, 300);
    frame->add(table, Value("Center"));
    frame->addNotify();
    frame->validate();
    frame->setVisible(true);
    frame->validate();
    TableView& v = *TableView::of(*table);
    EXPECT_EQ(v.getVertOffset(), int64_t(1000) * rowHeight());
    EXPECT_TRUE(v.isRowVisible(1000));
    EXPECT_FALSE(v.isRowVisible(999));
    EXPECT_TRUE(v.isColumnVisible(12));
    EXPECT_FALSE(v.isColumnVisible(11));
    EXPECT_TRUE(v.isColumnVisible(0));  // frozen
    frame->dispose();
}

TEST(TableScroll, HeldArrowRepeatsThroughTheEventQueueUntilReleased) {
    ShownTable s(600, 300);
    s.table->setNumRows(200);
    s.show();
    TableView& v = s.view();
    TblScrollbar* sb = v.getVertScrollbar();
    auto& queue = host::Toolkit::getDefaultToolkit().getSystemEventQueue();
    host::Event press(nullptr, 1000, host::Event::MOUSE_DOWN, 0, 0, 0, 0);
    const int y = sb->getHeight() - 2;
    int64_t first = 0, held = 0;
    queue.invokeAndWait([&] {
        sb->mouseDown(press, 5, y);
        first = v.getVertOffset();
    });
    EXPECT_GT(first, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(TblScrollbar::REPEAT_DELAY + 6 * TblScrollbar::REPEAT_INTERVAL));
    queue.invokeAndWait([&] {
        sb->mouseUp(press, 5, y);
        held = v.getVertOffset();
    });
    EXPECT_GE(held, 3 * first);  // the press and at least two repeats
    std::this_thread::sleep_for(std::chrono::milliseconds(3 * TblScrollbar::REPEAT_INTERVAL));
    queue.waitUntilIdle();
    EXPECT_EQ(v.getVertOffset(), held);  // released: no more steps
    EXPECT_FALSE(sb->isRepeating());

    // A held trough pages until the slider reaches the pointer, then stops.
    press.when += 1000;
    const int target = sb->getHeight() - sb->buttonSize() - 1;
    queue.invokeAndWait([&] { sb->mouseDown(press, 5, target); });
    std::this_thread::sleep_for(std::chrono::milliseconds(TblScrollbar::REPEAT_DELAY + 30 * TblScrollbar::REPEAT_INTERVAL));
    queue.invokeAndWait([&] {
        EXPECT_LE(sb->sliderStart(), target);
        EXPECT_GE(sb->sliderStart() + sb->sliderSize(), target - sb->sliderSize());
        sb->mouseUp(press, 5, target);
    });
    queue.waitUntilIdle();
}
