#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

#include "ChartTestSupport.h"
#include "chart/model/AnnotationHandler.h"
#include "chart/base/ChartErrorDialog.h"
#include "chart/source/FileDataSource.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/model/NxChartTimeUtil.h"
#include "chart/model/NxLabelGenerator.h"
#include "chart/model/NxValueLabel.h"
#include "host/graphics/RecordingGraphics.h"
#include "tests/support/FixedZone.h"

using namespace charttest;

namespace {

// The chart area's order: scale, map, anchor, place, thin, measure.
void annotate(NxAxis& a) {
    a.calcAxisParams();
    a.calcTransformation();
    a.calcAnchors();
    a.layoutAnnotations();
    a.checkAnnotations();
    a.calcAnnotationExtents();
}

std::vector<std::string> texts(const NxAxis& a, bool visibleOnly = false) {
    std::vector<std::string> out;
    for (const auto& l : a.getAnnotations())
        if (!visibleOnly || l->getIsVisible()) out.push_back(l->getText());
    return out;
}

using testsupport::FixedZone;

struct Bracketed : NxLabelGenerator {
    host::Value makeLabel(double value, int precision) override {
        return "<" + NxChartUtil::format(value, precision) + ">";
    }
};

}  // namespace

TEST(Annotation, ValueLabelsAtTheNumberingSpacingWithThePrecision) {
    TestChart c;
    NxAxis& x = *c.x;
    x.setMin(0);
    x.setMax(10);
    x.setNumSpacing(2.5);
    x.setPrecision(1);
    annotate(x);
    EXPECT_EQ(texts(x), (std::vector<std::string>{"0.0", "2.5", "5.0", "7.5", "10.0"}));
    EXPECT_EQ(texts(x, true).size(), 5u);
    // Labels sit below a horizontal axis, centred on their value's pixel.
    EXPECT_EQ(x.getAnnotationAnchor(), AnnotationHandler::SOUTH);
    const ChartText& mid = x.getAnnotations()[2]->getChartText();
    EXPECT_EQ(mid.getLeft() + mid.getWidth() / 2, x.toPixel(5.0));
    EXPECT_EQ(mid.getTop(), x.getTop() + x.getGap());
    EXPECT_EQ(mid.getWidth(), 21);  // "5.0" at 7 pixels a character
    // Room beyond the ends is half the end labels, across the axis the tallest label.
    EXPECT_EQ(x.getExtents(), (AnnotationExtents{15, 11, 12 + 2 + 1}));

    // A label generator makes the texts, and the scale measures them.
    x.setLabelGenerator(std::make_shared<Bracketed>());
    annotate(x);
    EXPECT_EQ(texts(x).front(), "<0.0>");
    host::Dimension d;
    x.getAnnoExtent(d, 7.5, 1);
    EXPECT_EQ(d.width, 5 * 7);
}

TEST(Annotation, TooManyLabelsBecomeOneAPixelAndOverlapsAreDropped) {
    TestChart c;
    NxAxis& x = *c.x;
    x.reshape(0, 0, 200, 20);
    x.setMin(0);
    x.setMax(1000);
    x.setNumSpacing(1);
    x.setPrecision(0);
    x.calcAxisParams();
    EXPECT_EQ(x.getAnnotations().size(), 1001u);
    x.calcTransformation();
    x.calcAnchors();
    x.layoutAnnotations();
    x.checkAnnotations();
    const auto& labels = x.getAnnotations();
    ASSERT_EQ(labels.size(), 200u);
    EXPECT_TRUE(labels.front()->getIsVisible());
    std::vector<host::Rectangle> shown;
    for (const auto& l : labels) {
        if (!l->getIsVisible()) continue;
        const ChartText& t = l->getChartText();
        host::Rectangle r{t.getLeft(), t.getTop(), t.getWidth() + x.getGap(), t.getHeight() + x.getGap()};
        for (const auto& s : shown) EXPECT_FALSE(r.intersects(s)) << l->getText();
        shown.push_back(r);
    }
    EXPECT_GT(shown.size(), 3u);
    EXPECT_LT(shown.size(), 20u);
}

