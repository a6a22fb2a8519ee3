// Pies: the grid layout, the other slice with both threshold methods and every sort
// order, slice angles, tilted geometry, picking (also where there is nothing to pick),
// and the exact drawing of a small pie.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/draw/PieChartDraw.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/style/NxChartStyle.h"
#include "host/graphics/RecordingGraphics.h"
#include "tests/chart/ChartTestSupport.h"

using namespace norvex::chart;

namespace {

struct Pies {
    charttest::TestChart chart;
    std::shared_ptr<ChartDataView> view = chart.addView();
    std::shared_ptr<PieChartDraw> draw = std::make_shared<PieChartDraw>(view);
    std::shared_ptr<NxPieChartFormat> fmt;

    Pies() {
        view->setChartType(ChartDataView::PIE);
        fmt = view->getPieChartFormat();
    }
    // One series per slice; values[k] holds the slice's value in each pie.
    void slice(std::vector<double> values, host::Color c = host::Color::red) {
        auto s = view->addSeries(view->getNumSeries());
        std::vector<double> xs(values.size());
        for (size_t i = 0; i < xs.size(); ++i) xs[i] = double(i);
        s->setX(xs);
        s->setY(std::move(values));
        s->setStyle(std::make_shared<NxChartStyle>(nullptr, std::make_shared<NxFillStyle>(c, NxFillStyle::SOLID),
                                                   nullptr));
    }
    void build(host::Rectangle plot = {0, 0, 400, 400}, int elevation = 0, int depth = 0) {
        draw->setPlotFrame(plot, elevation, depth, std::nullopt);
        draw->recalc();
    }
    const PieData& pie(int i = 0) const { return draw->getInfo()->pies.at(size_t(i)); }
    std::vector<int> series(int i = 0) const {
        std::vector<int> out;
        for (auto& s : pie(i).slices) out.push_back(s.series);
        return out;
    }
};

PieData sliced(const std::vector<double>& values, int method, double threshold, int minSlices, int order) {
    Pies p;
    for (double v : values) p.slice({v});
    p.fmt->setThresholdMethod(method);
    p.fmt->setThresholdValue(threshold);
    p.fmt->setMinSlices(minSlices);
    p.fmt->setSortOrder(order);
    p.build();
    return p.pie();
}

}  // namespace

TEST(PieLayoutTest, GridsOfPies) {
    EXPECT_EQ(PieSlices::pieLayout(7, 400, 400), std::make_pair(4, 2));
    EXPECT_EQ(PieSlices::pieLayout(6, 400, 400), std::make_pair(3, 2));
    EXPECT_EQ(PieSlices::pieLayout(1, 400, 400), std::make_pair(1, 1));
    EXPECT_EQ(PieSlices::pieLayout(4, 800, 200), std::make_pair(1, 4));
    // A flat rectangle without height puts every pie in one row.
    EXPECT_EQ(PieSlices::pieLayout(5, 300, 0), std::make_pair(1, 5));
    EXPECT_EQ(PieSlices::pieLayout(5, -3, 100), std::make_pair(5, 1));
    EXPECT_EQ(PieSlices::pieLayout(0, 400, 400), std::make_pair(0, 0));
}

TEST(PieDrawTest, SevenPiesTwoPerRowWithAFivePercentOtherSlice) {
    Pies p;
    // Seven pies; in each, the last of six slices is 2 % and the one before 3 %.
    for (double v : {50.0, 30.0, 10.0, 5.0, 3.0, 2.0}) p.slice(std::vector<double>(7, v));
    p.fmt->setSortOrder(NxPieChartFormat::ASCENDING_ORDER);
    p.build({10, 20, 400, 400});
    EXPECT_EQ(p.draw->getNumPies(), 7);
    EXPECT_EQ(p.draw->getRows(), 4);
    EXPECT_EQ(p.draw->getPerRow(), 2);
    EXPECT_EQ(p.draw->getCellWidth(), 200);
    EXPECT_EQ(p.draw->getCellHeight(), 100);
    for (int i = 0; i < 7; ++i) {
        const PieData& d = p.pie(i);
        ASSERT_TRUE(d.hasOther);
        ASSERT_EQ(d.slices.size(), 5u);
        EXPECT_EQ(d.otherPosition, 4);
        EXPECT_NEAR(d.slices[4].fraction, 0.05, 1e-12);
        EXPECT_EQ(p.series(i), (std::vector<int>{3, 2, 1, 0, NxPieChartFormat::OTHER_SLICE}));
    }
    // Cell 100 high, no labels: the pie is 99 wide (odd), centred in its 200-wide cell.
    EXPECT_EQ(p.draw->getPieWidth(), 99);
    EXPECT_EQ(p.draw->getPieHeight(), 99);
    EXPECT_EQ(p.draw->pieBounds(6), (host::Rectangle{10 + 51, 20 + 300, 99, 99}));
    EXPECT_FALSE(p.draw->pieBounds(7));
}

