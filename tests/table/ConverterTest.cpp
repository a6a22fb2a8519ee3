#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "host/page/Applet.h"
#include "table/Create.h"
#include "table/NxTable.h"
#include "table/NxTblConverter.h"
#include "table/model/NxTblEnum.h"
#include "tests/support/ErrCapture.h"

using host::Color;
using host::Value;
using namespace norvex::table;
using E = NxTblEnum;

namespace {

using testsupport::ErrCapture;

struct Page {
    std::shared_ptr<host::Applet> applet = host::create<host::Applet>();
    std::shared_ptr<NxTable> table;
    explicit Page(std::vector<std::pair<std::string, std::string>> params) {
        applet->setParameters(std::move(params));
        table = host::create<NxTable>(applet.get(), "t");
    }
};

}  // namespace

TEST(TblConverter, PositionsSignsAndReversedRanges) {
    auto p = NxTblConverter::toPosition("-1");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->start, E::LABEL);
    EXPECT_EQ(p->end, E::LABEL);
    p = NxTblConverter::toPosition("5-2");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->start, 2);
    EXPECT_EQ(p->end, 5);
    p = NxTblConverter::toPosition("-1-3");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->start, -1);
    EXPECT_EQ(p->end, 3);
    p = NxTblConverter::toPosition("4,7");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->end, 7);
    EXPECT_EQ(NxTblConverter::toPosition("ALL")->start, E::ALL);
    EXPECT_EQ(NxTblConverter::toPosition("allcells")->start, E::ALLCELLS);
    EXPECT_EQ(NxTblConverter::toPosition("maxint")->start, E::MAXINT);
    EXPECT_FALSE(NxTblConverter::toPosition("3-"));
    EXPECT_FALSE(NxTblConverter::toPosition("x"));
    EXPECT_EQ(*NxTblConverter::toTableInt2("as_is"), E::AS_IS);
    EXPECT_EQ(*NxTblConverter::toTableInt2("Variable"), E::VARIABLE);
    EXPECT_EQ(*NxTblConverter::toTableInt("novalue"), E::NOVALUE);
}

TEST(TblConverter, EnumerationsIgnoreCaseAcceptNumbersAndReportBadValues) {
    EXPECT_EQ(NxTblConverter::toEnum(std::string("RESIZE_ROW"), "Resize"), E::RESIZE_ROW);
    EXPECT_EQ(NxTblConverter::toEnum(std::string("4"), "resize"), E::RESIZE_ROW);
    EXPECT_EQ(NxTblConverter::toEnum(std::string(" left "), "Alignment"), E::TOPLEFT);
    EXPECT_EQ(NxTblConverter::toEnum(std::string("right"), "Alignment"), E::TOPRIGHT);
    ErrCapture err;
    EXPECT_EQ(NxTblConverter::toEnum(std::string("sideways"), "Jump", "jump", E::JUMP_VERTICAL), E::JUMP_VERTICAL);
    EXPECT_EQ(err.text(), "Error converting 'sideways' to jump\n");
    EXPECT_EQ(*NxTblConverter::fromEnum(E::BORDER_FRAME_IN, "BorderType"), "border_frame_in");
    EXPECT_EQ(*NxTblConverter::toBorderSides("borderside_left+borderside_top"), E::BORDERSIDE_LEFT | E::BORDERSIDE_TOP);
    EXPECT_EQ(NxTblRevConverter::fromBorderSides(E::BORDERSIDE_LEFT | E::BORDERSIDE_TOP),
              "borderside_left + borderside_top");
    EXPECT_EQ(NxTblRevConverter::fromInt(E::AS_IS), "as_is");
    EXPECT_EQ(NxTblRevConverter::fromInt(-1), "label");
    EXPECT_EQ(NxTblRevConverter::fromInt(42), "42");
}

