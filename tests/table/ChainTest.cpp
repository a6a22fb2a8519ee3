#include <gtest/gtest.h>

#include <string>

#include "table/model/Chain.h"

using norvex::table::Chain;
using norvex::table::ChainUtil;

namespace {

// A chain of n values in the requested form, with the given values.
Chain makeChain(const std::vector<int>& v, bool runForm) {
    Chain c = Chain::fromValues(v);
    if (runForm && !c.isRunForm()) {
        // Reaching past MAXSIZE converts; shrink back afterwards.
        int n = c.size();
        c.setValue(n, Chain::getMaxSize() + 1, 0);
        c.remove(n, c.size() - 1);
    }
    EXPECT_EQ(c.isRunForm(), runForm);
    return c;
}

std::vector<int> positionsOf(const Chain& c) {
    std::vector<int> p;
    for (int i = 0; i <= c.size(); ++i) p.push_back(int(c.getPosition(i)));
    return p;
}

std::string letters(const Chain& c) {
    std::string s;
    for (int v : c.getArray()) s += char('a' + v);
    return s;
}

class BothForms : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST(Chain, NewChainsHoldZerosInArrayFormAndOneUnsetRunInRunForm) {
    Chain small(5);
    EXPECT_FALSE(small.isRunForm());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(small.getValue(i), 0);
    EXPECT_EQ(small.getPosition(5), 0);

    Chain big(5000);
    ASSERT_TRUE(big.isRunForm());
    EXPECT_EQ(big.getRunChain()->numRuns(), 1);
    EXPECT_EQ(big.getValue(4999), -999);
    EXPECT_EQ(big.getPosition(10), -9990);