TEST(PieSliceTest, OtherSliceByMethodAndOrder) {
    using F = NxPieChartFormat;
    std::vector<double> v{50, 30, 10, 5, 3, 2};
    // Cut-off 10 %, at least 5 slices: 2 % and 3 % merge; the 5 % slice would leave 4.
    PieData asc = sliced(v, F::SLICE_CUTOFF, 10, 5, F::ASCENDING_ORDER);
    EXPECT_NEAR(asc.slices.back().fraction, 0.05, 1e-12);
    EXPECT_EQ(asc.slices.size(), 5u);
    // Descending takes candidates from the end: the same two slices.
    PieData desc = sliced(v, F::SLICE_CUTOFF, 10, 5, F::DESCENDING_ORDER);
    ASSERT_TRUE(desc.hasOther);
    EXPECT_EQ(desc.slices.front().series, 0);
    EXPECT_NEAR(desc.slices.back().fraction, 0.05, 1e-12);
    // Data order keeps the series order of the slices left.
    PieData data = sliced({3, 50, 2, 30, 10, 5}, F::SLICE_CUTOFF, 10, 5, F::DATA_ORDER);
    std::vector<int> order;
    for (auto& s : data.slices) order.push_back(s.series);
    EXPECT_EQ(order, (std::vector<int>{1, 3, 4, 5, F::OTHER_SLICE}));
    // Percentile: 2 + 3 = 5 < 6, adding 5 gives 10, not below 6.
    PieData pct = sliced(v, F::PIE_PERCENTILE, 6, 1, F::ASCENDING_ORDER);
    EXPECT_NEAR(pct.slices.back().fraction, 0.05, 1e-12);
    EXPECT_EQ(pct.slices.size(), 5u);
    // A slice exactly at the cut-off stays.
    PieData exact = sliced({90, 10}, F::SLICE_CUTOFF, 10, 1, F::DATA_ORDER);
    EXPECT_FALSE(exact.hasOther);
    // minSlices 0 may merge every slice.
    PieData all = sliced({1, 1, 1}, F::SLICE_CUTOFF, 50, 0, F::DATA_ORDER);
    ASSERT_EQ(all.slices.size(), 1u);
    EXPECT_EQ(all.slices[0].series, F::OTHER_SLICE);
    EXPECT_NEAR(all.slices[0].fraction, 1.0, 1e-12);
}

TEST(PieSliceTest, NegativeHiddenAndHoleValues) {
    Pies p;
    p.slice({-5});
    p.slice({10});
    p.slice({p.view->getHoleValue()});
    p.slice({30});
    p.view->getSeries(3)->setIsShowing(false);
    p.fmt->setThresholdValue(0);
    p.build();
    // The negative value is a zero slice; the hole and the hidden series have none.
    EXPECT_EQ(p.series(), (std::vector<int>{0, 1}));
    EXPECT_EQ(p.pie().slices[0].value, 0);
    EXPECT_EQ(p.pie().angles(), (std::vector<int>{0, 360}));
    EXPECT_FALSE(p.pie().hasOther);
}

TEST(PieSliceTest, HundredSlicesOfOnePercentCloseTheCircle) {
    Pies p;
    for (int i = 0; i < 100; ++i) p.slice({1});
    p.fmt->setThresholdValue(0);
    p.build();
    auto ends = p.pie().angles();
    ASSERT_EQ(ends.size(), 100u);
    EXPECT_EQ(ends.back(), 360);
    int sum = 0;
    for (size_t k = 0; k < ends.size(); ++k) {
        auto [start, extent] = PieChartDraw::sliceArc(ends, k);
        EXPECT_GE(extent, 3);
        EXPECT_LE(extent, 4);
        EXPECT_GE(start, 0);
        EXPECT_LT(start, 360);
        sum += extent;
    }
    EXPECT_EQ(sum, 360);
    // Three thirds: 120 each, the first starting clockwise from 135 degrees.
    PieData thirds;
    thirds.slices = {{0, 1, 1 / 3.0, false}, {1, 1, 1 / 3.0, false}, {2, 1, 1 / 3.0, false}};
    thirds.total = 3;
    thirds.allZero = false;
    EXPECT_EQ(thirds.angles(), (std::vector<int>{120, 240, 360}));
    EXPECT_EQ(PieChartDraw::sliceArc(thirds.angles(), 0), std::make_pair(15, 120));
    EXPECT_EQ(PieChartDraw::sliceArc(thirds.angles(), 1), std::make_pair(255, 120));
    EXPECT_EQ(PieChartDraw::sliceArc(thirds.angles(), 2), std::make_pair(135, 120));
}

