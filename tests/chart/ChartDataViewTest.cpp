#include <gtest/gtest.h>

#include <limits>

#include "ChartTestSupport.h"

using namespace charttest;
using V = std::vector<host::Value>;
constexpr double kHole = std::numeric_limits<double>::max();

TEST(ChartDataView, LoadsArraySourceWithSharedX) {
    TestChart chart;
    auto view = chart.addView();
    auto model = std::make_shared<RowModel>(Chartable::ARRAY,
                                            std::vector<V>{{1, 2, 3}, {10, "20", 30.5}, {-1, host::Value(), 4}});
    model->labels = std::vector<std::string>{"a", "b", "c"};
    view->setDataSource(model);

    ASSERT_EQ(view->getNumSeries(), 2);
    EXPECT_EQ(view->getName(), "model");
    EXPECT_EQ(view->getSeries(1)->getName(), "S1");
    EXPECT_EQ(view->getSeries(0)->getLabel(), "L0");
    EXPECT_EQ(view->getPointLabel(2), "c");
    EXPECT_EQ(view->getSeries(0)->getY(1), 20.0);
    EXPECT_EQ(view->getSeries(1)->getX(2), 3.0);       // shared X row
    EXPECT_EQ(view->getSeries(1)->getY(1), kHole);     // a null item is a hole
    EXPECT_EQ(view->getSeries(1)->getDrawingOrder(), 1);
    EXPECT_EQ(view->getSeries(0)->getLastPoint(), 2);
    EXPECT_EQ(model->countObservers(), 1);
    EXPECT_THROW(view->getSeries(2), std::invalid_argument);
    EXPECT_THROW(view->getPointLabel(3), std::invalid_argument);
}

TEST(ChartDataView, GeneralSourceIgnoresOddRowAndShortSources) {
    TestChart chart;
    auto view = chart.addView();
    view->setDataSource(std::make_shared<RowModel>(
        Chartable::GENERAL, std::vector<V>{{1, 2}, {5, 6}, {3, 4, 5}, {7, 8, 9}, {100}}));
    ASSERT_EQ(view->getNumSeries(), 2);
    EXPECT_EQ(view->getSeries(1)->getX(2), 5.0);
    EXPECT_FALSE(view->getX().has_value());

    auto single = chart.addView();
    single->setDataSource(std::make_shared<RowModel>(Chartable::ARRAY, std::vector<V>{{1, 2, 3}}));
    EXPECT_EQ(single->getNumSeries(), 0);
    EXPECT_FALSE(single->getX().has_value());

    auto bad = std::make_shared<RowModel>(7, std::vector<V>{{1}, {2}});
    EXPECT_THROW(single->setDataSource(bad), std::runtime_error);
}

TEST(ChartDataView, FollowsModelChangeMessages) {
    TestChart chart;
    auto view = chart.addView();
    auto model = std::make_shared<RowModel>(Chartable::ARRAY, std::vector<V>{{1, 2, 3}, {10, 20, 30}});
    view->setDataSource(model);
    int before = chart.updates;

    model->rows[1]->setElementAt(1, host::Value(25));
    model->notifyObservers(ChartDataModelUpdate::CHANGE_VALUE, 1, 1);
    EXPECT_EQ(view->getSeries(0)->getY(1), 25.0);
    EXPECT_GT(chart.updates, before);

    model->rows[0]->insertElementAt(host::Value(0), 0);
    model->rows[1]->insertElementAt(host::Value(5), 0);
    model->notifyObservers(ChartDataModelUpdate::ADD_COLUMN, 0, 0);
    EXPECT_EQ(view->getSeries(0)->maxYIndex(), 4);
    EXPECT_EQ(view->getSeries(0)->getX(0), 0.0);

    model->notifyObservers(ChartDataModelUpdate::REMOVE_VALUE, 1, 3);
    EXPECT_EQ(view->getSeries(0)->maxYIndex(), 3);
    model->notifyObservers(ChartDataModelUpdate::CHANGE_VALUE, 1, 99);  // outside: ignored

    model->rows.push_back(std::make_shared<norvex::util::NxVector>(V{7, 8, 9, 10}));
    model->notifyObservers(ChartDataModelUpdate::ADD_ROW, 2, 0);
    ASSERT_EQ(view->getNumSeries(), 2);
    EXPECT_EQ(view->getSeries(1)->getY(3), 10.0);

    view->setIsBatched(true);
    int batchedUpdates = chart.updates;
    model->notifyObservers(ChartDataModelUpdate::RESET, 0, 0);
    EXPECT_EQ(chart.updates, batchedUpdates);
    view->setIsBatched(false);
    EXPECT_EQ(chart.updates, batchedUpdates + 1);

    // Edits go back to the source; a foreign series is an error.
    EXPECT_TRUE(view->getSeries(0)->editPoint(0, host::Value(42)));
    EXPECT_EQ(model->rows[1]->elementAt(0).asInt(), 42);
    ChartDataViewSeries stray;
    EXPECT_THROW(view->editPoint(&stray, 0, host::Value(1)), std::runtime_error);

    // A view that goes away leaves the model's list.
    view.reset();
    chart.views.clear();
    EXPECT_EQ(model->countObservers(), 0);
    model->notifyObservers(ChartDataModelUpdate::CHANGE_VALUE, 1, 1);
}

