// A shown 400 x 300 chart with two series (a: 1 2 3 4, b: 4 3 2 1 at x 1..4) for
// the label and dwell tests.
#pragma once

#include <memory>

#include "chart/NxChart.h"
#include "chart/NxChartLabel.h"
#include "chart/source/InputStreamDataSource.h"
#include "tests/ombu/OmbuTestSupport.h"

namespace labeltest {

using namespace norvex::chart;

inline constexpr const char* kData = "ARRAY 2 4 1 2 3 4 'a' 1 2 3 4 'b' 4 3 2 1";

struct LabelChart {
    ombutest::ShownFrame frame{400, 300};
    std::shared_ptr<NxChart> chart;
    LabelChart() {
        auto c = host::create<NxChart>();
        c->getDataView(0)->setDataSource(std::make_shared<InputStreamDataSource>(std::string_view(kData)));
        chart = frame.add(c, 0, 0, 400, 300);
        frame.show();
        chart->validate();
    }
    // A 40 x 20 label at (100, 100) in the chart.
    std::shared_ptr<NxChartLabel> label40x20() {
        auto l = host::create<NxChartLabel>("L", false);
        l->setWidth(40);
        l->setHeight(20);
        chart->addChartLabel(l);
        l->setCoord({100, 100});
        return l;
    }
    host::Point pointAt(int series, int point) { return *chart->unpick(chart->getDataView(0), series, point); }
};

}  // namespace labeltest