TEST(PieDrawTest, NothingToDrawOrPick) {
    host::RecordingGraphics g;
    {
        Pies p;  // no series, no pies
        p.build();
        EXPECT_EQ(p.draw->getNumPies(), 0);
        p.draw->draw(g);
        EXPECT_FALSE(p.draw->pick({200, 200}, 0));
        EXPECT_FALSE(p.draw->unpick(0, 0));
    }
    {
        Pies p;  // a plot smaller than the grid: cells of 0 pixels
        p.slice({1, 2, 3, 4, 5});
        p.build({0, 0, 3, 1});
        EXPECT_EQ(p.draw->getCellWidth(), 0);
        p.draw->draw(g);
        EXPECT_FALSE(p.draw->pick({0, 0}, 0));
        EXPECT_FALSE(p.draw->pick({2, 0}, 0));
        EXPECT_FALSE(p.draw->unpick(0, 4));
    }
    {
        Pies p;  // a pie narrower than a pixel: the explode margin takes the cell
        p.slice({1});
        p.slice({2});
        p.fmt->setExplodeList(std::vector<host::Point>{{0, 0}});
        p.build({0, 0, 15, 15});
        EXPECT_LT(p.draw->getPieWidth(), 1);
        p.draw->draw(g);
        EXPECT_FALSE(p.draw->pick({7, 7}, 0));
        EXPECT_FALSE(p.draw->unpick(0, 0));
    }
    {
        Pies p;  // an empty plot
        p.slice({1});
        p.build({0, 0, -5, -5});
        p.draw->draw(g);
        EXPECT_FALSE(p.draw->pick({0, 0}, 0));
    }
    {
        Pies p;  // all values 0
        p.slice({0});
        p.slice({-1});
        p.build();
        EXPECT_TRUE(p.pie().allZero);
        p.draw->draw(g);
        EXPECT_FALSE(p.draw->pick({200, 200}, 0));
    }
    EXPECT_TRUE(g.log().empty());
}

TEST(PieDrawTest, PickingSlicesCellsAndDistances) {
    Pies p;
    // Three pies in a 300 x 100 plot: one row of three 100 x 100 cells.
    p.slice({1, 1, 1});  // series 0: the left half, from 135 clockwise to 315 degrees
    p.slice({1, 1, 1});  // series 1: the right half
    p.build({0, 0, 300, 100});
    ASSERT_EQ(p.draw->getPerRow(), 3);
    auto r = *p.draw->pieBounds(1);
    EXPECT_EQ(r, (host::Rectangle{101, 0, 99, 99}));
    int cx = r.x + r.width / 2, cy = r.y + r.height / 2;
    // Slices run clockwise from 135 degrees: the first is the upper right half.
    auto left = p.draw->pick({cx - 20, cy}, 0);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->series, p.view->getSeries(1));
    EXPECT_EQ(left->point, 1);
    EXPECT_EQ(left->distance, 0);
    auto right = p.draw->pick({cx + 20, cy + 5}, 0);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->series, p.view->getSeries(0));
    // Outside the pie in its cell: the nearest slice, with the distance to the rim.
    auto corner = p.draw->pick({100, 99}, 0);
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->series, p.view->getSeries(1));
    double dx = 100 - (r.x + 49.5), dy = 99 - 49.5;
    EXPECT_EQ(corner->distance, int(std::floor(std::hypot(dx, dy) - 49.5 + 0.5)));
    EXPECT_GT(corner->distance, 15);
    // Outside the grid.
    EXPECT_FALSE(p.draw->pick({-1, 10}, 0));
    EXPECT_FALSE(p.draw->pick({300, 10}, 0));
    EXPECT_FALSE(p.draw->pick({10, 100}, 0));
    // unpick gives a pixel that picks the same slice back.
    auto px = p.draw->unpick(1, 2);
    ASSERT_TRUE(px);
    auto back = p.draw->pick(*px, 0);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->series, p.view->getSeries(1));
    EXPECT_EQ(back->point, 2);
}

TEST(PieDrawTest, EmptyCellOfTheLastRowPicksNothing) {
    Pies p;
    p.slice(std::vector<double>(7, 1.0));
    p.build({0, 0, 400, 400});
    // Seven pies two per row: the last row's right cell is empty.
    ASSERT_EQ(p.draw->getRows(), 4);
    EXPECT_TRUE(p.draw->pick({100, 350}, 0));
    EXPECT_FALSE(p.draw->pick({300, 350}, 0));
    EXPECT_FALSE(p.draw->pick({300, 399}, 0));
}

