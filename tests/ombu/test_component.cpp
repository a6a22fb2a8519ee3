// The component and container base: preferred sizes, drawing areas, the paint
// pipeline, synchronous repainting, the input bridge and page parameters.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "OmbuTestSupport.h"
#include "host/page/Applet.h"
#include "host/ui/Toolkit.h"
#include "ombu/NxActionEvent.h"
#include "ombu/NxAdjustmentEvent.h"
#include "ombu/NxContainer.h"
#include "ombu/NxItemEvent.h"
#include "ombu/OmbuUtil.h"

using namespace norvex::ombu;
using host::Color;
using host::Rectangle;
using ombutest::Probe;
using ombutest::ShownFrame;

TEST(PreferredSizeTest, FrameIsAddedToExplicitSizesAndFixed50SelectedByTheHooks) {
    auto c = host::create<NxComponent>(nullptr, "c");
    EXPECT_EQ(c->preferredSize(), (host::Dimension{8, 8}));  // no peer: the frame alone
    c->setPreferredSize(100, 20);
    EXPECT_EQ(c->preferredSize(), (host::Dimension{108, 28}));
    EXPECT_EQ(c->minimumSize(), c->preferredSize());
    c->setInsets({1, 2, 3, 4});
    EXPECT_EQ(c->preferredSize(), (host::Dimension{114, 32}));

    auto d = host::create<NxComponent>(nullptr, "d");
    d->addNotify();
    EXPECT_EQ(d->preferredSize(), (host::Dimension{50, 50}));  // the hooks answer -1
    d->setPreferredSize(-999, 10);
    EXPECT_EQ(d->preferredSize(), (host::Dimension{50, 18}));
}

TEST(PreferredSizeTest, ContainerUsesItsInsetsOrThePanelsOwnSize) {
    auto c = host::create<NxContainer>(nullptr, "box");
    EXPECT_EQ(c->preferredSize(), (host::Dimension{20, 20}));  // an empty flow layout is smaller
    c->setInsets(host::Insets{1, 2, 3, 4});
    c->setPreferredSize(100, 40);
    EXPECT_EQ(c->preferredSize(), (host::Dimension{106, 44}));
    c->setInsets(std::nullopt);
    EXPECT_EQ(c->insets(), host::Insets{});
}

TEST(PreferredSizeTest, ContainerWithoutLayoutManagerAnswersItsSize) {
    // Without a layout manager the Panel asks for the minimum size, which is the
    // preferred size here: it must not ask back endlessly.
    auto c = host::create<NxContainer>(nullptr, "bare");
    c->setLayout(nullptr);
    c->reshape(0, 0, 7, 9);
    EXPECT_EQ(c->preferredSize(), (host::Dimension{20, 20}));
    EXPECT_EQ(c->minimumSize(), (host::Dimension{20, 20}));
    c->setPreferredSize(30, 10);
    EXPECT_EQ(c->minimumSize(), (host::Dimension{30, 10}));
    // Also when a window lays it out.
    auto frame = host::create<host::Frame>();
    frame->reshape(0, 0, 100, 50);
    frame->add(host::create<NxContainer>(nullptr, "inner"), host::Value("Center"));
    host::cast<NxContainer>(frame->getComponent(0))->setLayout(nullptr);
    frame->validate();
    EXPECT_EQ(frame->getComponent(0)->getWidth(), 100 - frame->insets().left - frame->insets().right);
    EXPECT_GE(frame->preferredSize().width, 20);
}

TEST(DrawingAreaTest, FrameAndInsetsAreTakenOffAndNeverNegative) {
    auto c = host::create<NxComponent>(nullptr, "c");
    c->reshape(0, 0, 30, 10);
    EXPECT_EQ(c->getDrawingArea(), (Rectangle{4, 4, 22, 2}));
    c->reshape(0, 0, 6, 6);
    EXPECT_EQ(c->getDrawingArea(), (Rectangle{4, 4, 0, 0}));
    c->reshape(0, 0, 40, 30);
    c->setInsets({1, 2, 3, 4});
    c->setHighlightThickness(0);
    EXPECT_EQ(c->getDrawingArea(), (Rectangle{4, 3, 30, 22}));
    EXPECT_EQ(c->getDrawingAreaWidth(), 30);
    EXPECT_EQ(c->getDrawingAreaHeight(), 22);
}

