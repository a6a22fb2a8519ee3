// Clustered and stacked bar geometry: cluster offsets, stacking with negatives,
// 100 percent scaling, no showing series, and outlines of black bars.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/draw/BarChartDraw.h"
#include "chart/model/NxBarChartFormat.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/RecordingGraphics.h"
#include "tests/chart/ChartTestSupport.h"

using namespace norvex::chart;

namespace {

struct Bars {
    charttest::TestChart chart;
    std::shared_ptr<ChartDataView> view = chart.addView();
    std::shared_ptr<BarChartDraw> draw;

    explicit Bars(int type) {
        view->setChartType(type);
        chart.x->setMin(0);
        chart.x->setMax(10);
        chart.y->setMin(-10);
        chart.y->setMax(100);
    }
    void series(std::vector<double> x, std::vector<double> y, host::Color c = host::Color::red) {
        auto s = view->addSeries(view->getNumSeries());
        s->setX(std::move(x));
        s->setY(std::move(y));
        s->setStyle(std::make_shared<NxChartStyle>(nullptr, std::make_shared<NxFillStyle>(c, NxFillStyle::SOLID),
                                                   nullptr));
    }
    void build() {
        chart.scaleAxes(*view, 1.0);
        if (view->getChartType() == ChartDataView::BAR)
            draw = std::make_shared<BarChartDraw>(view);
        else
            draw = std::make_shared<SBarChartDraw>(view);
        draw->recalc();
    }
};

}  // namespace

TEST(BarDrawTest, ThreeSeriesClusterAroundThePoint) {
    Bars b(ChartDataView::BAR);
    for (int i = 0; i < 3; ++i) b.series({5}, {10.0 + i});
    b.build();
    ASSERT_EQ(b.draw->getBars().size(), 3u);
    EXPECT_NEAR(b.draw->getBarWidth(), 0.8 / 3, 1e-9);
    EXPECT_NEAR(b.draw->getBars()[0].xbeg, 4.6, 1e-9);
    EXPECT_NEAR(b.draw->getBars()[1].xbeg, 5 - 0.4 / 3, 1e-9);
    EXPECT_NEAR(b.draw->getBars()[2].xbeg, 5 + 0.4 / 3, 1e-9);
}

TEST(BarDrawTest, OverlapFiftyStartsTheSecondBarHalfABarLater) {
    Bars b(ChartDataView::BAR);
    b.view->getBarChartFormat()->setClusterOverlap(50);
    b.series({5}, {10});
    b.series({5}, {20});
    b.build();
    double w = b.draw->getBarWidth();
    EXPECT_NEAR(w, 80.0 / 150, 1e-9);
    EXPECT_NEAR(b.draw->getBars()[1].xbeg - b.draw->getBars()[0].xbeg, w / 2, 1e-9);
}

TEST(BarDrawTest, NoShowingSeriesDrawsAndPicksNothing) {
    Bars b(ChartDataView::BAR);
    b.series({5}, {10});
    b.view->getSeries(0)->setIsShowing(false);
    b.view->getBarChartFormat()->setClusterOverlap(0);
    b.build();
    EXPECT_TRUE(b.draw->getBars().empty());
    EXPECT_FALSE(b.draw->pick({200, 150}, 0));
    host::RecordingGraphics g;
    b.draw->draw(g);
    EXPECT_TRUE(g.log().empty());
}

TEST(BarDrawTest, StackingPutsNegativesBelowZero) {
    Bars b(ChartDataView::STACKING_BAR);
    b.series({5}, {2});
    b.series({5}, {-1});
    b.series({5}, {3});
    b.build();
    auto& bars = b.draw->getBars();
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].low, 0);
    EXPECT_EQ(bars[0].high, 2);
    EXPECT_EQ(bars[1].low, 0);
    EXPECT_EQ(bars[1].high, -1);
    EXPECT_EQ(bars[2].low, 2);
    EXPECT_EQ(bars[2].high, 5);
}

TEST(BarDrawTest, HundredPercentScalesEachStack) {
    Bars b(ChartDataView::STACKING_BAR);
    b.view->getBarChartFormat()->set100Percent(true);
    b.series({5, 6}, {1, 0});
    b.series({5, 6}, {3, 0});
    b.build();
    auto& bars = b.draw->getBars();
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_DOUBLE_EQ(bars[0].high, 25);
    EXPECT_DOUBLE_EQ(bars[1].low, 25);
    EXPECT_DOUBLE_EQ(bars[1].high, 100);
    // A zero total counts as 1: the zero bars stay at 0.
    EXPECT_DOUBLE_EQ(bars[3].high, 0);
}

TEST(BarDrawTest, BlackBarsGetAVisibleOutline) {
    Bars b(ChartDataView::BAR);
    b.series({5}, {50}, host::Color::black);
    b.build();
    ASSERT_TRUE(b.draw->getOutline());
    host::RecordingGraphics g;
    b.draw->draw(g);
    std::string all;
    for (auto& l : g.log()) all += l + "\n";
    EXPECT_NE(all.find("drawRect"), std::string::npos);
    // The outline is not drawn in the fill's own black.
    auto pos = all.rfind("setColor", all.find("drawRect"));
    ASSERT_NE(pos, std::string::npos);
    EXPECT_EQ(all.substr(pos, all.find('\n', pos) - pos).find("0,0,0,255"), std::string::npos) << all;
}