TEST(TblConverter, ScalarParametersAndABadValueKeepingTheDefault) {
    ErrCapture err;
    Page page({{"numRows", "20"},
               {"numColumns", "7"},
               {"frozenRows", "2"},
               {"frozenColumns", "1"},
               {"visibleRows", "5"},
               {"topRow", "9"},
               {"marginWidth", "3"},
               {"marginHeight", "oops"},
               {"shadowThickness", "2"},
               {"frameShadowThickness", "1"},
               {"frameBorderType", "border_plain"},
               {"displayClipArrows", "false"},
               {"doubleBuffer", "false"},
               {"minCellVisibility", "50"},
               {"jump", "jump_all"},
               {"allowCellResize", "RESIZE_ROW"},
               {"vertScrollbarDisplay", "sbdisplay_never"},
               {"HorizScrollbarOffset", "9"},
               {"VertScrollbarAttachment", "attach_side"},
               {"rowLabelOffset", "-4"},
               {"Mode", "mode_list"},
               {"SelectionPolicy", "select_multirange"},
               {"SelectedBackground", "red"},
               {"ValidatePolicy", "validate_set"},
               {"t.numColumns", "8"}});
    NxTable& t = *page.table;
    EXPECT_EQ(t.getNumRows(), 20);
    EXPECT_EQ(t.getNumColumns(), 8);  // the component's own name first
    EXPECT_EQ(t.getFrozenRows(), 2);
    EXPECT_EQ(t.getFrozenColumns(), 1);
    EXPECT_EQ(t.getVisibleRows(), 5);
    EXPECT_EQ(t.getTopRow(), 9);
    EXPECT_EQ(t.getMarginWidth(), 3);
    EXPECT_EQ(t.getMarginHeight(), 2);  // default kept
    EXPECT_EQ(t.getShadowThickness(), 2);
    EXPECT_EQ(t.getFrameShadowThickness(), 1);
    EXPECT_EQ(t.getFrameBorderType(), E::BORDER_PLAIN);
    EXPECT_FALSE(t.getDisplayClipArrows());
    EXPECT_FALSE(t.getDoubleBuffer());
    EXPECT_EQ(t.getMinCellVisibility(), 50);
    EXPECT_EQ(t.getJumpScroll(), E::JUMP_ALL);
    EXPECT_EQ(t.getAllowCellResize(), E::RESIZE_ROW);
    EXPECT_EQ(t.getVertSBDisplay(), E::SBDISPLAY_NEVER);
    EXPECT_EQ(t.getHorizSBOffset(), 9);
    EXPECT_EQ(t.getVertSBAttachment(), E::ATTACH_SIDE);
    EXPECT_EQ(t.getRowLabelOffset(), 0);  // rejected by the table, reported
    EXPECT_EQ(t.getMode(), E::MODE_LIST);
    EXPECT_EQ(t.getSelectionPolicy(), E::SELECT_MULTIRANGE);
    EXPECT_EQ(t.getSelectedBackground(), Color::red);
    EXPECT_EQ(t.getValidatePolicy(), E::VALIDATE_SET);
    EXPECT_NE(err.text().find("Error converting 'oops' to marginHeight\n"), std::string::npos);
    EXPECT_NE(err.text().find("Error converting '-4' to rowLabelOffset\n"), std::string::npos);
}

