#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ChartTestSupport.h"
#include "chart/model/AxisHandler.h"
#include "chart/base/ChartErrorDialog.h"
#include "chart/source/InputStreamDataSource.h"
#include "chart/model/NxValueLabel.h"

using namespace charttest;

namespace {

std::shared_ptr<ChartDataView> plotView(TestChart& chart, std::vector<double> x, std::vector<double> y) {
    auto v = chart.addView();
    v->setX(std::move(x));
    v->addSeries(0)->setY(std::move(y));
    return v;
}

void scale(TestChart& chart) {
    for (auto* a : {chart.x.get(), chart.y.get()}) a->clearLimits();
    for (auto& v : chart.views) v->calcLimits();
    for (auto* a : {chart.x.get(), chart.y.get()}) {
        a->calcAxisParams();
        a->calcTransformation();
    }
}

}  // namespace

TEST(NxAxis, SingleValueGetsOneUnitRange) {
    TestChart chart;
    plotView(chart, {1}, {5});
    scale(chart);
    EXPECT_EQ(chart.y->getMin(), 5.0);
    EXPECT_EQ(chart.y->getMax(), 6.0);
    EXPECT_EQ(chart.y->getOrigin(), 5.0);
    EXPECT_EQ(chart.y->getPrecision(), 0);
}

TEST(NxAxis, AutomaticRangeIncludesZeroOrigin) {
    TestChart chart;
    plotView(chart, {0, 1, 2, 3}, {0.3, 7.7, 3, 9.2});
    scale(chart);
    EXPECT_EQ(chart.y->getOrigin(), 0.0);
    EXPECT_LE(chart.y->getMin(), 0.0);
    EXPECT_GE(chart.y->getMax(), 9.2);
    EXPECT_GT(chart.y->getNumSpacing(), 0.0);
    EXPECT_EQ(chart.y->getTickSpacing() * 2, chart.y->getNumSpacing());
    // An explicit origin counts as 0 while the range is computed.
    chart.y->setOrigin(4);
    scale(chart);
    EXPECT_EQ(chart.y->getOrigin(), 4.0);
    EXPECT_LE(chart.y->getMin(), 0.0);
}

TEST(NxAxis, BarXAxisGetsHalfStepRoom) {
    TestChart chart;
    auto v = plotView(chart, {1, 2, 3, 4, 5}, {3, 1, 4, 1, 5});
    v->setChartType(ChartDataView::BAR);
    scale(chart);
    EXPECT_EQ(chart.x->getStep(), 1.0);
    EXPECT_DOUBLE_EQ(chart.x->getMin(), 0.5);
    EXPECT_DOUBLE_EQ(chart.x->getMax(), 5.5);
    EXPECT_TRUE(chart.x->getHasBar());
    EXPECT_EQ(chart.y->getOrigin(), 0.0);
}

TEST(NxAxis, ConflictingBoundsAreReported) {
    ChartErrorDialog::clear();
    TestChart chart;
    plotView(chart, {1, 2}, {1, 20});
    chart.y->setMin(10);
    chart.y->setMax(5);
    testing::internal::CaptureStderr();
    scale(chart);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ChartErrorDialog::getLastMessage(), "Min must be less than Max.[NEWLINE]Setting MaxIsDefault to true.");
    EXPECT_EQ(err, "Min must be less than Max. Setting MaxIsDefault to true.\n");
    EXPECT_TRUE(chart.y->getMaxIsDefault());
    EXPECT_EQ(chart.y->getMin(), 10.0);
    EXPECT_GE(chart.y->getMax(), 20.0);

    // The display seam replaces the error stream.
    std::string shown;
    ChartErrorDialog::setDisplay([&](const std::string& m) { shown = m; });
    ChartErrorDialog::show("x");
    ChartErrorDialog::setDisplay({});
    EXPECT_EQ(shown, "x");
}

TEST(NxAxis, LogAxisSnapsToDecades) {
    TestChart chart;
    plotView(chart, {1, 2, 3}, {3, 50, 700});
    chart.y->setIsLogarithmic(true);
    scale(chart);
    EXPECT_EQ(chart.y->getMin(), 1.0);
    EXPECT_EQ(chart.y->getMax(), 1000.0);
    EXPECT_EQ(chart.y->getLogIncrement(), 1);
    EXPECT_EQ(chart.y->getOrigin(), 1.0);
    // Decades spread evenly: 10 and 100 at one and two thirds of the height.
    EXPECT_EQ(chart.y->toPixel(1), 300);
    EXPECT_EQ(chart.y->toPixel(1000), 0);
    EXPECT_NEAR(chart.y->toData(200), 10.0, 0.2);

    ChartErrorDialog::clear();
    chart.y->setMin(-1);
    testing::internal::CaptureStderr();
    scale(chart);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ChartErrorDialog::getLastMessage(), "Min must be positive for log axis.[NEWLINE]Setting MinIsDefault to true.");
    EXPECT_TRUE(chart.y->getMinIsDefault());
    EXPECT_EQ(chart.y->getMin(), 1.0);
}

