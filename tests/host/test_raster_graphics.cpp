// Pixel read-back checks of the raster Graphics: the classic pixel rules, clipping,
// translation, copyArea, polygon ties, XOR, text, images and degenerate input.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "host/graphics/FontEngine.h"
#include "host/graphics/Image.h"
#include "host/graphics/RasterGraphics.h"

using namespace host;

namespace {

using PixelSet = std::set<std::pair<int, int>>;
constexpr uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;

struct Canvas {
    ImagePtr img;
    std::unique_ptr<RasterGraphics> g;
    explicit Canvas(int w = 40, int h = 40) : img(Image::createOffscreen(w, h)), g(std::make_unique<RasterGraphics>(img)) {
        g->setColor(Color::black);
    }
    PixelSet ink() const {
        PixelSet s;
        for (int y = 0; y < img->getHeight(); ++y)
            for (int x = 0; x < img->getWidth(); ++x)
                if (img->getPixel(x, y) != kWhite) s.insert({x, y});
        return s;
    }
    std::vector<uint32_t> pixels() const { return img->getARGB(); }
};

PixelSet rect(int x, int y, int w, int h) {
    PixelSet s;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) s.insert({i, j});
    return s;
}

PixelSet clipped(const PixelSet& s, int x0, int y0, int x1, int y1) {
    PixelSet r;
    for (auto p : s)
        if (p.first >= x0 && p.first < x1 && p.second >= y0 && p.second < y1) r.insert(p);
    return r;
}

// The reference line: the integer-error Bresenham, unclipped.
PixelSet refLine(int x1, int y1, int x2, int y2) {
    PixelSet s;
    int64_t dx = std::llabs(int64_t(x2) - x1), dy = std::llabs(int64_t(y2) - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int64_t err = dx - dy;
    int x = x1, y = y1;
    for (;;) {
        s.insert({x, y});
        if (x == x2 && y == y2) break;
        int64_t e2 = 2 * err;
        if (e2 > -dy) err -= dy, x += sx;
        if (e2 < dx) err += dx, y += sy;
    }
    return s;
}

// The reference fill: a pixel is inside when an odd number of edges cross its row's
// centre line at or left of its centre (exact rational comparison).
PixelSet refPolygon(const std::vector<int>& xs, const std::vector<int>& ys, int w, int h) {
    PixelSet s;
    const int n = int(xs.size());
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int count = 0;
            for (int e = 0; e < n; ++e) {
                int64_t xa = xs[e], ya = ys[e], xb = xs[(e + 1) % n], yb = ys[(e + 1) % n];
                if ((ya <= j) == (yb <= j)) continue;
                // x = xa + (2(j-ya)+1)(xb-xa) / (2(yb-ya)) <= i + 0.5
                int64_t num = (2 * (j - ya) + 1) * (xb - xa), den = 2 * (yb - ya);
                if (den < 0) num = -num, den = -den;
                if (2 * (xa * den + num) <= (2 * i + 1) * den) ++count;
            }
            if (count % 2) s.insert({i, j});
        }
    return s;
}

}  // namespace

TEST(RasterGraphics, OffscreenStartsOpaqueWhite) {
    Canvas c(5, 3);
    EXPECT_TRUE(c.ink().empty());
    EXPECT_EQ(c.img->getPixel(4, 2), kWhite);
    EXPECT_EQ(c.img->getPixel(5, 0), 0u);  // outside
}

