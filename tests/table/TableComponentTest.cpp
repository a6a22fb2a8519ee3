// The simple-property table: every list property written and read back, the values,
// colours, spans and labels, and the case-insensitive search.
#include <gtest/gtest.h>

#include <functional>

#include "TableViewSupport.h"
#include "ombu/widgets/NxCheckbox.h"
#include "table/NxTableComponent.h"
#include "table/cells/Widget.h"

using host::Color;
using host::Value;
using namespace norvex::table;
using E = NxTblEnum;

namespace {

std::shared_ptr<NxTableComponent> make(int rows = 6, int columns = 4) {
    auto t = host::create<NxTableComponent>(nullptr, "tc");
    t->setNumRows(rows);
    t->setNumColumns(columns);
    return t;
}

struct ListProperty {
    const char* name;
    std::function<void(NxTableComponent&, const std::string&)> set;
    std::function<std::string(NxTableComponent&)> get;
    std::string written;
    // A cell inside the groups, outside them, and what each reads.
    std::function<void(NxTableComponent&)> check;
};

#define PROPERTY(NAME) \
    #NAME, [](NxTableComponent& t, const std::string& s) { t.set##NAME(s); }, [](NxTableComponent& t) { return t.get##NAME(); }

}  // namespace

TEST(TableComponent, EveryAttributeListIsWrittenAndReadBack) {
    const std::vector<ListProperty> properties = {
        {PROPERTY(AlignmentSeries), "(all 2 center)(3 3 bottomright)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getAlignment(0, 2), E::CENTER);
             EXPECT_EQ(t.getAlignment(3, 3), E::BOTTOMRIGHT);
             EXPECT_EQ(t.getAlignment(0, 0), E::TOPLEFT);
         }},
        {PROPERTY(BackgroundSeries), "(all 2 red)(3 3 repeat_row)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getBackground(1, 2), Color::red);
             EXPECT_NE(t.getBackground(0, 0), Color::red);
         }},
        {PROPERTY(BorderSidesSeries), "(1 all borderside_left + borderside_top)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getBorderSides(1, 3), E::BORDERSIDE_LEFT | E::BORDERSIDE_TOP);
             EXPECT_EQ(t.getBorderSides(2, 3), E::BORDERSIDE_ALL);
         }},
        {PROPERTY(BorderTypeSeries), "(0-1 0 border_plain)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getBorderType(1, 0), E::BORDER_PLAIN);
             EXPECT_EQ(t.getBorderType(2, 0), E::BORDER_IN);
         }},
        {PROPERTY(CharHeightSeries), "(2 all 3)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getCharHeight(2), 3);
             EXPECT_EQ(t.getCharHeight(1), 1);
         }},
        {PROPERTY(CharWidthSeries), "(all 1 4)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getCharWidth(1), 4);
             EXPECT_EQ(t.getCharWidth(0), 10);
         }},
        {PROPERTY(ComponentSeries), "(all 1 norvex.ombu.NxCheckbox)",
         [](NxTableComponent& t) { EXPECT_EQ(Widget::entries(t).size(), 1u); }},
        {PROPERTY(DataTypeSeries), "(all 0 type_integer)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getDatatype(4, 0), E::TYPE_INTEGER);
             EXPECT_EQ(t.getDatatype(4, 1), E::TYPE_STRING);
         }},
        {PROPERTY(EditableSeries), "(1 1 false)",
         [](NxTableComponent& t) {
             EXPECT_FALSE(t.getEditable(1, 1));
             EXPECT_TRUE(t.getEditable(1, 2));
         }},
        {PROPERTY(FontSeries), "(0 all Courier-bold-14)",
         [](NxTableComponent& t) {
             ASSERT_TRUE(t.getFont(0, 1));
             EXPECT_EQ(t.getFont(0, 1)->getSize(), 14);
             EXPECT_FALSE(t.getFont(1, 1));
         }},
        {PROPERTY(ForegroundSeries), "(all all blue)",
         [](NxTableComponent& t) { EXPECT_EQ(t.getForeground(5, 3), Color::blue); }},
        {PROPERTY(MaxLengthSeries), "(all 3 8)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getMaxLength(0, 3), 8);
             EXPECT_EQ(t.getMaxLength(0, 2), E::MAXINT);
         }},
        {PROPERTY(MultiLineSeries), "(2 2 true)",
         [](NxTableComponent& t) {
             EXPECT_TRUE(t.getMultiline(2, 2));
             EXPECT_FALSE(t.getMultiline(2, 1));
         }},
        {PROPERTY(PixelHeightSeries), "(1 all 30)(2 all variable)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getPixelHeight(1), 30);
             EXPECT_EQ(t.getPixelHeight(2), E::VARIABLE);
             EXPECT_EQ(t.getPixelHeight(3), E::NOVALUE);
         }},
        {PROPERTY(PixelWidthSeries), "(all 0 120)",
         [](NxTableComponent& t) {
             EXPECT_EQ(t.getPixelWidth(0), 120);
             EXPECT_EQ(t.getPixelWidth(1), E::NOVALUE);
         }},
        {PROPERTY(StringCaseSeries), "(all 0 case_upper)",
         [](NxTableComponent& t) { EXPECT_EQ(t.getStringCase(3, 0), E::CASE_UPPER); }},
        {PROPERTY(TraversableSeries), "(all 3 false)",
         [](NxTableComponent& t) {
             EXPECT_FALSE(t.getTraversable(0, 3));
             EXPECT_TRUE(t.getTraversable(0, 2));
         }},
    };
    for (const ListProperty& p : properties) {
        SCOPED_TRACE(p.name);
        auto t = make();
        p.set(*t, p.written);
        p.check(*t);
        // What the getter writes parses back to the same series.
        const std::string read = p.get(*t);
        auto again = make();
        p.set(*again, read);
        p.check(*again);
        EXPECT_EQ(p.get(*again), read);
        // Setting a list replaces the previous one; the defaults come back.
        p.set(*t, "");
        auto fresh = make();
        EXPECT_EQ(p.get(*t), p.get(*fresh));
    }
}

