// Area polygons: closing to the origin, breaking at holes, segments outside the X
// range, far-zoomed coordinates, drawing order and picking of overlapping areas.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "chart/draw/AreaChartDraw.h"
#include "chart/draw/ChartDraw.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/RecordingGraphics.h"
#include "tests/chart/ChartTestSupport.h"

using namespace norvex::chart;
using V = AreaChartDraw::Vertex;

namespace {

// The X axis is 400 pixels wide from 0, the Y axis 300 high from 0 (pixel 300 is the bottom).
struct Areas {
    charttest::TestChart chart;
    std::shared_ptr<ChartDataView> view = chart.addView();
    std::shared_ptr<AreaChartDraw> draw;

    Areas(double xmin, double xmax, double ymin, double ymax) {
        view->setChartType(ChartDataView::AREA);
        chart.x->setMin(xmin);
        chart.x->setMax(xmax);
        chart.y->setMin(ymin);
        chart.y->setMax(ymax);
        chart.y->setOrigin(ymin);
    }
    void series(std::vector<double> x, std::vector<double> y, host::Color c = host::Color::red) {
        auto s = view->addSeries(view->getNumSeries());
        s->setX(std::move(x));
        s->setY(std::move(y));
        s->setStyle(std::make_shared<NxChartStyle>(nullptr, std::make_shared<NxFillStyle>(c, NxFillStyle::SOLID),
                                                   nullptr));
    }
    void build() {
        chart.scaleAxes(*view);
        auto d = ChartDraw::makeDrawObject(view);
        draw = std::dynamic_pointer_cast<AreaChartDraw>(d);
        ASSERT_TRUE(draw);
        draw->recalc();
    }
    double hole() const { return view->getHoleValue(); }
};

}  // namespace

TEST(AreaDrawTest, ASeriesIsOnePolygonClosedDownToTheOrigin) {
    Areas a(0, 2, 0, 3);
    a.series({0, 1, 2}, {1, 2, 3});
    a.build();
    ASSERT_EQ(a.draw->getOutlines(0).size(), 1u);
    // (0,0)-(0,1)-(1,2)-(2,3)-(2,0) in data terms.
    std::vector<V> expected{{0, 300}, {0, 200}, {200, 100}, {400, 0}, {400, 300}};
    EXPECT_EQ(a.draw->getOutlines(0)[0], expected);
    const auto& p = a.draw->getPolygons(0);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].xpoints, (std::vector<int>{0, 0, 200, 400, 400}));
    EXPECT_EQ(p[0].ypoints, (std::vector<int>{300, 200, 100, 0, 300}));
}

TEST(AreaDrawTest, AHoleClosesThePolygonAndTheNextValidPairOpensANewOne) {
    Areas a(0, 4, 0, 4);
    a.series({0, 1, 2, 3, 4}, {1, 2, a.hole(), 3, 4});
    a.build();
    const auto& o = a.draw->getOutlines(0);
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0], (std::vector<V>{{0, 300}, {0, 225}, {100, 150}, {100, 300}}));
    EXPECT_EQ(o[1], (std::vector<V>{{300, 300}, {300, 75}, {400, 0}, {400, 300}}));
}

TEST(AreaDrawTest, ALonePointBetweenHolesAndHolesAtTheEndsMakeNoPolygon) {
    Areas a(0, 4, 0, 4);
    a.series({0, 1, 2, 3, 4}, {a.hole(), 1, a.hole(), 2, a.hole()});
    a.series({0, 1, 2, 3, 4}, {a.hole(), a.hole(), a.hole(), a.hole(), a.hole()});
    a.build();
    EXPECT_TRUE(a.draw->getOutlines(0).empty());
    EXPECT_TRUE(a.draw->getOutlines(1).empty());
    EXPECT_FALSE(a.draw->unpick(0, 0));
    EXPECT_EQ(a.draw->unpick(0, 1), (host::Point{100, 225}));
}

TEST(AreaDrawTest, ASegmentWhollyLeftOfTheRangeAddsNothingAndACrossingOneIsAddedWhole) {
    Areas a(2, 4, 0, 4);
    a.series({0, 1, 3, 4}, {1, 1, 2, 2});
    a.build();
    const auto& o = a.draw->getOutlines(0);
    ASSERT_EQ(o.size(), 1u);
    // x = 1 lies 200 pixels left of the axis; the vertex stays where the data puts it.
    EXPECT_EQ(o[0], (std::vector<V>{{-200, 300}, {-200, 225}, {200, 150}, {400, 150}, {400, 300}}));
    // The drawn polygon is cut at the clipping margin, on the same line.
    const auto& p = a.draw->getPolygons(0)[0];
    EXPECT_EQ(p.xpoints.front(), -AreaChartDraw::kClipMargin);
    EXPECT_EQ(*std::min_element(p.xpoints.begin(), p.xpoints.end()), -AreaChartDraw::kClipMargin);
}