TEST(DrawingAreaTest, HugeThicknessesFromAPageNeitherWrapNorHang) {
    auto c = host::create<NxComponent>(nullptr, "c");
    c->reshape(0, 0, 30, 10);
    c->setShadowThickness(2147483647);
    c->setHighlightThickness(2147483647);
    EXPECT_EQ(c->getDrawingArea(), (Rectangle{2147483647, 2147483647, 0, 0}));
    c->setPreferredSize(100, 20);
    EXPECT_EQ(c->preferredSize(), (host::Dimension{2147483647, 2147483647}));
    auto box = host::create<NxContainer>(nullptr, "box");
    box->setInsets(host::Insets{1, 2147483647, 3, 2147483647});
    box->setPreferredSize(2147483647, 10);
    EXPECT_EQ(box->preferredSize(), (host::Dimension{2147483647, 14}));

    // Focus draws the highlight outside a paint (no clip to test against): the band
    // stops at the middle of the component instead of drawing a billion rectangles.
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 20, 12);
    p->setDoubleBuffer(false);
    p->setBackground(Color::white);
    p->setHighlightThickness(1000000000);
    f.show();
    host::Event got(p.get(), host::Event::GOT_FOCUS, host::Value());
    EXPECT_TRUE(p->handleEvent(got));
    EXPECT_EQ(f.count("drawRect"), 6);
    EXPECT_TRUE(f.logged("drawRect(5,5,9,1)"));
}

TEST(PaintPipelineTest, FillsHighlightsShadowsThenClipsContentToTheDrawingArea) {
    ShownFrame f;
    f.frame->setBackground(Color(10, 20, 30));
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 30, 10);
    p->setDoubleBuffer(false);
    p->setBackground(Color::white);
    p->setForeground(Color::black);
    f.show();
    p->repaint();
    std::vector<std::string> expected = {
        // the window's fresh graphics object starts in the component's font and colour
        "setFont(Dialog,0,12)", "setColor(0,0,0)",
        "setClip(0,0,30,10)", "setColor(255,255,255)", "fillRect(0,0,30,10)",
        // highlight off: the parent's background
        "setColor(10,20,30)", "drawRect(0,0,29,9)", "drawRect(1,1,27,7)",
        // SHADOW_IN of 2 just inside the highlight
        "setColor(140,140,140)", "drawLine(2,2,27,2)", "drawLine(2,3,2,7)", "drawLine(3,3,26,3)", "drawLine(3,4,3,6)",
        "setColor(200,200,200)", "drawLine(2,7,27,7)", "drawLine(27,2,27,7)", "drawLine(3,6,26,6)",
        "drawLine(26,3,26,6)", "setColor(10,20,30)",
        "setFont(Dialog,0,12)", "setColor(0,0,0)", "clipRect(4,4,22,2)", "dispose()"};
    EXPECT_EQ(*f.log, expected);
    EXPECT_EQ(p->contentClip, (Rectangle{4, 4, 22, 2}));
    EXPECT_FALSE(p->getPaintRect().has_value());  // only set during a paint
}

TEST(PaintPipelineTest, FrameIsRedrawnOnlyWhenTheClipTouchesIt) {
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 100, 50);
    p->setDoubleBuffer(false);
    p->setBackground(Color::white);
    f.show();
    p->repaint(20, 20, 10, 10);
    EXPECT_EQ(f.count("drawRect"), 0);
    EXPECT_EQ(f.count("drawLine"), 0);
    EXPECT_EQ(p->contentClip, (Rectangle{20, 20, 10, 10}));
    f.log->clear();
    p->repaint(0, 20, 10, 10);  // meets the left band
    EXPECT_EQ(f.count("drawRect"), 2);
    EXPECT_GT(f.count("drawLine"), 0);
    f.log->clear();
    p->setShadowType(OmbuEnum::SHADOW_NONE);
    p->repaint();
    EXPECT_EQ(f.count("drawLine"), 0);
}