TEST(TableComponent, ReadingAlignmentWritesKeywordsByEntry) {
    auto t = make();
    t->setAlignmentSeries("(all 2 center)(3 3 bottomright)");
    EXPECT_EQ(t->getAlignmentSeries(), "(all all topleft)(all 2 topcenter)(3 3 bottomright)");  // center is topcenter
    t->setBorderSidesSeries("(label 0-1 borderside_top+borderside_right)");
    EXPECT_EQ(t->getBorderSidesSeries(),
              "(all all borderside_all)(label 0 borderside_top + borderside_right)"
              "(label 1 borderside_top + borderside_right)");
}

TEST(TableComponent, ReplacingTheComponentListReleasesTheClones) {
    tabletest::ShownTable s(300, 200);
    s.frame->remove(s.table.get());
    auto t = host::create<NxTableComponent>(nullptr, "tc");
    s.table = t;
    s.frame->add(t);
    t->reshape(0, 0, 300, 200);
    t->setNumRows(100);
    t->setNumColumns(3);
    t->setComponentSeries("(all 1 norvex.ombu.NxCheckbox)");
    s.show();
    s.view().repaintAll();
    auto boxes = [&] {
        int n = 0;
        for (auto& c : t->getComponents()) n += dynamic_cast<norvex::ombu::NxCheckbox*>(c.get()) != nullptr;
        return n;
    };
    EXPECT_GT(boxes(), 2);
    t->setComponentSeries("(all 2 norvex.ombu.NxButton)");
    EXPECT_EQ(boxes(), 0);
    EXPECT_EQ(t->getComponentSeries(), "(all 2 norvex.ombu.NxButton)");
    EXPECT_EQ(t->getComponent(0, 1), nullptr);
}

TEST(TableComponent, SizeListsResizeTheRows) {
    tabletest::ShownTable s(300, 200);
    s.frame->remove(s.table.get());
    auto t = host::create<NxTableComponent>(nullptr, "tc");
    s.table = t;
    s.frame->add(t);
    t->reshape(0, 0, 300, 200);
    t->setNumRows(10);
    s.show();
    const int before = t->getRowHeights().getValue(1);
    t->setPixelHeightSeries("(1 all 50)");
    EXPECT_EQ(t->getRowHeights().getValue(1), 50);
    t->setCharWidthSeries("(all 0 30)");
    EXPECT_GT(t->getColumnWidths().getValue(0), t->getColumnWidths().getValue(1));
    t->setPixelHeightSeries("");
    EXPECT_EQ(t->getRowHeights().getValue(1), before);
}

