// Lists and outliners of 100,000 items: building, the first paint, selecting every row
// one by one, walking the focus from top to bottom, and reading and writing the tree
// text (a wide tree of 100,000 lines and a chain 10,000 levels deep). Painting goes to
// a recording graphics object, so the figures measure the widgets, not the rasteriser.
// The focus walks run on a hidden component (with its peer, so rows have their heights)
// to measure the walk itself; the *Shown variants walk 1,000 rows of a shown component,
// where every step scrolls and repaints the view.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "host/graphics/RecordingGraphics.h"
#include "host/ui/Window.h"
#include "ombu/list/NxListComponent.h"
#include "ombu/outliner/NxOutlinerComponent.h"
#include "ombu/outliner/OutlinerTreeText.h"

using namespace norvex::ombu;
using host::Value;

namespace {

constexpr int N = 100'000;

std::vector<Value> items() {
    std::vector<Value> v;
    v.reserve(N);
    for (int i = 0; i < N; ++i) v.emplace_back("item " + std::to_string(i));
    return v;
}

// 1,000 folders of 99 items under one root: 100,000 lines.
std::vector<std::string> wideTree() {
    std::vector<std::string> lines{"Root"};
    for (int f = 0; f < 1000; ++f) {
        lines.push_back("  folder " + std::to_string(f));
        for (int i = 0; i < 99; ++i) lines.push_back("    node " + std::to_string(f) + "," + std::to_string(i));
    }
    return lines;
}

// A shown frame whose graphics objects record into nothing.
struct Shown {
    std::shared_ptr<host::Frame> frame = host::create<host::Frame>();
    Shown() {
        frame->setLayout(nullptr);
        frame->reshape(0, 0, 300, 400);
        frame->setGraphicsFactory(
            [](host::Component&) -> host::GraphicsPtr { return std::make_unique<host::RecordingGraphics>(); });
    }
    ~Shown() { frame->dispose(); }
    template <class T>
    void show(const std::shared_ptr<T>& c) {
        frame->add(c);
        c->reshape(0, 0, 300, 400);
        frame->setVisible(true);
    }
};

host::Event keyEvent(int key) {
    host::Event e;
    e.id = host::Event::KEY_ACTION;
    e.key = key;
    return e;
}

void BM_ListBuildAndFirstPaint(benchmark::State& state) {
    auto v = items();
    for (auto _ : state) {
        Shown s;
        auto list = host::create<NxListComponent>(nullptr, "l");
        list->setItems(v);
        s.show(list);
        list->repaint();
        benchmark::DoNotOptimize(list->getBottomRow());
    }
}
BENCHMARK(BM_ListBuildAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ListSelectAllOneByOne(benchmark::State& state) {
    Shown s;
    auto list = host::create<NxListComponent>(nullptr, "l");
    list->setAllowMultipleSelections(true);
    list->setItems(items());
    s.show(list);
    for (auto _ : state) {
        for (int r = 0; r < N; ++r) list->select(r);
        state.PauseTiming();
        list->deselectAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ListSelectAllOneByOne)->Unit(benchmark::kMillisecond);

void BM_ListWalkFocus(benchmark::State& state) {
    Shown s;
    auto list = host::create<NxListComponent>(nullptr, "l");
    list->setItems(items());
    s.show(list);
    host::Event f;
    list->gotFocus(f, Value());
    int steps = int(state.range(0));
    if (steps == N) list->setVisible(false);
    for (auto _ : state) {
        list->setFocus(0);
        for (int r = 1; r < steps; ++r) {
            host::Event e = keyEvent(host::Event::DOWN);
            list->keyDown(e, host::Event::DOWN);
        }
        benchmark::DoNotOptimize(list->getFocus());
    }
}
BENCHMARK(BM_ListWalkFocus)->Arg(N)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListWalkFocus)->Arg(1000)->Name("BM_ListWalkFocusShown")->Unit(benchmark::kMillisecond);

void BM_OutlinerBuildAndFirstPaint(benchmark::State& state) {
    auto lines = wideTree();
    for (auto _ : state) {
        Shown s;
        auto o = host::create<NxOutlinerComponent>(nullptr, "o");
        o->setTree(lines);
        s.show(o);
        o->repaint();
        benchmark::DoNotOptimize(o->getNumNodes());
    }
}
BENCHMARK(BM_OutlinerBuildAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_OutlinerSelectAllOneByOne(benchmark::State& state) {
    Shown s;
    auto o = host::create<NxOutlinerComponent>(nullptr, "o");
    o->setTree(wideTree());
    s.show(o);
    auto rows = o->getRows();
    for (auto _ : state) {
        for (auto* n : rows) o->selectNode(n, nullptr);
    }
}
BENCHMARK(BM_OutlinerSelectAllOneByOne)->Unit(benchmark::kMillisecond);

void BM_OutlinerWalkFocus(benchmark::State& state) {
    Shown s;
    auto o = host::create<NxOutlinerComponent>(nullptr, "o");
    o->setTree(wideTree());
    s.show(o);
    int n = int(state.range(0));
    if (n == N) o->setVisible(false);
    for (auto _ : state) {
        host::Event home = keyEvent(host::Event::HOME);
        o->keyDown(home, host::Event::HOME);
        for (int r = 1; r < n; ++r) {
            host::Event e = keyEvent(host::Event::DOWN);
            o->keyDown(e, host::Event::DOWN);
        }
        benchmark::DoNotOptimize(o->getFocusNode());
    }
}
BENCHMARK(BM_OutlinerWalkFocus)->Arg(N)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlinerWalkFocus)->Arg(1000)->Name("BM_OutlinerWalkFocusShown")->Unit(benchmark::kMillisecond);

void BM_TreeTextRead(benchmark::State& state) {
    auto lines = wideTree();
    for (auto _ : state) benchmark::DoNotOptimize(OutlinerTreeText::read(nullptr, lines));
}
BENCHMARK(BM_TreeTextRead)->Unit(benchmark::kMillisecond);

void BM_TreeTextWrite(benchmark::State& state) {
    auto root = OutlinerTreeText::read(nullptr, wideTree());
    for (auto _ : state) benchmark::DoNotOptimize(OutlinerTreeText::write(root.get()));
}
BENCHMARK(BM_TreeTextWrite)->Unit(benchmark::kMillisecond);

void BM_TreeTextDeepChain(benchmark::State& state) {
    // 10,000 levels: the text itself holds about 50 million blanks.
    std::vector<std::string> lines{"root"};
    for (int d = 1; d <= 10000; ++d) lines.push_back(std::string(size_t(d), ' ') + "n");
    for (auto _ : state) {
        auto root = OutlinerTreeText::read(nullptr, lines);
        benchmark::DoNotOptimize(OutlinerTreeText::write(root.get()));
    }
}
BENCHMARK(BM_TreeTextDeepChain)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
