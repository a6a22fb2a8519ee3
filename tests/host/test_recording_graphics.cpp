// The recording Graphics: exact log lines and the state its getters report.
#include <gtest/gtest.h>

#include "host/graphics/Image.h"
#include "host/graphics/RecordingGraphics.h"

using namespace host;

using Lines = std::vector<std::string>;

TEST(RecordingGraphics, LogsEveryCallInItsFormat) {
    RecordingGraphics g;
    g.setColor(Color(255, 0, 0));
    g.setColor(Color(1, 2, 3, 4));
    g.setFont(Font("Helvetica", Font::BOLD, 12));
    g.translate(2, 3);
    g.clipRect(0, 0, 5, 5);
    g.setClip(1, 1, 2, 2);
    g.drawLine(1, 2, 3, 4);
    g.fillRect(0, 0, 10, 10);
    g.drawRect(1, 1, -2, 3);
    g.clearRect(0, 0, 1, 1);
    g.drawRoundRect(0, 0, 9, 9, 3, 4);
    g.fillRoundRect(0, 0, 9, 9, 3, 4);
    g.draw3DRect(1, 2, 3, 4, true);
    g.fill3DRect(1, 2, 3, 4, false);
    g.drawOval(0, 0, 4, 5);
    g.fillOval(0, 0, 4, 5);
    g.drawArc(0, 0, 4, 5, 30, -90);
    g.fillArc(0, 0, 4, 5, 30, 90);
    const int xs[] = {1, 2, 3}, ys[] = {4, 5, 6};
    g.drawPolyline(xs, ys, 3);
    g.drawPolygon(xs, ys, 3);
    g.fillPolygon(xs, ys, 2);
    g.drawString("Hi", 3, 12);
    g.copyArea(0, 0, 5, 5, 1, -1);
    g.setXORMode(Color::white);
    g.setPaintMode();
    g.setBackground(Color::gray);
    g.setAntialias(true);
    EXPECT_EQ(g.log(), (Lines{"setColor(255,0,0)",
                              "setColor(1,2,3,4)",
                              "setFont(Helvetica,1,12)",
                              "translate(2,3)",
                              "clipRect(0,0,5,5)",
                              "setClip(1,1,2,2)",
                              "drawLine(1,2,3,4)",
                              "fillRect(0,0,10,10)",
                              "drawRect(1,1,-2,3)",
                              "clearRect(0,0,1,1)",
                              "drawRoundRect(0,0,9,9,3,4)",
                              "fillRoundRect(0,0,9,9,3,4)",
                              "draw3DRect(1,2,3,4,true)",
                              "fill3DRect(1,2,3,4,false)",
                              "drawOval(0,0,4,5)",
                              "fillOval(0,0,4,5)",
                              "drawArc(0,0,4,5,30,-90)",
                              "fillArc(0,0,4,5,30,90)",
                              "drawPolyline([1,2,3],[4,5,6])",
                              "drawPolygon([1,2,3],[4,5,6])",
                              "fillPolygon([1,2],[4,5])",
                              "drawString(\"Hi\",3,12)",
                              "copyArea(0,0,5,5,1,-1)",
                              "setXORMode(255,255,255)",
                              "setPaintMode()",
                              "setBackground(128,128,128)",
                              "setAntialias(true)"}));
    g.clearLog();
    EXPECT_TRUE(g.log().empty());
}

TEST(RecordingGraphics, StringsAndImages) {
    RecordingGraphics g;
    g.drawString("say \"a\\b\"\n\x01", 0, 0);
    g.drawString("caf\xE9", 1, 1);  // a Latin-1 byte is not UTF-8
    g.drawPolyline(nullptr, nullptr, 3);
    auto img = Image::createOffscreen(16, 8);
    EXPECT_TRUE(g.drawImage(img, 3, 4));
    EXPECT_TRUE(g.drawImage(img.get(), 3, 4, Color::red));
    EXPECT_TRUE(g.drawImage(img.get(), 3, 4, 32, 16));
    EXPECT_TRUE(g.drawImage(img.get(), 0, 0, 8, 8, 0, 0, 16, 8));
    EXPECT_FALSE(g.drawImage(Image::failed("x"), 0, 0));
    EXPECT_FALSE(g.drawImage(static_cast<const Image*>(nullptr), 0, 0));
    EXPECT_EQ(g.log(), (Lines{"drawString(\"say \\\"a\\\\b\\\"\\n\\x01\",0,0)", "drawString(\"caf\xEF\xBF\xBD\",1,1)",
                              "drawPolyline([],[])", "drawImage(16x8,3,4)", "drawImage(16x8,3,4,bg(255,0,0))",
                              "drawImage(16x8,3,4,32,16)", "drawImage(16x8,0,0,8,8,0,0,16,8)",
                              "drawImage(error,0,0)", "drawImage(null,0,0)"}));
}

TEST(RecordingGraphics, CreateSharesTheLogAndCopiesState) {
    RecordingGraphics g;
    g.setColor(Color::blue);
    g.setFont(Font("Courier", Font::PLAIN, 10));
    g.translate(5, 5);
    auto child = g.create(10, 20, 30, 40);
    child->fillRect(1, 1, 2, 2);
    child->dispose();
    child->fillRect(9, 9, 9, 9);  // not logged after dispose
    EXPECT_EQ(g.log(), (Lines{"setColor(0,0,255)", "setFont(Courier,0,10)", "translate(5,5)", "create()",
                              "translate(10,20)", "clipRect(0,0,30,40)", "fillRect(1,1,2,2)", "dispose()"}));
    EXPECT_EQ(child->getColor(), Color::blue);
    EXPECT_EQ(child->getFont(), Font("Courier", Font::PLAIN, 10));
    EXPECT_EQ(g.getClipBounds(), std::nullopt);  // the parent keeps its own clip
}

TEST(RecordingGraphics, ClipStateFollowsTheRasterRules) {
    RecordingGraphics g(100, 50);
    g.translate(10, 10);
    g.clipRect(0, 0, 20, 20);
    g.clipRect(10, -5, 20, 10);
    EXPECT_EQ(*g.getClipBounds(), (Rectangle{10, 0, 10, 5}));
    g.setClip(-50, -50, 500, 500);  // replaced, within the device
    EXPECT_EQ(*g.getClipBounds(), (Rectangle{-10, -10, 100, 50}));
    auto child = g.create(5, 5, 10, 10);
    child->setClip(0, 0, 100, 100);  // cannot leave the create() area
    EXPECT_EQ(*child->getClipBounds(), (Rectangle{0, 0, 10, 10}));
    child->translate(2, 2);
    EXPECT_EQ(*child->getClipBounds(), (Rectangle{-2, -2, 10, 10}));

    RecordingGraphics unbounded;
    unbounded.setClip(-5, -5, 1000, 1000);
    EXPECT_EQ(*unbounded.getClipBounds(), (Rectangle{-5, -5, 1000, 1000}));
    unbounded.setAntialias(true);
    EXPECT_TRUE(unbounded.getAntialias());
    unbounded.setXORMode(Color::red);
    EXPECT_EQ(unbounded.getXORColor(), Color::red);
}
