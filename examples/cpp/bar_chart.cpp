// Clustered bars from a chart data file, saved as a picture:
//   bar_chart [FILE.dat] [OUT.png|OUT.gif|OUT.svg|OUT.pdf]
// The file is examples/data/quarterly-sales.dat by default (run from the repository's
// top): point labels name the clusters, each named row is one series.
#include <cstdio>

#include "chart/NxChart.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/source/FileDataSource.h"
#include "image/PictureFile.h"

int main(int argc, char** argv) {
    const char* data = argc > 1 ? argv[1] : "examples/data/quarterly-sales.dat";
    const char* out = argc > 2 ? argv[2] : "bar_chart.png";
    using namespace norvex::chart;

    auto chart = host::create<NxChart>(NxChart::BAR);
    chart->setBackground(host::Color::white);
    try {
        chart->getDataView(0)->setDataSource(std::make_shared<FileDataSource>(std::string(data)));
    } catch (const std::exception& e) {  // the file cannot be read
        std::fprintf(stderr, "bar_chart: %s\n", e.what());
        return 1;
    }

    chart->getHeader().setText("Quarterly sales");
    auto x = chart->getChartAreaRegion().getXAxis();
    x->getTitle().setText("Quarter");
    x->setPlacement(NxAxis::MIN);  // the axis along the bottom, under negative bars too
    auto y = chart->getChartAreaRegion().getYAxis();
    y->getTitle().setText("Units");
    y->setGridIsShowing(true);
    chart->getDataView(0)->getSeries(0)->getStyle()->setFillColor(host::Color::blue);
    chart->getDataView(0)->getSeries(1)->getStyle()->setFillColor(host::Color::orange);

    std::string error;
    if (!norvex::image::savePicture(chart, 480, 320, out, &error)) {
        std::fprintf(stderr, "bar_chart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
