// A line chart built in code and saved as a picture: line_chart [OUT.png|OUT.gif|OUT.svg|OUT.pdf]
// The file name chooses the format; SVG and PDF are drawn as vectors with text as text.
#include <cstdio>

#include "chart/NxChart.h"
#include "chart/source/InputStreamDataSource.h"
#include "image/PictureFile.h"

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "line_chart.png";

    // Two series over five x values: "ARRAY <series> <points>", the x values, then each
    // series' label and y values.
    auto chart = host::create<norvex::chart::NxChart>(norvex::chart::NxChart::PLOT);
    chart->getDataView(0)->setDataSource(std::make_shared<norvex::chart::InputStreamDataSource>(
        std::string_view("ARRAY 2 5  1 2 3 4 5  'Sales' 3 5 4 7 9  'Costs' 2 3 3 4 5")));

    std::string error;
    if (!norvex::image::savePicture(chart, 400, 300, out, &error)) {
        std::fprintf(stderr, "line_chart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
