// Rotated chart text: the pixel turns of RotateFilter and a rotated title drawn
// from its transparent buffer.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "chart/NxChart.h"
#include "chart/base/ChartText.h"
#include "chart/base/RotateFilter.h"
#include "host/graphics/Image.h"

using namespace norvex::chart;

TEST(RotateFilterTest, QuarterTurnsMoveTheCornersAndSwapTheSize) {
    // 3 x 2: pixels numbered row by row.
    std::vector<uint32_t> px{1, 2, 3, 4, 5, 6};
    int w = 3, h = 2;
    auto ccw = RotateFilter(ChartText::DEG_90).filter(px, w, h);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(ccw, (std::vector<uint32_t>{3, 6, 2, 5, 1, 4}));  // the top-left corner goes to the bottom-left
    w = 3, h = 2;
    auto half = RotateFilter(ChartText::DEG_180).filter(px, w, h);
    EXPECT_EQ(half, (std::vector<uint32_t>{6, 5, 4, 3, 2, 1}));
    w = 3, h = 2;
    auto cw = RotateFilter(ChartText::DEG_270).filter(px, w, h);
    EXPECT_EQ(cw, (std::vector<uint32_t>{4, 1, 5, 2, 6, 3}));
    w = 0, h = 2;
    EXPECT_TRUE(RotateFilter(1).filter(px, w, h).empty());
}

TEST(RotatedTextTest, UpwardTextIsTallAndLeavesTheBackgroundAroundTheGlyphs) {
    ChartText t("Sales");
    t.setRotation(ChartText::DEG_90);
    t.reshape(0, 0, 20, 60);
    auto img = host::Image::createOffscreen(20, 60);
    auto g = img->getGraphics();
    g->setColor(host::Color::black);
    g->setFont(host::Font("SansSerif", host::Font::PLAIN, 12));
    t.draw(*g);
    g->dispose();
    int dark = 0, rowsWithInk = 0;
    for (int y = 0; y < 60; ++y) {
        bool ink = false;
        for (int x = 0; x < 20; ++x)
            if ((img->getPixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++dark, ink = true;
        rowsWithInk += ink;
    }
    EXPECT_GT(dark, 20);
    EXPECT_GT(rowsWithInk, 20);                                 // the word runs down the image
    EXPECT_EQ(img->getPixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);       // the white below shows through
}

TEST(ChartSnapshotTest, APictureOfTheChartAsLaidOut) {
    auto c = host::create<NxChart>();
    c->setBackground(host::Color::white);
    c->reshape(0, 0, 120, 80);
    auto img = c->snapshot();
    ASSERT_FALSE(img->hasError());
    EXPECT_EQ(img->getWidth(), 120);
    EXPECT_EQ(img->getHeight(), 80);
}
