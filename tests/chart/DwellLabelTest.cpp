// Dwell labels: hidden until the pointer rests on their point for the delay, one
// timer worker for any number of moves, one pick per view per move, a repeated
// position scanned once, and a chart destroyed while its timer runs (run under the
// address and thread sanitizers in CI).
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "chart/ChartDwell.h"
#include "host/ui/OneShotTimer.h"
#include "host/ui/Toolkit.h"
#include "tests/chart/LabelTestSupport.h"
#include "tests/support/Eventually.h"

using namespace std::chrono_literals;
using labeltest::LabelChart;
using namespace norvex::chart;

namespace {

using testsupport::eventually;

// Visibility changes on the event thread under the tree lock; read it the same way.
bool shown(const std::shared_ptr<NxChartLabel>& l) {
    std::lock_guard tree(host::Component::getTreeLock());
    return l->isVisible();
}

std::shared_ptr<NxChartLabel> dwellLabel(NxChart& chart, int series, int point, int delay) {
    auto l = host::create<NxChartLabel>("tip", false);
    chart.addChartLabel(l);
    l->setAttachMethod(NxChartLabel::ATTACH_DATAINDEX);
    l->setDataIndex(series, point);
    l->setDwellDelay(delay);
    l->setIsDwellLabel(true);
    return l;
}

}  // namespace