TEST(BarDrawTest, PickFindsTheBarUnderThePointer) {
    Bars b(ChartDataView::BAR);
    b.series({5}, {50});
    b.series({5}, {60});
    b.build();
    auto& r = b.draw->getBars()[1].front;
    auto hit = b.draw->pick({r.x + 1, r.y + 1}, 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->point, 0);
    EXPECT_EQ(hit->series, b.view->getSeries(1));
    EXPECT_EQ(hit->distance, 0);
}

TEST(BarDrawTest, ASmallBarChartDrawsThisSequence) {
    Bars b(ChartDataView::BAR);
    b.series({2, 6}, {50, -10}, host::Color::red);
    b.build();
    host::RecordingGraphics g;
    b.draw->draw(g);
    std::vector<std::string> rects;
    for (auto& l : g.log())
        if (l.rfind("fillRect", 0) == 0 || l.rfind("drawRect", 0) == 0) rects.push_back(l);
    // x: 40 pixels a unit, bars 0.8 wide; y: -10..100 over 300 pixels, origin 0 at 273.
    EXPECT_EQ(rects, (std::vector<std::string>{"fillRect(64,136,32,137)", "drawRect(64,136,32,137)",
                                               "fillRect(224,273,32,27)", "drawRect(224,273,32,27)"}));
    auto at = b.draw->unpick(0, 1);
    ASSERT_TRUE(at);
    EXPECT_EQ(*at, (host::Point{240, 300}));
}

TEST(BarDrawTest, ThreeDimensionalBarsDropAPositiveOverlapAndGetFaces) {
    Bars b(ChartDataView::BAR);
    b.view->getBarChartFormat()->setClusterOverlap(30);
    b.series({5}, {50});
    b.series({5}, {60});
    b.build();
    b.draw->setDepthOffsets(10, -8);
    b.draw->recalc();
    EXPECT_EQ(b.view->getBarChartFormat()->getClusterOverlap(), 0);
    auto& bar = b.draw->getBars()[0];
    ASSERT_EQ(bar.top.size(), 4u);
    ASSERT_EQ(bar.side.size(), 4u);
    // The top face rises from the front's upper edge; the side face leaves its right edge.
    EXPECT_EQ(bar.top[0], (host::Point{bar.front.x, bar.front.y}));
    EXPECT_EQ(bar.top[3], (host::Point{bar.front.x + 10, bar.front.y - 8}));
    EXPECT_EQ(bar.side[0].x, bar.front.x + bar.front.width);
}

TEST(BarDrawTest, OutlinesStartAboveThreePixels) {
    for (auto [width, outlined] : {std::pair{75, false}, std::pair{100, true}}) {
        Bars b(ChartDataView::BAR);
        b.view->getBarChartFormat()->setClusterWidth(width);
        b.series({5}, {50});
        b.build();
        b.chart.x->setStep(0.1);  // 40 pixels a unit: widths of 3 and 4 pixels
        b.draw->recalc();
        EXPECT_EQ(b.draw->getOutline(), outlined) << width;
    }
}

// Editing a bar moves its value end along the value axis: the feedback is the front
// face from its fixed end to the pointer, and the new value is read where it is let
// go; a stacked bar's value is what lies above the stack below, scaled back from
// percent in a 100 % stack.
TEST(BarDrawTest, EditingMovesTheValueEndAndStacksTakeTheValueAboveTheStackBelow) {
    for (int type : {ChartDataView::BAR, ChartDataView::STACKING_BAR}) {
        SCOPED_TRACE(type);
        Bars b(type);
        if (type == ChartDataView::STACKING_BAR) b.view->getBarChartFormat()->set100Percent(true);
        auto model = std::make_shared<charttest::RowModel>(
            Chartable::ARRAY, std::vector<std::vector<host::Value>>{{5.0}, {1.0}, {3.0}});
        b.view->setDataSource(model);
        for (auto& s : b.view->getSeries()) s->setStyle(std::make_shared<NxChartStyle>());
        b.build();
        ASSERT_EQ(b.draw->getBars().size(), 2u);
        const BarPoint bar = b.draw->getBars()[1];  // the second series
        auto di = NxDataIndex(b.view, b.view->getSeries(1), 0, 0);
        b.draw->startEdit(di);
        EXPECT_TRUE(b.draw->editFeedback().empty());
        const int end = b.chart.y->toPixel(50);
        b.draw->showEdit(di, 0, end);
        const int fixed = b.chart.y->toPixel(bar.low);
        ChartFeedback face;
        face.rects.push_back({bar.front.x, std::min(fixed, end), bar.front.width, std::abs(fixed - end)});
        EXPECT_EQ(b.draw->editFeedback(), face);
        EXPECT_EQ(b.draw->endEdit(di, 0, end), 0);
        EXPECT_TRUE(b.draw->editFeedback().empty());
        const double shown = b.chart.y->toData(end);
        // Clustered: the value is where the bar ends; 100 % stack of 1 and 3: the bar
        // starts at 25 and a percent is 4 / 100 of the data.
        const double expected = type == ChartDataView::BAR ? shown : (shown - 25) * 0.04;
        EXPECT_DOUBLE_EQ(model->rows[2]->elementAt(0).asDouble(), expected);
    }
}

TEST(BarDrawTest, EditingABarThatIsNotThereDoesNothing) {
    Bars b(ChartDataView::BAR);
    b.series({5}, {10});
    b.build();
    auto di = NxDataIndex(b.view, b.view->getSeries(0), 3, 0);  // no bar at point 3
    b.draw->startEdit(di);
    b.draw->showEdit(di, 10, 10);
    EXPECT_TRUE(b.draw->editFeedback().empty());
    EXPECT_EQ(b.draw->endEdit(di, 10, 10), -1);
}
