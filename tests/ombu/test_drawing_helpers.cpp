// Exact drawing of the shadow styles, 3-D and dashed rectangles and aligned
// values, on the recording graphics; and the small helpers of OmbuUtil.
#include <gtest/gtest.h>

#include "host/ui/Component.h"
#include "host/graphics/Image.h"
#include "host/graphics/RecordingGraphics.h"
#include "ombu/OmbuEnum.h"
#include "ombu/OmbuUtil.h"
#include "ombu/Shadow.h"
#include "util/NxVector.h"

using namespace norvex::ombu;
using host::Color;
using host::RecordingGraphics;
using Log = std::vector<std::string>;

namespace {

// Shadows on white: bright is (200, 200, 200), dark (140, 140, 140).
const char* B = "setColor(200,200,200)";
const char* D = "setColor(140,140,140)";

Log shadowLog(int type, int size, int x, int y, int w, int h) {
    RecordingGraphics g;
    g.setColor(Color(1, 2, 3));
    g.clearLog();
    Shadow::draw(g, type, size, x, y, w, h, Color::white, Color::blue);
    Log log = g.log();
    // The colour is restored last.
    EXPECT_FALSE(log.empty());
    if (!log.empty()) {
        EXPECT_EQ(log.back(), "setColor(1,2,3)");
        log.pop_back();
    }
    return log;
}

}  // namespace

TEST(ShadowTest, EtchedInOfThreeIsTwoOuterLinesAndOneInnerGroove) {
    Log expected = {D,
                    "drawLine(0,0,19,0)", "drawLine(0,1,0,9)", "drawLine(1,1,18,1)", "drawLine(1,2,1,8)",
                    B,
                    "drawLine(0,9,19,9)", "drawLine(19,0,19,9)", "drawLine(1,8,18,8)", "drawLine(18,1,18,8)",
                    // inner band: inset by 2, shrunk by 4, bright over dark
                    B, "drawLine(2,2,17,2)", "drawLine(2,3,2,7)",
                    D, "drawLine(2,7,17,7)", "drawLine(17,2,17,7)"};
    EXPECT_EQ(shadowLog(OmbuEnum::SHADOW_ETCHED_IN, 3, 0, 0, 20, 10), expected);
}

TEST(ShadowTest, EtchedOutOfTwoIsARidge) {
    Log expected = {B, "drawLine(5,5,14,5)", "drawLine(5,6,5,9)",
                    D, "drawLine(5,9,14,9)", "drawLine(14,5,14,9)",
                    D, "drawLine(6,6,13,6)", "drawLine(6,7,6,8)",
                    B, "drawLine(6,8,13,8)", "drawLine(13,6,13,8)"};
    EXPECT_EQ(shadowLog(OmbuEnum::SHADOW_ETCHED_OUT, 2, 5, 5, 10, 5), expected);
}

TEST(ShadowTest, InOutAndPlainUseOneBandOfTheGivenColours) {
    Log in = {D, "drawLine(0,0,9,0)", "drawLine(0,1,0,9)", "drawLine(1,1,8,1)", "drawLine(1,2,1,8)",
              B, "drawLine(0,9,9,9)", "drawLine(9,0,9,9)", "drawLine(1,8,8,8)", "drawLine(8,1,8,8)"};
    EXPECT_EQ(shadowLog(OmbuEnum::SHADOW_IN, 2, 0, 0, 10, 10), in);

    Log out = {B, "drawLine(0,0,9,0)", "drawLine(0,1,0,4)", D, "drawLine(0,4,9,4)", "drawLine(9,0,9,4)"};
    EXPECT_EQ(shadowLog(OmbuEnum::SHADOW_OUT, 1, 0, 0, 10, 5), out);

    Log plain = {"setColor(0,0,255)", "drawLine(0,0,9,0)", "drawLine(0,1,0,4)",
                 "setColor(0,0,255)", "drawLine(0,4,9,4)", "drawLine(9,0,9,4)"};
    EXPECT_EQ(shadowLog(OmbuEnum::SHADOW_PLAIN, 1, 0, 0, 10, 5), plain);
}