TEST(DwellLabelTest, ADwellLabelIsHiddenUntilThePointerRestsOnItsPointForTheDelay) {
    LabelChart f;
    auto l = dwellLabel(*f.chart, 1, 2, 60);
    EXPECT_FALSE(shown(l));
    ChartDwell* dwell = f.chart->getDwell();
    ASSERT_NE(dwell, nullptr);
    host::Point p = f.pointAt(1, 2);
    auto start = std::chrono::steady_clock::now();
    f.chart->dwellPointerMoved(p.x, p.y);
    EXPECT_FALSE(shown(l));
    ASSERT_NE(dwell->getTimer(), nullptr);
    ASSERT_TRUE(eventually([&] { return dwell->getTimer()->getFiredCount() == 1; }));
    ASSERT_TRUE(eventually([&] { return shown(l); }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);
    // Placed on its point, and it fires only once.
    EXPECT_EQ(l->getLocation(), (host::Point{p.x - l->getWidth() / 2, p.y - l->getHeight() / 2}));
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(dwell->getTimer()->getFiredCount(), 1);
    // Moving off the point hides it again.
    f.chart->dwellPointerMoved(2, 2);
    EXPECT_FALSE(shown(l));
}

TEST(DwellLabelTest, APointerThatMovesAwayBeforeTheDelayShowsNothing) {
    LabelChart f;
    auto l = dwellLabel(*f.chart, 0, 1, 150);
    host::Point p = f.pointAt(0, 1);
    f.chart->dwellPointerMoved(p.x, p.y);
    f.chart->dwellPointerMoved(5, 5);
    std::this_thread::sleep_for(350ms);
    EXPECT_FALSE(shown(l));
    EXPECT_EQ(f.chart->getDwell()->getTimer()->getFiredCount(), 0);
    // Leaving the chart area works the same way.
    f.chart->dwellPointerMoved(p.x, p.y);
    f.chart->dwellPointerExited();
    std::this_thread::sleep_for(350ms);
    EXPECT_FALSE(shown(l));
    EXPECT_EQ(f.chart->getDwell()->getTimer()->getFiredCount(), 0);
}

TEST(DwellLabelTest, WithoutADelayTheLabelShowsAtOnce) {
    LabelChart f;
    auto l = dwellLabel(*f.chart, 0, 3, 0);
    host::Point p = f.pointAt(0, 3);
    f.chart->dwellPointerMoved(p.x, p.y);
    EXPECT_TRUE(shown(l));
    EXPECT_EQ(f.chart->getDwell()->getTimer(), nullptr);
}

TEST(DwellLabelTest, ManyMovesUseOneWorkerOnePickPerViewAndARepeatedPositionIsIgnored) {
    LabelChart f;
    auto a = dwellLabel(*f.chart, 0, 0, 500);
    auto b = dwellLabel(*f.chart, 0, 1, 500);
    auto c = dwellLabel(*f.chart, 1, 1, 500);
    ChartDwell* dwell = f.chart->getDwell();
    EXPECT_EQ(dwell->getLabels().size(), 3u);
    // Registering twice keeps one entry.
    f.chart->addToDwellLabels(a.get());
    EXPECT_EQ(dwell->getLabels().size(), 3u);
    host::Point p = f.pointAt(0, 1);
    for (int i = 0; i < 50; ++i) f.chart->dwellPointerMoved(p.x + (i % 2), p.y);
    EXPECT_EQ(dwell->getScanCount(), 50);
    EXPECT_EQ(dwell->getPickCount(), 50);  // three labels, one view: one pick a move
    EXPECT_EQ(dwell->getTimer()->getThreadCount(), 1);
    EXPECT_EQ(dwell->getCurrent(), b.get());
    f.chart->dwellPointerMoved(p.x + 1, p.y);  // same as the last position
    EXPECT_EQ(dwell->getScanCount(), 50);
    EXPECT_EQ(dwell->getPointer(), (host::Point{p.x + 1, p.y}));
    // A label that stops being a dwell label leaves the list and shows.
    c->setIsDwellLabel(false);
    EXPECT_EQ(dwell->getLabels().size(), 2u);
    EXPECT_TRUE(shown(c));
    // Removing the current label disarms the timer.
    f.chart->removeChartLabel(b);
    EXPECT_EQ(dwell->getCurrent(), nullptr);
    EXPECT_FALSE(dwell->getTimer()->isArmed());
}

// A laid-out chart outside any window, so that only the test and the timer hold it.
std::shared_ptr<NxChart> looseChart() {
    auto c = host::create<NxChart>();
    c->getDataView(0)->setDataSource(std::make_shared<InputStreamDataSource>(std::string_view(labeltest::kData)));
    c->reshape(0, 0, 400, 300);
    c->validate();
    return c;
}

TEST(DwellLabelTest, AChartDestroyedWhileItsTimerRunsIsClean) {
    for (int delay : {0, 1, 2, 5}) {
        auto chart = looseChart();
        auto l = dwellLabel(*chart, 1, 2, delay + 1);
        auto p = chart->unpick(chart->getDataView(0), 1, 2);
        ASSERT_TRUE(p);
        chart->dwellPointerMoved(p->x, p->y);
        ASSERT_NE(chart->getDwell()->getTimer(), nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        chart.reset();  // the last reference: the chart and its timer go now
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
        EXPECT_EQ(l->getChart(), nullptr);
    }
}

TEST(DwellLabelTest, AChartDestroyedWhileTheExpiredTimerWaitsForTheTreeLockDoesNotDeadlock) {
    auto chart = looseChart();
    auto l = dwellLabel(*chart, 1, 2, 1);
    auto p = chart->unpick(chart->getDataView(0), 1, 2);
    ASSERT_TRUE(p);
    {
        // The test holds the tree lock: the timer fires and waits for it.
        std::lock_guard tree(host::Component::getTreeLock());
        chart->dwellPointerMoved(p->x, p->y);
        host::OneShotTimer* t = chart->getDwell()->getTimer();
        ASSERT_TRUE(eventually([&] { return t->getFiredCount() == 1; }));
        chart.reset();
    }
    EXPECT_FALSE(shown(l));
}

TEST(DwellLabelTest, PointerEventsOnTheChartAreaDriveTheScan) {
    LabelChart f;
    auto l = dwellLabel(*f.chart, 0, 2, 0);
    NxChartArea& area = f.chart->getChartAreaRegion();
    host::Point p = f.pointAt(0, 2);
    host::MouseEvent move(&area, host::MouseEvent::MOUSE_MOVED, 0, 0, p.x - area.getX(), p.y - area.getY(), 0);
    area.dispatchEvent(move);
    EXPECT_EQ(f.chart->getDwell()->getPointer(), p);
    EXPECT_TRUE(shown(l));
    host::MouseEvent exit(&area, host::MouseEvent::MOUSE_EXITED, 0, 0, -1, -1, 0);
    area.dispatchEvent(exit);
    EXPECT_FALSE(shown(l));
}
