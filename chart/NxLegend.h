// The chart's legend: for every data view its name and one entry per series (a small
// symbol in the series' style and the series label, rich text allowed), laid out in a
// grid whose direction follows the orientation. The chart places it by its anchor.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/area/ChartCanvas.h"
#include "chart/base/NxDataIndex.h"

namespace norvex::util {
class NxString;
}

namespace norvex::chart {

class ChartDataView;
class ChartDataViewSeries;

class NxLegend : public ChartCanvas {
    HOST_OBJECT(NxLegend, "norvex.chart.NxLegend", ChartCanvas)
public:
    static constexpr int EAST = 1, WEST = 2, NORTH = 16, SOUTH = 32, NORTHEAST = 17, NORTHWEST = 18, SOUTHEAST = 33,
                         SOUTHWEST = 34;
    static constexpr int NORTHSOUTH_MASK = 0xF0, EASTWEST_MASK = 0x0F;
    static constexpr int HORIZONTAL = 0, VERTICAL = 1;
    // The series index a pick reports for a pie's merged "other" slice.
    static constexpr int OTHER_SLICE = -10;

    // A new legend is hidden, anchored EAST and VERTICAL.
    NxLegend();

    int getAnchor() const { return anchor; }
    // One of the eight anchors, else std::invalid_argument.
    void setAnchor(int a);
    int getOrientation() const { return orientation; }
    // HORIZONTAL or VERTICAL, else std::invalid_argument.
    void setOrientation(int o);
    void setIsShowing(bool b) override;

    // The own flag, or a change of any data view (entries follow the data).
    bool getChanged() const;
    bool isChanged() const { return getChanged(); }
    // Measures every entry and the grid, when changed.
    void recalc() override;
    host::Dimension preferredSize() override;
    void paintComponent(host::Graphics& g) override;
    // p in legend coordinates. The entry under p: its view, and its series (none for the
    // view's name; seriesIndex OTHER_SLICE for a pie's other slice); null outside every
    // entry (margins and the gaps between views). With a view given that is not the one
    // under p, only the legend itself is reported.
    std::optional<NxDataIndex> pick(host::Point p, const std::shared_ptr<ChartDataView>& view);

    // The measured grid (for layout checks): column widths, row heights, and the
    // left and top edge of each column and row in drawing-area coordinates.
    const std::vector<int>& getColWidths() const { return colWidths; }
    const std::vector<int>& getRowHeights() const { return rowHeights; }
    const std::vector<int>& getColX() const { return colX; }
    const std::vector<int>& getRowY() const { return rowY; }
    int getSymbolSize() const { return symbolSize; }
    static constexpr int smallGap = 2;
    static constexpr int betweenGap = 5;

private:
    struct Entry {
        bool present = false;
        host::Dimension symbol{0, 0}, text{0, 0};
        std::shared_ptr<util::NxString> label;
        int series = -1;  // -1: the view's name; OTHER_SLICE: a pie's other slice
    };
    // The cell of entry k of view v: (column, row).
    std::pair<int, int> cellOf(int v, int k) const;
    void drawSymbol(host::Graphics& g, const ChartDataView& view, const ChartDataViewSeries& s, int x, int cy) const;
    std::vector<std::shared_ptr<ChartDataView>> views() const;

    int anchor = EAST;
    int orientation = VERTICAL;
    std::vector<std::shared_ptr<ChartDataView>> measuredViews;
    std::vector<std::vector<Entry>> labelSizes;
    std::vector<int> colWidths, rowHeights, symWidths, strWidths, colX, rowY;
    int symbolSize = 8;
    int descent = 0;
};

using NxLegendPtr = std::shared_ptr<NxLegend>;

}  // namespace norvex::chart
