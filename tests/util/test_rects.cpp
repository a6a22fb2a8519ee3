#include <gtest/gtest.h>

#include "util/NxRectUtil.h"

using host::Rectangle;
using norvex::util::NxPointRect;
using norvex::util::NxRectList;
using norvex::util::NxRectUtil;
using R = NxRectUtil;

namespace {
std::vector<Rectangle> rects(const NxRectList& rl) {
    std::vector<Rectangle> out;
    for (auto* n = rl.head.get(); n; n = n->next.get()) out.push_back(n->rect);
    return out;
}
}  // namespace

TEST(RectUtil, SubtractionPieces) {
    NxRectList rl;
    R::rl_init({0, 0, 100, 100}, rl);
    R::rl_remove({-5, -5, 200, 200}, rl);
    EXPECT_TRUE(rl.isEmpty());

    R::rl_init({0, 0, 100, 100}, rl);
    R::rl_remove({40, 40, 20, 20}, rl);
    EXPECT_EQ(rects(rl), (std::vector<Rectangle>{
                             {0, 0, 100, 40}, {0, 60, 100, 40}, {0, 40, 40, 20}, {60, 40, 40, 20}}));

    R::rl_init({0, 0, 100, 100}, rl);
    R::rl_remove({0, 0, 100, 10}, rl);
    EXPECT_EQ(rects(rl), (std::vector<Rectangle>{{0, 10, 100, 90}}));

    R::rl_remove({500, 500, 5, 5}, rl);  // no overlap: unchanged
    EXPECT_EQ(rects(rl), (std::vector<Rectangle>{{0, 10, 100, 90}}));
    EXPECT_EQ(rl.size(), 1);
    EXPECT_EQ(rl.tail, rl.head.get());
}

TEST(RectUtil, PredicatesAndBoxes) {
    EXPECT_TRUE(R::includesrect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(R::includesrect({0, 0, 10, 10}, {1, 1, 10, 1}));
    EXPECT_EQ(R::bounding({0, 0, 0, 5}, {3, 3, 2, 2}), (Rectangle{3, 3, 2, 2}));
    EXPECT_EQ(R::bounding({0, 0, 1, 1}, {3, 3, 2, 2}), (Rectangle{0, 0, 5, 5}));
    Rectangle out{1, 1, 1, 1};
    Rectangle a{0, 0, 10, 10}, b{5, 5, 10, 10}, c{20, 20, 5, 5}, e{0, 0, 0, 3};
    R::intersect(&a, &b, &out);
    EXPECT_EQ(out, (Rectangle{5, 5, 5, 5}));
    R::intersect(&a, &c, &out);
    EXPECT_EQ(out.width, 0);
    EXPECT_EQ(out.height, 0);
    R::intersect(&a, &e, &out);
    EXPECT_EQ(out, Rectangle{});
    R::intersect(nullptr, &a, &out);
    EXPECT_EQ(out, Rectangle{});
    EXPECT_TRUE(R::isnull({4, 4, 0, 7}));

    NxRectList rl;
    R::rl_init({10, 10, -4, -6}, rl);
    R::normalize(rl);
    EXPECT_EQ(rl.head->rect, (Rectangle{6, 4, 4, 6}));
}

TEST(RectUtil, SortAndBands) {
    NxRectList rl;
    R::appendrect({50, 10, 1, 1}, rl);
    R::appendrect({0, 0, 1, 1}, rl);
    R::appendrect({20, 10, 1, 1}, rl);
    R::sort(rl, NxRectUtil::SORT_TB);
    auto bands = R::make(rl);
    ASSERT_EQ(bands.size(), 3u);  // two bands and the empty end slot
    EXPECT_EQ(rects(*bands[0]), (std::vector<Rectangle>{{0, 0, 1, 1}}));
    EXPECT_EQ(rects(*bands[1]), (std::vector<Rectangle>{{20, 10, 1, 1}, {50, 10, 1, 1}}));
    EXPECT_TRUE(bands[2]->isEmpty());
    NxRectList empty;
    EXPECT_TRUE(R::make(empty).empty());
}

TEST(RectUtil, LargestRectangle) {
    NxRectList rl;
    R::rl_init({3, 4, 30, 20}, rl);
    EXPECT_EQ(R::largest_rect(rl), (Rectangle{3, 4, 30, 20}));

    // A tall centred hole: the left column, joined across the adjacent rows to the
    // bands above and below it, is the largest.
    R::rl_init({0, 0, 100, 100}, rl);
    R::rl_remove({45, 10, 10, 80}, rl);
    EXPECT_EQ(R::largest_rect(rl), (Rectangle{0, 0, 45, 100}));

    // A narrow hole right of centre: the column left of it, joined to the bands above
    // and below, beats both full-width bands.
    R::rl_init({0, 0, 100, 100}, rl);
    R::rl_remove({70, 30, 10, 40}, rl);
    EXPECT_EQ(R::largest_rect(rl), (Rectangle{0, 0, 70, 100}));

    // A centred square hole: the full-height column and the full-width band have the
    // same metric; the top band, found first, wins.
    R::rl_init({0, 0, 100, 100}, rl);
    R::rl_remove({40, 40, 20, 20}, rl);
    EXPECT_EQ(R::largest_rect(rl), (Rectangle{0, 0, 100, 40}));

    NxRectList empty;
    EXPECT_EQ(R::largest_rect(empty), Rectangle{});
}

TEST(RectUtil, MetricOfOnePixelWideIsZero) {
    EXPECT_EQ(NxPointRect(Rectangle{5, 5, 1, 40}).metric(), 0.0);
    NxPointRect best(Rectangle{0, 0, 2, 2}), current(Rectangle{0, 0, 1, 40});
    R::calc_lg_rect(current, current, best);
    EXPECT_EQ(best, NxPointRect(Rectangle{0, 0, 2, 2}));
}

TEST(RectUtil, LongListsAreFreedWithoutRecursion) {
    NxRectList rl;
    for (int i = 0; i < 200000; ++i) R::appendrect({i, 0, 1, 1}, rl);
    EXPECT_EQ(rl.size(), 200000);
    rl.clear();
    EXPECT_TRUE(rl.isEmpty());
}
