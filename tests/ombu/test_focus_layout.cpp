// Focus traversal within a container and across a window, and the grid and
// aligner layouts.
#include <gtest/gtest.h>

#include <stdexcept>

#include "OmbuTestSupport.h"
#include "host/ui/Toolkit.h"
#include "ombu/Focus.h"
#include "ombu/NxAlignerLayout.h"
#include "ombu/NxContainer.h"
#include "ombu/NxGridLayout.h"

using namespace norvex::ombu;
using host::Component;
using ombutest::Drawing;
using ombutest::ShownFrame;

namespace {

// Two containers of two widgets each: c1 = [a, b], c2 = [d, e].
struct FocusForm {
    ShownFrame f{300, 100, Drawing::Private};
    std::shared_ptr<NxContainer> c1 = host::create<NxContainer>(nullptr, "c1");
    std::shared_ptr<NxContainer> c2 = host::create<NxContainer>(nullptr, "c2");
    std::shared_ptr<NxComponent> a, b, d, e;

    FocusForm() {
        a = widget(c1, "a");
        b = widget(c1, "b");
        d = widget(c2, "d");
        e = widget(c2, "e");
        f.add(c1, 0, 0, 150, 100);
        f.add(c2, 150, 0, 150, 100);
        f.show();
    }
    ~FocusForm() { settle(); }
    std::shared_ptr<NxComponent> widget(const std::shared_ptr<NxContainer>& parent, const char* name) {
        auto w = host::create<NxComponent>(nullptr, name);
        parent->add(w);
        return w;
    }
    static void settle() { host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle(); }
    Component* owner() {
        settle();
        return f.frame->getFocusOwner();
    }
    Component* focus(const std::shared_ptr<NxComponent>& c) {
        c->requestFocus();
        return owner();
    }
};

}  // namespace

TEST(FocusTest, TraversableLeavesInTreeOrder) {
    FocusForm form;
    std::vector<Component*> leaves;
    EXPECT_EQ(Focus::countChildren(form.f.frame.get(), &leaves), 7);  // frame, 2 containers, 4 widgets
    EXPECT_EQ(leaves, (std::vector<Component*>{form.a.get(), form.b.get(), form.d.get(), form.e.get()}));
    form.b->setTraversable(false);
    EXPECT_FALSE(Focus::isTraversable(form.b.get()));
    EXPECT_TRUE(Focus::isTraversable(form.c1.get()));  // through a
    form.a->setTraversable(false);
    EXPECT_FALSE(Focus::isTraversable(form.c1.get()));
    EXPECT_EQ(Focus::getFirstChild(form.f.frame.get()), form.d.get());
    EXPECT_EQ(Focus::getLastChild(form.f.frame.get()), form.e.get());
    EXPECT_EQ(Focus::countChildren(nullptr, nullptr), 0);
}

TEST(FocusTest, WithinAContainerWrapsAroundTheSiblings) {
    FocusForm form;
    ASSERT_EQ(form.focus(form.b), form.b.get());
    EXPECT_TRUE(form.b->hasFocus());
    Focus::nextFocus(form.b.get());
    EXPECT_EQ(form.owner(), form.a.get());
    Focus::nextFocus(form.a.get());
    EXPECT_EQ(form.owner(), form.b.get());
    Focus::previousFocus(form.b.get());
    EXPECT_EQ(form.owner(), form.a.get());
    Focus::previousFocus(form.a.get());
    EXPECT_EQ(form.owner(), form.b.get());

    // With no other traversable sibling the focus stays where it is.
    form.a->setTraversable(false);
    Focus::nextFocus(form.b.get());
    EXPECT_EQ(form.owner(), form.b.get());
    // No parent: nothing to move to.
    auto loose = host::create<NxComponent>(nullptr, "loose");
    Focus::nextFocus(loose.get());
    EXPECT_EQ(form.owner(), form.b.get());
}