TEST(ChartDataView, LimitsSkipHoles) {
    TestChart chart;
    auto view = chart.addView();
    auto s = view->addSeries(0);
    s->setX(std::vector<double>{1, 2, 4});
    s->setY(std::vector<double>{3, kHole, -7});
    auto empty = view->addSeries(1);
    empty->setX(std::vector<double>{1, 1});
    empty->setY(std::vector<double>{kHole, kHole});
    view->calcLimits();
    EXPECT_EQ(*view->getYLimits(), MinMax(-7.0, 3.0));
    EXPECT_EQ(*view->getXLimits(), MinMax(1.0, 4.0));
    EXPECT_EQ(chart.x->getStep(), 1.0);

    MinMax holes;
    empty->getYMinMax(holes);
    EXPECT_TRUE(holes.isEmpty());
    EXPECT_EQ(holes.min, kHole);

    // Identical X values or a single point leave the step at 1.
    auto one = chart.addView();
    auto p = one->addSeries(0);
    p->setX(std::vector<double>{5, 5, 5});
    p->setY(std::vector<double>{1, 2, 3});
    chart.x->setStep(0.25);
    one->calcLimits();
    EXPECT_EQ(chart.x->getStep(), 1.0);
}

TEST(ChartDataView, StackedTotalsAndHundredPercent) {
    TestChart chart;
    auto view = chart.addView();
    view->setX(std::vector<double>{1});
    for (double y : {3.0, -2.0, 4.0}) view->addSeries(view->getNumSeries())->setY(std::vector<double>{y});
    auto holey = view->addSeries(3);
    holey->setY(std::vector<double>{kHole});
    view->setChartType(ChartDataView::STACKING_BAR);
    view->calcLimits();
    EXPECT_EQ(*view->getYLimits(), MinMax(-2.0, 7.0));

    view->getBarChartFormat()->set100Percent(true);
    view->calcLimits();
    EXPECT_EQ(*view->getYLimits(), MinMax(-100.0, 100.0));

    DoubleCoord o = view->getOrigin(MinMax(1.0, 1.0), MinMax(3.0, 7.0), true);
    EXPECT_EQ(o.y, 0.0);
}

TEST(ChartDataView, ChartTypesAndBarAxisSetup) {
    TestChart chart;
    auto view = chart.addView();
    EXPECT_EQ(view->getXAxis(), chart.x);
    EXPECT_THROW(view->setChartType(12), std::invalid_argument);
    try {
        view->setChartType(ChartDataView::POLAR);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Currently unsupported chart type");
    }
    view->setChartType(ChartDataView::AREA);  // area charts have a drawer
    EXPECT_EQ(view->getChartType(), ChartDataView::AREA);

    view->setChartType(ChartDataView::BAR);
    EXPECT_EQ(chart.x->getAnnotationMethod(), NxAxis::POINT_LABELS);
    EXPECT_EQ(chart.x->getPlacement(), NxAxis::ORIGIN);
    EXPECT_EQ(chart.y->getOriginPlacement(), NxAxis::ZERO);
    EXPECT_EQ(chart.typeChanges, 2);

    view->setChartType(ChartDataView::PIE);
    EXPECT_FALSE(chart.x->getIsShowing());
    view->setChartType(ChartDataView::PLOT);
    EXPECT_TRUE(chart.y->getIsShowing());
    EXPECT_EQ(chart.x->getAnnotationMethod(), NxAxis::VALUE);
}

