// Chart data text on arbitrary input: it must either parse into a consistent source
// or throw host::IOException, and the parsed source must load into a view whose axes
// scale, annotate and map values to pixels without hanging or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string_view>

#include "chart/source/InputStreamDataSource.h"
#include "host/base/IOException.h"
#include "tests/chart/ChartTestSupport.h"

using namespace norvex::chart;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = [] {
        std::cerr.setstate(std::ios::failbit);  // the parser's error lines
        return true;
    }();
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::shared_ptr<InputStreamDataSource> source;
    try {
        source = std::make_shared<InputStreamDataSource>(text);
    } catch (const host::IOException&) {
        return 0;
    }
    // Every row comes from a count or a value in the text, so the source stays bounded by
    // it: ARRAY gives one row per series plus the X row, GENERAL two rows per series.
    if (size_t(source->getNumRows()) > 2 * size + 1) __builtin_trap();
    for (int r = 0; r < source->getNumRows(); ++r)
        if (size_t(source->getRow(r)->size()) > size) __builtin_trap();

    // The chart type and axis settings come from the text's bytes, so the seeds (plain
    // data files) reach every combination.
    unsigned mode = 0;
    for (size_t i = 0; i < size; ++i) mode = mode * 31 + data[i];
    charttest::TestChart area;  // one view, one X and one Y axis, no fonts needed
    auto view = area.addView();
    try {
        view->setDataSource(source);
    } catch (const std::exception&) {
        return 0;
    }
    const int types[] = {ChartDataView::PLOT, ChartDataView::BAR, ChartDataView::STACKING_BAR, ChartDataView::AREA};
    view->setChartType(types[mode & 3]);
    area.y->setIsLogarithmic(mode & 4);
    area.x->setIsLogarithmic(mode & 8);
    if (mode & 16) area.y->setIsReversed(true);
    if (mode & 32) area.x->setAnnotationMethod(NxAxis::TIME_LABELS);
    for (auto* a : {area.x.get(), area.y.get()}) a->clearLimits();
    view->calcLimits();
    for (auto* a : {area.x.get(), area.y.get()}) {
        a->calcAxisParams();
        a->calcTransformation();
        a->calcAnchors();
        a->layoutAnnotations();
        a->checkAnnotations();
        a->calcAnnotationExtents();
        for (int i = 0; i < view->getNumSeries(); ++i)
            for (int k = 0; k < view->getSeries(i)->maxYIndex() && k < 50; ++k)
                (void)a->toPixel(view->getSeries(i)->getY(k));
    }
    return 0;
}