TEST(FocusTest, AcrossTheWindowLeavesTheOwnContainerAndWraps) {
    FocusForm form;
    host::Container* top = form.f.frame.get();
    ASSERT_EQ(form.focus(form.a), form.a.get());
    Focus::nextFocus(top, form.a.get());  // skips b, its own container's
    EXPECT_EQ(form.owner(), form.d.get());
    Focus::nextFocus(top, form.e.get());  // after the last container: the first leaf
    EXPECT_EQ(form.owner(), form.a.get());
    Focus::previousFocus(top, form.d.get());
    EXPECT_EQ(form.owner(), form.b.get());
    Focus::previousFocus(top, form.a.get());  // before the first: the last leaf
    EXPECT_EQ(form.owner(), form.e.get());
    EXPECT_EQ(Focus::getNextChild(top, form.d.get()), nullptr);
    EXPECT_EQ(Focus::getPreviousChild(top, form.b.get()), nullptr);
}

TEST(FocusTest, FindFocusSearchesNestedContainers) {
    FocusForm form;
    EXPECT_EQ(Focus::findFocus(form.f.frame.get()), nullptr);
    form.focus(form.e);
    EXPECT_EQ(Focus::findFocus(form.f.frame.get()), form.e.get());
    EXPECT_EQ(Focus::findFocus(form.c1.get()), nullptr);
}

TEST(FocusTest, DisabledWidgetIsNotFocusTraversable) {
    FocusForm form;
    EXPECT_TRUE(form.a->isFocusTraversable());
    form.a->disable();
    EXPECT_FALSE(form.a->isFocusTraversable());
    host::Event got(form.a.get(), host::Event::GOT_FOCUS, host::Value());
    EXPECT_TRUE(form.a->handleEvent(got));
    EXPECT_FALSE(form.a->hasFocus());
}

namespace {

class Fixed : public host::Canvas {
public:
    Fixed(int w, int h) : pref_{w, h} {}
    host::Dimension preferredSize() override { return pref_; }
    host::Dimension minimumSize() override { return {pref_.width / 2, pref_.height / 2}; }

private:
    host::Dimension pref_;
};

std::shared_ptr<host::Panel> panelOf(std::shared_ptr<host::LayoutManager> lm, const std::vector<host::Dimension>& sizes,
                                     std::vector<std::shared_ptr<Fixed>>& out) {
    auto p = host::create<host::Panel>();
    p->setLayout(std::move(lm));
    for (auto d : sizes) {
        out.push_back(std::make_shared<Fixed>(d.width, d.height));
        p->add(out.back());
    }
    return p;
}

}  // namespace

TEST(NxGridLayoutTest, RowsAndColumnsTakeTheirLargestMember) {
    auto lm = std::make_shared<NxGridLayout>(0, 3, 2, 3);
    std::vector<std::shared_ptr<Fixed>> kids;
    auto p = panelOf(lm, {{10, 5}, {20, 6}, {5, 7}, {12, 1}, {1, 9}, {3, 3}, {8, 4}}, kids);
    EXPECT_EQ(p->preferredSize(), (host::Dimension{12 + 20 + 5 + 4 * 2, 7 + 9 + 4 + 4 * 3}));
    EXPECT_EQ(lm->getRowHeights(), (std::vector<int>{7, 9, 4}));
    EXPECT_EQ(lm->getColumnWidths(), (std::vector<int>{12, 20, 5}));
    EXPECT_EQ(p->minimumSize(), (host::Dimension{6 + 10 + 2 + 4 * 2, 3 + 4 + 2 + 4 * 3}));

    p->reshape(0, 0, 200, 200);
    p->validate();
    EXPECT_EQ(kids[0]->getBounds(), (host::Rectangle{2, 3, 12, 7}));
    EXPECT_EQ(kids[4]->getBounds(), (host::Rectangle{16, 13, 20, 9}));
    EXPECT_EQ(kids[6]->getBounds(), (host::Rectangle{2, 25, 12, 4}));

    // Two rows for the same seven: four columns.
    auto lm2 = std::make_shared<NxGridLayout>(2, 3);
    std::vector<std::shared_ptr<Fixed>> kids2;
    auto p2 = panelOf(lm2, {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}}, kids2);
    p2->preferredSize();
    EXPECT_EQ(lm2->getColumnWidths().size(), 4u);
    EXPECT_EQ(lm2->getRowHeights().size(), 2u);
}

