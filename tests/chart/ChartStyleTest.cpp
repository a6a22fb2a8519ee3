// Chart styles: the default sequence, the background check, symbol geometry, the
// fill outline colour, failed fill images and the setters' errors.
#include <gtest/gtest.h>

#include <stdexcept>

#include "chart/style/NxChartStyle.h"
#include "host/graphics/Image.h"
#include "host/graphics/RecordingGraphics.h"

using namespace norvex::chart;
using host::Color;

namespace {
// The pattern and shape counters never rewind: read them up to a known place.
void rewindPatternsAndShapes() {
    while (NxLineStyle::getDefaultPattern() != NxLineStyle::DASH_DOT) {}
    while (NxSymbolStyle::getDefaultShape() != NxSymbolStyle::LAST) {}
    while (NxFillStyle::getDefaultPattern() != NxFillStyle::CROSS_HATCHED) {}
}
}  // namespace

TEST(ChartStyleSequenceTest, FirstSeriesGetBlackCyanOrangeAndTheFirstPatternsAndShapes) {
    rewindPatternsAndShapes();
    NxChartStyle::resetDefaults();
    std::vector<NxChartStylePtr> s;
    for (int i = 0; i < 11; ++i) s.push_back(NxChartStyle::makeDefault());
    EXPECT_EQ(s[0]->getLineColor(), Color::black);
    EXPECT_EQ(s[1]->getLineColor(), Color::cyan);
    EXPECT_EQ(s[2]->getLineColor(), Color::orange);
    EXPECT_EQ(s[0]->getLinePattern(), NxLineStyle::SOLID);
    EXPECT_EQ(s[1]->getLinePattern(), NxLineStyle::LONG_DASH);
    EXPECT_EQ(s[2]->getLinePattern(), NxLineStyle::SHORT_DASH);
    EXPECT_EQ(s[5]->getLinePattern(), NxLineStyle::SOLID);
    EXPECT_EQ(s[0]->getSymbolShape(), NxSymbolStyle::DOT);
    EXPECT_EQ(s[1]->getSymbolShape(), NxSymbolStyle::BOX);
    EXPECT_EQ(s[2]->getSymbolShape(), NxSymbolStyle::TRIANGLE);
    EXPECT_EQ(s[2]->getSymbolSize(), 6);
    EXPECT_EQ(s[9]->getLineColor(), Color::black);  // the tenth wraps round
    EXPECT_EQ(s[10]->getSymbolShape(), NxSymbolStyle::DOT);
    EXPECT_EQ(s[0]->getFillPattern(), NxFillStyle::SOLID);
    EXPECT_EQ(s[1]->getFillPattern(), NxFillStyle::PER_25);
}

TEST(ChartStyleSequenceTest, APlotBackgroundColourIsSkipped) {
    NxChartStyle::resetDefaults();
    NxChartStyle::makeDefault(Color::cyan, Color::cyan);
    auto second = NxChartStyle::makeDefault(Color::cyan, Color::cyan);
    EXPECT_EQ(second->getLineColor(), Color::orange);
    EXPECT_EQ(second->getSymbolColor(), Color::orange);
    EXPECT_EQ(second->getFillColor(), Color::orange);
}

TEST(ChartSymbolTest, ShapesAndTheirGeometry) {
    host::RecordingGraphics g;
    NxSymbolStyle star(NxSymbolStyle::STAR, Color::black, 6);
    star.draw(g, 10, 10);
    std::string log = g.logText();
    EXPECT_NE(log.find("drawLine(8,8,12,12)"), std::string::npos);  // q = N(2.12) = 2
    EXPECT_NE(log.find("drawLine(7,10,13,10)"), std::string::npos);
    g.clearLog();
    NxSymbolStyle tri(NxSymbolStyle::TRIANGLE, Color::black, 7);
    tri.draw(g, 0, 0);
    EXPECT_NE(g.logText().find("fillPolygon([-3,0,3],[3,-3,3])"), std::string::npos) << g.logText();
    EXPECT_THROW(tri.setShape(12), std::invalid_argument);
    tri.setCustomShape(nullptr);
    EXPECT_EQ(tri.getShape(), NxSymbolStyle::NONE);
}

TEST(ChartFillTest, BlackOutlinesInTheBrighterShadeAndFailedImagesDrawNothing) {
    NxFillStyle black(Color::black, NxFillStyle::SOLID);
    EXPECT_NE(black.calcOutlineColor(), Color::black);
    host::RecordingGraphics g;
    black.setImage(host::Image::failed("missing"));
    black.fillImageRect(g, 0, 0, 50, 50, true, false);
    EXPECT_EQ(g.logText().find("drawImage"), std::string::npos);
    EXPECT_THROW(black.setPattern(11), std::invalid_argument);
    NxLineStyle line;
    EXPECT_THROW(line.setPattern(6), std::invalid_argument);
}

TEST(ChartFillTest, ImageTilesStayInsideTheBar) {
    NxFillStyle f(Color::red, NxFillStyle::SOLID);
    f.setImage(host::Image::createOffscreen(10, 10));
    host::RecordingGraphics g;
    f.fillImageRect(g, 0, 0, 20, 35, false, false);  // vertical bar, tiles downward from y + 1
    int tiles = 0;
    for (auto& l : g.log()) tiles += l.rfind("drawImage", 0) == 0;
    EXPECT_EQ(tiles, 4);  // y = 1, 11, 21, 31
}
