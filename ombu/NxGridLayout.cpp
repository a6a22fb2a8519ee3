#include "ombu/NxGridLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>

namespace norvex::ombu {

NxGridLayout::NxGridLayout(int rows, int cols) : NxGridLayout(rows, cols, 0, 0) {}

NxGridLayout::NxGridLayout(int rows, int cols, int hgap, int vgap)
    // The host grid refuses a grid without rows and columns; this one reads that as one column.
    : host::GridLayout(rows < 1 && cols < 1 ? 0 : rows, rows < 1 && cols < 1 ? 1 : cols, hgap, vgap), hgap(hgap), vgap(vgap), rows(rows), cols(cols) {}

namespace {

int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

void NxGridLayout::getGridSizes(host::Container& parent, bool minimum) {
    auto children = parent.getComponents();
    int n = int(children.size());
    row_heights.clear();
    col_widths.clear();
    grid_rows = grid_cols = 0;
    if (n == 0) return;
    int nrows, ncols;
    if (rows < 1) {
        ncols = std::max(1, cols);  // no columns either: one column
        nrows = int((int64_t(n) + ncols - 1) / ncols);
    } else {
        nrows = rows;
        ncols = int((int64_t(n) + nrows - 1) / nrows);
    }
    grid_rows = nrows;
    grid_cols = ncols;
    row_heights.assign(size_t(std::min(nrows, n)), 0);
    col_widths.assign(size_t(std::min(ncols, n)), 0);
    for (int i = 0; i < n; ++i) {
        host::Dimension d = minimum ? children[i]->minimumSize() : children[i]->preferredSize();
        int r = i / ncols, c = i % ncols;
        row_heights[size_t(r)] = std::max(row_heights[size_t(r)], d.height);
        col_widths[size_t(c)] = std::max(col_widths[size_t(c)], d.width);
    }
}

host::Dimension NxGridLayout::layoutSize(host::Container& parent, bool minimum) {
    getGridSizes(parent, minimum);
    host::Insets in = parent.insets();
    // 64-bit sums: preferred sizes from page parameters may reach the int limit.
    int64_t w = int64_t(in.left) + in.right + std::accumulate(col_widths.begin(), col_widths.end(), int64_t(0)) +
                (int64_t(grid_cols) + 1) * hgap;
    int64_t h = int64_t(in.top) + in.bottom + std::accumulate(row_heights.begin(), row_heights.end(), int64_t(0)) +
                (int64_t(grid_rows) + 1) * vgap;
    return {clampInt(w), clampInt(h)};
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
    int64_t W = parent.getWidth(), H = parent.getHeight();
    int64_t x = int64_t(in.left) + hgap;
    for (int col = 0; col < ncols; ++col) {
        int64_t y = int64_t(in.top) + vgap;
        for (int row = 0; row < nrows; ++row) {
            int64_t index = col + int64_t(grid_cols) * row;
            if (index < n) {
                // Cells never exceed their row and column; the last ones stop at the edge.
                int64_t w = std::max<int64_t>(0, std::min<int64_t>(col_widths[size_t(col)], W - in.right - x));
                int64_t h = std::max<int64_t>(0, std::min<int64_t>(row_heights[size_t(row)], H - in.bottom - y));
                reshape(col, row, int(index), *children[size_t(index)], clampInt(x), clampInt(y), int(w), int(h));
            }
            y += int64_t(row_heights[size_t(row)]) + vgap;
        }
        x += int64_t(col_widths[size_t(col)]) + hgap;
    }
}

void NxGridLayout::reshape(int, int, int, host::Component& c, int x, int y, int w, int h) { c.reshape(x, y, w, h); }

}  // namespace norvex::ombu
