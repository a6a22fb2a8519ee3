// The legend: hidden by default, placed by its own anchors, its grid in both
// orientations (with the gap between views), entries left out, symbols per chart
// type, picking across two views, and its page parameters.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <string>

#include "chart/NxChart.h"
#include "chart/source/InputStreamDataSource.h"
#include "host/graphics/RecordingGraphics.h"
#include "host/page/Applet.h"
#include "host/page/PageHost.h"
#include "tests/ombu/OmbuTestSupport.h"
#include "tests/support/ErrCapture.h"

using namespace norvex::chart;

namespace {

using testsupport::ErrCapture;

const host::Font kFont("Helvetica", host::Font::PLAIN, 12);

std::shared_ptr<ChartDataView> setData(const std::shared_ptr<ChartDataView>& v, const char* text) {
    v->setDataSource(std::make_shared<InputStreamDataSource>(std::string_view(text)));
    return v;
}

// Two views of three series each, named "First" and "Second".
std::shared_ptr<NxChart> twoViewChart(int type = NxChart::BAR) {
    auto c = host::create<NxChart>(type);
    setData(c->getDataView(0), "ARRAY 'First' 3 2 1 2 'a' 1 2 'b' 2 3 'c' 3 4");
    setData(c->addDataView(1), "ARRAY 'Second' 3 2 1 2 'd' 5 6 'e' 6 7 'f' 7 8");
    c->getLegend().setFont(kFont);
    c->getLegend().setIsShowing(true);
    return c;
}

int sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }
int gapOf(const host::Font& f) { return int(std::nearbyint(host::FontMetrics::get(f).getHeight() * 0.75)); }

}  // namespace

TEST(LegendTest, ANewLegendIsHiddenAndShowingItPlacesItAtTheEastEdgeCentred) {
    NxChart plain;
    EXPECT_FALSE(plain.getLegend().getIsShowing());
    EXPECT_EQ(plain.getLegend().getAnchor(), NxLegend::EAST);
    EXPECT_EQ(plain.getLegend().getOrientation(), NxLegend::VERTICAL);
    EXPECT_EQ(plain.getLegend().preferredSize(), (host::Dimension{0, 0}));

    ombutest::ShownFrame f(402, 302);
    auto c = f.add(twoViewChart(), 0, 0, 402, 302);
    f.show();
    c->validate();
    NxLegend& l = c->getLegend();
    host::Dimension ld = l.preferredSize();
    EXPECT_EQ(l.getX(), 1 + 400 - gapOf(kFont) - ld.width);
    EXPECT_EQ(l.getY(), 1 + (300 - ld.height) / 2);
    EXPECT_EQ(l.getWidth(), ld.width);
    // The chart area keeps clear of it.
    NxChartArea& a = c->getChartAreaRegion();
    EXPECT_LE(a.getX() + a.getWidth(), l.getX());
}

TEST(LegendTest, CornerAnchorsSitThreeQuartersOfALineFromBothEdges) {
    ombutest::ShownFrame f(402, 302);
    auto c = f.add(twoViewChart(), 0, 0, 402, 302);
    f.show();
    NxLegend& l = c->getLegend();
    l.setAnchor(NxLegend::NORTHEAST);
    c->validate();
    int gap = gapOf(kFont);
    host::Dimension ld = l.preferredSize();
    EXPECT_EQ(l.getX(), 1 + 400 - gap - ld.width);
    EXPECT_EQ(l.getY(), 1 + gap);
    l.setAnchor(NxLegend::SOUTHWEST);
    c->validate();
    EXPECT_EQ(l.getX(), 1 + gap);
    EXPECT_EQ(l.getY(), 1 + 300 - (gap + ld.height));
}

TEST(LegendTest, VerticalGridHasAColumnPerViewAndARowPerEntry) {
    auto c = twoViewChart();
    NxLegend& l = c->getLegend();
    host::Dimension d = l.preferredSize();
    ASSERT_EQ(l.getColWidths().size(), 2u);
    ASSERT_EQ(l.getRowHeights().size(), 4u);  // the name and three series
    for (int h : l.getRowHeights()) EXPECT_GT(h, 0);
    EXPECT_EQ(l.getColX()[0], NxLegend::smallGap);
    EXPECT_EQ(l.getColX()[1], l.getColX()[0] + l.getColWidths()[0] + NxLegend::betweenGap);
    EXPECT_EQ(l.getRowY()[1], l.getRowY()[0] + l.getRowHeights()[0]);
    // Insets 2 + 2, border 2 on each side, the margin, the grid and one gap between views.
    EXPECT_EQ(d.width, 4 + 4 + NxLegend::smallGap + sum(l.getColWidths()) + NxLegend::betweenGap);
    EXPECT_EQ(d.height, 4 + 4 + NxLegend::smallGap + sum(l.getRowHeights()));
    // Each column holds a symbol (ascent + margin) and the widest text.
    int sym = l.getSymbolSize() + NxLegend::smallGap;
    int text = host::FontMetrics::get(kFont).stringWidth("Second") + NxLegend::smallGap;
    EXPECT_EQ(l.getColWidths()[1], sym + text);
}

