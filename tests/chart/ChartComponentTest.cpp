// The chart component: batching and change propagation, margins, views, the page
// parameters of the chart (each reported in one line when refused, the default
// kept) and the chart library's class array.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>

#include "chart/NxChart.h"
#include "chart/NxChartApplet.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/model/NxValueLabel.h"
#include "chart/source/InputStreamDataSource.h"
#include "host/graphics/RecordingGraphics.h"
#include "host/page/Applet.h"
#include "host/page/PageHost.h"
#include "host/runtime/URL.h"
#include "tests/ombu/OmbuTestSupport.h"
#include "tests/support/ErrCapture.h"

using namespace norvex::chart;

namespace {

using testsupport::ErrCapture;

std::shared_ptr<NxChart> chartWithData() {
    auto c = host::create<NxChart>();
    c->getDataView(0)->setDataSource(
        std::make_shared<InputStreamDataSource>(std::string_view("ARRAY 2 4 1 2 3 4 'a' 1 2 3 4 'b' 4 3 2 1")));
    return c;
}

std::shared_ptr<NxChart> pageChart(std::vector<std::pair<std::string, std::string>> params) {
    auto applet = host::create<host::Applet>();
    params.insert(params.begin(), {"data", "ARRAY 2 3 1 2 3 'a' 1 2 3 'b' 3 2 1"});
    applet->setParameters(std::move(params));
    applet->setAppletContext(std::make_shared<host::PageContext>());
    return host::create<NxChart>(applet.get(), "");
}

}  // namespace

TEST(ChartComponentTest, ANewChartShowsOnlyItsChartAreaAndHasOnePlotView) {
    NxChart c;
    EXPECT_FALSE(c.getHeader().getIsShowing());
    EXPECT_FALSE(c.getFooter().getIsShowing());
    EXPECT_TRUE(c.getChartAreaRegion().getIsShowing());
    ASSERT_EQ(c.getNumData(), 1);
    EXPECT_EQ(c.getDataView(0)->getChartType(), NxChart::PLOT);
}

TEST(ChartComponentTest, WithEveryTitleHiddenTheAreaFillsTheWorkingRectangleLessAFortieth) {
    ombutest::ShownFrame f(402, 302);
    auto c = f.add(chartWithData(), 0, 0, 402, 302);
    f.show();
    c->validate();
    // working rectangle 400 x 300 inside the 1-pixel margins
    EXPECT_EQ(c->getChartAreaRegion().getX(), 1 + 10);
    EXPECT_EQ(c->getChartAreaRegion().getY(), 1 + 7);
    EXPECT_EQ(c->getChartAreaRegion().getWidth(), 400 - 20);
    EXPECT_EQ(c->getChartAreaRegion().getHeight(), 300 - 14);
}

TEST(ChartComponentTest, TenBatchedChangesGiveOneRepaint) {
    ombutest::ShownFrame f(300, 200);
    auto c = f.add(chartWithData(), 0, 0, 300, 200);
    f.show();
    c->validate();
    int before = c->getUpdateCount();
    c->setIsBatched(true);
    for (int i = 0; i < 10; ++i) {
        c->getHeader().setText("Title " + std::to_string(i));
        c->getChartAreaRegion().getYAxis(0)->setMax(10 + i);
    }
    EXPECT_EQ(c->getUpdateCount(), before);
    c->setIsBatched(false);
    EXPECT_EQ(c->getUpdateCount(), before + 1);
    EXPECT_FALSE(c->getChanged());
}

TEST(ChartComponentTest, EveryMarginChangeLaysTheChartOutAgain) {
    ombutest::ShownFrame f(300, 200);
    auto c = f.add(chartWithData(), 0, 0, 300, 200);
    f.show();
    c->validate();
    EXPECT_EQ(c->getChartAreaRegion().getX(), 1 + 298 / 40);
    c->setLeftMargin(21);
    EXPECT_EQ(c->getChartAreaRegion().getX(), 21 + 278 / 40);
    c->setLeftMargin(41);
    EXPECT_EQ(c->getChartAreaRegion().getX(), 41 + 258 / 40);  // the second change is not lost
    EXPECT_FALSE(c->getChanged());
}

TEST(ChartComponentTest, MarginsLargerThanTheChartGiveAnEmptyArea) {
    ombutest::ShownFrame f(100, 80);
    auto c = f.add(chartWithData(), 0, 0, 100, 80);
    f.show();
    c->setTopMargin(200);
    c->setLeftMargin(300);
    c->validate();
    EXPECT_EQ(c->getChartAreaRegion().getWidth(), 0);
    EXPECT_EQ(c->getChartAreaRegion().getHeight(), 0);
}

TEST(ChartComponentTest, ViewsAppendRemoveAndRefuseBadIndexes) {
    NxChart c;
    auto v = std::make_shared<ChartDataView>();
    c.setDataView(1, v);
    EXPECT_EQ(c.getNumData(), 2);
    EXPECT_EQ(v->getParent(), &c);
    EXPECT_EQ(v->getDrawingOrder(), 1);
    EXPECT_THROW(c.setDataView(3, std::make_shared<ChartDataView>()), std::invalid_argument);
    c.setDataView(0, nullptr);  // null removes
    ASSERT_EQ(c.getNumData(), 1);
    EXPECT_EQ(c.getDataView(0), v);
    EXPECT_EQ(v->getDrawingOrder(), 0);
    EXPECT_THROW(c.removeDataView(5), std::out_of_range);
    EXPECT_EQ(c.findDataView(v->getName()), v);
}