TEST(ShadowTest, FrameStylesDrawAPlainBandOverTheOuterLines) {
    Log frameIn = {D, "drawLine(0,0,9,0)", "drawLine(0,1,0,4)", "drawLine(1,1,8,1)", "drawLine(1,2,1,3)",
                   B, "drawLine(0,4,9,4)", "drawLine(9,0,9,4)", "drawLine(1,3,8,3)", "drawLine(8,1,8,3)",
                   "setColor(0,0,255)", "drawLine(0,0,9,0)", "drawLine(0,1,0,4)",
                   "setColor(0,0,255)", "drawLine(0,4,9,4)", "drawLine(9,0,9,4)"};
    EXPECT_EQ(shadowLog(OmbuEnum::SHADOW_FRAME_IN, 2, 0, 0, 10, 5), frameIn);
    Log frameOut = shadowLog(OmbuEnum::SHADOW_FRAME_OUT, 2, 0, 0, 10, 5);
    ASSERT_EQ(frameOut.size(), frameIn.size());
    EXPECT_EQ(frameOut[0], B);
    EXPECT_EQ(frameOut[5], D);
}

TEST(ShadowTest, ControlShadowInOfTwoLeavesTheOuterBottomAndRightUndrawn) {
    Log expected = {"setColor(0,0,0)", "drawLine(1,1,8,1)", "drawLine(1,2,1,4)",
                    B, "drawLine(1,4,8,4)", "drawLine(8,1,8,4)",
                    D, "drawLine(0,0,9,0)", "drawLine(0,1,0,5)"};
    Log log = shadowLog(OmbuEnum::CONTROL_SHADOW_IN, 2, 0, 0, 10, 6);
    EXPECT_EQ(log, expected);
    for (auto& l : log) {
        EXPECT_NE(l, "drawLine(0,5,9,5)");  // outermost bottom
        EXPECT_NE(l, "drawLine(9,0,9,5)");  // outermost right
    }
    // Other sizes fall back to the plain sunken style.
    EXPECT_EQ(shadowLog(OmbuEnum::CONTROL_SHADOW_IN, 3, 0, 0, 10, 6), shadowLog(OmbuEnum::SHADOW_IN, 3, 0, 0, 10, 6));
}

TEST(ShadowTest, ControlShadowOutOfTwo) {
    Log expected = {"setColor(255,255,255)", "drawLine(0,0,9,0)", "drawLine(0,1,0,5)",
                    "setColor(0,0,0)", "drawLine(0,5,9,5)", "drawLine(9,0,9,5)",
                    D, "drawLine(1,4,8,4)", "drawLine(8,1,8,4)"};
    EXPECT_EQ(shadowLog(OmbuEnum::CONTROL_SHADOW_OUT, 2, 0, 0, 10, 6), expected);
    EXPECT_EQ(shadowLog(OmbuEnum::CONTROL_SHADOW_OUT, 1, 0, 0, 10, 6), shadowLog(OmbuEnum::SHADOW_OUT, 1, 0, 0, 10, 6));
}

TEST(ShadowTest, NoneAndUnknownStylesDrawNothing) {
    for (int type : {OmbuEnum::SHADOW_NONE, -1, 10, 99}) EXPECT_TRUE(shadowLog(type, 2, 0, 0, 10, 10).empty()) << type;
}

TEST(ShadowTest, ThicknessFarBeyondTheClipDrawsOnlyWhatTheClipCanShow) {
    // A thickness read from a page may be anything: lines that lie wholly outside the
    // clip are skipped, so the visible result equals that of the largest thickness
    // that still reaches the clip, and the call ends.
    auto clipped = [](int type, int size) {
        RecordingGraphics g;
        g.setClip(0, 0, 20, 10);
        g.clearLog();
        Shadow::draw(g, type, size, 0, 0, 20, 10, Color::white, Color::blue);
        return g.log();
    };
    // One band: past 20 lines (the clip's width from x) nothing more can show.
    for (int type : {OmbuEnum::SHADOW_IN, OmbuEnum::SHADOW_OUT, OmbuEnum::SHADOW_PLAIN})
        EXPECT_EQ(clipped(type, 2000000000), clipped(type, 20)) << type;
    for (int type = OmbuEnum::SHADOW_ETCHED_IN; type <= OmbuEnum::CONTROL_SHADOW_OUT; ++type)
        EXPECT_LT(clipped(type, 2147483647).size(), 400u) << type;

    // A frame far to the left of or above the clip (a huge negative gap of a layout):
    // only the lines whose row or column reaches the clip are drawn.
    auto far = [](int x, int y) {
        RecordingGraphics g;
        g.setClip(0, 0, 20, 10);
        g.clearLog();
        Shadow::draw(g, OmbuEnum::SHADOW_PLAIN, 2147483647, x, y, 40, 30, Color::white, Color::blue);
        return std::count_if(g.log().begin(), g.log().end(),
                             [](const std::string& l) { return l.rfind("drawLine", 0) == 0; });
    };
    // Top band: rows 0..9 and columns 0..19 of the clip; bottom band: rows 0..9.
    EXPECT_EQ(far(-1000000000, 0), 2 * (10 + 20) + 2 * 10);
    EXPECT_LT(far(0, -2000000000), 200);
    EXPECT_LT(far(-2147483647, -2147483647), 200);
}

