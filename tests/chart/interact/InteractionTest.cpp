// Chart interaction without a screen: trigger matching, zoom into a band or a click
// square and reset, translation (one step or many, logarithmic, empty plot), rotation
// and depth bounds, editing through a pick, picking, the trigger parameters, hyperlinks
// and unpicking outside the plot; the axis selector and its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "chart/AxisSelectorWindow.h"
#include "chart/NxChart.h"
#include "chart/base/ChartErrorDialog.h"
#include "chart/interact/AxisActions.h"
#include "chart/interact/AxisSelector.h"
#include "chart/interact/EventTrigger.h"
#include "chart/source/InputStreamDataSource.h"
#include "host/graphics/RecordingGraphics.h"
#include "host/page/Applet.h"
#include "host/ui/Toolkit.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxCheckboxGroup.h"
#include "tests/chart/ChartTestSupport.h"
#include "tests/ombu/OmbuTestSupport.h"
#include "tests/support/ErrCapture.h"

using namespace norvex::chart;

namespace {

using testsupport::ErrCapture;

constexpr int B1 = EventTrigger::BUTTON1;

// A shown chart of one plot view (x 1..5) with its layout done.
struct ShownChart {
    ombutest::ShownFrame f{400, 300, ombutest::Drawing::Private};
    std::shared_ptr<NxChart> chart = host::create<NxChart>();

    explicit ShownChart(int type = NxChart::PLOT, int w = 400, int h = 300,
                        const char* data = "ARRAY 2 5 1 2 3 4 5 'a' 1 4 2 5 3 'b' 5 3 4 1 2") {
        chart->getDataView(0)->setDataSource(std::make_shared<InputStreamDataSource>(std::string_view(data)));
        chart->getDataView(0)->setChartType(type);
        f.frame->reshape(0, 0, std::max(w, 1), std::max(h, 1));
        f.add(chart, 0, 0, w, h);
        f.show();
        settle();
    }
    void settle() {
        chart->invalidate();
        chart->validate();
    }
    NxChartArea& area() { return chart->getChartAreaRegion(); }
    NxAxisPtr x() { return area().getXAxis(); }
    NxAxisPtr y() { return area().getYAxis(); }
    // The plot rectangle in the chart area's coordinates.
    host::Rectangle plot() {
        host::Rectangle r = area().getPlotRect();
        host::Point o = area().getDrawingOrigin();
        return {r.x + o.x, r.y + o.y, r.width, r.height};
    }
    // Resizes the chart until its plot is `width` pixels wide.
    void plotWidth(int width) {
        for (int i = 0; i < 4 && plot().width != width; ++i) {
            int w = chart->getWidth() + width - plot().width;
            f.frame->reshape(0, 0, w, chart->getHeight());
            chart->reshape(0, 0, w, chart->getHeight());
            settle();
        }
        ASSERT_EQ(plot().width, width);
    }
    void trigger(int modifiers, int action) { *chart->addTrigger() = EventTrigger(modifiers, action); }
    void drag(host::Point from, host::Point to, int modifiers = B1) {
        auto& in = chart->getInteraction();
        in.press(from.x, from.y, modifiers);
        in.drag(to.x, to.y);
        in.release(to.x, to.y);
        settle();
    }
};

}  // namespace

TEST(EventTriggerTest, ModifiersMatchWithButtonOneAddedWhenNoButtonIsGiven) {
    EXPECT_EQ(EventTrigger::adjustModifier(0), 16);
    EXPECT_EQ(EventTrigger::adjustModifier(1), 17);
    EXPECT_EQ(EventTrigger::adjustModifier(1 | 4), 5);  // button 3 given: left alone
    EXPECT_EQ(EventTrigger::adjustModifier(8), 8);

    TriggerList list;
    *list.add() = EventTrigger(EventTrigger::SHIFT, EventTrigger::ZOOM);
    *list.add() = EventTrigger(0, EventTrigger::TRANSLATE);
    *list.add() = EventTrigger(EventTrigger::SHIFT, EventTrigger::ROTATE);  // shadowed by the first
    ASSERT_TRUE(list.findMatching(1 | 16));
    EXPECT_EQ(list.findMatching(1 | 16)->getAction(), EventTrigger::ZOOM);  // shift-drag with button 1
    EXPECT_EQ(list.findMatching(1)->getAction(), EventTrigger::ZOOM);
    EXPECT_EQ(list.findMatching(16)->getAction(), EventTrigger::TRANSLATE);
    EXPECT_FALSE(list.findMatching(1 | 4));  // shift with button 3
    EXPECT_FALSE(list.findMatching(2 | 16));  // control

    EXPECT_THROW(list.get(3), std::invalid_argument);
    try {
        list.remove(-1);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid EventTrigger index.");
    }
    list.set(3, std::make_shared<EventTrigger>(2, EventTrigger::PICK));  // the count appends
    EXPECT_EQ(list.size(), 4);
    try {
        EventTrigger t(0, 6);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid action specified for EventTrigger");
    }
    EventTrigger t(0, EventTrigger::DEPTH);  // 5, the last action, is taken
    EXPECT_THROW(t.setAction(-1), std::invalid_argument);
    EXPECT_EQ(t.getAction(), EventTrigger::DEPTH);
}

