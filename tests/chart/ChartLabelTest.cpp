// Chart labels and markers: the label's own anchors at exact positions, offsets,
// attachment to pixels, data coordinates and data points (following zooms, leaving
// the chart when the point is not drawn), connectors, markers, and the page
// parameters that create both.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>

#include "chart/NxChart.h"
#include "chart/NxChartLabel.h"
#include "chart/area/NxMarker.h"
#include "chart/source/InputStreamDataSource.h"
#include "host/graphics/RecordingGraphics.h"
#include "host/page/Applet.h"
#include "host/page/PageHost.h"
#include "tests/chart/LabelTestSupport.h"
#include "tests/support/ErrCapture.h"

using namespace norvex::chart;

using labeltest::LabelChart;

namespace {

using testsupport::ErrCapture;

std::shared_ptr<NxChart> pageChart(std::vector<std::pair<std::string, std::string>> params) {
    auto applet = host::create<host::Applet>();
    params.insert(params.begin(), {"data", labeltest::kData});
    applet->setParameters(std::move(params));
    applet->setAppletContext(std::make_shared<host::PageContext>());
    return host::create<NxChart>(applet.get(), "");
}

}  // namespace

TEST(ChartLabelTest, EachAnchorPlacesTheLabelOnItsSideOfThePoint) {
    struct Case {
        int anchor;
        host::Point origin;
    };
    // A 40 x 20 label at (100, 100): half sizes 20 and 10.
    const Case cases[] = {
        {NxChartLabel::CENTER, {80, 90}},     {NxChartLabel::AUTO, {80, 90}},
        {NxChartLabel::NORTHEAST, {100, 80}}, {NxChartLabel::NORTH, {80, 80}},
        {NxChartLabel::NORTHWEST, {60, 80}},  {NxChartLabel::EAST, {100, 90}},
        {NxChartLabel::WEST, {60, 90}},       {NxChartLabel::SOUTHEAST, {100, 100}},
        {NxChartLabel::SOUTH, {80, 100}},     {NxChartLabel::SOUTHWEST, {60, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.anchor);
        EXPECT_EQ(NxChartLabel::anchoredOrigin({100, 100}, {40, 20}, c.anchor, {0, 0}), c.origin);
    }
    // Odd sizes: halves round toward zero.
    EXPECT_EQ(NxChartLabel::anchoredOrigin({100, 100}, {41, 21}, NxChartLabel::CENTER, {0, 0}), (host::Point{80, 90}));
    EXPECT_EQ(NxChartLabel::anchoredOrigin({0, 0}, {0, 0}, NxChartLabel::SOUTHWEST, {0, 0}), (host::Point{0, 0}));
}

TEST(ChartLabelTest, ALabelInAChartOccupiesItsAnchoredRectangleAndTheOffsetMovesIt) {
    LabelChart f;
    auto l = f.label40x20();
    EXPECT_EQ(l->getBounds(), (host::Rectangle{80, 90, 40, 20}));
    l->setAnchor(NxChartLabel::NORTHEAST);
    EXPECT_EQ(l->getBounds(), (host::Rectangle{100, 80, 40, 20}));
    l->setOffset({5, -5});
    EXPECT_EQ(l->getBounds(), (host::Rectangle{105, 75, 40, 20}));
    // ATTACH_NONE leaves it where it is.
    l->setAttachMethod(NxChartLabel::ATTACH_NONE);
    l->setCoord({10, 10});
    EXPECT_EQ(l->getBounds(), (host::Rectangle{105, 75, 40, 20}));
    EXPECT_TRUE(l->isVisible());
}

TEST(ChartLabelTest, BadAnchorsAndAttachMethodsAreRefusedWithTheirMessages) {
    NxChartLabel l;
    for (int bad : {0, 11, -1}) {
        try {
            l.setAnchor(bad);
            FAIL() << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Invalid Anchor value in NxChartLabel.  Should be one of NORTH, SOUTH, EAST, WEST, NORTHEAST, "
                      "SOUTHEAST, NORTHWEST, SOUTHWEST, CENTER or AUTO.");
        }
    }
    EXPECT_THROW(l.setAttachMethod(4), std::invalid_argument);
    EXPECT_THROW(l.setAttachMethod(-1), std::invalid_argument);
    EXPECT_EQ(l.getAnchor(), NxChartLabel::CENTER);
    EXPECT_EQ(l.getAttachMethod(), NxChartLabel::ATTACH_COORD);
    l.setAnchor(NxChartLabel::AUTO);
    l.setAttachMethod(NxChartLabel::ATTACH_NONE);
    EXPECT_EQ(l.getAnchor(), 10);
    EXPECT_EQ(l.getAttachMethod(), 0);
    EXPECT_THROW(NxMarker().setPoint(-1), std::invalid_argument);
}

