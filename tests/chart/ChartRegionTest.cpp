#include <gtest/gtest.h>

#include "ChartTestSupport.h"
#include "chart/base/ChartRegion.h"
#include "chart/base/DerivedString.h"
#include "chart/model/NxBarChartFormat.h"

using namespace charttest;

namespace {
struct Counter : Changeable {
    int calls = 0;
    void setChanged(bool b) override { calls += b ? 1 : 0; }
};
}  // namespace

TEST(ChartRegion, LayoutMovesOnlyDefaultCoordinates) {
    ChartRegion r;
    r.setLeft(7);
    r.setHeight(30);
    r.reshape(1, 2, 3, 4);
    EXPECT_EQ(r.getLeft(), 7);
    EXPECT_EQ(r.getTop(), 2);
    EXPECT_EQ(r.getWidth(), 3);
    EXPECT_EQ(r.getHeight(), 30);
    r.setLeftIsDefault(true);
    r.move(9, 9);
    EXPECT_EQ(r.getLeft(), 9);
}

TEST(ChartRegion, ChangesReachTheCanvasOnce) {
    Counter canvas;
    ChartRegion r;
    r.setParent(&canvas);
    r.setName("n");
    r.setName("n");  // unchanged: nothing
    r.setBackground(host::Color::red);
    EXPECT_EQ(canvas.calls, 1);  // already changed: the canvas heard it once
    r.setChanged(false);
    r.setUpdateParent(false);
    r.setIsShowing(false);
    EXPECT_EQ(canvas.calls, 1);
    EXPECT_TRUE(r.isChanged());
}

TEST(NxBarChartFormat, RangesAndParent) {
    Counter parent;
    NxBarChartFormat f(&parent);
    EXPECT_EQ(f.getClusterWidth(), 80);
    f.setClusterWidth(80);
    EXPECT_EQ(parent.calls, 0);
    f.setClusterOverlap(-100);
    f.set100Percent(true);
    EXPECT_EQ(parent.calls, 2);
    try {
        f.setClusterWidth(101);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "ClusterWidth must be between 0 and 100");
    }
    try {
        f.setClusterOverlap(-101);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "ClusterOverlap must be between -100 and 100");
    }
}

TEST(ChartModelValues, MinMaxAndDerivedValues) {
    MinMax mm;
    EXPECT_TRUE(mm.isEmpty());
    std::vector<double> v{4, 99, -1};
    mm.setMinMax(&v, 99);
    EXPECT_EQ(mm, MinMax(-1.0, 4.0));
    mm.setMinMax(nullptr, 0);
    mm.unite(MinMax(-5.0, 0.0));
    EXPECT_EQ(mm, MinMax(-5.0, 4.0));

    DerivedString s;
    EXPECT_TRUE(s.getIsDefault());
    s.set("x");
    EXPECT_FALSE(s.getIsDefault());
    s.setIsDefault(true);
    EXPECT_EQ(s.get(), "x");

    // Setting a derived axis property and returning it to computed.
    NxAxis a;
    a.setMin(3);
    EXPECT_FALSE(a.getMinIsDefault());
    a.setMinIsDefault(true);
    EXPECT_TRUE(a.getMinIsDefault());
    MinMax empty;
    a.setLimits(empty);
    EXPECT_FALSE(a.getDataLimits().has_value());
}