TEST(NxGridLayoutTest, LastCellsAreCutAtTheParentsEdge) {
    auto lm = std::make_shared<NxGridLayout>(1, 0);
    std::vector<std::shared_ptr<Fixed>> kids;
    auto p = panelOf(lm, {{30, 10}, {30, 10}, {30, 10}}, kids);
    p->reshape(0, 0, 70, 8);
    p->validate();
    EXPECT_EQ(kids[1]->getBounds(), (host::Rectangle{30, 0, 30, 8}));
    EXPECT_EQ(kids[2]->getBounds(), (host::Rectangle{60, 0, 10, 8}));
}

TEST(NxGridLayoutTest, EmptyGridIsInsetsAndOneGapEachWayAndNoColumnsIsOneColumn) {
    auto box = host::create<NxContainer>(nullptr, "box");
    box->setInsets(host::Insets{1, 2, 3, 4});
    auto lm = std::make_shared<NxGridLayout>(0, 2, 3, 4);
    EXPECT_EQ(lm->preferredLayoutSize(*box), (host::Dimension{2 + 4 + 3, 1 + 3 + 4}));
    lm->layoutContainer(*box);  // nothing to place

    auto none = std::make_shared<NxGridLayout>(0, 0);
    std::vector<std::shared_ptr<Fixed>> kids;
    auto p = panelOf(none, {{4, 4}, {4, 4}}, kids);
    EXPECT_EQ(p->preferredSize(), (host::Dimension{4, 8}));
}

TEST(NxGridLayoutTest, EmptyColumnsCountTheirGapsAndHugeCountsOrSizesStayBounded) {
    // Five columns for two components: the three empty ones add only their gaps.
    auto lm = std::make_shared<NxGridLayout>(0, 5, 2, 3);
    std::vector<std::shared_ptr<Fixed>> kids;
    auto p = panelOf(lm, {{10, 4}, {20, 6}}, kids);
    EXPECT_EQ(p->preferredSize(), (host::Dimension{10 + 20 + 6 * 2, 6 + 2 * 3}));

    // A column or row count from a page in the billions measures without allocating
    // for every empty column, and still counts every gap.
    auto wide = std::make_shared<NxGridLayout>(0, 2000000000, 0, 0);
    std::vector<std::shared_ptr<Fixed>> kids2;
    auto p2 = panelOf(wide, {{10, 4}, {20, 6}}, kids2);
    EXPECT_EQ(p2->preferredSize(), (host::Dimension{30, 6}));
    auto tall = std::make_shared<NxGridLayout>(2000000000, 1, 1, 1);
    std::vector<std::shared_ptr<Fixed>> kids3;
    auto p3 = panelOf(tall, {{10, 4}, {20, 6}}, kids3);
    EXPECT_EQ(p3->preferredSize(), (host::Dimension{22, 10 + 2000000001}));  // every gap counted
    p3->reshape(0, 0, 50, 50);
    p3->validate();
    EXPECT_EQ(kids3[1]->getBounds(), (host::Rectangle{1, 6, 20, 6}));

    // Members as large as an int: sums clamp instead of wrapping negative.
    auto big = std::make_shared<NxGridLayout>(0, 2, 5, 5);
    std::vector<std::shared_ptr<Fixed>> kids4;
    auto p4 = panelOf(big, {{2147483647, 2147483647}, {2147483647, 10}}, kids4);
    EXPECT_EQ(p4->preferredSize(), (host::Dimension{2147483647, 2147483647}));
    p4->reshape(0, 0, 100, 100);
    p4->validate();
    EXPECT_EQ(kids4[0]->getBounds(), (host::Rectangle{5, 5, 95, 95}));  // cut at the edge
    EXPECT_EQ(kids4[1]->getBounds().width, 0);
    EXPECT_GE(kids4[1]->getBounds().x, 0);

    // In a four-column form holding one pair, the control's column is not the last:
    // a stretching control keeps its cell width.
    auto form = std::make_shared<NxAlignerLayout>(4, 0, 0);
    std::vector<std::shared_ptr<Fixed>> pair;
    auto p5 = panelOf(form, {{10, 5}, {30, 8}}, pair);
    form->setResizeWidth(pair[1].get(), true);
    p5->reshape(0, 0, 300, 50);
    p5->validate();
    EXPECT_EQ(pair[1]->getBounds(), (host::Rectangle{10, 0, 30, 8}));
}