TEST(ChartLabelTest, ADataPointLabelSitsOnItsPointAndFollowsAZoom) {
    LabelChart f;
    auto l = f.label40x20();
    l->setAttachMethod(NxChartLabel::ATTACH_DATAINDEX);
    l->setDataIndex(1, 2);  // series b, point 2: (3, 2)
    host::Point p = f.pointAt(1, 2);
    EXPECT_EQ(l->getBounds(), (host::Rectangle{p.x - 20, p.y - 10, 40, 20}));
    // Zoom in on the Y axis: the point moves, and the label with it.
    f.chart->getChartAreaRegion().getYAxis(0)->setMax(2.5);
    f.chart->validate();
    host::Point q = f.pointAt(1, 2);
    ASSERT_NE(q, p);
    EXPECT_EQ(l->getBounds(), (host::Rectangle{q.x - 20, q.y - 10, 40, 20}));
    // A chart change event also repositions it.
    f.chart->sendEvent(f.chart->getChartAreaRegion().getYAxis(0).get());
    EXPECT_EQ(l->getLocation(), (host::Point{q.x - 20, q.y - 10}));
}

TEST(ChartLabelTest, ALabelWhosePointIsNotDrawnLeavesTheChart) {
    LabelChart f;
    auto l = f.label40x20();
    l->setAttachMethod(NxChartLabel::ATTACH_DATAINDEX);
    l->setDataIndex(0, 3);  // series a, point 3: (4, 4)
    EXPECT_GT(l->getX(), 0);
    f.chart->getChartAreaRegion().getYAxis(0)->setMax(3);
    f.chart->validate();
    EXPECT_EQ(l->getX(), NxChartLabel::OFF_X);
    // A point index past the series is not drawn either.
    l->setDataIndex(0, 99);
    EXPECT_EQ(l->getX(), NxChartLabel::OFF_X);
    // Back on a drawn point.
    l->setDataIndex(0, 0);
    host::Point p = f.pointAt(0, 0);
    EXPECT_EQ(l->getLocation(), (host::Point{p.x - 20, p.y - 10}));
}

TEST(ChartLabelTest, ADataCoordinateLabelUsesTheViewsMapping) {
    LabelChart f;
    auto l = f.label40x20();
    l->setAttachMethod(NxChartLabel::ATTACH_DATACOORD);
    l->setAnchor(NxChartLabel::SOUTHWEST);
    l->setDataCoord({2.5, 3});
    host::Point p = f.chart->getDataView(0)->unmap(2.5, 3);
    EXPECT_EQ(l->getBounds(), (host::Rectangle{p.x - 40, p.y, 40, 20}));
    l->setDataCoord({100, 3});  // outside the X axis
    EXPECT_EQ(l->getX(), NxChartLabel::OFF_X);
}

TEST(ChartLabelTest, AConnectedLabelGivesTheAreaALineToItsNearestEdge) {
    LabelChart f;
    auto l = f.label40x20();
    l->setAttachMethod(NxChartLabel::ATTACH_DATAINDEX);
    l->setDataIndex(0, 1);
    l->setAnchor(NxChartLabel::NORTHEAST);
    l->setOffset({10, -10});
    f.chart->updateChartLabels();
    EXPECT_TRUE(f.chart->getChartAreaRegion().getLabelConnectors().empty());
    l->setIsConnected(true);
    f.chart->updateChartLabels();
    host::Point p = f.pointAt(0, 1);
    // Label from (p.x + 10, p.y - 30) to (p.x + 49, p.y - 11): nearest point (p.x + 10, p.y - 11).
    auto line = l->connectorLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->first, p);
    EXPECT_EQ(line->second, (host::Point{p.x + 10, p.y - 11}));
    auto conns = f.chart->getChartAreaRegion().getLabelConnectors();
    ASSERT_EQ(conns.size(), 1u);
    host::Point o = f.chart->getChartAreaRegion().getPlotOrigin();
    EXPECT_EQ(conns[0].from, (host::Point{p.x - o.x, p.y - o.y}));
    // A label over its own point needs no line.
    l->setOffset({0, 0});
    l->setAnchor(NxChartLabel::CENTER);
    EXPECT_FALSE(l->connectorLine());
}

TEST(ChartLabelTest, LabelsAreAddedOnceAndRemovedCleanly) {
    LabelChart f;
    auto l = f.label40x20();
    int children = f.chart->getComponentCount();
    f.chart->addChartLabel(l);
    EXPECT_EQ(f.chart->getComponentCount(), children);
    EXPECT_EQ(f.chart->getChartLabels().size(), 1u);
    EXPECT_EQ(l->getChart(), f.chart.get());
    f.chart->removeChartLabel(l);
    EXPECT_TRUE(f.chart->getChartLabels().empty());
    EXPECT_EQ(l->getChart(), nullptr);
    // Still usable alone.
    l->setCoord({5, 5});
}