TEST(NxAxis, LogAxisKeepsWholeDecadesWhole) {
    struct Case {
        double lo, hi, min, max, range;
    };
    // Data starting or ending exactly on a power of ten get no extra decade; a value a
    // hair past one does.
    for (const Case& c : {Case{1, 1000, 1, 1000, 3}, Case{0.1, 100, 0.1, 100, 3}, Case{0.001, 0.01, 0.001, 0.01, 1},
                          Case{1e-3, 1e4, 1e-3, 1e4, 7}, Case{1, 1000.0000000000001, 1, 10000, 4},
                          Case{0.09999999999999999, 100, 0.01, 100, 4}}) {
        TestChart chart;
        plotView(chart, {1, 2}, {c.lo, c.hi});
        chart.y->setIsLogarithmic(true);
        scale(chart);
        EXPECT_EQ(chart.y->getMin(), c.min) << c.lo << ".." << c.hi;
        EXPECT_EQ(chart.y->getMax(), c.max) << c.lo << ".." << c.hi;
        EXPECT_EQ(chart.y->range(), c.range) << c.lo << ".." << c.hi;
    }
}

TEST(NxAxis, PixelMapBothWaysAndReversed) {
    TestChart chart;
    chart.x->setMin(0);
    chart.x->setMax(100);
    chart.x->setPrecision(0);
    chart.x->calcTransformation();
    EXPECT_EQ(chart.x->toPixel(0), 0);
    EXPECT_EQ(chart.x->toPixel(50), 200);
    EXPECT_EQ(chart.x->toPixel(-0.3), -1);  // rounds down, also below zero
    EXPECT_DOUBLE_EQ(chart.x->toData(100), 25.0);
    chart.x->setIsReversed(true);
    chart.x->calcTransformation();
    EXPECT_EQ(chart.x->toPixel(0), 400);
    EXPECT_EQ(chart.x->toPixel(100), 0);
    chart.x->translate(10);
    EXPECT_EQ(chart.x->getMin(), -10.0);
    EXPECT_EQ(chart.x->range(), 100.0);

    // Values grow upward on a vertical axis.
    chart.y->setMin(0);
    chart.y->setMax(30);
    chart.y->calcTransformation();
    EXPECT_EQ(chart.y->toPixel(0), 300);
    EXPECT_EQ(chart.y->toPixel(30), 0);
    EXPECT_DOUBLE_EQ(chart.y->toData(150), 15.0);
    EXPECT_EQ(chart.y->toPixel(1e300), 300 - std::numeric_limits<int>::max());  // no overflow
}

TEST(NxAxis, PropertyValidation) {
    NxAxis a;
    auto expectMessage = [](auto f, const char* msg) {
        try {
            f();
            ADD_FAILURE() << "no error for " << msg;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), msg);
        }
    };
    expectMessage([&] { a.setPlacement(NxAxis::ZERO); }, "Invalid Placement value in NxAxis");
    a.setOriginPlacement(NxAxis::ZERO);
    EXPECT_FALSE(a.getOriginPlacementIsDefault());
    a.setOriginPlacementIsDefault(true);
    EXPECT_EQ(a.getOriginPlacement(), NxAxis::AUTOMATIC);
    expectMessage([&] { a.setOriginPlacement(4); }, "Invalid OriginPlacement in NxAxis");
    expectMessage([&] { a.setAnnotationRotation(4); }, "Invalid AnnotationRotation value in NxAxis");
    expectMessage([&] { a.setAnnotationMethod(4); }, "Invalid AnnotationMethod value in NxAxis");
    expectMessage([&] { a.setAnnotationMethod(NxAxis::POINT_LABELS); }, "Only X axes can use point labels");
    expectMessage([&] { a.setTimeUnit(5); }, "Invalid TimeUnit value in NxAxis");
    expectMessage([&] { a.setGap(-1); }, "Gap in NxAxis must be >= 0");
    a.setTimeUnit(NxAxis::WEEKS);
    EXPECT_EQ(a.getTimeUnit(), NxAxis::WEEKS);
    auto self = std::shared_ptr<NxAxis>(&a, [](NxAxis*) {});
    expectMessage([&] { a.getFormula().setOriginator(self); }, "NxAxis cannot be related to itself");
    EXPECT_EQ(a.toString().rfind("Axis ", 0), 0u);

    auto other = std::make_shared<NxAxis>();
    a.setPlacement(other, 2.5);
    EXPECT_EQ(a.getPlacement(), NxAxis::VALUE_ANCHORED);
    EXPECT_EQ(a.getPlacementAxis(), other);
    a.setPlacementIsDefault(true);
    EXPECT_EQ(a.getPlacement(), NxAxis::AUTOMATIC);
}