TEST(ColourRuleTest, WhiteAndBlackUseFixedColoursOthersTheHostRule) {
    EXPECT_EQ(OmbuUtil::brighter(Color::white), Color(200, 200, 200));
    EXPECT_EQ(OmbuUtil::darker(Color::white), Color(140, 140, 140));
    EXPECT_EQ(OmbuUtil::brighter(Color::black), Color(125, 125, 125));
    EXPECT_EQ(OmbuUtil::darker(Color::black), Color(75, 75, 75));
    Color grey(100, 100, 100);
    EXPECT_EQ(OmbuUtil::brighter(grey), grey.brighter());
    EXPECT_EQ(OmbuUtil::darker(grey), grey.darker());
}

TEST(Fill3DTest, RaisedAndSunkenRectangles) {
    RecordingGraphics g;
    g.setColor(Color::white);
    g.clearLog();
    OmbuUtil::fill3DRect(g, 0, 0, 10, 6, true);
    Log raised = {"fillRect(1,1,8,4)", B, "drawLine(0,0,0,5)", "drawLine(1,0,8,0)",
                  D, "drawLine(1,5,9,5)", "drawLine(9,0,9,4)", "setColor(255,255,255)"};
    EXPECT_EQ(g.log(), raised);

    g.clearLog();
    OmbuUtil::fill3DRect(g, 0, 0, 10, 6, false);
    Log sunken = {D, "fillRect(1,1,8,4)", D, "drawLine(0,0,0,5)", "drawLine(1,0,8,0)",
                  B, "drawLine(1,5,9,5)", "drawLine(9,0,9,4)", "setColor(255,255,255)"};
    EXPECT_EQ(g.log(), sunken);

    g.clearLog();
    OmbuUtil::fill3DEdgeRect(g, 0, 0, 12, 8, true);
    const Log& edge = g.log();
    ASSERT_GE(edge.size(), 3u);
    EXPECT_EQ(edge[0], "fillRect(2,2,8,4)");
    EXPECT_EQ(edge[edge.size() - 3], "setColor(0,0,0)");
    EXPECT_EQ(edge[edge.size() - 2], "drawRect(0,0,11,7)");
    EXPECT_EQ(edge.back(), "setColor(255,255,255)");
}

TEST(DashedTest, LinesAreTwoPixelDashesThreeApart) {
    RecordingGraphics g;
    OmbuUtil::drawDashedLine(g, 0, 5, 7, 5);
    EXPECT_EQ(g.log(), (Log{"drawLine(0,5,1,5)", "drawLine(3,5,4,5)", "drawLine(6,5,7,5)"}));

    g.clearLog();
    OmbuUtil::drawDashedLine(g, 2, 9, 2, 4);  // vertical, drawn from the lower end
    EXPECT_EQ(g.log(), (Log{"drawLine(2,4,2,5)", "drawLine(2,7,2,8)"}));

    g.clearLog();
    OmbuUtil::drawDashedLine(g, 3, 3, 3, 3);
    EXPECT_TRUE(g.log().empty());

    g.clearLog();
    OmbuUtil::drawDashedRect(g, 0, 0, 3, 3);
    EXPECT_EQ(g.log(), (Log{"drawLine(0,0,1,0)", "drawLine(3,0,3,1)", "drawLine(0,0,0,1)", "drawLine(0,3,1,3)"}));
}

