// The table on screen at the size it is designed for: 1,000,000 rows x 20 columns with
// nothing stored; cell (row, col) shows "r<row>c<col>" and the labels "Col <c>" and the
// 1-based row number, all computed on request through the value listeners. The table
// is 1024 x 768 pixels with default fonts and sizes, drawn into the window's off-screen
// buffer. Only the visible cells are asked for and drawn (counted as cells_asked).
// Peak memory (peak_MiB) is the process's: run one benchmark at a time to read it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "host/base/Color.h"
#include "host/ui/Window.h"
#include "table/NxTable.h"
#include "table/view/TableView.h"

using namespace norvex::table;
using host::Value;

namespace {

constexpr int ROWS = 1'000'000;
constexpr int COLUMNS = 20;

double peakMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

struct Generated : NxCellValueListener, NxLabelValueListener {
    int64_t asked = 0;
    void cellValue(NxValueEvent& e) override {
        ++asked;
        e.value = Value("r" + std::to_string(e.row) + "c" + std::to_string(e.column));
    }
    void rowLabelValue(NxValueEvent& e) override { e.value = Value(std::to_string(e.row + 1)); }
    void columnLabelValue(NxValueEvent& e) override { e.value = Value("Col " + std::to_string(e.column)); }
};

struct Screen {
    Generated values;
    std::shared_ptr<host::Frame> frame = host::create<host::Frame>();
    std::shared_ptr<NxTable> table = host::create<NxTable>(nullptr, "big");

    Screen() {
        frame->setLayout(nullptr);
        frame->reshape(0, 0, 1024, 768);
        table->setNumRows(ROWS);
        table->setNumColumns(COLUMNS);
        table->addCellValueListener(&values);
        table->addLabelValueListener(&values);
        frame->add(table);
        table->reshape(0, 0, 1024, 768);
    }
    ~Screen() {
        frame->dispose();
        table->removeCellValueListener(&values);
        table->removeLabelValueListener(&values);
    }
    void show() {
        frame->setVisible(true);
        frame->validate();
    }
    void render() { frame->paintTree(); }
    TableView& view() { return *TableView::of(*table); }
};

// Making, showing and drawing the table for the first time in the process.
void BM_FirstRender(benchmark::State& state) {
    std::unique_ptr<Screen> s;
    for (auto _ : state) {
        s = std::make_unique<Screen>();
        s->show();  // showing the window draws it
    }
    state.counters["cells_asked"] = double(s->values.asked);
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_FirstRender)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Rerender(benchmark::State& state) {
    Screen s;
    s.show();
    s.render();
    for (auto _ : state) {
        s.values.asked = 0;
        s.render();
    }
    state.counters["cells_asked"] = double(s.values.asked);
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_Rerender)->Unit(benchmark::kMillisecond);

// Scrolling to row 500,000 (and back, alternately) and drawing what came into view.
void BM_ScrollToMiddleAndRender(benchmark::State& state) {
    Screen s;
    s.show();
    s.render();
    const int64_t middle = s.table->getRowHeights().getPosition(500000);
    bool down = true;
    for (auto _ : state) {
        s.view().scrollVertical(down ? middle : 0);
        down = !down;
    }
    state.counters["top_row"] = s.table->getTopRow();
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_ScrollToMiddleAndRender)->Unit(benchmark::kMillisecond);

// One line down: the visible pixels are copied and one row is drawn.
void BM_ScrollOneRow(benchmark::State& state) {
    Screen s;
    s.show();
    s.render();
    const int row = s.table->getRowHeights().getValue(0);
    int64_t offset = s.table->getRowHeights().getPosition(500000);
    s.view().scrollVertical(offset);
    for (auto _ : state) {
        offset += row;
        s.view().scrollVertical(offset);
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_ScrollOneRow)->Unit(benchmark::kMicrosecond);

// Colouring column 5 (alternately two colours) and drawing the column again.
void BM_ColumnColourAndRender(benchmark::State& state) {
    Screen s;
    s.show();
    s.render();
    bool first = true;
    for (auto _ : state) {
        s.table->setBackground(NxTblEnum::ALL, 5, first ? host::Color(255, 240, 200) : host::Color(200, 240, 255));
        first = !first;
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_ColumnColourAndRender)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
