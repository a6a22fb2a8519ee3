// The component tree: containment, layout managers, showing, event dispatch in
// both models, the event queue, and building a page's component.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <fstream>
#include <thread>

#include "host/page/Applet.h"
#include "host/graphics/Image.h"
#include "host/page/PageHost.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"

using namespace host;

namespace {

class Sized : public Canvas {
public:
    Sized(int w, int h) : w_(w), h_(h) {}
    Dimension preferredSize() override { return {w_, h_}; }

private:
    int w_, h_;
};

// Records the old-model handlers that ran.
class OldStyle : public Canvas {
public:
    std::vector<std::string> calls;
    bool handle = true;
    bool mouseDown(Event& e, int x, int y) override {
        calls.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " n" + std::to_string(e.clickCount));
        return handle;
    }
    bool keyDown(Event& e, int key) override {
        calls.push_back("key " + std::to_string(key) + " id" + std::to_string(e.id));
        return handle;
    }
    bool gotFocus(Event&, const Value&) override {
        calls.push_back("focus");
        return true;
    }
    bool isFocusTraversable() const override { return true; }
};

class Catcher : public Panel {
public:
    std::vector<std::string> calls;
    bool mouseDown(Event&, int x, int y) override {
        calls.push_back("parent down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
};

struct Listener : MouseListener {
    int pressed = 0;
    void mousePressed(MouseEvent&) override { ++pressed; }
};

std::shared_ptr<Frame> shownFrame(int w, int h) {
    auto f = create<Frame>("test");
    f->reshape(0, 0, w, h);
    return f;
}

}  // namespace

TEST(Containment, AddRemoveAndReparent) {
    auto a = create<Panel>(), b = create<Panel>();
    auto c = std::make_shared<Canvas>();
    a->add(c);
    EXPECT_EQ(c->getParent(), a.get());
    EXPECT_EQ(a->getComponentCount(), 1);
    b->add(c);  // moving to another container removes it from the first
    EXPECT_EQ(a->getComponentCount(), 0);
    EXPECT_EQ(c->getParent(), b.get());
    EXPECT_EQ(b->getComponent(0), c);
    EXPECT_EQ(b->getComponent(1), nullptr);
    EXPECT_EQ(b->getComponent(-1), nullptr);
    EXPECT_THROW(b->add(b), std::invalid_argument);
    b->remove(c.get());
    EXPECT_EQ(c->getParent(), nullptr);
    auto d1 = std::make_shared<Canvas>(), d2 = std::make_shared<Canvas>();
    a->add(d1);
    a->add(d2, 0);
    EXPECT_EQ(a->getComponent(0), d2);
    EXPECT_TRUE(a->isAncestorOf(d1.get()));
}

TEST(Containment, ParentDestroyedFirstLeavesNoDanglingLink) {
    auto c = std::make_shared<Canvas>();
    {
        auto p = create<Panel>();
        p->add(c);
    }
    EXPECT_EQ(c->getParent(), nullptr);
}

TEST(Inheritance, ColoursAndFontComeFromTheParent) {
    auto p = create<Panel>();
    auto c = std::make_shared<Canvas>();
    p->add(c);
    EXPECT_FALSE(c->getBackground());
    p->setBackground(Color::red);
    p->setFont(Font("Courier", Font::BOLD, 14));
    EXPECT_EQ(c->getBackground(), Color::red);
    EXPECT_EQ(c->getFont(), Font("Courier", Font::BOLD, 14));
    c->setBackground(Color::blue);
    EXPECT_EQ(c->getBackground(), Color::blue);
}

TEST(Layouts, GridDividesEquallyWithGaps) {
    auto p = create<Panel>();
    p->setLayout(std::make_shared<GridLayout>(2, 2, 4, 6));
    std::vector<std::shared_ptr<Sized>> cs;
    for (int i = 0; i < 4; ++i) {
        cs.push_back(std::make_shared<Sized>(10 + i, 20));
        p->add(cs.back());
    }
    EXPECT_EQ(p->preferredSize(), (Dimension{2 * 13 + 4, 2 * 20 + 6}));
    p->reshape(0, 0, 104, 106);
    p->validate();
    EXPECT_EQ(cs[0]->getBounds(), (Rectangle{0, 0, 50, 50}));
    EXPECT_EQ(cs[1]->getBounds(), (Rectangle{54, 0, 50, 50}));
    EXPECT_EQ(cs[2]->getBounds(), (Rectangle{0, 56, 50, 50}));
    EXPECT_EQ(cs[3]->getBounds(), (Rectangle{54, 56, 50, 50}));
    auto cols = std::make_shared<GridLayout>(0, 3);
    p->setLayout(cols);
    p->validate();
    EXPECT_EQ(cs[3]->getBounds().y, 53) << "four children in three columns take two rows";
    EXPECT_THROW(GridLayout(0, 0), std::invalid_argument);
}

TEST(Layouts, GridWithHugeCountsAndGapsNeitherOverflowsNorHangs) {
    // Counts and gaps as a page may give them: sizes clamp, and only the children are
    // visited, so two billion columns cost nothing.
    auto p = create<Panel>();
    auto a = std::make_shared<Sized>(10, 20), b = std::make_shared<Sized>(10, 20);
    p->add(a);
    p->add(b);
    auto wide = std::make_shared<GridLayout>(0, 2000000000, 2000000000, -2000000000);
    p->setLayout(wide);
    EXPECT_EQ(p->preferredSize().width, INT_MAX);
    EXPECT_EQ(p->preferredSize().height, 20);
    p->reshape(0, 0, 200, 100);
    p->validate();
    // The classic formulas in exact arithmetic: (200 - (2e9 - 1) * 2e9) / 2e9 wide, and the
    // second column starts one width plus one gap along.
    EXPECT_EQ(a->getBounds(), (Rectangle{0, 0, -1999999998, 100}));
    EXPECT_EQ(b->getBounds().x, 2);

    p->setLayout(std::make_shared<GridLayout>(INT_MAX, 0));  // rows given: one column
    p->validate();
    EXPECT_EQ(b->getBounds(), (Rectangle{0, 0, 200, 0}));

    auto both = std::make_shared<GridLayout>(0, 3);
    both->setColumns(0);  // both counts zero after construction: one row, no division by zero
    p->setLayout(both);
    p->validate();
    EXPECT_EQ(b->getBounds(), (Rectangle{100, 0, 100, 100}));
}

TEST(Layouts, FlowAndBorderClampHugeSizesAndGaps) {
    auto p = create<Panel>();
    p->setLayout(std::make_shared<FlowLayout>(FlowLayout::LEFT, INT_MAX, INT_MAX));
    auto a = std::make_shared<Sized>(INT_MAX, INT_MAX), b = std::make_shared<Sized>(INT_MAX, 10);
    p->add(a);
    p->add(b);
    EXPECT_EQ(p->preferredSize(), (Dimension{INT_MAX, INT_MAX}));
    p->reshape(0, 0, 100, 100);
    p->validate();
    EXPECT_EQ(a->getBounds(), (Rectangle{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    EXPECT_EQ(b->getY(), INT_MAX) << "the second row starts below the first, clamped";

    auto q = create<Panel>();
    q->setLayout(std::make_shared<BorderLayout>(INT_MIN, INT_MAX));
    auto n = std::make_shared<Sized>(10, INT_MAX), s = std::make_shared<Sized>(10, INT_MAX),
         c = std::make_shared<Sized>(INT_MAX, 5), e = std::make_shared<Sized>(INT_MAX, 5);
    q->add(n, Value("North"));
    q->add(s, Value("South"));
    q->add(c);
    q->add(e, Value("East"));
    // East plus its (negative) gap plus the centre: INT_MAX + INT_MIN + INT_MAX, exactly.
    EXPECT_EQ(q->preferredSize(), (Dimension{INT_MAX - 1, INT_MAX}));
    q->reshape(0, 0, 200, 100);
    q->validate();
    EXPECT_EQ(n->getBounds(), (Rectangle{0, 0, 200, INT_MAX}));
    EXPECT_EQ(s->getBounds(), (Rectangle{0, 100 - INT_MAX, 200, INT_MAX}));
    EXPECT_EQ(c->getBounds().height, INT_MIN) << "top and bottom have crossed by far more than an int";
}

TEST(Layouts, BorderPlacesTheFiveRegions) {
    auto p = create<Panel>();
    p->setLayout(std::make_shared<BorderLayout>());
    auto n = std::make_shared<Sized>(10, 10), s = std::make_shared<Sized>(10, 20), e = std::make_shared<Sized>(30, 5),
         w = std::make_shared<Sized>(15, 5), c = std::make_shared<Sized>(40, 40);
    p->add(n, Value("North"));
    p->add(s, Value("South"));
    p->add(e, Value("East"));
    p->add(w, Value("West"));
    p->add(c);
    EXPECT_EQ(p->preferredSize(), (Dimension{85, 70}));
    p->reshape(0, 0, 200, 100);
    p->validate();
    EXPECT_EQ(n->getBounds(), (Rectangle{0, 0, 200, 10}));
    EXPECT_EQ(s->getBounds(), (Rectangle{0, 80, 200, 20}));
    EXPECT_EQ(e->getBounds(), (Rectangle{170, 10, 30, 70}));
    EXPECT_EQ(w->getBounds(), (Rectangle{0, 10, 15, 70}));
    EXPECT_EQ(c->getBounds(), (Rectangle{15, 10, 155, 70}));
    EXPECT_THROW(p->add(std::make_shared<Canvas>(), Value("Middle")), std::invalid_argument);
}

TEST(Layouts, FlowWrapsRowsAndCentres) {
    auto p = create<Panel>();  // FlowLayout(CENTER, 5, 5) by default
    auto a = std::make_shared<Sized>(40, 10), b = std::make_shared<Sized>(40, 20), c = std::make_shared<Sized>(40, 10);
    p->add(a);
    p->add(b);
    p->add(c);
    EXPECT_EQ(p->preferredSize(), (Dimension{140, 30}));
    p->reshape(0, 0, 100, 100);
    p->validate();
    // Two fit in a row of 90 usable pixels: 40 + 5 + 40 = 85, centred.
    EXPECT_EQ(a->getBounds(), (Rectangle{7, 10, 40, 10}));
    EXPECT_EQ(b->getBounds(), (Rectangle{52, 5, 40, 20}));
    EXPECT_EQ(c->getBounds(), (Rectangle{30, 30, 40, 10}));
}

TEST(Showing, NeedsAPeerAndAVisibleWindow) {
    auto f = shownFrame(100, 80);
    auto c = std::make_shared<Canvas>();
    f->add(c);
    EXPECT_FALSE(c->isShowing());
    EXPECT_EQ(c->getGraphics(), nullptr);
    f->setVisible(true);
    EXPECT_TRUE(c->hasPeer());
    EXPECT_TRUE(c->isShowing());
    EXPECT_NE(c->getGraphics(), nullptr);
    c->setVisible(false);
    EXPECT_FALSE(c->isShowing());
    f->dispose();
    EXPECT_FALSE(c->hasPeer());
}

TEST(Showing, ComponentGraphicsAreTranslatedAndClippedToTheComponent) {
    auto f = shownFrame(100, 80);
    f->setLayout(nullptr);
    auto p = create<Panel>();
    p->setLayout(nullptr);
    p->reshape(10, 20, 50, 40);
    auto c = std::make_shared<Canvas>();
    c->reshape(30, 5, 40, 10);  // sticks out of its parent on the right
    p->add(c);
    f->add(p);
    f->setVisible(true);
    auto g = c->getGraphics();
    ASSERT_TRUE(g);
    EXPECT_EQ(g->getClipBounds(), (Rectangle{0, 0, 20, 10})) << "clipped by the parent";
    g->setClip(-100, -100, 400, 400);
    EXPECT_EQ(g->getClipBounds(), (Rectangle{0, 0, 20, 10})) << "setClip cannot leave the component";
    g->setColor(Color::red);
    g->fillRect(0, 0, 100, 100);
    auto buf = f->getBuffer();
    EXPECT_EQ(buf->getPixel(40, 25), 0xffff0000u);
    EXPECT_EQ(buf->getPixel(59, 34), 0xffff0000u);
    EXPECT_NE(buf->getPixel(60, 25), 0xffff0000u);
    EXPECT_NE(buf->getPixel(39, 25), 0xffff0000u);
}

TEST(Showing, PaintTreeClearsToEachBackground) {
    auto f = shownFrame(60, 40);
    f->setLayout(std::make_shared<GridLayout>(1, 2));
    auto a = std::make_shared<Canvas>(), b = std::make_shared<Canvas>();
    a->setBackground(Color::blue);
    f->add(a);
    f->add(b);  // no background of its own: the window's white
    f->setVisible(true);
    auto buf = f->getBuffer();
    EXPECT_EQ(buf->getPixel(5, 5), 0xff0000ffu);
    EXPECT_EQ(buf->getPixel(45, 5), 0xffffffffu);
}

TEST(Events, OldModelHandlersGetConvertedEvents) {
    auto f = shownFrame(100, 100);
    f->setLayout(nullptr);
    auto c = std::make_shared<OldStyle>();
    c->reshape(10, 10, 50, 50);
    f->add(c);
    f->setVisible(true);
    MouseEvent press(c.get(), MouseEvent::MOUSE_PRESSED, 1, 0, 3, 4, 2);
    c->dispatchEvent(press);
    KeyEvent home(c.get(), KeyEvent::KEY_PRESSED, 2, 0, KeyEvent::VK_HOME, KeyEvent::CHAR_UNDEFINED);
    c->dispatchEvent(home);
    KeyEvent a(c.get(), KeyEvent::KEY_PRESSED, 3, 0, 65, 'a');
    c->dispatchEvent(a);
    ASSERT_EQ(c->calls.size(), 3u);
    EXPECT_EQ(c->calls[0], "down 3,4 n2");
    EXPECT_EQ(c->calls[1], "key 1000 id403");
    EXPECT_EQ(c->calls[2], "key 97 id401");
}

TEST(Events, UnhandledOldEventsGoToTheParentInItsCoordinates) {
    auto parent = create<Catcher>();
    parent->setLayout(nullptr);
    auto c = std::make_shared<OldStyle>();
    c->handle = false;
    c->reshape(10, 20, 30, 30);
    parent->add(c);
    MouseEvent press(c.get(), MouseEvent::MOUSE_PRESSED, 1, 0, 3, 4, 1);
    c->dispatchEvent(press);
    ASSERT_EQ(parent->calls.size(), 1u);
    EXPECT_EQ(parent->calls[0], "parent down 13,24");
}

TEST(Events, EnabledKindsAndListenersGetProcessEvent) {
    auto c = std::make_shared<OldStyle>();
    Listener l;
    c->addMouseListener(&l);
    c->addMouseListener(&l);  // once only
    MouseEvent press(c.get(), MouseEvent::MOUSE_PRESSED, 1, 0, 3, 4, 1);
    c->dispatchEvent(press);
    EXPECT_EQ(l.pressed, 1);
    EXPECT_TRUE(c->calls.empty()) << "new-style delivery replaces the old handlers";
    c->removeMouseListener(&l);
    c->dispatchEvent(press);
    EXPECT_EQ(l.pressed, 1);
    EXPECT_EQ(c->calls.size(), 1u);
}

TEST(Events, QueueRunsInOrderOnItsOwnThreadAndDropsDeadTargets) {
    auto& q = Toolkit::getDefaultToolkit().getSystemEventQueue();
    std::vector<int> order;
    std::atomic<bool> onDispatch{true};
    for (int i = 0; i < 50; ++i)
        q.invokeLater([&, i] {
            order.push_back(i);
            if (!q.isDispatchThread()) onDispatch = false;
        });
    q.invokeAndWait([] {});
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[i], i);
    EXPECT_TRUE(onDispatch);
    EXPECT_FALSE(q.isDispatchThread());

    auto c = std::make_shared<OldStyle>();
    auto ev = std::make_shared<MouseEvent>(c.get(), MouseEvent::MOUSE_PRESSED, 1, 0, 1, 1, 1);
    q.invokeLater([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
    q.postEvent(c, ev);
    c.reset();  // gone before dispatch: the event is dropped, nothing crashes
    q.waitUntilIdle();
    q.invokeLater([] { throw std::runtime_error("handler failure"); });
    int after = 0;
    q.invokeAndWait([&] { after = 1; });
    EXPECT_EQ(after, 1) << "a throwing task does not stop the dispatch thread";
}

TEST(Events, RequestFocusDeliversFocusEvents) {
    auto f = shownFrame(100, 100);
    auto c = std::make_shared<OldStyle>();
    f->add(c);
    f->setVisible(true);
    c->requestFocus();
    Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    EXPECT_TRUE(c->isFocusOwner());
    ASSERT_FALSE(c->calls.empty());
    EXPECT_EQ(c->calls.back(), "focus");
}

namespace {

class PageProbe : public Canvas {
    HOST_CREATABLE(PageProbe, "norvex.test.PageProbe", Canvas)
public:
    PageProbe(Applet* a, const std::string& n) : applet(a) { setName(n); }
    void initialize() override { colour = applet ? applet->getParameter("COLOUR").value_or("") : "?"; }
    void paint(Graphics& g) override {
        g.setColor(colour == "red" ? Color::red : Color::green);
        g.fillRect(0, 0, getWidth(), getHeight());
    }
    Applet* applet;
    std::string colour;
};

}  // namespace

TEST(PageHostTest, CreatesTheNamedComponentFilledToThePageSize) {
    ClassRegistry::instance().add(PageProbe::staticClass());
    Page page = Page::parse(R"(<applet code="norvex.test.PageProbe" name="probe" width=40 height=30>
        <param name=colour value=red></applet>)",
                            URL("file:/tmp/page.html"));
    PageHost view(page);
    view.show();
    auto probe = cast<PageProbe>(view.component());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->colour, "red") << "parameters are read with case-insensitive names";
    EXPECT_EQ(probe->getName(), "probe");
    EXPECT_EQ(probe->getSize(), (Dimension{40, 30}));
    EXPECT_EQ(view.applet().getDocumentBase().toString(), "file:/tmp/page.html");
    EXPECT_EQ(view.frame().getBuffer()->getPixel(39, 29), 0xffff0000u);

    Page unknown = Page::parse("<applet code=norvex.test.Nothing width=10 height=10></applet>", URL("file:/tmp/x.html"));
    EXPECT_THROW(PageHost{unknown}, PageError);
    ClassRegistry::instance().remove(PageProbe::staticClass());
}

TEST(PageHostTest, ContextRemembersStatusAndDocuments) {
    PageContext ctx;
    ctx.setQuiet(true);
    ctx.showStatus("hello");
    ctx.showDocument(URL("http://example.invalid/a.html"), "_blank");
    EXPECT_EQ(ctx.lastStatus(), "hello");
    ASSERT_EQ(ctx.shownDocuments().size(), 1u);
    EXPECT_EQ(ctx.shownDocuments()[0].second, "_blank");
}

TEST(PageHostTest, ContextRemembersImagesThatFailed) {
    // A tool reports a page whose images did not load, whichever way they were asked for.
    ClassRegistry::instance().add(PageProbe::staticClass());
    Page page = Page::parse("<applet code=norvex.test.PageProbe width=10 height=10></applet>",
                            URL("file:/nonexistent/p.html"));
    PageHost view(page);
    ClassRegistry::instance().remove(PageProbe::staticClass());
    Applet& applet = view.applet();
    EXPECT_TRUE(applet.getImage(applet.getDocumentBase(), "missing.png")->hasError());
    EXPECT_TRUE(applet.getImage(applet.getDocumentBase(), "http://[bad/a.png")->hasError());  // not even a URL
    const auto errors = view.context()->imageErrors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("/nonexistent/missing.png"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("invalid IPv6 address"), std::string::npos) << errors[1];
}

TEST(Showing, TwoThreadsPaintOneWindowAtOnce) {
    auto f = shownFrame(200, 100);
    f->setLayout(std::make_shared<GridLayout>(1, 2));
    auto a = std::make_shared<Canvas>(), b = std::make_shared<Canvas>();
    f->add(a);
    f->add(b);
    f->setVisible(true);
    auto paintMany = [](std::shared_ptr<Canvas> c, Color colour) {
        for (int i = 0; i < 200; ++i) {
            auto g = c->getGraphics();
            ASSERT_TRUE(g);
            g->setColor(colour);
            g->fillRect(0, 0, c->getWidth(), c->getHeight());
            g->drawLine(0, 0, c->getWidth(), c->getHeight());
            g->drawString("x", 5, 20);
        }
        auto g = c->getGraphics();
        g->setColor(colour);
        g->fillRect(0, 0, c->getWidth(), c->getHeight());
    };
    std::thread t1(paintMany, a, Color::red), t2(paintMany, b, Color::blue);
    t1.join();
    t2.join();
    auto buf = f->getBuffer();
    EXPECT_EQ(buf->getPixel(50, 50), 0xffff0000u);
    EXPECT_EQ(buf->getPixel(150, 50), 0xff0000ffu);
}

TEST(Showing, AnAntialiasedWindowGivesAntialiasedGraphics) {
    auto f = shownFrame(100, 80);
    auto c = std::make_shared<Canvas>();
    f->add(c);
    f->setVisible(true);
    EXPECT_FALSE(c->getGraphics()->getAntialias());
    f->setAntialias(true);
    EXPECT_TRUE(c->getGraphics()->getAntialias());
    f->dispose();
}