TEST(TableComponent, ValuesColoursSpansAndLabels) {
    auto t = make(2, 2);
    t->setCellValues("(a|b|c)(1|2)(x)");
    EXPECT_EQ(t->getNumRows(), 3);
    EXPECT_EQ(t->getNumColumns(), 3);
    EXPECT_EQ(t->getCell(0, 2), Value("c"));
    EXPECT_EQ(t->getCellValues(), "(a|b|c)(1|2|)(x||)");
    t->setCellValues("(z)");
    EXPECT_EQ(t->getCell(0, 0), Value("z"));
    EXPECT_TRUE(t->getCell(0, 1).isNull());

    t->setRepeatBGColors("red,blue");
    ASSERT_EQ(t->getRepeatBackgroundColors().size(), 2u);
    EXPECT_EQ(t->getRepeatBackgroundColors()[1], Color::blue);
    auto u = make();
    u->setRepeatBGColors(t->getRepeatBGColors());
    EXPECT_EQ(u->getRepeatBackgroundColors(), t->getRepeatBackgroundColors());
    t->setRepeatFGColors("green");
    EXPECT_EQ(t->getRepeatForegroundColors(), std::vector<Color>{Color::green});
    u->setRepeatFGColors(t->getRepeatFGColors());
    EXPECT_EQ(u->getRepeatForegroundColors(), std::vector<Color>{Color::green});
    t->setRepeatFGColors("");
    EXPECT_TRUE(t->getRepeatForegroundColors().empty());

    t->setSpanningCells("(0-1 0-2)");
    ASSERT_EQ(t->getSpans().size(), 1u);
    EXPECT_EQ(t->getSpans()[0], NxCellRange(0, 0, 1, 2));
    EXPECT_EQ(t->getSpanningCells(), "(0-1 0-2)");

    t->setColumnLabelsList({"One", "Two"});
    EXPECT_EQ(t->getColumnLabel(1), Value("Two"));
    EXPECT_EQ(t->getColumnLabelsList(), (std::vector<std::string>{"One", "Two", ""}));
    t->setRowLabelsList({"r0"});
    EXPECT_EQ(t->getRowLabelsList()[0], "r0");
}

TEST(TableComponent, SearchIgnoresCaseContinuesAndWrapsAround) {
    auto t = make(3, 3);
    t->setCellValues("(xx|the ABC|y)(q|z|TABLE)(nab|w|v)");
    ASSERT_TRUE(t->findString("ab"));
    EXPECT_EQ(t->getFindCell(), (NxCellPosition{0, 1}));
    EXPECT_EQ(t->getEditRow(), 0);
    EXPECT_EQ(t->getEditColumn(), 1);
    ASSERT_TRUE(t->findString("ab"));
    EXPECT_EQ(t->getFindCell(), (NxCellPosition{1, 2}));
    ASSERT_TRUE(t->findString("ab"));
    EXPECT_EQ(t->getFindCell(), (NxCellPosition{2, 0}));
    // Past the last row the walk goes on at the first cell.
    ASSERT_TRUE(t->findString("AB"));
    EXPECT_EQ(t->getFindCell(), (NxCellPosition{0, 1}));
    // Text only in the current cell is found there again after a full cycle.
    ASSERT_TRUE(t->findString("the"));
    EXPECT_EQ(t->getFindCell(), (NxCellPosition{0, 1}));
    EXPECT_FALSE(t->findString("nothing"));
    EXPECT_EQ(t->getEditRow(), 0);  // a failed search keeps the current cell
    // Without a current cell (0, 0) is tested first.
    auto u = make(2, 2);
    u->setCellValues("(xab|ab)(ab|ab)");
    ASSERT_TRUE(u->findString("AB"));
    EXPECT_EQ(u->getFindCell(), (NxCellPosition{0, 0}));
}

TEST(TableComponent, ComponentListFromAPageParameterNeedsAComponentClass) {
    auto t = make();
    t->setComponentSeries("(all 1 norvex.util.NxVector)(0 0 no.such.Class)(1 1 norvex.ombu.NxCheckbox)");
    ASSERT_EQ(Widget::entries(*t).size(), 1u);
    EXPECT_EQ(t->getComponentSeries(), "(1 1 norvex.ombu.NxCheckbox)");
}
