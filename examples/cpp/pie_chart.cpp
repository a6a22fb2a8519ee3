// A pie of a year's spending: slices under 4 % merge into one "Other" slice, the largest
// slice is pulled out (a pie with a pulled-out slice is drawn flat; without one, depth
// and elevation on the chart area tilt it into a disc):
//   pie_chart [OUT.png|OUT.gif|OUT.svg|OUT.pdf]
#include <cstdio>

#include "chart/NxChart.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/source/InputStreamDataSource.h"
#include "image/PictureFile.h"

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "pie_chart.png";
    using namespace norvex::chart;

    // One pie (one point) with a slice per series: "ARRAY <series> <points>", the x
    // value, then each series' label and value.
    auto chart = host::create<NxChart>(NxChart::PIE);
    chart->setBackground(host::Color::white);
    auto view = chart->getDataView(0);
    view->setDataSource(std::make_shared<InputStreamDataSource>(std::string_view(
        "ARRAY 7 1  1  'Rent' 42  'Food' 21  'Travel' 14  'Savings' 12  'Books' 6  'Phone' 3  'Post' 2")));
    view->setPointLabels({"Spending 2026"});

    auto pie = view->getPieChartFormat();
    pie->setThresholdMethod(NxPieChartFormat::SLICE_CUTOFF);
    pie->setThresholdValue(4);  // percent
    pie->setOtherLabel("Other");
    pie->setExplodeList(std::vector<host::Point>{{0, 0}});  // pie 0, series 0 (Rent)
    pie->setExplodeOffset(14);

    chart->getHeader().setText("Where the money went");

    std::string error;
    if (!norvex::image::savePicture(chart, 420, 320, out, &error)) {
        std::fprintf(stderr, "pie_chart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
