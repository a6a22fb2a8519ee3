// The simple-property chart: every property reads back what was set (and reaches
// the part it forwards to), numbers travel as text, and data sources make, name and
// remove views.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "chart/NxChartComponent.h"
#include "chart/NxLegend.h"
#include "host/runtime/Object.h"

using namespace norvex::chart;

namespace {

struct OutCapture {
    std::ostringstream out, err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    ~OutCapture() {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
    }
};

std::string dataFile(const std::string& name, const std::string& text) {
    auto dir = std::filesystem::temp_directory_path() / "nx-chart-component-test";
    std::filesystem::create_directories(dir);
    auto p = dir / name;
    std::ofstream(p) << text;
    return p.string();
}

}  // namespace

TEST(ChartComponentPropertiesTest, ANewComponentHasTwoViews) {
    NxChartComponent c;
    ASSERT_EQ(c.getNumData(), 2);
    EXPECT_TRUE(c.getDataSources().empty());
    EXPECT_EQ(c.getDataView1(), "");
}

TEST(ChartComponentPropertiesTest, ViewAndChartAreaPropertiesReadBack) {
    NxChartComponent c;
    c.setDataView1ChartType(NxChart::BAR);
    c.setDataView2ChartType(NxChart::SCATTER_PLOT);
    c.setDataViewIsInverted(true);
    c.setAxisBoundingBox(true);
    c.setFastAction(true);
    c.setDepth(30);
    c.setElevation(20);
    c.setRotation(-15);
    EXPECT_EQ(c.getDataView1ChartType(), NxChart::BAR);
    EXPECT_EQ(c.getDataView(0)->getChartType(), NxChart::BAR);
    EXPECT_EQ(c.getDataView2ChartType(), NxChart::SCATTER_PLOT);
    EXPECT_TRUE(c.getDataViewIsInverted());
    EXPECT_TRUE(c.getDataView(0)->getIsInverted());
    EXPECT_TRUE(c.getAxisBoundingBox());
    EXPECT_TRUE(c.getFastAction());
    EXPECT_EQ(c.getDepth(), 30);
    EXPECT_EQ(c.getElevation(), 20);
    EXPECT_EQ(c.getRotation(), -15);
    EXPECT_EQ(c.getChartAreaRegion().getDepth(), 30);
    // The parts' own limits hold.
    c.setElevation(90);
    EXPECT_EQ(c.getElevation(), 45);
}

TEST(ChartComponentPropertiesTest, TitlePropertiesReadBack) {
    NxChartComponent c;
    c.setHeaderText("Sales");
    c.setFooterText("2026");
    EXPECT_EQ(c.getHeaderText(), "Sales");
    EXPECT_TRUE(c.getHeaderIsShowing());
    EXPECT_EQ(c.getFooterText(), "2026");
    c.setFooterIsShowing(false);
    EXPECT_FALSE(c.getFooterIsShowing());
    EXPECT_FALSE(c.getFooter().getIsShowing());
    c.setHeaderIsShowing(false);
    EXPECT_FALSE(c.getHeaderIsShowing());
}

TEST(ChartComponentPropertiesTest, LegendPropertiesForwardWithTheLegendsOwnChecks) {
    NxChartComponent c;
    EXPECT_FALSE(c.getLegendIsShowing());
    EXPECT_EQ(c.getLegendAnchor(), NxLegend::EAST);
    EXPECT_EQ(c.getLegendOrientation(), NxLegend::VERTICAL);
    c.setLegendIsShowing(true);
    c.setLegendAnchor(NxLegend::SOUTHWEST);
    c.setLegendOrientation(NxLegend::HORIZONTAL);
    EXPECT_TRUE(c.getLegend().getIsShowing());
    EXPECT_EQ(c.getLegend().getAnchor(), NxLegend::SOUTHWEST);
    EXPECT_EQ(c.getLegendOrientation(), NxLegend::HORIZONTAL);
    EXPECT_THROW(c.setLegendAnchor(3), std::invalid_argument);  // not one of the eight
    EXPECT_EQ(c.getLegendAnchor(), NxLegend::SOUTHWEST);
    EXPECT_THROW(c.setLegendOrientation(2), std::invalid_argument);
}

TEST(ChartComponentPropertiesTest, XAxisMinTakesTextAndBecomesUserSet) {
    NxChartComponent c;
    EXPECT_TRUE(c.getX1AxisMinIsDefault());
    c.setX1AxisMin("5");
    EXPECT_FALSE(c.getX1AxisMinIsDefault());
    EXPECT_EQ(c.getX1AxisMin(), "5.0");
    EXPECT_DOUBLE_EQ(c.getChartAreaRegion().getXAxis(0)->getMin(), 5.0);
    c.setX1AxisMinIsDefault(true);
    EXPECT_TRUE(c.getX1AxisMinIsDefault());
    try {
        c.setX1AxisMin("five");
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid X1AxisMin value in NxChartComponent");
    }
    EXPECT_THROW(c.setY1AxisMax(""), std::invalid_argument);
    EXPECT_THROW(c.setY1AxisMax("1e999"), std::invalid_argument);
}

