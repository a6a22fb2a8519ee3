// Configures a chart from the page's parameters: data, the first view and its
// series, header, footer, chart area and the view's axes. A value that does not
// convert, or that the property refuses, is reported in one line and the property
// keeps its value; reading goes on with the next parameter.
#pragma once

#include <string>

#include "util/TextUtil.h"

namespace norvex::chart {

class NxChart;
class NxTitle;
class NxLegend;
class NxChartArea;
class NxAxis;
class ChartDataViewSeries;

class ChartConverter {
public:
    ChartConverter() = delete;
    static void getParams(NxChart& chart);
    static void getTitleParams(NxChart& chart, NxTitle& title, const std::string& prefix);
    static void getLegendParams(NxChart& chart, NxLegend& legend, const std::string& prefix);
    static void getChartAreaParams(NxChart& chart, NxChartArea& area, const std::string& prefix);
    static void getAxisParams(NxChart& chart, NxAxis& axis, const std::string& prefix);
    static void getSeriesParams(NxChart& chart, ChartDataViewSeries& series, const std::string& prefix);
};

}  // namespace norvex::chart
