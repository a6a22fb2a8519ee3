// Parameter look-ups of a big page: every component reads a dozen keys, each twice
// (under its own name, then plain), so a page of many components does many look-ups.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "host/page/Applet.h"

namespace {

std::shared_ptr<host::Applet> pageApplet(int components) {
    std::vector<std::pair<std::string, std::string>> params;
    for (int i = 1; i <= components; ++i) {
        params.emplace_back("child" + std::to_string(i), "tools.FramedBox");
        params.emplace_back("child" + std::to_string(i) + ".label", "box " + std::to_string(i));
    }
    auto applet = host::create<host::Applet>();
    applet->setParameters(std::move(params));
    return applet;
}

void BM_LookUpEveryComponentsKeys(benchmark::State& state) {
    const int n = int(state.range(0));
    auto applet = pageApplet(n);
    for (auto _ : state) {
        int found = 0;
        for (int i = 1; i <= n; ++i) {
            const std::string name = "CHILD" + std::to_string(i);
            found += applet->getParameter(name).has_value();
            found += applet->getParameter(name + ".Label").has_value();
            found += applet->getParameter(name + ".shadowType").has_value();
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * n * 3);
}
BENCHMARK(BM_LookUpEveryComponentsKeys)->Arg(200)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