TEST(TblConverter, AttributeListsByPositionAndRange) {
    ErrCapture err;
    Page page({{"BackgroundList", "(all 2 red)(3 3 blue)"},
               {"ForegroundList", "(all all repeat_row)"},
               {"RepeatForegroundColors", "green,yellow"},
               {"PixelWidthList", "(all 0 variable)"},
               {"PixelHeightList", "(1-2 all 40)"},
               {"CharWidthList", "(all 0)"},
               {"AlignmentList", "(0 label middlecenter)"},
               {"BorderSidesList", "(label all borderside_left+borderside_top)"},
               {"FontList", "(0 0 Courier-bold-14)"},
               {"EditableList", "(all 1 false)"},
               {"MaxLengthList", "(0-1 0-1 12)"},
               {"Spans", "(0-1 0-2)"},
               {"SelectedCells", "(2 2-1)"}});
    NxTable& t = *page.table;
    EXPECT_EQ(t.getBackground(5, 2), Color::red);
    EXPECT_EQ(t.getBackground(3, 3), Color::blue);
    EXPECT_EQ(t.getForeground(0, 0), Color::green);
    EXPECT_EQ(t.getForeground(1, 4), Color::yellow);
    EXPECT_EQ(t.getPixelWidth(0), E::VARIABLE);
    EXPECT_EQ(t.getPixelHeight(2), 40);
    EXPECT_EQ(t.getPixelHeight(3), E::NOVALUE);
    EXPECT_EQ(t.getCharWidth(0), 10);  // the group without a value changed nothing
    EXPECT_EQ(t.getAlignment(0, E::LABEL), E::MIDDLECENTER);
    EXPECT_EQ(t.getBorderSides(E::LABEL, 3), E::BORDERSIDE_LEFT | E::BORDERSIDE_TOP);
    EXPECT_EQ(t.getFont(0, 0)->getSize(), 14);
    EXPECT_FALSE(t.getEditable(4, 1));
    EXPECT_EQ(t.getMaxLength(1, 1), 12);
    EXPECT_EQ(t.getMaxLength(2, 1), E::MAXINT);
    ASSERT_EQ(t.getSpans().size(), 1u);
    EXPECT_EQ(t.getSpans()[0], NxCellRange(0, 0, 1, 2));
    EXPECT_TRUE(t.isSelected(2, 1));
    EXPECT_TRUE(t.isSelected(2, 2));
    EXPECT_EQ(err.text(), "Missing value in '(all 0)'\n");
}

TEST(TblConverter, CellsLabelsAndTypedValues) {
    Page page({{"cells", "(a|b|c)(1|2|3)(x)"},
               {"columnLabels", "One,Two,Three"},
               {"rowLabels", "r1,r2"},
               {"DataTypeList", "(1 all type_integer)"},
               {"numColumns", "2"}});
    NxTable& t = *page.table;
    EXPECT_EQ(t.getNumRows(), 10);
    EXPECT_EQ(t.getCell(0, 1).asString(), "b");
    EXPECT_EQ(t.getCell(2, 0).asString(), "x");
    EXPECT_EQ(t.getColumnLabel(1).asString(), "Two");
    EXPECT_EQ(t.getRowLabel(1).asString(), "r2");
    EXPECT_TRUE(t.getCell(0, 2).isNull());  // the table was narrowed afterwards
    EXPECT_EQ(TblConvertUtil::convert("42", E::TYPE_INTEGER), Value(42));
    EXPECT_EQ(TblConvertUtil::convert("2.5", E::TYPE_DOUBLE), Value(2.5));
    EXPECT_EQ(TblConvertUtil::convert("TRUE", E::TYPE_BOOLEAN), Value(true));
    EXPECT_EQ(TblConvertUtil::convert("4x", E::TYPE_INTEGER), Value(std::string("4x")));
}

TEST(TblConverter, CellFileWithQuotedCommaSeparatedFields) {
    const std::string path = testing::TempDir() + "cells.csv";
    {
        std::ofstream f(path);
        f << "name,note\n\"Smith, Jo\",\"said \"\"hi\"\"\"\nlast,\n";
    }
    Page page({{"cellsFile", path}, {"cellsFileFormat", "CSV"}, {"numColumns", "2"}});
    NxTable& t = *page.table;
    EXPECT_EQ(t.getCell(1, 0).asString(), "Smith, Jo");
    EXPECT_EQ(t.getCell(1, 1).asString(), "said \"hi\"");
    EXPECT_EQ(t.getCell(2, 0).asString(), "last");
    std::remove(path.c_str());

    const std::string semi = testing::TempDir() + "cells.txt";
    {
        std::ofstream f(semi);
        f << "a;b;c\n";
    }
    Page other({{"cellsFile", semi}, {"cellsFileFormat", ";"}});
    EXPECT_EQ(other.table->getCell(0, 2).asString(), "c");
    std::remove(semi.c_str());
}