TEST(ChartComponentTest, EachSeriesGetsTheNextDefaultStyle) {
    auto c = chartWithData();
    auto v = c->getDataView(0);
    ASSERT_EQ(v->getNumSeries(), 2);
    ASSERT_TRUE(v->getSeries(0)->getStyle());
    ASSERT_TRUE(v->getSeries(1)->getStyle());
    EXPECT_EQ(v->getSeries(0)->getStyle()->getLineColor(), host::Color::black);
    EXPECT_EQ(v->getSeries(1)->getStyle()->getLineColor(), host::Color::cyan);
}

TEST(ChartConverterTest, ReadsDataViewSeriesTitlesAreaAndAxes) {
    auto c = pageChart({{"data.chartType", "SCATTER_PLOT"},
                        {"data.isInverted", "false"},
                        {"data.pointLabels", "one,two,three"},
                        {"data.series2.symbol.shape", "DIAMOND"},
                        {"data.series2.symbol.size", "9"},
                        {"data.series2.line.color", "red"},
                        {"data.series1.label", "First"},
                        {"data.series1.isShowing", "false"},
                        {"header.text", "Head"},
                        {"header.top", "7"},
                        {"footer.isShowing", "true"},
                        {"chartArea.depth", "700"},
                        {"chartArea.axisBoundingBox", "true"},
                        {"chartArea.plotArea.background", "yellow"},
                        {"chartArea.plotArea.left", "40"},
                        {"xaxis.min", "-2"},
                        {"xaxis.title.text", "Time"},
                        {"yaxis.isLogarithmic", "true"},
                        {"yaxis.placement", "MAX"},
                        {"yaxis.gridIsShowing", "true"},
                        {"yaxis.gridColor", "blue"},
                        {"yaxis.title.rotation", "90"},
                        {"xaxis.valueLabels", "1,low,3,high"}});
    auto v = c->getDataView(0);
    EXPECT_EQ(v->getChartType(), NxChart::SCATTER_PLOT);
    EXPECT_EQ(v->getNumPointLabels(), 3);
    EXPECT_EQ(v->getSeries(1)->getStyle()->getSymbolShape(), 4);
    EXPECT_EQ(v->getSeries(1)->getStyle()->getSymbolSize(), 9);
    EXPECT_EQ(v->getSeries(1)->getStyle()->getLineColor(), host::Color::red);
    EXPECT_EQ(v->getSeries(0)->getStyle()->getSymbolSize(), 6);  // only series 2
    EXPECT_EQ(v->getSeries(0)->getLabel(), "First");
    EXPECT_FALSE(v->getSeries(0)->getIsShowing());
    EXPECT_EQ(c->getHeader().getText(), "Head");
    EXPECT_TRUE(c->getHeader().getIsShowing());
    EXPECT_FALSE(c->getHeader().getTopIsDefault());
    EXPECT_EQ(c->getHeader().getTop(), 7);
    EXPECT_TRUE(c->getHeader().getLeftIsDefault());
    EXPECT_TRUE(c->getFooter().getIsShowing());
    NxChartArea& a = c->getChartAreaRegion();
    EXPECT_EQ(a.getDepth(), 500);
    EXPECT_TRUE(a.getAxisBoundingBox());
    EXPECT_EQ(a.getPlotArea().getBackground(), host::Color::yellow);
    EXPECT_EQ(a.getPlotArea().getLeft(), 40);
    EXPECT_FALSE(a.getPlotArea().getLeftIsDefault());
    NxAxis& x = *v->getXAxis();
    NxAxis& y = *v->getYAxis();
    EXPECT_EQ(x.getMin(), -2);
    EXPECT_FALSE(x.getMinIsDefault());
    EXPECT_EQ(x.getTitle().getText(), "Time");
    EXPECT_TRUE(y.getIsLogarithmic());
    EXPECT_EQ(y.getPlacement(), NxAxis::MAX);
    EXPECT_TRUE(y.getGridIsShowing());
    EXPECT_EQ(y.getGridStyle().getColor(), host::Color::blue);
    EXPECT_EQ(y.getTitle().getRotation(), ChartText::DEG_90);
    auto labels = x.getValueLabels();
    ASSERT_TRUE(labels);
    ASSERT_EQ(labels->size(), 2u);
    EXPECT_EQ((*labels)[1]->getText(), "high");
}