TEST(DrawValueTest, TextLinesFollowTheNineAlignments) {
    host::Font font("Helvetica", host::Font::PLAIN, 12);
    auto fm = host::FontMetrics::get(font);
    int a = fm.getAscent(), lh = fm.getHeight();
    int wab = fm.stringWidth("ab"), wc = fm.stringWidth("c");
    host::Rectangle r{10, 20, 100, 60};
    auto drawn = [&](int alignment) {
        RecordingGraphics g;
        g.setFont(font);
        g.clearLog();
        OmbuUtil::draw(nullptr, g, host::Value("ab\nc"), alignment, r);
        return g.log();
    };
    auto at = [](const char* s, int x, int y) {
        return "drawString(\"" + std::string(s) + "\"," + std::to_string(x) + "," + std::to_string(y) + ")";
    };
    EXPECT_EQ(drawn(OmbuEnum::TOPLEFT), (Log{at("ab", 10, 20 + a), at("c", 10, 20 + a + lh)}));
    int midY = 20 + a + (60 - 2 * lh) / 2;
    EXPECT_EQ(drawn(OmbuEnum::MIDDLECENTER),
              (Log{at("ab", 10 + (100 - wab) / 2, midY), at("c", 10 + (100 - wc) / 2, midY + lh)}));
    int botY = 20 + a + 60 - 2 * lh;
    EXPECT_EQ(drawn(OmbuEnum::BOTTOMRIGHT), (Log{at("ab", 110 - wab, botY), at("c", 110 - wc, botY + lh)}));
}

TEST(DrawValueTest, TextInAnAreaAtTheIntLimitIsClampedNotWrapped) {
    // A drawing area pushed to the int limit by huge thicknesses or insets.
    host::Font font("Helvetica", host::Font::PLAIN, 12);
    RecordingGraphics g;
    g.setFont(font);
    g.clearLog();
    const int max = 2147483647;
    OmbuUtil::draw(nullptr, g, host::Value("ab\nc"), OmbuEnum::TOPRIGHT, host::Rectangle{max, max, 0, 0});
    OmbuUtil::draw(nullptr, g, host::Value("ab"), OmbuEnum::MIDDLECENTER, host::Rectangle{-max, -max, max, max});
    auto at = [](const char* s, int x, int y) {
        return "drawString(\"" + std::string(s) + "\"," + std::to_string(x) + "," + std::to_string(y) + ")";
    };
    auto fm = host::FontMetrics::get(font);
    int64_t midY = -int64_t(max) + fm.getAscent() + (int64_t(max) - fm.getHeight()) / 2;
    int64_t midX = -int64_t(max) + (int64_t(max) - fm.stringWidth("ab")) / 2;
    EXPECT_EQ(g.log(), (Log{at("ab", max - fm.stringWidth("ab"), max), at("c", max - fm.stringWidth("c"), max),
                            at("ab", int(midX), int(midY))}));
}

TEST(DrawValueTest, NullEmptyImagesAndVectors) {
    RecordingGraphics g;
    host::Rectangle r{3, 4, 50, 20};
    OmbuUtil::draw(nullptr, g, host::Value(), OmbuEnum::TOPLEFT, r);
    OmbuUtil::draw(nullptr, g, host::Value(""), OmbuEnum::TOPLEFT, r);
    EXPECT_TRUE(g.log().empty());

    auto img = host::Image::createOffscreen(7, 5);
    OmbuUtil::draw(nullptr, g, host::Value(img), OmbuEnum::BOTTOMRIGHT, r);
    EXPECT_EQ(g.log(), (Log{"drawImage(7x5,3,4)"}));
    EXPECT_EQ(OmbuUtil::getWidth(host::Value(img), nullptr), 7);
    EXPECT_EQ(OmbuUtil::getHeight(host::Value(img), nullptr), 5);

    // A vector is drawn by the first text among its elements.
    auto v = std::make_shared<norvex::util::NxVector>();
    v->add(host::Value());
    v->add(host::Value(42));
    v->add(host::Value("x"));
    EXPECT_EQ(OmbuUtil::toString(host::Value(v)), "42");
}

TEST(MeasureTest, WidthsHeightsAndLineCounts) {
    host::Font plain("Helvetica", host::Font::PLAIN, 12), italic("Helvetica", host::Font::ITALIC, 12);
    auto fm = host::FontMetrics::get(italic);
    EXPECT_EQ(OmbuUtil::getWidth(host::Value("abc"), nullptr, italic), fm.stringWidth("abc") + 5);
    EXPECT_EQ(OmbuUtil::stringWidth(fm, italic, "abc"), fm.stringWidth("abc") + 12 / 3 + 1);
    // Each line that ends in a newline adds 5 to the running maximum of an italic text.
    int wide = OmbuUtil::stringWidth(fm, italic, "wwww");
    EXPECT_EQ(OmbuUtil::getWidth(host::Value("wwww\ni"), nullptr, italic), wide + 5);
    auto pm = host::FontMetrics::get(plain);
    EXPECT_EQ(OmbuUtil::getWidth(host::Value("wwww\ni"), nullptr, plain), pm.stringWidth("wwww"));
    EXPECT_EQ(OmbuUtil::getHeight(host::Value("a\nb"), nullptr, plain), 2 * pm.getHeight());
    EXPECT_EQ(OmbuUtil::getWidth(host::Value(), nullptr, plain), 0);

    EXPECT_EQ(OmbuUtil::getNumLines(norvex::ombu::OptString("a\nb\n")), 3);
    EXPECT_EQ(OmbuUtil::getNumLines(norvex::ombu::OptString("")), 0);
    EXPECT_EQ(OmbuUtil::getNumLines(norvex::ombu::OptString()), 0);
    EXPECT_TRUE(OmbuUtil::startsWith(host::Value("apple"), 'A'));
    EXPECT_FALSE(OmbuUtil::startsWith(host::Value(""), 'A'));
}

