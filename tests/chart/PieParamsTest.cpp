// The pie format's setters and the "data.pie" page parameters that reach them.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/NxChart.h"
#include "chart/PieChartParams.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/source/InputStreamDataSource.h"
#include "chart/style/NxChartStyle.h"
#include "host/page/Applet.h"
#include "host/page/PageHost.h"
#include "tests/ombu/OmbuTestSupport.h"
#include "tests/support/ErrCapture.h"

using namespace norvex::chart;

namespace {

using testsupport::ErrCapture;

std::shared_ptr<NxChart> pieChart(std::vector<std::pair<std::string, std::string>> params) {
    auto applet = host::create<host::Applet>();
    params.insert(params.begin(), {"data", "ARRAY 3 2 1 2 'a' 1 2 'b' 3 2 'c' 5 5"});
    params.insert(params.begin() + 1, {"data.chartType", "PIE"});
    applet->setParameters(std::move(params));
    applet->setAppletContext(std::make_shared<host::PageContext>());
    return host::create<NxChart>(applet.get(), "");
}

}  // namespace

TEST(PieFormatTest, DefaultsAndRefusedValues) {
    NxPieChartFormat f;
    EXPECT_EQ(f.getOtherLabel(), "Other");
    EXPECT_EQ(f.getThresholdMethod(), NxPieChartFormat::SLICE_CUTOFF);
    EXPECT_EQ(f.getThresholdValue(), 10.0);
    EXPECT_EQ(f.getSortOrder(), NxPieChartFormat::DATA_ORDER);
    EXPECT_EQ(f.getMinSlices(), 5);
    EXPECT_FALSE(f.getExplodeList());
    EXPECT_EQ(f.getExplodeOffset(), 10);
    ASSERT_TRUE(f.getOtherStyle());

    auto message = [](auto&& call) {
        try {
            call();
        } catch (const std::invalid_argument& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { f.setThresholdMethod(2); }),
              "Invalid value for ThresholdMethod in NxPieChartFormat.  Must be one of SLICE_CUTOFF or PIE_PERCENTILE");
    EXPECT_EQ(message([&] { f.setThresholdValue(100.5); }), "ThresholdValue must be between 0.0 and 100.0");
    EXPECT_EQ(message([&] { f.setThresholdValue(-0.1); }), "ThresholdValue must be between 0.0 and 100.0");
    EXPECT_EQ(message([&] { f.setSortOrder(-1); }),
              "Invalid value for SortOrder in NxPieChartFormat.  Must be one of ASCENDING_ORDER, DESCENDING_ORDER or "
              "DATA_ORDER");
    EXPECT_FALSE(message([&] { f.setExplodeOffset(-1); }).empty());
    EXPECT_FALSE(message([&] { f.setOtherStyle(nullptr); }).empty());
    // The bounds themselves are accepted; refused values changed nothing.
    f.setThresholdValue(0.0);
    f.setThresholdValue(100.0);
    EXPECT_EQ(f.getThresholdValue(), 100.0);
    EXPECT_EQ(f.getThresholdMethod(), NxPieChartFormat::SLICE_CUTOFF);
    EXPECT_EQ(f.getExplodeOffset(), 10);
}

TEST(PieFormatTest, ChangesReachTheViewAndTheViewMakesItsFormat) {
    auto view = host::create<ChartDataView>();
    view->setChartType(ChartDataView::PIE);
    auto fmt = view->getPieChartFormat();
    ASSERT_TRUE(fmt);
    EXPECT_EQ(fmt, view->getPieChartFormat());
    view->setChanged(false, false);
    fmt->setSortOrder(NxPieChartFormat::DESCENDING_ORDER);
    EXPECT_TRUE(view->getChanged());
    view->setChanged(false, false);
    fmt->getOtherStyle()->setFillColor(host::Color(1, 2, 3));
    EXPECT_TRUE(view->getChanged());
    fmt->setExplodeList(std::vector<host::Point>{{1, 2}, {0, NxPieChartFormat::OTHER_SLICE}});
    EXPECT_TRUE(fmt->isExploded(1, 2));
    EXPECT_TRUE(fmt->isExploded(0, NxPieChartFormat::OTHER_SLICE));
    EXPECT_FALSE(fmt->isExploded(2, 1));
}

