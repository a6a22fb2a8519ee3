// Chart area layout: the plot rectangle from the axes' room, axis placement, the
// transformation, explicit plot edges, 3-D offsets and the axis list rules.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "chart/NxChart.h"
#include "chart/area/NxChartArea.h"
#include "chart/model/AnnotationHandler.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/model/NxValueLabel.h"
#include "chart/source/InputStreamDataSource.h"
#include "host/graphics/RecordingGraphics.h"

using namespace norvex::chart;

namespace {

struct AreaFixture {
    std::shared_ptr<NxChart> chart = host::create<NxChart>();
    NxChartArea& area = chart->getChartAreaRegion();

    explicit AreaFixture(const char* text = "ARRAY 1 5 0 1 2 3 4 'y' 10 20 15 40 30") {
        chart->getDataView(0)->setDataSource(std::make_shared<InputStreamDataSource>(std::string_view(text)));
        area.reshape(0, 0, 404, 304);  // drawing area 400 x 300 inside the 2-pixel insets
    }
    NxAxis& x() { return *area.getXAxis(0); }
    NxAxis& y() { return *area.getYAxis(0); }
    void layout() {
        area.setChanged(true);
        area.recalc();
    }
};

}  // namespace

TEST(ChartAreaLayoutTest, AxesAtMinSitLeftOfAndBelowThePlot) {
    AreaFixture f;
    f.layout();
    const host::Rectangle& p = f.area.getPlotRect();
    EXPECT_EQ(f.y().getAnnotationAnchor(), AnnotationHandler::WEST);
    EXPECT_EQ(f.x().getAnnotationAnchor(), AnnotationHandler::SOUTH);
    // The Y axis box ends where the plot starts; the X axis lies directly below the plot.
    EXPECT_EQ(f.y().getLeft() + f.y().getWidth(), p.x);
    EXPECT_EQ(f.x().getTop(), p.y + p.height);
    EXPECT_GE(f.y().getLeft(), 0);
    EXPECT_GT(p.width, 300);
    EXPECT_LE(p.x + p.width, 400);
    EXPECT_LE(f.x().getTop() + f.x().getHeight(), 300);
    // The axes span the plot.
    EXPECT_EQ(f.y().getTop(), p.y);
    EXPECT_EQ(f.y().getHeight(), p.height);
    EXPECT_EQ(f.x().getLeft(), p.x);
    EXPECT_EQ(f.x().getWidth(), p.width);
}

TEST(ChartAreaLayoutTest, TransformationMapsTheBoundsToThePlotEdgesAndBack) {
    AreaFixture f;
    f.layout();
    const host::Rectangle& p = f.area.getPlotRect();
    EXPECT_EQ(f.x().toPixel(f.x().getMin()), p.x);
    EXPECT_EQ(f.x().toPixel(f.x().getMax()), p.x + p.width);
    EXPECT_EQ(f.y().toPixel(f.y().getMin()), p.y + p.height);
    EXPECT_EQ(f.y().toPixel(f.y().getMax()), p.y);
    for (int px : {p.x, p.x + p.width / 3, p.x + p.width})
        EXPECT_EQ(f.x().toPixel(f.x().toData(px)), px);
    for (int py : {p.y, p.y + 17, p.y + p.height})
        EXPECT_EQ(f.y().toPixel(f.y().toData(py)), py);
}

TEST(ChartAreaLayoutTest, AxesAtMaxSitRightOfAndAboveThePlot) {
    AreaFixture f;
    f.x().setPlacement(NxAxis::MAX);
    f.y().setPlacement(NxAxis::MAX);
    f.layout();
    const host::Rectangle& p = f.area.getPlotRect();
    EXPECT_EQ(f.y().getAnnotationAnchor(), AnnotationHandler::EAST);
    EXPECT_EQ(f.x().getAnnotationAnchor(), AnnotationHandler::NORTH);
    EXPECT_EQ(f.y().getLeft(), p.x + p.width);
    EXPECT_EQ(f.x().getTop() + f.x().getHeight(), p.y);
    EXPECT_LE(f.y().getLeft() + f.y().getWidth(), 400);
    EXPECT_GE(f.x().getTop(), 0);
}

TEST(ChartAreaLayoutTest, OriginPlacedYAxisSitsOnTheXOriginAndKeepsItsLabelsInside) {
    AreaFixture f;
    f.x().setOrigin(0);  // at the X minimum: the labels would leave the area on the left
    f.y().setPlacement(NxAxis::ORIGIN);
    f.layout();
    const host::Rectangle& p = f.area.getPlotRect();
    int line = f.y().getLeft() + f.y().getWidth();
    EXPECT_EQ(line, f.x().toPixel(0.0));
    EXPECT_GE(f.y().getLeft(), 0);
    EXPECT_GT(p.x, 0);
}

TEST(ChartAreaLayoutTest, ExplicitPlotLeftStaysWhateverTheLabelsNeed) {
    AreaFixture f;
    f.area.getPlotArea().setLeft(5);
    f.layout();
    EXPECT_EQ(f.area.getPlotRect().x, 5);
    EXPECT_EQ(f.area.getPlotArea().getLeft(), 5);
    // Default edges take the final rectangle.
    EXPECT_EQ(f.area.getPlotArea().getBottom(), f.area.getPlotRect().y + f.area.getPlotRect().height);
}