TEST(ChartZoomTest, ADragZoomsBothAxesIntoTheBandAndResetBringsTheBoundsBack) {
    ShownChart c;
    c.trigger(0, EventTrigger::ZOOM);
    double x0 = c.x()->getMin(), x1 = c.x()->getMax(), y0 = c.y()->getMin(), y1 = c.y()->getMax();
    host::Rectangle p = c.plot();
    host::Point o = c.area().getDrawingOrigin();
    host::Point a{p.x + p.width / 4, p.y + p.height / 4}, b{p.x + p.width / 2, p.y + p.height / 2};
    double ex0 = c.x()->toData(a.x - o.x), ex1 = c.x()->toData(b.x - o.x);
    double ey0 = c.y()->toData(b.y - o.y), ey1 = c.y()->toData(a.y - o.y);
    int events = 0;
    struct Count : NxChartListener {
        int* n;
        void changeChart(const NxChartEvent&) override { ++*n; }
    } count;
    count.n = &events;
    c.chart->addChartListener(&count);
    c.drag(a, b);
    c.chart->removeChartListener(&count);
    EXPECT_DOUBLE_EQ(c.x()->getMin(), ex0);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), ex1);
    EXPECT_DOUBLE_EQ(c.y()->getMin(), ey0);
    EXPECT_DOUBLE_EQ(c.y()->getMax(), ey1);
    EXPECT_FALSE(c.x()->getMinIsDefault());
    EXPECT_EQ(events, 2);  // one per zoomed axis

    c.chart->reset();
    c.settle();
    EXPECT_TRUE(c.x()->getMinIsDefault());
    EXPECT_TRUE(c.y()->getMaxIsDefault());
    EXPECT_DOUBLE_EQ(c.x()->getMin(), x0);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), x1);
    EXPECT_DOUBLE_EQ(c.y()->getMin(), y0);
    EXPECT_DOUBLE_EQ(c.y()->getMax(), y1);
}

// A repaint of the chart area during a zoom drag (new data, a dwell label going away),
// on any thread, paints over the band: the band is drawn again at the end of that
// paint, so the next move's exclusive-or erases it instead of leaving a copy behind.
TEST(ChartZoomTest, TheBandIsDrawnAgainAfterTheAreaRepaintsDuringTheDrag) {
    ShownChart c;
    c.trigger(0, EventTrigger::ZOOM);
    auto& queue = host::Toolkit::getDefaultToolkit().getSystemEventQueue();
    auto& in = c.chart->getInteraction();
    c.f.frame->setGraphicsFactory({});  // paint into the window's own picture
    queue.invokeAndWait([&] { c.f.frame->paintTree(); });
    // A pixel of the area (component coordinates) in the window's picture.
    auto pixel = [&](host::Point q) {
        return c.f.frame->getBuffer()->getPixel(c.area().getX() + q.x, c.area().getY() + q.y) & 0xFFFFFF;
    };
    host::Rectangle p = c.plot();
    host::Point a{p.x + 10, p.y + 10}, b{p.x + 60, p.y + 50};
    host::Point top{a.x + 25, a.y}, right{b.x, a.y + 20};  // on the band's top and right edges
    const uint32_t plainTop = pixel(top), plainRight = pixel(right);
    queue.invokeAndWait([&] {
        in.press(a.x, a.y, B1);
        in.drag(b.x, b.y);
    });
    const uint32_t bandTop = pixel(top);
    ASSERT_NE(bandTop, plainTop);
    ASSERT_NE(pixel(right), plainRight);

    c.area().repaint();
    queue.waitUntilIdle();
    EXPECT_EQ(pixel(top), bandTop);
    // So does a picture of the chart taken now, on this thread: it shows what the screen shows.
    auto shot = c.chart->snapshot();
    EXPECT_EQ(shot->getPixel(c.area().getX() + top.x, c.area().getY() + top.y) & 0xFFFFFF, bandTop);

    // The next move erases the band where it was: nothing is left on the old right edge.
    queue.invokeAndWait([&] { in.drag(b.x + 20, b.y + 10); });
    EXPECT_EQ(pixel(right), plainRight);
    EXPECT_EQ(pixel(top), bandTop);
    queue.invokeAndWait([&] { in.cancel(); });
    EXPECT_EQ(pixel(top), plainTop);
}