TEST(NxAxis, FormulaAxisFollowsOriginator) {
    TestChart chart;
    plotView(chart, {0, 10}, {0, 100});
    scale(chart);
    auto derived = std::make_shared<NxAxis>(&chart, false, NxAxis::VALUE);
    derived->getFormula().setOriginator(chart.y);
    derived->getFormula().setMultiplier(-2);
    derived->getFormula().setConstant(1);
    derived->calcAxisParams();
    EXPECT_TRUE(derived->getIsVertical());
    EXPECT_EQ(derived->getMin(), chart.y->getMax() * -2 + 1);
    EXPECT_EQ(derived->getMax(), chart.y->getMin() * -2 + 1);
    EXPECT_FALSE(derived->getIsPrimary());
}

TEST(NxAxis, FirstIncrementOnTheGrid) {
    NxAxis a;
    a.setMin(0.3);
    a.setMax(10);
    a.setPrecision(0);
    EXPECT_EQ(a.firstInc(0), 0.3);
    EXPECT_EQ(a.firstInc(2), 2.0);
}

// Data at the ends of the number line, or far beyond the resolution of the spacing,
// must still give a finished scale quickly (these once looped forever or read NaN).
TEST(NxAxis, ExtremeDataGiveFiniteScales) {
    const std::vector<std::vector<double>> cases = {
        {1e300, 1e300}, {-1e308, 1e308}, {1e-300, 2e-300}, {16059235.96, 16059239.2}, {0.00012, 0.00018}};
    for (const auto& y : cases) {
        TestChart chart;
        plotView(chart, {1, 2}, y);
        scale(chart);
        NxAxis& a = *chart.y;
        a.calcAnchors();
        a.layoutAnnotations();
        a.checkAnnotations();
        EXPECT_TRUE(std::isfinite(a.getMin()) && std::isfinite(a.getMax())) << y[0];
        EXPECT_LE(a.getMin(), std::min(y[0], y[1])) << y[0];
        EXPECT_GE(a.getMax(), std::max(y[0], y[1])) << y[0];
        EXPECT_LE(a.getAnnotations().size(), size_t(a.pixelLength()) + 1) << y[0];
        for (const auto& l : a.getAnnotations())
            EXPECT_EQ(l->getText().find_first_of("eE"), std::string::npos) << l->getText();
        int p = a.toPixel(y[1]);
        EXPECT_GE(p, 0);
        EXPECT_LE(p, a.pixelLength());
    }

    // Tens of millions keep their decimals: bounds on the 0.5 grid next to the data.
    TestChart chart;
    plotView(chart, {1, 2}, {16059235.96, 16059239.2});
    scale(chart);
    EXPECT_GE(chart.y->getMin(), 16059235.0);
    EXPECT_LE(chart.y->getMax(), 16059240.0);

    // Infinite explicit bounds of a log axis are reported or clipped, never looped over.
    TestChart log;
    plotView(log, {1, 2}, {3, 700});
    log.y->setIsLogarithmic(true);
    log.y->setMax(std::numeric_limits<double>::infinity());
    scale(log);
    EXPECT_LE(log.y->getAnnotations().size(), 700u);
}

// The same through the data text: a file of extreme values scales like any other.
TEST(NxAxis, ExtremeDataTextScales) {
    TestChart chart;
    auto view = chart.addView();
    view->setDataSource(std::make_shared<InputStreamDataSource>(
        "ARRAY 3 4  1 2 3 4  1 e 308 -1 e 308 1e300 hole  1e300 1e300 1e300 1e300  1.2e-300 1.3 e -300 0.00012 0.00018"));
    ASSERT_EQ(view->getNumSeries(), 3);
    for (int s = 0; s < 3; ++s) {
        for (int k = 0; k < 3; ++k) view->getSeries(k)->setIsIncluded(k == s);
        scale(chart);
        EXPECT_TRUE(std::isfinite(chart.y->getMin()) && std::isfinite(chart.y->getMax())) << s;
        EXPECT_LT(chart.y->getMin(), chart.y->getMax()) << s;
    }
}