TEST(RasterGraphics, ClassicRectangleAndLineRules) {
    {
        Canvas c;
        c.g->fillRect(2, 3, 4, 5);
        EXPECT_EQ(c.ink(), rect(2, 3, 4, 5));
    }
    {
        Canvas c;
        c.g->drawRect(2, 3, 4, 5);  // outline of 5 x 6
        PixelSet want = rect(2, 3, 5, 6);
        for (auto p : rect(3, 4, 3, 4)) want.erase(p);
        EXPECT_EQ(c.ink(), want);
    }
    {
        Canvas c;
        c.g->drawRect(2, 3, 0, 4);  // degenerate: a vertical line of 5
        EXPECT_EQ(c.ink(), rect(2, 3, 1, 5));
    }
    {
        Canvas c;
        c.g->drawLine(5, 7, 1, 7);  // both end points
        EXPECT_EQ(c.ink(), rect(1, 7, 5, 1));
        c.g->drawLine(9, 9, 9, 9);
        EXPECT_TRUE(c.ink().count({9, 9}));
    }
    {
        Canvas c;
        c.g->fillRect(5, 5, -3, 4);
        c.g->fillRect(5, 5, 3, 0);
        c.g->drawRect(5, 5, -1, 3);
        c.g->drawOval(5, 5, -4, 4);
        c.g->fillOval(5, 5, 4, -4);
        c.g->fillRoundRect(5, 5, -2, 4, 2, 2);
        c.g->fillArc(5, 5, 4, 0, 0, 90);
        EXPECT_TRUE(c.ink().empty());
    }
}

TEST(RasterGraphics, SlopedLinesFollowBresenhamAndClipExactly) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-30, 70);
    for (int k = 0; k < 300; ++k) {
        int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        Canvas c;
        c.g->drawLine(x1, y1, x2, y2);
        ASSERT_EQ(c.ink(), clipped(refLine(x1, y1, x2, y2), 0, 0, 40, 40))
            << x1 << "," << y1 << " -> " << x2 << "," << y2;
    }
    // A line far outside on both ends still gives exactly the visible pixels.
    Canvas c;
    c.g->drawLine(-200000, -3001, 200000, 3043);
    EXPECT_EQ(c.ink(), clipped(refLine(-200000, -3001, 200000, 3043), 0, 0, 40, 40));
    EXPECT_FALSE(c.ink().empty());
    c.g->drawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // must return promptly and not crash
}

TEST(RasterGraphics, PolylineAndPolygonOutline) {
    const int xs[] = {2, 20, 30, 5}, ys[] = {3, 9, 30, 25};
    Canvas c;
    c.g->drawPolygon(xs, ys, 4);
    PixelSet want;
    for (int i = 0; i < 4; ++i)
        for (auto p : refLine(xs[i], ys[i], xs[(i + 1) % 4], ys[(i + 1) % 4])) want.insert(p);
    EXPECT_EQ(c.ink(), want);

    // XOR must not flip a shared vertex twice.
    Canvas x;
    x.g->setXORMode(Color::white);
    x.g->drawPolyline(xs, ys, 4);
    PixelSet line;
    for (int i = 0; i < 3; ++i)
        for (auto p : refLine(xs[i], ys[i], xs[i + 1], ys[i + 1])) line.insert(p);
    EXPECT_EQ(x.ink(), line);
}

TEST(RasterGraphics, PolygonFillIsExactIncludingTies) {
    {
        Canvas c;  // a square with integer corners covers exactly its w x h pixels
        const int xs[] = {3, 9, 9, 3}, ys[] = {4, 4, 10, 10};
        c.g->fillPolygon(xs, ys, 4);
        EXPECT_EQ(c.ink(), rect(3, 4, 6, 6));
    }
    {
        // A diamond whose 45-degree edges pass through pixel centres: centres on a left
        // edge are inside, those on a right edge outside.
        Canvas c;
        const int xs[] = {10, 20, 10, 0}, ys[] = {0, 10, 20, 10};
        c.g->fillPolygon(xs, ys, 4);
        EXPECT_EQ(c.ink(), refPolygon({10, 20, 10, 0}, {0, 10, 20, 10}, 40, 40));
        EXPECT_TRUE(c.ink().count({9, 0}));    // row 0: centre y .5 hits x 9.5 and 10.5
        EXPECT_FALSE(c.ink().count({10, 0}));
    }
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-5, 45), count(3, 7);
    for (int k = 0; k < 150; ++k) {
        std::vector<int> xs, ys;
        for (int i = count(rng); i > 0; --i) xs.push_back(coord(rng)), ys.push_back(coord(rng));
        Canvas c;
        c.g->fillPolygon(xs.data(), ys.data(), int(xs.size()));
        ASSERT_EQ(c.ink(), refPolygon(xs, ys, 40, 40)) << "case " << k;
    }
}

