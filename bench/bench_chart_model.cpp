// Data limits and axis scales of one view with 10 series x 100,000 points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "chart/model/ChartDataView.h"
#include "chart/base/ChartLinks.h"
#include "chart/model/NxAxis.h"
#include "chart/base/NxChartUtil.h"
#include "tests/chart/ChartTestSupport.h"

using namespace norvex::chart;

namespace {

void BM_LimitsAndScales(benchmark::State& state) {
    const int points = int(state.range(0));
    charttest::TestChart chart;
    chart.x->reshape(0, 0, 800, 20);
    chart.y->reshape(0, 0, 40, 600);
    auto view = chart.addView();
    view->setIsBatched(true);
    std::vector<double> xs(static_cast<size_t>(points));
    for (int i = 0; i < points; ++i) xs[size_t(i)] = i * 0.5;
    view->setX(xs);
    for (int s = 0; s < 10; ++s) {
        std::vector<double> ys(static_cast<size_t>(points));
        for (int i = 0; i < points; ++i) ys[size_t(i)] = 100 * std::sin(i * 0.001 + s) + s;
        view->addSeries(s)->setY(std::move(ys));
    }
    for (auto _ : state) {
        chart.x->clearLimits();
        chart.y->clearLimits();
        view->calcLimits();
        chart.x->calcAxisParams();
        chart.y->calcAxisParams();
        chart.x->calcTransformation();
        chart.y->calcTransformation();
        benchmark::DoNotOptimize(chart.y->getMax());
    }
    state.SetItemsProcessed(state.iterations() * points * 10);
}

}  // namespace

BENCHMARK(BM_LimitsAndScales)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