TEST(PaintPipelineTest, FocusedHighlightUsesTheHighlightColour) {
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 20, 20);
    p->setDoubleBuffer(false);
    p->setBackground(Color::white);
    EXPECT_EQ(p->getHighlightColor(), Color::black);
    p->setHighlightColor(Color::red);
    f.show();
    host::Event got(p.get(), host::Event::GOT_FOCUS, host::Value());
    EXPECT_TRUE(p->handleEvent(got));
    EXPECT_TRUE(p->hasFocus());
    f.log->clear();
    p->repaint();
    ASSERT_GE(f.log->size(), 7u);
    EXPECT_EQ((*f.log)[5], "setColor(255,0,0)");
    EXPECT_EQ((*f.log)[6], "drawRect(0,0,19,19)");
    host::Event lost(p.get(), host::Event::LOST_FOCUS, host::Value());
    EXPECT_TRUE(p->handleEvent(lost));
    EXPECT_FALSE(p->hasFocus());
}

TEST(DoubleBufferTest, PaintsOffScreenAndCopiesTheImageAtTheOrigin) {
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 40, 30);
    p->setBackground(Color::white);
    f.show();
    p->paints = 0;
    p->repaint();
    ASSERT_TRUE(p->getDoubleBufferImage());
    auto img = p->getDoubleBufferImage();
    std::string copy = "drawImage(" + std::to_string(img->getWidth()) + "x" + std::to_string(img->getHeight()) + ",0,0)";
    EXPECT_EQ(f.lines(), (std::vector<std::string>{"setClip(0,0,40,30)", copy, "dispose()"}));
    EXPECT_EQ(p->paints, 1);
    // The frame went into the image: its corner has the highlight's colour.
    EXPECT_EQ(img->getPixel(0, 0), f.frame->getBackground()->argb());
}

TEST(DoubleBufferTest, OneSharedImagePerThreadThatOnlyGrows) {
    ShownFrame f(300, 200);
    auto a = f.add(host::create<Probe>(nullptr, "a"), 0, 0, 40, 30);
    auto b = f.add(host::create<Probe>(nullptr, "b"), 0, 40, 30, 20);
    for (auto& c : {a, b}) c->setBackground(Color::white);
    f.show();
    a->repaint();
    b->repaint();
    ASSERT_TRUE(a->getDoubleBufferImage());
    EXPECT_EQ(a->getDoubleBufferImage(), b->getDoubleBufferImage());
    auto mine = OmbuUtil::createImage(nullptr, 1, 1);
    EXPECT_EQ(mine, a->getDoubleBufferImage());

    // A larger component replaces the thread's image; smaller ones then use it too.
    auto big = f.add(host::create<Probe>(nullptr, "big"), 0, 0, mine->getWidth() + 10, mine->getHeight() + 10);
    big->setBackground(Color::white);
    big->repaint();
    auto grown = big->getDoubleBufferImage();
    ASSERT_TRUE(grown);
    EXPECT_NE(grown, mine);
    a->repaint();
    EXPECT_EQ(a->getDoubleBufferImage(), grown);

    // Another thread paints through an image of its own.
    std::shared_ptr<host::Image> other;
    std::thread([&] {
        a->repaint();
        other = a->getDoubleBufferImage();
    }).join();
    ASSERT_TRUE(other);
    EXPECT_NE(other, grown);
    EXPECT_EQ(OmbuUtil::createImage(nullptr, 1, 1), grown);
}

TEST(DoubleBufferTest, ImagesGrowPastTheScreenUpToTheLargestSide) {
    auto screen = host::Toolkit::getDefaultToolkit().getScreenSize();
    auto img = OmbuUtil::createImage(nullptr, nullptr, screen.width + 100, -5);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->getWidth(), screen.width + 100);
    EXPECT_EQ(img->getHeight(), 1);
    EXPECT_EQ(OmbuUtil::createImage(nullptr, img, 10, 1), img);
    auto huge = OmbuUtil::createImage(nullptr, nullptr, 100000, 1);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->getWidth(), 16384);
}

TEST(RepaintTest, RectangleIsClippedToTheComponentAndOffScreenOnesPaintNothing) {
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 100, 20);
    p->setDoubleBuffer(false);
    p->setBackground(Color::white);
    f.show();
    p->paints = 0;
    p->repaint(-20, 0, 10, 10);
    p->repaint(100, 0, 10, 10);
    p->repaint(0, 0, 0, 10);
    EXPECT_EQ(p->paints, 0);
    EXPECT_TRUE(f.log->empty());
    p->repaint(90, 0, 50, 10);
    EXPECT_EQ(p->paints, 1);
    ASSERT_FALSE(f.log->empty());
    EXPECT_EQ(f.lines().front(), "setClip(90,0,10,10)");
}

