// Chart data text on arbitrary input: it must either parse into a consistent source
// or throw host::IOException, and the parsed source must load into a view.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string_view>

#include "chart/ChartDataView.h"
#include "chart/InputStreamDataSource.h"
#include "host/IOException.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = [] {
        std::cerr.setstate(std::ios::failbit);  // the parser's error lines
        return true;
    }();
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::shared_ptr<norvex::chart::InputStreamDataSource> source;
    try {
        source = std::make_shared<norvex::chart::InputStreamDataSource>(text);
    } catch (const host::IOException&) {
        return 0;
    }
    // Every row comes from a count or a value in the text, so the source stays bounded by
    // it: ARRAY gives one row per series plus the X row, GENERAL two rows per series.
    if (size_t(source->getNumRows()) > 2 * size + 1) __builtin_trap();
    for (int r = 0; r < source->getNumRows(); ++r)
        if (size_t(source->getRow(r)->size()) > size) __builtin_trap();
    auto view = host::create<norvex::chart::ChartDataView>();
    view->setDataSource(source);
    view->calcLimits();
    return 0;
}
