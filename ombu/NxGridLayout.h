// A grid layout whose rows and columns take the size of their largest member
// instead of equal shares. Every cell is placed through the reshape hook.
#pragma once

#include <vector>

#include "host/ui/Container.h"

namespace norvex::ombu {

class NxGridLayout : public host::GridLayout {
public:
    // A row count below 1 lets the number of rows follow from the columns.
    static constexpr int VARIABLE = -998;

    NxGridLayout(int rows, int cols);
    NxGridLayout(int rows, int cols, int hgap, int vgap);

    host::Dimension preferredLayoutSize(host::Container& parent) override;
    host::Dimension minimumLayoutSize(host::Container& parent) override;
    void layoutContainer(host::Container& parent) override;
    // Measures every row and column with the minimum or preferred sizes of the children.
    void getGridSizes(host::Container& parent, bool minimum);
    // Places one cell's component; the base moves and sizes it to the cell.
    virtual void reshape(int col, int row, int index, host::Component& c, int x, int y, int w, int h);

    const std::vector<int>& getRowHeights() const { return row_heights; }
    const std::vector<int>& getColumnWidths() const { return col_widths; }

protected:
    host::Dimension layoutSize(host::Container& parent, bool minimum);

    int hgap;
    int vgap;
    int rows;
    int cols;
    std::vector<int> row_heights;
    std::vector<int> col_widths;
    // The grid's row and column counts. Rows or columns beyond the number of
    // components hold nothing and measure 0, so the two arrays keep at most one
    // entry per component (a requested count of millions allocates nothing); the
    // counts still give the number of gaps.
    int grid_rows = 0;
    int grid_cols = 0;
};

}  // namespace norvex::ombu