TEST(ChartDataView, SeriesListAndPropertyErrors) {
    TestChart chart;
    auto view = chart.addView();
    view->addSeries(5)->setName("first");
    view->addSeries(0)->setName("zero");
    EXPECT_EQ(view->getSeriesIndex("first"), 1);
    EXPECT_EQ(view->getSeriesIndex("none"), -1);
    try {
        view->removeSeries(2);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid ChartDataViewSeries index");
    }
    EXPECT_THROW(view->setDrawingOrder(1), std::invalid_argument);  // one view in the chart
    view->setDrawingOrder(0);
    auto s = view->getSeries(0);
    s->setY(std::vector<double>{1, 2, 3});
    EXPECT_THROW(s->setFirstPoint(1), std::invalid_argument);  // no X values yet
    view->setX(std::vector<double>{1, 2, 3});
    s->setFirstPoint(1);
    s->setLastPoint(2);
    EXPECT_FALSE(s->getLastPointIsDefault());
    EXPECT_EQ(view->getSeries(1)->maxIndex(), 0);
    view->getSeries(1)->setIsShowing(false);
    EXPECT_EQ(*view->getFirstLast(), (host::Point{1, 2}));
    EXPECT_EQ(ChartDataViewSeries::getPoint(2.6, s->getY()), 2);
    EXPECT_EQ(view->getVisibleDataSeries(), 1);
}

// Every change message of an ARRAY model, each checked against the view's copy.
TEST(ChartDataView, EveryChangeMessageOfAnArrayModel) {
    using M = ChartDataModelUpdate;
    TestChart chart;
    auto view = chart.addView();
    auto model = std::make_shared<RowModel>(Chartable::ARRAY,
                                            std::vector<V>{{1, 2, 3}, {10, 20, 30}, {40, 50, 60}});
    model->labels = std::vector<std::string>{"a", "b", "c"};
    view->setDataSource(model);
    auto y = [&](int s) { return *view->getSeries(s)->getY(); };

    model->rows[2] = std::make_shared<norvex::util::NxVector>(V{4, 5, 6});
    model->notifyObservers(M::CHANGE_ROW, 2, 0);
    EXPECT_EQ(y(1), (std::vector<double>{4, 5, 6}));

    model->rows[1]->insertElementAt(host::Value(15), 1);
    model->notifyObservers(M::ADD_VALUE, 1, 1);
    EXPECT_EQ(y(0), (std::vector<double>{10, 15, 20, 30}));

    model->rows[0]->setElementAt(2, host::Value(9));
    model->rows[2]->setElementAt(2, host::Value(66));
    model->notifyObservers(M::CHANGE_COLUMN, 0, 2);
    EXPECT_EQ((*view->getX())[2], 9.0);
    EXPECT_EQ(y(1)[2], 66.0);

    model->notifyObservers(M::REMOVE_COLUMN, 0, 0);
    EXPECT_EQ(view->getX()->size(), 2u);
    EXPECT_EQ(y(1), (std::vector<double>{5, 66}));

    model->labels = std::vector<std::string>{"a", "B", "c"};
    model->notifyObservers(M::CHANGE_POINT_LABEL, 0, 1);
    EXPECT_EQ(view->getPointLabel(1), "B");

    struct Named : RowModel {
        using RowModel::RowModel;
        std::string getSeriesName(int s) const override { return "N" + std::to_string(s); }
        std::string getSeriesLabel(int s) const override { return "T" + std::to_string(s); }
    };
    // Names and labels are read again for the series the message names.
    auto named = std::make_shared<Named>(Chartable::ARRAY, std::vector<V>{{1, 2}, {3, 4}, {5, 6}});
    auto nv = chart.addView();
    nv->setDataSource(named);
    nv->getSeries(1)->setName("old");
    nv->getSeries(1)->setLabel("old");
    named->notifyObservers(M::CHANGE_SERIES_NAME, 1, 0);
    EXPECT_EQ(nv->getSeries(1)->getName(), "N1");
    EXPECT_EQ(nv->getSeries(1)->getLabel(), "old");
    named->notifyObservers(M::CHANGE_SERIES_LABEL, 1, 0);
    EXPECT_EQ(nv->getSeries(1)->getLabel(), "T1");

    // Removing a row removes its series; a reset re-reads names, as the first load did.
    named->rows.erase(named->rows.begin() + 1);
    named->notifyObservers(M::REMOVE_ROW, 1, 0);
    ASSERT_EQ(nv->getNumSeries(), 1);
    EXPECT_EQ(nv->getSeries(0)->getY(0), 5.0);
    named->rows.push_back(std::make_shared<norvex::util::NxVector>(V{7, 8}));
    named->notifyObservers(M::ADD_ROW, 2, 0);
    EXPECT_EQ(nv->getSeries(1)->getName(), "N1");
    named->notifyObservers(M::RESET, 0, 0);
    ASSERT_EQ(nv->getNumSeries(), 2);
    EXPECT_EQ(nv->getSeries(0)->getName(), "N0");
    EXPECT_EQ(nv->getSeries(1)->getLabel(), "T1");

    // Other notifications are no updates.
    int before = chart.updates;
    named->notifyObservers(host::Value(5));
    named->notifyObservers(42, 0, 0);
    EXPECT_EQ(chart.updates, before);
}

