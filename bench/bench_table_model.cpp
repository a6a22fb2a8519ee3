// The table model at the size it is designed for: 1,000,000 rows x 20 columns of stored
// strings, the heights of a default million-row table, a colour on a whole column and
// cell attribute look-ups among 100,000 entries, and sorting that table by a column.
// Peak memory (peak_MiB) is the process's, so run one benchmark at a time to read it:
// --benchmark_filter=BM_BuildStoredStrings
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/Color.h"
#include "table/NxTable.h"
#include "table/model/SeriesUtil.h"
#include "util/NxVector.h"
#include "util/Nxqsort.h"

using namespace norvex::table;
using host::Value;

namespace {

constexpr int ROWS = 1'000'000;
constexpr int COLUMNS = 20;

uint64_t splitmix64(uint64_t x) {
    uint64_t z = x + 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// The 8 lower-case letters of cell (row, col).
void cellText(int row, int col, char out[8]) {
    const uint64_t h = splitmix64(uint64_t(row) * COLUMNS + uint64_t(col));
    for (int i = 0; i < 8; ++i) out[i] = char('a' + ((h >> (8 * i)) & 0xff) % 26);
}

double peakMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void BM_BuildStoredStrings(benchmark::State& state) {
    std::shared_ptr<NxTable> table;
    for (auto _ : state) {
        table = host::create<NxTable>(nullptr, "big");
        table->setNumRows(ROWS);
        table->setNumColumns(COLUMNS);
        char text[8];
        for (int r = 0; r < ROWS; ++r) {
            for (int c = 0; c < COLUMNS; ++c) {
                cellText(r, c, text);
                table->setCell(r, c, Value(std::string_view(text, 8)));
            }
        }
        benchmark::DoNotOptimize(table->getCell(ROWS - 1, COLUMNS - 1));
        state.PauseTiming();
        state.counters["peak_MiB"] = peakMiB();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildStoredStrings)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same table loaded the way an application streams rows in: one addRow per row.
void BM_BuildByAddingRows(benchmark::State& state) {
    std::shared_ptr<NxTable> table;
    for (auto _ : state) {
        table = host::create<NxTable>(nullptr, "rows");
        table->setNumRows(0);
        table->setNumColumns(COLUMNS);
        std::vector<Value> row(COLUMNS);
        char text[8];
        for (int r = 0; r < ROWS; ++r) {
            for (int c = 0; c < COLUMNS; ++c) {
                cellText(r, c, text);
                row[size_t(c)] = Value(std::string_view(text, 8));
            }
            table->addRow(NxTblEnum::MAXINT, Value(), row);
        }
        benchmark::DoNotOptimize(table->getCell(ROWS - 1, COLUMNS - 1));
        state.PauseTiming();
        state.counters["peak_MiB"] = peakMiB();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildByAddingRows)->Unit(benchmark::kMillisecond)->Iterations(1);

// A default table of a million rows: its heights are one run until sized.
void BM_DefaultMillionRowHeights(benchmark::State& state) {
    for (auto _ : state) {
        auto table = host::create<NxTable>(nullptr, "heights");
        table->setNumRows(ROWS);
        const ChainUtil* runs = table->getRowHeights().getRunChain();
        state.counters["runs"] = runs ? runs->numRuns() : -1;
        state.counters["bytes"] = runs ? double(runs->numRuns() * sizeof(Run)) : -1;
        benchmark::DoNotOptimize(table->getRowHeights().getPosition(ROWS / 2));
    }
}
BENCHMARK(BM_DefaultMillionRowHeights)->Unit(benchmark::kMicrosecond);

// A colour on one whole column of a million-row table, through the table's setter
// (row ALL) and as the range of rows 0..999,999: one entry each time.
void BM_ColourWholeColumn(benchmark::State& state) {
    auto table = host::create<NxTable>(nullptr, "colour");
    table->setNumRows(ROWS);
    table->setNumColumns(COLUMNS);
    Series series(table.get(), Value());
    bool flip = false;
    for (auto _ : state) {
        const host::Color c = (flip = !flip) ? host::Color::red : host::Color::blue;
        table->setBackground(NxTblEnum::ALL, 3, c);
        SeriesUtil::setValue(*table, series, NxCellRange(0, 4, ROWS - 1, 4), Value(c));
    }
    state.counters["range_entries"] = series.size();
}
BENCHMARK(BM_ColourWholeColumn)->Unit(benchmark::kMicrosecond);

// Resolving a cell's background with 100,000 entries set (cells, some whole rows and
// columns), at pseudo-random cells.
void BM_LookUpAmong100kEntries(benchmark::State& state) {
    auto table = host::create<NxTable>(nullptr, "lookup");
    table->setNumRows(ROWS);
    table->setNumColumns(COLUMNS);
    for (int i = 0; i < 100'000; ++i) {
        const uint64_t h = splitmix64(uint64_t(i));
        const int row = int(h % ROWS), col = int((h >> 32) % COLUMNS);
        const host::Color c = host::Color::fromRGB(uint32_t(h & 0xffffff));
        if (i % 1000 == 0)
            table->setBackground(row, NxTblEnum::ALL, c);
        else if (i % 1000 == 1)
            table->setBackground(NxTblEnum::ALL, col, c);
        else
            table->setBackground(row, col, c);
    }
    uint64_t i = 0, sum = 0;
    for (auto _ : state) {
        const uint64_t h = splitmix64(i++);
        sum += table->getBackground(int(h % ROWS), int((h >> 32) % COLUMNS)).argb();
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_LookUpAmong100kEntries)->Unit(benchmark::kNanosecond);

// ---- Sorting ----

// The stored-string table, with a colour on every tenth cell of column 3 (100,000
// entries) and 30-pixel rows every 1,000 rows, built once for the sort benchmarks.
struct SortFixture {
    std::shared_ptr<NxTable> table;
    bool sorted = false;
    static SortFixture& get() {
        static SortFixture f;
        if (!f.table) {
            f.table = host::create<NxTable>(nullptr, "sort");
            f.table->setNumRows(ROWS);
            f.table->setNumColumns(COLUMNS);
            char text[8];
            for (int r = 0; r < ROWS; ++r)
                for (int c = 0; c < COLUMNS; ++c) {
                    cellText(r, c, text);
                    f.table->setCell(r, c, Value(std::string_view(text, 8)));
                }
            for (int r = 0; r < ROWS; r += 10) f.table->setBackground(r, 3, host::Color::red);
            for (int r = 0; r < ROWS; r += 1000) f.table->setPixelHeight(r, 30);
        }
        return f;
    }
};

// The table's sort action (what a click on the column label runs): rows, heights and
// attribute series follow the sorted column.
void BM_SortColumn7Ascending(benchmark::State& state) {
    SortFixture& f = SortFixture::get();
    for (auto _ : state) {
        if (f.sorted) {
            // Back to an unsorted order first, untimed.
            state.PauseTiming();
            f.table->sortByColumn(11);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(f.table->sortByColumn(7, 0));
        f.sorted = true;
    }
}
BENCHMARK(BM_SortColumn7Ascending)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same sort on the table it has just sorted.
void BM_SortColumn7AlreadySorted(benchmark::State& state) {
    SortFixture& f = SortFixture::get();
    if (!f.sorted) f.table->sortByColumn(7, 0);
    f.sorted = true;
    for (auto _ : state) benchmark::DoNotOptimize(f.table->sortByColumn(7, 0));
}
BENCHMARK(BM_SortColumn7AlreadySorted)->Unit(benchmark::kMillisecond)->Iterations(1);

// For comparison on the same machine: a plain stable sort of row indices by the
// column's strings, with no table to reorder.
void BM_StableSortOfRowIndicesByStrings(benchmark::State& state) {
    std::vector<std::string> keys(ROWS);
    char text[8];
    for (int r = 0; r < ROWS; ++r) {
        cellText(r, 7, text);
        keys[size_t(r)].assign(text, 8);
    }
    for (auto _ : state) {
        std::vector<int> rows(ROWS);
        for (int r = 0; r < ROWS; ++r) rows[size_t(r)] = r;
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_StableSortOfRowIndicesByStrings)->Unit(benchmark::kMillisecond)->Iterations(1);

// The list sort on rows that are already in order (the quicksort's worst case): rows of
// one string each, sorted ascending.
void BM_NxqsortSortedRows(benchmark::State& state) {
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto rows = host::create<norvex::util::NxVector>();
        char key[16];
        for (int i = 0; i < n; ++i) {
            std::snprintf(key, sizeof key, "%08d", i);
            auto row = host::create<norvex::util::NxVector>();
            row->addElement(Value(std::string(key)));
            rows->addElement(Value(row));
        }
        norvex::util::Nxqsort sort(rows);
        state.ResumeTiming();
        benchmark::DoNotOptimize(sort.sort(0));
    }
}
BENCHMARK(BM_NxqsortSortedRows)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
