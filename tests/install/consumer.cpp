// A program built against the installed libraries: a line chart made in code, written
// to the PNG file named on the command line.
#include <norvex/chart/NxChart.h>
#include <norvex/chart/source/InputStreamDataSource.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consumer OUT.png\n");
        return 2;
    }
    using norvex::chart::NxChart;
    auto chart = host::create<NxChart>();
    chart->getDataView(0)->setDataSource(std::make_shared<norvex::chart::InputStreamDataSource>(
        std::string_view("ARRAY 2 5 1 2 3 4 5 'rising' 1 3 2 5 4 'falling' 5 4 3 2 1")));
    chart->setBackground(host::Color::white);
    chart->reshape(0, 0, 200, 150);
    auto picture = chart->snapshot();
    std::string error;
    if (!picture || picture->hasError() || !picture->writePNG(argv[1], &error)) {
        std::fprintf(stderr, "consumer: cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