TEST(RasterGraphics, TranslateAndClip) {
    Canvas c;
    c.g->translate(10, 5);
    c.g->fillRect(0, 0, 3, 3);
    EXPECT_EQ(c.ink(), rect(10, 5, 3, 3));
    EXPECT_EQ(c.g->getClipBounds(), std::nullopt);

    Canvas d;
    d.g->clipRect(5, 5, 10, 10);
    d.g->clipRect(10, 0, 20, 12);  // intersects
    ASSERT_TRUE(d.g->getClipBounds());
    EXPECT_EQ(*d.g->getClipBounds(), (Rectangle{10, 5, 5, 7}));
    d.g->fillRect(0, 0, 40, 40);
    EXPECT_EQ(d.ink(), rect(10, 5, 5, 7));

    Canvas e;
    e.g->clipRect(0, 0, 5, 5);
    e.g->setClip(20, 20, 100, 100);  // replaces, but stays on the device
    EXPECT_EQ(*e.g->getClipBounds(), (Rectangle{20, 20, 20, 20}));
    e.g->translate(20, 20);
    EXPECT_EQ(*e.g->getClipBounds(), (Rectangle{0, 0, 20, 20}));  // in the context's coordinates
}

TEST(RasterGraphics, ChildContextIsBoundedByItsArea) {
    Canvas c;
    auto child = c.g->create(10, 10, 8, 6);
    child->setClip(-100, -100, 1000, 1000);  // cannot leave the area
    EXPECT_EQ(*child->getClipBounds(), (Rectangle{0, 0, 8, 6}));
    child->fillRect(-5, -5, 100, 100);
    EXPECT_EQ(c.ink(), rect(10, 10, 8, 6));

    // The parent is unchanged; nested areas intersect.
    EXPECT_EQ(c.g->getClipBounds(), std::nullopt);
    auto grand = child->create(4, 4, 10, 10);
    EXPECT_EQ(*grand->getClipBounds(), (Rectangle{0, 0, 4, 2}));
    // A plain create() copies the state but may widen its clip up to the device.
    c.g->clipRect(0, 0, 2, 2);
    auto copy = c.g->create();
    copy->setClip(0, 0, 30, 30);
    EXPECT_EQ(*copy->getClipBounds(), (Rectangle{0, 0, 30, 30}));
    // An empty clip draws nothing.
    Canvas e;
    e.g->clipRect(5, 5, 0, 10);
    e.g->fillRect(0, 0, 40, 40);
    e.g->drawLine(0, 0, 39, 30);
    EXPECT_TRUE(e.ink().empty());
}

TEST(RasterGraphics, CopyAreaInEveryDirection) {
    const int W = 24, H = 20;
    std::vector<uint32_t> pattern(W * H);
    for (int i = 0; i < W * H; ++i) pattern[i] = 0xFF000000u | uint32_t(i * 2654435761u & 0xFFFFFF);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (!dx && !dy) continue;
            auto img = Image::fromARGB(W, H, pattern.data(), 0, W);
            RasterGraphics g(img);
            const int sx = 3, sy = 4, w = 15, h = 11, mx = 3 * dx, my = 2 * dy;
            g.copyArea(sx, sy, w, h, mx, my);
            std::vector<uint32_t> want = pattern;
            for (int y = sy; y < sy + h; ++y)
                for (int x = sx; x < sx + w; ++x) want[(y + my) * W + x + mx] = pattern[y * W + x];
            ASSERT_EQ(img->getARGB(), want) << "dx=" << mx << " dy=" << my;
        }
    // Source outside the surface is not copied; the destination is clipped.
    auto img = Image::fromARGB(W, H, pattern.data(), 0, W);
    RasterGraphics g(img);
    g.clipRect(0, 0, 10, 10);
    g.copyArea(-5, 0, 10, 30, 8, 0);
    std::vector<uint32_t> want = pattern;
    for (int y = 0; y < 10; ++y)
        for (int x = 8; x < 10; ++x) want[y * W + x] = pattern[y * W + x - 8];
    EXPECT_EQ(img->getARGB(), want);
}

