#include <gtest/gtest.h>

#include "TableViewSupport.h"
#include "table/model/NxTblEnum.h"
#include "table/view/Size.h"

using host::Value;
using namespace norvex::table;
using tabletest::ShownTable;

namespace {

constexpr int ALL = NxTblEnum::ALL;

int lineHeight() { return host::FontMetrics::get(host::Font("Helvetica", host::Font::PLAIN, 12)).getHeight(); }
int zeroWidth() { return host::FontMetrics::get(host::Font("Helvetica", host::Font::PLAIN, 12)).charWidth(U'0'); }

}  // namespace

TEST(TableSize, DefaultsAreOneLineAndTenCharactersWithMarginsAndShadow) {
    ShownTable s(600, 400);
    s.show();
    EXPECT_EQ(s.table->getRowHeights().getValue(0), lineHeight() + 2 * (2 + 1));
    EXPECT_EQ(s.table->getColumnWidths().getValue(4), 10 * zeroWidth() + 2 * (5 + 1));
}

TEST(TableSize, UniformRowsOfAHundredThousandAreOneRunAndUniformAsIsIsTheCharacterSize) {
    ShownTable s(600, 400);
    s.table->setNumRows(100000);
    s.show();
    const Chain& rows = s.table->getRowHeights();
    ASSERT_TRUE(rows.isRunForm());
    EXPECT_EQ(rows.getRunChain()->numRuns(), 1);
    EXPECT_EQ(rows.getValue(99999), lineHeight() + 6);

    s.table->setPixelHeight(ALL, NxTblEnum::AS_IS);
    EXPECT_EQ(rows.getValue(50000), lineHeight() + 6);  // never 33,000 pixels
    s.table->setNumRows(100005);                        // new rows hold the unset marker
    EXPECT_EQ(rows.getValue(100004), lineHeight() + 6);
    EXPECT_EQ(rows.getRunChain()->numRuns(), 1);
}

TEST(TableSize, PixelAndCharacterSizesPerRowAndColumn) {
    ShownTable s(600, 400);
    s.show();
    s.table->setPixelHeight(2, 40);
    s.table->setCharHeight(3, 3);
    s.table->setCharWidth(1, 4);
    s.table->setPixelWidth(2, 0);
    EXPECT_EQ(s.table->getRowHeights().getValue(2), 40);
    EXPECT_EQ(s.table->getRowHeights().getValue(3), 3 * lineHeight() + 6);
    EXPECT_EQ(s.table->getRowHeights().getValue(4), lineHeight() + 6);
    EXPECT_EQ(s.table->getColumnWidths().getValue(1), 4 * zeroWidth() + 12);
    EXPECT_EQ(s.table->getColumnWidths().getValue(2), 0);
}

TEST(TableSize, VariableColumnGrowsAndShrinksOnlyWhenItsWidestValueIsReplaced) {
    ShownTable s(600, 400);
    s.show();
    s.table->setPixelWidth(0, NxTblEnum::VARIABLE);
    auto fm = host::FontMetrics::get(host::Font("Helvetica", host::Font::PLAIN, 12));
    s.table->setCell(0, 0, Value(std::string("a fairly long value")));
    const int wide = fm.stringWidth("a fairly long value") + 12;
    EXPECT_EQ(s.table->getColumnWidths().getValue(0), wide);
    s.table->setCell(1, 0, Value(std::string("short")));
    EXPECT_EQ(s.table->getColumnWidths().getValue(0), wide);  // did not define the width
    s.table->setCell(0, 0, Value(std::string("tiny")));
    EXPECT_EQ(s.table->getColumnWidths().getValue(0), fm.stringWidth("short") + 12);
}

TEST(TableSize, CellEditInAVariableColumnAsksOnlyForTheEditedCell) {
    struct Counter : NxCellValueListener {
        int asked = 0;
        void cellValue(NxValueEvent& e) override {
            ++asked;
            e.value = Value(std::string("v"));
        }
    } counter;
    ShownTable s(600, 400);
    s.table->setNumRows(1000000);
    s.table->setPixelWidth(1, NxTblEnum::VARIABLE);
    s.table->setCell(5, 1, Value(std::string("first")));
    s.show();
    s.table->addCellValueListener(&counter);
    s.table->setCell(999999, 1, Value(std::string("a much longer value than before")));
    EXPECT_LT(counter.asked, 1000);  // the visible cells at most, never the column
    s.table->removeCellValueListener(&counter);
}

TEST(TableSize, PreferredHeightOfFiveVisibleRowsIgnoresScrolling) {
    ShownTable s(600, 400);
    s.table->setNumRows(50);
    s.table->setColumnLabels({Value(std::string("A"))});
    s.table->setFrameShadowThickness(2);
    s.table->setVisibleRows(5);
    s.show();
    const int row = lineHeight() + 6, label = lineHeight() + 6;
    const int expected = 5 * row + label + 2 * 2 + 2 * 2;  // rows, label row, label frame, cell frame
    EXPECT_EQ(s.table->preferredSize().height, expected);
    s.view().scrollVertical(10 * row);
    EXPECT_EQ(s.table->preferredSize().height, expected);
}