TEST(ChartZoomTest, AClickZoomsIntoTheTwentyPixelSquareAndAFixedAxisStays) {
    ShownChart c;
    c.trigger(0, EventTrigger::ZOOM);
    c.y()->setIsEditable(false);
    c.settle();
    double y0 = c.y()->getMin(), y1 = c.y()->getMax();
    host::Rectangle p = c.plot();
    host::Point o = c.area().getDrawingOrigin();
    host::Point at{p.x + p.width / 2, p.y + p.height / 2};
    // Released 3 right and 3 down (6 pixels in all): still a click, around the release.
    double ex0 = c.x()->toData(at.x + 3 - 10 - o.x), ex1 = c.x()->toData(at.x + 3 + 10 - o.x);
    c.drag(at, {at.x + 3, at.y + 3});
    EXPECT_DOUBLE_EQ(c.x()->getMin(), ex0);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), ex1);
    EXPECT_DOUBLE_EQ(c.y()->getMin(), y0);
    EXPECT_DOUBLE_EQ(c.y()->getMax(), y1);

    // The square stops at the area's edge.
    ZoomHandler h(*c.chart);
    h.start(4, 30);
    EXPECT_EQ(h.zoomRect(4, 30), (host::Rectangle{0, 20, 14, 20}));
    EXPECT_EQ(h.zoomRect(4 + 7, 30), (host::Rectangle{4, 30, 7, 0}));  // 7 pixels is a band
}

TEST(ChartZoomTest, ASpanBelowThePrecisionIsIgnoredAndCancelUndoesTheGesture) {
    ShownChart c;
    c.x()->setPrecision(2);
    c.settle();
    double x0 = c.x()->getMin();
    c.chart->zoom(2.0, 2.0004, c.x(), true);  // the error of precision 2 is 0.0005
    EXPECT_TRUE(c.x()->getMinIsDefault());
    EXPECT_DOUBLE_EQ(c.x()->getMin(), x0);
    c.chart->zoom(3.0, 2.0, c.x(), true);  // the smaller value is the minimum
    EXPECT_DOUBLE_EQ(c.x()->getMin(), 2.0);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), 3.0);
    c.chart->zoom(1, 2, nullptr, true);  // no axis: nothing

    c.trigger(0, EventTrigger::TRANSLATE);
    host::Rectangle p = c.plot();
    auto& in = c.chart->getInteraction();
    in.press(p.x + 100, p.y + 50, B1);
    in.drag(p.x + 60, p.y + 50);
    EXPECT_NE(c.x()->getMin(), 2.0);
    c.chart->cancel();
    EXPECT_DOUBLE_EQ(c.x()->getMin(), 2.0);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), 3.0);
    EXPECT_FALSE(in.inGesture());
    in.release(p.x + 60, p.y + 50);  // the release after a cancel does nothing
    EXPECT_DOUBLE_EQ(c.x()->getMin(), 2.0);
}

TEST(ChartTranslateTest, FiftyPixelsOnAFiveHundredPixelPlotMoveTenPercentInOneOrFiftySteps) {
    for (int steps : {1, 50}) {
        SCOPED_TRACE(steps);
        ShownChart c;
        c.x()->setMin(0);
        c.x()->setMax(100);
        c.settle();
        c.plotWidth(500);
        c.trigger(0, EventTrigger::TRANSLATE);
        host::Rectangle p = c.plot();
        int x = p.x + 300, y = p.y + 20;
        auto& in = c.chart->getInteraction();
        in.press(x, y, B1);
        for (int i = 1; i <= steps; ++i) in.drag(x - 50 * i / steps, y);
        in.release(x - 50, y);
        EXPECT_NEAR(c.x()->getMin(), 10.0, 1e-9);  // dragged left: the view moves right
        EXPECT_NEAR(c.x()->getMax(), 110.0, 1e-9);
    }
}

TEST(ChartTranslateTest, VerticalDragsPanTheYAxisAndAFixedAxisStays) {
    ShownChart c;
    c.y()->setMin(0);
    c.y()->setMax(10);
    c.settle();
    c.trigger(0, EventTrigger::TRANSLATE);
    host::Rectangle p = c.plot();
    int dy = p.height / 2;
    c.drag({p.x + 10, p.y + 10}, {p.x + 10, p.y + 10 + dy});
    EXPECT_NEAR(c.y()->getMin(), 10.0 * dy / p.height, 1e-9);  // dragged down: the values go up
    EXPECT_NEAR(c.y()->getMax(), 10.0 + 10.0 * dy / p.height, 1e-9);

    // A fixed axis stays where it is.
    c.y()->setIsEditable(false);
    c.drag({p.x + 10, p.y + 10}, {p.x + 10, p.y + 60});
    EXPECT_NEAR(c.y()->getMin(), 10.0 * dy / p.height, 1e-9);
}