TEST(RepaintTest, NothingWithoutAPeerOrWhenHidden) {
    auto p = host::create<Probe>(nullptr, "p");
    p->setBackground(Color::white);
    p->reshape(0, 0, 10, 10);
    p->repaint();
    EXPECT_EQ(p->paints, 0);
    ShownFrame f;
    f.add(p, 0, 0, 10, 10);
    f.show();
    p->hide();
    p->paints = 0;
    p->repaint();
    EXPECT_EQ(p->paints, 0);
}

TEST(RepaintTest, RepaintFromInsidePaintComponentIsIgnored) {
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 50, 20);
    p->setBackground(Color::white);
    p->setDoubleBuffer(false);
    f.show();
    p->paints = 0;
    p->onPaint = [](Probe& self) { self.repaint(); };
    p->repaint();
    EXPECT_EQ(p->paints, 1);
    p->repaint();
    EXPECT_EQ(p->paints, 2);
}

TEST(RepaintTest, SettersRepaintAtOnce) {
    ShownFrame f;
    auto p = f.add(host::create<Probe>(nullptr, "p"), 0, 0, 50, 20);
    p->setBackground(Color::white);
    f.show();
    int before = p->paints;
    p->setForeground(Color::blue);
    p->setShadowThickness(3);
    p->reshape(0, 0, 60, 20);
    p->reshape(0, 0, 60, 20);  // unchanged: nothing
    EXPECT_EQ(p->paints, before + 3);
    p->disable();
    p->disable();
    p->enable();
    EXPECT_EQ(p->paints, before + 5);
}

TEST(ContainerTest, RepaintPaintsItselfThenItsWidgets) {
    ShownFrame f;
    auto box = host::create<NxContainer>(nullptr, "box");
    box->setLayout(nullptr);
    box->setBackground(Color::gray);
    f.add(box, 0, 0, 100, 50);
    auto p = host::create<Probe>(nullptr, "p");
    p->setDoubleBuffer(false);
    box->add(p);
    p->reshape(10, 10, 30, 20);
    f.show();
    int before = p->paints;
    box->repaint();
    EXPECT_EQ(p->paints, before + 1);
    ASSERT_FALSE(f.log->empty());
    EXPECT_EQ(f.lines()[0], "setColor(128,128,128)");
    EXPECT_EQ(f.lines()[1], "fillRect(0,0,100,50)");
    box->repaint(60, 0, 40, 50);  // does not meet the child
    EXPECT_EQ(p->paints, before + 1);
}

TEST(ContainerTest, AddingAChildAgainKeepsItsPlaceAndIndexOfNonChildIsMinus999) {
    auto box = host::create<NxContainer>(nullptr, "box");
    auto a = host::create<NxComponent>(nullptr, "a");
    auto b = host::create<NxComponent>(nullptr, "b");
    box->add(a);
    box->add(b);
    box->add(a);
    EXPECT_EQ(box->getComponentCount(), 2);
    EXPECT_EQ(box->getComponent(a.get()), 0);
    EXPECT_EQ(box->getComponent(b.get()), 1);
    auto stranger = host::create<NxComponent>(nullptr, "x");
    EXPECT_EQ(box->getComponent(stranger.get()), -999);
    EXPECT_EQ(box->getComponent(5), nullptr);
    box->disable();
    EXPECT_FALSE(a->isEnabled());
    box->enable();
    EXPECT_TRUE(b->isEnabled());
}

namespace {

struct KeyLog : host::KeyListener {
    int pressed = 0;
    void keyPressed(host::KeyEvent&) override { ++pressed; }
};

host::KeyEvent press(host::Component* c, int code, int ch) {
    return host::KeyEvent(c, host::KeyEvent::KEY_PRESSED, 1000, 0, code, ch);
}

}  // namespace

