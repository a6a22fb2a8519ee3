// Rendering charts to PNG in process: an 800 x 600 chart with a title and axis titles
// through the chart component and the raster graphics.
//   line100k:    one series, 100,000 points
//   multi10x10k: ten series of 10,000 points
//   bars1000:    one bar per i = 0..999, h = 50 + 45 sin(0.05 i) + 5 sin(1.7 i)
//   pie12:       one pie of twelve slices, values 1..12 labelled S1..S12
// Separate benchmarks time the parts: recalculation (limits, scales, labels, layout,
// pixel geometry), painting, and writing the PNG.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/NxChart.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxAxisTitle.h"
#include "host/graphics/Image.h"
#include "host/ui/Window.h"

using namespace norvex::chart;

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Scene {
    std::shared_ptr<host::Frame> frame = host::create<host::Frame>();
    std::shared_ptr<NxChart> chart = host::create<NxChart>();

    explicit Scene(bool multi, bool bars = false) {
        auto view = chart->getDataView(0);
        if (bars) view->setChartType(ChartDataView::BAR);
        view->setIsBatched(true);
        int n = bars ? 1000 : multi ? 10000 : 100000;
        std::vector<double> xs(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) xs[size_t(i)] = i;
        view->setX(xs);
        int series = multi ? 10 : 1;
        for (int k = 0; k < series; ++k) {
            std::vector<double> ys(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                ys[size_t(i)] = bars ? 50 + 45 * std::sin(0.05 * i) + 5 * std::sin(1.7 * i)
                                : multi ? 100 * std::sin(kTwoPi * i / 5000 + 0.6 * k) + 10 * std::sin(kTwoPi * i / (53 + 11 * k)) + 20 * k
                                      : 100 * std::sin(kTwoPi * i / 20000) + 10 * std::sin(kTwoPi * i / 137) +
                                            3 * std::sin(kTwoPi * i / 7.3);
            view->addSeries(k)->setY(std::move(ys));
        }
        view->setIsBatched(false);
        chart->getHeader().setText(bars ? "One thousand bars" : multi ? "Ten series" : "One hundred thousand points");
        show();
    }
    struct Pie12 {};
    explicit Scene(Pie12) {
        auto view = chart->getDataView(0);
        view->setChartType(ChartDataView::PIE);
        view->setIsBatched(true);
        view->setX(std::vector<double>{1});
        for (int k = 0; k < 12; ++k) {
            auto s = view->addSeries(k);
            s->setY(std::vector<double>{double(k + 1)});
            s->setLabel("S" + std::to_string(k + 1));
        }
        view->setPointLabels({"Twelve slices"});
        view->setIsBatched(false);
        chart->getHeader().setText("A pie of twelve");
        show();
    }
    void show() {
        auto view = chart->getDataView(0);
        chart->ensureStyles();
        for (auto& s : view->getSeries()) s->getStyle()->setSymbolShape(NxSymbolStyle::NONE);
        chart->setBackground(host::Color::white);
        view->getXAxis()->getTitle().setText("Sample", false);
        view->getYAxis()->getTitle().setText("Value", false);
        view->getYAxis()->getTitle().setRotation(ChartText::DEG_90);
        view->getYAxis()->getTitle().setPlacement(NxAxisTitle::WEST);
        frame->setLayout(nullptr);
        frame->reshape(0, 0, 800, 600);
        frame->add(chart);
        chart->reshape(0, 0, 800, 600);
        frame->addNotify();
        frame->validate();
        frame->setVisible(true);
    }
    ~Scene() { frame->dispose(); }

    void relayout() {
        chart->getChartAreaRegion().setChanged(true, false);
        chart->setChanged(true, false);
        chart->invalidate();
        frame->validate();
    }
    void paint() { frame->paintTree(); }
    bool write(const std::string& path) { return frame->getBuffer()->writePNG(path); }
};

void renderAll(benchmark::State& state, bool multi) {
    Scene s(multi);
    for (auto _ : state) {
        s.relayout();
        s.paint();
        if (!s.write("/tmp/bench_chart_render.png")) state.SkipWithError("cannot write the PNG");
    }
}

void BM_Render_line100k(benchmark::State& state) { renderAll(state, false); }
void BM_Render_multi10x10k(benchmark::State& state) { renderAll(state, true); }

void BM_Render_bars1000(benchmark::State& state) {
    Scene s(false, true);
    for (auto _ : state) {
        s.relayout();
        s.paint();
        if (!s.write("/tmp/bench_chart_render.png")) state.SkipWithError("cannot write the PNG");
    }
}

void BM_Render_pie12(benchmark::State& state) {
    Scene s(Scene::Pie12{});
    for (auto _ : state) {
        s.relayout();
        s.paint();
        if (!s.write("/tmp/bench_chart_render.png")) state.SkipWithError("cannot write the PNG");
    }
}

void BM_Recalc_line100k(benchmark::State& state) {
    Scene s(false);
    for (auto _ : state) s.relayout();
}

void BM_Paint_line100k(benchmark::State& state) {
    Scene s(false);
    s.relayout();
    for (auto _ : state) s.paint();
}

void BM_Paint_multi10x10k(benchmark::State& state) {
    Scene s(true);
    s.relayout();
    for (auto _ : state) s.paint();
}

void BM_WritePNG_line100k(benchmark::State& state) {
    Scene s(false);
    s.relayout();
    s.paint();
    for (auto _ : state) s.write("/tmp/bench_chart_render.png");
}

}  // namespace

BENCHMARK(BM_Render_line100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render_multi10x10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render_bars1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render_pie12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recalc_line100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint_line100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint_multi10x10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePNG_line100k)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