TEST(ChartTranslateTest, ALogAxisMovesInDecadesAndStaysFinite) {
    ShownChart c;
    c.x()->setIsLogarithmic(true);
    c.x()->setMin(1);
    c.x()->setMax(1000);
    c.settle();
    c.plotWidth(500);
    c.trigger(0, EventTrigger::TRANSLATE);
    host::Rectangle p = c.plot();
    c.drag({p.x + 400, p.y + 20}, {p.x + 350, p.y + 20});  // a tenth of three decades
    EXPECT_NEAR(std::log10(c.x()->getMin()), 0.3, 1e-9);
    EXPECT_NEAR(std::log10(c.x()->getMax()), 3.3, 1e-9);

    // Far beyond the doubles: refused, the bounds stay.
    double lo = c.x()->getMin(), hi = c.x()->getMax();
    EXPECT_FALSE(AxisActions::translate(*c.x(), 400));
    EXPECT_FALSE(AxisActions::translate(*c.x(), -400));
    EXPECT_DOUBLE_EQ(c.x()->getMin(), lo);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), hi);
    for (int i = 0; i < 40; ++i) c.drag({p.x + 400, p.y + 20}, {p.x, p.y + 20});
    EXPECT_TRUE(std::isfinite(c.x()->getMin()) && c.x()->getMin() > 0);
    EXPECT_TRUE(std::isfinite(c.x()->getMax()));
}

TEST(ChartTranslateTest, AnEmptyPlotPansAndZoomsNothing) {
    ShownChart c(NxChart::PLOT, 0, 0);
    c.x()->setMin(0);
    c.x()->setMax(10);
    c.settle();
    ASSERT_EQ(c.plot().width, 0);
    c.trigger(0, EventTrigger::TRANSLATE);
    c.trigger(EventTrigger::SHIFT, EventTrigger::ZOOM);
    c.drag({0, 0}, {30, 40}, EventTrigger::SHIFT | B1);  // no zoom
    EXPECT_TRUE(c.y()->getMinIsDefault());
    EXPECT_DOUBLE_EQ(c.x()->getMax(), 10.0);
    c.drag({0, 0}, {-30, 40});  // no pan
    EXPECT_DOUBLE_EQ(c.x()->getMin(), 0.0);
    EXPECT_DOUBLE_EQ(c.x()->getMax(), 10.0);
    EXPECT_TRUE(std::isfinite(c.y()->getMin()));
}

TEST(ChartRotateTest, RotationAndElevationStopAtFortyFiveDegrees) {
    ShownChart c(NxChart::BAR);
    c.area().setDepth(20);
    c.trigger(0, EventTrigger::ROTATE);
    host::Rectangle p = c.plot();
    auto& in = c.chart->getInteraction();
    in.press(p.x + 10, p.y + 10, B1);
    in.drag(p.x + 11, p.y + 11);  // the first movement only records the point
    EXPECT_EQ(c.area().getRotation(), 0);
    in.drag(p.x + 10 + p.width / 9, p.y + 10);  // a ninth of the width: 10 degrees
    EXPECT_EQ(c.area().getRotation(), -10);
    in.drag(p.x + 10 + 5 * p.width, p.y + 10 - 5 * p.height);
    EXPECT_EQ(c.area().getRotation(), -45);
    EXPECT_EQ(c.area().getElevation(), -45);
    in.drag(p.x + 10 - 5 * p.width, p.y + 10 + 5 * p.height);
    EXPECT_EQ(c.area().getRotation(), 45);
    EXPECT_EQ(c.area().getElevation(), 45);
    in.release(p.x, p.y);

    c.chart->reset();
    EXPECT_EQ(c.area().getRotation(), 0);
    EXPECT_EQ(c.area().getElevation(), 0);
}

TEST(ChartRotateTest, APlotOrAChartWithoutDepthDoesNotTurn) {
    for (auto [type, depth] : {std::pair{NxChart::PLOT, 20}, std::pair{NxChart::BAR, 0}}) {
        ShownChart c(type);
        c.area().setDepth(depth);
        c.trigger(0, EventTrigger::ROTATE);
        host::Rectangle p = c.plot();
        auto& in = c.chart->getInteraction();
        in.press(p.x + 10, p.y + 10, B1);
        in.drag(p.x + 11, p.y + 11);
        in.drag(p.x + 200, p.y + 100);
        in.release(p.x + 200, p.y + 100);
        EXPECT_EQ(c.area().getRotation(), 0);
        EXPECT_EQ(c.area().getElevation(), 0);
    }
}

