// Page parameters of a PIE view's format, under "data.pie" (an extension in the style
// of the chart's own parameters): threshold method and value, sort order, minimum
// slices, the other slice's label and fill colour, the explode list and offset.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/base/Geometry.h"

namespace norvex::chart {

class NxChart;
class ChartDataView;

class PieChartParams {
public:
    PieChartParams() = delete;
    // Reads the parameters into the view's pie format; a bad value is one line on the
    // error output and the property keeps its value.
    static void getParams(NxChart& chart, ChartDataView& view);
    // "pie:slice" pairs numbered from 1 (like "data.series1"), the slice "OTHER" for
    // the other slice, separated by commas: "2:1, 3:OTHER". Pairs become (point index,
    // series index or OTHER_SLICE); nullopt with a message for a malformed list.
    static std::optional<std::vector<host::Point>> parseExplodeList(const std::string& text, std::string& error);
};

}  // namespace norvex::chart