TEST(InputBridgeTest, KeyPressesBecomeKeyDownWithOldModelKeys) {
    auto p = host::create<Probe>(nullptr, "p");
    p->addNotify();
    EXPECT_EQ(p->getEventMask(), 28);
    KeyLog listener;
    p->addKeyListener(&listener);

    auto shift = press(p.get(), host::KeyEvent::VK_SHIFT, host::KeyEvent::CHAR_UNDEFINED);
    p->dispatchEvent(shift);
    auto ctrl = press(p.get(), host::KeyEvent::VK_CONTROL, host::KeyEvent::CHAR_UNDEFINED);
    p->dispatchEvent(ctrl);
    EXPECT_TRUE(p->keys.empty());
    EXPECT_EQ(listener.pressed, 0);  // dropped entirely

    auto home = press(p.get(), host::KeyEvent::VK_HOME, host::KeyEvent::CHAR_UNDEFINED);
    p->dispatchEvent(home);
    auto a = press(p.get(), 65, 'a');
    p->dispatchEvent(a);
    auto del = press(p.get(), host::KeyEvent::VK_DELETE, 127);
    p->dispatchEvent(del);
    auto up = press(p.get(), host::KeyEvent::VK_UP, host::KeyEvent::CHAR_UNDEFINED);
    p->dispatchEvent(up);
    std::vector<std::pair<int, int>> expected = {{403, 1000}, {401, 'a'}, {401, 127}, {403, 1004}};
    EXPECT_EQ(p->keys, expected);
    EXPECT_EQ(listener.pressed, 4);

    host::KeyEvent release(p.get(), host::KeyEvent::KEY_RELEASED, 1000, 0, 65, 'a');
    p->dispatchEvent(release);
    EXPECT_EQ(p->keys.size(), 4u);  // only presses are bridged
    p->removeKeyListener(&listener);
}

TEST(InputBridgeTest, PressRightAfterADropDownClosedIsDroppedExceptOnUnix) {
    auto p = host::create<Probe>(nullptr, "p");
    p->addNotify();
    const int64_t closed = 5'000'000;
    NxComponent::popdown_time = closed;
    NxComponent::setOSKind(0);
    host::MouseEvent soon(p.get(), host::MouseEvent::MOUSE_PRESSED, closed + 30, 0, 5, 5, 1);
    p->dispatchEvent(soon);
    EXPECT_EQ(p->mouseDowns, 0);
    host::MouseEvent later(p.get(), host::MouseEvent::MOUSE_PRESSED, closed + 51, 0, 5, 5, 1);
    p->dispatchEvent(later);
    EXPECT_EQ(p->mouseDowns, 1);

    // The old-model handler has the same guard.
    host::Event ev(p.get(), closed + 30, host::Event::MOUSE_DOWN, 1, 1, 0, 0);
    EXPECT_TRUE(p->NxComponent::mouseDown(ev, 1, 1));
    ev.when = closed + 50;
    EXPECT_FALSE(p->NxComponent::mouseDown(ev, 1, 1));

    NxComponent::setOSKind(1);
    p->dispatchEvent(soon);
    EXPECT_EQ(p->mouseDowns, 2);
    NxComponent::setOSKind(std::nullopt);
    NxComponent::popdown_time = 0;
}

TEST(InputBridgeTest, MouseButtonsFromModifiers) {
    host::Event e;
    EXPECT_EQ(OmbuUtil::getMouseButton(e), 1);
    e.modifiers = host::Event::ALT_MASK;
    EXPECT_EQ(OmbuUtil::getMouseButton(e), 2);
    e.modifiers = host::Event::META_MASK | host::Event::ALT_MASK;
    EXPECT_EQ(OmbuUtil::getMouseButton(e), 3);
}

namespace {

std::shared_ptr<host::Applet> pageApplet(std::vector<std::pair<std::string, std::string>> params, bool context) {
    auto applet = host::create<host::Applet>();
    applet->setParameters(std::move(params));
    if (context) applet->setAppletContext(std::make_shared<host::PageContext>());
    return applet;
}

}  // namespace