TEST(RasterGraphics, TranslucentColoursArePremultiplied) {
    Canvas c(4, 4);
    c.g->setColor(Color(128, 128, 128, 128));
    c.g->fillRect(0, 0, 2, 2);   // through Cairo
    c.g->drawLine(0, 3, 3, 2);   // through our own pixel loop
    for (auto p : {std::pair{0, 0}, std::pair{0, 3}}) {
        const uint32_t v = c.img->getPixel(p.first, p.second);
        EXPECT_EQ(v >> 24, 255u);
        EXPECT_NEAR(int(v & 0xFF), 191, 1);
    }
    // A translucent image keeps its colour through premultiplication and back.
    const uint32_t px[] = {0x80FF0000u, 0x00123456u, 0xFF00FF00u, 0x40404040u};
    auto img = Image::fromARGB(2, 2, px, 0, 2);
    EXPECT_EQ(img->getPixel(0, 0), 0x80FF0000u);
    EXPECT_EQ(img->getPixel(1, 0), 0u);  // colour is lost at alpha 0
    EXPECT_EQ(img->getPixel(0, 1), 0xFF00FF00u);
    EXPECT_EQ(img->getPixel(1, 1), 0x40404040u);
}

TEST(RasterGraphics, OvalsAndArcs) {
    {
        Canvas c;
        c.g->drawOval(5, 6, 20, 12);  // bounding box (w+1) x (h+1)
        const PixelSet s = c.ink();
        ASSERT_FALSE(s.empty());
        int x0 = 99, y0 = 99, x1 = -1, y1 = -1;
        for (auto p : s) x0 = std::min(x0, p.first), x1 = std::max(x1, p.first), y0 = std::min(y0, p.second), y1 = std::max(y1, p.second);
        EXPECT_EQ(x0, 5);
        EXPECT_EQ(x1, 25);
        EXPECT_EQ(y0, 6);
        EXPECT_EQ(y1, 18);
        EXPECT_FALSE(s.count({15, 12}));  // hollow
    }
    {
        Canvas c;
        c.g->fillOval(5, 6, 20, 12);  // stays inside the w x h box
        for (auto p : c.ink()) {
            EXPECT_GE(p.first, 5);
            EXPECT_LT(p.first, 25);
            EXPECT_GE(p.second, 6);
            EXPECT_LT(p.second, 18);
        }
        EXPECT_TRUE(c.ink().count({15, 12}));
    }
    {
        // 0..90 degrees, counter-clockwise: the upper-right quadrant.
        Canvas c;
        c.g->fillArc(0, 0, 40, 40, 0, 90);
        const PixelSet s = c.ink();
        ASSERT_GT(s.size(), 200u);
        for (auto p : s) {
            EXPECT_GE(p.first, 19);
            EXPECT_LE(p.second, 20);
        }
        Canvas d;
        d.g->drawArc(0, 0, 40, 40, 90, -90);  // the same quarter, drawn the other way round
        for (auto p : d.ink()) {
            EXPECT_GE(p.first, 19);
            EXPECT_LE(p.second, 21);
        }
        EXPECT_FALSE(d.ink().empty());
    }
    {
        // A degenerate oval is a line; a zero-height filled oval is nothing; and neither
        // spoils later drawing.
        Canvas c;
        c.g->drawOval(3, 4, 0, 5);
        c.g->fillOval(10, 4, 5, 0);
        c.g->drawArc(20, 4, 6, 0, 0, 180);
        c.g->fillRect(30, 30, 2, 2);
        PixelSet want = rect(3, 4, 1, 6);
        for (auto p : rect(20, 4, 7, 1)) want.insert(p);
        for (auto p : rect(30, 30, 2, 2)) want.insert(p);
        EXPECT_EQ(c.ink(), want);
    }
}