TEST(PieParamsTest, ExplodeListText) {
    std::string error;
    auto list = PieChartParams::parseExplodeList(" 1:2 , 3:other,,2:1", error);
    ASSERT_TRUE(list);
    EXPECT_EQ(*list, (std::vector<host::Point>{{0, 1}, {2, NxPieChartFormat::OTHER_SLICE}, {1, 0}}));
    EXPECT_TRUE(PieChartParams::parseExplodeList("", error)->empty());
    for (const char* bad : {"0:1", "1:0", "1", "a:b", "1:-2", "1:2:3", "99999999999:1"}) {
        error.clear();
        EXPECT_FALSE(PieChartParams::parseExplodeList(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(PieParamsTest, PageParametersSetTheFormat) {
    ErrCapture err;
    auto c = pieChart({{"data.pie.thresholdMethod", "PIE_PERCENTILE"},
                       {"data.pie.thresholdValue", "7.5"},
                       {"data.pie.sortOrder", "DESCENDING_ORDER"},
                       {"data.pie.minSlices", "3"},
                       {"data.pie.otherLabel", "Rest"},
                       {"data.pie.other.fill.color", "green"},
                       {"data.pie.explodeList", "2:OTHER, 1:3"},
                       {"data.pie.explodeOffset", "6"}});
    auto v = c->getDataView(0);
    ASSERT_EQ(v->getChartType(), ChartDataView::PIE);
    auto f = v->getPieChartFormat();
    EXPECT_EQ(f->getThresholdMethod(), NxPieChartFormat::PIE_PERCENTILE);
    EXPECT_EQ(f->getThresholdValue(), 7.5);
    EXPECT_EQ(f->getSortOrder(), NxPieChartFormat::DESCENDING_ORDER);
    EXPECT_EQ(f->getMinSlices(), 3);
    EXPECT_EQ(f->getOtherLabel(), "Rest");
    EXPECT_EQ(f->getOtherStyle()->getFillColor(), host::Color::green);
    ASSERT_TRUE(f->getExplodeList());
    EXPECT_EQ(*f->getExplodeList(), (std::vector<host::Point>{{1, NxPieChartFormat::OTHER_SLICE}, {0, 2}}));
    EXPECT_EQ(f->getExplodeOffset(), 6);
    EXPECT_EQ(err.out.str(), "");
}

TEST(PieParamsTest, BadValuesAreReportedAndKeepTheDefaults) {
    ErrCapture err;
    auto c = pieChart({{"data.pie.thresholdValue", "150"},
                       {"data.pie.explodeList", "1:x"},
                       {"data.pie.explodeOffset", "-3"}});
    auto f = c->getDataView(0)->getPieChartFormat();
    EXPECT_EQ(f->getThresholdValue(), 10.0);
    EXPECT_FALSE(f->getExplodeList());
    EXPECT_EQ(f->getExplodeOffset(), 10);
    std::string out = err.out.str();
    EXPECT_NE(out.find("data.pie.thresholdValue"), std::string::npos) << out;
    EXPECT_NE(out.find("data.pie.explodeList"), std::string::npos) << out;
    EXPECT_NE(out.find("data.pie.explodeOffset"), std::string::npos) << out;
}

TEST(PieParamsTest, OtherChartTypesIgnoreThePieParameters) {
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"data", "ARRAY 1 2 1 2 'a' 3 4"}, {"data.pie.minSlices", "2"}});
    applet->setAppletContext(std::make_shared<host::PageContext>());
    auto c = host::create<NxChart>(applet.get(), "");
    EXPECT_EQ(c->getDataView(0)->getPieChartFormat()->getMinSlices(), 5);
}

TEST(PieFormatTest, NewSlicesAvoidTheOtherSliceColour) {
    auto c = host::create<NxChart>();
    auto v = c->getDataView(0);
    v->setChartType(ChartDataView::PIE);
    v->getPieChartFormat()->getOtherStyle()->setFillColor(host::Color::orange);
    for (int k = 0; k < 12; ++k) v->addSeries(k)->setY(std::vector<double>{double(k + 1)});
    c->ensureStyles();
    for (auto& s : v->getSeries()) {
        ASSERT_TRUE(s->getStyle());
        EXPECT_NE(s->getStyle()->getFillColor(), host::Color::orange);
    }
}

TEST(PieFormatTest, AChartPicksAndUnpicksItsSlicesThroughTheArea) {
    ombutest::ShownFrame f(300, 200);
    auto chart = host::create<NxChart>();
    chart->getDataView(0)->setDataSource(
        std::make_shared<InputStreamDataSource>(std::string_view("ARRAY 3 2 1 2 'a' 1 2 'b' 3 2 'c' 0 5")));
    auto c = f.add(chart, 0, 0, 300, 200);
    auto v = c->getDataView(0);
    v->setChartType(ChartDataView::PIE);
    f.show();
    c->validate();
    for (int point : {0, 1})
        for (int series : {0, 1}) {
            auto px = c->unpick(v, series, point);
            ASSERT_TRUE(px) << series << " " << point;
            auto hit = c->pick(*px, v);
            ASSERT_TRUE(hit);
            EXPECT_EQ(hit->point, point);
            EXPECT_EQ(hit->series, v->getSeries(series));
            EXPECT_EQ(hit->distance, 0);
        }
    // Series "c" is 0 in the first pie: no slice to point at.
    EXPECT_FALSE(c->unpick(v, 2, 0));
}