TEST(TableLayout, ScrollBarsAppearOnlyWhenTheCellsDoNotFit) {
    const int row = lineHeight() + 6, col = 10 * zeroWidth() + 12;
    // Five columns and ten rows without labels or frame.
    ShownTable fits(5 * col, 10 * row);
    fits.show();
    EXPECT_FALSE(fits.view().hasHorizSB());
    EXPECT_FALSE(fits.view().hasVertSB());

    ShownTable narrow(5 * col - 1, 10 * row + 16 + 6 - 1);
    narrow.show();
    EXPECT_TRUE(narrow.view().hasHorizSB());
    EXPECT_TRUE(narrow.view().hasVertSB());  // the horizontal bar took the room of the last row

    ShownTable narrow_only(5 * col - 1, 10 * row + 16 + 6);
    narrow_only.show();
    EXPECT_TRUE(narrow_only.view().hasHorizSB());
    EXPECT_FALSE(narrow_only.view().hasVertSB());
}

TEST(TableLayout, ClipAreasFollowFrozenRowsAndLabels) {
    ShownTable s(600, 400);
    s.table->setColumnLabels({Value(std::string("A")), Value(std::string("B"))});
    s.table->setRowLabels({Value(std::string("1"))});
    s.show();
    for (int type : {Clip::CELL, Clip::ROWLABEL, Clip::COLUMNLABEL}) EXPECT_NE(s.clip(type), nullptr) << type;
    for (int type : {Clip::FIXEDCELL, Clip::FROZENCOLUMN, Clip::FROZENROW, Clip::FROZENROWLABEL, Clip::FROZENCOLUMNLABEL})
        EXPECT_EQ(s.clip(type), nullptr) << type;

    s.table->setFrozenRows(1);
    ASSERT_NE(s.clip(Clip::FROZENROW), nullptr);
    ASSERT_NE(s.clip(Clip::FROZENROWLABEL), nullptr);
    EXPECT_EQ(s.clip(Clip::FIXEDCELL), nullptr);
    const int row = lineHeight() + 6, label = lineHeight() + 6;
    const int rlw = 10 * zeroWidth() + 12;
    const host::Rectangle frozen = s.clip(Clip::FROZENROW)->getBounds();
    EXPECT_EQ(frozen, (host::Rectangle{rlw, label, 5 * (10 * zeroWidth() + 12), row}));
    const host::Rectangle cells = s.clip(Clip::CELL)->getBounds();
    EXPECT_EQ(cells, (host::Rectangle{rlw, label + row, 5 * (10 * zeroWidth() + 12), 9 * row}));
    EXPECT_EQ(s.clip(Clip::CELL)->getRange(), NxCellRange(1, 0, 9, 4));
    EXPECT_EQ(s.clip(Clip::ROWLABEL)->getBounds(), (host::Rectangle{0, label + row, rlw, 9 * row}));
}

TEST(TableLayout, SpansPaintTheAnchorOverEveryCoveredCell) {
    ShownTable s(600, 400);
    s.table->setCell(1, 1, Value(std::string("span")));
    s.table->setSpans({NxCellRange(1, 1, 2, 3)});
    s.show();
    host::Dimension d;
    ASSERT_TRUE(s.table->findSpan(2, 2, nullptr, &d));
    const int row = lineHeight() + 6, col = 10 * zeroWidth() + 12;
    EXPECT_EQ(d.width, 3 * col);
    EXPECT_EQ(d.height, 2 * row);
    host::RecordingGraphics g;
    s.table->setDoubleBuffer(false);
    s.clip(Clip::CELL)->paint(g);
    int spans = 0;
    for (auto& l : g.log())
        if (l == "fillRect(" + std::to_string(col) + "," + std::to_string(row) + "," + std::to_string(3 * col) + "," +
                     std::to_string(2 * row) + ")")
            ++spans;
    EXPECT_EQ(spans, 1);  // drawn once, not once per covered cell
}

TEST(TableSize, ASpanWhoseContentNeedsMoreRoomEnlargesItsLastVariableRow) {
    ShownTable s(600, 400);
    s.table->setPixelHeight(2, NxTblEnum::VARIABLE);
    s.table->setSpans({NxCellRange(1, 0, 2, 0)});
    s.show();
    const int row = lineHeight() + 6;
    EXPECT_EQ(s.table->getRowHeights().getValue(2), row);  // empty: the character size
    s.table->setCell(1, 0, Value(std::string("1\n2\n3\n4")));
    const int need = 4 * lineHeight() + 6;
    EXPECT_EQ(s.table->getRowHeights().getValue(1), row);
    EXPECT_EQ(s.table->getRowHeights().getValue(2), need - row);
    // A fixed last row is left alone.
    ShownTable fixed(600, 400);
    fixed.table->setSpans({NxCellRange(1, 0, 2, 0)});
    fixed.table->setCell(1, 0, Value(std::string("1\n2\n3\n4")));
    fixed.show();
    EXPECT_EQ(fixed.table->getRowHeights().getValue(2), row);
}