TEST(ChartConverterTest, ARefusedOrUnreadableValueIsOneLineAndTheDefaultStays) {
    ErrCapture err;
    auto c = pageChart({{"data.chartType", "CIRCLE"},            // not in the table
                        {"data.series1.symbol.size", "big"},     // not a number
                        {"header.borderWidth", "-3"},            // refused by the property
                        {"chartArea.angleUnit", "TURNS"},        // not in the table
                        {"xaxis.title.placement", "EAST"},       // wrong for a horizontal axis
                        {"yaxis.max", "7"}});                    // after the refusals: still read
    EXPECT_EQ(c->getDataView(0)->getChartType(), NxChart::PLOT);
    EXPECT_EQ(c->getDataView(0)->getSeries(0)->getStyle()->getSymbolSize(), 6);
    EXPECT_EQ(c->getHeader().getBorderWidth(), 2);
    EXPECT_EQ(c->getDataView(0)->getXAxis()->getTitle().getPlacement(), 2);
    EXPECT_EQ(c->getDataView(0)->getYAxis()->getMax(), 7);
    std::string text = err.out.str();
    EXPECT_NE(text.find("header.borderWidth"), std::string::npos) << text;
    EXPECT_NE(text.find("BorderWidth must be positive"), std::string::npos) << text;
    EXPECT_NE(text.find("xaxis.title.placement"), std::string::npos) << text;
}

TEST(ChartConverterTest, MissingDataIsReported) {
    ErrCapture err;
    auto applet = host::create<host::Applet>();
    applet->setAppletContext(std::make_shared<host::PageContext>());
    auto c = host::create<NxChart>(applet.get(), "");
    EXPECT_NE(err.out.str().find("no data or dataFile parameter"), std::string::npos);
    EXPECT_NE(err.out.str().find("no data source!"), std::string::npos);
    EXPECT_EQ(c->getDataView(0)->getNumSeries(), 0);
}

TEST(ChartClassesTest, APageCanNameTheChartAndItsWrapper) {
    auto& reg = host::ClassRegistry::instance();
    ASSERT_NE(reg.find("norvex.chart.NxChart"), nullptr);
    ASSERT_NE(reg.find("norvex.chart.NxChartApplet"), nullptr);
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 1 2 1 2 'a' 3 4"}, {"chart.header.text", "Named"}});
    applet->setAppletContext(std::make_shared<host::PageContext>());
    auto wrapper = host::create<NxChartApplet>(applet.get(), "");
    EXPECT_EQ(wrapper->getChart().getName(), "chart");
    EXPECT_EQ(wrapper->getChart().getHeader().getText(), "Named");
}

TEST(ChartComponentTest, ViewMapsChartPixelsAndPicksThroughTheArea) {
    ombutest::ShownFrame f(300, 200);
    auto c = f.add(chartWithData(), 0, 0, 300, 200);
    f.show();
    c->validate();
    auto v = c->getDataView(0);
    NxChartArea& a = c->getChartAreaRegion();
    const host::Rectangle& plot = a.getPlotRect();
    host::Point o = a.getPlotOrigin();
    host::Point corner = v->unmap(v->getXAxis()->getMin(), v->getYAxis()->getMin());
    EXPECT_EQ(corner, (host::Point{o.x + plot.x, o.y + plot.y + plot.height}));
    NxDataCoord back = v->map(corner.x, corner.y);
    EXPECT_DOUBLE_EQ(back.x, v->getXAxis()->getMin());
    EXPECT_DOUBLE_EQ(back.y, v->getYAxis()->getMin());
    // Series "b" point 2 (x 3, y 2): picked at its own pixel, and back to that pixel.
    host::Point p = v->unmap(3, 2);
    auto di = v->coordToDataIndex(p.x, p.y, ChartDataView::PICK_FOCUS_XY);
    ASSERT_TRUE(di);
    EXPECT_EQ(di->point, 2);
    EXPECT_EQ(di->distance, 0);
    EXPECT_EQ(v->dataIndexToCoord(*di), p);
    auto viaChart = c->pick(p, v);
    ASSERT_TRUE(viaChart);
    EXPECT_EQ(viaChart->point, 2);
    EXPECT_EQ(c->unpick(v, v->getSeriesIndex(di->series.get()), 2), p);
}

TEST(ChartComponentTest, ListenersHearChangesPaintsAndPicksInOrder) {
    struct Recorder : NxChartListener, NxPickListener {
        std::vector<std::string>* log;
        std::string name;
        void changeChart(const NxChartEvent& e) override { log->push_back(name + ":change:" + (e.axis ? "axis" : "none")); }
        void paintChart(NxChart&) override { log->push_back(name + ":paint"); }
        void pick(const NxPickEvent& e) override { log->push_back(name + ":pick:" + std::to_string(e.getPickResult().point)); }
    };
    std::vector<std::string> log;
    Recorder a, b;
    a.log = b.log = &log;
    a.name = "a";
    b.name = "b";
    NxChart c;
    c.addChartListener(&a);
    c.addChartListener(&b);
    c.addChartListener(&a);  // once only
    c.addPickListener(&b);
    c.sendEvent(c.getChartAreaRegion().getXAxis(0).get());
    host::RecordingGraphics g;
    c.paint(g);
    NxDataIndex di;
    di.point = 3;
    c.sendPickEvent(di);
    c.removeChartListener(&a);
    c.sendEvent(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a:change:axis", "b:change:axis", "a:paint", "b:paint", "b:pick:3",
                                             "b:change:none"}));
}
