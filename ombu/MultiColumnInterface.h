// Implemented by components that show a vector value as columns (a multi-column
// list): value measuring then sums the widths of the columns the component shows.
#pragma once

namespace norvex::ombu {

class MultiColumnInterface {
public:
    virtual ~MultiColumnInterface() = default;
    virtual int getNumColumns() = 0;
    virtual int getColumnWidth(int col) = 0;
};

}  // namespace norvex::ombu