TEST(AreaDrawTest, ZoomedCoordinatesAreSixtyFourBitAndClipped) {
    Areas a(0, 1e-6, 0, 4);
    a.series({-1e6, 1e6}, {1, 3});
    a.build();
    const auto& o = a.draw->getOutlines(0);
    ASSERT_EQ(o.size(), 1u);
    // One pixel is 2.5e-9 data units: the ends lie about 4e14 pixels away, past int.
    EXPECT_LT(o[0][0].x, -int64_t(1) << 40);
    EXPECT_GT(o[0][2].x, int64_t(1) << 40);
    const auto& p = a.draw->getPolygons(0);
    ASSERT_EQ(p.size(), 1u);
    for (int x : p[0].xpoints) {
        EXPECT_GE(x, -64);
        EXPECT_LE(x, 464);
    }
    for (int y : p[0].ypoints) {
        EXPECT_GE(y, -64);
        EXPECT_LE(y, 364);
    }
    // The line crosses the plot at y = 2 (pixel 150): the polygon's top edge passes there.
    host::RecordingGraphics g;
    a.draw->draw(g);
    EXPECT_NE(g.logText().find("fillPolygon"), std::string::npos);
}

TEST(AreaDrawTest, LaterSeriesPaintLastAndAClickInsideBothPicksTheLater) {
    Areas a(0, 2, 0, 4);
    a.series({0, 1, 2}, {3, 3, 3}, host::Color::blue);
    a.series({0, 1, 2}, {2, 2, 2}, host::Color::black);
    a.build();
    host::RecordingGraphics g;
    a.draw->setForeground(host::Color::black);
    a.draw->draw(g);
    const auto& log = g.log();
    // Blue first, then black over it; the black area on a black foreground is
    // outlined in its own outline shade.
    std::vector<std::string> expected{
        "setColor(0,0,255)",
        "fillPolygon([0,0,200,400,400],[300,75,75,75,300])",
        "setColor(0,0,0)",
        "drawPolygon([0,0,200,400,400],[300,75,75,75,300])",
        "fillPolygon([0,0,200,400,400],[300,150,150,150,300])",
        "setColor(75,75,75)",
        "drawPolygon([0,0,200,400,400],[300,150,150,150,300])"};
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.end()), expected);

    // (120, 250) lies inside both areas: the later one answers at distance 0.
    auto hit = a.draw->pick({120, 250}, ChartDataView::PICK_FOCUS_XY);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->series, a.view->getSeries(1));
    EXPECT_EQ(hit->distance, 0);
    EXPECT_EQ(hit->point, 1);
    // (100, 100) lies only inside the first (its top is at 75).
    hit = a.draw->pick({100, 100}, ChartDataView::PICK_FOCUS_XY);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->series, a.view->getSeries(0));
    EXPECT_EQ(hit->distance, 0);
    // Above both: the nearer line, 25 pixels off.
    hit = a.draw->pick({30, 50}, ChartDataView::PICK_FOCUS_XY);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->series, a.view->getSeries(0));
    EXPECT_EQ(hit->distance, 25);
    EXPECT_EQ(hit->point, 0);
}

TEST(AreaDrawTest, PickingNextToAHoleTakesTheValidNeighbour) {
    Areas a(0, 4, 0, 4);
    a.series({0, 1, 2, 3, 4}, {1, 2, a.hole(), 3, 4});
    a.build();
    // Between points 1 and 2 (pixel 150) no pair brackets the pointer: point 1 alone.
    auto hit = a.draw->pick({150, 150}, ChartDataView::PICK_FOCUS_X);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->point, 1);
    EXPECT_EQ(hit->distance, 50);
    EXPECT_GT(a.draw->pick({150, 150}, ChartDataView::PICK_FOCUS_XY)->distance, 0);
}

TEST(AreaDrawTest, ClippingToARectangleKeepsInsidePolygonsAndCutsCrossingOnes) {
    AreaChartDraw::Outline square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_EQ(AreaChartDraw::clipToRect(square, -5, -5, 20, 20), square);
    auto cut = AreaChartDraw::clipToRect(square, 5, -5, 20, 20);
    ASSERT_EQ(cut.size(), 4u);
    for (auto& v : cut) EXPECT_GE(v.x, 5);
    EXPECT_TRUE(AreaChartDraw::clipToRect(square, 20, 20, 30, 30).empty());
}