TEST(RasterGraphics, ArcAnglesAreRelativeToTheBox) {
    // 45 degrees lies on the line from the centre to the box's upper-right corner:
    // (136.6, 8.8) in a 160 x 60 box, where a circular 45 degrees would give (108, 2).
    Canvas c(170, 70);
    c.g->fillArc(0, 0, 160, 60, 0, 45);
    const PixelSet s = c.ink();
    ASSERT_FALSE(s.empty());
    int top = 99;
    for (auto p : s) top = std::min(top, p.second);
    EXPECT_EQ(top, 9);
    for (auto p : s)
        if (p.second == top) {
            EXPECT_GE(p.first, 132);
            EXPECT_LE(p.first, 140);
        }

    // A negative start counts clockwise: -90 .. 0 is the lower-right quadrant.
    Canvas d;
    d.g->drawArc(0, 0, 40, 40, -90, 90);
    ASSERT_FALSE(d.ink().empty());
    for (auto p : d.ink()) {
        EXPECT_GE(p.first, 19);
        EXPECT_GE(p.second, 19);
    }
}

TEST(RasterGraphics, EllipsesBeyondCairosRangeAreStillDrawn) {
    // Cairo's fixed-point coordinates end near 8 million pixels; larger ovals, arcs and
    // round rectangles are sampled over the visible part instead of being dropped.
    const int R = 5000000;
    {
        Canvas c;
        c.g->fillOval(20 - R, 20 - R, 2 * R, 2 * R);  // covers the whole canvas
        EXPECT_EQ(c.ink(), rect(0, 0, 40, 40));
    }
    {
        Canvas c;
        c.g->drawOval(20 - R, 20, 2 * R, 2 * R);  // its top is row 20, flat across the canvas
        EXPECT_EQ(c.ink(), rect(0, 20, 40, 1));
    }
    {
        Canvas c;
        c.g->fillArc(20 - R, 20 - R, 2 * R, 2 * R, 0, 90);
        EXPECT_EQ(c.ink(), rect(20, 0, 20, 20));
        Canvas d;
        d.g->fillArc(20 - R, 20 - R, 2 * R, 2 * R, -90, 90);
        EXPECT_EQ(d.ink(), rect(20, 20, 20, 20));
        Canvas e;
        e.g->fillArc(20 - R, 20 - R, 2 * R, 2 * R, 90, -90);  // the same quadrant as c, the other way
        EXPECT_EQ(e.ink(), rect(20, 0, 20, 20));
    }
    {
        Canvas c;
        c.g->fillRoundRect(-R, -R, 2 * R, 2 * R, 40, 40);  // its corners lie far outside
        EXPECT_EQ(c.ink(), rect(0, 0, 40, 40));
        Canvas d;
        d.g->drawRoundRect(-R, 20, 2 * R, 2 * R, 40, 40);  // the straight top edge
        EXPECT_EQ(d.ink(), rect(0, 20, 40, 1));
        Canvas e;
        e.g->fillRoundRect(0, 0, 2 * R, 2 * R, 40, 40);  // a corner of radius 20 at (20, 20)
        const PixelSet s = e.ink();
        EXPECT_FALSE(s.count({0, 0}));
        EXPECT_FALSE(s.count({4, 4}));
        EXPECT_TRUE(s.count({6, 6}));
        EXPECT_TRUE(s.count({0, 20}));
        EXPECT_TRUE(s.count({20, 0}));
        EXPECT_FALSE(s.count({0, 19 - 5}));
        EXPECT_EQ(clipped(s, 20, 0, 40, 40), rect(20, 0, 20, 40));  // past the corner: all filled
    }
    {
        // Translation and clip apply as for every shape.
        Canvas c;
        c.g->translate(-R, 0);
        c.g->clipRect(R, 0, 10, 40);
        c.g->drawArc(20, 20, 2 * R, 2 * R, 60, 60);  // the top of the circle lies in the arc
        EXPECT_EQ(c.ink(), rect(0, 20, 10, 1));
    }
}