TEST(ChartRotateTest, DepthFollowsVerticalMovementWithinItsBoundsAndTheOtherWayOnAPie) {
    ShownChart bar(NxChart::BAR);
    bar.trigger(0, EventTrigger::DEPTH);
    bar.drag({50, 50}, {50, 80});
    EXPECT_EQ(bar.area().getDepth(), 30);
    bar.drag({50, 80}, {50, 0});
    EXPECT_EQ(bar.area().getDepth(), 0);  // never below 0
    bar.drag({50, 0}, {50, 900});
    EXPECT_EQ(bar.area().getDepth(), 500);  // nor above 500

    ShownChart pie(NxChart::PIE);
    pie.area().setDepth(40);
    pie.trigger(0, EventTrigger::DEPTH);
    pie.drag({50, 50}, {50, 60});
    EXPECT_EQ(pie.area().getDepth(), 30);

    ShownChart plot;
    plot.trigger(0, EventTrigger::DEPTH);
    plot.drag({50, 50}, {50, 90});
    EXPECT_EQ(plot.area().getDepth(), 0);
}

TEST(ChartEditTest, DraggingAPickedPointChangesTheModelAndTheModelTellsTheView) {
    // A model that tells its views of every change, as editable models do.
    struct TellingModel : charttest::RowModel {
        using RowModel::RowModel;
        std::vector<std::pair<int, int>> changed;
        bool setDataItem(int row, int column, const host::Value& v) override {
            RowModel::setDataItem(row, column, v);
            changed.emplace_back(row, column);
            notifyObservers(ChartDataModelUpdate::CHANGE_VALUE, row, column);
            return true;
        }
    };
    ShownChart c;
    auto model = std::make_shared<TellingModel>(
        Chartable::ARRAY, std::vector<std::vector<host::Value>>{{1.0, 2.0, 3.0}, {2.0, 4.0, 6.0}});
    c.chart->getDataView(0)->setDataSource(model);
    c.y()->setMin(0);
    c.y()->setMax(10);
    c.settle();
    c.trigger(EventTrigger::CTRL, EventTrigger::EDIT);
    auto at = c.chart->unpick(c.chart->getDataView(0), 0, 1);
    ASSERT_TRUE(at);
    host::Point p{at->x - c.area().getX(), at->y - c.area().getY()};
    host::Point o = c.area().getDrawingOrigin();
    int target = c.y()->toPixel(8.0) + o.y;
    c.drag(p, {p.x + 40, target}, EventTrigger::CTRL | B1);
    EXPECT_NEAR(model->rows[1]->elementAt(1).asDouble(), 8.0, 0.1);
    EXPECT_EQ(model->changed, (std::vector<std::pair<int, int>>{{1, 1}}));
    // The view read the changed value back through the model's change message.
    EXPECT_NEAR(c.chart->getDataView(0)->getSeries(0)->getY(1), 8.0, 0.1);
    EXPECT_DOUBLE_EQ(model->rows[1]->elementAt(0).asDouble(), 2.0);  // other points stay

    // A plain drag is no edit.
    c.drag(p, {p.x, target + 30});
    EXPECT_EQ(model->changed.size(), 1u);
}

// While an edit drag is under way the chart area shows the drawer's feedback (rubber
// lines to a plot point's neighbours, a bar's moved face) in its own coordinates; the
// release takes it away and sets the value. A bar chart is edited the same way.
TEST(ChartEditTest, TheAreaShowsTheEditFeedbackDuringTheDragForLinesAndBars) {
    for (int type : {NxChart::PLOT, NxChart::BAR}) {
        SCOPED_TRACE(type);
        ShownChart c(type);
        auto model = std::make_shared<charttest::RowModel>(
            Chartable::ARRAY, std::vector<std::vector<host::Value>>{{1.0, 2.0, 3.0}, {2.0, 4.0, 6.0}});
        c.chart->getDataView(0)->setDataSource(model);
        c.y()->setMin(0);
        c.y()->setMax(10);
        c.settle();
        c.trigger(0, EventTrigger::EDIT);
        auto at = c.chart->unpick(c.chart->getDataView(0), 0, 1);
        ASSERT_TRUE(at);
        host::Point p{at->x - c.area().getX(), at->y - c.area().getY()};
        host::Point o = c.area().getDrawingOrigin();
        const int target = c.y()->toPixel(8.0) + o.y;
        auto& in = c.chart->getInteraction();
        in.press(p.x, p.y + 1, B1);
        in.drag(p.x, target);
        ChartFeedback f = c.area().getFeedback();
        if (type == NxChart::PLOT) {
            ASSERT_EQ(f.lines.size(), 2u);
            EXPECT_EQ(f.lines[0].second, (host::Point{p.x, target}));  // the dragged point
            auto first = c.chart->unpick(c.chart->getDataView(0), 0, 0);
            ASSERT_TRUE(first);
            EXPECT_EQ(f.lines[0].first, (host::Point{first->x - c.area().getX(), first->y - c.area().getY()}));
        } else {
            ASSERT_EQ(f.rects.size(), 1u);
            EXPECT_EQ(f.rects[0].y, target);  // the value end follows the pointer
            EXPECT_EQ(f.rects[0].y + f.rects[0].height, c.y()->toPixel(0.0) + o.y);
        }
        in.release(p.x, target);
        EXPECT_TRUE(c.area().getFeedback().empty());
        EXPECT_NEAR(model->rows[1]->elementAt(1).asDouble(), 8.0, 0.1);
    }
}