    Chain none;
    EXPECT_EQ(none.size(), 0);
    EXPECT_EQ(none.getTotal(), 0);
    EXPECT_EQ(none.indexAt(0), -1);
}

TEST(Chain, MaxSizeIsTheThresholdBetweenTheForms) {
    EXPECT_FALSE(Chain(999).isRunForm());
    EXPECT_TRUE(Chain(1000).isRunForm());
}

TEST_P(BothForms, SetValueGivesValuesPositionsAndRuns) {
    Chain c = makeChain({1, 1, 1, 1, 1, 1}, GetParam());
    c.setValue(2, 4, 7);
    EXPECT_EQ(c.getArray(), (std::vector<int>{1, 1, 7, 7, 7, 1}));
    EXPECT_EQ(positionsOf(c), (std::vector<int>{0, 1, 2, 9, 16, 23, 24}));
    if (GetParam()) {
        const auto& runs = c.getRunChain()->getRuns();
        ASSERT_EQ(runs.size(), 3u);
        EXPECT_EQ(runs[0].end, 1);
        EXPECT_EQ(runs[1].start, 2);
        EXPECT_EQ(runs[1].end, 4);
        EXPECT_EQ(runs[2].start, 5);
        EXPECT_EQ(runs[2].sum, 23);
    }
    // Setting the stretch back merges both neighbours into one run again.
    c.setValue(2, 4, 1);
    EXPECT_EQ(c.getArray(), (std::vector<int>(6, 1)));
    if (GetParam()) {
        EXPECT_EQ(c.getRunChain()->numRuns(), 1);
    }
}

TEST_P(BothForms, MovesBlocksForwardAndBackward) {
    Chain c = makeChain({0, 1, 2, 3, 4, 5, 6}, GetParam());
    EXPECT_TRUE(c.move(0, 2, 5));
    EXPECT_EQ(letters(c), "cdeabfg");
    EXPECT_EQ(c.getPosition(7), 21);

    Chain d = makeChain({0, 1, 2, 3, 4, 5, 6}, GetParam());
    EXPECT_TRUE(d.move(5, 2, 0));
    EXPECT_EQ(letters(d), "fgabcde");
    EXPECT_EQ(d.getPosition(2), 5 + 6);

    // A destination inside the block, and out-of-range moves, change nothing.
    EXPECT_TRUE(d.move(1, 3, 2));
    EXPECT_FALSE(d.move(5, 3, 0));
    EXPECT_FALSE(d.move(-1, 2, 0));
    EXPECT_FALSE(d.move(0, 0, 3));
    EXPECT_FALSE(d.move(0, 2, 8));
    EXPECT_EQ(letters(d), "fgabcde");
}

TEST_P(BothForms, DeleteChecksTheLengthAndMergesEqualNeighbours) {
    Chain c = makeChain({4, 4, 9, 4, 4}, GetParam());
    EXPECT_FALSE(c.remove(3, 5));  // past the end
    EXPECT_FALSE(c.remove(3, 2));  // reversed
    EXPECT_FALSE(c.remove(-1, 0));
    EXPECT_TRUE(c.remove(2, 2));
    EXPECT_EQ(c.getArray(), (std::vector<int>(4, 4)));
    EXPECT_EQ(c.getTotal(), 16);
    if (GetParam()) {
        EXPECT_EQ(c.getRunChain()->numRuns(), 1);
    }
    EXPECT_TRUE(c.remove(0, 3));
    EXPECT_EQ(c.size(), 0);
    EXPECT_EQ(c.getTotal(), 0);
}

TEST_P(BothForms, InsertPlacesValuesBeforeThePosition) {
    Chain c = makeChain({1, 1, 2}, GetParam());
    EXPECT_TRUE(c.insert(Chain::fromValues({1, 5}), 2));
    EXPECT_EQ(c.getArray(), (std::vector<int>{1, 1, 1, 5, 2}));
    EXPECT_EQ(positionsOf(c), (std::vector<int>{0, 1, 2, 3, 8, 10}));
    EXPECT_TRUE(c.insert(Chain::fromValues({3}), 5));  // at the end
    EXPECT_FALSE(c.insert(Chain::fromValues({3}), 7));
    EXPECT_FALSE(c.insert(Chain(), 0));
    EXPECT_EQ(c.getArray(), (std::vector<int>{1, 1, 1, 5, 2, 3}));
}

TEST_P(BothForms, SetValueAtTheLengthGrowsAndBeyondItDoesNothing) {
    Chain c = makeChain({3, 3}, GetParam());
    c.setValue(2, 2, 3);
    EXPECT_EQ(c.size(), 3);
    c.setValue(5, 6, 3);  // a gap
    EXPECT_EQ(c.size(), 3);
    c.setValue(-2, 0, 3);
    c.setValue(2, 1, 3);
    EXPECT_EQ(c.getArray(), (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(c.getTotal(), 9);
}

TEST_P(BothForms, IndexAtFindsTheEntryUnderAPixel) {
    Chain c = makeChain({10, 0, 20, 20, 5}, GetParam());
    EXPECT_EQ(c.indexAt(-1), -1);
    EXPECT_EQ(c.indexAt(0), 0);
    EXPECT_EQ(c.indexAt(9), 0);
    EXPECT_EQ(c.indexAt(10), 2);  // the empty entry 1 is never hit
    EXPECT_EQ(c.indexAt(30), 3);
    EXPECT_EQ(c.indexAt(54), 4);
    EXPECT_EQ(c.indexAt(55), -1);
}

INSTANTIATE_TEST_SUITE_P(ArrayAndRuns, BothForms, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Runs" : "Array"; });

TEST(Chain, EmptyChainFilledForNRowsAnswersNRows) {
    Chain small;
    small.setValue(0, 9, 20);
    EXPECT_EQ(small.size(), 10);
    EXPECT_EQ(small.getPosition(10), 200);

    Chain big;
    big.setValue(0, 999'999, 20);
    ASSERT_TRUE(big.isRunForm());
    EXPECT_EQ(big.size(), 1'000'000);
    EXPECT_EQ(big.getRunChain()->numRuns(), 1);
    EXPECT_EQ(big.getValue(999'999), 20);
    EXPECT_EQ(big.getTotal(), 20'000'000);
}

TEST(Chain, PositionsOfAMillionMarkerSizesDoNotOverflow) {
    Chain c(1'000'000);
    c.setValue(0, 999'999, 33000);
    EXPECT_EQ(c.getPosition(1'000'000), int64_t(33000) * 1'000'000);
    EXPECT_EQ(c.indexAt(int64_t(33000) * 999'999 + 5), 999'999);
    EXPECT_EQ(Chain(1'000'000).getTotal(), int64_t(-999) * 1'000'000);
}

TEST(Chain, AMillionVariedSizesBuildInOnePass) {
    std::vector<int> sizes(1'000'000);
    int64_t total = 0;
    for (size_t i = 0; i < sizes.size(); ++i) total += sizes[i] = int(i % 7) + 10;
    Chain c = Chain::fromValues(sizes);
    EXPECT_EQ(c.getTotal(), total);
    EXPECT_EQ(c.getValue(699'999), int(699'999 % 7) + 10);
    EXPECT_EQ(c.indexAt(c.getPosition(123'456)), 123'456);
}

TEST(ChainUtil, SequentialLookUpsAcrossTheLastRunStayInside) {
    ChainUtil u(std::vector<int>{1, 1, 2, 2, 3, 3});
    std::vector<int> seen;
    for (int i = 0; i < 8; ++i) seen.push_back(u.getRunLen(i));
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 2, 2, 3, 3, 3, 3}));
    EXPECT_EQ(u.getRunSum(6), 12);
    EXPECT_EQ(u.getRunSum(100), 12);
    std::vector<int> backwards;
    for (int i = 7; i >= -1; --i) backwards.push_back(u.getRunLen(i));
    EXPECT_EQ(backwards, (std::vector<int>{3, 3, 3, 3, 2, 2, 1, 1, 1}));
    EXPECT_EQ(u.getRunSum(-1), 0);
}

TEST(ChainUtil, StructuralEditsResetTheCachedLookUp) {
    ChainUtil u(std::vector<int>{1, 2, 3, 4});
    EXPECT_EQ(u.getRunLen(3), 4);  // caches the last run
    u.remove(0, 1);
    EXPECT_EQ(u.getRunLen(1), 4);
    EXPECT_EQ(u.getRunLen(0), 3);
    EXPECT_TRUE(u.insert(ChainUtil(std::vector<int>{9}), 0));
    EXPECT_EQ(u.getRunLen(1), 3);
    EXPECT_TRUE(u.move(0, 1, 3));
    EXPECT_EQ(u.getArray(), (std::vector<int>{3, 4, 9}));
    EXPECT_EQ(u.getRunSum(2), 7);
}

TEST(ChainUtil, AppendEqualValueExtendsTheLastRunAndDeleteFillsScrap) {
    ChainUtil u;
    u.append(5);
    u.append(5);
    EXPECT_EQ(u.numRuns(), 1);
    u.append(6);
    u.append(6);
    EXPECT_EQ(u.numRuns(), 2);
    ChainUtil scrap;
    EXPECT_TRUE(u.remove(1, 2, &scrap));
    EXPECT_EQ(scrap.getArray(), (std::vector<int>{5, 6}));
    EXPECT_EQ(scrap.getRuns()[1].start, 1);
    EXPECT_EQ(u.getArray(), (std::vector<int>{5, 6}));
}