TEST(RasterGraphics, ThreeDRectsUseBrighterAndDarker) {
    Canvas c;
    const Color base(100, 100, 100);
    c.g->setColor(base);
    c.g->fill3DRect(2, 2, 10, 8, true);
    EXPECT_EQ(c.img->getPixel(2, 2), base.brighter().argb());
    EXPECT_EQ(c.img->getPixel(11, 9), base.darker().argb());
    EXPECT_EQ(c.img->getPixel(5, 5), base.argb());
    EXPECT_EQ(c.g->getColor(), base);
    c.g->draw3DRect(20, 20, 6, 6, false);
    EXPECT_EQ(c.img->getPixel(20, 20), base.darker().argb());
    EXPECT_EQ(c.img->getPixel(26, 26), base.brighter().argb());
}

TEST(RasterGraphics, ClearRectUsesTheBackground) {
    Canvas c;
    c.g->fillRect(0, 0, 40, 40);
    c.g->clearRect(2, 2, 3, 3);
    EXPECT_EQ(c.img->getPixel(3, 3), kWhite);
    c.g->setBackground(Color::red);
    c.g->setXORMode(Color::white);  // clearRect ignores XOR
    c.g->clearRect(10, 10, 2, 2);
    EXPECT_EQ(c.img->getPixel(10, 10), Color::red.argb());
    EXPECT_EQ(c.img->getPixel(12, 12), kBlack);
}

TEST(RasterGraphics, XorTwiceRestores) {
    Canvas c;
    c.g->setColor(Color::blue);
    c.g->fillRect(0, 0, 20, 40);
    const auto before = c.pixels();
    c.g->setColor(Color::red);
    c.g->setXORMode(Color::white);
    for (int pass = 0; pass < 2; ++pass) {
        c.g->fillRect(5, 5, 20, 10);
        c.g->drawRect(3, 3, 30, 30);
        c.g->drawLine(0, 0, 39, 17);
        const int xs[] = {1, 30, 15}, ys[] = {30, 35, 2};
        c.g->fillPolygon(xs, ys, 3);
        c.g->drawPolygon(xs, ys, 3);
        c.g->fillOval(8, 8, 20, 14);
        c.g->drawArc(4, 4, 30, 30, 10, 200);
        c.g->fillRoundRect(2, 20, 30, 15, 8, 8);
        c.g->setFont(Font("Helvetica", Font::BOLD, 14));
        c.g->drawString("XOR", 5, 30);
        if (pass == 0) {
            // Over white, red XOR white gives red: white ^ (red ^ white).
            EXPECT_EQ(c.img->getPixel(22, 6), Color::red.argb());
            EXPECT_EQ(c.img->getPixel(10, 6), 0xFF000000u | (Color::blue.argb() ^ Color::red.argb() ^ 0x00FFFFFFu));
            EXPECT_NE(c.pixels(), before);
        }
    }
    EXPECT_EQ(c.pixels(), before);
    c.g->setPaintMode();
    c.g->fillRect(0, 0, 1, 1);
    EXPECT_EQ(c.img->getPixel(0, 0), Color::red.argb());
}