namespace {

// label1 control1 / label2 control2 / label3, in a 300 x 200 panel.
struct Form {
    std::shared_ptr<NxAlignerLayout> lm = std::make_shared<NxAlignerLayout>();
    std::vector<std::shared_ptr<Fixed>> k;
    std::shared_ptr<host::Panel> p;
    explicit Form(std::vector<host::Dimension> sizes = {{40, 10}, {100, 20}, {30, 10}, {80, 30}, {50, 12}}) {
        p = panelOf(lm, sizes, k);
        p->reshape(0, 0, 300, 200);
    }
    void layout() {
        p->invalidate();
        p->validate();
    }
};

}  // namespace

TEST(NxAlignerLayoutTest, LabelsAreCentredOnTheirControlAndControlsKeepTheirWidth) {
    Form f;
    f.layout();
    EXPECT_EQ(f.lm->getRowHeights(), (std::vector<int>{20, 30, 12}));
    EXPECT_EQ(f.k[0]->getBounds(), (host::Rectangle{5, 10, 50, 10}));
    EXPECT_EQ(f.k[1]->getBounds(), (host::Rectangle{60, 5, 100, 20}));
    EXPECT_EQ(f.k[2]->getBounds(), (host::Rectangle{5, 40, 50, 10}));
    EXPECT_EQ(f.k[3]->getBounds(), (host::Rectangle{60, 30, 80, 30}));
    // The last label has no control: it keeps its preferred height at the cell top.
    EXPECT_EQ(f.k[4]->getBounds(), (host::Rectangle{5, 65, 50, 12}));
}

TEST(NxAlignerLayoutTest, FlagsStretchControlsAndAlignLabelBottoms) {
    Form f;
    f.lm->setResizeWidth(f.k[1].get(), true);
    f.lm->setLabelVerticalAlignment(f.k[2].get(), OmbuEnum::MIDDLERIGHT);
    f.lm->setLabelVerticalAlignment(f.k[4].get(), OmbuEnum::TOPLEFT);
    f.layout();
    EXPECT_EQ(f.k[1]->getBounds(), (host::Rectangle{60, 5, 240, 20}));  // to the right edge
    EXPECT_EQ(f.k[2]->getBounds(), (host::Rectangle{5, 50, 50, 10}));   // bottoms aligned
    EXPECT_TRUE(f.lm->getResizeWidth(f.k[1].get()));
    EXPECT_FALSE(f.lm->getResizeWidth(f.k[3].get()));
    EXPECT_EQ(f.lm->getLabelVerticalAlignment(f.k[0].get()), 4);

    Form tall({{40, 26}, {100, 20}});
    tall.lm->setResizeHeight(tall.k[1].get(), true);
    tall.layout();
    EXPECT_EQ(tall.k[1]->getBounds(), (host::Rectangle{50, 5, 100, 26}));
    EXPECT_EQ(tall.k[0]->getBounds(), (host::Rectangle{5, 5, 40, 26}));
}

TEST(NxAlignerLayoutTest, AlignmentsOutsideTheNineAreRejected) {
    NxAlignerLayout lm;
    EXPECT_EQ(lm.getLabelDefaultAlignment(), -999);
    lm.setLabelDefaultAlignment(OmbuEnum::MIDDLELEFT);
    EXPECT_EQ(lm.getLabelDefaultAlignment(), 3);
    try {
        lm.setLabelDefaultAlignment(12);
        FAIL() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "invalid alignment: 12");
    }
    EXPECT_EQ(lm.getLabelDefaultAlignment(), 3);
    Fixed c(1, 1);
    EXPECT_THROW(lm.setLabelVerticalAlignment(&c, -1), std::invalid_argument);
    lm.setLabelVerticalAlignment(&c, 5);  // not held by a shared pointer: still remembered
    EXPECT_EQ(lm.getLabelVerticalAlignment(&c), 5);
}