TEST(PieDrawTest, OtherAndExplodedSlicesArePickedWhereTheyAreDrawn) {
    Pies p;
    p.slice({90});
    p.slice({4});
    p.slice({3});
    p.slice({3});
    p.fmt->setMinSlices(1);
    p.fmt->setExplodeList(std::vector<host::Point>{{0, NxPieChartFormat::OTHER_SLICE}});
    p.fmt->setExplodeOffset(10);
    p.build({0, 0, 200, 200});
    ASSERT_TRUE(p.pie().hasOther);
    ASSERT_TRUE(p.pie().slices.back().exploded);
    // Explode margin 10 on each side: the pie is 179 wide.
    EXPECT_EQ(p.draw->getPieWidth(), 179);
    auto px = p.draw->unpick(NxPieChartFormat::OTHER_SLICE, 0);
    ASSERT_TRUE(px);
    auto hit = p.draw->pick(*px, 0);
    ASSERT_TRUE(hit);
    EXPECT_FALSE(hit->series);
    EXPECT_EQ(hit->object.toString(), std::to_string(NxPieChartFormat::OTHER_SLICE));
    EXPECT_EQ(hit->distance, 0);
}

TEST(PieDrawTest, TiltedDiscsAndFlatExplodedPies) {
    Pies p;
    p.slice({1});
    p.slice({3});
    p.build({0, 0, 400, 400}, 30, 20);
    // (sin 30 * 0.2 + cos 30) * 400 >= 400: pw = N(400 / 0.966) = 414 -> limited? no:
    // aw = 400 fits when tilted, pw 400 -> 399 (odd), ph = N(400 cos 30) = 346 -> 345.
    EXPECT_EQ(p.draw->getPieWidth(), 399);
    EXPECT_EQ(p.draw->getPieHeight(), 345);
    EXPECT_EQ(p.draw->getEdge(), 40);
    EXPECT_EQ(p.draw->getPieWidth() % 2, 1);
    // A point on the wall below the rim picks the slice above it.
    auto r = *p.draw->pieBounds(0);
    int cx = r.x + r.width / 2, bottom = r.y + r.height;
    auto wall = p.draw->pick({cx, bottom + 20}, 0);
    ASSERT_TRUE(wall);
    EXPECT_EQ(wall->distance, 0);
    host::RecordingGraphics g;
    p.draw->draw(g);
    EXPECT_NE(g.logText().find("fillPolygon"), std::string::npos);

    // With an explode list the same chart area draws flat pies.
    p.fmt->setExplodeList(std::vector<host::Point>{{0, 1}});
    p.build({0, 0, 400, 400}, 30, 20);
    EXPECT_EQ(p.draw->getEdge(), 0);
    EXPECT_EQ(p.draw->getPieWidth(), p.draw->getPieHeight());
}

TEST(PieDrawTest, PieSizesAreOdd) {
    for (int size : {100, 101, 150, 257}) {
        for (int elevation : {0, 20, 45}) {
            Pies p;
            p.slice({1});
            p.build({0, 0, size, size}, elevation, 30);
            EXPECT_EQ(p.draw->getPieWidth() % 2, 1) << size << " " << elevation;
            EXPECT_EQ(p.draw->getPieHeight() % 2, 1) << size << " " << elevation;
        }
    }
}

TEST(PieDrawTest, DrawingSequenceOfASmallPie) {
    Pies p;
    p.slice({1}, host::Color::blue);
    p.slice({3}, host::Color::black);
    p.draw->setForeground(host::Color::black);
    p.build({0, 0, 40, 40});
    host::RecordingGraphics g;
    p.draw->draw(g);
    // Blue quarter from 135 clockwise to 45 degrees, the black rest; the black
    // slice is outlined in its own outline shade, not in the black foreground.
    EXPECT_EQ(g.logText(),
              "setColor(0,0,255)\n"
              "fillArc(1,0,39,39,45,90)\n"
              "setColor(0,0,0)\n"
              "fillArc(1,0,39,39,135,270)\n"
              "setColor(0,0,0)\n"
              "drawArc(1,0,39,39,45,90)\n"
              "drawLine(20,19,34,6)\n"
              "drawLine(20,19,7,6)\n"
              "setColor(75,75,75)\n"
              "drawArc(1,0,39,39,135,270)\n"
              "drawLine(20,19,7,6)\n"
              "drawLine(20,19,34,6)");
}