TEST(LegendTest, HorizontalGridHasARowPerViewAndAColumnPerEntry) {
    auto c = twoViewChart();
    NxLegend& l = c->getLegend();
    l.setOrientation(NxLegend::HORIZONTAL);
    host::Dimension d = l.preferredSize();
    ASSERT_EQ(l.getRowHeights().size(), 2u);
    ASSERT_EQ(l.getColWidths().size(), 4u);
    EXPECT_EQ(l.getRowY()[1], l.getRowY()[0] + l.getRowHeights()[0] + NxLegend::betweenGap);
    EXPECT_EQ(l.getColX()[1], l.getColX()[0] + l.getColWidths()[0]);
    EXPECT_EQ(d.width, 4 + 4 + NxLegend::smallGap + sum(l.getColWidths()));
    EXPECT_EQ(d.height, 4 + 4 + NxLegend::smallGap + sum(l.getRowHeights()) + NxLegend::betweenGap);
}

TEST(LegendTest, EntriesLeftOutTakeNoRoom) {
    auto c = host::create<NxChart>(NxChart::BAR);
    setData(c->getDataView(0), "ARRAY 'Only' 3 2 1 2 'a' 1 2 'b' 2 3 'c' 3 4");
    NxLegend& l = c->getLegend();
    l.setFont(kFont);
    l.setIsShowing(true);
    c->ensureStyles();
    c->getDataView(0)->getSeries(1)->setIsShowingInLegend(false);
    c->getDataView(0)->getSeries(2)->setIsShowing(false);
    c->getDataView(0)->setIsShowingInLegend(false);
    l.preferredSize();
    ASSERT_EQ(l.getRowHeights().size(), 4u);
    EXPECT_EQ(l.getRowHeights()[0], 0);  // no name
    EXPECT_GT(l.getRowHeights()[1], 0);
    EXPECT_EQ(l.getRowHeights()[2], 0);
    EXPECT_EQ(l.getRowHeights()[3], 0);
}

TEST(LegendTest, PickingCountsTheGapBetweenViewsAndAnswersWithTheRightViewAndSeries) {
    ombutest::ShownFrame f(402, 302);
    auto c = f.add(twoViewChart(), 0, 0, 402, 302);
    f.show();
    c->validate();
    NxLegend& l = c->getLegend();
    host::Rectangle da = l.getDrawingArea();
    auto at = [&](int col, int row, int dx = 1) {
        return host::Point{da.x + l.getColX()[size_t(col)] + dx, da.y + l.getRowY()[size_t(row)] + 1};
    };
    auto first = c->getDataView(0), second = c->getDataView(1);

    auto di = l.pick(at(1, 2), nullptr);
    ASSERT_TRUE(di);
    EXPECT_EQ(di->dataView, second);
    EXPECT_EQ(di->series, second->getSeries(1));
    EXPECT_EQ(di->seriesIndex, 1);
    EXPECT_EQ(di->object.asObject().get(), &l);

    di = l.pick(at(0, 3), nullptr);
    ASSERT_TRUE(di);
    EXPECT_EQ(di->dataView, first);
    EXPECT_EQ(di->series, first->getSeries(2));

    // The view's name row: the view, no series.
    di = l.pick(at(1, 0), nullptr);
    ASSERT_TRUE(di);
    EXPECT_EQ(di->dataView, second);
    EXPECT_FALSE(di->series);
    EXPECT_EQ(di->seriesIndex, -1);

    // In the gap between the two columns, and in the margin: nothing.
    EXPECT_FALSE(l.pick(at(1, 2, -2), nullptr));
    EXPECT_FALSE(l.pick({da.x, da.y}, nullptr));

    // Asked about another view than the one under the pointer: only the legend.
    di = l.pick(at(1, 2), first);
    ASSERT_TRUE(di);
    EXPECT_FALSE(di->dataView);
    EXPECT_FALSE(di->series);

    // Through the chart, in chart coordinates.
    host::Point p = at(1, 1);
    auto viaChart = c->pick({p.x + l.getX(), p.y + l.getY()}, nullptr);
    ASSERT_TRUE(viaChart);
    EXPECT_EQ(viaChart->series, second->getSeries(0));

    // Horizontal: the second row is the second view.
    l.setOrientation(NxLegend::HORIZONTAL);
    c->validate();
    da = l.getDrawingArea();
    di = l.pick(at(3, 1), nullptr);
    ASSERT_TRUE(di);
    EXPECT_EQ(di->dataView, second);
    EXPECT_EQ(di->series, second->getSeries(2));
    EXPECT_FALSE(l.pick({da.x + l.getColX()[1] + 1, da.y + l.getRowY()[1] - 2}, nullptr));
}