TEST(RasterGraphics, DrawStringPutsInkAroundTheBaseline) {
    Canvas c(80, 30);
    c.g->setFont(Font("Helvetica", Font::PLAIN, 12));
    c.g->drawString("H", 10, 20);
    PixelSet s = c.ink();
    ASSERT_FALSE(s.empty());
    int y0 = 99, y1 = -1, x0 = 99;
    for (auto p : s) {
        y0 = std::min(y0, p.second), y1 = std::max(y1, p.second), x0 = std::min(x0, p.first);
        EXPECT_EQ(c.img->getPixel(p.first, p.second), kBlack);  // mono: two colours only
    }
    EXPECT_EQ(y1, 19);  // sits on the row above the baseline
    EXPECT_EQ(y0, 11);
    EXPECT_GE(x0, 10);

    Canvas d(80, 30);
    d.g->setFont(Font("Helvetica", Font::PLAIN, 12));
    d.g->drawString("g", 10, 20);
    int gy = -1;
    for (auto p : d.ink()) gy = std::max(gy, p.second);
    EXPECT_GT(gy, 20);  // the descender goes below the baseline

    // The drawn width is the measured width.
    Canvas e(200, 30);
    e.g->setFont(Font("Helvetica", Font::PLAIN, 12));
    const auto fm = FontMetrics::get(Font("Helvetica", Font::PLAIN, 12));
    e.g->drawString("Hello", 0, 20);
    e.g->drawString("H", fm.stringWidth("Hell") + 100, 20);
    Canvas f(200, 30);
    f.g->setFont(Font("Helvetica", Font::PLAIN, 12));
    f.g->drawString("Hello", 0, 20);
    f.g->drawString("H", 100, 20);
    PixelSet ee, ff;
    for (auto p : e.ink()) if (p.first >= 100) ee.insert({p.first - fm.stringWidth("Hell"), p.second});
    for (auto p : f.ink()) if (p.first >= 100) ff.insert(p);
    EXPECT_EQ(ee, ff);
}

TEST(RasterGraphics, InvalidUtf8AndDegenerateInputDoNotStopLaterDrawing) {
    Canvas c;
    c.g->drawString(std::string("caf\xE9 \xC3", 6), 2, 15);
    c.g->drawString(std::string("\xFF\xFE", 2), 2, 30);
    c.g->drawOval(1, 1, 0, 0);
    c.g->fillArc(1, 1, 0, 5, 0, 400);
    c.g->drawRoundRect(1, 1, 10, 10, INT_MAX, -5);
    c.g->drawArc(0, 0, 10, 10, INT_MIN, INT_MAX);
    c.g->drawString("", 0, 0);
    c.g->drawOval(INT_MAX - 2, INT_MAX - 2, 10, 10);
    c.g->fillOval(-100000000, -100000000, 200000000, 200000000);
    c.g->drawPolyline(nullptr, nullptr, 5);
    c.g->fillPolygon(nullptr, nullptr, -1);
    Canvas ref;
    ref.g->drawString(std::string("caf\xE9 \xC3", 6), 2, 15);
    ref.g->drawString(std::string("\xFF\xFE", 2), 2, 30);
    EXPECT_FALSE(ref.ink().empty());  // replacement characters were drawn
    c.g->setColor(Color::red);
    c.g->fillRect(35, 35, 2, 2);
    EXPECT_EQ(c.img->getPixel(36, 36), Color::red.argb());
}

