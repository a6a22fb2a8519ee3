#include "ombu/NxGridLayout.h"

#include <algorithm>
#include <numeric>

namespace norvex::ombu {

NxGridLayout::NxGridLayout(int rows, int cols) : NxGridLayout(rows, cols, 0, 0) {}

NxGridLayout::NxGridLayout(int rows, int cols, int hgap, int vgap)
    // The host grid refuses a grid without rows and columns; this one reads that as one column.
    : host::GridLayout(rows < 1 && cols < 1 ? 0 : rows, rows < 1 && cols < 1 ? 1 : cols, hgap, vgap), hgap(hgap), vgap(vgap), rows(rows), cols(cols) {}

void NxGridLayout::getGridSizes(host::Container& parent, bool minimum) {
    auto children = parent.getComponents();
    int n = int(children.size());
    if (n == 0) {
        row_heights.clear();
        col_widths.clear();
        return;
    }
    int nrows, ncols;
    if (rows < 1) {
        ncols = std::max(1, cols);  // no columns either: one column
        nrows = (n + ncols - 1) / ncols;
    } else {
        nrows = rows;
        ncols = (n + nrows - 1) / nrows;
    }
    row_heights.assign(size_t(nrows), 0);
    col_widths.assign(size_t(ncols), 0);
    for (int i = 0; i < n; ++i) {
        host::Dimension d = minimum ? children[i]->minimumSize() : children[i]->preferredSize();
        int r = i / ncols, c = i % ncols;
        if (r >= nrows) break;
        row_heights[r] = std::max(row_heights[r], d.height);
        col_widths[c] = std::max(col_widths[c], d.width);
    }
}

host::Dimension NxGridLayout::layoutSize(host::Container& parent, bool minimum) {
    getGridSizes(parent, minimum);
    host::Insets in = parent.insets();
    int w = in.left + in.right + std::accumulate(col_widths.begin(), col_widths.end(), 0) +
            (int(col_widths.size()) + 1) * hgap;
    int h = in.top + in.bottom + std::accumulate(row_heights.begin(), row_heights.end(), 0) +
            (int(row_heights.size()) + 1) * vgap;
    return {w, h};
}

host::Dimension NxGridLayout::preferredLayoutSize(host::Container& parent) { return layoutSize(parent, false); }
host::Dimension NxGridLayout::minimumLayoutSize(host::Container& parent) { return layoutSize(parent, true); }

void NxGridLayout::layoutContainer(host::Container& parent) {
    auto children = parent.getComponents();
    int n = int(children.size());
    if (n == 0) return;
    getGridSizes(parent, false);
    host::Insets in = parent.insets();
    int ncols = int(col_widths.size()), nrows = int(row_heights.size());
    int W = parent.getWidth(), H = parent.getHeight();
    int x = in.left + hgap;
    for (int col = 0; col < ncols; ++col) {
        int y = in.top + vgap;
        for (int row = 0; row < nrows; ++row) {
            int index = col + ncols * row;
            if (index < n) {
                // Cells never exceed their row and column; the last ones stop at the edge.
                int w = std::max(0, std::min(col_widths[col], W - in.right - x));
                int h = std::max(0, std::min(row_heights[row], H - in.bottom - y));
                reshape(col, row, index, *children[index], x, y, w, h);
            }
            y += row_heights[row] + vgap;
        }
        x += col_widths[col] + hgap;
    }
}

void NxGridLayout::reshape(int, int, int, host::Component& c, int x, int y, int w, int h) { c.reshape(x, y, w, h); }

}  // namespace norvex::ombu
