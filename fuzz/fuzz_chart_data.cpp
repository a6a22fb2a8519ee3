// Chart data text on arbitrary input: it must either parse into a consistent source
// or throw host::IOException, and the parsed source must load into a view whose axes
// scale, annotate and map values to pixels without hanging or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string_view>

#include "chart/ChartDataView.h"
#include "chart/ChartLinks.h"
#include "chart/InputStreamDataSource.h"
#include "chart/NxAxis.h"
#include "chart/NxChartUtil.h"
#include "host/IOException.h"

using namespace norvex::chart;

namespace {

// The smallest chart area: one view, one X and one Y axis, text measured at 7 x 12 per
// character so no fonts are needed.
class Area : public DataViewParent, public AxisArea {
public:
    Area() {
        x = std::make_shared<NxAxis>(this, false, NxAxis::VALUE);
        y = std::make_shared<NxAxis>(this, true, NxAxis::VALUE);
        x->reshape(0, 0, 400, 20);
        y->reshape(0, 0, 30, 300);
    }
    int getNumData() const override { return int(views.size()); }
    std::shared_ptr<ChartDataView> getDataView(int i) const override { return views.at(size_t(i)); }
    bool getIsBatched() const override { return false; }
    void update() override {}
    AxisArea* getChartArea() const override { return const_cast<Area*>(this); }
    void setChanged(bool) override {}
    std::vector<std::shared_ptr<NxAxis>> getXAxes() const override { return {x}; }
    std::vector<std::shared_ptr<NxAxis>> getYAxes() const override { return {y}; }
    DataViewParent* getChart() const override { return const_cast<Area*>(this); }
    int getAngleUnit() const override { return NxChartUtil::DEGREES; }
    void dataViewTypeChanged(ChartDataView&) override {}
    host::Dimension measureText(const host::Font&, const std::string& t) const override {
        return {int(t.size()) * 7, 12};
    }
    std::shared_ptr<NxAxis> x, y;
    std::vector<std::shared_ptr<ChartDataView>> views;
};

}  // namespace

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
    Area area;
    auto view = host::create<ChartDataView>();
    area.views.push_back(view);
    view->setParent(&area);
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
