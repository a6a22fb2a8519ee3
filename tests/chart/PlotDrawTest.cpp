// Line and scatter drawing: clipping at the axis bounds (in log space on log axes),
// holes, lone points, the drawing sequence, picking and editing through a pick.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/draw/PlotChartDraw.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/Image.h"
#include "host/graphics/RecordingGraphics.h"
#include "tests/chart/ChartTestSupport.h"

using namespace norvex::chart;

namespace {

constexpr double H = DBL_MAX;  // the default hole value

// x 0..10 over 400 pixels, y 0..10 over 300 pixels (y grows upward).
struct Plot {
    charttest::TestChart chart;
    std::shared_ptr<ChartDataView> view = chart.addView();
    std::shared_ptr<PlotChartDraw> draw;

    Plot() {
        chart.x->setMin(0);
        chart.x->setMax(10);
        chart.y->setMin(0);
        chart.y->setMax(10);
    }
    void series(std::vector<double> x, std::vector<double> y) {
        auto s = view->addSeries(view->getNumSeries());
        s->setX(std::move(x));
        s->setY(std::move(y));
        auto style = std::make_shared<NxChartStyle>(
            std::make_shared<NxLineStyle>(1, host::Color::black, NxLineStyle::SOLID), nullptr,
            std::make_shared<NxSymbolStyle>(NxSymbolStyle::BOX, host::Color::red, 4));
        s->setStyle(style);
    }
    void build() {
        chart.scaleAxes(*view);
        draw = std::make_shared<PlotChartDraw>(view);
        draw->recalc();
    }
    std::vector<std::string> drawing() {
        host::RecordingGraphics g;
        draw->draw(g);
        std::vector<std::string> out;
        for (auto& l : g.log())
            if (l.rfind("drawLine", 0) == 0 || l.rfind("fillRect", 0) == 0) out.push_back(l);
        return out;
    }
    int symbols(int s) {
        int n = 0;
        for (auto& seg : draw->getSegments(s))
            for (auto& p : seg) n += p.drawPoint ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST(PlotClipTest, ALineLeavingAndReenteringStopsAtTheEdgeWithoutSymbols) {
    Plot p;
    p.series({6, 12, 8}, {5, 5, 5});
    p.build();
    // (6,5) -> edge, edge -> (8,5); symbols only at the data points.
    EXPECT_EQ(p.drawing(), (std::vector<std::string>{"fillRect(238,148,4,4)", "drawLine(240,150,400,150)",
                                                     "drawLine(400,150,320,150)", "fillRect(318,148,4,4)"}));
}

TEST(PlotClipTest, AHoleSplitsTheLineAndHasNoSymbol) {
    Plot p;
    p.series({1, 2, 3, 4, 5}, {1, 2, H, 4, 5});
    p.build();
    ASSERT_EQ(p.draw->getSegments(0).size(), 2u);
    EXPECT_EQ(p.symbols(0), 4);
    int lines = 0;
    for (auto& l : p.drawing()) lines += l.rfind("drawLine", 0) == 0;
    EXPECT_EQ(lines, 2);
}

TEST(PlotClipTest, LonePointsBetweenHolesAndSinglePointSeriesKeepTheirSymbol) {
    Plot p;
    p.series({1, 2, 3}, {H, 2, H});
    p.series({4}, {4});
    p.series({1, 2}, {H, 3});  // a hole at one end: the other end keeps its symbol, no line
    p.build();
    EXPECT_EQ(p.symbols(0), 1);
    EXPECT_EQ(p.symbols(1), 1);
    EXPECT_EQ(p.symbols(2), 1);
    for (auto& l : p.drawing()) EXPECT_EQ(l.rfind("drawLine", 0), std::string::npos) << l;
}

TEST(PlotClipTest, PointsOutsideTheBoundsGetNoSymbol) {
    Plot p;
    p.series({-5, 20}, {5, 5});  // both ends outside, the line crosses the whole plot
    p.build();
    EXPECT_EQ(p.symbols(0), 0);
    EXPECT_EQ(p.drawing(), (std::vector<std::string>{"drawLine(0,150,400,150)"}));
}

TEST(PlotClipTest, ClippingOnALogAxisKeepsTheLineStraight) {
    Plot p;
    p.chart.y->setIsLogarithmic(true);
    p.chart.y->setMin(1);
    p.chart.y->setMax(100);
    p.series({0, 10}, {1, 1000});
    p.build();
    ASSERT_EQ(p.draw->getSegments(0).size(), 1u);
    const auto& seg = p.draw->getSegments(0)[0];
    ASSERT_EQ(seg.size(), 2u);
    // log10 y runs 0..3 along x 0..10: it leaves the top (log 2) at x = 6.67, pixel 267.
    EXPECT_NEAR(seg[1].x, 267, 1);
    EXPECT_EQ(seg[1].y, 0);
    EXPECT_FALSE(seg[1].drawPoint);
}

TEST(PlotDrawTest, ScatterDrawsOnlySymbols) {
    Plot p;
    p.view->setChartType(ChartDataView::SCATTER_PLOT);
    p.series({1, 2}, {1, 2});
    p.build();
    EXPECT_EQ(p.drawing(), (std::vector<std::string>{"fillRect(38,268,4,4)", "fillRect(78,238,4,4)"}));
}

TEST(PlotDrawTest, DrawerTableRefusesHiLoOpenClose) {
    EXPECT_THROW(ChartDraw::makeDrawObject(nullptr), std::invalid_argument);
    auto v = std::make_shared<ChartDataView>();
    v->setChartType(ChartDataView::BAR);
    auto d = ChartDraw::makeDrawObject(v);
    EXPECT_FALSE(d->pick({0, 0}, 0).has_value());
}

TEST(PlotPickTest, NearestPointWinsAndTheEarlierSeriesWinsATie) {
    Plot p;
    p.series({1, 5}, {5, 5});  // pixels (40,150), (200,150)
    p.series({3}, {5});        // pixel (120,150)
    p.build();
    auto r = p.draw->pick({190, 140}, ChartDataView::PICK_FOCUS_XY);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->point, 1);
    EXPECT_EQ(p.view->getSeriesIndex(r->series.get()), 0);
    // (80,150) lies 40 from both (40,150) of series 0 and (120,150) of series 1.
    r = p.draw->pick({80, 150}, ChartDataView::PICK_FOCUS_XY);
    ASSERT_TRUE(r);
    EXPECT_EQ(p.view->getSeriesIndex(r->series.get()), 0);
    EXPECT_EQ(r->distance, 40);
    // Focus X: far above but at the same x gives distance 0.
    r = p.draw->pick({120, 0}, ChartDataView::PICK_FOCUS_X);
    ASSERT_TRUE(r);
    EXPECT_EQ(p.view->getSeriesIndex(r->series.get()), 1);
    EXPECT_EQ(r->distance, 0);
    EXPECT_EQ(p.draw->unpick(0, 1), (host::Point{200, 150}));
}

TEST(PlotPickTest, EditingThroughAPickChangesTheValue) {
    Plot p;
    auto model = std::make_shared<charttest::RowModel>(
        Chartable::ARRAY, std::vector<std::vector<host::Value>>{{1.0, 2.0, 3.0}, {2.0, 4.0, 6.0}});
    p.view->setDataSource(model);
    for (auto& s : p.view->getSeries()) s->setStyle(std::make_shared<NxChartStyle>());
    p.build();
    auto di = p.draw->pick({80, 180}, ChartDataView::PICK_FOCUS_XY);  // point 1 at (80,180)
    ASSERT_TRUE(di);
    ASSERT_EQ(di->point, 1);
    p.draw->startEdit(*di);
    EXPECT_EQ(p.draw->getEdit().getPrevious(), (host::Point{40, 240}));
    EXPECT_EQ(p.draw->getEdit().getNext(), (host::Point{120, 120}));
    EXPECT_TRUE(p.draw->editFeedback().empty());  // nothing dragged yet
    p.draw->showEdit(*di, 300, 100);
    EXPECT_EQ(p.draw->getEdit().getPosition(), (host::Point{80, 100}));  // x stays at the point's own
    // Rubber lines from both neighbours to the dragged pixel.
    ChartFeedback lines;
    lines.lines = {{{40, 240}, {80, 100}}, {{120, 120}, {80, 100}}};
    EXPECT_EQ(p.draw->editFeedback(), lines);
    EXPECT_EQ(p.draw->endEdit(*di, 300, 60), 1);  // y pixel 60 is value 8
    EXPECT_TRUE(p.draw->editFeedback().empty());
    EXPECT_EQ(model->rows[1]->elementAt(1), host::Value(8.0));  // the source took the new value
}

TEST(PlotDrawTest, DenseLinesDrawTheSamePixelsAsOneLineAPair) {
    Plot p;
    std::vector<double> xs, ys;
    for (int i = 0; i <= 2000; ++i) {
        xs.push_back(i * 0.005);
        ys.push_back(5 + 4 * std::sin(i * 0.37) + 0.5 * std::sin(i * 0.05));
    }
    p.series(xs, ys);
    p.view->getSeries(0)->getStyle()->setSymbolShape(NxSymbolStyle::NONE);
    p.build();
    auto fast = host::Image::createOffscreen(401, 301);
    auto plain = host::Image::createOffscreen(401, 301);
    auto g = fast->getGraphics();
    p.draw->draw(*g);  // runs in one pixel column become one vertical line
    g->dispose();
    auto h = plain->getGraphics();
    h->setColor(host::Color::black);
    for (auto& seg : p.draw->getSegments(0))
        for (size_t i = 1; i < seg.size(); ++i) h->drawLine(seg[i - 1].x, seg[i - 1].y, seg[i].x, seg[i].y);
    h->dispose();
    EXPECT_EQ(fast->getARGB(), plain->getARGB());
}