TEST(ChartPickTest, APickTriggerSendsThePointUnderThePointer) {
    ShownChart c;
    struct Picks : NxPickListener {
        std::vector<NxDataIndex> got;
        void pick(const NxPickEvent& e) override { got.push_back(e.getPickResult()); }
    } picks;
    c.chart->addPickListener(&picks);
    c.trigger(EventTrigger::SHIFT, EventTrigger::PICK);
    auto at = c.chart->unpick(c.chart->getDataView(0), 1, 2);
    ASSERT_TRUE(at);
    host::Point p{at->x - c.area().getX(), at->y - c.area().getY()};
    EXPECT_FALSE(c.chart->getInteraction().press(p.x, p.y, B1));  // no trigger for a plain press
    EXPECT_TRUE(c.chart->getInteraction().press(p.x, p.y, EventTrigger::SHIFT | B1));
    c.chart->removePickListener(&picks);
    ASSERT_EQ(picks.got.size(), 1u);
    EXPECT_EQ(picks.got[0].point, 2);
    EXPECT_EQ(c.chart->getDataView(0)->getSeriesIndex(picks.got[0].series.get()), 1);
}

TEST(ChartPickTest, UnpickingAPointOutsideThePlotGivesNothing) {
    ShownChart c;
    EXPECT_TRUE(c.chart->unpick(c.chart->getDataView(0), 0, 4));
    c.chart->zoom(1, 3, c.x(), true);
    c.settle();
    EXPECT_TRUE(c.chart->unpick(c.chart->getDataView(0), 0, 1));   // x 2: inside
    EXPECT_TRUE(c.chart->unpick(c.chart->getDataView(0), 0, 2));   // x 3: on the edge
    EXPECT_FALSE(c.chart->unpick(c.chart->getDataView(0), 0, 4));  // x 5: outside
}

TEST(ChartTriggerParamsTest, EachTriggerParameterAddsItsActionAndABadNameAddsNone) {
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 1 3 1 2 3 'a' 1 2 3"},
                           {"zoomTrigger", "NONE"},
                           {"rotateTrigger", "SHIFT"},
                           {"translateTrigger", "CTRL"},
                           {"editTrigger", "ALT"},
                           {"depthTrigger", "SIDEWAYS"},
                           {"pickTrigger", "shift"}});
    applet->setAppletContext(std::make_shared<host::PageContext>());
    ErrCapture err;
    auto chart = host::create<NxChart>(applet.get(), "");
    ASSERT_EQ(chart->getNumTriggers(), 5);
    // In parameter order: rotate, zoom, translate, edit, (depth refused), pick.
    std::vector<std::pair<int, int>> got;
    for (int i = 0; i < chart->getNumTriggers(); ++i)
        got.emplace_back(chart->getTrigger(i)->getModifiers(), chart->getTrigger(i)->getAction());
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{1, EventTrigger::ROTATE},
                                                     {0, EventTrigger::ZOOM},
                                                     {2, EventTrigger::TRANSLATE},
                                                     {8, EventTrigger::EDIT},
                                                     {1, EventTrigger::PICK}}));
    EXPECT_NE(err.out.str().find("SIDEWAYS"), std::string::npos);
    EXPECT_EQ(chart->findMatchingTrigger(16)->getAction(), EventTrigger::ZOOM);
}