TEST(Annotation, ProgramLabelsStaySortedAndAreThinnedFromTheLowEnd) {
    TestChart c;
    NxAxis& x = *c.x;
    x.setAnnotationMethod(NxAxis::VALUE_LABELS);
    for (double v : {1.0, 3.0, 2.0}) x.addValueLabel(std::make_shared<NxValueLabel>(v, "v" + NxChartUtil::format(v, 0)));
    auto two = std::make_shared<NxValueLabel>(2.0, "two");
    x.addValueLabel(two);
    auto list = x.getValueLabels();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0]->getText(), "v1");
    EXPECT_EQ((*list)[1], two);
    EXPECT_EQ(x.getValueLabel(3.0)->getText(), "v3");
    EXPECT_FALSE(x.getValueLabel(4.0));
    EXPECT_FALSE(x.getValueLabels(7));
    EXPECT_THROW(x.setValueLabels(5, std::make_shared<NxValueLabel>()), std::invalid_argument);
    try {
        x.setValueLabels(-1, std::make_shared<NxValueLabel>());
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid ValueLabels index in NxAxis");
    }

    // On 0..100 over 400 pixels (4 a unit) labels 30 pixels wide at 1, 2, 3 overlap:
    // the first wins; one below the range is hidden, a distant one shown.
    x.setValueLabels({std::make_shared<NxValueLabel>(-5, "low"), std::make_shared<NxValueLabel>(50, "far"),
                      std::make_shared<NxValueLabel>(1, "aaaa"), std::make_shared<NxValueLabel>(2, "bbbb"),
                      std::make_shared<NxValueLabel>(12, "cccc")});
    x.setMin(0);
    x.setMax(100);
    annotate(x);
    EXPECT_EQ(texts(x), (std::vector<std::string>{"low", "aaaa", "bbbb", "cccc", "far"}));
    EXPECT_EQ(texts(x, true), (std::vector<std::string>{"aaaa", "cccc", "far"}));

    // Outside VALUE_LABELS the list is left alone.
    x.setAnnotationMethod(NxAxis::VALUE);
    x.setValueLabels({});
    EXPECT_EQ(x.getValueLabels()->size(), 5u);
}

TEST(Annotation, PointLabelsOfTheViewOnTheXAxis) {
    TestChart c;
    auto view = c.addView();
    view->setXAxis(c.x);
    view->setYAxis(c.y);
    view->setDataSource(std::make_shared<FileDataSource>(std::string(NORVEX_SOURCE_DIR) +
                                                         "/examples/data/quarterly-sales.dat"));
    c.x->setAnnotationMethod(NxAxis::POINT_LABELS);
    c.x->setAnnotationRotation(NxAxis::ROTATE_90);
    EXPECT_THROW(c.y->setAnnotationMethod(NxAxis::POINT_LABELS), std::invalid_argument);
    view->calcLimits();
    annotate(*c.x);
    EXPECT_EQ(texts(*c.x), (std::vector<std::string>{"Q1", "Q2", "Q3", "Q4"}));
    const auto& l = c.x->getAnnotations();
    EXPECT_EQ(l[2]->getValue(), 3);
    EXPECT_TRUE(l[2]->getChartText().getIsRichText());
    EXPECT_EQ(l[2]->getChartText().getRotation(), ChartText::DEG_90);
    // Half a step of room on each side, as for bars.
    EXPECT_DOUBLE_EQ(c.x->getMin(), 0.5);
    EXPECT_DOUBLE_EQ(c.x->getMax(), 4.5);
}

TEST(Annotation, LogarithmicDecades) {
    TestChart c;
    auto view = c.addView();
    view->setXAxis(c.x);
    view->setYAxis(c.y);
    view->setDataSource(std::make_shared<InputStreamDataSource>("ARRAY 1 3  1 2 3  3 50 700"));
    c.y->setIsLogarithmic(true);
    view->calcLimits();
    annotate(*c.y);
    ASSERT_EQ(c.y->getAnnotations().size(), 4u);
    EXPECT_EQ(c.y->getAnnotations()[3]->getValue(), 1000);
    EXPECT_EQ(c.y->getAnnotations()[3]->getText(), NxChartUtil::logFormat(3));
}

TEST(Annotation, TimeLabelsAcrossAMonthBoundaryInLocalTime) {
    FixedZone zone("America/New_York");
    TestChart c;
    NxAxis& x = *c.x;
    x.setAnnotationMethod(NxAxis::TIME_LABELS);
    x.setTimeUnit(NxAxis::DAYS);
    x.setTimeBase(host::Date(105, 0, 20, 9, 30));  // 20 January 2005, 09:30
    x.setMin(0);
    x.setMax(20);
    x.setTimeFormat("%b %d %H:%M");
    annotate(x);
    std::vector<std::string> all = texts(x);
    ASSERT_GE(all.size(), 3u);
    bool crossed = false;
    double previous = -1e9;
    for (const auto& l : x.getAnnotations()) {
        // Each label is a local midnight, and its value maps back to its own date.
        EXPECT_EQ(l->getText().substr(7), "00:00") << l->getText();
        EXPECT_EQ(NxChartTimeUtil::timeLabel("%b %d %H:%M", x.valueToDate(l->getValue())), l->getText());
        EXPECT_GT(l->getValue(), previous);
        previous = l->getValue();
        if (l->getText().rfind("Feb", 0) == 0) crossed = true;
    }
    EXPECT_TRUE(crossed);
    EXPECT_FALSE(texts(x, true).empty());

    // The default format for the 20-day range.
    x.setTimeFormatIsDefault(true);
    annotate(x);
    EXPECT_EQ(x.getAnnotations().front()->getText().size(), 6u);  // "%b %d": "Jan 22"
}

