// Page parameters for chart labels and markers, numbered from 1:
//   chartLabelN.text (creates label N), .anchor, .attachMethod, .x, .y, .dataX,
//   .dataY, .series, .point, .offsetX, .offsetY, .isConnected, .isDwellLabel,
//   .dwellDelay, .font, .background, .foreground, .borderType, .borderWidth;
//   markerN.value or markerN.series (creates marker N), .axis, .point, .color,
//   .width, .pattern.
// Numbering stops at the first number without its creating parameter. Values are
// converted like every other chart parameter: a bad one is reported in one line and
// the property keeps its value.
#pragma once

namespace norvex::chart {

class NxChart;

class LabelConverter {
public:
    LabelConverter() = delete;
    // Adds the labels and markers named by the chart's parameters (first view).
    static void getLabelParams(NxChart& chart);
    // The most labels or markers read from one page.
    static constexpr int MAX_COUNT = 1000;
};

}  // namespace norvex::chart