TEST(AlignmentTest, Helpers) {
    for (int a = 0; a <= 8; ++a) {
        EXPECT_EQ(OmbuUtil::isTop(a), a <= 2);
        EXPECT_EQ(OmbuUtil::isMiddle(a), a >= 3 && a <= 5);
        EXPECT_EQ(OmbuUtil::isBottom(a), a >= 6);
        EXPECT_EQ(OmbuUtil::toHorizAlignment(a), a % 3);
    }
}

TEST(ListHelpersTest, CopyListNeverShortens) {
    std::vector<int> five{1, 2, 3, 4, 5};
    EXPECT_EQ(OmbuUtil::copyList(&five, 3, 0), five);
    EXPECT_EQ(OmbuUtil::copyList(&five, 7, 9), (std::vector<int>{1, 2, 3, 4, 5, 9, 9}));
    EXPECT_EQ(OmbuUtil::copyList(static_cast<const std::vector<bool>*>(nullptr), 2, true), (std::vector<bool>{true, true}));
    std::vector<host::Value> vals{host::Value("a")};
    auto out = OmbuUtil::copyList(&vals, 2, host::Value(1));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].asInt(), 1);
}

TEST(ListHelpersTest, CountCharAndIndexOfStayInRange) {
    EXPECT_EQ(OmbuUtil::countChar(std::string("a,b,,c"), ',', 0, 6), 3);
    EXPECT_EQ(OmbuUtil::countChar(std::string("a,b,,c"), ',', -5, 100), 3);  // clamped
    EXPECT_EQ(OmbuUtil::countChar(std::string("a,b"), ',', 3, 9), 0);
    EXPECT_EQ(OmbuUtil::countChar(norvex::ombu::OptString(), ',', 0, 3), 0);
    const char buf[] = "x,y,z";
    EXPECT_EQ(OmbuUtil::countChar(buf, 3, ',', 0, 5), 1);
    EXPECT_EQ(OmbuUtil::indexOf(buf, 5, 'z', 0), 4);
    EXPECT_EQ(OmbuUtil::indexOf(buf, 4, 'z', 0), -1);
}

TEST(InstanceOfTest, MatchesAnyPartOfAClassOrSuperclassName) {
    auto v = std::make_shared<norvex::util::NxVector>();
    EXPECT_TRUE(OmbuUtil::instanceOf(v.get(), "NxVector"));
    EXPECT_TRUE(OmbuUtil::instanceOf(v.get(), "host.Vector"));  // a superclass
    EXPECT_TRUE(OmbuUtil::instanceOf(v.get(), "Vec"));          // substring
    EXPECT_FALSE(OmbuUtil::instanceOf(v.get(), "NxString"));
    EXPECT_FALSE(OmbuUtil::instanceOf(static_cast<host::Object*>(nullptr), "Object"));
}

TEST(WallPaperTest, TilesColumnByColumnAndRefusesBrokenImages) {
    host::Canvas c;
    c.reshape(0, 0, 25, 12);
    RecordingGraphics g;
    auto tile = host::Image::createOffscreen(10, 5);
    EXPECT_TRUE(OmbuUtil::wallPaper(&c, g, tile));
    Log expected;
    for (int x : {0, 10, 20})
        for (int y : {0, 5, 10}) expected.push_back("drawImage(10x5," + std::to_string(x) + "," + std::to_string(y) + ")");
    EXPECT_EQ(g.log(), expected);
    g.clearLog();
    EXPECT_FALSE(OmbuUtil::wallPaper(&c, g, host::Image::failed("broken")));
    EXPECT_TRUE(g.log().empty());
}