TEST(ChartLabelTest, AMarkerIsALineAcrossThePlotAtItsValue) {
    LabelChart f;
    NxChartArea& area = f.chart->getChartAreaRegion();
    const host::Rectangle& plot = area.getPlotRect();
    auto y = area.getYAxis(0);
    auto x = area.getXAxis(0);
    NxMarker m;
    m.setAxis(y);
    m.setValue(2.5);
    host::Point a, b;
    ASSERT_TRUE(m.line(plot, a, b));
    EXPECT_EQ(a, (host::Point{plot.x, y->toPixel(2.5)}));
    EXPECT_EQ(b, (host::Point{plot.x + plot.width, y->toPixel(2.5)}));
    // At the axis bounds exactly, and just outside them.
    m.setValue(y->getMax());
    EXPECT_TRUE(m.line(plot, a, b));
    EXPECT_EQ(a.y, plot.y);
    m.setValue(y->getMax() + 0.001);
    EXPECT_FALSE(m.line(plot, a, b));
    // A point of a series: its X value on the X axis, a vertical line.
    auto s = f.chart->getDataView(0)->getSeries(1);
    m.setAxis(nullptr);
    m.setSeries(s);
    m.setPoint(2);
    EXPECT_DOUBLE_EQ(m.resolvedValue(), 3.0);
    ASSERT_TRUE(m.line(plot, a, b));
    EXPECT_EQ(a, (host::Point{x->toPixel(3), plot.y}));
    EXPECT_EQ(b, (host::Point{x->toPixel(3), plot.y + plot.height}));
    // On the Y axis the same point marks its Y value; a point past the data marks nothing.
    m.setAxis(y);
    EXPECT_DOUBLE_EQ(m.resolvedValue(), 2.0);
    m.setPoint(4);
    EXPECT_FALSE(m.line(plot, a, b));
}

TEST(ChartLabelTest, TheChartAreaPaintsItsMarkersInTheirStyle) {
    LabelChart f;
    NxChartArea& area = f.chart->getChartAreaRegion();
    auto m = host::create<NxMarker>();
    m->setAxis(area.getYAxis(0));
    m->setValue(2.5);
    m->getStyle()->setLineColor(host::Color(255, 0, 0));
    area.addMarker(m);
    area.addMarker(m);
    EXPECT_EQ(area.getMarkers().size(), 1u);
    f.chart->validate();
    host::RecordingGraphics rg;
    area.paintComponent(rg);
    host::Point a, b;
    ASSERT_TRUE(m->line(area.getPlotRect(), a, b));
    std::string line = "drawLine(" + std::to_string(a.x) + "," + std::to_string(a.y) + "," + std::to_string(b.x) +
                       "," + std::to_string(b.y) + ")";
    bool found = false;
    for (auto& l : rg.log()) found = found || l == line;
    EXPECT_TRUE(found) << line;
    area.removeMarker(m);
    EXPECT_TRUE(area.getMarkers().empty());
}

