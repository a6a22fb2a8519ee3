// One of the up to eight areas the table's surface is divided into (the scrolling
// cells, the frozen corner, frozen rows and columns, and the label strips). Each shows a
// fixed range of the grid and scrolls in at most its own directions; positions inside
// it come from the size chains, so finding the row at a pixel is a binary search.
#pragma once

#include <cstdint>
#include <memory>

#include "host/graphics/Image.h"
#include "host/ui/Component.h"
#include "table/model/NxCellRange.h"

namespace norvex::table {

class Table;

class Clip : public host::Component {
    HOST_OBJECT(Clip, "norvex.table.Clip", host::Component)
public:
    static constexpr int CELL = 0, FIXEDCELL = 1, FROZENCOLUMN = 2, FROZENROW = 3, ROWLABEL = 4, COLUMNLABEL = 5,
                         FROZENROWLABEL = 6, FROZENCOLUMNLABEL = 7, NUM_TYPE = 8;
    static constexpr int NONE = 0, HORIZONTAL = 1, VERTICAL = 2;

    Clip(Table& table, int type);

    // The cell range a type of area shows in the table as it is; false when it is empty.
    static bool get_range(const Table& table, int type, NxCellRange* range);
    static int orientationOf(int type);

    int getType() const { return type; }
    const NxCellRange& getRange() const { return range; }
    void setRange(const NxCellRange& r) { range = r; }
    bool isHorizontal() const { return orientation & HORIZONTAL; }
    bool isVertical() const { return orientation & VERTICAL; }
    bool hasOrientation(int o) const { return (orientation & o) != 0; }
    int64_t xOffset() const;
    int64_t yOffset() const;
    void setOffsets(int64_t x, int64_t y);
    bool IN_ROWRANGE(int row) const { return range.inRowRange(row); }
    bool IN_COLUMNRANGE(int col) const { return range.inColumnRange(col); }

    // Positions in this area's pixels (scroll offset applied) and sizes of a row or column
    // of its range; the label row and column are one strip each.
    int64_t rowY(int row) const;
    int64_t columnX(int col) const;
    int rowHeight(int row) const;
    int columnWidth(int col) const;
    // The row or column under a pixel of this area (clamped into the range); binary search.
    int rowAt(int y) const;
    int columnAt(int x) const;
    // The rows and columns that show in the pixel rectangle r (empty range: false).
    bool visibleRange(const host::Rectangle& r, NxCellRange* out) const;

    // Moves the view to value (pixels) in one direction: the pixels still visible are
    // copied and only the strip that came into view is painted.
    void scroll(int64_t value, bool horizontal);
    // Paints the exposed part of the area.
    void paint(host::Graphics& g) override;
    // None: the area paints every pixel itself, so the window never clears it first.
    host::OptColor getBackground() const override { return std::nullopt; }
    // Paints now, through a fresh context (nothing when not showing).
    void repaintNow(const host::Rectangle& r);
    void repaintNow() { repaintNow({0, 0, getWidth(), getHeight()}); }

    Table& getTable() const { return *table; }

private:
    void paintRange(host::Graphics& g, const host::Rectangle& expose);

    Table* table;
    int type;
    int orientation;
    NxCellRange range;
    int64_t horiz_origin = 0;
    int64_t vert_origin = 0;
    std::shared_ptr<host::Image> dbl_image;
};

}  // namespace norvex::table