TEST(RasterGraphics, DrawImage) {
    std::vector<uint32_t> px(6 * 4);
    for (int i = 0; i < 24; ++i) px[i] = 0xFF000000u | uint32_t(i * 0x0A0B0C);
    auto src = Image::fromARGB(6, 4, px.data(), 0, 6);
    {
        Canvas c;
        EXPECT_TRUE(c.g->drawImage(src, 3, 5));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) ASSERT_EQ(c.img->getPixel(3 + x, 5 + y), px[y * 6 + x]);
        EXPECT_EQ(c.img->getPixel(2, 5), kWhite);
        EXPECT_EQ(c.img->getPixel(9, 5), kWhite);
    }
    {
        Canvas c;  // scaled x2 with nearest neighbours
        EXPECT_TRUE(c.g->drawImage(src.get(), 0, 0, 12, 8));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x) ASSERT_EQ(c.img->getPixel(x, y), px[(y / 2) * 6 + x / 2]);
    }
    {
        Canvas c;  // source sub-rectangle, mirrored horizontally
        EXPECT_TRUE(c.g->drawImage(src.get(), 10, 0, 7, 2, 1, 1, 4, 3));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) ASSERT_EQ(c.img->getPixel(9 - x, y), px[(1 + y) * 6 + 1 + x]);
        EXPECT_EQ(c.img->getPixel(10, 0), kWhite);
    }
    {
        Canvas c;  // translucent image over a background colour
        const uint32_t clear[] = {0x00000000u, 0xFF0000FFu};
        auto t = Image::fromARGB(2, 1, clear, 0, 2);
        EXPECT_TRUE(c.g->drawImage(t.get(), 1, 1, Color::green));
        EXPECT_EQ(c.img->getPixel(1, 1), Color::green.argb());
        EXPECT_EQ(c.img->getPixel(2, 1), 0xFF0000FFu);
    }
    {
        Canvas c;  // broken and missing images draw nothing
        EXPECT_FALSE(c.g->drawImage(Image::failed("broken"), 0, 0));
        EXPECT_FALSE(c.g->drawImage(static_cast<const Image*>(nullptr), 0, 0));
        EXPECT_FALSE(c.g->drawImage(nullptr, 0, 0, Color::red));
        EXPECT_TRUE(c.ink().empty());
    }
    {
        // Drawing an image onto itself reads the pixels from before the call.
        auto img = Image::fromARGB(6, 4, px.data(), 0, 6);
        RasterGraphics g(img);
        g.drawImage(img, 1, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 1; x < 6; ++x) ASSERT_EQ(img->getPixel(x, y), px[y * 6 + x - 1]);
    }
}

TEST(RasterGraphics, DisposedContextDoesNothing) {
    Canvas c;
    auto child = c.g->create();
    child->dispose();
    child->fillRect(0, 0, 10, 10);
    child->drawLine(0, 0, 10, 10);
    child->drawString("x", 5, 5);
    child->copyArea(0, 0, 5, 5, 1, 1);
    EXPECT_TRUE(child->drawImage(Image::createOffscreen(2, 2), 0, 0));
    auto again = child->create();
    again->fillRect(0, 0, 10, 10);
    child->dispose();
    EXPECT_TRUE(c.ink().empty());
    c.g->fillRect(0, 0, 1, 1);  // the parent still works
    EXPECT_EQ(c.ink(), rect(0, 0, 1, 1));
    // A context on a failed image is inert.
    RasterGraphics broken(Image::failed("none"));
    broken.fillRect(0, 0, 5, 5);
    EXPECT_EQ(broken.getClipBounds(), std::nullopt);
}

TEST(RasterGraphics, AntialiasedModeDrawsSmoothEdges) {
    Canvas c;
    c.g->setAntialias(true);
    EXPECT_TRUE(c.g->getAntialias());
    c.g->fillOval(5, 5, 25, 17);
    c.g->drawLine(0, 39, 39, 25);
    bool grey = false;
    for (uint32_t v : c.pixels())
        if (v != kWhite && v != kBlack) grey = true;
    EXPECT_TRUE(grey);
    c.g->fillRect(0, 0, 3, 3);  // rectangles stay exact
    EXPECT_EQ(c.img->getPixel(2, 2), kBlack);
    EXPECT_EQ(c.img->getPixel(3, 3), kWhite);
}

TEST(RasterGraphics, AnyCompleteImageCanBeDrawnOn) {
    const uint32_t px[] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    auto img = Image::fromARGB(2, 2, px, 0, 2);
    auto g = img->getGraphics();
    ASSERT_TRUE(g);
    g->setColor(Color(0, 0, 0, 128));
    g->drawLine(0, 0, 1, 1);
    EXPECT_NEAR(int(img->getPixel(1, 1) & 0xFF), 127, 1);
    EXPECT_EQ(Image::failed("x")->getGraphics(), nullptr);
}
