// A picked point: the view, the series and the point index, with the pixel
// distance to it. Titles and other regions are reported through object.
#pragma once

#include <climits>
#include <memory>

#include "host/runtime/Value.h"

namespace norvex::chart {

class ChartDataView;
class ChartDataViewSeries;

struct NxDataIndex {
    std::shared_ptr<ChartDataView> dataView;
    std::shared_ptr<ChartDataViewSeries> series;
    int point = -1;
    int distance = INT_MAX;
    // The series' index in its view where the picker knows it (a legend entry; a
    // negative code for entries that are no series), else -1.
    int seriesIndex = -1;
    host::Value object;

    NxDataIndex() = default;
    NxDataIndex(std::shared_ptr<ChartDataView> v, std::shared_ptr<ChartDataViewSeries> s, int p, int d)
        : dataView(std::move(v)), series(std::move(s)), point(p), distance(d) {}
    bool isValid() const { return dataView && series && point >= 0; }
};

}  // namespace norvex::chart
