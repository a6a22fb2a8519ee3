// Raster Graphics throughput on an 800 x 600 off-screen image: a long chart polyline,
// many short strings, many small polygons.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "host/graphics/Image.h"
#include "host/graphics/RasterGraphics.h"

using namespace host;

static void BM_Polyline100k(benchmark::State& state) {
    auto img = Image::createOffscreen(800, 600);
    RasterGraphics g(img);
    g.setAntialias(state.range(0) != 0);
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> step(-3, 3);
    const int n = 100001;
    std::vector<int> xs(n), ys(n);
    int y = 300;
    for (int i = 0; i < n; ++i) {
        xs[i] = int(int64_t(i) * 799 / (n - 1));
        y = std::clamp(y + step(rng), 0, 599);
        ys[i] = y;
    }
    for (auto _ : state) {
        g.drawPolyline(xs.data(), ys.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * (n - 1));
}
BENCHMARK(BM_Polyline100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_DrawString10k(benchmark::State& state) {
    auto img = Image::createOffscreen(800, 600);
    RasterGraphics g(img);
    g.setAntialias(state.range(0) != 0);
    g.setFont(Font("Helvetica", Font::PLAIN, 12));
    std::vector<std::string> items;
    for (int i = 0; i < 10000; ++i) items.push_back("Item " + std::to_string(i));
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) g.drawString(items[i], (i % 10) * 80, 12 + (i / 10) % 50 * 12);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_DrawString10k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_FillPolygon10k(benchmark::State& state) {
    auto img = Image::createOffscreen(800, 600);
    RasterGraphics g(img);
    g.setAntialias(state.range(0) != 0);
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> cx(0, 779), cy(0, 579), d(-10, 10);
    std::vector<std::vector<int>> xs(10000), ys(10000);
    for (int i = 0; i < 10000; ++i) {
        const int x = cx(rng), y = cy(rng);
        for (int k = 0; k < 6; ++k) xs[i].push_back(x + 10 + d(rng)), ys[i].push_back(y + 10 + d(rng));
    }
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) g.fillPolygon(xs[i].data(), ys[i].data(), 6);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_FillPolygon10k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