TEST(ChartComponentPropertiesTest, NumberText) {
    EXPECT_EQ(NxChartComponent::numberText(5), "5.0");
    EXPECT_EQ(NxChartComponent::numberText(-0.25), "-0.25");
    EXPECT_EQ(NxChartComponent::numberText(0), "0.0");
    EXPECT_EQ(NxChartComponent::numberText(0.1), "0.1");
    EXPECT_DOUBLE_EQ(NxChartComponent::parseNumber(" +2.5 ", "p"), 2.5);
    EXPECT_DOUBLE_EQ(NxChartComponent::parseNumber(NxChartComponent::numberText(1.0 / 3), "p"), 1.0 / 3);
}

// Every axis property of one prefix, set to a non-default value and read back.
#define CHECK_AXIS_PROPERTIES(P, vertical)                                             \
    do {                                                                              \
        NxChartComponent c;                                                           \
        c.set##P##IsLogarithmic(true);                                                \
        EXPECT_TRUE(c.get##P##IsLogarithmic());                                       \
        c.set##P##IsLogarithmic(false);                                               \
        c.set##P##IsReversed(true);                                                   \
        EXPECT_TRUE(c.get##P##IsReversed());                                          \
        c.set##P##IsShowing(false);                                                   \
        EXPECT_FALSE(c.get##P##IsShowing());                                          \
        c.set##P##GridIsShowing(true);                                                \
        EXPECT_TRUE(c.get##P##GridIsShowing());                                       \
        c.set##P##AnnotationRotation(NxAxis::ROTATE_90);                              \
        EXPECT_EQ(c.get##P##AnnotationRotation(), NxAxis::ROTATE_90);                 \
        c.set##P##Placement(NxAxis::MAX);                                             \
        EXPECT_EQ(c.get##P##Placement(), NxAxis::MAX);                                \
        c.set##P##AnnotationMethod(NxAxis::VALUE_LABELS);                             \
        EXPECT_EQ(c.get##P##AnnotationMethod(), NxAxis::VALUE_LABELS);                \
        c.set##P##OriginPlacement(NxAxis::ZERO);                                      \
        EXPECT_EQ(c.get##P##OriginPlacement(), NxAxis::ZERO);                         \
        c.set##P##TimeUnit(NxAxis::HOURS);                                            \
        EXPECT_EQ(c.get##P##TimeUnit(), NxAxis::HOURS);                               \
        int tp = vertical ? NxAxisTitle::EAST : NxAxisTitle::NORTH;                    \
        c.set##P##TitlePlacement(tp);                                                 \
        EXPECT_EQ(c.get##P##TitlePlacement(), tp);                                    \
        EXPECT_FALSE(c.get##P##TitlePlacementIsDefault());                            \
        c.set##P##TitlePlacementIsDefault(true);                                      \
        EXPECT_TRUE(c.get##P##TitlePlacementIsDefault());                             \
        c.set##P##Precision(3);                                                       \
        EXPECT_EQ(c.get##P##Precision(), 3);                                          \
        EXPECT_FALSE(c.get##P##PrecisionIsDefault());                                 \
        c.set##P##PrecisionIsDefault(true);                                           \
        EXPECT_TRUE(c.get##P##PrecisionIsDefault());                                  \
        c.set##P##NumSpacing("2");                                                    \
        EXPECT_EQ(c.get##P##NumSpacing(), "2.0");                                     \
        EXPECT_FALSE(c.get##P##NumSpacingIsDefault());                                \
        c.set##P##NumSpacingIsDefault(true);                                          \
        EXPECT_TRUE(c.get##P##NumSpacingIsDefault());                                 \
        c.set##P##TickSpacing("0.5");                                                 \
        EXPECT_EQ(c.get##P##TickSpacing(), "0.5");                                    \
        EXPECT_FALSE(c.get##P##TickSpacingIsDefault());                               \
        c.set##P##TickSpacingIsDefault(true);                                         \
        EXPECT_TRUE(c.get##P##TickSpacingIsDefault());                                \
        c.set##P##GridSpacing("4");                                                   \
        EXPECT_EQ(c.get##P##GridSpacing(), "4.0");                                    \
        EXPECT_FALSE(c.get##P##GridSpacingIsDefault());                               \
        c.set##P##GridSpacingIsDefault(true);                                         \
        EXPECT_TRUE(c.get##P##GridSpacingIsDefault());                                \
        c.set##P##Max("40");                                                          \
        EXPECT_EQ(c.get##P##Max(), "40.0");                                           \
        EXPECT_FALSE(c.get##P##MaxIsDefault());                                       \
        c.set##P##MaxIsDefault(true);                                                 \
        EXPECT_TRUE(c.get##P##MaxIsDefault());                                        \
        c.set##P##Origin("1.5");                                                      \
        EXPECT_EQ(c.get##P##Origin(), "1.5");                                         \
        EXPECT_FALSE(c.get##P##OriginIsDefault());                                    \
        c.set##P##OriginIsDefault(true);                                              \
        EXPECT_TRUE(c.get##P##OriginIsDefault());                                     \
        c.set##P##TimeFormat("%H:%M");                                                \
        EXPECT_EQ(c.get##P##TimeFormat(), "%H:%M");                                   \
        EXPECT_FALSE(c.get##P##TimeFormatIsDefault());                                \
        c.set##P##TimeFormatIsDefault(true);                                          \
        EXPECT_TRUE(c.get##P##TimeFormatIsDefault());                                 \
        c.set##P##TitleText("Axis " #P);                                              \
        EXPECT_EQ(c.get##P##TitleText(), "Axis " #P);                                 \
        c.set##P##TitleIsShowing(false);                                              \
        EXPECT_FALSE(c.get##P##TitleIsShowing());                                     \
        c.set##P##TitleIsShowing(true);                                               \
        EXPECT_TRUE(c.get##P##TitleIsShowing());                                      \
    } while (0)

TEST(ChartComponentPropertiesTest, EveryXAxisPropertyReadsBack) { CHECK_AXIS_PROPERTIES(X1Axis, false); }

TEST(ChartComponentPropertiesTest, EveryYAxisPropertyReadsBack) { CHECK_AXIS_PROPERTIES(Y1Axis, true); }

TEST(ChartComponentPropertiesTest, TheXAndYPropertiesReachTheirOwnAxes) {
    NxChartComponent c;
    c.setY1AxisMax("7");
    c.setX1AxisMin("-3");
    EXPECT_DOUBLE_EQ(c.getChartAreaRegion().getYAxis(0)->getMax(), 7.0);
    EXPECT_TRUE(c.getChartAreaRegion().getXAxis(0)->getMaxIsDefault());
    EXPECT_DOUBLE_EQ(c.getChartAreaRegion().getXAxis(0)->getMin(), -3.0);
    EXPECT_TRUE(c.getChartAreaRegion().getYAxis(0)->getMinIsDefault());
}

TEST(ChartComponentPropertiesTest, DataSourcesMakeNamedViewsAndDropTheOnesLeftOut) {
    OutCapture cap;
    std::string a = dataFile("a.dat", "ARRAY 1 3 1 2 3 'a' 1 2 3");
    std::string b = dataFile("b.dat", "ARRAY 1 3 1 2 3 'b' 3 2 1");
    NxChartComponent c;
    c.setDataSources({a, b});
    ASSERT_EQ(c.getNumData(), 4);
    EXPECT_EQ(c.getDataView(2)->getName(), a);
    EXPECT_EQ(c.getDataView(3)->getName(), b);
    EXPECT_EQ(c.getDataView(3)->getNumSeries(), 1);
    EXPECT_EQ(c.findDataView(b), c.getDataView(3));
    c.setDataSources({b});
    ASSERT_EQ(c.getNumData(), 3);
    EXPECT_EQ(c.getDataView(2)->getName(), b);
    EXPECT_EQ(c.getDataView(2)->getDrawingOrder(), 2);
    EXPECT_EQ(c.getDataSources(), std::vector<std::string>{b});
    // The same list again changes nothing.
    c.setDataSources({b});
    EXPECT_EQ(c.getNumData(), 3);
}

TEST(ChartComponentPropertiesTest, AnUnreadableSourceIsReportedAndLeavesTheViewEmpty) {
    OutCapture cap;
    NxChartComponent c;
    c.setDataSources({"/nonexistent/dir/none.dat"});
    ASSERT_EQ(c.getNumData(), 3);
    EXPECT_EQ(c.getDataView(2)->getNumSeries(), 0);
    EXPECT_NE(cap.err.str().find("/nonexistent/dir/none.dat"), std::string::npos);
    // "http" inside a file name does not make it a URL.
    c.setDataView1("/nonexistent/http-data.dat");
    EXPECT_EQ(c.getDataView1(), "/nonexistent/http-data.dat");
    EXPECT_NE(cap.err.str().find("http-data.dat"), std::string::npos);
}

TEST(ChartComponentPropertiesTest, DataView1And2LoadTheirSources) {
    OutCapture cap;
    std::string a = dataFile("v1.dat", "ARRAY 2 2 1 2 'a' 1 2 'b' 2 1");
    NxChartComponent c;
    c.setDataView1(a);
    c.setDataView2(a);
    EXPECT_EQ(c.getDataView1(), a);
    EXPECT_EQ(c.getDataView2(), a);
    EXPECT_EQ(c.getDataView(0)->getNumSeries(), 2);
    EXPECT_EQ(c.getDataView(1)->getNumSeries(), 2);
}

TEST(ChartComponentPropertiesTest, APageMayNameTheComponent) {
    auto obj = host::ClassRegistry::instance().createObject("norvex.chart.NxChartComponent", nullptr, "c");
    auto c = std::dynamic_pointer_cast<NxChartComponent>(obj);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->getNumData(), 2);
}