TEST(ParametersTest, BaseKeysWithTheComponentNameFirst) {
    auto applet = pageApplet({{"box.ShadowThickness", "5"},
                              {"ShadowThickness", "1"},
                              {"background", "red"},
                              {"HighlightColor", "blue"},
                              {"insets", "1,2,3,4"},
                              {"preferredWidth", "70"},
                              {"traversable", "false"},
                              {"doubleBuffer", "false"}},
                             true);
    auto box = host::create<Probe>(applet.get(), "box");
    EXPECT_EQ(box->getShadowThickness(), 5);
    EXPECT_EQ(box->getBackground(), Color::red);
    EXPECT_EQ(box->getHighlightColor(), Color::blue);
    EXPECT_EQ(box->getInsets(), (host::Insets{1, 2, 3, 4}));
    EXPECT_EQ(box->prefWidth(), 70);
    EXPECT_FALSE(box->isTraversable());
    EXPECT_FALSE(box->getDoubleBuffer());
    auto other = host::create<Probe>(applet.get(), "other");
    EXPECT_EQ(other->getShadowThickness(), 1);

    // Without a page context nothing is read.
    auto bare = pageApplet({{"ShadowThickness", "9"}}, false);
    EXPECT_EQ(host::create<Probe>(bare.get(), "x")->getShadowThickness(), 2);
}

TEST(ParametersTest, ParamFileRedirectsTheLookups) {
    auto dir = std::filesystem::temp_directory_path() / ("ombu-params-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        std::ofstream(dir / "params.txt") << "<applet>\n<param name=ShadowThickness value=\"7\">\n"
                                             "<param name=HighlightThickness value=\"0\">\n</applet>\n";
    }
    auto applet = pageApplet({{"paramFile", "params.txt"}, {"ShadowThickness", "3"}}, false);
    applet->setDocumentBase(host::URL("file:" + (dir / "page.html").string()));
    auto c = host::create<Probe>(applet.get(), "c");
    EXPECT_EQ(c->getShadowThickness(), 7);
    EXPECT_EQ(c->getHighlightThickness(), 0);
    std::filesystem::remove_all(dir);
}

TEST(ParametersTest, ConverterCanBeReplaced) {
    struct Doubling : norvex::util::NxConverter {
        using NxConverter::toInt;
        int toInt(const norvex::util::OptString& s, int def) override { return 2 * NxConverter::toInt(s, def); }
    };
    NxComponent::setConverter(std::make_shared<Doubling>());
    auto applet = pageApplet({{"ShadowThickness", "4"}}, true);
    auto c = host::create<Probe>(applet.get(), "c");
    NxComponent::setConverter(nullptr);
    EXPECT_EQ(c->getShadowThickness(), 8);
    EXPECT_EQ(dynamic_cast<Doubling*>(NxComponent::getConverter().get()), nullptr);
    EXPECT_EQ(host::create<Probe>(applet.get(), "d")->getShadowThickness(), 4);
}

TEST(SystemColoursTest, NewComponentsTakeTheControlColours) {
    NxComponent::useSystemColors(true);
    auto c = host::create<NxComponent>(nullptr, "c");
    auto box = host::create<NxContainer>(nullptr, "box");
    NxContainer::useSystemColors(false);
    EXPECT_EQ(c->getBackground(), host::SystemColor::control);
    EXPECT_EQ(c->getForeground(), host::SystemColor::controlText);
    EXPECT_EQ(box->getBackground(), host::SystemColor::control);
    EXPECT_FALSE(NxComponent::getUseSystemColors());
}

TEST(EventClassesTest, SourcesAndPayloads) {
    auto c = host::create<NxComponent>(nullptr, "c");
    NxAdjustmentEvent adj(c.get(), NxAdjustmentEvent::ADJUSTMENT_VALUE_CHANGED, NxAdjustmentEvent::TRACK, 42);
    EXPECT_EQ(adj.getSource(), c.get());
    EXPECT_EQ(adj.getValue(), 42);
    EXPECT_EQ(adj.getAdjustmentType(), 5);
    EXPECT_EQ(adj.getAdjustable()->getMaximum(), 0);
    NxItemEvent item(c.get(), host::ItemEvent::ITEM_STATE_CHANGED, host::Value("x"), host::ItemEvent::SELECTED);
    EXPECT_EQ(item.getSource(), c.get());
    EXPECT_EQ(item.getItem().asString(), "x");
    EXPECT_EQ(item.getStateChange(), 1);
    NxActionEvent act(c.get(), 1001, "go", 2);
    EXPECT_EQ(act.getActionCommand(), "go");
    EXPECT_EQ(act.getModifiers(), 2);
    EXPECT_TRUE(act.instanceOf("norvex.ombu.NxActionEvent"));
    EXPECT_TRUE(OmbuUtil::instanceOf(c.get(), "norvex.ombu.NxComponent"));
}