TEST(ChartLabelTest, PageParametersCreateLabelsAndMarkers) {
    auto c = pageChart({{"chartLabel1.text", "Peak"},
                        {"chartLabel1.anchor", "NORTH"},
                        {"chartLabel1.attachMethod", "DATAINDEX"},
                        {"chartLabel1.series", "2"},
                        {"chartLabel1.point", "0"},
                        {"chartLabel1.offsetX", "3"},
                        {"chartLabel1.offsetY", "-4"},
                        {"chartLabel1.isConnected", "true"},
                        {"chartLabel1.borderType", "PLAIN"},
                        {"chartLabel1.borderWidth", "1"},
                        {"chartLabel1.foreground", "red"},
                        {"chartLabel2.text", "Here"},
                        {"chartLabel2.x", "30"},
                        {"chartLabel2.y", "40"},
                        {"chartLabel2.isDwellLabel", "false"},
                        {"chartLabel3.text", "Tip"},
                        {"chartLabel3.attachMethod", "DATAINDEX"},
                        {"chartLabel3.series", "1"},
                        {"chartLabel3.point", "3"},
                        {"chartLabel3.isDwellLabel", "true"},
                        {"chartLabel3.dwellDelay", "250"},
                        {"chartLabel5.text", "not read: 4 is missing"},
                        {"marker1.value", "2.5"},
                        {"marker1.color", "blue"},
                        {"marker1.width", "2"},
                        {"marker1.pattern", "SHORT_DASH"},
                        {"marker2.series", "1"},
                        {"marker2.point", "1"},
                        {"marker3.axis", "X"},
                        {"marker3.value", "2"}});
    auto labels = c->getChartLabels();
    ASSERT_EQ(labels.size(), 3u);
    auto v = c->getDataView(0);
    NxChartLabel& a = *labels[0];
    EXPECT_EQ(a.getText(), "Peak");
    EXPECT_EQ(a.getAnchor(), NxChartLabel::NORTH);
    EXPECT_EQ(a.getAttachMethod(), NxChartLabel::ATTACH_DATAINDEX);
    EXPECT_EQ(a.getDataIndex().series, v->getSeries(1));
    EXPECT_EQ(a.getDataIndex().point, 0);
    EXPECT_EQ(a.getOffset(), (host::Point{3, -4}));
    EXPECT_TRUE(a.getIsConnected());
    EXPECT_EQ(a.getBorderType(), 5);
    EXPECT_EQ(a.getBorderWidth(), 1);
    EXPECT_EQ(a.getForeground(), host::OptColor(host::Color(255, 0, 0)));
    EXPECT_EQ(labels[1]->getAttachMethod(), NxChartLabel::ATTACH_COORD);
    EXPECT_EQ(labels[1]->getCoord(), (host::Point{30, 40}));
    EXPECT_FALSE(labels[1]->getIsDwellLabel());
    EXPECT_TRUE(labels[2]->getIsDwellLabel());
    EXPECT_EQ(labels[2]->getDwellDelay(), 250);
    EXPECT_FALSE(labels[2]->isVisible());
    ASSERT_NE(c->getDwell(), nullptr);

    auto markers = c->getChartAreaRegion().getMarkers();
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(markers[0]->getAxis(), v->getYAxis());
    EXPECT_DOUBLE_EQ(markers[0]->getValue(), 2.5);
    EXPECT_EQ(markers[0]->getStyle()->getLineColor(), host::Color(0, 0, 255));
    EXPECT_EQ(markers[0]->getStyle()->getLineWidth(), 2);
    EXPECT_EQ(markers[0]->getStyle()->getLinePattern(), NxLineStyle::SHORT_DASH);
    EXPECT_EQ(markers[1]->getSeries(), v->getSeries(0));
    EXPECT_EQ(markers[1]->getPoint(), 1);
    EXPECT_EQ(markers[1]->resolvedAxis(), v->getXAxis());
    EXPECT_EQ(markers[2]->getAxis(), v->getXAxis());
}

TEST(ChartLabelTest, BadLabelAndMarkerParametersAreReportedAndKeepTheDefaults) {
    ErrCapture err;
    auto c = pageChart({{"chartLabel1.text", "x"},
                        {"chartLabel1.anchor", "UP"},
                        {"chartLabel1.series", "7"},
                        {"chartLabel1.point", "1"},
                        {"marker1.series", "0"},
                        {"marker2.value", "1"}});
    auto labels = c->getChartLabels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]->getAnchor(), NxChartLabel::CENTER);
    EXPECT_FALSE(labels[0]->getDataIndex().series);
    // The refused marker is skipped; numbering still goes on.
    EXPECT_EQ(c->getChartAreaRegion().getMarkers().size(), 1u);
    std::string out = err.out.str();
    EXPECT_NE(out.find("chartLabel1.series"), std::string::npos) << out;
    EXPECT_NE(out.find("marker1.series"), std::string::npos) << out;
    EXPECT_NE(out.find("UP"), std::string::npos) << out;
}

TEST(ChartLabelTest, MarkerLinesFollowTheirPatternAndWidth) {
    auto drawn = [](int pattern, int width, host::Point a, host::Point b) {
        host::RecordingGraphics g;
        NxMarker::drawLine(g, a, b, pattern, width);
        return g.log();
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(drawn(NxLineStyle::SOLID, 1, {0, 5}, {20, 5}), V{"drawLine(0,5,20,5)"});
    EXPECT_EQ(drawn(NxLineStyle::NONE, 1, {0, 5}, {20, 5}), V{});
    EXPECT_EQ(drawn(NxLineStyle::SOLID, 0, {0, 5}, {20, 5}), V{});
    // Five on, four off; the last dash is cut at the end.
    EXPECT_EQ(drawn(NxLineStyle::SHORT_DASH, 1, {3, 0}, {3, 20}),
              (V{"drawLine(3,0,3,4)", "drawLine(3,9,3,13)", "drawLine(3,18,3,20)"}));
    // Three pixels wide: lines at -1, 0 and +1 around the marked pixel.
    EXPECT_EQ(drawn(NxLineStyle::SOLID, 3, {0, 5}, {9, 5}),
              (V{"drawLine(0,4,9,4)", "drawLine(0,5,9,5)", "drawLine(0,6,9,6)"}));
}