TEST(ChartEditTest, APageChartWithAnEditTriggerEditsACopyOfItsPageData) {
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 2 5 1 2 3 4 5 'a' 1 4 2 5 3 'b' 5 3 4 1 2"},
                           {"editTrigger", "ALT"},
                           {"yaxis.min", "0"},
                           {"yaxis.max", "10"}});
    applet->setAppletContext(std::make_shared<host::PageContext>());
    ombutest::ShownFrame f(400, 300, ombutest::Drawing::Private);
    auto chart = f.add(host::create<NxChart>(applet.get(), ""), 0, 0, 400, 300);
    f.show();
    chart->validate();
    auto view = chart->getDataView(0);
    ASSERT_TRUE(std::dynamic_pointer_cast<ChartDataModel>(view->getDataSource()));
    EXPECT_EQ(view->getSeries(1)->getLabel(), "b");  // names and labels come along
    auto at = chart->unpick(view, 0, 2);
    ASSERT_TRUE(at);
    auto& area = chart->getChartAreaRegion();
    host::Point p{at->x - area.getX(), at->y - area.getY()};
    int target = area.getYAxis()->toPixel(8.0) + area.getDrawingOrigin().y;
    auto& in = chart->getInteraction();
    ASSERT_TRUE(in.press(p.x, p.y, EventTrigger::ALT));
    in.drag(p.x, target);
    in.release(p.x, target);
    EXPECT_NEAR(view->getSeries(0)->getY(2), 8.0, 0.1);
    EXPECT_DOUBLE_EQ(view->getSeries(1)->getY(2), 4.0);
}

TEST(ChartLinkTest, ALinkIsForgottenWhenThePointerLeavesAndOnlyAClickOnItOpensIt) {
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 1 3 1 2 3 'a' 1 2 3"},
                           {"zoomTrigger", "NONE"},
                           {"header.text", "[HREF=http://example.invalid/a.html]Link[/HREF]"},
                           {"header.isShowing", "true"}});
    auto context = std::make_shared<host::PageContext>();
    applet->setAppletContext(context);
    ombutest::ShownFrame f(400, 300, ombutest::Drawing::Raster);
    auto chart = f.add(host::create<NxChart>(applet.get(), ""), 0, 0, 400, 300);
    f.show();
    chart->validate();
    f.frame->paintTree();  // the link areas are known once drawn
    auto& header = chart->getHeader();
    auto mouse = [&](host::Component& c, int id, int x, int y) {
        host::MouseEvent e(&c, id, 0, B1, x, y, 1);
        switch (id) {
            case host::MouseEvent::MOUSE_MOVED: chart->mouseMoved(e); break;
            case host::MouseEvent::MOUSE_DRAGGED: chart->mouseDragged(e); break;
            case host::MouseEvent::MOUSE_PRESSED: chart->mousePressed(e); break;
            case host::MouseEvent::MOUSE_RELEASED: chart->mouseReleased(e); break;
            default: chart->mouseExited(e); break;
        }
    };
    std::optional<host::Point> on;
    for (int y = 0; y < header.getHeight() && !on; ++y)
        for (int x = 0; x < header.getWidth() && !on; ++x) {
            mouse(header, host::MouseEvent::MOUSE_MOVED, x, y);
            if (chart->getHyperlink()) on = host::Point{x, y};
        }
    ASSERT_TRUE(on);
    EXPECT_EQ(*chart->getHyperlink(), "http://example.invalid/a.html");
    EXPECT_EQ(f.frame->getCursor(), host::Cursor::HAND_CURSOR);
    mouse(header, host::MouseEvent::MOUSE_EXITED, on->x, on->y);
    EXPECT_FALSE(chart->getHyperlink());
    EXPECT_EQ(f.frame->getCursor(), host::Cursor::DEFAULT_CURSOR);

    // A zoom drag from the area that ends on the link opens nothing.
    auto& area = chart->getChartAreaRegion();
    mouse(area, host::MouseEvent::MOUSE_MOVED, 100, 100);
    mouse(area, host::MouseEvent::MOUSE_PRESSED, 100, 100);
    mouse(area, host::MouseEvent::MOUSE_DRAGGED, on->x + header.getX() - area.getX(), 0);
    mouse(area, host::MouseEvent::MOUSE_RELEASED, on->x + header.getX() - area.getX(), 0);
    // Pressed on the link and dragged away before the release: no click either.
    mouse(header, host::MouseEvent::MOUSE_MOVED, on->x, on->y);
    mouse(header, host::MouseEvent::MOUSE_PRESSED, on->x, on->y);
    mouse(header, host::MouseEvent::MOUSE_DRAGGED, on->x + 30, on->y);
    mouse(header, host::MouseEvent::MOUSE_RELEASED, on->x + 30, on->y);
    EXPECT_TRUE(context->shownDocuments().empty());
    mouse(header, host::MouseEvent::MOUSE_PRESSED, on->x, on->y);
    mouse(header, host::MouseEvent::MOUSE_RELEASED, on->x, on->y);
    ASSERT_EQ(context->shownDocuments().size(), 1u);
    EXPECT_EQ(context->shownDocuments()[0].first, "http://example.invalid/a.html");
}

