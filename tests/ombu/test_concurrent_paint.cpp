// Two threads painting two double-buffered components at once: each thread uses
// its own shared image, and the pictures come out whole.
#include <gtest/gtest.h>

#include <thread>

#include "OmbuTestSupport.h"
#include "host/graphics/Image.h"
#include "ombu/OmbuUtil.h"

using namespace norvex::ombu;
using host::Color;
using ombutest::Drawing;
using ombutest::Probe;
using ombutest::ShownFrame;

TEST(ConcurrentPaintTest, TwoThreadsPaintTwoComponents) {
    OmbuUtil::createImage(nullptr, 1, 1);  // this thread's entry; finished threads' are dropped
    int before = OmbuUtil::sharedImageCount();

    ShownFrame f1(120, 80, Drawing::Raster), f2(90, 60, Drawing::Raster);
    auto p1 = f1.add(host::create<Probe>(nullptr, "p1"), 0, 0, 120, 80);
    auto p2 = f2.add(host::create<Probe>(nullptr, "p2"), 0, 0, 90, 60);
    p1->setBackground(Color::white);
    p2->setBackground(Color::white);
    f1.show();
    f2.show();

    auto work = [](std::shared_ptr<Probe> p, Color other) {
        for (int i = 0; i < 60; ++i) {
            p->setBackground(i % 2 ? other : Color::white);  // repaints at once
            p->repaint(i % 7, i % 5, 30, 20);
        }
        p->setBackground(Color::white);
    };
    std::thread t1(work, p1, Color::yellow), t2(work, p2, Color::cyan);
    t1.join();
    t2.join();
    EXPECT_GE(p1->paints, 61);  // both ran to the end
    EXPECT_GE(p2->paints, 61);

    auto buffer = f1.frame->getBuffer();
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->getPixel(60, 40), Color::white.argb());
    EXPECT_EQ(buffer->getPixel(2, 40), Color(140, 140, 140).argb());  // SHADOW_IN's dark band
    EXPECT_EQ(buffer->getPixel(117, 40), Color(200, 200, 200).argb());

    OmbuUtil::createImage(nullptr, 1, 1);
    EXPECT_EQ(OmbuUtil::sharedImageCount(), before);
}
