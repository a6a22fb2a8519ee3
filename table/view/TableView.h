// The table's drawing side: its clip areas and scroll bars, the layout that places
// them, the measuring and repainting a change needs, and scrolling. Installed by the
// component; the model reaches it through TableViewHooks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "host/base/Geometry.h"
#include "table/model/TableViewHooks.h"
#include "table/view/Clip.h"
#include "table/view/TblScrollbar.h"

namespace norvex::table {

class Table;

class TableView : public TableViewHooks {
public:
    explicit TableView(Table& table);
    ~TableView() override;

    static TableView* of(const Table& table);

    void changed(int flags, int row, int column) override;
    void valueChanging(int row, int column) override;
    void layout() override;
    host::Dimension preferredSize() override;
    void paint(host::Graphics& g) override;

    Clip* clip(int type) const { return clips[size_t(type)].get(); }
    // The area showing a cell, or null.
    Clip* find(int row, int col) const;
    TblScrollbar* getHorizScrollbar() const { return hsb.get(); }
    TblScrollbar* getVertScrollbar() const { return vsb.get(); }
    bool hasVertSB() const { return vsb && vsb->isVisible(); }
    bool hasHorizSB() const { return hsb && hsb->isVisible(); }

    // Scroll offsets of the scrolling cells (pixels from the first scrollable row/column).
    int64_t getVertOffset() const { return vert_origin; }
    int64_t getHorizOffset() const { return horiz_origin; }
    // Scrolls (with jump scrolling and the scroll listeners) as a scroll bar does; kind is
    // the bar's kind of move (a drag by default, which jump scrolling snaps to the nearest row).
    void scrollVertical(int64_t value, int kind = TblScrollbar::DRAG);
    void scrollHorizontal(int64_t value, int kind = TblScrollbar::DRAG);

    // The action table's scroll entries: "PAGEUP", "PAGEDOWN" (vertical bar), "PAGELEFT",
    // "PAGERIGHT" (horizontal bar). False when that bar is not shown or painting is off.
    bool scrollAction(const std::string& param);

    // The row (column) at a pixel of the table component; NOVALUE outside the cells and labels.
    int YtoRow(int y) const;
    int XtoColumn(int x) const;
    bool makeVisible(int row, int col);
    bool makeRowVisible(int row);
    bool makeColumnVisible(int col);
    bool isRowVisible(int row) const;
    bool isColumnVisible(int col) const;
    bool isVisible(int row, int col) const { return isRowVisible(row) && isColumnVisible(col); }

    // Repaints every area now.
    void repaintAll();
    // The rectangles the layout gave the scrolling cells and their frame.
    host::Rectangle cellsRect() const { return cells_rect; }

private:
    friend struct Layout;
    void ensureClips();
    void applyOffsets();
    // The value jump scrolling gives a move, for rows (vertical) or columns.
    int64_t snap(int64_t value, bool vertical, int kind) const;
    void scroll(int64_t value, bool vertical, int kind = TblScrollbar::DRAG);
    void drawFrames(host::Graphics& g);

    Table& t;
    std::array<std::shared_ptr<Clip>, Clip::NUM_TYPE> clips{};
    std::shared_ptr<TblScrollbar> hsb, vsb;
    int64_t vert_origin = 0, horiz_origin = 0;
    host::Rectangle cells_rect;        // frozen plus scrolling cells
    host::Rectangle row_label_rect;    // the row-label strip (frozen part included)
    host::Rectangle column_label_rect;
    bool in_layout = false;
};

// Places the clip areas and scroll bars in the table's bounds.
struct Layout {
    static void doLayout(Table& table, TableView& view);
};

}  // namespace norvex::table