TEST(LegendTest, AnchorAndOrientationRefuseOtherValues) {
    NxLegend l;
    try {
        l.setAnchor(3);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(),
                     "Invalid Anchor value in NxLegend.  Should be one of NORTH, SOUTH, EAST, WEST, NORTHEAST, "
                     "SOUTHEAST, NORTHWEST or SOUTHWEST");
    }
    EXPECT_THROW(l.setAnchor(0), std::invalid_argument);
    EXPECT_THROW(l.setOrientation(2), std::invalid_argument);
    l.setAnchor(NxLegend::SOUTHWEST);
    l.setOrientation(NxLegend::HORIZONTAL);
    EXPECT_EQ(l.getAnchor(), 34);
    EXPECT_EQ(l.getOrientation(), 0);
}

TEST(LegendTest, SymbolsFollowTheChartType) {
    ombutest::ShownFrame f(402, 302);
    auto c = f.add(twoViewChart(NxChart::BAR), 0, 0, 402, 302);
    c->getDataView(1)->setChartType(NxChart::PLOT);
    f.show();
    c->validate();
    NxLegend& l = c->getLegend();
    host::RecordingGraphics g;
    l.paintComponent(g);
    std::string log = g.logText();
    int side = l.getSymbolSize() - 1;
    // Bars: an outlined square per series; the plot view: a line across the symbol.
    std::string box = "," + std::to_string(side) + "," + std::to_string(side) + ")";
    size_t boxes = 0;
    for (size_t at = log.find("fillRect("); at != std::string::npos; at = log.find("fillRect(", at + 1))
        if (log.compare(log.find(')', at) - box.size() + 1, box.size(), box) == 0) ++boxes;
    EXPECT_EQ(boxes, 3u);
    EXPECT_NE(log.find("drawLine("), std::string::npos);
    EXPECT_NE(log.find("drawString(\"Second\""), std::string::npos);
    EXPECT_NE(log.find("drawString(\"e\""), std::string::npos);
}

TEST(LegendParamsTest, AnchorOrientationAndShowingComeFromThePage) {
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 'V' 2 3 1 2 3 'a' 1 2 3 'b' 3 2 1"},
                           {"legend.anchor", "SOUTHWEST"},
                           {"legend.orientation", "HORIZONTAL"},
                           {"legend.isShowing", "true"},
                           {"legend.foreground", "blue"},
                           {"legend.borderType", "PLAIN"}});
    applet->setAppletContext(std::make_shared<host::PageContext>());
    auto c = host::create<NxChart>(applet.get(), "");
    NxLegend& l = c->getLegend();
    EXPECT_EQ(l.getAnchor(), NxLegend::SOUTHWEST);
    EXPECT_EQ(l.getOrientation(), NxLegend::HORIZONTAL);
    EXPECT_TRUE(l.getIsShowing());
    EXPECT_EQ(l.getForeground(), host::Color::blue);
    EXPECT_EQ(l.getBorderType(), 5);

    // Shown at the lower left of the chart.
    ombutest::ShownFrame f(402, 302);
    f.add(c, 0, 0, 402, 302);
    f.show();
    c->validate();
    host::Dimension ld = l.preferredSize();
    int gap = gapOf(l.getFont());
    EXPECT_EQ(l.getX(), 1 + gap);
    EXPECT_EQ(l.getY(), 1 + 300 - (gap + ld.height));
}

TEST(LegendParamsTest, ValuesNotInTheTablesAreReportedAndTheDefaultsStay) {
    ErrCapture err;
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 2 3 1 2 3 'a' 1 2 3 'b' 3 2 1"},
                           {"legend.anchor", "UP"},
                           {"legend.orientation", "DIAGONAL"},
                           {"legend.top", "12"}});
    applet->setAppletContext(std::make_shared<host::PageContext>());
    auto c = host::create<NxChart>(applet.get(), "");
    NxLegend& l = c->getLegend();
    EXPECT_EQ(l.getAnchor(), NxLegend::EAST);
    EXPECT_EQ(l.getOrientation(), NxLegend::VERTICAL);
    EXPECT_FALSE(l.getIsShowing());
    EXPECT_FALSE(l.getTopIsDefault());
    EXPECT_EQ(l.getTop(), 12);
    EXPECT_NE(err.out.str().find("legend anchor"), std::string::npos);
    EXPECT_NE(err.out.str().find("legend orientation"), std::string::npos);
}