TEST(ChartTranslateTest, TheAxisSelectorChoosesWhichVerticalAxisADragMoves) {
    ShownChart c;
    auto second = std::make_shared<NxAxis>(&c.area(), true, NxAxis::VALUE);
    c.area().setYAxis(1, second);
    second->setName("Rate");
    second->setMin(0);
    second->setMax(100);
    c.y()->setMin(0);
    c.y()->setMax(10);
    c.settle();
    AxisSelector sel(c.area());
    EXPECT_EQ(sel.choices(true), (std::vector<std::string>{"Default Y", "Rate"}));
    EXPECT_EQ(sel.choices(false), (std::vector<std::string>{"Default X"}));
    EXPECT_EQ(sel.selected(true), 0);
    EXPECT_FALSE(sel.select(true, 2));
    EXPECT_FALSE(sel.select(false, -1));
    ASSERT_TRUE(sel.select(true, 1));
    EXPECT_EQ(c.area().getVertActionAxis(), second);

    c.trigger(0, EventTrigger::TRANSLATE);
    host::Rectangle p = c.plot();
    c.drag({p.x + 10, p.y + 10}, {p.x + 10, p.y + 10 + p.height / 4});
    EXPECT_DOUBLE_EQ(c.y()->getMin(), 0.0);  // the first Y axis stays
    EXPECT_NEAR(second->getMin(), 100.0 * (p.height / 4) / p.height, 1e-9);
}

// The axis-selector key opens the shared window only when it is installed and an
// orientation offers a choice; choosing a radio box moves the drags to that axis, and
// a choice arriving after the chart is gone does nothing.
TEST(ChartTranslateTest, TheAxisSelectorWindowOpensOnItsKeyAndChoosesTheAxis) {
    auto pressA = [](NxChart& chart) {
        host::KeyEvent e(&chart.getChartAreaRegion(), host::KeyEvent::KEY_PRESSED, 1, 0, 'A', 'a');
        chart.keyPressed(e);
    };
    auto click = [](host::Component* box) {
        const int64_t now = host::Toolkit::currentTimeMillis();  // long after any drop-down list closed
        host::MouseEvent press(box, host::MouseEvent::MOUSE_PRESSED, now, host::InputEvent::BUTTON1_MASK, 3, 3, 1);
        host::MouseEvent release(box, host::MouseEvent::MOUSE_RELEASED, now, host::InputEvent::BUTTON1_MASK, 3, 3, 1);
        box->dispatchEvent(press);
        box->dispatchEvent(release);
    };
    auto& queue = host::Toolkit::getDefaultToolkit().getSystemEventQueue();
    AxisSelectorWindow::uninstall();
    {
        ShownChart c;
        pressA(*c.chart);  // not installed: nothing opens
        EXPECT_FALSE(AxisSelectorWindow::dialog() && AxisSelectorWindow::dialog()->isVisible());
        int created = 0;
        AxisSelectorWindow::install([&](const std::shared_ptr<host::Dialog>&) { ++created; });
        EXPECT_FALSE(AxisSelectorWindow::open(c.chart));  // one axis each way: no choice to offer

        auto second = std::make_shared<NxAxis>(&c.area(), true, NxAxis::VALUE);
        c.area().setYAxis(1, second);
        second->setName("Rate");
        c.settle();
        c.chart->setAxisSelectKey(0);
        pressA(*c.chart);
        EXPECT_FALSE(AxisSelectorWindow::dialog() && AxisSelectorWindow::dialog()->isVisible());
        c.chart->setAxisSelectKey('a');
        pressA(*c.chart);
        auto d = AxisSelectorWindow::dialog();
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_LE(created, 1);  // a dialog made by an earlier test was announced then
        auto vert = AxisSelectorWindow::group(true), horiz = AxisSelectorWindow::group(false);
        ASSERT_TRUE(vert && horiz);
        ASSERT_EQ(vert->numCheckboxes(), 2);
        EXPECT_EQ(horiz->numCheckboxes(), 1);
        EXPECT_EQ(vert->getSelectedIndexes(), std::vector<int>{0});
        EXPECT_EQ(vert->getCheckbox(1)->getText(), "Rate");

        click(vert->getCheckbox(1).get());
        queue.waitUntilIdle();
        EXPECT_EQ(c.area().getVertActionAxis(), second);
        EXPECT_EQ(c.area().getHorizActionAxis(), c.x());
        AxisSelectorWindow::dismiss();
        EXPECT_FALSE(d->isVisible());

        // Opened again, the dialog shows the choice made and is the same window.
        EXPECT_TRUE(AxisSelectorWindow::open(c.chart));
        EXPECT_EQ(AxisSelectorWindow::dialog(), d);
        EXPECT_EQ(AxisSelectorWindow::group(true)->getSelectedIndexes(), std::vector<int>{1});
    }
    // The chart is gone; a late choice finds nothing to change.
    click(AxisSelectorWindow::group(true)->getCheckbox(0).get());
    queue.waitUntilIdle();
    AxisSelectorWindow::dismiss();
    AxisSelectorWindow::uninstall();
}