TEST(ChartDataView, ChangeMessagesOfAGeneralModel) {
    using M = ChartDataModelUpdate;
    TestChart chart;
    auto view = chart.addView();
    auto model = std::make_shared<RowModel>(Chartable::GENERAL,
                                            std::vector<V>{{1, 2}, {10, 20}, {5, 6, 7}, {50, 60, 70}});
    view->setDataSource(model);
    ASSERT_EQ(view->getNumSeries(), 2);

    // Even rows are a series' own X values, odd rows its Y values.
    model->rows[2]->setElementAt(1, host::Value(6.5));
    model->notifyObservers(M::CHANGE_VALUE, 2, 1);
    EXPECT_EQ(view->getSeries(1)->getX(1), 6.5);
    EXPECT_EQ(view->getSeries(0)->getX(1), 2.0);
    model->notifyObservers(M::REMOVE_VALUE, 3, 0);
    EXPECT_EQ(view->getSeries(1)->maxYIndex(), 2);
    EXPECT_EQ(view->getSeries(1)->getY(0), 60.0);

    // Adding a row pair re-reads everything.
    model->rows.push_back(std::make_shared<norvex::util::NxVector>(V{0}));
    model->rows.push_back(std::make_shared<norvex::util::NxVector>(V{-1}));
    model->notifyObservers(M::ADD_ROW, 4, 0);
    ASSERT_EQ(view->getNumSeries(), 3);
    EXPECT_EQ(view->getSeries(1)->getY(0), 50.0);
    EXPECT_EQ(view->getSeries(2)->getY(0), -1.0);

    // A source that shrinks below one row pair leaves no stale series behind.
    model->rows.resize(1);
    model->notifyObservers(M::RESET, 0, 0);
    EXPECT_EQ(view->getNumSeries(), 0);
}

// A row that cannot be read (a string that is no number) fails the load as a whole:
// the view keeps its series, its source and its batching.
TEST(ChartDataView, UnreadableSourceLeavesTheViewAsItWas) {
    using M = ChartDataModelUpdate;
    TestChart chart;
    auto view = chart.addView();
    auto good = std::make_shared<RowModel>(Chartable::ARRAY, std::vector<V>{{1, 2}, {10, 20}});
    view->setDataSource(good);
    auto bad = std::make_shared<RowModel>(Chartable::GENERAL, std::vector<V>{{1, 2}, {10, "ten"}});
    EXPECT_THROW(view->setDataSource(bad), std::invalid_argument);
    EXPECT_EQ(view->getDataSource(), good);
    EXPECT_EQ(bad->countObservers(), 0);
    ASSERT_EQ(view->getNumSeries(), 1);
    EXPECT_EQ(view->getSeries(0)->getY(1), 20.0);

    good->rows[1]->setElementAt(0, host::Value("x"));
    EXPECT_THROW(good->notifyObservers(M::RESET, 0, 0), std::invalid_argument);
    EXPECT_FALSE(view->getIsBatched());
    EXPECT_EQ(view->getSeries(0)->getY(0), 10.0);
    good->rows[1]->setElementAt(0, host::Value(11));
    int before = chart.updates;
    good->notifyObservers(M::CHANGE_VALUE, 1, 0);
    EXPECT_EQ(view->getSeries(0)->getY(0), 11.0);
    EXPECT_GT(chart.updates, before);
}