TEST(Annotation, TimeLabelsAcrossAYearBoundaryAreThinned) {
    FixedZone zone("Asia/Tokyo");
    TestChart c;
    NxAxis& x = *c.x;
    x.reshape(0, 0, 120, 20);
    x.setAnnotationMethod(NxAxis::TIME_LABELS);
    x.setTimeUnit(NxAxis::MONTHS);
    x.setTimeBase(host::Date(104, 8, 1));  // 1 September 2004
    x.setMin(0);
    x.setMax(8);
    x.setTimeFormat("%b %Y");
    annotate(x);
    std::vector<std::string> all = texts(x);
    EXPECT_NE(std::find(all.begin(), all.end(), "Jan 2005"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "Nov 2004"), all.end());
    // Two-month steps: 120 pixels fit about two labels.
    EXPECT_EQ(all.front(), "Sept 2004");
    // Eight-character labels 30 pixels apart: only every third one is shown.
    std::vector<std::string> shown = texts(x, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"Sept 2004", "Mar 2005"}));
}

TEST(Annotation, TimeLabelsOutsideTheSupportedRangeAreReported) {
    FixedZone zone("UTC");
    ChartErrorDialog::clear();
    TestChart c;
    NxAxis& x = *c.x;
    x.setAnnotationMethod(NxAxis::TIME_LABELS);
    x.setTimeUnit(NxAxis::YEARS);
    x.setTimeBase(host::Date(130, 0, 1));
    x.setMin(0);
    x.setMax(20);
    testing::internal::CaptureStderr();
    annotate(x);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ChartErrorDialog::getMessageCount(), 1);
    EXPECT_NE(ChartErrorDialog::getLastMessage().find("out of the supported time range"), std::string::npos);
    for (const auto& l : x.getAnnotations()) EXPECT_LE(x.valueToDate(l->getValue()), NxChartTimeUtil::getMaxTime());
    ChartErrorDialog::clear();
}

TEST(Annotation, AnchorsFollowPlacementAndTheOtherAxis) {
    TestChart c;
    auto view = c.addView();
    view->setXAxis(c.x);
    view->setYAxis(c.y);
    c.y->calcAxisParams();
    c.y->calcAnchors();
    EXPECT_EQ(c.y->getAnnotationAnchor(), AnnotationHandler::WEST);
    c.y->setPlacement(NxAxis::MAX);
    c.y->calcAnchors();
    EXPECT_EQ(c.y->getAnnotationAnchor(), AnnotationHandler::EAST);
    c.x->setIsReversed(true);
    c.y->calcAnchors();
    EXPECT_EQ(c.y->getAnnotationAnchor(), AnnotationHandler::WEST);

    // An explicit origin of the other axis near its max puts the labels on the high side.
    c.x->calcAxisParams();
    c.x->calcAnchors();
    EXPECT_EQ(c.x->getAnnotationAnchor(), AnnotationHandler::SOUTH);
    c.y->setMin(0);
    c.y->setMax(100);
    c.y->setOrigin(90);
    c.x->calcAnchors();
    EXPECT_EQ(c.x->getAnnotationAnchor(), AnnotationHandler::NORTH);

    // West labels end gap pixels left of the line at the region's right edge.
    c.y->setPlacementIsDefault(true);
    c.x->setIsReversed(false);
    annotate(*c.y);
    const ChartText& t = c.y->getAnnotations().front()->getChartText();
    EXPECT_EQ(t.getLeft() + t.getWidth(), c.y->getLeft() + c.y->getWidth() - c.y->getGap());
}

TEST(Annotation, TitlePlacementAndItsRoom) {
    TestChart c;
    auto view = c.addView();
    view->setXAxis(c.x);
    view->setYAxis(c.y);
    NxAxisTitle& xt = c.x->getTitle();
    EXPECT_FALSE(xt.getIsShowing());
    EXPECT_THROW(xt.setPlacement(3), std::invalid_argument);
    try {
        xt.setPlacement(NxAxisTitle::EAST);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid title Placement for horizontal axis in NxAxisTitle");
    }
    try {
        c.y->getTitle().setPlacement(NxAxisTitle::NORTH);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid title Placement for vertical axis in NxAxisTitle");
    }

    xt.setText("Time");
    annotate(*c.x);
    EXPECT_EQ(xt.getPlacement(), NxAxisTitle::SOUTH);
    int labelsOnly = 12 + 2 + 1;
    EXPECT_EQ(c.x->getExtents().ortho, labelsOnly + 12 + 1);

    NxAxisTitle& yt = c.y->getTitle();
    yt.setText("Sales");
    annotate(*c.y);
    EXPECT_EQ(yt.getPlacement(), NxAxisTitle::NORTHWEST);
    const auto& labels = c.y->getAnnotations();
    EXPECT_EQ(c.y->getExtents().minor, labels.back()->getChartText().getHeight() / 2 + 1 + 12 + 1);

    // Drawing shows the visible labels and the title.
    c.x->layoutAnnotations();
    host::RecordingGraphics g;
    c.x->drawAnnotationsAndTitle(g);
    std::string log = g.logText();
    EXPECT_NE(log.find("Time"), std::string::npos);
    EXPECT_NE(log.find(c.x->getAnnotations().front()->getText()), std::string::npos);
}