TEST(ChartAreaLayoutTest, AnAreaBelowOnePixelIsNotLaidOut) {
    AreaFixture f;
    f.area.reshape(0, 0, 4, 4);  // no drawing area inside the insets
    f.layout();
    EXPECT_TRUE(f.area.getChanged());
}

TEST(ChartAreaPropertiesTest, DepthElevationAndRotationAreClamped) {
    NxChartArea a;
    a.setDepth(600);
    a.setElevation(-60);
    a.setRotation(46);
    EXPECT_EQ(a.getDepth(), 500);
    EXPECT_EQ(a.getElevation(), -45);
    EXPECT_EQ(a.getRotation(), 45);
    a.setDepth(-1);
    EXPECT_EQ(a.getDepth(), 0);
}

TEST(ChartAreaPropertiesTest, ThreeDOffsetsFollowOneSignConvention) {
    AreaFixture f("ARRAY 1 3 0 1 2 'y' 1 2 3");
    f.chart->getDataView(0)->setChartType(ChartDataView::BAR);
    f.area.setDepth(20);
    f.layout();
    EXPECT_EQ(f.area.getDeltaX(), 0);  // no rotation, no elevation
    EXPECT_EQ(f.area.getDeltaY(), 0);
    EXPECT_FALSE(f.area.getDraw3D());
    f.area.setElevation(30);
    f.area.setRotation(30);
    f.layout();
    EXPECT_GT(f.area.getDeltaX(), 0);
    EXPECT_LT(f.area.getDeltaY(), 0);  // positive elevation: the back face is higher, tops show
    EXPECT_TRUE(f.area.getDraw3D());
    f.chart->getDataView(0)->setChartType(ChartDataView::PLOT);
    f.layout();
    EXPECT_FALSE(f.area.getDraw3D());  // lines are flat
}

TEST(ChartAreaPropertiesTest, AxisListRulesAndErrors) {
    NxChartArea a;
    EXPECT_EQ(a.getXAxis(0)->getName(), "Default X");
    EXPECT_EQ(a.getYAxis(0)->getName(), "Default Y");
    EXPECT_EQ(a.getXAxis(1), nullptr);
    EXPECT_THROW(a.setXAxis(2, std::make_shared<NxAxis>()), std::invalid_argument);
    EXPECT_THROW(a.setXAxis(0, nullptr), std::invalid_argument);  // never without an X axis
    EXPECT_THROW(a.setYAxis(0, nullptr), std::invalid_argument);
    auto second = std::make_shared<NxAxis>();
    a.setYAxis(1, second);
    EXPECT_TRUE(second->getIsVertical());
    EXPECT_EQ(a.getYAxes().size(), 2u);
    a.setYAxis(0, nullptr);
    EXPECT_EQ(a.getYAxis(0), second);
    EXPECT_EQ(a.getVertActionAxis(), second);
    EXPECT_THROW(a.setHorizActionAxis(second), std::invalid_argument);
    EXPECT_THROW(a.setAngleUnit(4), std::invalid_argument);
    EXPECT_TRUE(a.isXAxis(a.getXAxis(0).get()));
    EXPECT_FALSE(a.isXAxis(second.get()));
}

TEST(ChartAreaLayoutTest, ATitleAboveTheYAxisClearsItsTopLabel) {
    AreaFixture f;
    f.y().getTitle().setText("Requests");
    f.layout();
    NxAxisTitle& t = f.y().getTitle();
    int topLabel = 1 << 30;
    for (auto& l : f.y().getAnnotations())
        if (l->getIsVisible()) topLabel = std::min(topLabel, l->getChartText().getTop());
    EXPECT_LE(t.getTop() + t.getHeight(), topLabel);
    EXPECT_GE(t.getTop(), 0);  // and the plot moved down to make room
}

TEST(ChartAreaPaintTest, GridThenDataThenAxesThenLabels) {
    AreaFixture f;
    f.y().setGridIsShowing(true);
    f.area.setAxisBoundingBox(true);
    f.chart->ensureStyles();
    f.chart->getDataView(0)->getSeries(0)->getStyle()->setSymbolShape(NxSymbolStyle::DOT);
    f.layout();
    host::RecordingGraphics g;
    f.area.paintComponent(g);
    const auto& log = g.log();
    auto first = [&](const std::string& what) {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].find(what) != std::string::npos) return int(i);
        return -1;
    };
    const host::Rectangle& p = f.area.getPlotRect();
    int grid = first("setColor(192,192,192)");
    int data = first("fillOval");
    int axisLine = first("drawLine(" + std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(p.x) +
                         "," + std::to_string(p.y + p.height) + ")");
    int box = first("drawRect(" + std::to_string(p.x) + "," + std::to_string(p.y));
    int label = first("drawString");
    ASSERT_GE(grid, 0);
    ASSERT_GE(data, 0);
    ASSERT_GE(axisLine, 0);
    ASSERT_GE(box, 0);
    ASSERT_GE(label, 0);
    EXPECT_LT(grid, data);
    EXPECT_LT(data, axisLine);
    EXPECT_LT(axisLine, box);
    EXPECT_LT(box, label);
}
