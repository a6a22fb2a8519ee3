// Data limits and axis scales of one view with 10 series x 100,000 points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "chart/ChartDataView.h"
#include "chart/ChartLinks.h"
#include "chart/NxAxis.h"
#include "chart/NxChartUtil.h"

using namespace norvex::chart;

namespace {

class BenchChart : public DataViewParent, public AxisArea {
public:
    BenchChart() {
        x = std::make_shared<NxAxis>(this, false, NxAxis::VALUE);
        y = std::make_shared<NxAxis>(this, true, NxAxis::VALUE);
        x->reshape(0, 0, 800, 20);
        y->reshape(0, 0, 40, 600);
    }
    int getNumData() const override { return int(views.size()); }
    std::shared_ptr<ChartDataView> getDataView(int i) const override { return views[size_t(i)]; }
    bool getIsBatched() const override { return false; }
    void update() override {}
    AxisArea* getChartArea() const override { return const_cast<BenchChart*>(this); }
    void setChanged(bool) override {}
    std::vector<std::shared_ptr<NxAxis>> getXAxes() const override { return {x}; }
    std::vector<std::shared_ptr<NxAxis>> getYAxes() const override { return {y}; }
    DataViewParent* getChart() const override { return const_cast<BenchChart*>(this); }
    int getAngleUnit() const override { return NxChartUtil::DEGREES; }
    void dataViewTypeChanged(ChartDataView&) override {}
    host::Dimension measureText(const host::Font&, const std::string& t) const override {
        return {int(t.size()) * 7, 12};
    }
    std::shared_ptr<NxAxis> x, y;
    std::vector<std::shared_ptr<ChartDataView>> views;
};

void BM_LimitsAndScales(benchmark::State& state) {
    const int points = int(state.range(0));
    BenchChart chart;
    auto view = host::create<ChartDataView>();
    chart.views.push_back(view);
    view->setParent(&chart);
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
